// CYTSheetDoc: the document of a waveform sheet window. It owns everything a
// sheet shows and stores (CYTSheetData: the drawing objects, the acquisition
// parameters of the record shown and the display state) and reads and writes
// the ".wfm" file (CWfmFile). The view draws it.
#pragma once

#include <QString>

#include <memory>

#include "docs/DataDoc.h"
#include "docs/YTSheetData.h"

class CYTSheetDoc : public CDataDoc {
public:
    CYTSheetDoc();
    ~CYTSheetDoc() override;

    CYTSheetData& Sheet() { return *m_sheet; }
    const CYTSheetData& Sheet() const { return *m_sheet; }

    int Serialize(CArchive& ar) override;
    const char* ClassName() const override;
    const char* Extension() const override;
    QString KindName() const override;

protected:
    void AfterLoad() override;

private:
    std::unique_ptr<CYTSheetData> m_sheet;
};
