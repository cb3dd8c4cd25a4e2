// The waveform sheet file: layout, save → load → save, refused files.
#include "docs/WfmFile.h"
#include "docs/YTSheetData.h"
#include "docs/YTSheetUpdate.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Samples per trace during a test (small, so refused-file sweeps stay quick).
class ScopedRecordLength {
public:
    explicit ScopedRecordLength(int32_t length) : m_saved(waveDataLen) { waveDataLen = length; }
    ~ScopedRecordLength() { waveDataLen = m_saved; }

private:
    int32_t m_saved;
};

// A sheet with a record, scales, texts, moved objects and window placement.
std::unique_ptr<CYTSheetData> FilledSheet() {
    auto sheet = std::make_unique<CYTSheetData>();
    const size_t n = static_cast<size_t>(sheet->pointsPerTrace);
    std::vector<uint8_t> ch1(n), ch2(n);
    for (size_t i = 0; i < n; ++i) {
        ch1[i] = static_cast<uint8_t>(i * 7);
        ch2[i] = static_cast<uint8_t>(200 - i);
    }
    tagWaveformParam wfm;
    wfm.nCH1Show = wfm.nCH2Show = wfm.nMathShow = 1;
    wfm.llCH1VoltBase = 5000000;
    wfm.llCH2VoltBase = 20000;
    wfm.nCH1Pos = -12;
    wfm.nCH2Pos = 30;
    wfm.strCH1VoltBase = "5.00v";
    wfm.strCH2VoltBase = "20.0mv";
    wfm.nHorizPos = -40;
    wfm.nHorizWinState = 1;
    wfm.fMeasureTimeBase = 2000.0f;
    wfm.strTimeBase = "2.00us";
    wfm.nFFTFactor = 2;
    wfm.nFFTDbBase = 10;
    wfm.strFFTDbBase = "10dB";
    wfm.fFFTFreqBase = 1250.0f;  // Hz
    wfm.strFFTFreqBase = "1.25kHz";
    wfm.nTrigLevel = 17;
    wfm.nCH1VoltIndex = 7;
    wfm.nTimeBaseIndex = 12;
    wfm.nHorizScaleIndex = 12;  // the decode's horizontal scale is the time-base code
    wfm.nMathOperation = kMathAdd;
    wfm.nCH2Probe = 10;
    wfm.nCH2ScaleOverride = 1;
    wfm.strState = "Ready";
    const int32_t show[3] = {1, 1, 1};
    SheetAcquisition in;
    in.wfm = &wfm;
    in.ch1 = ch1.data();
    in.ch2 = ch2.data();
    in.length = n;
    in.show = show;
    sheet->online = 1;
    ApplyAcquisition(*sheet, in);
    sheet->online = 0;
    sheet->ApplyColorMode(COLOR_MODE_BW);
    sheet->zoom = 7.0f;
    sheet->centre = QPoint(410, -3);
    sheet->scrollPos = QPoint(12, 34);
    sheet->clientRect = QRect(0, 0, 540, 380);
    sheet->frameRect = QRect(20, 30, 560, 460);
    sheet->showState = 3;
    sheet->cursor[0].SetCursorType(CDSOCursor::CURSOR_VERTICAL);
    sheet->cursor[1].SetCursorType(CDSOCursor::CURSOR_VERTICAL);
    sheet->cursor[1].MoveCursor(QPoint(2400, 0));
    sheet->block[kTraceCH2].SetBlockColor(DSORgb(1, 2, 3));
    sheet->graticule.SetGraticuleType(GRATICULE_GRID);
    return sheet;
}

QByteArray WithByte(QByteArray bytes, int at, char value) {
    bytes[at] = value;
    return bytes;
}

}  // namespace

TEST(WfmFile, StartsWithTheSheetClassRecordAndKeepsTheFields) {
    ScopedRecordLength length(64);
    auto sheet = FilledSheet();
    const QByteArray bytes = CWfmFile::Store(*sheet);
    EXPECT_EQ(bytes.left(18).toHex(), QByteArray("ffff03000c00") + QByteArray("CYTSheetView").toHex());
    // Colour mode and zoom follow the class record.
    EXPECT_EQ(bytes.mid(18, 8).toHex(), QByteArray("01000000") + QByteArray("0000e040"));

    g_nSchema = 0;
    QString error;
    auto loaded = CWfmFile::LoadBytes(bytes, &error);
    ASSERT_TRUE(loaded) << error.toStdString();
    EXPECT_EQ(g_nSchema, 3);
    EXPECT_EQ(loaded->colorMode, COLOR_MODE_BW);
    EXPECT_EQ(loaded->savedColorMode, COLOR_MODE_BW);
    EXPECT_FLOAT_EQ(loaded->zoom, 7.0f);
    EXPECT_EQ(loaded->centre, QPoint(410, -3));
    EXPECT_EQ(loaded->frameRect, QRect(20, 30, 560, 460));
    EXPECT_EQ(loaded->wfm.llCH1VoltBase, 5000000);
    EXPECT_EQ(loaded->wfm.llCH2VoltBase, 20000);
    EXPECT_EQ(loaded->wfm.strCH2VoltBase, "20.0mv");
    EXPECT_EQ(loaded->wfm.strFFTFreqBase, "1.25kHz");
    EXPECT_EQ(loaded->wfm.nTrigLevel, 17);
    EXPECT_EQ(loaded->wfm.nCH2ScaleOverride, 1);
    EXPECT_EQ(loaded->trace[kTraceCH1].GetPointCount(), 64u);
    EXPECT_EQ(loaded->trace[kTraceCH2].GetPoint(5), sheet->trace[kTraceCH2].GetPoint(5));
    EXPECT_EQ(loaded->trace[kTraceCH1].GetPivot(), QPoint(0, -96));
    EXPECT_EQ(loaded->cursor[1].GetPos(), sheet->cursor[1].GetPos());
    EXPECT_EQ(loaded->block[kTraceCH2].GetBlockColor(), DSORgb(1, 2, 3));
    // Display state re-derived: the state text and the scales of the stored indices.
    EXPECT_EQ(loaded->trace[kTraceCH2].GetState(), "Ready");
    EXPECT_DOUBLE_EQ(loaded->trace[kTraceCH2].GetPreVtScale(), 20000.0);  // custom index: stored value
    EXPECT_DOUBLE_EQ(loaded->trace[kTraceCH1].GetPreVtScale(), 500000.0);  // eighth step: 500 mV
}

TEST(WfmFile, SaveLoadSaveIsByteIdenticalOnDisk) {
    ScopedRecordLength length(3200);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString first = dir.filePath(QStringLiteral("a.wfm"));
    const QString second = dir.filePath(QStringLiteral("b.wfm"));
    auto sheet = FilledSheet();
    QString error;
    ASSERT_TRUE(CWfmFile::Save(first, *sheet, &error)) << error.toStdString();
    auto loaded = CWfmFile::Load(first, &error);
    ASSERT_TRUE(loaded) << error.toStdString();
    EXPECT_EQ(loaded->filePath, first);
    ASSERT_TRUE(CWfmFile::Save(second, *loaded, &error));
    QFile a(first), b(second);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    const QByteArray bytesA = a.readAll();
    EXPECT_GT(bytesA.size(), 3 * 3200 * 8);
    EXPECT_EQ(bytesA, b.readAll());

    // A file that cannot be written leaves nothing behind and says why.
    const QString nowhere = dir.filePath(QStringLiteral("missing/c.wfm"));
    EXPECT_FALSE(CWfmFile::Save(nowhere, *sheet, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(nowhere));
}

TEST(WfmFile, AnySchemaIsReadAndRemembered) {
    ScopedRecordLength length(16);
    auto sheet = FilledSheet();
    const QByteArray bytes = WithByte(CWfmFile::Store(*sheet), 2, 7);
    ASSERT_TRUE(CWfmFile::LoadBytes(bytes));
    EXPECT_EQ(g_nSchema, 7);
}

TEST(WfmFile, TruncatedFilesAreRefusedAtEveryLength) {
    ScopedRecordLength length(8);
    auto sheet = FilledSheet();
    const QByteArray bytes = CWfmFile::Store(*sheet);
    for (int cut = 0; cut < bytes.size(); ++cut) {
        QString error;
        EXPECT_FALSE(CWfmFile::LoadBytes(bytes.left(cut), &error)) << "cut at " << cut;
        EXPECT_FALSE(error.isEmpty()) << "cut at " << cut;
    }
    QString error;
    EXPECT_FALSE(CWfmFile::LoadBytes(bytes + QByteArray(1, '\0'), &error));  // trailing bytes
    EXPECT_TRUE(error.contains(QStringLiteral("damaged")));
}

TEST(WfmFile, ForeignAndCorruptFilesAreRefusedWithAMessage) {
    ScopedRecordLength length(8);
    auto sheet = FilledSheet();
    const QByteArray good = CWfmFile::Store(*sheet);
    QString error;

    QByteArray foreign = good;
    foreign.replace(6, 12, "CMeasureView");
    EXPECT_FALSE(CWfmFile::LoadBytes(foreign, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("not a waveform sheet")));
    EXPECT_FALSE(CWfmFile::LoadBytes(QByteArray("BM6\0\0\0", 6), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("not a waveform sheet")));

    // A zoom outside 20 % … 750 % (144.0, 0.5, not a number) is brought into
    // the range and the file is read; a colour mode that does not exist is damage.
    const struct {
        const char* hex;
        float zoom;
    } zooms[] = {{"00001043", 37.5f}, {"0000003f", 1.0f}, {"0000c07f", 5.0f}, {"00001642", 37.5f}};
    for (const auto& z : zooms) {
        QByteArray stored = good;
        stored.replace(22, 4, QByteArray::fromHex(z.hex));
        auto loaded = CWfmFile::LoadBytes(stored, &error);
        ASSERT_TRUE(loaded) << z.hex;
        EXPECT_FLOAT_EQ(loaded->zoom, z.zoom) << z.hex;
    }
    EXPECT_FALSE(CWfmFile::LoadBytes(WithByte(good, 18, 9), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("damaged")));

    // A huge point count inside a trace record is refused without allocating it.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.wfm"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(good.left(good.size() / 2));
    file.close();
    EXPECT_FALSE(CWfmFile::Load(path, &error));
    EXPECT_FALSE(CWfmFile::Load(dir.filePath(QStringLiteral("absent.wfm")), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(WfmFile, SaveNamesAndTheNeverSavedPath) {
    EXPECT_EQ(CWfmFile::WithExtension(QStringLiteral("/t/run1")), QStringLiteral("/t/run1.wfm"));
    EXPECT_EQ(CWfmFile::WithExtension(QStringLiteral("/t/run1.wfm")), QStringLiteral("/t/run1.wfm"));
    EXPECT_EQ(CWfmFile::WithExtension(QStringLiteral("/t/run1.WFM")), QStringLiteral("/t/run1.WFM.wfm"));
    CYTSheetData sheet;
    EXPECT_EQ(sheet.filePath, QStringLiteral(" "));
    EXPECT_TRUE(CWfmFile::NeedsFileDialog(sheet.filePath, false));
    EXPECT_TRUE(CWfmFile::NeedsFileDialog(QStringLiteral("/t/a.wfm"), true));
    EXPECT_FALSE(CWfmFile::NeedsFileDialog(QStringLiteral("/t/a.wfm"), false));
}
