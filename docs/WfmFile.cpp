#include "docs/WfmFile.h"

#include "corvane/SharedState.h"
#include "docs/YTSheetData.h"
#include "docs/YTSheetZoom.h"

#include <QCoreApplication>

#include <cmath>

namespace {

// Largest volts per division (µV) a file may hold: far above any probe scale.
constexpr double kMaxVoltsUv = 1.0e15;

QString Tr(const char* text) { return QCoreApplication::translate("CWfmFile", text); }

// Volts per division travel as float32 ÷ 1000 and come back truncated.
void TransferVolts(CArchive& ar, int64_t& uv) {
    float stored = static_cast<float>(static_cast<double>(uv) / 1000.0);
    ar.Transfer(stored);
    if (!ar.IsLoading()) return;
    const double back = std::trunc(static_cast<double>(stored) * 1000.0);
    if (!std::isfinite(back) || std::fabs(back) > kMaxVoltsUv) {
        ar.SetFailed();
        return;
    }
    uv = static_cast<int64_t>(back);
}

void TransferDisplayState(CArchive& ar, CYTSheetData& s) {
    ar.Transfer(s.colorMode);
    ar.Transfer(s.zoom);
    if (ar.IsLoading() && (s.colorMode < 0 || s.colorMode > 1)) ar.SetFailed();
    // A zoom outside the range the view offers is only a display choice: it
    // is brought into the range, and the file is read on.
    if (ar.IsLoading()) s.zoom = CYTSheetZoom::Clamp(s.zoom);
    ar.Transfer(s.centre);
    ar.Transfer(s.scrollPos);
    ar.Transfer(s.clientRect);
    ar.Transfer(s.frameRect);
    ar.Transfer(s.showState);
}

void TransferParameters(CArchive& ar, tagWaveformParam& w) {
    TransferVolts(ar, w.llCH1VoltBase);
    TransferVolts(ar, w.llCH2VoltBase);
    ar.Transfer(w.nCH1Pos);
    ar.Transfer(w.nCH2Pos);
    ar.Transfer(w.strCH1VoltBase);
    ar.Transfer(w.strCH2VoltBase);
    ar.Transfer(w.nHorizPos);
    ar.Transfer(w.nHorizWinState);
    ar.TransferFinite(w.fMeasureTimeBase);
    ar.Transfer(w.strTimeBase);
    ar.Transfer(w.nFFTFactor);
    ar.Transfer(w.nFFTDbBase);
    ar.Transfer(w.strFFTDbBase);
    ar.TransferFinite(w.fFFTFreqBase);
    ar.Transfer(w.strFFTFreqBase);
    ar.Transfer(w.nTrigLevel);
    for (int32_t* v : {&w.nCH1VoltIndex, &w.nCH2VoltIndex, &w.nTimeBaseIndex, &w.nMathOperation, &w.nCH1Probe,
                       &w.nCH2Probe, &w.nCH1Coupling, &w.nCH2Coupling, &w.nCH1ScaleOverride,
                       &w.nCH2ScaleOverride, &w.nDisplayFormat})
        ar.Transfer(*v);
}

void TransferObjects(CArchive& ar, CYTSheetData& s) {
    s.graticule.Serialize(ar);
    for (CDSOWaveform& t : s.trace) t.Serialize(ar);
    for (CDSOMoveBlock& b : s.block) b.Serialize(ar);
    s.rail.Serialize(ar);
    for (CDSOCursor& c : s.cursor) c.Serialize(ar);
    s.cursorInfo.Serialize(ar);
    s.scaleInfo.Serialize(ar);
}

}  // namespace

int CWfmFile::Serialize(CArchive& ar, CYTSheetData& sheet) {
    if (ar.IsStoring()) {
        ar.WriteClass(kClassName, kSchema);
    } else {
        uint16_t schema = 0;
        if (!ar.ReadClass(kClassName, &schema)) return 0;
        g_nSchema = schema;
    }
    TransferDisplayState(ar, sheet);
    TransferParameters(ar, sheet.wfm);
    TransferObjects(ar, sheet);
    return ar.Failed() ? 0 : 1;
}

QByteArray CWfmFile::Store(CYTSheetData& sheet) {
    CArchive ar;
    Serialize(ar, sheet);
    return ar.Buffer();
}

int CWfmFile::Save(const QString& path, CYTSheetData& sheet, QString* error) {
    return SaveFileAtomically(path, Store(sheet), error);
}

std::unique_ptr<CYTSheetData> CWfmFile::LoadBytes(const QByteArray& bytes, QString* error) {
    CArchive ar(bytes);
    auto sheet = std::make_unique<CYTSheetData>();
    uint16_t schema = 0;
    {
        CArchive probe(bytes);
        if (!probe.ReadClass(kClassName, &schema)) {
            if (error) *error = Tr(QT_TRANSLATE_NOOP("CWfmFile", "The file is not a waveform sheet file (.wfm)."));
            return nullptr;
        }
    }
    if (!Serialize(ar, *sheet) || ar.Remaining() != 0) {
        if (error) *error = Tr(QT_TRANSLATE_NOOP("CWfmFile", "The waveform sheet file is damaged or truncated."));
        return nullptr;
    }
    sheet->DeriveDisplayState();
    return sheet;
}

std::unique_ptr<CYTSheetData> CWfmFile::Load(const QString& path, QString* error) {
    QByteArray bytes;
    if (!LoadFileBytes(path, &bytes, kMaxFileSize, error)) return nullptr;
    auto sheet = LoadBytes(bytes, error);
    if (sheet) sheet->filePath = path;
    return sheet;
}

QString CWfmFile::WithExtension(const QString& name) {
    return name.endsWith(QLatin1String(kExtension)) ? name : name + QLatin1String(kExtension);
}

bool CWfmFile::NeedsFileDialog(const QString& storedPath, bool saveAs) {
    return saveAs || storedPath == kNeverSavedPath;
}
