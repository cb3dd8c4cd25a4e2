// The view base every data window shares: the save rules, reading a file into
// a fresh document, the update message with its acquisition snapshot and the
// progress steps, and the tool-bar and status panes of the frame it sits in.
#include <QCoreApplication>
#include <QFile>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

#include "ScopedPrompts.h"
#include "app/ChildFrame.h"
#include "corvane/SharedState.h"
#include "docs/Archive.h"
#include "ui/DataView.h"

namespace {
// A document of one number and one text under the measurement's class record.
class NoteDoc : public CDataDoc {
public:
    int Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar.WriteClass(ClassName(), 1);
        else if (!ar.ReadClass(ClassName()))
            return 0;
        ar.TransferRanged(value, 0, 1000);
        ar.Transfer(text);
        return ar.Failed() ? 0 : 1;
    }
    const char* ClassName() const override { return "CWaveformMeasurementView"; }
    const char* Extension() const override { return ".mes"; }
    QString KindName() const override { return QStringLiteral("measurement"); }

    int32_t value = 7;
    QString text = QStringLiteral("note");
};

class NoteView : public CDataView {
public:
    explicit NoteView(const ChildViewContext& c)
        : CDataView(c, [] { return std::make_unique<NoteDoc>(); }), m_widget(new QWidget)
    {
        SetReceiver(m_widget.get());
    }
    QWidget* Widget() override { return m_widget.get(); }
    ILinkView* LinkView() override { return this; }
    NoteDoc& Note() { return static_cast<NoteDoc&>(Document()); }

    std::vector<tagAcquisitionSnapshot> updates;
    int replaced = 0;

protected:
    void OnAcquisition(const tagAcquisitionSnapshot& s) override { updates.push_back(s); }
    void OnDocumentReplaced() override { ++replaced; }

private:
    std::unique_ptr<QWidget> m_widget;
};

class DataViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        context.kind = KindByTypeName("WaveformMeasurement");
        view = std::make_unique<NoteView>(context);
    }
    QString Path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
    ChildViewContext context;
    std::unique_ptr<NoteView> view;
    ScopedPrompts prompts;
};
}  // namespace

// Save of a window that was never opened from a file asks for a name, as
// Save As always does; the kind's filter and "*.mes" are offered, ".mes" is
// appended when missing, and the stored path stays " " so the next Save asks
// again. A window opened from a file saves there without asking.
TEST_F(DataViewTest, SaveAsksUnlessOpenedFromAFileAndNeverAttachesTheChosenName)
{
    prompts.chosenFile = Path("first");
    ASSERT_TRUE(view->SaveCommand(false));
    EXPECT_EQ(prompts.fileDialogs, 1);
    EXPECT_EQ(prompts.lastFilter, "Mes File(*.mes);;All Files(*.*)");
    EXPECT_EQ(prompts.lastInitialName, "*.mes");
    EXPECT_TRUE(QFile::exists(Path("first.mes")));
    EXPECT_EQ(view->Document().PathName(), " ");

    prompts.chosenFile = Path("second.mes");
    ASSERT_TRUE(view->SaveCommand(false));   // asks again
    EXPECT_EQ(prompts.fileDialogs, 2);
    EXPECT_TRUE(QFile::exists(Path("second.mes")));
    EXPECT_FALSE(QFile::exists(Path("second.mes.mes")));

    prompts.chosenFile.clear();   // Cancel writes nothing
    EXPECT_FALSE(view->SaveCommand(true));
    EXPECT_TRUE(prompts.notices.isEmpty());

    ASSERT_EQ(view->LoadDocument(Path("first.mes"), nullptr), 1);
    EXPECT_EQ(view->Document().PathName(), Path("first.mes"));
    EXPECT_EQ(view->Document().Title(), Path("first.mes"));
    view->Note().value = 99;
    ASSERT_TRUE(view->SaveCommand(false));
    EXPECT_EQ(prompts.fileDialogs, 3);   // the Cancel above; no dialog for this Save
    prompts.chosenFile = Path("copy");
    ASSERT_TRUE(view->SaveCommand(true));
    EXPECT_EQ(view->Document().PathName(), Path("first.mes"));   // Save As does not attach

    NoteDoc reread;
    ASSERT_EQ(reread.LoadFile(Path("first.mes")), 1);
    EXPECT_EQ(reread.value, 99);
    ASSERT_EQ(reread.LoadFile(Path("copy.mes")), 1);
    EXPECT_EQ(reread.value, 99);
}

// A file that cannot be written is reported, and a file that cannot be read
// leaves the shown document as it was.
TEST_F(DataViewTest, FailuresAreReportedAndLeaveTheDocument)
{
    prompts.chosenFile = Path("missing-folder/x.mes");
    EXPECT_FALSE(view->SaveCommand(true));
    ASSERT_EQ(prompts.notices.size(), 1);
    EXPECT_FALSE(QFile::exists(Path("missing-folder/x.mes")));

    view->Note().value = 5;
    ASSERT_EQ(view->SaveDocument(Path("good.mes"), nullptr), 1);
    QByteArray bytes;
    ASSERT_EQ(LoadFileBytes(Path("good.mes"), &bytes), 1);
    QFile cut(Path("cut.mes"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() - 1));
    cut.close();
    view->Note().value = 6;
    QString error;
    EXPECT_EQ(view->LoadDocument(Path("cut.mes"), &error), 0);
    EXPECT_EQ(error, "The measurement file is damaged or truncated.");
    EXPECT_EQ(view->LoadDocument(Path("nowhere.mes"), &error), 0);
    EXPECT_EQ(view->Note().value, 6);
    EXPECT_EQ(view->replaced, 0);
}

// The kind's update message (1131 for the measurement) runs one update on a
// snapshot of the shared acquisition; the progress steps end on "0%".
TEST_F(DataViewTest, UpdateMessageTakesOneSnapshotAndEndsTheProgressAtZero)
{
    auto frame = std::make_unique<CChildFrame>(*context.kind, std::move(view), nullptr);
    auto* v = static_cast<NoteView*>(frame->View());
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        g_wfmParam.strState = "Armed";
        waveDataLen = 3200;
    }
    QEvent other(static_cast<QEvent::Type>(kMsgWaveformSheetUpdate));
    EXPECT_FALSE(v->HandleViewEvent(&other));
    QEvent update(static_cast<QEvent::Type>(kMsgMeasurementUpdate));
    ASSERT_TRUE(v->HandleViewEvent(&update));
    ASSERT_EQ(v->updates.size(), 1u);
    EXPECT_EQ(v->updates[0].wfm.strState, "Armed");
    EXPECT_EQ(v->updates[0].recordLength, 3200);
    EXPECT_EQ(v->Receiver(), v->Widget());
    EXPECT_EQ(frame->StatusText(kPanePercent), "0%");
    EXPECT_EQ(frame->ProgressBar()->value(), frame->ProgressBar()->minimum() - 1);   // reset

    // The run-state pane shows the view's state, not the pane's name.
    EXPECT_EQ(frame->StatusText(kPaneRunState), "Status:Stop");
    v->StartRun();
    EXPECT_EQ(frame->StatusText(kPaneRunState), "Status:Run");
    v->StopRun();
    EXPECT_EQ(frame->StatusText(kPaneRunState), "Status:Stop");
}
