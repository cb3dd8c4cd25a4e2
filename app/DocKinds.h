#pragma once
// The six kinds of data window, in the order they are registered (that order
// decides Open by extension and the order of windows in a workspace file),
// and the registry of their views.
//
// The kinds themselves are fixed here; a view attaches itself to its kind at
// load time from its own .cpp file:
//
//   static std::unique_ptr<IChildView> MakeSheet(const ChildViewContext& c) { ... }
//   QV_CHILD_VIEW("YTSheet", MakeSheet);
//
// A kind without a registered view opens a placeholder window that says so.
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "app/ChildView.h"

class CLinkSession;
class QWidget;

struct DocKind {
    int resourceId;            // 129 ... 134; the frame's kind is resourceId - 129
    const char* typeName;      // "YTSheet"
    const char* extension;     // ".wfm"
    const char* titlePrefix;   // "Wave_": windows are named prefix + counter
    int workspaceKind;         // number of the kind in workspace files (1 ... 6)
    const char* description;   // English name for the placeholder text
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

// What a view factory gets: the session (for the open-view list, the
// running-view rule and commands to the instrument) and the parent widget.
struct ChildViewContext {
    CLinkSession* session = nullptr;
    const DocKind* kind = nullptr;
    QWidget* parent = nullptr;
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
