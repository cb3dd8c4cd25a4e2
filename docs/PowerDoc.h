#pragma once
// CPowerSpectrumDoc: the document of a power spectrum window. It owns the
// window's copies of both channel records, its selections and the stored
// state of its two traces (CPowerSpectrumData), and reads and writes them as
// a ".psm" file (docs/PsmFile.h).
#include "docs/DataDoc.h"
#include "docs/PowerData.h"

#include <QCoreApplication>

class CPowerSpectrumDoc : public CDataDoc {
    Q_DECLARE_TR_FUNCTIONS(CPowerSpectrumDoc)
public:
    // Copies committed for the current record length (waveDataLen).
    CPowerSpectrumDoc();

    int Serialize(CArchive& ar) override;
    const char* ClassName() const override;
    const char* Extension() const override;
    QString KindName() const override { return tr("power spectrum"); }

    CPowerSpectrumData& Data() { return m_data; }
    const CPowerSpectrumData& Data() const { return m_data; }

private:
    CPowerSpectrumData m_data;
};
