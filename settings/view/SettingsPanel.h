#pragma once
// CSettingsPanel: the settings tree of the "Control" page. It owns the one
// settings model of the program, hands it to the link session as command
// sender and as receiver of the settings messages (so every parameter block
// the instrument sends is decoded here, and read mode starts the waveform
// reads), and shows every decoded setting as a tree grouped as on the
// instrument's menus, with the data traces, the function keys and the
// virtual front panel. Double-clicking a leaf edits its setting through the
// parameter dialog, presses its key or opens the front panel.
#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "settings/SettingsModel.h"
#include "settings/view/SetupFile.h"

class CLinkSession;
class IShell;
class QContextMenuEvent;
class CParamDialog;
class ISettingChooser;
class QTreeWidget;
class QTreeWidgetItem;

class CSettingsPanel : public QWidget {
    Q_OBJECT
public:
    // Item data roles of the tree.
    static constexpr int kKindRole = Qt::UserRole;        // setting kind; -1 for none
    static constexpr int kTargetRole = Qt::UserRole + 1;  // channel, trigger target or measurement item
    static constexpr int kTraceRole = Qt::UserRole + 2;   // data items: trace 0 CH1, 1 CH2, 2 math
    static constexpr int kItemRole = Qt::UserRole + 3;    // tree item number (its label's row of ItemName)

    // session may be null (a panel without link, as in a layout preview).
    explicit CSettingsPanel(CLinkSession* session, QWidget* parent = nullptr, IShell* shell = nullptr);
    ~CSettingsPanel() override;

    CSettingsModel& Model() { return *m_model; }
    QTreeWidget* Tree() const { return m_tree; }

    // The item of a setting kind and target, or null.
    QTreeWidgetItem* FindSetting(int kind, int target) const;
    // The data item of a trace (0 CH1, 1 CH2, 2 math).
    QTreeWidgetItem* TraceItem(int trace) const;

    // What a double-click on item does: while the link is down it tells the
    // user to connect first and collapses the root; otherwise it edits the
    // item's setting, presses its key or opens the front panel. The root and
    // items with children do nothing more (the tree expands them).
    EditResult EditItem(QTreeWidgetItem* item);
    // Where the context menu opens: at the cursor, or, opened from the
    // keyboard, 5 pixels right of and below the tree's top-left corner.
    QPoint ContextMenuPosition(const QContextMenuEvent& event) const;
    // The chooser edits ask (null: the panel's parameter dialog).
    void SetChooser(ISettingChooser* chooser) { m_chooser = chooser; }

    // Labels and values of the tree from the model's last decode.
    void Refresh();

    // Save Setup File: to the open setup file, else to a file the user
    // chooses. Open Setup File: asks for a file, loads it and sends it while
    // the link is up. Each returns non-zero when a file was written or read.
    // The main frame's File menu calls them by name.
    Q_INVOKABLE int SaveSetupCommand();
    Q_INVOKABLE int OpenSetupCommand();

private:
    static QString SetupFilter();
    static QString SetupRefusal(SetupStatus status, const QString& path);

    using SettingKey = std::pair<int, int>;   // kind, target

    void BuildTree();
    void AddDataItems(QTreeWidgetItem* root);
    void AddSettingItems(QTreeWidgetItem* root);
    void AddFunctionItems(QTreeWidgetItem* root);
    QTreeWidgetItem* AddLeaf(QTreeWidgetItem* parent, int item, int kind, int target);
    QTreeWidgetItem* GroupChild(QTreeWidgetItem* parent, int number);
    void OnItemChanged(QTreeWidgetItem* item, int column);
    void ShowOutcome(const EditResult& result);
    void ShowContextMenu(const QPoint& at);
    void RefuseWhileDisconnected();
    bool eventFilter(QObject* watched, QEvent* event) override;

    CLinkSession* m_session;
    IShell* m_shell = nullptr;   // message pane, front panel, data windows
    std::unique_ptr<CSettingsModel> m_model;
    std::unique_ptr<CParamDialog> m_dialog;
    ISettingChooser* m_chooser = nullptr;
    QTreeWidget* m_tree = nullptr;
    QTreeWidgetItem* m_root = nullptr;
    QTreeWidgetItem* m_traces[3] = {nullptr, nullptr, nullptr};
    std::map<SettingKey, QTreeWidgetItem*> m_settings;
    std::map<QTreeWidgetItem*, int> m_fixedLabels;   // every node and its tree item number
    bool m_bFilling = false;
};
