#pragma once
// CPowerSpectrumPanel: the body of a power spectrum window. A tab control
// with the input page ("Input Signal:" CH1 / CH2) and the window page
// ("Window" under "Spectrum Setup"), the input-signal trace above the
// spectrum trace, both pointing at the window's copy of the selected
// channel. Switching the channel or the window redraws from the copies
// already held, without a new transfer.
#include "corvane/SharedState.h"

#include <QWidget>

#include <cstdint>
#include <optional>

class CFFTView;
class CPowerSpectrumData;
class CYTView;
class QComboBox;
class QTabWidget;

class CPowerSpectrumPanel : public QWidget {
    Q_OBJECT
public:
    // data is the window's document data; it must outlive the panel or be
    // replaced through SetData.
    explicit CPowerSpectrumPanel(CPowerSpectrumData* data, QWidget* parent = nullptr);

    // Points the panel at another data object (after a file was read) and
    // shows its selections and state.
    void SetData(CPowerSpectrumData* data);

    // A completed transfer: copy both records, take the scales, point both
    // views at the selected copy and redraw them.
    void OnTransfer(const tagWaveformParam& wfm, const std::uint8_t* ch1, const std::uint8_t* ch2,
                    std::int32_t length);

    // The list changes of the two pages. A channel switch also takes that
    // channel's scale from the last transfer.
    void SelectInput(int input);
    void SelectWindow(int window);
    // The tab shown (0 input page, 1 window page).
    void ShowTab(int tab);

    CYTView& InputTrace() { return *m_inputTrace; }
    CFFTView& Spectrum() { return *m_spectrum; }
    QComboBox& InputList() { return *m_inputList; }
    QComboBox& WindowList() { return *m_windowList; }
    // Copies the views' stored state into the data (before a save).
    void StoreViewState();

protected:
    // Return does not close or activate anything inside the panel.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* MakeInputPage();
    QWidget* MakeWindowPage();
    void PointViews();
    void ShowState();

    CPowerSpectrumData* m_data;
    QTabWidget* m_tabs = nullptr;
    QComboBox* m_inputList = nullptr;
    QComboBox* m_windowList = nullptr;
    CYTView* m_inputTrace = nullptr;
    CFFTView* m_spectrum = nullptr;
    // The parameters of the last transfer, so that a channel switch shows
    // the chosen channel's scale at once.
    std::optional<tagWaveformParam> m_lastWfm;
};
