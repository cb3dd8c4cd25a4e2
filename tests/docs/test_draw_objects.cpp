#include "docs/DSOCursor.h"
#include "docs/DSOGraticule.h"
#include "docs/DSOInfo.h"
#include "docs/DSOMapping.h"
#include "docs/DSOMoveBlock.h"
#include "docs/DSOMoveRail.h"
#include "docs/DSOParam.h"
#include "docs/DSOWaveform.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// Stores an object, loads the bytes into a fresh one, stores that again:
// the two byte strings must match and the whole input must be consumed.
template <class T>
QByteArray RoundTrip(T& original, T& loaded) {
    CArchive out;
    original.Serialize(out);
    EXPECT_FALSE(out.Failed());
    CArchive in(out.Buffer());
    loaded.Serialize(in);
    EXPECT_FALSE(in.Failed());
    EXPECT_EQ(in.Remaining(), 0u);
    CArchive again;
    loaded.Serialize(again);
    EXPECT_EQ(again.Buffer(), out.Buffer());
    return out.Buffer();
}

} // namespace

TEST(DrawObjectsFile, WaveformStateAndPointsRoundTrip) {
    CDSOWaveform trace;
    trace.SetColorMode(COLOR_MODE_BW);
    trace.SetZoomScale(7.0f);
    trace.SetFocus(1);
    trace.SetDisplayStyle(WFM_DOTS);
    trace.SetWfmColor(DSORgb(1, 2, 3));
    trace.SetPivot(QPoint(0, -96));
    trace.SetTrigPos(QPoint(-50, 40));
    trace.SetDisplacement(-50, 25);
    trace.SetVtScaleIndex(11);
    trace.SetHzScaleIndex(7);
    trace.SetPreVtScale(0.5);
    trace.SetOldHzScale(1.0e6);
    trace.SetHzRatio(2.5f);
    trace.SetState("Scan");
    for (int i = 0; i < 1000; ++i) trace.AddPoint(QPoint(i * 3, (i % 200) * 8 - 800));

    CDSOWaveform loaded;
    RoundTrip(trace, loaded);
    EXPECT_EQ(loaded.GetColorMode(), COLOR_MODE_BW);
    EXPECT_EQ(loaded.GetZoomScale(), 7.0f);
    EXPECT_EQ(loaded.GetDisplayStyle(), WFM_DOTS);
    EXPECT_EQ(loaded.GetWfmColor(), DSORgb(1, 2, 3));
    EXPECT_EQ(loaded.GetDisplacement(), QPoint(-50, 25));
    EXPECT_EQ(loaded.GetVtScaleIndex(), 11);
    EXPECT_EQ(loaded.GetOldHzScale(), 1.0e6);
    EXPECT_EQ(loaded.GetHzRatio(), 2.5f);
    EXPECT_EQ(loaded.GetState(), "Scan");
    ASSERT_EQ(loaded.GetPointCount(), 1000u);
    EXPECT_EQ(loaded.GetPoint(999), QPoint(2997, 199 * 8 - 800));
}

TEST(DrawObjectsFile, DamagedWaveformStateIsRefusedAndKeepsThePoints) {
    CDSOWaveform trace;
    for (int i = 0; i < 100; ++i) trace.AddPoint(QPoint(i, i));
    CArchive out;
    trace.Serialize(out);
    const QByteArray bytes = out.Buffer();

    CDSOWaveform target;
    target.AddPoint(QPoint(7, 7));
    CArchive truncated(bytes.left(bytes.size() - 3));
    target.Serialize(truncated);
    EXPECT_TRUE(truncated.Failed());
    ASSERT_EQ(target.GetPointCount(), 1u);
    EXPECT_EQ(target.GetPoint(0), QPoint(7, 7));

    // A point count of 2^31 over a short input: refused before any allocation.
    QByteArray hostile = bytes.left(bytes.size() - 100 * 8 - 4);
    hostile += QByteArray::fromHex("00000080");
    hostile += QByteArray(64, '\0');
    CArchive in(hostile);
    target.Serialize(in);
    EXPECT_TRUE(in.Failed());
    EXPECT_EQ(target.GetPointCount(), 1u);

    // A display style outside the enumeration.
    QByteArray badStyle = bytes;
    const qsizetype styleAt = 2 + 2 + 2 + 12 + 4 * 5; // class record, then the shared fields
    badStyle[styleAt] = 9;
    CArchive styleIn(badStyle);
    target.Serialize(styleIn);
    EXPECT_TRUE(styleIn.Failed());

    // Another object's state in the trace's place.
    CDSOCursor cursor;
    CArchive other;
    cursor.Serialize(other);
    CArchive otherIn(other.Buffer());
    target.Serialize(otherIn);
    EXPECT_TRUE(otherIn.Failed());
}

TEST(DrawObjectsFile, EveryObjectRoundTripsInOneArchive) {
    CDSOGraticule graticule;
    graticule.SetGraticuleType(GRATICULE_CROSSHAIR);
    graticule.SetBgColor(DSORgb(9, 8, 7));
    CDSOCursor cursor;
    cursor.SetCursorType(CDSOCursor::CURSOR_VERTICAL);
    cursor.SetPos(QPoint(500, 500));
    cursor.SetPrePos(QPoint(500, 100));
    cursor.InitOldPlace(QPoint(500, 500));
    cursor.SetPenStyle(1);
    cursor.SetTrackFlag(1);
    CDSOInfo info;
    info.SetTimeBase(2.0e3);
    info.SetShowFlag(CDSOInfo::SHOW_SPECTRUM);
    QFont font = DSODefaultFont();
    font.setFamily("Serif");
    font.setPixelSize(60);
    info.SetTextFont(font);
    info.MoveInfo(QPoint(10, -10));
    CDSOParam param;
    param.SetVoltScale(1, QStringLiteral("20.0mV"));
    param.SetXyScale("1.00V", "2.00V");
    param.SetBrand(3);
    param.SetParamShow(0, 1, 1);
    CDSOMoveBlock block;
    block.SetBlockID(CDSOMoveBlock::BLOCK_MATH);
    block.SetBlockEnable(1);
    block.SetBlockCenter(QPoint(0, -240));
    block.SetMoveStart(100);
    block.MoveBlock(140);
    CDSOMoveRail rail;
    rail.SetRailID(2);
    rail.SetRailTrig(QPoint(1234, 0));
    rail.SetTrigLockFlag(1);

    CArchive out;
    for (CDSOObject* object : std::initializer_list<CDSOObject*>{&graticule, &cursor, &cursor, &info, &param,
                                                                 &block, &rail})
        object->Serialize(out);
    ASSERT_FALSE(out.Failed());

    CDSOGraticule graticule2;
    CDSOCursor cursor2a, cursor2b;
    CDSOInfo info2;
    CDSOParam param2;
    CDSOMoveBlock block2;
    CDSOMoveRail rail2;
    CArchive in(out.Buffer());
    for (CDSOObject* object : std::initializer_list<CDSOObject*>{&graticule2, &cursor2a, &cursor2b, &info2,
                                                                 &param2, &block2, &rail2})
        object->Serialize(in);
    ASSERT_FALSE(in.Failed());
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(graticule2.GetGraticuleType(), GRATICULE_CROSSHAIR);
    EXPECT_EQ(graticule2.GetBgColor(), DSORgb(9, 8, 7));
    EXPECT_EQ(cursor2b.GetCursorType(), CDSOCursor::CURSOR_VERTICAL);
    EXPECT_EQ(cursor2b.GetPrePos(), QPoint(500, 100));
    EXPECT_EQ(cursor2b.GetPenStyle(), 1);
    EXPECT_EQ(cursor2b.GetTrackFlag(), 1);
    EXPECT_EQ(info2.GetTimeBase(), 2.0e3);
    EXPECT_EQ(info2.GetShowFlag(), CDSOInfo::SHOW_SPECTRUM);
    EXPECT_EQ(info2.GetTextFont().family(), QStringLiteral("Serif"));
    EXPECT_EQ(info2.GetTextFont().pixelSize(), 60);
    EXPECT_EQ(info2.GetTopLeft(), info.GetTopLeft());
    EXPECT_EQ(param2.GetBrand(), 3);
    EXPECT_EQ(block2.GetBlockID(), CDSOMoveBlock::BLOCK_MATH);
    EXPECT_EQ(block2.GetMoveDistance(), 40);
    EXPECT_EQ(rail2.GetRailID(), 2);
    EXPECT_EQ(rail2.GetRailTrig(), QPoint(1234, 0));
    EXPECT_EQ(rail2.GetTrigLockFlag(), 1);

    // Storing what was loaded gives the same bytes again.
    CArchive again;
    for (CDSOObject* object : std::initializer_list<CDSOObject*>{&graticule2, &cursor2a, &cursor2b, &info2,
                                                                 &param2, &block2, &rail2})
        object->Serialize(again);
    EXPECT_EQ(again.Buffer(), out.Buffer());
}

TEST(DrawCursor, MovesAlongItsAxisAndHitsNearItsLine) {
    CDSOCursor cursor;
    cursor.SetZoomScale(5.0f); // a pixel is 6.4 units across, 4 units up
    cursor.SetCursorType(CDSOCursor::CURSOR_HORIZONTAL);
    cursor.SetPos(QPoint(200, 100));
    EXPECT_EQ(cursor.MoveCursor(QPoint(900, 300)), QPoint(0, 200));
    EXPECT_EQ(cursor.GetPos(), QPoint(200, 300));
    // Held inside the graph.
    cursor.MoveCursor(QPoint(0, 5000));
    EXPECT_EQ(cursor.GetPos(), QPoint(200, 800));
    cursor.SetPos(QPoint(200, 300));
    EXPECT_NE(cursor.IsSelLine(QPoint(1500, 316)), 0);
    EXPECT_EQ(cursor.IsSelLine(QPoint(1500, 317)), 0);
    EXPECT_EQ(cursor.IsSelLine(QPoint(3300, 300)), 0); // right of the graph
    // A trace drag carries the cursor with it.
    cursor.SetDisplacement(0, -50);
    EXPECT_EQ(cursor.GetDrawPos(), QPoint(200, 250));
    EXPECT_NE(cursor.IsSelLine(QPoint(100, 250)), 0);
    cursor.MoveCursor(QPoint(0, 400));
    EXPECT_EQ(cursor.GetDrawPos(), QPoint(200, 400));

    CDSOCursor vertical;
    vertical.SetCursorType(CDSOCursor::CURSOR_VERTICAL);
    vertical.SetPos(QPoint(500, 500));
    EXPECT_EQ(vertical.MoveCursor(QPoint(700, -300)), QPoint(200, 0));
    vertical.MoveBy(QPoint(-1000, 0));
    EXPECT_EQ(vertical.GetPos(), QPoint(0, 500));
    // Back to a scale: x scales about the graph centre from the transform point.
    vertical.SetPos(QPoint(2000, 0));
    vertical.SetTransformPoint(QPoint(2000, 0));
    vertical.SetHzRatio(0.5f);
    EXPECT_EQ(vertical.GetPos(), QPoint(1800, 0));
    // The horizontal ratio does nothing to a horizontal cursor.
    cursor.SetTransformPoint(cursor.GetPos());
    cursor.SetHzRatio(0.5f);
    cursor.SetVtRatio(2.0f, 100);
    EXPECT_EQ(cursor.GetPos(), QPoint(200, 800));

    // A hidden or typeless cursor is never hit.
    vertical.SetCursorType(CDSOCursor::CURSOR_NONE);
    EXPECT_EQ(vertical.IsSelLine(QPoint(1800, 0)), 0);
    // initCursor returns the old place to the initial one.
    vertical.InitOldPlace(QPoint(500, 500));
    vertical.SetOldPlace(QPoint(9, 9));
    vertical.SetDisplacement(30, 30);
    vertical.initCursor();
    EXPECT_EQ(vertical.GetOldPlace(), QPoint(500, 500));
    EXPECT_EQ(vertical.GetDisplacement(), QPoint());
}

TEST(DrawInfo, CursorReadOutValues) {
    CDSOCursor c1, c2;
    c1.SetCursorType(CDSOCursor::CURSOR_VERTICAL);
    c2.SetCursorType(CDSOCursor::CURSOR_VERTICAL);
    c1.SetPos(QPoint(1600, 0));
    c2.SetPos(QPoint(2000, 0));
    CDSOInfo info;
    info.SetTimeBase(500000); // 500 µs per division
    info.ProcessInfo(c1, c2, 0, 0);
    EXPECT_DOUBLE_EQ(info.GetValue1(), 0.0);
    EXPECT_DOUBLE_EQ(info.GetDelta(), 1.0e-3);
    // A horizontal offset moves the zero.
    info.ProcessInfo(c1, c2, 0, -400);
    EXPECT_DOUBLE_EQ(info.GetValue1(), 1.0e-3);

    c1.SetCursorType(CDSOCursor::CURSOR_HORIZONTAL);
    c2.SetCursorType(CDSOCursor::CURSOR_HORIZONTAL);
    c1.SetPos(QPoint(0, -100));
    c2.SetPos(QPoint(0, 300));
    info.SetVoltBase(200); // mV per division
    info.ProcessInfo(c1, c2, 100, 0);
    EXPECT_DOUBLE_EQ(info.GetValue1(), -0.2);
    EXPECT_DOUBLE_EQ(info.GetValue2(), 0.2);
    // The spectrum trace draws a level v at 8 × 10 × (v − reference) / (dB per division).
    info.SetShowFlag(CDSOInfo::SHOW_SPECTRUM);
    info.SetDbBase(10);
    info.SetDbReference(-27);
    info.ProcessInfo(c1, c2, 0, 0);
    EXPECT_DOUBLE_EQ(info.GetValue1(), -39.5);
    EXPECT_DOUBLE_EQ(info.GetValue2(), 10.5);

    EXPECT_EQ(DSOFormatValue(1.5e-3, "s"), QStringLiteral("1.50ms"));
    EXPECT_EQ(DSOFormatValue(-0.02, "V"), QStringLiteral("-20.0mV"));
    EXPECT_EQ(DSOFormatValue(999.7, "Hz"), QStringLiteral("1.00kHz"));
    EXPECT_EQ(DSOFormatValue(0, "V"), QStringLiteral("0V"));
}

TEST(DrawInfo, ReadOutsAreHitWhereTheyWereDrawnAndMove) {
    CDSOParam param;
    param.SetZoomScale(5.0f);
    param.SetVoltScale(0, "20.0mV");
    param.SetTimeScale(0, "1.00ms");
    param.SetParamShow(1, 0, 0);
    param.SetParamCount(1);
    param.SetTopLeft(QPointF(100, -500));
    QImage image(560, 460, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        painter.setTransform(CDSOMapping::LogicalToDevice(5.0));
        param.DrawInfo(painter);
    }
    const QRectF box = param.GetBoxRect();
    EXPECT_DOUBLE_EQ(box.left(), 100.0);
    EXPECT_DOUBLE_EQ(box.bottom(), -500.0);
    EXPECT_GT(box.width(), 300.0);
    EXPECT_NE(param.IsSelRect(QPoint(110, -510)), 0);
    EXPECT_EQ(param.IsSelRect(QPoint(90, -510)), 0);
    param.MoveInfo(QPoint(-50, 0));
    EXPECT_NE(param.IsSelRect(QPoint(60, -510)), 0);
    // Something was painted inside the box's device rectangle.
    const QRect device = CDSOMapping::LogicalToDevice(5.0)
                             .mapRect(QRectF(100, -500 - 800 - box.height(), box.width(), box.height()))
                             .toAlignedRect();
    bool painted = false;
    for (int y = device.top(); y <= device.bottom() && !painted; ++y)
        for (int x = device.left(); x <= device.right() && !painted; ++x)
            painted = image.pixelColor(x, y) != QColor(Qt::black);
    EXPECT_TRUE(painted);
}

TEST(DrawHandles, BlockAndRailDrags) {
    CDSOMoveBlock block;
    block.SetZoomScale(5.0f);
    block.SetBlockCenter(QPoint(0, 200));
    EXPECT_NE(block.IsSelRect(QPoint(-40, 200)), 0); // in the margin left of the graph
    EXPECT_EQ(block.IsSelRect(QPoint(40, 200)), 0);
    EXPECT_EQ(block.IsSelRect(QPoint(-40, 260)), 0);
    block.SetMoveStart(200);
    block.MoveBlock(260);
    EXPECT_NE(block.IsSelRect(QPoint(-40, 260)), 0); // the tag follows the drag
    block.SetMoveEnd(300);
    EXPECT_EQ(block.GetMoveDistance(), 100);
    block.SetBlockID(7); // refused
    EXPECT_EQ(block.GetBlockID(), CDSOMoveBlock::BLOCK_CH1);

    CDSOMoveRail rail;
    rail.SetZoomScale(5.0f);
    EXPECT_NE(rail.IsSelRect(QPoint(1600, 840)), 0); // just above the graph
    EXPECT_EQ(rail.IsSelRect(QPoint(1600, 700)), 0);
    rail.SetMoveStart(1000);
    rail.MoveRail(900);
    rail.SetMoveEnd(850);
    EXPECT_EQ(rail.GetMoveDistance(), -150);
    rail.SetVisible(0);
    EXPECT_EQ(rail.IsSelRect(QPoint(1600, 840)), 0);
}
