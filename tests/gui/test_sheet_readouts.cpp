// The waveform sheet's read-outs against the simulated instrument: the
// instrument is set up through the settings model, its records reach a sheet,
// and every scale and cursor read-out is compared with what the instrument
// was told and with the signal it generated (a 1 kHz sine of 2 V peak to
// peak), not with the sheet's own formulas.
#include <QComboBox>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "ScopedPrompts.h"
#include "SheetWindow.h"
#include "analysis/FftPower.h"
#include "analysis/SampleReading.h"
#include "corvane/ScaleConversion.h"
#include "docs/YTSheetPainter.h"
#include "docs/YTSheetScales.h"
#include "docs/YTSheetUpdate.h"
#include "link/LinkSession.h"
#include "settings/CaptureRun.h"
#include "settings/SettingKinds.h"
#include "settings/SettingsRig.h"

namespace {

constexpr double kSineHz = 1000.0;
constexpr double kSineAmplitudeV = 1.0;
// Positions of the model's main time-base list (it starts at 400 ns).
constexpr int kTimeBase200us = 8;
constexpr int kTimeBase8ms = 13;

// The instrument with CH1 at 500 mV/div, one division up, and the time base
// given; false when an edit is refused.
bool Configure(CSettingsRig& rig, int timeBase) {
    return rig.Connect() && rig.Edit(KIND_VOLTS_PER_DIV, 1, {-1, "500mV"}).outcome == EditOutcome::Applied &&
           rig.Edit(KIND_VERT_POSITION, 1, {-1, "1.00"}).outcome == EditOutcome::Applied &&
           rig.Edit(KIND_MAIN_TIME_BASE, 0, {timeBase, ""}).outcome == EditOutcome::Applied;
}

// The last of two records the instrument sends with its current settings.
std::optional<CapturedRecord> Capture(CSettingsRig& rig) {
    rig.session->SetAcquisitionInterval(5);
    CCaptureRun run(*rig.session, *rig.model);
    if (run.Run(2, 10000) != 2) return std::nullopt;
    return run.Records().back();
}

// The record shown on a sheet as message 1126 shows it on a running sheet,
// then painted so that the read-outs take their texts. Returns what the
// frame's selectors are told.
SheetSelectorState Show(CYTSheetData& sheet, const CapturedRecord& r) {
    static const int32_t kShown[3] = {1, 1, 1};
    sheet.online = 1;
    sheet.pointsPerTrace = static_cast<int32_t>(r.ch1.size());
    SheetAcquisition in;
    in.wfm = &r.param;
    in.ch1 = reinterpret_cast<const uint8_t*>(r.ch1.data());
    in.ch2 = r.ch2.size() >= r.ch1.size() ? reinterpret_cast<const uint8_t*>(r.ch2.data()) : nullptr;
    in.length = r.ch1.size();
    in.ch1Dex = r.ch1Offset;
    in.ch2Dex = r.ch2Offset;
    in.show = kShown;
    in.recordLength = sheet.pointsPerTrace;
    const SheetUpdateResult result = ApplyAcquisition(sheet, in);
    EXPECT_TRUE(result.ok);
    SheetPaintOptions paint;
    paint.size = QSize(700, 560);
    CYTSheetPainter::Render(sheet, paint);
    return result.selectors;
}

void PlaceCursors(CYTSheetData& sheet, int type, QPoint first, QPoint second) {
    for (CDSOCursor& c : sheet.cursor) c.SetCursorType(type);
    sheet.cursor[0].MoveCursor(first);
    sheet.cursor[1].MoveCursor(second);
    RefreshCursorReadout(sheet);
}

// Graph x where the trace rises through y, interpolated; the first at or after fromX.
std::optional<double> RisingCrossing(const CDSOWaveform& t, int y, double fromX) {
    for (uint32_t i = 1; i < t.GetPointCount(); ++i) {
        const QPoint a = t.GetPoint(i - 1), b = t.GetPoint(i);
        if (b.x() >= fromX && a.y() < y && b.y() >= y) return a.x() + double(y - a.y()) / (b.y() - a.y()) * (b.x() - a.x());
    }
    return std::nullopt;
}

// The highest (sign 1) or lowest (sign -1) point of a trace.
QPoint Extreme(const CDSOWaveform& t, int sign) {
    QPoint best = t.GetPoint(0);
    for (uint32_t i = 1; i < t.GetPointCount(); ++i)
        if (sign * t.GetPoint(i).y() > sign * best.y()) best = t.GetPoint(i);
    return best;
}

// The display column that carries a spectrum bin.
int ColumnOfBin(int bin) {
    for (int column = 0, k = -1; column < kSpectrumTraceColumns; ++column)
        if (SpectrumColumnCarriesValue(column) && ++k == bin) return column;
    return -1;
}

QStringList Readouts(CYTSheetData& sheet) { return sheet.scaleInfo.GetLines() + sheet.cursorInfo.GetLines(); }

}  // namespace

// Y-T: the scale read-out says what the instrument was set to; a cursor on
// the trigger mark reads 0 s, cursors one period of the sine apart read 1 ms
// and 1 kHz, and cursors on its crests read ±1 V.
TEST(SheetReadouts, ChannelReadoutsMatchTheSimulatedSine) {
    CSettingsRig rig("model=4,ch1=sine:1k:2,ch2=none");
    ASSERT_TRUE(Configure(rig, kTimeBase200us));
    ASSERT_EQ(rig.Edit(KIND_TRIGGER_POSITION, 0, {-1, "200us"}).outcome, EditOutcome::Applied);
    const std::optional<CapturedRecord> record = Capture(rig);
    ASSERT_TRUE(record);
    CYTSheetData sheet;
    Show(sheet, *record);
    EXPECT_TRUE(sheet.scaleInfo.GetLines().contains(QStringLiteral("CH1 500mV  200us")))
        << sheet.scaleInfo.GetLines().join('|').toStdString();

    // 200 samples a division: one graph unit is one sample, 1 us.
    const CDSOWaveform& ch1 = sheet.trace[kTraceCH1];
    const double samplePeriod = 200e-6 / 200;
    const QPoint mark = ch1.GetWfmTrig();
    EXPECT_EQ(mark.x(), wndWidth / 2 - 200);  // 200 us before the centre: one division
    // The sine rises through the trigger level at the mark.
    const std::optional<double> atMark = RisingCrossing(ch1, mark.y(), mark.x() - 5);
    ASSERT_TRUE(atMark);
    EXPECT_NEAR(*atMark, mark.x(), 2.0);
    const std::optional<double> nextPeriod = RisingCrossing(ch1, mark.y(), *atMark + 100);
    ASSERT_TRUE(nextPeriod);
    PlaceCursors(sheet, CDSOCursor::CURSOR_VERTICAL, mark, mark);
    EXPECT_DOUBLE_EQ(sheet.cursorInfo.GetValue1(), 0.0);
    EXPECT_TRUE(sheet.cursorInfo.GetLines().contains(QStringLiteral("T1: 0s")))
        << sheet.cursorInfo.GetLines().join('|').toStdString();
    auto at = [](double x) { return QPoint(static_cast<int>(std::lround(x)), 0); };
    PlaceCursors(sheet, CDSOCursor::CURSOR_VERTICAL, at(*atMark), at(*nextPeriod));
    // Cursors sit on whole samples: each read-out within one sample period.
    const double tolerance = 1.01 * samplePeriod;
    EXPECT_NEAR(sheet.cursorInfo.GetValue1(), 0.0, tolerance);
    EXPECT_NEAR(sheet.cursorInfo.GetDelta(), 1.0 / kSineHz, tolerance);
    EXPECT_NEAR(1.0 / sheet.cursorInfo.GetDelta(), kSineHz, kSineHz * kSineHz * tolerance);

    // One count is 500 mV / 25.
    PlaceCursors(sheet, CDSOCursor::CURSOR_HORIZONTAL, Extreme(ch1, 1), Extreme(ch1, -1));
    EXPECT_NEAR(sheet.cursorInfo.GetValue1(), kSineAmplitudeV, 0.5 / 25);
    EXPECT_NEAR(sheet.cursorInfo.GetValue2(), -kSineAmplitudeV, 0.5 / 25);
}

// Spectrum: the frequency per division is ten over the time per division, the
// frequency selector stands on it, a cursor on the peak reads the sine's
// frequency within one bin and the level the spectrum routine computed for
// that bin; choosing another frequency scale keeps both.
TEST(SheetReadouts, SpectrumReadoutsMatchTheSineAndTheSpectrumRoutine) {
    CSettingsRig rig("model=4,ch1=sine:1k:2,ch2=none");
    ASSERT_TRUE(Configure(rig, kTimeBase8ms));
    ASSERT_EQ(rig.Edit(KIND_MATH_ON, 0, {1, ""}).outcome, EditOutcome::Applied);
    ASSERT_EQ(rig.Edit(KIND_MATH_OPERATION, 0, {3, ""}).outcome, EditOutcome::Applied);
    const std::optional<CapturedRecord> record = Capture(rig);
    ASSERT_TRUE(record);
    CYTSheetData sheet;
    const SheetSelectorState selectors = Show(sheet, *record);
    const double fqPerDivisionHz = 10.0 / 8e-3;  // 1.25 kHz
    const double bin = fqPerDivisionHz * 10 / 1024;
    EXPECT_TRUE(sheet.scaleInfo.GetLines().join('|').contains(QStringLiteral("1.25kHz")))
        << sheet.scaleInfo.GetLines().join('|').toStdString();
    EXPECT_TRUE(selectors.spectrum);
    EXPECT_EQ(CalcFqBase(selectors.horizontalIndex + 1), std::llround(fqPerDivisionHz * 1000));

    // The level of every bin as the spectrum routine computes it from the record.
    std::array<int32_t, 1024> db{};
    const SpectrumInput input =
        SpectrumInputFromRecord(reinterpret_cast<const uint8_t*>(record->ch1.data()), record->ch1.size());
    ComputeSpectrumDb(db, input, WindowCodeFromInstrument(record->param.nFFTWindow));
    const int peakBin = static_cast<int>(std::max_element(db.begin() + 1, db.end()) - db.begin());
    ASSERT_NEAR(peakBin * bin, kSineHz, 1.5 * bin);
    ASSERT_LE(record->param.nFFTDbBase, 10);  // levels are drawn to the decibel

    // The point the trace draws for that bin (the trace holds one point per column).
    const int column = ColumnOfBin(peakBin);
    const CDSOWaveform& math = sheet.trace[kTraceMath];
    ASSERT_EQ(math.GetPointCount(), static_cast<uint32_t>(kSpectrumTraceColumns));
    const QPoint peak = math.DisplayPoint(math.GetPoint(static_cast<uint32_t>(column))).toPoint();
    PlaceCursors(sheet, CDSOCursor::CURSOR_VERTICAL, peak, peak);
    EXPECT_NEAR(sheet.cursorInfo.GetValue1(), kSineHz, bin);
    PlaceCursors(sheet, CDSOCursor::CURSOR_HORIZONTAL, peak, peak);
    EXPECT_DOUBLE_EQ(sheet.cursorInfo.GetValue1(), db[peakBin]);

    // The 2.50 kHz entry halves the spectrum; the cursor on the peak follows it.
    const int entry = 12;
    ASSERT_EQ(CalcFqBase(entry + 1), 2500000);
    PlaceCursors(sheet, CDSOCursor::CURSOR_VERTICAL, peak, peak);
    ASSERT_TRUE(RescaleSelectedHorizontally(sheet, entry, static_cast<double>(CalcFqBase(entry + 1))));
    EXPECT_FLOAT_EQ(math.GetHzRatio(), 0.5f);
    EXPECT_NEAR(sheet.cursorInfo.GetValue1(), kSineHz, bin);
    EXPECT_EQ(sheet.cursor[0].GetDrawPos().x(),
              std::lround(math.DisplayPoint(math.GetPoint(static_cast<uint32_t>(column))).x()));
}

// A rescaled sheet is saved and opened again: every read-out is what it was
// before saving, also once the reopened sheet recomputes them. The cursor
// dragged before the rescale comes back to where it was dropped with Run.
TEST(SheetReadouts, RescaledSheetReopensAsSavedAndRunBringsTheDroppedCursorBack) {
    ScopedPrompts prompts;
    CSettingsRig rig("model=4,ch1=sine:1k:2,ch2=none");
    ASSERT_TRUE(Configure(rig, kTimeBase200us));
    ASSERT_EQ(rig.Edit(KIND_TRIGGER_POSITION, 0, {-1, "200us"}).outcome, EditOutcome::Applied);
    rig.session->SetAcquisitionInterval(5);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rescaled.wfm"));
    SheetWindow w(QSize(700, 560), rig.session.get());
    CYTSheetData& s = w.sheet();
    ASSERT_TRUE(w.frame->Run());
    ASSERT_TRUE(rig.WaitUntil([&] { return s.trace[kTraceCH1].GetPointCount() == 3200 && s.wfm.nHorizPos == 40; },
                              10000));
    ASSERT_TRUE(w.frame->Stop());
    for (CDSOCursor& c : s.cursor) c.SetCursorType(CDSOCursor::CURSOR_VERTICAL);
    w.view->viewport()->repaint();

    // Cursor 1 dragged from its start place to 200 us after the trigger.
    const int dropX = s.trace[kTraceCH1].GetWfmTrig().x() + 200;
    Drag(w.view, w.view->DeviceFromGraph(QPointF(s.cursor[0].GetDrawPos().x(), 0)),
         w.view->DeviceFromGraph(QPointF(dropX, 0)));
    const QPoint dropped = s.cursor[0].GetPos(), second = s.cursor[1].GetPos();
    ASSERT_NEAR(dropped.x(), dropX, 8);
    const double droppedTime = s.cursorInfo.GetValue1();
    EXPECT_NEAR(droppedTime, 200e-6, 8e-6);

    // 80 us/div stretches the trace 2.5 times about the trigger: cursor 1
    // keeps its time, cursor 2 (900 us before the trigger) stops at the
    // graph's left edge.
    w.bar().SelectHorizontalScale(13);
    w.bar().SelectVerticalScale(6);
    w.view->viewport()->repaint();
    EXPECT_NEAR(s.cursorInfo.GetValue1(), droppedTime, 1e-6);
    EXPECT_EQ(s.cursor[1].GetDrawPos().x(), 0);
    const QStringList before = Readouts(s);
    EXPECT_TRUE(before.contains(QStringLiteral("CH1 200mV  80.0us"))) << before.join('|').toStdString();
    QString error;
    ASSERT_TRUE(w.view->SaveDocument(path, &error)) << error.toStdString();

    SheetWindow reopened;
    ASSERT_TRUE(reopened.view->LoadDocument(path, &error)) << error.toStdString();
    reopened.view->viewport()->repaint();
    EXPECT_EQ(Readouts(reopened.sheet()), before);
    // The selectors stand on the scales shown.
    const auto selector = [&](int id) {
        return qobject_cast<QComboBox*>(reopened.frame->ToolBar()->widgetForAction(reopened.frame->Action(id)));
    };
    ASSERT_TRUE(selector(kIdHorizontalSelector) && selector(kIdVerticalSelector));
    EXPECT_EQ(selector(kIdHorizontalSelector)->currentText(), QStringLiteral("80.0us"));
    EXPECT_EQ(selector(kIdVerticalSelector)->currentText(), QStringLiteral("200mV"));
    // A click on an empty place recomputes the cursor read-out from the scales.
    const QPoint empty = reopened.view->DeviceFromGraph(QPointF(3000, -700));
    Mouse(reopened.view->viewport(), QEvent::MouseButtonPress, empty);
    Mouse(reopened.view->viewport(), QEvent::MouseButtonRelease, empty, Qt::NoButton);
    reopened.view->viewport()->repaint();
    EXPECT_EQ(Readouts(reopened.sheet()), before);

    ASSERT_TRUE(w.frame->Run());
    EXPECT_EQ(s.cursor[0].GetPos(), dropped);
    EXPECT_EQ(s.cursor[1].GetPos(), second);
    EXPECT_NEAR(s.cursorInfo.GetValue1(), droppedTime, 1e-6);
    ASSERT_TRUE(w.frame->Stop());
}
