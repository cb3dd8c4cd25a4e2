#include "settings/view/SettingsPanel.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QMenu>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

#include "ui/ChildView.h"
#include "ui/Shell.h"
#include "ui/ShellHooks.h"
#include "ui/UserPrompts.h"
#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"
#include "corvane/ValueTables.h"
#include "link/LinkSession.h"
#include "link/UserMessage.h"
#include "settings/SettingKinds.h"
#include "settings/SettingsListing.h"
#include "settings/view/ParamDialog.h"
#include "settings/view/SetupFile.h"

namespace {

// Tree item numbers of the fixed part of the tree.
constexpr int kItemRoot = 1;
constexpr int kItemData = 2;
constexpr int kItemWaveforms = 3;
constexpr int kItemFirstTrace = 4;   // CH1, CH2, Math: 4, 5, 6
constexpr int kItemSetup = 13;
constexpr int kItemFunctions = 101;
constexpr int kItemVirtualPanel = 110;
constexpr int kItemPanel = 111;
constexpr int kKeyboardMenuOffset = 5;   // pixels right of and below the tree's corner

struct FunctionItem {
    int item;
    int kind;
};
constexpr FunctionItem kFunctionItems[] = {
    {102, KIND_AUTOSET}, {103, KIND_FACTORY}, {104, KIND_RUN},  {105, KIND_STOP},
    {106, KIND_LEVEL_50}, {107, KIND_FORCE},  {108, KIND_LOCK}, {109, KIND_UNLOCK},
};

QString Label(int item)
{
    return QString::fromStdString(TreeItemName(item));
}

// The waveform sheets read the shown-trace flags when they paint.
void RepaintDataWindows(IShell* shell)
{
    if (shell)
        shell->VisitDataWindows([](IChildView& view) {
            if (QWidget* widget = view.Widget())
                widget->update();
        });
}

bool IsLinkUp()
{
    return g_bTransfering.load() != 0 && g_bRunThreadR.load() != 0;
}

}  // namespace

CSettingsPanel::CSettingsPanel(CLinkSession* session, QWidget* parent, IShell* shell)
    : QWidget(parent),
      m_session(session),
      m_shell(shell),
      m_model(std::make_unique<CSettingsModel>(session, session ? session->Timings() : LinkTimings{}))
{
    if (m_session) {
        m_session->SetCommandSender(m_model.get());
        m_session->SetSettingsPanel(m_model.get());
    }
    m_dialog = std::make_unique<CParamDialog>(m_model.get(), this);
    m_tree = new QTreeWidget(this);
    m_tree->setColumnCount(2);
    m_tree->header()->hide();
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_tree->setExpandsOnDoubleClick(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    BuildTree();
    Refresh();
    connect(m_model.get(), &CSettingsModel::SettingsDecoded, this, &CSettingsPanel::Refresh);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) { EditItem(item); });
    connect(m_tree, &QTreeWidget::itemChanged, this, &CSettingsPanel::OnItemChanged);
    m_tree->installEventFilter(this);
    m_tree->viewport()->installEventFilter(this);
}

// The session goes back to its own sender before the model goes.
CSettingsPanel::~CSettingsPanel()
{
    if (m_session) {
        m_session->SetSettingsPanel(nullptr);
        if (&m_session->Sender() == m_model.get())
            m_session->SetCommandSender(nullptr);
    }
    m_dialog.reset();
    m_model.reset();
}

void CSettingsPanel::BuildTree()
{
    m_bFilling = true;
    m_root = new QTreeWidgetItem(m_tree, QStringList(Label(kItemRoot)));
    m_root->setData(0, kKindRole, -1);
    m_root->setData(0, kItemRole, kItemRoot);
    AddDataItems(m_root);
    AddSettingItems(m_root);
    AddFunctionItems(m_root);
    m_root->setExpanded(true);
    m_bFilling = false;
}

QTreeWidgetItem* CSettingsPanel::AddLeaf(QTreeWidgetItem* parent, int item, int kind, int target)
{
    auto* leaf = new QTreeWidgetItem(parent, QStringList(Label(item)));
    leaf->setData(0, kItemRole, item);
    leaf->setData(0, kKindRole, kind);
    leaf->setData(0, kTargetRole, target);
    m_fixedLabels[leaf] = item;
    return leaf;
}

void CSettingsPanel::AddDataItems(QTreeWidgetItem* root)
{
    QTreeWidgetItem* data = AddLeaf(root, kItemData, -1, 0);
    QTreeWidgetItem* waveforms = AddLeaf(data, kItemWaveforms, -1, 0);
    for (int trace = 0; trace < 3; ++trace) {
        QTreeWidgetItem* item = AddLeaf(waveforms, kItemFirstTrace + trace, -1, 0);
        item->setData(0, kTraceRole, trace);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, g_wfmShow[trace] ? Qt::Checked : Qt::Unchecked);
        m_traces[trace] = item;
    }
}

// Nodes are found by their item number under their parent, never by their
// label: the two swap subtrees hold items of equal labels ("Polarity" 63 and
// 71, "When" 72 and 80) that are different settings.
void CSettingsPanel::AddSettingItems(QTreeWidgetItem* root)
{
    QTreeWidgetItem* setup = AddLeaf(root, kItemSetup, -1, 0);
    for (const SettingLine& line : ListSettings(m_model->Records())) {
        QTreeWidgetItem* item = setup;
        for (size_t i = 0; i + 1 < line.items.size(); ++i)
            item = GroupChild(item, line.items[i]);
        m_settings[{line.kind, line.target}] = AddLeaf(item, line.items.back(), line.kind, line.target);
    }
}

QTreeWidgetItem* CSettingsPanel::GroupChild(QTreeWidgetItem* parent, int number)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        QTreeWidgetItem* child = parent->child(i);
        const auto it = m_fixedLabels.find(child);
        if (it != m_fixedLabels.end() && it->second == number)
            return child;
    }
    return AddLeaf(parent, number, -1, 0);
}

void CSettingsPanel::AddFunctionItems(QTreeWidgetItem* root)
{
    QTreeWidgetItem* functions = AddLeaf(root, kItemFunctions, -1, 0);
    for (const FunctionItem& f : kFunctionItems)
        m_settings[{f.kind, 0}] = AddLeaf(functions, f.item, f.kind, 0);
    QTreeWidgetItem* virtualPanel = AddLeaf(root, kItemVirtualPanel, -1, 0);
    m_settings[{KIND_FRONT_PANEL, 0}] = AddLeaf(virtualPanel, kItemPanel, KIND_FRONT_PANEL, 0);
}

QTreeWidgetItem* CSettingsPanel::FindSetting(int kind, int target) const
{
    const auto it = m_settings.find({kind, target});
    return it == m_settings.end() ? nullptr : it->second;
}

QTreeWidgetItem* CSettingsPanel::TraceItem(int trace) const
{
    return trace >= 0 && trace < 3 ? m_traces[trace] : nullptr;
}

// Only texts change: the items, and so their expansion, stay.
void CSettingsPanel::Refresh()
{
    m_bFilling = true;
    const QString model = m_model->RootText();
    m_root->setText(0, model.isEmpty() ? Label(kItemRoot) : model);
    for (const auto& [item, number] : m_fixedLabels)
        item->setText(0, Label(number));
    for (const SettingLine& line : ListSettings(m_model->Records()))
        if (QTreeWidgetItem* item = FindSetting(line.kind, line.target))
            item->setText(1, QString::fromStdString(line.text));
    for (int trace = 0; trace < 3; ++trace)
        m_traces[trace]->setCheckState(0, g_wfmShow[trace] ? Qt::Checked : Qt::Unchecked);
    m_bFilling = false;
}

EditResult CSettingsPanel::EditItem(QTreeWidgetItem* item)
{
    if (!item)
        return {};
    if (!IsLinkUp()) {
        RefuseWhileDisconnected();
        EditResult r;
        r.outcome = EditOutcome::NotConnected;
        return r;
    }
    const int kind = item->data(0, kKindRole).toInt();
    if (item == m_root || item->childCount() > 0 || kind < 0)
        return {};
    ISettingChooser& chooser = m_chooser ? *m_chooser : static_cast<ISettingChooser&>(*m_dialog);
    const EditResult result =
        m_model->ApplyEdit(kind, item->data(0, kTargetRole).toInt(), chooser, item->text(0).toStdString());
    ShowOutcome(result);
    return result;
}

void CSettingsPanel::RefuseWhileDisconnected()
{
    m_root->setExpanded(false);
    ShowUserMessage(Msg(szConnectFirst));
}

// Mouse presses on an item while the link is down go no further than the
// message (no check mark, no expansion); the context menu opens from here
// so that its place can follow the way it was asked for.
bool CSettingsPanel::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == m_tree->viewport() && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && m_tree->itemAt(mouse->position().toPoint()) && !IsLinkUp()) {
            RefuseWhileDisconnected();
            return true;
        }
    }
    if (type == QEvent::ContextMenu) {
        ShowContextMenu(ContextMenuPosition(*static_cast<QContextMenuEvent*>(event)));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

QPoint CSettingsPanel::ContextMenuPosition(const QContextMenuEvent& event) const
{
    if (event.reason() == QContextMenuEvent::Keyboard)
        return m_tree->viewport()->mapToGlobal(QPoint(kKeyboardMenuOffset, kKeyboardMenuOffset));
    return event.globalPos();
}

void CSettingsPanel::ShowOutcome(const EditResult& result)
{
    if (result.outcome == EditOutcome::FrontPanel && m_shell)
        m_shell->OpenFrontPanel();
    if (result.outcome == EditOutcome::Invalid && m_shell)
        m_shell->AppendMessage(tr("The value was not accepted; the setting keeps its value."));
}

// A check mark of a data item switches its trace in every waveform sheet.
// While the link is down the mark goes back (the keyboard reaches it too).
void CSettingsPanel::OnItemChanged(QTreeWidgetItem* item, int column)
{
    if (m_bFilling || column != 0 || !item->data(0, kTraceRole).isValid())
        return;
    const int trace = item->data(0, kTraceRole).toInt();
    if (!IsLinkUp()) {
        m_bFilling = true;
        item->setCheckState(0, g_wfmShow[trace] ? Qt::Checked : Qt::Unchecked);
        m_bFilling = false;
        RefuseWhileDisconnected();
        return;
    }
    g_wfmShow[trace] = item->checkState(0) == Qt::Checked ? 1 : 0;
    RepaintDataWindows(m_shell);
}

// The tree's menu: the edit commands, which a tree has nothing to do with,
// and the setup file commands. at is in global coordinates.
void CSettingsPanel::ShowContextMenu(const QPoint& at)
{
    QMenu menu(this);
    for (const QString& text : {tr("Cu&t"), tr("&Copy"), tr("&Paste")})
        menu.addAction(text)->setEnabled(false);
    menu.addSeparator();
    menu.addAction(tr("Save SetFile"), this, [this] { SaveSetupCommand(); });
    menu.addAction(tr("Open SetFile"), this, [this] { OpenSetupCommand(); });
    menu.exec(at);
}

int CSettingsPanel::SaveSetupCommand()
{
    QString path = QString::fromStdString(g_openFileName);
    if (g_openFileFlag.load() == 0 || path.isEmpty()) {
        const QString chosen = ChooseFile(this, FileDialogKind::Save, SetupFilter(), QStringLiteral("*.set"));
        if (chosen.isEmpty())
            return 0;
        path = SetupFileName(chosen);
    }
    const SetupStatus status = SaveSetupFile(path);
    if (status == SetupStatus::Ok)
        return 1;
    TellUser(this, status == SetupStatus::NoSettings
                       ? tr("There are no instrument settings to save yet: connect the instrument first.")
                       : tr("The setup file %1 could not be written.").arg(path));
    return 0;
}

int CSettingsPanel::OpenSetupCommand()
{
    const QString path = ChooseFile(this, FileDialogKind::Open, SetupFilter(), QStringLiteral("*.set"));
    if (path.isEmpty())
        return 0;
    const SetupStatus status = OpenSetupFile(path, *m_model);
    if (status == SetupStatus::Ok)
        return 1;
    TellUser(this, SetupRefusal(status, path));
    return 0;
}

QString CSettingsPanel::SetupFilter()
{
    return tr("Setup file (*.set);;All Files (*)");
}

QString CSettingsPanel::SetupRefusal(SetupStatus status, const QString& path)
{
    switch (status) {
    case SetupStatus::Unreadable: return tr("The setup file %1 could not be read.").arg(path);
    case SetupStatus::NoSettings: return tr("%1 holds no instrument settings; the settings were not changed.").arg(path);
    case SetupStatus::OtherInstrument:
        return tr("%1 holds the settings of another instrument (its settings block has a different length); the "
                  "settings were not changed.")
            .arg(path);
    default: return tr("%1 is not a setup file or is damaged; the settings were not changed.").arg(path);
    }
}

namespace {
QWidget* MakeSettingsPanel(const ShellPanelContext& context)
{
    return new CSettingsPanel(context.session, context.parent, context.shell);
}
const bool registered = RegisterSettingsPanelFactory(MakeSettingsPanel);
}  // namespace
