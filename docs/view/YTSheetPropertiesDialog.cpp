#include "docs/view/YTSheetPropertiesDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Fonts are stored with their height in logical units; the font dialog shows
// one fifth of it as the point size.
constexpr double kFontHeightPerPoint = 5.0;

QComboBox* List(QWidget* parent, const QStringList& entries, int current) {
    auto* box = new QComboBox(parent);
    box->addItems(entries);
    box->setCurrentIndex(current);
    return box;
}

QCheckBox* Check(QWidget* parent, const QString& text, int32_t on) {
    auto* box = new QCheckBox(text, parent);
    box->setChecked(on != 0);
    return box;
}
}  // namespace

CYTSheetPropertiesDialog::CYTSheetPropertiesDialog(const CYTSheetData& sheet, QWidget* parent)
    : QDialog(parent), m_choices(ChoicesOf(sheet)) {
    setWindowTitle(tr("Properties"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(BuildGraticuleGroup());
    top->addWidget(BuildWaveformGroup());
    layout->addLayout(top);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(BuildDisplayGroup());
    bottom->addWidget(BuildCursorGroup());
    layout->addLayout(bottom);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

CYTSheetPropertiesDialog::Choices CYTSheetPropertiesDialog::ChoicesOf(const CYTSheetData& s) {
    Choices c;
    c.graticuleType = s.graticule.GetGraticuleType();
    c.gtColor = s.graticule.GetGtColor();
    c.bgColor = s.graticule.GetBgColor();
    c.wfmStyle = s.trace[kTraceCH1].GetDisplayStyle();
    for (int i = 0; i < kTraceCount; ++i) {
        c.wfmColor[i] = s.trace[i].GetWfmColor();
        c.wfmShow[i] = s.trace[i].GetWfmShow();
    }
    c.colorMode = s.savedColorMode;
    c.showTrigger = s.showTrigger;
    c.lockTrigger = s.rail.GetTrigLockFlag();
    c.showScale = s.scaleInfo.GetVisible();
    c.scaleFont = s.scaleInfo.GetTextFont();
    c.scaleColor = s.scaleInfo.GetTextColor();
    c.cursorType = s.cursor[0].GetCursorType();
    c.tracking = s.cursor[0].GetTrackFlag();
    c.cursorFont = s.cursorInfo.GetTextFont();
    c.cursorColor = s.cursorInfo.GetTextColor();
    return c;
}

void CYTSheetPropertiesDialog::ApplyChoices(const Choices& c, CYTSheetData& s) {
    s.graticule.SetGraticuleType(c.graticuleType);
    s.graticule.SetGtColor(c.gtColor);
    s.graticule.SetBgColor(c.bgColor);
    for (int i = 0; i < kTraceCount; ++i) {
        s.trace[i].SetDisplayStyle(c.wfmStyle);
        s.trace[i].SetWfmColor(c.wfmColor[i]);
        s.block[i].SetBlockColor(c.wfmColor[i]);
        s.trace[i].SetWfmShow(c.wfmShow[i]);
        s.trace[i].SetTrigVisible(c.showTrigger);
    }
    s.ColorRailFromEnabledBlock();
    s.savedColorMode = c.colorMode == COLOR_MODE_BW ? COLOR_MODE_BW : COLOR_MODE_RGB;
    s.ApplyColorMode(s.savedColorMode);
    s.showTrigger = c.showTrigger;
    s.rail.SetTrigLockFlag(c.lockTrigger);
    s.scaleInfo.SetVisible(c.showScale);
    s.scaleInfo.SetTextFont(c.scaleFont);
    s.scaleInfo.SetTextColor(c.scaleColor);
    const bool typeChanged = c.cursorType != s.cursor[0].GetCursorType();
    for (CDSOCursor& cursor : s.cursor) {
        cursor.SetCursorType(c.cursorType);
        cursor.SetTrackFlag(c.tracking);
        if (!typeChanged) continue;
        cursor.initCursor();
        cursor.SetPos(cursor.GetOldPlace());
        cursor.SetPrePos(cursor.GetOldPlace());
        cursor.SetTransformPoint(cursor.GetPos());
    }
    s.cursorInfo.SetTextFont(c.cursorFont);
    s.cursorInfo.SetTextColor(c.cursorColor);
}

CYTSheetPropertiesDialog::Choices CYTSheetPropertiesDialog::GetChoices() const {
    Choices c = m_choices;
    c.graticuleType = m_graticuleStyle->currentIndex();
    c.wfmStyle = m_wfmStyle->currentIndex();
    for (int i = 0; i < kTraceCount; ++i) c.wfmShow[i] = m_show[i]->isChecked();
    c.colorMode = m_colorMode->currentIndex();
    c.showTrigger = m_showTrigger->isChecked();
    c.lockTrigger = m_lockTrigger->isChecked();
    c.showScale = m_showScale->isChecked();
    c.cursorType = m_cursorStyle->currentIndex();
    c.tracking = m_tracking->isChecked();
    return c;
}

void CYTSheetPropertiesDialog::SetChoices(const Choices& c) {
    m_choices = c;
    m_graticuleStyle->setCurrentIndex(c.graticuleType);
    m_wfmStyle->setCurrentIndex(c.wfmStyle);
    for (int i = 0; i < kTraceCount; ++i) m_show[i]->setChecked(c.wfmShow[i]);
    m_colorMode->setCurrentIndex(c.colorMode);
    m_showTrigger->setChecked(c.showTrigger);
    m_lockTrigger->setChecked(c.lockTrigger);
    m_showScale->setChecked(c.showScale);
    m_cursorStyle->setCurrentIndex(c.cursorType);
    m_tracking->setChecked(c.tracking);
}

void CYTSheetPropertiesDialog::Paint(QPushButton* button, DSOColor color) {
    button->setStyleSheet(QStringLiteral("background-color: %1").arg(QColorFromDSO(color).name()));
}

QPushButton* CYTSheetPropertiesDialog::ColorButton(const QString& text, DSOColor* color) {
    auto* button = new QPushButton(text, this);
    Paint(button, *color);
    connect(button, &QPushButton::clicked, this, [this, button, color] {
        const QColor picked = QColorDialog::getColor(QColorFromDSO(*color), this);
        if (!picked.isValid()) return;
        *color = DSOFromQColor(picked);
        Paint(button, *color);
    });
    return button;
}

void CYTSheetPropertiesDialog::PickFont(QFont* font, DSOColor* color) {
    QFont shown = *font;
    shown.setPointSizeF(std::max(font->pixelSize(), 5) / kFontHeightPerPoint);
    bool ok = false;
    const QFont picked = QFontDialog::getFont(&ok, shown, this);
    if (!ok) return;
    *font = picked;
    font->setPixelSize(static_cast<int>(picked.pointSizeF() * kFontHeightPerPoint));
    const QColor ink = QColorDialog::getColor(QColorFromDSO(*color), this, tr("Text colour"));
    if (ink.isValid()) *color = DSOFromQColor(ink);
}

QWidget* CYTSheetPropertiesDialog::BuildGraticuleGroup() {
    auto* group = new QGroupBox(tr("Graticule"), this);
    auto* form = new QFormLayout(group);
    m_graticuleStyle = List(group, {tr("Full"), tr("Grid"), tr("Crosshair"), tr("Frame")}, m_choices.graticuleType);
    form->addRow(tr("Style:"), m_graticuleStyle);
    form->addRow(tr("Gt:"), ColorButton(QString(), &m_choices.gtColor));
    form->addRow(tr("Bg:"), ColorButton(QString(), &m_choices.bgColor));
    return group;
}

QWidget* CYTSheetPropertiesDialog::BuildWaveformGroup() {
    auto* group = new QGroupBox(tr("Wfm"), this);
    auto* form = new QFormLayout(group);
    m_wfmStyle = List(group, {tr("Dots"), tr("Vectors")}, m_choices.wfmStyle);
    form->addRow(tr("Style:"), m_wfmStyle);
    auto* colors = new QHBoxLayout;
    auto* shows = new QHBoxLayout;
    const char* names[kTraceCount] = {"Ch1", "Ch2", "Math"};
    const char* showNames[kTraceCount] = {"CH1", "CH2", "Math"};
    for (int i = 0; i < kTraceCount; ++i) {
        colors->addWidget(ColorButton(QLatin1String(names[i]), &m_choices.wfmColor[i]));
        m_show[i] = Check(group, QLatin1String(showNames[i]), m_choices.wfmShow[i]);
        shows->addWidget(m_show[i]);
    }
    form->addRow(tr("Color:"), colors);
    form->addRow(tr("Show:"), shows);
    return group;
}

QWidget* CYTSheetPropertiesDialog::BuildDisplayGroup() {
    auto* group = new QGroupBox(tr("Display"), this);
    auto* form = new QFormLayout(group);
    m_colorMode = List(group, {tr("RGB"), tr("B&W")}, m_choices.colorMode);
    form->addRow(tr("Color Mode:"), m_colorMode);
    m_showTrigger = Check(group, tr("Show Trigger T"), m_choices.showTrigger);
    m_lockTrigger = Check(group, tr("Lock Trigger Point"), m_choices.lockTrigger);
    m_showScale = Check(group, tr("Show Scale information"), m_choices.showScale);
    auto* font = new QPushButton(tr("Font..."), group);
    connect(font, &QPushButton::clicked, this, [this] { PickFont(&m_choices.scaleFont, &m_choices.scaleColor); });
    form->addRow(m_showTrigger);
    form->addRow(m_lockTrigger);
    form->addRow(m_showScale, font);
    return group;
}

QWidget* CYTSheetPropertiesDialog::BuildCursorGroup() {
    auto* group = new QGroupBox(tr("Cursor"), this);
    auto* form = new QFormLayout(group);
    m_cursorStyle = List(group, {tr("None"), tr("Horizontal"), tr("Vertical")}, m_choices.cursorType);
    form->addRow(tr("Style:"), m_cursorStyle);
    m_tracking = Check(group, tr("Tracking Cursor"), m_choices.tracking);
    auto* font = new QPushButton(tr("Font..."), group);
    connect(font, &QPushButton::clicked, this, [this] { PickFont(&m_choices.cursorFont, &m_choices.cursorColor); });
    form->addRow(m_tracking, font);
    return group;
}
