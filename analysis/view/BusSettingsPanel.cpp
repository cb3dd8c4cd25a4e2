#include "analysis/view/BusSettingsPanel.h"

#include <array>

#include "corvane/MessageTables.h"
#include "docs/BusAnalysisData.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QStringList kUnits{QStringLiteral("ns"), QStringLiteral("us"), QStringLiteral("ms"), QStringLiteral("s")};

QString Text(const std::string& s) { return QString::fromStdString(s); }

QComboBox* List(const QStringList& items, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItems(items);
    return box;
}

QLineEdit* NewTimeEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(CBusSettingsPanel::kMaxTimeText);
    return edit;
}

// "4.7us" as its number and unit ("4.7", "us"); a text without a known unit
// keeps the text and the unit "us".
std::pair<QString, QString> SplitTime(const std::string& text) {
    const QString t = Text(text);
    for (const QString& unit : {QStringLiteral("ns"), QStringLiteral("us"), QStringLiteral("ms")})
        if (t.endsWith(unit)) return {t.chopped(2), unit};
    if (t.endsWith(QLatin1Char('s'))) return {t.chopped(1), QStringLiteral("s")};
    return {t, QStringLiteral("us")};
}

} // namespace

CBusSettingsPanel::CBusSettingsPanel(CBusAnalysisData& data, QWidget* parent) : QWidget(parent), m_data(data) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(BuildMain());
    m_tabs = new QTabWidget(this);
    const std::array<QWidget*, 5> pages = {BuildThresholdPage(), BuildBasePage(), BuildStartPage(), BuildStopPage(),
                                           BuildDecodePage()};
    for (std::size_t i = 0; i < pages.size(); ++i)
        m_tabs->addTab(pages[i], Text(szTabName[LanguageIndex()][i]));
    layout->addWidget(m_tabs, 1);
    connect(m_busType, &QComboBox::currentTextChanged, this, &CBusSettingsPanel::ChooseBusType);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) { m_data.panelTab = tab; });
    for (QComboBox* box : {m_bits, m_addressBits, m_units[0], m_units[1], m_units[2], m_units[3], m_lines[0],
                           m_lines[1], m_cpol, m_cpha, m_decodeType, m_addressType})
        connect(box, &QComboBox::currentIndexChanged, this, &CBusSettingsPanel::Store);
    for (QLineEdit* edit : {m_times[0], m_times[1], m_times[2], m_times[3], m_build, m_keep, m_stop})
        connect(edit, &QLineEdit::editingFinished, this, &CBusSettingsPanel::Store);
    connect(m_area, &QButtonGroup::idClicked, this, &CBusSettingsPanel::Store);
    connect(m_base, &QButtonGroup::idClicked, this, &CBusSettingsPanel::Store);
    connect(m_positive, &QSpinBox::valueChanged, this, [this](int v) {
        m_negative->setValue(v - 80);
        Store();
    });
    connect(m_negative, &QSpinBox::valueChanged, this, [this](int v) {
        m_positive->setValue(v + 80);
        Store();
    });
    Reload();
}

QWidget* CBusSettingsPanel::BuildMain() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    m_busType = List({QStringLiteral("I2C"), QStringLiteral("SPI")}, page);
    m_bits = List({QStringLiteral("8"), QStringLiteral("16"), QStringLiteral("32")}, page);
    m_addressBits = List({QStringLiteral("7"), QStringLiteral("10")}, page);
    grid->addWidget(new QLabel(tr("BusName:"), page), 0, 0);
    grid->addWidget(m_busType, 0, 1);
    grid->addWidget(new QLabel(tr("Bits:"), page), 0, 2);
    grid->addWidget(m_bits, 0, 3);
    grid->addWidget(new QLabel(tr("Address Bits:"), page), 0, 4);
    grid->addWidget(m_addressBits, 0, 5);
    const QString labels[4] = {tr("HpuleWidth:"), tr("LpuleWidth:"), tr("Time3:"), tr("Time4:")};
    for (int i = 0; i < 4; ++i) {
        m_times[i] = NewTimeEdit(page);
        m_units[i] = List(kUnits, page);
        grid->addWidget(new QLabel(labels[i], page), 1 + i / 2, (i % 2) * 3);
        grid->addWidget(m_times[i], 1 + i / 2, (i % 2) * 3 + 1);
        grid->addWidget(m_units[i], 1 + i / 2, (i % 2) * 3 + 2);
    }
    for (int c = 0; c < 2; ++c) {
        m_lines[c] = new QComboBox(page);
        grid->addWidget(new QLabel(c == 0 ? QStringLiteral("CH1:") : QStringLiteral("CH2:"), page), 3, c * 3);
        grid->addWidget(m_lines[c], 3, c * 3 + 1);
    }
    m_timeBase = new QLabel(page);
    grid->addWidget(m_timeBase, 3, 5);
    return page;
}

QWidget* CBusSettingsPanel::BuildThresholdPage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    m_area = new QButtonGroup(page);
    auto* byDefault = new QRadioButton(tr("default area"), page);
    auto* custom = new QRadioButton(tr("custom area"), page);
    m_area->addButton(byDefault, 0);
    m_area->addButton(custom, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(byDefault);
    row->addWidget(custom);
    form->addRow(row);
    // The custom levels are one band of 80 counts: 140 - a and 60 - a.
    m_positive = new QSpinBox(page);
    m_positive->setRange(-20, 100);
    m_negative = new QSpinBox(page);
    m_negative->setRange(-100, 20);
    form->addRow(tr("positive"), m_positive);
    form->addRow(tr("negative"), m_negative);
    return page;
}

QWidget* CBusSettingsPanel::BuildBasePage() {
    auto* page = new QWidget(this);
    auto* row = new QHBoxLayout(page);
    m_base = new QButtonGroup(page);
    for (int b = 0; b < 4; ++b) {
        auto* button = new QRadioButton(Text(szBusResultType[LanguageIndex()][b]), page);
        m_base->addButton(button, b);
        row->addWidget(button);
    }
    return page;
}

QWidget* CBusSettingsPanel::BuildStartPage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    m_build = NewTimeEdit(page);
    m_keep = NewTimeEdit(page);
    m_cpol = List({QStringLiteral("0"), QStringLiteral("1")}, page);
    m_cpha = List({QStringLiteral("0"), QStringLiteral("1")}, page);
    form->addRow(tr("Bulid time："), m_build);
    form->addRow(tr("Keep time："), m_keep);
    form->addRow(tr("CPOL："), m_cpol);
    form->addRow(tr("CPHA："), m_cpha);
    return page;
}

QWidget* CBusSettingsPanel::BuildStopPage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    m_stop = NewTimeEdit(page);
    form->addRow(tr("Stop time"), m_stop);
    return page;
}

QWidget* CBusSettingsPanel::BuildDecodePage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    m_decodeType = List({tr("Master"), tr("Slave")}, page);
    m_addressType = new QComboBox(page);
    for (int t = 0; t < 6; ++t)
        m_addressType->addItem(Text(szAddrType[LanguageIndex()][t]));
    form->addRow(tr("decode type:"), m_decodeType);
    form->addRow(tr("AddressType:"), m_addressType);
    return page;
}

void CBusSettingsPanel::FillLineLists() {
    const auto names = CBusAnalysisData::LineNamesOf(m_data.busName);
    for (int c = 0; c < 2; ++c) {
        m_lines[c]->clear();
        for (const std::string& n : names)
            m_lines[c]->addItem(Text(n));
        m_lines[c]->setCurrentText(Text(m_data.lineNames[c]));
    }
}

void CBusSettingsPanel::FillDefaults(bool spi) {
    m_data.SetBusName(spi ? "SPI" : "I2C");
    if (spi) {
        m_data.spi = SPIBusSettings{};
        m_data.spi.highPulse = "90ns";
        m_data.spi.lowPulse = "90ns";
    } else {
        m_data.i2c = I2CBusSettings{};
    }
}

void CBusSettingsPanel::ChooseBusType(const QString& name) {
    if (m_loading || Text(m_data.busName) == name) return;
    FillDefaults(name == QLatin1String("SPI"));
    Reload();
    emit changed();
}

void CBusSettingsPanel::Reload() {
    m_loading = true;
    const bool spi = m_data.IsSPI();
    m_busType->setCurrentText(Text(m_data.busName));
    m_bits->setCurrentText(QString::number(m_data.bits));
    m_addressBits->setCurrentText(QString::number(m_data.i2c.addressBits));
    const auto high = SplitTime(spi ? m_data.spi.highPulse : m_data.i2c.highPulse);
    const auto low = SplitTime(spi ? m_data.spi.lowPulse : m_data.i2c.lowPulse);
    const std::pair<QString, QString> times[4] = {high, low, {QStringLiteral("0.0"), QStringLiteral("ns")},
                                                  {QStringLiteral("0.0"), QStringLiteral("ns")}};
    for (int i = 0; i < 4; ++i) {
        m_times[i]->setText(times[i].first);
        m_units[i]->setCurrentText(times[i].second);
    }
    FillLineLists();
    m_area->button(m_data.CustomThresholds() ? 1 : 0)->setChecked(true);
    const int band = spi ? m_data.spi.threshold : m_data.i2c.thresholds[0];
    m_positive->setValue(140 - band);
    m_negative->setValue(60 - band);
    m_base->button(std::clamp(m_data.numberBase, 0, 3))->setChecked(true);
    m_build->setText(Text(spi ? m_data.spi.startBuild : m_data.i2c.startBuild));
    m_keep->setText(Text(m_data.i2c.startKeep));
    m_keep->setEnabled(!spi);
    m_cpol->setCurrentText(Text(m_data.spi.cpol));
    m_cpha->setCurrentText(Text(m_data.spi.cpha));
    m_cpol->setEnabled(spi);
    m_cpha->setEnabled(spi);
    m_stop->setText(Text(m_data.i2c.stopTime));
    m_stop->setEnabled(!spi);
    m_addressBits->setEnabled(!spi);
    m_addressType->setCurrentIndex(std::clamp(m_data.i2c.addressType, 0, 5));
    m_addressType->setEnabled(!spi);
    m_tabs->setCurrentIndex(std::clamp(m_data.panelTab, 0, 4));
    m_loading = false;
}

void CBusSettingsPanel::Store() {
    if (m_loading) return;
    const bool spi = m_data.IsSPI();
    m_data.bits = m_bits->currentText().toInt();
    const std::string high = (m_times[0]->text() + m_units[0]->currentText()).toStdString();
    const std::string low = (m_times[1]->text() + m_units[1]->currentText()).toStdString();
    const int band = 140 - m_positive->value();
    m_data.displayInts[2] = m_area->checkedId() == 1 ? 1 : 0;
    m_data.numberBase = std::max(m_base->checkedId(), 0);
    m_data.numberBaseName = szBusResultType[0][m_data.numberBase] == "hex" ? "Hex" : szBusResultType[0][m_data.numberBase];
    for (int c = 0; c < 2; ++c)
        if (!m_lines[c]->currentText().isEmpty()) m_data.lineNames[c] = m_lines[c]->currentText().toStdString();
    if (spi) {
        m_data.spi.highPulse = high;
        m_data.spi.lowPulse = low;
        m_data.spi.startBuild = m_build->text().toStdString();
        m_data.spi.cpol = m_cpol->currentText().toStdString();
        m_data.spi.cpha = m_cpha->currentText().toStdString();
        m_data.spi.threshold = band;
    } else {
        m_data.i2c.highPulse = high;
        m_data.i2c.lowPulse = low;
        m_data.i2c.startBuild = m_build->text().toStdString();
        m_data.i2c.startKeep = m_keep->text().toStdString();
        m_data.i2c.stopTime = m_stop->text().toStdString();
        m_data.i2c.addressBits = m_addressBits->currentText().toInt();
        m_data.i2c.addressType = m_addressType->currentIndex();
        m_data.i2c.thresholds = {band, band};
    }
    emit changed();
}

void CBusSettingsPanel::SetTimeBase(double ns) {
    m_timeBase->setText(tr("Time base: %1 ns/div").arg(ns));
}
