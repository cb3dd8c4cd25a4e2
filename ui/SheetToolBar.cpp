#include "ui/SheetToolBar.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QToolBar>

#include "corvane/ScaleConversion.h"
#include "docs/DSOInfo.h"
#include "docs/YTSheetPainter.h"
#include "ui/ChildHost.h"
#include "ui/ZoomEntry.h"

namespace {
QComboBox* MakeSelector(IChildHost& host, const QStringList& entries, int width, const QString& tip)
{
    auto* box = new QComboBox(host.ToolBar());
    box->addItems(entries);
    box->setFont(QFont(QStringLiteral("Arial Black")));
    box->setMinimumWidth(width);
    box->setToolTip(tip);
    return box;
}

void Refill(QComboBox* box, const QStringList& texts, int current)
{
    box->clear();
    box->addItems(texts);
    box->setCurrentIndex(current);
}

QStringList VerticalTexts(const SheetSelectorState& s)
{
    QStringList texts;
    for (int i = 0; i < kVerticalScaleEntries; ++i) {
        if (s.spectrum)
            texts << QStringLiteral("%1dB").arg(CalcDbBase(i + 1));
        else if (i == kCustomVerticalEntry)
            texts << CYTSheetPainter::VoltText(s.customVertical);
        else
            texts << CYTSheetPainter::VoltText(static_cast<double>(CalcVoltBase(i + 1, s.probe)) * 1000.0);
    }
    return texts;
}

QStringList HorizontalTexts(const SheetSelectorState& s)
{
    if (!s.spectrum)
        return HorizontalScaleTexts();
    QStringList texts;
    for (int i = 0; i < kHorizontalScaleEntries; ++i)
        texts << DSOFormatValue(static_cast<double>(CalcFqBase(i + 1)) / 1000.0, QStringLiteral("Hz"));
    return texts;
}
}  // namespace

CSheetToolBar::CSheetToolBar(IChildHost& host, QObject* parent) : QObject(parent)
{
    m_zoomBox = MakeSelector(host, ZoomEntryTexts(), 80, tr("Zoom"));
    m_zoomBox->setEditable(true);
    m_zoomBox->setInsertPolicy(QComboBox::NoInsert);
    m_zoomBox->setCurrentIndex(kDefaultZoomEntry);
    host.AddToolBarWidget(m_zoomBox, kIdZoomSelector);
    connect(m_zoomBox, &QComboBox::activated, this, &CSheetToolBar::SelectZoomEntry);
    connect(m_zoomBox->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { EnterZoomText(m_zoomBox->lineEdit()->text()); });

    m_verticalBox = MakeSelector(host, VerticalScaleTexts(), 90, tr("Vertical scale"));
    m_verticalAction = host.AddToolBarWidget(m_verticalBox, kIdVerticalSelector);
    connect(m_verticalBox, &QComboBox::activated, this, &CSheetToolBar::SelectVerticalScale);

    m_horizontalBox = MakeSelector(host, HorizontalScaleTexts(), 90, tr("Horizontal scale"));
    m_horizontalAction = host.AddToolBarWidget(m_horizontalBox, kIdHorizontalSelector);
    connect(m_horizontalBox, &QComboBox::activated, this, &CSheetToolBar::SelectHorizontalScale);
}

void CSheetToolBar::SelectZoomEntry(int index)
{
    const double factor = ZoomFactorOfEntry(index);
    if (factor > 0.0)
        emit ZoomChosen(factor);
}

bool CSheetToolBar::EnterZoomText(const QString& typed)
{
    const std::optional<TypedZoom> zoom = ParseTypedZoom(typed);
    if (!zoom)
        return false;
    m_zoomBox->setEditText(zoom->text);
    emit ZoomChosen(zoom->factor);
    return true;
}

void CSheetToolBar::ShowZoomText(const QString& text)
{
    m_zoomBox->setEditText(text);
}

void CSheetToolBar::SelectHorizontalScale(int index)
{
    if (index >= 0 && index < kHorizontalScaleEntries)
        emit HorizontalScaleChosen(index, HorizontalScaleOf(index, m_domain));
}

void CSheetToolBar::SelectVerticalScale(int index)
{
    if (index >= 0 && index < kVerticalScaleEntries)
        emit VerticalScaleChosen(index, VerticalScaleOf(index, m_domain, m_probe, m_customVerticalScale));
}

void CSheetToolBar::ShowScales(const SheetSelectorState& s)
{
    if (s.channel < 0)
        return;
    m_domain = s.spectrum ? ScaleDomain::FrequencyDecibel : ScaleDomain::TimeVoltage;
    m_probe = s.probe;
    m_customVerticalScale = s.customVertical;
    Refill(m_verticalBox, VerticalTexts(s), s.verticalIndex);
    Refill(m_horizontalBox, HorizontalTexts(s), s.horizontalIndex);
}

void CSheetToolBar::SetSelectorsVisible(bool visible)
{
    m_verticalAction->setVisible(visible);
    m_horizontalAction->setVisible(visible);
}

bool CSheetToolBar::SelectorsVisible() const
{
    return m_verticalAction->isVisible() && m_horizontalAction->isVisible();
}

QComboBox* CSheetToolBar::Selector(int id) const
{
    return id == kIdZoomSelector ? m_zoomBox
           : id == kIdVerticalSelector ? m_verticalBox
           : id == kIdHorizontalSelector ? m_horizontalBox
                                         : nullptr;
}
