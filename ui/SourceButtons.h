#pragma once
// The source radio buttons of the measurement and data-table windows ("CH1",
// "CH2" and, for the data table, "FFT"), which a view puts on its window's
// tool bar. They are enabled only while the view runs.
#include <QObject>

class IChildHost;
class QButtonGroup;

// Source modes of the measurement and data-table windows.
enum SourceMode : int { kSourceCH1 = 0, kSourceCH2 = 1, kSourceFFT = 2 };

inline constexpr int kIdSourceCH1 = 32821;
inline constexpr int kIdSourceCH2 = 32822;
inline constexpr int kIdSourceFFT = 32863;

class CSourceButtons : public QObject {
    Q_OBJECT
public:
    CSourceButtons(IChildHost& host, bool withFft, QObject* parent = nullptr);

    // Makes mode the source; false when it already is or the window has no
    // such button (nothing changes then). Emits SourceChosen otherwise.
    bool Select(int mode);
    int Mode() const { return m_mode; }
    void SetEnabled(bool enabled);
    bool IsEnabled() const;

signals:
    void SourceChosen(int mode);

private:
    QButtonGroup* m_group;
    int m_mode = kSourceCH1;
};
