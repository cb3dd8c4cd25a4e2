// The fixed two-language vocabulary of the settings panel, the parameter
// dialog and the measurement views: the choice labels of every setting, the
// persistence subset, the settings-tree item names and the measurement item
// names. Choices whose labels and codes differ between models are not here
// but in the per-model UI system table (Tessary).
//
// A choice table has R rows for English followed by the same R rows in
// Chinese; the row of setting r in the current language is
// r + g_nLanguage × R. Its companion count table gives the number of labels
// of each row (the same for both languages). Texts are UTF-8.
#pragma once

#include <cstddef>
#include <string>

// Vertical: on/off, bandwidth limit, coupling, four volts-per-division rows
// (one per probe factor), probe, invert.
inline constexpr int kVtRows = 9;
extern const int nVtParam[kVtRows];
extern const std::string strVtParam[2 * kVtRows][11];

// Trigger: mode, type, coupling, slope, sources, polarities, video standard
// and sync, pulse/slope conditions, slope set and window, state, overtime source.
inline constexpr int kTgRows = 18;
extern const int nTgParam[kTgRows];
extern const std::string strTgParam[2 * kTgRows][6];

// Math: on/off, operation, FFT source, FFT window, FFT zoom.
inline constexpr int kMtRows = 5;
extern const int nMtParam[kMtRows];
extern const std::string strMtParam[2 * kMtRows][4];

// Acquisition: type, mode, average count, state, stop after, store depth.
inline constexpr int kAcRows = 6;
extern const int nAcParam[kAcRows];
extern const std::string strAcParam[2 * kAcRows][6];

// Display: format, persistence, style, contrast, grid kind, grid brightness
// (row 3 is the trace list CH1, CH2, Math).
inline constexpr int kDsRows = 7;
extern const int nDsParam[kDsRows];
extern const std::string strDsParam[2 * kDsRows][20];

// Horizontal: view (main, window, zone) and the 31 time bases.
inline constexpr int kHzRows = 2;
extern const int nHzParam[kHzRows];
extern const std::string strHzParam[2 * kHzRows][31];

// Frequencies: sample rates and FFT frequency steps.
inline constexpr int kFqRows = 2;
extern const int nFqParam[kFqRows];
extern const std::string strFqParam[2 * kFqRows][31];

// FFT decibels per division; the same in both languages.
extern const int nDbParam;
extern const std::string strDbParam[5];

// The persistence labels the lists offer: positions within row 1 of strDsParam.
extern const int nDisPerNum;
extern const int nDisPerParam[9];

// Settings-tree item names and measurement item names: [item][language].
inline constexpr int kItemNameCount = 112;
inline constexpr int kMesItemCount = 27;
extern const std::string ItemName[kItemNameCount][2];
extern const std::string MesItem[kMesItemCount][2];

// Label `pos` of setting `row` of a choice table in the current language.
// A row or position outside the table, or past the row's count, gives an
// empty string instead of reading out of bounds.
template <std::size_t Rows2, std::size_t Cols>
const std::string& ChoiceLabel(const std::string (&table)[Rows2][Cols], const int (&counts)[Rows2 / 2],
                               int row, int pos);

// Number of labels of setting `row`, 0 for a row outside the table.
template <std::size_t Rows>
int ChoiceCount(const int (&counts)[Rows], int row)
{
    return row >= 0 && static_cast<std::size_t>(row) < Rows ? counts[row] : 0;
}

// Implementation details of ChoiceLabel.
namespace value_tables_detail {
const std::string& Empty();
int LanguageRow();
}  // namespace value_tables_detail

template <std::size_t Rows2, std::size_t Cols>
const std::string& ChoiceLabel(const std::string (&table)[Rows2][Cols], const int (&counts)[Rows2 / 2],
                               int row, int pos)
{
    constexpr int rows = static_cast<int>(Rows2 / 2);
    if (row < 0 || row >= rows || pos < 0 || pos >= counts[row] || pos >= static_cast<int>(Cols))
        return value_tables_detail::Empty();
    return table[row + value_tables_detail::LanguageRow() * rows][pos];
}

// Name of a settings-tree item or measurement item in the current language;
// an empty string for a number outside the table.
const std::string& TreeItemName(int item);
const std::string& MeasureItemName(int item);
