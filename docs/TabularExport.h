// The data table window's ".txt" and ".csv" tables of the current page.
// Both write the rows of the page that hold values (3200 on a full page,
// fewer on the last page of a longer record, 1024 in spectrum mode), end
// every line with CR LF and print numbers with a decimal point whatever the
// locale.
//
// ".txt": "<No.>\t<x header>\t\t<y header>", then per row
//   "<number>\t<x text>\t<y text>" with the texts the grid shows.
// ".csv": "<x header> (<unit>),<y header> (<unit>)", then per row
//   "x ÷ scale,y ÷ scale" printed as "%f". Units and scales are read from
//   the first row's texts (CsvUnitOf); the pairs are the page's points.
#pragma once

#include "docs/TabularData.h"

#include <QByteArray>
#include <QString>

#include <string>

// What a cell holds, for the unit of its ".csv" column.
enum CellKind : int { kCellTime = 0, kCellVoltage = 1, kCellFrequency = 2, kCellLevel = 3 };

struct CsvUnit {
    std::string unit;
    double scale = 1;  // the stored value ÷ scale is in unit
};

// The unit of a shown cell (blanks removed first): a time by the character
// before its last one ('m' ms 10⁶, 'n' ns 1, 'u' us 10³, else s 10⁹; values
// in ns), a voltage likewise ('m' mv 10³, else v 10⁶; values in µV), a
// frequency by the character before its last two ('M' MHz 10⁶, 'k' kHz 10³,
// else an empty unit and scale 1; values in Hz), a level always dB, 1.
CsvUnit CsvUnitOf(const std::string& cell, CellKind kind);

// language: 0 English, 1 Chinese (column headers).
QByteArray TabularTextTable(const CTabularData& table, int language);
QByteArray TabularCsvTable(const CTabularData& table, int language);
// ".csv" when the path's last four characters are ".csv", else ".txt".
QByteArray TabularExportFor(const QString& path, const CTabularData& table, int language);
