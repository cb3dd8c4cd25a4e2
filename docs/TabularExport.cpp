#include "docs/TabularExport.h"

#include "corvane/MessageTables.h"
#include "corvane/TextNumber.h"

namespace {

constexpr const char* kLineEnd = "\r\n";

int Lang(int language) { return language == 1 ? 1 : 0; }

const char* XHeader(const CTabularData& t, int language) {
    return t.mode == kTableSpectrum ? szFrq[Lang(language)] : szTime[Lang(language)];
}

const char* YHeader(const CTabularData& t, int language) {
    return t.mode == kTableSpectrum ? szPower[Lang(language)] : szVolt[Lang(language)];
}

// The character n places before the end, 0 when the text is shorter.
char FromEnd(const std::string& text, size_t n) {
    return text.size() >= n ? text[text.size() - n] : '\0';
}

}  // namespace

CsvUnit CsvUnitOf(const std::string& cell, CellKind kind) {
    const std::string t = RemoveSpaces(cell);
    switch (kind) {
    case kCellTime:
        switch (FromEnd(t, 2)) {
        case 'm': return {"ms", 1e6};
        case 'n': return {"ns", 1};
        case 'u': return {"us", 1e3};
        default: return {"s", 1e9};
        }
    case kCellVoltage:
        return FromEnd(t, 2) == 'm' ? CsvUnit{"mv", 1e3} : CsvUnit{"v", 1e6};
    case kCellFrequency:
        switch (FromEnd(t, 3)) {
        case 'M': return {"MHz", 1e6};
        case 'k': return {"kHz", 1e3};
        default: return {"", 1};
        }
    default:
        return {"dB", 1};
    }
}

QByteArray TabularTextTable(const CTabularData& t, int language) {
    std::string out = std::string(szNum[Lang(language)]) + '\t' + XHeader(t, language) + "\t\t" +
                      YHeader(t, language) + kLineEnd;
    const int32_t rows = t.FilledRows();
    for (int32_t i = 0; i < rows; ++i) {
        const auto& cell = t.cells[static_cast<size_t>(i)];
        out += t.RowNumber(i) + '\t' + cell[0] + '\t' + cell[1] + kLineEnd;
    }
    return QByteArray::fromStdString(out);
}

QByteArray TabularCsvTable(const CTabularData& t, int language) {
    const bool spectrum = t.mode == kTableSpectrum;
    const int32_t rows = t.FilledRows();
    const std::string first0 = rows > 0 ? t.cells[0][0] : std::string();
    const std::string first1 = rows > 0 ? t.cells[0][1] : std::string();
    const CsvUnit ux = CsvUnitOf(first0, spectrum ? kCellFrequency : kCellTime);
    const CsvUnit uy = CsvUnitOf(first1, spectrum ? kCellLevel : kCellVoltage);
    std::string out = std::string(XHeader(t, language)) + " (" + ux.unit + ")," + YHeader(t, language) + " (" +
                      uy.unit + ")" + kLineEnd;
    const size_t base = t.PageBase();
    for (int32_t i = 0; i < rows && base + static_cast<size_t>(i) < t.points.size(); ++i) {
        const tagAcquireData& p = t.points[base + static_cast<size_t>(i)];
        out += FormatFixed(p.fX / ux.scale, 6) + ',' + FormatFixed(p.fY / uy.scale, 6) + kLineEnd;
    }
    return QByteArray::fromStdString(out);
}

QByteArray TabularExportFor(const QString& path, const CTabularData& t, int language) {
    return path.right(4) == QLatin1String(".csv") ? TabularCsvTable(t, language) : TabularTextTable(t, language);
}
