#pragma once
// CArithmeticDoc: the document of an arithmetic window. It owns the window's
// sample buffer (both records), scales, factor and chosen operands and
// operation (CArithmeticData), and reads and writes them as a ".mth" file
// (docs/MthFile.h), which carries no class record.
#include "docs/ArithmeticData.h"
#include "docs/DataDoc.h"

#include <QCoreApplication>

class CArithmeticDoc : public CDataDoc {
    Q_DECLARE_TR_FUNCTIONS(CArithmeticDoc)
public:
    // Buffer committed for the current record length (waveDataLen); the
    // operation name in the current language.
    CArithmeticDoc();

    int Serialize(CArchive& ar) override;
    // Null: the file has no class record.
    const char* ClassName() const override { return nullptr; }
    const char* Extension() const override;
    QString KindName() const override { return tr("arithmetic"); }

    CArithmeticData& Data() { return m_data; }
    const CArithmeticData& Data() const { return m_data; }

private:
    CArithmeticData m_data;
};
