#pragma once
// The waveform sheet's own tool-bar controls: the zoom box (list entries and
// a typed percentage) and the vertical and horizontal scale selectors. The
// selectors convert the chosen entry to a scale in the domain of the
// waveform the sheet has selected (time and voltage with its probe, or
// frequency and decibels) and announce it; the sheet tells them what it
// shows after each update or file.
#include <QObject>

#include "docs/YTSheetUpdate.h"
#include "ui/ScaleSelectors.h"

class IChildHost;
class QAction;
class QComboBox;

inline constexpr int kIdZoomSelector = 32302;
inline constexpr int kIdVerticalSelector = 32306;
inline constexpr int kIdHorizontalSelector = 32307;

class CSheetToolBar : public QObject {
    Q_OBJECT
public:
    explicit CSheetToolBar(IChildHost& host, QObject* parent = nullptr);

    // A list entry of the zoom box.
    void SelectZoomEntry(int index);
    // Enter in the zoom box; false when the typed text is refused.
    bool EnterZoomText(const QString& typed);
    QComboBox* ZoomBox() const { return m_zoomBox; }
    // The zoom the sheet shows now ("120%").
    void ShowZoomText(const QString& text);

    void SelectHorizontalScale(int index);
    void SelectVerticalScale(int index);
    // Entries, domain, probe and positions of the selectors for what the
    // sheet shows (nothing changes while no waveform is selected).
    void ShowScales(const SheetSelectorState& state);
    void SetScaleDomain(ScaleDomain domain) { m_domain = domain; }
    void SetProbeFactor(int probe) { m_probe = probe; }
    void SetCustomVerticalScale(double scale) { m_customVerticalScale = scale; }
    // The selectors are hidden while the sheet runs and in X-Y.
    void SetSelectorsVisible(bool visible);
    bool SelectorsVisible() const;
    QComboBox* Selector(int id) const;

signals:
    // Zoom factor (5 = 100 %).
    void ZoomChosen(double factor);
    // Selector index and the scale it stands for.
    void HorizontalScaleChosen(int index, double scale);
    void VerticalScaleChosen(int index, double scale);

private:
    ScaleDomain m_domain = ScaleDomain::TimeVoltage;
    int m_probe = 1;
    double m_customVerticalScale = 5000.0;
    QComboBox* m_zoomBox;
    QComboBox* m_verticalBox;
    QComboBox* m_horizontalBox;
    QAction* m_verticalAction;
    QAction* m_horizontalAction;
};
