#include "docs/MeasureExport.h"

#include "corvane/MessageTables.h"
#include "corvane/TextNumber.h"
#include "corvane/ValueTables.h"

namespace {

constexpr int kPaddedWidth = 14;
constexpr const char* kLineEnd = "\r\n";

// Columns a UTF-8 text takes: one per ASCII character, two per other character.
int TextWidth(const std::string& text) {
    int width = 0;
    for (unsigned char c : text) {
        if (c < 0x80) ++width;
        else if ((c & 0xC0) == 0xC0) width += 2;  // lead byte of a multi-byte character
    }
    return width;
}

int Lang(int language) { return language == 1 ? 1 : 0; }

const std::string& MeasureItemName(int item, int language) {
    return MesItem[item][Lang(language)];
}

}  // namespace

std::string PaddedMeasureName(const std::string& name) {
    std::string padded = name;
    for (int added = 0; added < kPaddedWidth - TextWidth(padded); ++added) padded += ' ';
    return padded;
}

QByteArray MeasureTextTable(const CMeasureData& data, int language) {
    std::string out = PaddedMeasureName(szType[Lang(language)]) + '\t' + szValue[Lang(language)] + kLineEnd;
    for (int k = 0; k < kMeasureItemCount; ++k)
        out += PaddedMeasureName(MeasureItemName(k, language)) + '\t' +
               ShownMeasureText(k, data.text[static_cast<size_t>(k)]) + kLineEnd;
    return QByteArray::fromStdString(out);
}

QByteArray MeasureCsvTable(const CMeasureData& data, int language) {
    std::string out = std::string(szType[Lang(language)]) + ',' + szValue[Lang(language)] + ',' + kLineEnd;
    for (int k = 0; k < kMeasureItemCount; ++k) {
        const MeasureItem& item = kMeasureItems[static_cast<size_t>(k)];
        float value = data.value.value[item.slot];
        if (item.display == kShowPercent0 || item.display == kShowPercent2) value *= 100.0f;
        out += MeasureItemName(k, language) + '(' + item.unit + ")," + FormatFixed(value, 6) + ',' + kLineEnd;
    }
    return QByteArray::fromStdString(out);
}

QByteArray MeasureExportFor(const QString& path, const CMeasureData& data, int language) {
    return path.right(4) == QLatin1String(".csv") ? MeasureCsvTable(data, language)
                                                  : MeasureTextTable(data, language);
}
