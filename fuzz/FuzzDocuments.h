#pragma once
// The documents of the data-file kinds, by extension, for the drivers that
// read files of every kind. ".bus" has no document class: its reader is
// CBusFile, wrapped here as one.
#include <QByteArray>

#include <cstring>
#include <iterator>
#include <memory>

#include "docs/ArithmeticDoc.h"
#include "docs/BusAnalysisData.h"
#include "docs/BusFile.h"
#include "docs/DataDoc.h"
#include "docs/FileFormats.h"
#include "docs/PowerDoc.h"
#include "docs/WaveformMeasurementDoc.h"
#include "docs/WaveformTabularDoc.h"
#include "docs/YTSheetDoc.h"

class CBusDocument : public CDataDoc {
public:
    int Serialize(CArchive& ar) override { return CBusFile::Serialize(ar, m_data); }
    const char* ClassName() const override { return nullptr; }
    const char* Extension() const override { return CBusFile::kExtension; }
    QString KindName() const override { return QStringLiteral("bus analysis"); }

private:
    CBusAnalysisData m_data;
};

struct FuzzDocument {
    const char* extension;
    std::unique_ptr<CDataDoc> (*make)();
};

template <class Doc>
std::unique_ptr<CDataDoc> MakeFuzzDocument()
{
    return std::make_unique<Doc>();
}

// In the order of the first byte of the file driver's inputs (the seed files
// rely on it).
inline constexpr FuzzDocument kFuzzDocuments[] = {
    {".wfm", MakeFuzzDocument<CYTSheetDoc>},          {".mes", MakeFuzzDocument<CWaveformMeasurementDoc>},
    {".dat", MakeFuzzDocument<CWaveformTabularDoc>},  {".psm", MakeFuzzDocument<CPowerSpectrumDoc>},
    {".mth", MakeFuzzDocument<CArithmeticDoc>},       {".bus", MakeFuzzDocument<CBusDocument>},
};

inline const FuzzDocument* FuzzDocumentFor(const char* extension)
{
    for (const FuzzDocument& d : kFuzzDocuments) {
        if (std::strcmp(d.extension, extension) == 0)
            return &d;
    }
    return nullptr;
}

// Every registered format has a row above (a kind added later and missing
// here would go unfuzzed).
inline bool EveryFormatCovered()
{
    for (const FileFormat& format : FileFormats()) {
        if (!FuzzDocumentFor(format.extension.c_str()))
            return false;
    }
    return true;
}
