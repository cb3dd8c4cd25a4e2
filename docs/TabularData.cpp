#include "docs/TabularData.h"

#include "analysis/FftPower.h"
#include "analysis/SampleReading.h"
#include "corvane/ScaleConversion.h"
#include "corvane/TextNumber.h"

#include <algorithm>

namespace {

std::string Analysed(double value, int digits) {
    float v = static_cast<float>(value / 1e9);
    std::string text;
    DataAnalyse(v, digits, text, 0, -1);
    return text;
}

void WriteRow(CTabularData& t, int32_t row, const tagAcquireData& p, bool spectrum) {
    auto& cell = t.cells[static_cast<size_t>(row)];
    cell[0] = Analysed(p.fX, spectrum ? 5 : 4);
    cell[1] = spectrum ? FormatFixed(p.fY, 1) + " dB" : Analysed(p.fY, 3);
}

void EmptyRowsFrom(CTabularData& t, int32_t row) {
    for (size_t r = static_cast<size_t>(std::max(row, 0)); r < t.cells.size(); ++r) t.cells[r] = {};
}

void EnsurePoints(CTabularData& t, size_t count) {
    if (t.points.size() < count) t.points.resize(count);
    t.capacity = std::max<uint32_t>(t.capacity, static_cast<uint32_t>(t.points.size()));
}

int32_t UpdateChannel(CTabularData& t, const TabularInput& in, bool writeTexts) {
    const tagWaveformParam& w = *in.wfm;
    const uint8_t* record = t.mode == kTableCH2 ? in.ch2 : in.ch1;
    const double volts = static_cast<double>(t.mode == kTableCH2 ? w.llCH2VoltBase : w.llCH1VoltBase);
    const double tdiv = w.fTableTimeBase;
    const double offset = (tdiv * 1000.0 * w.nHorizPos / 40.0) / 1000.0 - 8.0 * tdiv;
    const size_t available = std::min(static_cast<size_t>(std::max(in.recordLength, 0)), record ? in.length : 0);
    const size_t base = t.PageBase();
    const int32_t rows =
        base >= available ? 0 : static_cast<int32_t>(std::min<size_t>(available - base, static_cast<size_t>(t.rowsPerPage)));
    EnsurePoints(t, base + static_cast<size_t>(rows));
    const int dots = std::max(in.samplesPerDiv, 1);
    for (int32_t i = 0; i < rows; ++i) {
        const size_t k = base + static_cast<size_t>(i);
        tagAcquireData& p = t.points[k];
        p.fX = static_cast<float>(static_cast<double>(k) * tdiv / dots + offset);
        p.fY = static_cast<float>(SampleCount(record[k]) * volts / kCountsPerDivision);
        if (writeTexts) WriteRow(t, i, p, false);
    }
    if (writeTexts) EmptyRowsFrom(t, rows);
    return rows;
}

int32_t UpdateSpectrum(CTabularData& t, const TabularInput& in, bool writeTexts) {
    const tagWaveformParam& w = *in.wfm;
    const uint8_t* record = w.nFFTSource == 1 ? in.ch2 : in.ch1;
    const SpectrumInput samples = SpectrumInputFromRecord(record, record ? in.length : 0);
    int window = WindowCodeFromInstrument(w.nFFTWindow);
    if (window < 0) window = kWindowHanning;
    std::array<std::int32_t, kTableSpectrumRows> db{};
    if (ComputeSpectrumDb(db, samples, window) != 0) return 0;
    EnsurePoints(t, kTableSpectrumRows);
    const int32_t rows = std::min(kTableSpectrumRows, t.rowsPerPage);
    for (int32_t k = 0; k < rows; ++k) {
        tagAcquireData& p = t.points[static_cast<size_t>(k)];
        p.fX = static_cast<float>(k * 10.0 * w.fFFTFreqBase / 1024.0);
        p.fY = std::max(static_cast<float>(db[static_cast<size_t>(k)] - w.nFFTRefLevel), kLevelFloorDb);
        if (writeTexts) WriteRow(t, k, p, true);
    }
    if (writeTexts) EmptyRowsFrom(t, rows);
    return rows;
}

}  // namespace

CTabularData::CTabularData(int32_t recordLength)
    : cells(static_cast<size_t>(kTableRowsPerPage)),
      points(static_cast<size_t>(std::max(recordLength, 0))),
      capacity(static_cast<uint32_t>(std::max(recordLength, 0))) {
    pageCount = PagesFor(recordLength);
}

int32_t CTabularData::PagesFor(int32_t recordLength) const {
    if (recordLength <= 0 || rowsPerPage <= 0) return 1;
    return std::max<int32_t>(1, (recordLength + rowsPerPage - 1) / rowsPerPage);
}

size_t CTabularData::PageBase() const {
    if (mode == kTableSpectrum) return 0;
    return static_cast<size_t>(std::max(currentPage - 1, 0)) * static_cast<size_t>(std::max(rowsPerPage, 0));
}

int32_t CTabularData::FilledRows() const {
    int32_t n = 0;
    while (static_cast<size_t>(n) < cells.size() && !cells[static_cast<size_t>(n)][0].empty()) ++n;
    return n;
}

std::string CTabularData::RowNumber(int32_t row) const {
    return std::to_string(PageBase() + static_cast<size_t>(row) + 1);
}

void CTabularData::ClearValues() {
    for (auto& c : cells) c = {};
}

int32_t UpdateTable(CTabularData& table, const TabularInput& in, bool writeTexts) {
    if (!in.wfm) return 0;
    if (table.cells.size() != static_cast<size_t>(std::max(table.rowsPerPage, 0)))
        table.cells.resize(static_cast<size_t>(std::max(table.rowsPerPage, 0)));
    table.pageCount = table.PagesFor(in.recordLength);
    table.currentPage = std::clamp(table.currentPage, 1, table.pageCount);
    return table.mode == kTableSpectrum ? UpdateSpectrum(table, in, writeTexts) : UpdateChannel(table, in, writeTexts);
}
