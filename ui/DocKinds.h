#pragma once
// The kinds table: one row for each kind of data window, in the order the
// kinds are registered. That order decides Open by extension, the File > New
// menu and the order of windows in a workspace file. The link (through each
// view's LinkViewClass, whose value is the update message), the Open dialog,
// the workspace reader and writer and the File > New menu all read it; a new
// kind is a row here and a view that registers itself from its own .cpp:
//
//   static std::unique_ptr<IChildView> MakeSheet(const ChildViewContext& c) { ... }
//   QV_CHILD_VIEW("YTSheet", MakeSheet);
//
// A kind without a registered view opens a placeholder window that says so.
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "link/LinkView.h"
#include "ui/ChildView.h"

class CLinkSession;
class IShell;
class QWidget;

// Which windows count against a kind's limit: every open data window (the
// open-view list of the main frame) or only the windows of the same kind.
enum class WindowLimitScope { AllDataWindows, SameKind };

struct DocKind {
    int resourceId;                 // 129 ... 134; the frame's kind is resourceId - 129
    const char* typeName;           // "YTSheet"
    const char* viewClass;          // class record of the kind's file: "CYTSheetView"
    const char* titlePattern;       // "Wave_%d": new windows are numbered by a process-wide counter
    const char* docTemplate;        // document template text (fields separated by '\n')
    const char* fileFilter;         // "Wfm File(*.wfm)|*.wfm|All Files(*.*)|*.*|"
    const char* extension;          // ".wfm"
    LinkViewClass linkClass;        // its value is the update message number (1126 ...)
    WindowLimitScope limitScope;
    int windowLimit;                // a new window is refused while this many are open
    const char (*limitMessage)[50]; // two-language message shown on refusal (szExceedFileNum)
    int workspaceKind;              // number of the kind in workspace files (1 ... 6)
    const char* description;        // English name for the placeholder text
};

inline constexpr int kFirstKindResource = 129;
enum KindIndex : int {
    kKindBusAnalysis = 0,
    kKindArithmetic = 1,
    kKindPowerSpectrum = 2,
    kKindMeasurement = 3,
    kKindDataTable = 4,
    kKindWaveformSheet = 5,
    kKindCount = 6
};

// The kinds in registration order.
const std::vector<DocKind>& DocKinds();
const DocKind* KindByTypeName(const QString& typeName);
const DocKind* KindByWorkspaceNumber(int workspaceKind);
// The kind a file opens as, from the last four characters of its path
// (case-sensitive: ".WFM" opens nothing); null for any other ending.
const DocKind* KindForPath(const QString& path);
// Index of the kind in registration order.
int KindIndexOf(const DocKind& kind);
// The update message of the kind's views (1126 ...).
int UpdateMessageOf(const DocKind& kind);

// The kind's title pattern with the number n ("Wave_3").
QString KindTitle(const DocKind& kind, int n);
// Takes the next number of the kind's process-wide counter (the first window
// gets 1; numbers are never reused). Take it only for a window that opens.
int TakeTitleNumber(const DocKind& kind);
// Whether a new window of the kind may open while openAll data windows are
// open, openSameKind of them of this kind.
bool AdmitsNewWindow(const DocKind& kind, int openAll, int openSameKind);
// The refusal message in the current language.
QString LimitMessage(const DocKind& kind);
// The kind's file filter in the file dialogs' form ("Wfm File(*.wfm);;All Files(*.*)").
QString FileDialogFilter(const DocKind& kind);
// A "Name(*.ext)|*.ext|...|" filter in the file dialogs' form.
QString FileDialogFilter(const char* barSeparatedFilter);
// The Open dialog's filter: every kind's extension.
QString OpenDialogFilter();

// What a view factory gets: the session (for the open-view list, the
// running-view rule and commands to the instrument), the shell (message pane,
// front panel, workspace; null in tests that make a view alone), the kind and
// the parent widget.
struct ChildViewContext {
    CLinkSession* session = nullptr;
    const DocKind* kind = nullptr;
    QWidget* parent = nullptr;
    IShell* shell = nullptr;
};
using ChildViewFactory = std::function<std::unique_ptr<IChildView>(const ChildViewContext&)>;

// Attaches a view factory to the kind of that type name, replacing any
// earlier one, and returns the factory it replaced (empty if none). Returns
// an empty factory and attaches nothing for an unknown type name.
ChildViewFactory SetChildViewFactory(const QString& typeName, ChildViewFactory factory);
// The factory of a kind, empty while the kind has no view.
ChildViewFactory ChildViewFactoryOf(const DocKind& kind);
// The kind's view, or a placeholder when it has none.
std::unique_ptr<IChildView> CreateChildView(const DocKind& kind, const ChildViewContext& context);

// Static registration from a view's .cpp file.
bool RegisterChildView(const char* typeName, ChildViewFactory factory);
#define QV_CHILD_VIEW_CONCAT2(a, b) a##b
#define QV_CHILD_VIEW_CONCAT(a, b) QV_CHILD_VIEW_CONCAT2(a, b)
#define QV_CHILD_VIEW(typeName, factory) \
    static const bool QV_CHILD_VIEW_CONCAT(qvChildViewRegistered_, __LINE__) = RegisterChildView(typeName, factory)
