#include "ui/DocKinds.h"

#include <QStringList>

#include <array>
#include <atomic>
#include <map>
#include <string>

#include "corvane/MessageTables.h"
#include "ui/PlaceholderView.h"

namespace {
std::map<std::string, ChildViewFactory>& Factories()
{
    static std::map<std::string, ChildViewFactory> factories;
    return factories;
}

std::array<std::atomic<int>, kKindCount>& TitleCounters()
{
    static std::array<std::atomic<int>, kKindCount> counters{};
    return counters;
}

// Windows of the analysis kinds are refused when their template would then
// list more than 9; the sheet, measurement and data table when the open-view
// list already holds more than 9 (the tenth window opens, the eleventh not).
constexpr int kOpenViewLimit = 10;
constexpr int kTemplateLimit = 9;
}  // namespace

const std::vector<DocKind>& DocKinds()
{
    using S = WindowLimitScope;
    static const std::vector<DocKind> kinds = {
        {129, "AnalyseBus", "CAnalyse_BusView", "Bus_%d",
         "\nAnalyseBus\nAnalyseBus\n\n.bus\n.bus\n.bus\n.Document\n.Document",
         "Bus File(*.bus)|*.bus|All Files(*.*)|*.*|", ".bus", LinkViewClass::BusAnalysis, S::SameKind,
         kTemplateLimit, szExceedFileNum, 6, QT_TRANSLATE_NOOP("CPlaceholderView", "bus analysis")},
        {130, "Arithmetic", "CArithmeticView", "Arith_%d",
         "\nArithmetic\nArithmetic\n\n.mth\n.mth\n.mth\n.Document\n.Document",
         "Mth File(*.mth)|*.mth|All Files(*.*)|*.*|", ".mth", LinkViewClass::Arithmetic, S::SameKind,
         kTemplateLimit, szExceedFileNum, 5, QT_TRANSLATE_NOOP("CPlaceholderView", "arithmetic")},
        {131, "PowerSpectrum", "CPowerSpectrumView", "Power_%d",
         "\nPowerSpectrum\nPowerSpectrum\n\n.psm\n.psm\n.psm\n.Document\n.Document",
         "Psm File(*.psm)|*.psm|All Files(*.*)|*.*|", ".psm", LinkViewClass::PowerSpectrum, S::SameKind,
         kTemplateLimit, szExceedFileNum, 4, QT_TRANSLATE_NOOP("CPlaceholderView", "power spectrum")},
        {132, "WaveformMeasurement", "CWaveformMeasurementView", "Measure_%d",
         "\nWaveformMeasurement\nWaveformMeasurement\n\n.mes\n.mes\n.mes\n.Document\n.Document",
         "Mes File(*.mes)|*.mes|All Files(*.*)|*.*|", ".mes", LinkViewClass::Measurement, S::AllDataWindows,
         kOpenViewLimit, szExceedFileNum, 2, QT_TRANSLATE_NOOP("CPlaceholderView", "measurement")},
        {133, "WaveformTabular", "CWaveformTabularView", "Data_%d",
         "\nWaveformTabular\nWaveformTabular\n\n.dat\n.dat\n.dat\n.Document\n.Document",
         "Dat File(*.dat)|*.dat|All Files(*.*)|*.*|", ".dat", LinkViewClass::DataTable, S::AllDataWindows,
         kOpenViewLimit, szExceedFileNum, 3, QT_TRANSLATE_NOOP("CPlaceholderView", "data table")},
        {134, "YTSheet", "CYTSheetView", "Wave_%d",
         "\nYTSheet\nYTSheet\n\n.wfm\n.wfm\n.wfm\n.Document\n.Document",
         "Wfm File(*.wfm)|*.wfm|All Files(*.*)|*.*|", ".wfm", LinkViewClass::WaveformSheet, S::AllDataWindows,
         kOpenViewLimit, szExceedFileNum, 1, QT_TRANSLATE_NOOP("CPlaceholderView", "waveform sheet")},
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

int UpdateMessageOf(const DocKind& kind)
{
    return static_cast<int>(kind.linkClass);
}

QString KindTitle(const DocKind& kind, int n)
{
    return QString::asprintf(kind.titlePattern, n);
}

int TakeTitleNumber(const DocKind& kind)
{
    return TitleCounters()[KindIndexOf(kind)].fetch_add(1) + 1;
}

bool AdmitsNewWindow(const DocKind& kind, int openAll, int openSameKind)
{
    const int open = kind.limitScope == WindowLimitScope::AllDataWindows ? openAll : openSameKind;
    return open < kind.windowLimit;
}

QString LimitMessage(const DocKind& kind)
{
    return QString::fromUtf8(kind.limitMessage[LanguageIndex()]);
}

QString FileDialogFilter(const char* barSeparatedFilter)
{
    const QStringList fields = QString::fromUtf8(barSeparatedFilter).split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < fields.size(); i += 2)
        if (!fields[i].isEmpty())
            entries << fields[i];
    return entries.join(QStringLiteral(";;"));
}

QString FileDialogFilter(const DocKind& kind)
{
    return FileDialogFilter(kind.fileFilter);
}

QString OpenDialogFilter()
{
    QStringList patterns;
    for (const DocKind& k : DocKinds())
        patterns << QLatin1Char('*') + QLatin1String(k.extension);
    return QStringLiteral("Data files (%1);;All Files (*)").arg(patterns.join(QLatin1Char(' ')));
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
