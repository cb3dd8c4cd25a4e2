// The settings tree without a link: every setting has a node of its own in
// both languages, clicks ask to connect first, the context menu's place,
// and the parameter dialog's fixed layout.
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/MessageRecorder.h"
#include "PanelTestSupport.h"
#include "corvane/MessageTables.h"
#include "corvane/ValueTables.h"
#include "link/UserMessage.h"
#include "settings/SettingKinds.h"
#include "settings/view/ParamDialog.h"
#include "settings/view/SettingsPanel.h"

namespace {

// Tree item number -> setting kind, as the settings tree is documented.
const std::map<int, int> kItemKinds = {
    {15, 0},   {16, 1},   {17, 2},   {18, 3},   {19, 4},   {20, 5},   {22, 6},   {23, 7},   {24, 8},
    {25, 9},   {26, 10},  {27, 11},  {31, 12},  {32, 13},  {33, 14},  {34, 15},  {35, 16},  {36, 17},
    {37, 18},  {39, 19},  {40, 20},  {42, 21},  {43, 22},  {44, 23},  {46, 24},  {48, 26},  {50, 27},
    {51, 28},  {54, 29},  {55, 30},  {56, 31},  {57, 32},  {59, 33},  {60, 34},  {61, 35},  {63, 36},
    {64, 37},  {65, 38},  {66, 39},  {67, 40},  {69, 41},  {71, 42},  {72, 43},  {73, 44},  {75, 45},
    {76, 46},  {77, 47},  {78, 48},  {79, 49},  {80, 50},  {81, 51},  {85, 52},  {86, 53},  {87, 54},
    {88, 55},  {89, 56},  {99, 57},  {100, 58}, {102, 59}, {103, 60}, {104, 62}, {105, 63}, {106, 64},
    {107, 65}, {108, 66}, {109, 67}, {111, 68},
};

void Mouse(QWidget* w, QEvent::Type type, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Click(QWidget* w, QPoint at)
{
    Mouse(w, QEvent::MouseButtonPress, at);
    Mouse(w, QEvent::MouseButtonRelease, at);
}

void DoubleClick(QWidget* w, QPoint at)
{
    Click(w, at);
    Mouse(w, QEvent::MouseButtonDblClick, at);
    Mouse(w, QEvent::MouseButtonRelease, at);
}

void Walk(QTreeWidgetItem* item, std::vector<QTreeWidgetItem*>& out)
{
    out.push_back(item);
    for (int i = 0; i < item->childCount(); ++i)
        Walk(item->child(i), out);
}

class SettingsTreeTest : public ::testing::Test {
protected:
    CMessageRecorder recorder;
    void SetUp() override
    {
        ResetPanelState();
    }
    void TearDown() override
    {
        g_nLanguage = 0;
    }
};
}  // namespace

// Each setting node: its own (kind, target), the kind its item number
// stands for, and its item's label in the language. The two swap subtrees
// hold equal labels for different settings ("Polarity" 63 and 71).
TEST_F(SettingsTreeTest, EverySettingHasItsOwnNodeInBothLanguages)
{
    for (uint32_t language : {0u, 1u}) {
        SCOPED_TRACE(language);
        g_nLanguage = language;
        CSettingsPanel panel(nullptr);
        std::vector<QTreeWidgetItem*> nodes;
        Walk(panel.Tree()->topLevelItem(0), nodes);
        std::set<std::pair<int, int>> seen;
        for (QTreeWidgetItem* node : nodes) {
            const int item = node->data(0, CSettingsPanel::kItemRole).toInt();
            EXPECT_EQ(node->text(0).toStdString(), TreeItemName(item));
            const int kind = node->data(0, CSettingsPanel::kKindRole).toInt();
            if (kind < 0)
                continue;
            const int target = node->data(0, CSettingsPanel::kTargetRole).toInt();
            ASSERT_TRUE(kItemKinds.count(item)) << "item " << item;
            EXPECT_EQ(kind, kItemKinds.at(item)) << "item " << item;
            EXPECT_EQ(node->childCount(), 0);
            EXPECT_TRUE(seen.insert({kind, target}).second) << "kind " << kind << " target " << target;
            EXPECT_EQ(panel.FindSetting(kind, target), node);
        }
        // 77 settings of the instrument's menus, 17 again for each swap channel,
        // 8 functions and the front panel.
        EXPECT_EQ(seen.size(), 77u + 2 * 17u + 8u + 1u);
        for (int target : {kTargetSwapCH1, kTargetSwapCH2}) {
            EXPECT_NE(panel.FindSetting(KIND_VIDEO_POLARITY, target), panel.FindSetting(KIND_PULSE_POLARITY, target));
            EXPECT_NE(panel.FindSetting(KIND_PULSE_WHEN, target), panel.FindSetting(KIND_SLOPE_WHEN, target));
            ASSERT_NE(panel.FindSetting(KIND_PULSE_WHEN, target), nullptr);
        }
    }
}

// While the link is down a click on any item (a check mark included) and a
// double-click on a group tell the user to connect first and collapse the
// root; nothing else changes.
TEST_F(SettingsTreeTest, ClicksWhileDisconnectedAskToConnectFirst)
{
    CSettingsPanel panel(nullptr);
    panel.resize(300, 700);
    panel.show();
    QTreeWidget* tree = panel.Tree();
    QTreeWidgetItem* root = tree->topLevelItem(0);
    QTreeWidgetItem* ch1 = panel.TraceItem(0);
    auto expandTo = [&](QTreeWidgetItem* item) {
        for (QTreeWidgetItem* p = item->parent(); p; p = p->parent())
            p->setExpanded(true);
    };
    expandTo(ch1);
    const QRect mark = tree->visualItemRect(ch1);
    Click(tree->viewport(), QPoint(mark.left() + 10, mark.center().y()));   // its check mark
    expandTo(ch1);
    Click(tree->viewport(), mark.center());
    EXPECT_EQ(CMessageRecorder::Messages(), (std::vector<std::string>(2, Msg(szConnectFirst))));
    EXPECT_FALSE(root->isExpanded());
    EXPECT_EQ(ch1->checkState(0), Qt::Checked);
    EXPECT_EQ(g_wfmShow[0], 1);

    CMessageRecorder::Clear();
    root->setExpanded(true);
    QTreeWidgetItem* setup = root->child(1);
    DoubleClick(tree->viewport(), tree->visualItemRect(setup).center());
    EXPECT_FALSE(CMessageRecorder::Messages().empty());
    EXPECT_FALSE(setup->isExpanded());
    EXPECT_FALSE(root->isExpanded());

    CMessageRecorder::Clear();
    root->setExpanded(true);
    EXPECT_EQ(panel.EditItem(root).outcome, EditOutcome::NotConnected);
    EXPECT_EQ(CMessageRecorder::Messages(), std::vector<std::string>{Msg(szConnectFirst)});
    EXPECT_FALSE(root->isExpanded());
}

// The context menu opens at the cursor, or from the keyboard 5 pixels right
// of and below the tree's top-left corner; it holds the edit commands and
// the setup file command.
TEST_F(SettingsTreeTest, ContextMenuPlaceFollowsHowItWasAsked)
{
    CSettingsPanel panel(nullptr);
    panel.resize(300, 500);
    panel.show();
    QTreeWidget* tree = panel.Tree();
    QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(60, 80));
    EXPECT_EQ(panel.ContextMenuPosition(keyboard), tree->viewport()->mapToGlobal(QPoint(5, 5)));
    QContextMenuEvent mouse(QContextMenuEvent::Mouse, QPoint(60, 80), QPoint(160, 180));
    EXPECT_EQ(panel.ContextMenuPosition(mouse), QPoint(160, 180));

    QStringList texts;
    QPoint shownAt;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        shownAt = menu->pos();
        for (QAction* a : menu->actions())
            texts << a->text();
        menu->close();
    });
    QApplication::sendEvent(tree, &keyboard);
    EXPECT_EQ(shownAt, tree->viewport()->mapToGlobal(QPoint(5, 5)));
    ASSERT_GE(texts.size(), 5);
    EXPECT_EQ(texts.mid(0, 5), (QStringList{"Cu&t", "&Copy", "&Paste", "", "Save SetFile"}));
}

// The dialog is 400 x 200 with its controls at the fixed places (left, top,
// right, bottom); OK, Cancel and Apply run left to right along the bottom,
// and the closed drop-down list leaves them free.
TEST(ParamDialogLayout, ControlsTakeTheFixedPlaces)
{
    CParamDialog dialog(nullptr);
    ChoiceRequest volts;
    volts.kind = KIND_VOLTS_PER_DIV;
    volts.target = 1;
    volts.currentText = "1.00V";
    dialog.Prepare(volts);
    auto ltrb = [](QWidget* w) {
        const QRect r = w->geometry();
        return std::vector<int>{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    };
    EXPECT_EQ(dialog.size(), QSize(400, 200));
    EXPECT_EQ(ltrb(dialog.Frame()), (std::vector<int>{10, 10, 380, 130}));
    EXPECT_EQ(ltrb(dialog.TextBox()), (std::vector<int>{50, 50, 350, 75}));
    EXPECT_EQ(ltrb(dialog.SpinLabel(1)), (std::vector<int>{150, 90, 250, 115}));
    EXPECT_EQ(ltrb(dialog.OkButton()), (std::vector<int>{130, 135, 210, 160}));
    EXPECT_EQ(ltrb(dialog.CancelButton()), (std::vector<int>{210, 135, 290, 160}));
    EXPECT_EQ(ltrb(dialog.ApplyButton()), (std::vector<int>{290, 135, 370, 160}));
    EXPECT_EQ(ltrb(dialog.TextLabel()), (std::vector<int>{50, 25, 150, 45}));
    EXPECT_EQ(ltrb(dialog.SpinLabel(0)), (std::vector<int>{200, 25, 300, 45}));
    EXPECT_EQ(ltrb(dialog.Spin()), (std::vector<int>{350, 50, 370, 75}));
    EXPECT_FALSE(dialog.Spin()->isHidden());
    EXPECT_FALSE(dialog.SpinLabel(0)->isHidden());
    EXPECT_EQ(dialog.OkButton()->text(), QString("OK"));
    EXPECT_EQ(dialog.CancelButton()->text(), QString("Cancel"));

    ChoiceRequest list;
    list.kind = KIND_VIDEO_STANDARD;
    list.listMode = true;
    list.labels = {"NTSC", "PAL"};
    dialog.Prepare(list);
    EXPECT_TRUE(dialog.Spin()->isHidden());
    EXPECT_TRUE(dialog.TextBox()->isHidden());
    const QRect drop = dialog.List()->geometry();
    EXPECT_EQ(drop.topLeft(), QPoint(75, 50));
    EXPECT_EQ(drop.width(), 250);
    for (QPushButton* b : {dialog.OkButton(), dialog.CancelButton(), dialog.ApplyButton()})
        EXPECT_FALSE(drop.intersects(b->geometry()));
}
