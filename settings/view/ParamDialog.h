#pragma once
// CParamDialog: the small modal dialog that edits one setting, the desktop
// program's answer to the settings model's questions. A list setting shows
// the instrument's choices in a drop-down list with the current one
// selected; any other setting a text box for a typed value ("1.5ms",
// "200mV"); volts per division also a spin that steps through the model's
// list with the channel's probe, and two labels with the lowest and highest
// value. OK hands the choice to the model, Cancel changes nothing, Apply
// writes and sends at once and keeps the dialog open. A typed value that the
// model cannot accept brings the old value back into the box.
//
// The dialog is 400 x 200 and its controls take the fixed places DlgLayOut
// gives, in this order: group frame, list, text box, second spin label, OK,
// Cancel, Apply, text label, first spin label, spin.
#include <QDialog>

#include <string>

#include "settings/SettingChooser.h"

class CSettingsModel;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class CParamDialog : public QDialog, public ISettingChooser {
    Q_OBJECT
public:
    // model: where Apply writes and sends and what typed values are checked
    // against (null: Apply does nothing and every text is taken).
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
    // Steps the volts per division in the text box one entry up (+1) or down (-1).
    void StepVoltsPerDivision(int step);

    QComboBox* List() const { return m_list; }
    QLineEdit* TextBox() const { return m_text; }
    QGroupBox* Frame() const { return m_frame; }
    QWidget* Spin() const { return m_spin; }
    QLabel* TextLabel() const { return m_textLabel; }
    QLabel* SpinLabel(int i) const { return i == 0 ? m_spinLow : m_spinHigh; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    QPushButton* ApplyButton() const { return m_apply; }

private:
    void LayOut();
    void ShowSpinLimits();
    int64_t EditedProbe() const;
    void ApplyNow();
    void OkPressed();
    bool TextAcceptable() const;

    CSettingsModel* m_model;
    ChoiceRequest m_request;
    std::string m_oldText;   // text mode: the value the setting holds
    bool m_bChanged = false;
    QGroupBox* m_frame = nullptr;
    QComboBox* m_list = nullptr;
    QLabel* m_textLabel = nullptr;
    QLineEdit* m_text = nullptr;
    QWidget* m_spin = nullptr;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    QLabel* m_spinLow = nullptr;
    QLabel* m_spinHigh = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_apply = nullptr;
};
