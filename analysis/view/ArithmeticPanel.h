#pragma once
// CArithmeticPanel: the body of an arithmetic window. The captions "Input
// Signals" and "Output Signal" over the input view (both records) and the
// output view (the result), and a tab control with the settings page: first
// input, second input and operation lists and the factor. A change on the
// settings page stores the name (or the factor), then redraws the inputs and
// recomputes the output, both posted so that a burst of changes redraws
// once.
#include <QWidget>

#include <cstdint>
#include <string>

class CArithmeticData;
class CInputView;
class COutputView;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
struct tagWaveformParam;

class CArithmeticPanel : public QWidget {
    Q_OBJECT
public:
    explicit CArithmeticPanel(CArithmeticData* data, QWidget* parent = nullptr);

    // Points the panel at another data object (after a file was read):
    // refreshes the lists, the captions and both views.
    void SetData(CArithmeticData* data);

    // A completed transfer: scales, time base and both records, then the
    // views are redrawn.
    void OnTransfer(const tagWaveformParam& wfm, const std::uint8_t* ch1, const std::uint8_t* ch2,
                    std::int32_t length);

    // What the settings page sends.
    void SetFirstInputName(const std::string& name);
    void SetSecondInputName(const std::string& name);
    void SetOperationName(const std::string& name);
    // atof of the text (0 for text that is no number), recompute, captions.
    void SetFactorText(const std::string& text);
    // Posts the redraw of the inputs / the recomputation of the output.
    void PostInputRedraw();
    void PostOutputRecompute();

    CInputView& Inputs() { return *m_inputs; }
    COutputView& Output() { return *m_output; }
    QComboBox& OperationList() { return *m_operationList; }
    QComboBox& FirstInputList() { return *m_firstList; }
    QComboBox& SecondInputList() { return *m_secondList; }
    QLineEdit& FactorEdit() { return *m_factorEdit; }

private:
    QWidget* MakeSettingsPage();
    void ShowSettings();
    void ShowCaptions();
    void RedrawInputs();
    void RecomputeOutput();

    CArithmeticData* m_data;
    CInputView* m_inputs = nullptr;
    COutputView* m_output = nullptr;
    QLabel* m_inputCaption = nullptr;
    QLabel* m_outputCaption = nullptr;
    QComboBox* m_firstList = nullptr;
    QComboBox* m_secondList = nullptr;
    QComboBox* m_operationList = nullptr;
    QLineEdit* m_factorEdit = nullptr;
    bool m_inputRedrawPosted = false;
    bool m_outputRecomputePosted = false;
};
