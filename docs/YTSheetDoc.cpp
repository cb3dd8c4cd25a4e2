#include "docs/YTSheetDoc.h"

#include <QCoreApplication>

#include "docs/FileFormats.h"
#include "docs/WfmFile.h"

CYTSheetDoc::CYTSheetDoc() : m_sheet(std::make_unique<CYTSheetData>()) {}

CYTSheetDoc::~CYTSheetDoc() = default;

int CYTSheetDoc::Serialize(CArchive& ar) { return CWfmFile::Serialize(ar, *m_sheet); }

const char* CYTSheetDoc::ClassName() const { return CWfmFile::kClassName; }

const char* CYTSheetDoc::Extension() const { return CWfmFile::kExtension; }

QString CYTSheetDoc::KindName() const { return QCoreApplication::translate("CYTSheetDoc", "waveform sheet"); }

void CYTSheetDoc::AfterLoad() { m_sheet->DeriveDisplayState(); }

QV_FILE_FORMAT(".wfm", CYTSheetDoc);
