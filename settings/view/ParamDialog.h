#pragma once
// CParamDialog: the small modal dialog that edits one setting, the desktop
// program's answer to the settings model's questions. A list setting shows
// the instrument's choices with the current one selected; any other setting
// a text box for a typed value ("1.5ms", "200mV"), with up/down buttons that
// step volts per division through the model's list. OK hands the choice to
// the model, Cancel changes nothing, Apply writes and sends at once and
// keeps the dialog open.
#include <QDialog>

#include "settings/SettingChooser.h"

class CSettingsModel;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

class CParamDialog : public QDialog, public ISettingChooser {
    Q_OBJECT
public:
    // model: where Apply writes and sends (null: Apply does nothing).
    explicit CParamDialog(CSettingsModel* model, QWidget* parent = nullptr);

    // Fills the dialog for request, runs it modally and gives its choice.
    bool Choose(const ChoiceRequest& request, SettingChoice& choice) override;

    // Fills the controls for request without running the dialog.
    void Prepare(const ChoiceRequest& request);
    // The choice the controls hold now.
    SettingChoice CurrentChoice() const;
    bool IsListMode() const { return m_request.listMode; }
    // Set when Apply wrote into the block since the dialog was prepared.
    bool IsChanged() const { return m_bChanged; }
    // Steps a volts-per-division text one entry up (+1) or down (-1).
    void StepVoltsPerDivision(int step);

    QListWidget* List() const { return m_list; }
    QLineEdit* TextBox() const { return m_text; }
    QPushButton* ApplyButton() const { return m_apply; }

private:
    void ApplyNow();

    CSettingsModel* m_model;
    ChoiceRequest m_request;
    bool m_bChanged = false;
    QListWidget* m_list = nullptr;
    QLabel* m_textLabel = nullptr;
    QLineEdit* m_text = nullptr;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    QPushButton* m_apply = nullptr;
};
