// The settings panel against the simulated instrument: the panel takes over
// the session's settings messages, fills its tree from the decoded block,
// keeps its expansion across decodes, sends edits made on the tree and shows
// refusals; and the parameter dialog's two modes.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "support/MessageRecorder.h"
#include "PanelTestSupport.h"
#include "ui/ShellHooks.h"
#include "corvane/MessageTables.h"
#include "link/LinkSession.h"
#include "link/LinkTimings.h"
#include "support/QuickTimings.h"
#include "link/UserMessage.h"
#include "settings/FixedChoice.h"
#include "settings/SettingKinds.h"
#include "settings/view/ParamDialog.h"
#include "settings/view/SettingsPanel.h"
#include "settings/ValueTexts.h"
#include "sim/SimInstrument.h"
#include "tessary/UI_Sys_table.h"

namespace {
std::vector<std::string> Messages()
{
    return CMessageRecorder::Messages();
}


int SpanOfCH1()
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    if (!ADBufferCH1 || waveDataLen <= 0)
        return 0;
    int low = 255;
    int high = 0;
    for (int i = 0; i < waveDataLen; ++i) {
        low = std::min<int>(low, ADBufferCH1[i]);
        high = std::max<int>(high, ADBufferCH1[i]);
    }
    return high - low;
}

// The parameter dialog that is open now (modal), or null.
CParamDialog* OpenDialog()
{
    if (auto* d = qobject_cast<CParamDialog*>(QApplication::activeModalWidget()))
        return d;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<CParamDialog*>(w); d && d->isVisible())
            return d;
    return nullptr;
}

// Double-clicks item and lets act work the real dialog it opens.
void EditInDialog(QTreeWidget* tree, QTreeWidgetItem* item, const std::function<void(CParamDialog&)>& act)
{
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (CParamDialog* d = OpenDialog()) {
            opened = true;
            act(*d);
        }
    });
    emit tree->itemDoubleClicked(item, 0);
    EXPECT_TRUE(opened);
}

class SettingsPanelTest : public ::testing::Test {
protected:
    CMessageRecorder recorder;
    void SetUp() override
    {
        ResetPanelState();
        std::string error;
        sim = CreateSimInstrument("model=0,ch1=sine:1k:2,ch2=none", &error);
        ASSERT_TRUE(sim) << error;
        session = std::make_unique<CLinkSession>(sim, PanelLinkTimings());
        ASSERT_TRUE(SettingsPanelHook());
        QWidget* made = SettingsPanelHook()(ShellPanelContext{session.get(), nullptr});
        panel.reset(qobject_cast<CSettingsPanel*>(made));
        ASSERT_TRUE(panel);
    }
    void TearDown() override
    {
        if (session)
            session->DisconnectCommand();
        panel.reset();
        session.reset();
        ResetPanelState();
        ResetReadModeState();
    }
    // What the decode and read mode leave in the shared state.
    static void ResetReadModeState()
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        g_wfmParam = tagWaveformParam{};
        g_ReadWfm.store(0);
        g_CH1DexY = g_CH2DexY = g_MthDexY = 0;
        for (int i = 0; i < 3; ++i) {
            g_OldPosY[i] = 0;
            g_wfmShow[i] = 1;
        }
        g_GridNum = 16.0f;
    }
    // Connects and waits for the first complete decode.
    void ConnectAndDecode()
    {
        ASSERT_EQ(session->ConnectCommand(), 1);
        ASSERT_TRUE(session->WaitUntil([&] { return panel->Model().DecodeCount() > 0; }, 5000));
    }

    std::shared_ptr<CSimInstrument> sim;
    std::unique_ptr<CLinkSession> session;
    std::unique_ptr<CSettingsPanel> panel;
};
}  // namespace

TEST_F(SettingsPanelTest, RegisteredPanelTakesOverTheSessionsSettingsObject)
{
    EXPECT_EQ(&session->Sender(), static_cast<CDSOSetup*>(&panel->Model()));
    panel.reset();
    EXPECT_NE(&session->Sender(), nullptr);
    ASSERT_EQ(session->ConnectCommand(), 1);   // the session's own sender again, and no 1128 receiver
    EXPECT_TRUE(session->IsLinkReady());
}

TEST_F(SettingsPanelTest, TreeFillsFromTheDecodedBlockAndKeepsItsExpansion)
{
    QTreeWidgetItem* coupling = panel->FindSetting(KIND_COUPLING, 1);
    ASSERT_NE(coupling, nullptr);
    EXPECT_TRUE(coupling->text(1).isEmpty());
    EXPECT_EQ(coupling->text(0), QString("Coupling"));
    EXPECT_EQ(coupling->parent()->text(0), QString("CH1"));
    EXPECT_EQ(coupling->parent()->parent()->text(0), QString("Vertical"));
    EXPECT_EQ(panel->Tree()->topLevelItem(0)->text(0), QString("Quorvex"));

    ConnectAndDecode();
    EXPECT_EQ(panel->Tree()->topLevelItem(0)->text(0), panel->Model().RootText());
    EXPECT_FALSE(panel->Model().RootText().isEmpty());
    EXPECT_FALSE(coupling->text(1).isEmpty());
    EXPECT_FALSE(panel->FindSetting(KIND_MAIN_TIME_BASE, 0)->text(1).isEmpty());
    EXPECT_NE(panel->FindSetting(KIND_MEASURE_ITEM, 8), nullptr);
    EXPECT_NE(panel->FindSetting(KIND_FRONT_PANEL, 0), nullptr);
    // Frequency and trigger state are shown only: a double-click asks nothing and sends nothing.
    CFixedChoice never({0, ""});
    panel->SetChooser(&never);
    for (int kind : {KIND_TRIGGER_FREQUENCY, KIND_TRIGGER_STATE}) {
        QTreeWidgetItem* shownOnly = panel->FindSetting(kind, kTargetNormal);
        ASSERT_NE(shownOnly, nullptr);
        EXPECT_FALSE(shownOnly->text(1).isEmpty()) << kind;
        EXPECT_EQ(panel->EditItem(shownOnly).outcome, EditOutcome::Unchanged);
    }
    EXPECT_EQ(never.LastRequest().kind, -1);
    panel->SetChooser(nullptr);

    coupling->parent()->setExpanded(true);
    const uint64_t decodes = panel->Model().DecodeCount();
    panel->Model().OnSettingsChanged();
    EXPECT_EQ(panel->Model().DecodeCount(), decodes + 1);
    EXPECT_EQ(panel->FindSetting(KIND_COUPLING, 1), coupling);
    EXPECT_TRUE(coupling->parent()->isExpanded());
}

TEST_F(SettingsPanelTest, AcquisitionTickStartsAWaveformReadThroughThePanel)
{
    ConnectAndDecode();
    session->StopStatusPoll();
    session->OnAcquisitionTick();
    ASSERT_TRUE(session->WaitUntil([&] { return panel->Model().ReadCount() > 0; }, 5000));
    EXPECT_EQ(panel->Model().ReadChannels(), 2);   // both channels are shown on the simulated instrument
    // The CH1 sine arrives: its record spans more than a few counts.
    EXPECT_TRUE(session->WaitUntil([] { return SpanOfCH1() > 20; }, 5000)) << SpanOfCH1();
}

TEST_F(SettingsPanelTest, DoubleClickEditReachesTheInstrument)
{
    ConnectAndDecode();
    QTreeWidgetItem* coupling = panel->FindSetting(KIND_COUPLING, 1);
    const ChoiceRequest request = panel->Model().RequestFor(KIND_COUPLING, 1);
    ASSERT_TRUE(request.listMode);
    ASSERT_GE(request.labels.size(), 2u);
    const int wanted = request.currentPosition == 0 ? 1 : 0;

    CFixedChoice choice({wanted, ""});
    panel->SetChooser(&choice);
    const EditResult result = panel->EditItem(coupling);
    EXPECT_EQ(choice.LastRequest().title, "Coupling");
    EXPECT_EQ(choice.LastRequest().target, 1);
    ASSERT_EQ(result.outcome, EditOutcome::Applied);
    ASSERT_FALSE(result.writes.empty());
    const ParamWrite written = result.writes.front();
    EXPECT_EQ(written.name, "VERT-CH1-COUP");
    EXPECT_TRUE(session->WaitUntil([&] { return sim->Param(written.name) == written.value; }, 5000));
    EXPECT_TRUE(session->WaitUntil(
        [&] { return coupling->text(1) == QString::fromStdString(request.labels[static_cast<size_t>(wanted)]); },
        5000));

    CFixedChoice cancel({0, ""}, false);
    panel->SetChooser(&cancel);
    EXPECT_EQ(panel->EditItem(coupling).outcome, EditOutcome::Cancelled);
    EXPECT_EQ(panel->EditItem(coupling->parent()).outcome, EditOutcome::Unchanged);   // a group: nothing
    panel->SetChooser(nullptr);
}

TEST_F(SettingsPanelTest, RefusalsAndMissingLinkAreShownNotSent)
{
    CFixedChoice choice({0, ""});
    panel->SetChooser(&choice);
    EXPECT_EQ(panel->EditItem(panel->FindSetting(KIND_COUPLING, 1)).outcome, EditOutcome::NotConnected);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages().back(), Msg(szConnectFirst));

    ConnectAndDecode();
    const int64_t fftBefore = sim->Param("MATH-FFT-SRC");
    const EditResult refused = panel->EditItem(panel->FindSetting(KIND_FFT_SOURCE, 0));
    EXPECT_EQ(refused.outcome, EditOutcome::Refused);
    ASSERT_NE(refused.refusal, nullptr);
    EXPECT_EQ(Messages().back(), refused.refusal[LanguageIndex()]);
    EXPECT_EQ(choice.LastRequest().kind, -1);   // the chooser was never asked
    EXPECT_EQ(sim->Param("MATH-FFT-SRC"), fftBefore);
    panel->SetChooser(nullptr);
}

TEST_F(SettingsPanelTest, FrontPanelItemAndTraceMarksNeedTheLink)
{
    QTreeWidgetItem* math = panel->TraceItem(2);
    ASSERT_NE(math, nullptr);
    EXPECT_EQ(math->checkState(0), Qt::Checked);
    math->setCheckState(0, Qt::Unchecked);   // not connected: put back
    EXPECT_EQ(math->checkState(0), Qt::Checked);
    EXPECT_EQ(g_wfmShow[2], 1);
    EXPECT_EQ(Messages().back(), Msg(szConnectFirst));

    ConnectAndDecode();
    math->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(g_wfmShow[2], 0);
    math->setCheckState(0, Qt::Checked);
    EXPECT_EQ(g_wfmShow[2], 1);
    EXPECT_EQ(panel->EditItem(panel->FindSetting(KIND_FRONT_PANEL, 0)).outcome, EditOutcome::FrontPanel);
}

TEST(ParamDialogTest, ListAndTextModesGiveTheirChoice)
{
    CParamDialog dialog(nullptr);
    ChoiceRequest list;
    list.kind = KIND_VIDEO_STANDARD;
    list.title = "Standard";
    list.listMode = true;
    list.labels = {"NTSC", "PAL"};
    list.currentPosition = 1;
    dialog.Prepare(list);
    EXPECT_EQ(dialog.windowTitle(), QString("Standard"));
    EXPECT_FALSE(dialog.List()->isHidden());
    EXPECT_TRUE(dialog.TextBox()->isHidden());
    ASSERT_EQ(dialog.List()->count(), 2);
    EXPECT_EQ(dialog.List()->itemText(0), QString("NTSC"));
    EXPECT_EQ(dialog.CurrentChoice().position, 1);
    dialog.List()->setCurrentIndex(0);
    EXPECT_EQ(dialog.CurrentChoice().position, 0);

    ChoiceRequest text;
    text.kind = KIND_PULSE_WIDTH;
    text.currentText = "1.5ms";
    dialog.Prepare(text);
    EXPECT_TRUE(dialog.List()->isHidden());
    EXPECT_FALSE(dialog.TextBox()->isHidden());
    EXPECT_EQ(dialog.CurrentChoice().text, "1.5ms");
    dialog.TextBox()->setText(" 200us ");
    EXPECT_EQ(dialog.CurrentChoice().text, "200us");
    EXPECT_EQ(dialog.CurrentChoice().position, -1);
}

TEST(ParamDialogTest, OkGivesTheChoiceAndCancelNone)
{
    CParamDialog dialog(nullptr);
    ChoiceRequest text;
    text.kind = KIND_TRIGGER_LEVEL;
    text.currentText = "0mV";
    SettingChoice choice;
    QTimer::singleShot(0, &dialog, [&] {
        dialog.TextBox()->setText("200mV");
        dialog.accept();
    });
    ASSERT_TRUE(dialog.Choose(text, choice));
    EXPECT_EQ(choice.text, "200mV");

    SettingChoice untouched;
    QTimer::singleShot(0, &dialog, [&] { dialog.reject(); });
    EXPECT_FALSE(dialog.Choose(text, untouched));
    EXPECT_TRUE(untouched.text.empty());
    EXPECT_FALSE(dialog.IsChanged());
}

TEST(SettingsPanelLanguage, ChineseLabelHoldingASlashStaysOneItem)
{
    g_nLanguage = 1;
    {
        CSettingsPanel panel(nullptr);
        QTreeWidgetItem* scale = panel.FindSetting(KIND_VOLTS_PER_DIV, 2);
        ASSERT_NE(scale, nullptr);
        EXPECT_EQ(scale->text(0), QString::fromUtf8("伏/格"));
        EXPECT_EQ(scale->childCount(), 0);
        EXPECT_EQ(scale->parent()->text(0), QString::fromUtf8("通道2"));
        EXPECT_EQ(scale->parent()->childCount(), 7);
        EXPECT_EQ(scale->parent()->parent()->text(0), QString::fromUtf8("垂直"));
        panel.Refresh();
        EXPECT_EQ(scale->text(0), QString::fromUtf8("伏/格"));
    }
    g_nLanguage = 0;
}

TEST_F(SettingsPanelTest, DialogApplySendsAtOnceAndCancelKeepsIt)
{
    ConnectAndDecode();
    const ChoiceRequest request = panel->Model().RequestFor(KIND_COUPLING, 2, "Coupling");
    ASSERT_TRUE(request.listMode);
    const int wanted = request.currentPosition == 0 ? 1 : 0;
    const int64_t before = sim->Param("VERT-CH2-COUP");

    CParamDialog dialog(&panel->Model());
    QTimer::singleShot(0, &dialog, [&] {
        dialog.List()->setCurrentIndex(wanted);
        dialog.ApplyButton()->click();
        dialog.reject();
    });
    SettingChoice choice;
    EXPECT_FALSE(dialog.Choose(request, choice));
    EXPECT_TRUE(dialog.IsChanged());
    EXPECT_TRUE(session->WaitUntil([&] { return sim->Param("VERT-CH2-COUP") != before; }, 5000));
    EXPECT_TRUE(session->WaitUntil(
        [&] { return panel->Model().RequestFor(KIND_COUPLING, 2).currentPosition == wanted; }, 5000));
}

TEST_F(SettingsPanelTest, TreeDoubleClickGoesThroughTheChooser)
{
    ConnectAndDecode();
    CFixedChoice choice({0, ""}, false);
    panel->SetChooser(&choice);
    QTreeWidgetItem* invert = panel->FindSetting(KIND_INVERT, 2);
    emit panel->Tree()->itemDoubleClicked(invert, 0);
    EXPECT_EQ(choice.LastRequest().kind, KIND_INVERT);
    EXPECT_EQ(choice.LastRequest().target, 2);
    EXPECT_EQ(choice.LastRequest().title, invert->text(0).toStdString());
    panel->SetChooser(nullptr);
}

// End to end on the simulated instrument: the CH1 "Scale" item, a value
// typed into the dialog, OK (and then Apply followed by Cancel); the
// instrument's block holds the "VBASE" value of the entry (200.0mV is value
// 6 and 500.0mV value 7 of the model's settings file) and the tree shows it.
TEST_F(SettingsPanelTest, ScaleTypedInTheDialogReachesTheInstrumentAndTheTree)
{
    ConnectAndDecode();
    QTreeWidgetItem* scale = panel->FindSetting(KIND_VOLTS_PER_DIV, 1);
    ASSERT_EQ(scale->text(0), QString("Scale"));
    ASSERT_EQ(sim->Param("VERT-CH1-VB"), 8);
    struct Step {
        const char* typed;
        bool viaApply;
        int64_t code;
        int64_t microvolts;
    };
    for (const Step& step : {Step{"200mV", false, 6, 200000}, Step{"500mV", true, 7, 500000}}) {
        SCOPED_TRACE(step.typed);
        EditInDialog(panel->Tree(), scale, [&](CParamDialog& d) {
            d.TextBox()->setText(step.typed);
            if (step.viaApply) {
                d.ApplyButton()->click();
                d.CancelButton()->click();
            } else {
                d.OkButton()->click();
            }
        });
        EXPECT_TRUE(session->WaitUntil([&] { return sim->Param("VERT-CH1-VB") == step.code; }, 5000));
        const QString shown = QString::fromStdString(VoltText(step.microvolts));
        EXPECT_TRUE(session->WaitUntil([&] { return scale->text(1) == shown; }, 5000)) << scale->text(1).toStdString();
    }
}

// With a x10 probe the dialog opens with the decoded 10 V (1.00V entry):
// the spin steps through the entries times 10 from there.
TEST_F(SettingsPanelTest, VoltsSpinStepsFromTheDecodedTextWithTheChannelsProbe)
{
    ConnectAndDecode();
    ASSERT_EQ(panel->Model().ApplyChoice(KIND_PROBE, 1, {1, ""}).outcome, EditOutcome::Applied);
    ASSERT_TRUE(session->WaitUntil([&] { return panel->Model().Records().channel[0].probeFactor == 10; }, 5000));
    const ChoiceRequest request = panel->Model().RequestFor(KIND_VOLTS_PER_DIV, 1, "Scale");
    ASSERT_EQ(request.currentText, VoltText(10000000));
    CParamDialog dialog(&panel->Model());
    dialog.Prepare(request);
    dialog.StepVoltsPerDivision(1);
    EXPECT_EQ(dialog.CurrentChoice().text, VoltText(20000000));
    dialog.StepVoltsPerDivision(-1);
    dialog.StepVoltsPerDivision(-1);
    EXPECT_EQ(dialog.CurrentChoice().text, VoltText(5000000));
    dialog.TextBox()->setText("3V");   // between two entries: the next one in the step's direction
    dialog.StepVoltsPerDivision(-1);
    EXPECT_EQ(dialog.CurrentChoice().text, VoltText(2000000));
    EXPECT_EQ(dialog.SpinLabel(0)->text(), QString("Min: %1").arg(QString::fromStdString(VoltText(20000))));
}

// A value the input processor refuses brings the old value back, on Apply
// and on OK (which then keeps the dialog open).
TEST_F(SettingsPanelTest, RejectedValueBringsTheOldValueBack)
{
    ConnectAndDecode();
    const ChoiceRequest request = panel->Model().RequestFor(KIND_VOLTS_PER_DIV, 1, "Scale");
    const QString old = QString::fromStdString(request.currentText);
    CParamDialog dialog(&panel->Model());
    bool stayedOpen = false;
    QString afterOk;
    QTimer::singleShot(0, &dialog, [&] {
        dialog.TextBox()->setText("abc");
        dialog.ApplyButton()->click();
        EXPECT_EQ(dialog.TextBox()->text(), old);
        dialog.TextBox()->setText("volts");
        dialog.OkButton()->click();
        stayedOpen = dialog.isVisible();
        afterOk = dialog.TextBox()->text();
        dialog.reject();
    });
    SettingChoice choice;
    EXPECT_FALSE(dialog.Choose(request, choice));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(afterOk, old);
    EXPECT_FALSE(dialog.IsChanged());
    EXPECT_EQ(sim->Param("VERT-CH1-VB"), 8);
}
