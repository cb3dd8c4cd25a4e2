#pragma once
// CBusSettingsPanel: the bus settings of a bus analysis window. Bus type,
// bits, address bits, four time edits with their units, the line of each
// channel, and five tabs: the threshold area, the number base, the start
// condition, the stop condition and the decode setup. Every edit is written
// into the window's data at once and announced with changed(); choosing
// another bus type refills the edits and the line lists with that bus's
// defaults.
#include <QWidget>

#include <array>

class CBusAnalysisData;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QTabWidget;

class CBusSettingsPanel : public QWidget {
    Q_OBJECT
public:
    // Longest text of a time edit.
    static constexpr int kMaxTimeText = 8;

    explicit CBusSettingsPanel(CBusAnalysisData& data, QWidget* parent = nullptr);

    // Shows the data's values (after a file was read).
    void Reload();
    // Chooses a bus type as the list does ("I2C" or "SPI").
    void ChooseBusType(const QString& name);
    // The time base of the last transfer (ns per division), shown beside the
    // time edits.
    void SetTimeBase(double ns);

    QComboBox* BusTypeList() const { return m_busType; }
    QComboBox* LineList(int channel) const { return m_lines[channel]; }
    QLineEdit* TimeEdit(int index) const { return m_times[index]; }
    QComboBox* UnitList(int index) const { return m_units[index]; }
    QTabWidget* Tabs() const { return m_tabs; }

signals:
    void changed();

private:
    QWidget* BuildMain();
    QWidget* BuildThresholdPage();
    QWidget* BuildBasePage();
    QWidget* BuildStartPage();
    QWidget* BuildStopPage();
    QWidget* BuildDecodePage();
    // Puts a bus type's default texts into the edits and lists.
    void FillDefaults(bool spi);
    void FillLineLists();
    // Reads every control into the data.
    void Store();

    CBusAnalysisData& m_data;
    bool m_loading = false;
    QComboBox* m_busType = nullptr;
    QComboBox* m_bits = nullptr;
    QComboBox* m_addressBits = nullptr;
    std::array<QLineEdit*, 4> m_times{};
    std::array<QComboBox*, 4> m_units{};
    std::array<QComboBox*, 2> m_lines{};
    QTabWidget* m_tabs = nullptr;
    QButtonGroup* m_area = nullptr;
    QSpinBox* m_positive = nullptr;
    QSpinBox* m_negative = nullptr;
    QButtonGroup* m_base = nullptr;
    QLineEdit* m_build = nullptr;
    QLineEdit* m_keep = nullptr;
    QComboBox* m_cpol = nullptr;
    QComboBox* m_cpha = nullptr;
    QLineEdit* m_stop = nullptr;
    QComboBox* m_decodeType = nullptr;
    QComboBox* m_addressType = nullptr;
    class QLabel* m_timeBase = nullptr;
};
