#include "app/DocKinds.h"

#include <map>
#include <string>

#include "app/PlaceholderView.h"

namespace {
std::map<std::string, ChildViewFactory>& Factories()
{
    static std::map<std::string, ChildViewFactory> factories;
    return factories;
}
}  // namespace

const std::vector<DocKind>& DocKinds()
{
    static const std::vector<DocKind> kinds = {
        {129, "AnalyseBus", ".bus", "Bus_", 6, QT_TRANSLATE_NOOP("CPlaceholderView", "bus analysis")},
        {130, "Arithmetic", ".mth", "Arith_", 5, QT_TRANSLATE_NOOP("CPlaceholderView", "arithmetic")},
        {131, "PowerSpectrum", ".psm", "Power_", 4, QT_TRANSLATE_NOOP("CPlaceholderView", "power spectrum")},
        {132, "WaveformMeasurement", ".mes", "Measure_", 2, QT_TRANSLATE_NOOP("CPlaceholderView", "measurement")},
        {133, "WaveformTabular", ".dat", "Data_", 3, QT_TRANSLATE_NOOP("CPlaceholderView", "data table")},
        {134, "YTSheet", ".wfm", "Wave_", 1, QT_TRANSLATE_NOOP("CPlaceholderView", "waveform sheet")},
    };
    return kinds;
}

const DocKind* KindByTypeName(const QString& typeName)
{
    for (const DocKind& k : DocKinds())
        if (typeName == QLatin1String(k.typeName))
            return &k;
    return nullptr;
}

const DocKind* KindByWorkspaceNumber(int workspaceKind)
{
    for (const DocKind& k : DocKinds())
        if (k.workspaceKind == workspaceKind)
            return &k;
    return nullptr;
}

const DocKind* KindForPath(const QString& path)
{
    const QString ending = path.right(4);
    for (const DocKind& k : DocKinds())
        if (ending == QLatin1String(k.extension))
            return &k;
    return nullptr;
}

int KindIndexOf(const DocKind& kind)
{
    return kind.resourceId - kFirstKindResource;
}

ChildViewFactory SetChildViewFactory(const QString& typeName, ChildViewFactory factory)
{
    if (!KindByTypeName(typeName))
        return {};
    ChildViewFactory& slot = Factories()[typeName.toStdString()];
    ChildViewFactory previous = std::move(slot);
    slot = std::move(factory);
    return previous;
}

ChildViewFactory ChildViewFactoryOf(const DocKind& kind)
{
    const auto it = Factories().find(kind.typeName);
    return it == Factories().end() ? ChildViewFactory{} : it->second;
}

std::unique_ptr<IChildView> CreateChildView(const DocKind& kind, const ChildViewContext& context)
{
    const ChildViewFactory factory = ChildViewFactoryOf(kind);
    std::unique_ptr<IChildView> view = factory ? factory(context) : nullptr;
    return view ? std::move(view) : std::make_unique<CPlaceholderView>(kind);
}

bool RegisterChildView(const char* typeName, ChildViewFactory factory)
{
    SetChildViewFactory(QString::fromLatin1(typeName), std::move(factory));
    return true;
}
