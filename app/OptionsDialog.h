#pragma once
// The Options dialog: acquisition interval, connect at start-up, language.
#include <QDialog>

#include "app/AppSettings.h"

class QCheckBox;
class QComboBox;

class COptionsDialog : public QDialog {
    Q_OBJECT
public:
    COptionsDialog(const CAppSettings& current, QWidget* parent = nullptr);
    // The values as chosen (meaningful after OK).
    CAppSettings Chosen() const;

private:
    CAppSettings m_current;
    QComboBox* m_interval;
    QCheckBox* m_connectAtStart;
    QComboBox* m_language;
};
