#include "docs/YTSheetPainter.h"

#include "corvane/SharedState.h"
#include "docs/DSOMapping.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <vector>

namespace {
constexpr const char* kXYCaption = "X-Y Mode";

bool IsYT(int32_t format) { return format == kFormatYT || format == kFormatYT2; }
}  // namespace

QTransform CYTSheetPainter::Mapping(float zoom, QPoint scroll) {
    return CDSOMapping::LogicalToDevice(zoom) * QTransform::fromTranslate(-scroll.x(), -scroll.y());
}

QPoint CYTSheetPainter::XYPoint(int ch1Y, int ch2Y) {
    return QPoint(ch1Y + wndWidth / 2, ch2Y - wndHeight / 2);
}

QString CYTSheetPainter::VoltText(double microvolts) { return DSOFormatValue(microvolts * 1e-6, QStringLiteral("V")); }

QString CYTSheetPainter::TimeText(double nanoseconds) {
    return DSOFormatValue(nanoseconds * 1e-9, QStringLiteral("s"));
}

QImage CYTSheetPainter::Render(CYTSheetData& sheet, const SheetPaintOptions& options) {
    QImage image(options.size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&image);
    Paint(painter, sheet, options);
    return image;
}

void CYTSheetPainter::Paint(QPainter& painter, CYTSheetData& sheet, const SheetPaintOptions& options) {
    const bool blackWhite = options.printing && sheet.printBlackWhite;
    sheet.ApplyColorMode(blackWhite ? COLOR_MODE_BW : sheet.savedColorMode);
    painter.save();
    painter.fillRect(QRect(QPoint(), options.size),
                     blackWhite ? QColor(Qt::white) : QColorFromDSO(CDSOGraticule::kCoverColor));
    painter.setTransform(Mapping(sheet.zoom, options.scroll));
    sheet.graticule.SetZoomScale(sheet.zoom);
    sheet.graticule.DrawGraticule(painter);
    sheet.graticule.DrawCoverArea(painter);
    HideMarks(sheet);
    if (IsYT(sheet.wfm.nDisplayFormat))
        PaintYT(painter, sheet, options);
    else if (sheet.wfm.nDisplayFormat == kFormatXY)
        PaintXY(painter, sheet);
    if (!options.rubberBand.isEmpty()) PaintRubberBand(painter, options.rubberBand);
    painter.restore();
    if (blackWhite) sheet.ApplyColorMode(sheet.savedColorMode);
}

// Cursors, cursor read-out, blocks and rail are hidden unless the format
// draws them, so that the mouse finds nothing it cannot see; the scale
// read-out keeps the user's choice and is only marked as not drawn.
void CYTSheetPainter::HideMarks(CYTSheetData& sheet) {
    for (CDSOCursor& c : sheet.cursor) c.SetVisible(0);
    for (CDSOMoveBlock& b : sheet.block) b.SetVisible(0);
    sheet.cursorInfo.SetVisible(0);
    sheet.rail.SetVisible(0);
    sheet.scaleInfoDrawn = false;
}

void CYTSheetPainter::PaintYT(QPainter& painter, CYTSheetData& sheet, const SheetPaintOptions& options) {
    bool drawn[kTraceCount];
    bool any = false;
    for (int i = 0; i < kTraceCount; ++i) any |= drawn[i] = sheet.TraceDrawn(i, options.show);
    if (!any) return;
    const bool scan = sheet.wfm.strState == "Scan";
    const bool spectrum = sheet.wfm.nMathOperation == kMathFFT;
    for (int i = 0; i < kTraceCount; ++i) {
        if (!drawn[i]) continue;
        CDSOWaveform& t = sheet.trace[i];
        // A spectrum has no trigger point to mark.
        t.SetTrigVisible(sheet.showTrigger && !scan && !(i == kTraceMath && spectrum));
        t.SetColorMode(sheet.colorMode);
        t.SetZoomScale(sheet.zoom);
        t.DrawWaveform(painter);
    }
    const bool cursorsOn = sheet.cursor[0].GetCursorType() != CDSOCursor::CURSOR_NONE;
    PaintScaleInfo(painter, sheet, drawn);
    for (CDSOCursor& c : sheet.cursor) {
        c.SetVisible(cursorsOn);
        c.SetZoomScale(sheet.zoom);
        c.DrawCursor(painter);
    }
    sheet.cursorInfo.SetVisible(cursorsOn);
    sheet.cursorInfo.SetZoomScale(sheet.zoom);
    sheet.cursorInfo.DrawInfo(painter);
    sheet.graticule.DrawCoverArea(painter);
    PaintBlocksAndRail(painter, sheet, drawn);
}

void CYTSheetPainter::PaintScaleInfo(QPainter& painter, CYTSheetData& sheet, const bool drawn[3]) {
    CDSOParam& info = sheet.scaleInfo;
    int channels = 0;
    for (int ch = kTraceCH1; ch <= kTraceCH2; ++ch) {
        info.SetVoltScale(ch, VoltText(sheet.trace[ch].GetPreVtScale()));
        info.SetTimeScale(ch, TimeText(sheet.trace[ch].GetPreHzScale()));
        channels += drawn[ch] ? 1 : 0;
    }
    const bool spectrum = drawn[kTraceMath] && sheet.wfm.nMathOperation == kMathFFT;
    if (spectrum) {
        info.SetDbScale(QStringLiteral("%1dB").arg(sheet.trace[kTraceMath].GetPreVtScale()));
        info.SetFrequency(DSOFormatValue(sheet.trace[kTraceMath].GetPreHzScale() / 1000.0, QStringLiteral("Hz")));
    }
    info.SetParamCount(channels);
    info.SetParamShow(drawn[0], drawn[1], drawn[2]);
    info.SetShowFlag(spectrum ? CDSOParam::SHOW_SPECTRUM : CDSOParam::SHOW_YT);
    info.SetZoomScale(sheet.zoom);
    info.DrawInfo(painter);
    sheet.scaleInfoDrawn = true;
}

void CYTSheetPainter::PaintBlocksAndRail(QPainter& painter, CYTSheetData& sheet, const bool drawn[3]) {
    for (int i = 0; i < kTraceCount; ++i) {
        CDSOMoveBlock& b = sheet.block[i];
        b.SetBlockID(i + 1);
        b.SetZoomScale(sheet.zoom);
        b.SetBlockCenter(QPoint(0, sheet.PivotY(i)));
        b.SetColorMode(sheet.colorMode);
        b.SetVisible(drawn[i]);
        b.DrawBlock(painter);
    }
    CDSOMoveRail& rail = sheet.rail;
    rail.SetBgColor(sheet.graticule.GetBgColor());
    rail.SetFrameColor(sheet.graticule.GetGtColor());
    const int enabled = sheet.EnabledBlock();
    if (enabled >= 0) {
        rail.SetRailID(enabled + 1);
        rail.SetRailColor(sheet.block[enabled].GetBlockColor());
    }
    const CDSOWaveform& focused = sheet.trace[sheet.FocusedTrace()];
    rail.SetRailStart(focused.GetWfmStart());
    rail.SetRailEnd(focused.GetWfmEnd());
    rail.SetRailTrig(focused.GetWfmTrig());
    rail.SetZoomScale(sheet.zoom);
    rail.SetColorMode(sheet.colorMode);
    rail.SetVisible(1);
    rail.DrawRail(painter);
}

void CYTSheetPainter::PaintXY(QPainter& painter, CYTSheetData& sheet) {
    const QColor ink = sheet.colorMode == COLOR_MODE_BW ? QColor(Qt::black) : QColorFromDSO(kXYColor);
    const uint32_t count = std::min({sheet.trace[kTraceCH1].GetPointCount(), sheet.trace[kTraceCH2].GetPointCount(),
                                     static_cast<uint32_t>(std::max(sheet.pointsPerTrace, 0))});
    QPolygon points(static_cast<int>(count));
    for (uint32_t i = 0; i < count; ++i)
        points[static_cast<int>(i)] =
            XYPoint(sheet.trace[kTraceCH1].GetPoint(i).y(), sheet.trace[kTraceCH2].GetPoint(i).y());
    painter.setPen(QPen(ink, 0));
    painter.drawPoints(points);

    CDSOParam& info = sheet.scaleInfo;
    info.SetXyScale(QString::fromStdString(sheet.wfm.strCH1VoltBase), QString::fromStdString(sheet.wfm.strCH2VoltBase));
    info.SetShowFlag(CDSOParam::SHOW_XY);
    info.SetParamShow(sheet.trace[0].GetVisible(), sheet.trace[1].GetVisible(), sheet.trace[2].GetVisible());
    info.SetZoomScale(sheet.zoom);
    info.DrawInfo(painter);
    sheet.scaleInfoDrawn = true;

    // The caption is drawn upright in device space, centred over the graph.
    const QString caption = QString::fromLatin1(kXYCaption);
    const QPointF anchor = painter.transform().map(QPointF(wndWidth / 2.0, static_cast<int>(500 / sheet.zoom)));
    painter.save();
    painter.resetTransform();
    const QFontMetrics metrics(painter.font());
    const double half = (caption.size() + 1) * metrics.averageCharWidth() / 2.0;
    painter.setPen(ink);
    painter.drawText(QPointF(anchor.x() - half, anchor.y()), caption);
    painter.restore();
}

void CYTSheetPainter::PaintRubberBand(QPainter& painter, const QRectF& band) {
    QPen pen(Qt::white, 0, Qt::DotLine);
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(band.normalized());
    painter.restore();
}
