// The waveform sheet window: its place among the window kinds, zoom and
// window zoom, the running rule, keys and drags, files, export, printing,
// and a whole acquisition from the simulated instrument.
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTime>

#include <gtest/gtest.h>

#include <memory>
#include <mutex>

#include "ScopedPrompts.h"
#include "SheetWindow.h"
#include "app/ChildFrame.h"
#include "ui/DocKinds.h"
#include "corvane/WaveMemory.h"
#include "docs/WfmFile.h"
#include "docs/BitmapWriter.h"
#include "docs/view/YTSheetPropertiesDialog.h"
#include "docs/view/YTSheetView.h"
#include "link/LinkSession.h"
#include "sim/SimInstrument.h"
#include "support/SharedStateGuard.h"
#include "support/QuickTimings.h"

namespace {

void KeyRelease(QWidget* w, int key) {
    QKeyEvent e(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void FlatRecord(CYTSheetData& sheet, int y) {
    sheet.wfm.nCH1Show = sheet.wfm.nCH2Show = 1;
    for (int t = kTraceCH1; t <= kTraceCH2; ++t) {
        sheet.trace[t].RemoveAllPoint();
        for (int i = 0; i < sheet.pointsPerTrace; ++i) sheet.trace[t].AddPoint(QPoint(i, t == kTraceCH1 ? y : -y));
        sheet.trace[t].SetVisible(1);
    }
}

}  // namespace

TEST(SheetView, TheWaveformKindOpensTheSheet) {
    std::unique_ptr<IChildView> view = CreateChildView(SheetKind(), ChildViewContext{nullptr, &SheetKind(), nullptr});
    ASSERT_FALSE(view->IsPlaceholder());
    auto* sheet = dynamic_cast<CYTSheetView*>(view.get());
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->ViewClass(), LinkViewClass::WaveformSheet);
    EXPECT_EQ(sheet->Receiver(), sheet);
    EXPECT_FALSE(sheet->Document().HasPath());
    EXPECT_FALSE(sheet->IsRunning());
    EXPECT_EQ(CYTSheetView::ReceiveTimeLine(QTime(1, 2, 3, 45)), QStringLiteral("收到数据时间：01:02:03:045"));
}

TEST(SheetView, ZoomCommandsFitAndTheZoomBox) {
    SheetWindow w;
    CYTSheetView* v = w.view;
    for (int i = 0; i < 40; ++i) v->ZoomIn();
    EXPECT_FLOAT_EQ(w.sheet().zoom, 36.0f);
    EXPECT_EQ(w.bar().ZoomBox()->currentText(), QStringLiteral("720%"));
    EXPECT_TRUE(v->ScrollBarsNeeded());
    v->SetPanMode(true);
    EXPECT_TRUE(v->PanMode());
    for (int i = 0; i < 40; ++i) v->ZoomOut();
    EXPECT_FLOAT_EQ(w.sheet().zoom, 1.0f);
    EXPECT_EQ(w.bar().ZoomBox()->currentText(), QStringLiteral("20%"));
    v->Fit();  // 700 × 560 holds the graph at 100 %, and fit never goes above
    EXPECT_FLOAT_EQ(w.sheet().zoom, 5.0f);
    EXPECT_FALSE(v->ScrollBarsNeeded());
    EXPECT_FALSE(v->PanMode());  // nothing to pan once everything fits
    // The frame's typed zoom reaches the sheet, held inside 20 % … 750 %.
    EXPECT_TRUE(w.bar().EnterZoomText(QStringLiteral("1000%")));
    EXPECT_FLOAT_EQ(w.sheet().zoom, 37.5f);
    EXPECT_EQ(w.bar().ZoomBox()->currentText(), QStringLiteral("750%"));
    EXPECT_TRUE(w.bar().EnterZoomText(QStringLiteral("5")));
    EXPECT_FLOAT_EQ(w.sheet().zoom, 1.0f);
}

// What is not drawn cannot be found by the mouse, and in X-Y the scale
// selectors go, as they do while the sheet runs.
TEST(SheetView, XYHidesTheSelectorsAndNothingHiddenCanBeHovered) {
    SheetWindow w;
    CYTSheetData& s = w.sheet();
    for (CDSOCursor& c : s.cursor) c.SetCursorType(CDSOCursor::CURSOR_VERTICAL);
    const QPoint onCursor(s.cursor[0].GetDrawPos().x(), 0);
    s.wfm.nCH1Show = s.wfm.nCH2Show = s.wfm.nMathShow = 0;
    w.view->viewport()->repaint();  // no trace shown: only the graticule
    EXPECT_EQ(w.view->HitTest(onCursor), CYTSheetView::Target::None);
    EXPECT_EQ(w.view->HitTest(s.scaleInfo.GetBoxRect().center().toPoint()), CYTSheetView::Target::None);
    FlatRecord(s, 100);
    w.view->viewport()->repaint();
    EXPECT_EQ(w.view->HitTest(onCursor), CYTSheetView::Target::Cursor1);
    w.frame->UpdateCommandStates();
    EXPECT_TRUE(w.bar().SelectorsVisible());

    s.wfm.nDisplayFormat = kFormatXY;
    w.view->viewport()->repaint();
    w.frame->UpdateCommandStates();
    EXPECT_FALSE(w.bar().SelectorsVisible());
    EXPECT_EQ(w.view->HitTest(onCursor), CYTSheetView::Target::None);
    const QPointF blockCentre = s.block[kTraceCH1].GetBlockRect().center();
    EXPECT_EQ(w.view->HitTest(blockCentre.toPoint()), CYTSheetView::Target::None);
}

TEST(SheetView, WindowZoomTakesOneStepAboutTheRubberBand) {
    SheetWindow w(QSize(400, 300));
    CYTSheetView* v = w.view;
    v->ToggleWindowZoom();
    ASSERT_TRUE(v->WindowZoomArmed());
    const QPoint from = v->DeviceFromGraph(QPointF(2200, 300)), to = v->DeviceFromGraph(QPointF(2600, 100));
    const QPointF target = v->GraphFromDevice((from + to) / 2);
    Drag(v, from, to);
    EXPECT_FALSE(v->WindowZoomArmed());
    EXPECT_FLOAT_EQ(w.sheet().zoom, 6.0f);
    // The band's middle is now in the middle of the window.
    const QPointF middle = v->GraphFromDevice(QPoint(v->viewport()->width() / 2, v->viewport()->height() / 2));
    EXPECT_NEAR(middle.x(), target.x(), 40);
    EXPECT_NEAR(middle.y(), target.y(), 40);
    w.sheet().zoom = 36.0f;  // the window zoom also stops at 720 %
    v->ToggleWindowZoom();
    Drag(v, QPoint(100, 100), QPoint(140, 130));
    EXPECT_FLOAT_EQ(w.sheet().zoom, 36.0f);
}

TEST(SheetView, RunAndStopSwitchOnlineAndRestoreTheAcquiredScale) {
    SheetWindow w;
    CYTSheetData& s = w.sheet();
    FlatRecord(s, 100);
    s.SetAcquiredScales();
    w.view->ApplyVerticalScale(3, s.trace[kTraceCH1].GetOldVtScale() / 2);
    EXPECT_FLOAT_EQ(s.trace[kTraceCH1].GetVtRatio(), 2.0f);
    EXPECT_EQ(s.trace[kTraceCH1].GetVtScaleIndex(), 3);
    w.view->StartRun();
    EXPECT_TRUE(w.view->IsRunning());
    EXPECT_EQ(s.online, 1);
    EXPECT_FLOAT_EQ(s.trace[kTraceCH1].GetVtRatio(), 1.0f);
    EXPECT_DOUBLE_EQ(s.trace[kTraceCH1].GetPreVtScale(), s.trace[kTraceCH1].GetOldVtScale());
    w.view->StopAcquisition();  // the Disconnect command's stop
    EXPECT_FALSE(w.view->IsRunning());
    EXPECT_EQ(s.online, 0);
}

TEST(SheetView, ArrowKeysMoveTraceOneAndTheCursorsWhicheverBlockIsEnabled) {
    SheetWindow w;
    CYTSheetData& s = w.sheet();
    FlatRecord(s, 0);
    s.EnableBlock(kTraceCH2);
    KeyRelease(w.view, Qt::Key_Right);
    KeyRelease(w.view, Qt::Key_Up);
    KeyRelease(w.view, Qt::Key_Up);
    EXPECT_EQ(s.trace[kTraceCH1].GetDisplacement(), QPoint(50, 100));
    EXPECT_EQ(s.trace[kTraceCH2].GetDisplacement(), QPoint(0, 0));
    EXPECT_EQ(s.cursor[0].GetDisplacement(), QPoint(50, 100));
    EXPECT_EQ(s.cursor[1].GetDisplacement(), QPoint(50, 100));
    KeyRelease(w.view, Qt::Key_Left);
    KeyRelease(w.view, Qt::Key_Down);
    EXPECT_EQ(s.trace[kTraceCH1].GetDisplacement(), QPoint(0, 50));
}

TEST(SheetView, DraggingABlockSelectsItsTraceAndMovesIt) {
    SheetWindow w;
    CYTSheetData& s = w.sheet();
    FlatRecord(s, 200);
    s.trace[kTraceCH2].SetPivot(QPoint(0, -200));
    w.view->viewport()->repaint();  // blocks take their places while painting
    const QPointF centre = s.block[kTraceCH2].GetBlockRect().center();
    const QPoint from = w.view->DeviceFromGraph(centre);
    ASSERT_EQ(w.view->HitTest(w.view->GraphFromDevice(from).toPoint()), CYTSheetView::Target::Block2);
    Drag(w.view, from, from + QPoint(0, -40));  // 40 pixels up: 160 graph units at 100 %
    EXPECT_EQ(s.EnabledBlock(), kTraceCH2);
    EXPECT_EQ(s.trace[kTraceCH2].GetWfmFocus(), 1);
    EXPECT_EQ(s.trace[kTraceCH1].GetWfmFocus(), 0);
    EXPECT_NEAR(s.trace[kTraceCH2].GetDisplacement().y(), 160, 8);
    EXPECT_EQ(s.trace[kTraceCH1].GetDisplacement(), QPoint(0, 0));
    EXPECT_EQ(s.rail.GetRailColor(), s.block[kTraceCH2].GetBlockColor());
    EXPECT_EQ(w.view->Selected(), CYTSheetView::Target::None);
}

TEST(SheetView, PropertiesApplyToTheObjects) {
    SheetWindow w;
    CYTSheetData& s = w.sheet();
    CYTSheetPropertiesDialog dialog(s);
    auto c = dialog.GetChoices();
    EXPECT_EQ(c.wfmColor[kTraceCH1], 0x00FFFFu);
    s.cursor[0].SetPos(QPoint(900, 300));  // moved away from its stored place
    c.cursorType = CDSOCursor::CURSOR_VERTICAL;
    c.colorMode = COLOR_MODE_BW;
    c.wfmStyle = WFM_DOTS;
    c.wfmColor[kTraceCH2] = 0x0000FF;
    c.lockTrigger = 1;
    dialog.SetChoices(c);
    dialog.Apply(s);
    EXPECT_EQ(s.cursor[1].GetCursorType(), CDSOCursor::CURSOR_VERTICAL);
    EXPECT_EQ(s.cursor[0].GetPos(), QPoint(200, 100));  // back at its stored place
    EXPECT_EQ(s.savedColorMode, COLOR_MODE_BW);
    EXPECT_EQ(s.trace[kTraceMath].GetDisplayStyle(), WFM_DOTS);
    EXPECT_EQ(s.block[kTraceCH2].GetBlockColor(), 0x0000FFu);
    EXPECT_EQ(s.rail.GetTrigLockFlag(), 1);
}

TEST(SheetView, FilesExportAndPrint) {
    QTemporaryDir dir;
    ScopedPrompts prompts;
    SheetWindow w;
    FlatRecord(w.sheet(), 300);
    w.sheet().zoom = 6.0f;

    // Save on a sheet never opened from a file asks for a name and appends ".wfm".
    prompts.chosenFile = dir.filePath(QStringLiteral("first"));
    ASSERT_TRUE(w.view->SaveCommand(false));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("first.wfm"))));
    EXPECT_FALSE(w.view->Document().HasPath());  // so the next Save asks again
    ASSERT_TRUE(w.view->SaveCommand(false));
    EXPECT_EQ(prompts.fileDialogs, 2);

    // A foreign file is refused and the sheet stays as it was.
    const QString foreign = dir.filePath(QStringLiteral("foreign.wfm"));
    QFile f(foreign);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a sheet at all");
    f.close();
    QString error;
    EXPECT_FALSE(w.view->LoadDocument(foreign, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FLOAT_EQ(w.sheet().zoom, 6.0f);
    EXPECT_EQ(w.sheet().trace[kTraceCH1].GetPointCount(), static_cast<uint32_t>(w.sheet().pointsPerTrace));

    // Opening the saved file sets the stored path, after which Save asks no more.
    SheetWindow other;
    ASSERT_TRUE(other.view->LoadDocument(dir.filePath(QStringLiteral("first.wfm")), &error));
    EXPECT_EQ(other.view->Document().PathName(), dir.filePath(QStringLiteral("first.wfm")));
    EXPECT_FLOAT_EQ(other.sheet().zoom, 6.0f);
    EXPECT_EQ(other.bar().ZoomBox()->currentText(), QStringLiteral("120%"));
    ASSERT_TRUE(other.view->SaveCommand(false));
    EXPECT_EQ(prompts.fileDialogs, 2);

    // Bitmap export of the client area.
    prompts.chosenFile = dir.filePath(QStringLiteral("picture"));
    ASSERT_TRUE(w.view->ExportCommand());
    QFile bmp(dir.filePath(QStringLiteral("picture.bmp")));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    const QByteArray bytes = bmp.readAll();
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(bytes.size(), 54 + CBitmapWriter::RowBytes(w.view->viewport()->width(), 16) * w.view->viewport()->height());

    // A printout into a PDF file.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("print.pdf")));
    w.view->PrintPage(printer, 1);
    QFile pdf(printer.outputFileName());
    EXPECT_GT(pdf.size(), 1000);
    EXPECT_EQ(w.sheet().colorMode, COLOR_MODE_RGB);  // the screen keeps its colours
}

TEST(SheetView, WorkspaceRecordRestoresTheSheet) {
    SheetWindow w;
    FlatRecord(w.sheet(), 120);
    w.sheet().zoom = 8.0f;
    CArchive out;
    ASSERT_TRUE(w.view->SerializeState(out));
    ASSERT_TRUE(w.view->SerializeState(out));  // a second sheet refers back to the class record
    CArchive in(out.Buffer());
    SheetWindow first, second;
    ASSERT_TRUE(first.view->SerializeState(in));
    ASSERT_TRUE(second.view->SerializeState(in));
    EXPECT_FLOAT_EQ(second.sheet().zoom, 8.0f);
    EXPECT_EQ(second.sheet().trace[kTraceCH1].GetPoint(3).y(), 120);
    CArchive broken(out.Buffer().left(100));
    SheetWindow third;
    EXPECT_FALSE(third.view->SerializeState(broken));
    EXPECT_FLOAT_EQ(third.sheet().zoom, 5.0f);
}

// The whole path: the simulated instrument's sine reaches a running sheet by
// message 1126, the sheet is saved, and the file opens in another window.
TEST(SheetEndToEnd, SimulatedSineRunSaveReopen) {
    std::string why;
    auto sim = CreateSimInstrument("model=0,ch1=sine:1k:2,ch2=none", &why);
    ASSERT_TRUE(sim) << why;
    CLinkSession session(sim, QuickLinkTimings());
    session.SetAcquisitionInterval(100);
    ASSERT_EQ(session.ConnectCommand(), 1);
    MallocWaveDataBuf(4000, 0, 0.8f);
    CSharedStateGuard shared;
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        g_wfmParam = tagWaveformParam{};
        g_wfmParam.nCH1Show = 1;
        g_wfmParam.nCH1Pos = 10;
        g_wfmParam.nCH1VoltIndex = 7;
        g_wfmParam.nHorizScaleIndex = 13;
        g_wfmParam.strState = "Ready";
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sine.wfm"));
    uint32_t points = 0;
    QPoint sample;
    {
        SheetWindow w(QSize(640, 500), &session);
        ASSERT_EQ(session.ViewCount(), 1u);
        w.view->StartRun();
        session.ViewStarted();
        // The settings decode (played here) answers read mode with the waveform request.
        ASSERT_TRUE(session.WaitUntil([] { return g_ReadWfm.load() == 1; }, 5000));
        g_ReadWfm = 0;
        session.RequestWaveforms();
        // The first message may announce the other channel's record: wait for CH1's samples.
        const CDSOWaveform& ch1 = w.sheet().trace[kTraceCH1];
        ASSERT_TRUE(session.WaitUntil([&] { return ch1.GetPointCount() == 3200 && ch1.GetPoint(40).y() != 0; }, 5000));
        int lo = 1 << 30, hi = -(1 << 30);
        for (uint32_t i = 0; i < 3200; ++i) {
            lo = std::min(lo, w.sheet().trace[kTraceCH1].GetPoint(i).y());
            hi = std::max(hi, w.sheet().trace[kTraceCH1].GetPoint(i).y());
        }
        EXPECT_GT(hi - lo, 300);  // the sine spans more than 1.5 divisions
        EXPECT_LT(hi, 800);       // and stays on the graticule
        EXPECT_EQ(w.sheet().trace[kTraceCH1].GetPivot(), QPoint(0, 80));  // online: the position's pivot
        w.frame->repaint();
        const QByteArray snapshot = qgetenv("QV_SHEET_SNAPSHOT");
        if (!snapshot.isEmpty()) w.frame->grab().save(QString::fromLocal8Bit(snapshot));
        w.view->StopRun();
        session.ViewStopped();
        points = w.sheet().trace[kTraceCH1].GetPointCount();
        sample = w.sheet().trace[kTraceCH1].GetPoint(1234);
        QString error;
        ASSERT_TRUE(w.view->SaveDocument(path, &error)) << error.toStdString();
    }
    EXPECT_EQ(session.ViewCount(), 0u);
    session.DisconnectCommand();
    SheetWindow reopened;
    QString error;
    ASSERT_TRUE(reopened.view->LoadDocument(path, &error)) << error.toStdString();
    EXPECT_EQ(reopened.sheet().trace[kTraceCH1].GetPointCount(), points);
    EXPECT_EQ(reopened.sheet().trace[kTraceCH1].GetPoint(1234), sample);
}
