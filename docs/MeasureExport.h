// The measurement window's ".txt" and ".csv" tables. Both end every line
// with CR LF and print numbers with a decimal point whatever the locale.
//
// ".txt": the header line (type and value headers), then one line per item:
//   the item name padded with blanks, a tab, the text the grid shows.
//   Padding: blanks are appended one at a time while the number appended so
//   far is below 14 minus the name's current width, so a name of width w
//   gets ceil((14 - w) / 2) blanks. A Chinese character is two columns wide.
// ".csv": "<type>,<value>," then per item "<name>(<unit>),<value>," with the
//   value printed as "%f" (duties and over/preshoot as percent). Names are
//   not padded.
#pragma once

#include "docs/MeasureData.h"

#include <QByteArray>
#include <QString>

#include <string>

// The name with its ".txt" padding.
std::string PaddedMeasureName(const std::string& name);

// language: 0 English, 1 Chinese (headers and item names).
QByteArray MeasureTextTable(const CMeasureData& data, int language);
QByteArray MeasureCsvTable(const CMeasureData& data, int language);

// The table for a path: ".csv" when its last four characters are ".csv",
// else ".txt".
QByteArray MeasureExportFor(const QString& path, const CMeasureData& data, int language);
