// The data table: pages, the time and voltage of a row, the spectrum page,
// the ".csv" units, the exports against tables written by hand, and the
// ".dat" file.
#include "docs/WaveformTabularDoc.h"
#include "docs/TabularExport.h"
#include "sim/SignalRenderer.h"


#include <gtest/gtest.h>

#include <vector>

namespace {

struct Record {
    tagWaveformParam wfm;
    std::vector<uint8_t> ch1, ch2;
    TabularInput Input(int32_t dots = 200) const {
        TabularInput in;
        in.wfm = &wfm;
        in.ch1 = ch1.data();
        in.ch2 = ch2.data();
        in.length = ch1.size();
        in.recordLength = static_cast<int32_t>(ch1.size());
        in.samplesPerDiv = dots;
        return in;
    }
};

Record Counts(const std::vector<int>& counts, int64_t uvPerDiv, float nsPerDiv, int32_t hpos = 0) {
    Record r;
    for (int c : counts) r.ch1.push_back(static_cast<uint8_t>(static_cast<int8_t>(c)));
    r.ch2.assign(r.ch1.rbegin(), r.ch1.rend());
    r.wfm.llCH1VoltBase = uvPerDiv;
    r.wfm.llCH2VoltBase = 2 * uvPerDiv;
    r.wfm.fTableTimeBase = nsPerDiv;
    r.wfm.nHorizPos = hpos;
    r.wfm.nCH1Pos = 30;  // never subtracted
    return r;
}

}  // namespace

TEST(TabularData, PagesRowsAndTheFormulasOfARow) {
    struct Case {
        int length, page, pages, rows;
        const char* firstNumber;
    };
    for (const Case c : {Case{3200, 1, 1, 3200, "1"}, Case{3201, 1, 2, 3200, "1"}, Case{3201, 2, 2, 1, "3201"},
                         Case{800000, 250, 250, 3200, "796801"}}) {
        SCOPED_TRACE(testing::Message() << c.length << " samples, page " << c.page);
        const Record r = Counts(std::vector<int>(static_cast<size_t>(c.length), 1), 25000, 1000);
        CTabularData t(c.length);
        t.currentPage = c.page;
        EXPECT_EQ(UpdateTable(t, r.Input()), c.rows);
        EXPECT_EQ(t.pageCount, c.pages);
        EXPECT_EQ(t.FilledRows(), c.rows);
        EXPECT_EQ(t.RowNumber(0), c.firstNumber);
    }
    // 1 us per division, horizontal position 40 (one division): sample 0 at
    // 0 - 8 us + 1 us = -7 us; the voltage is s × D ÷ 25 without the position.
    const Record r = Counts({50, -25, 0}, 40000, 1000, 40);
    CTabularData t(3);
    UpdateTable(t, r.Input());
    EXPECT_FLOAT_EQ(t.points[0].fX, -7000);
    EXPECT_FLOAT_EQ(t.points[0].fY, 80000);
    EXPECT_EQ(t.cells[0][0], "-7.000 us");
    EXPECT_EQ(t.cells[0][1], "80.0 mv");
    EXPECT_EQ(t.cells[1][0], "-6.995 us");
    EXPECT_EQ(t.cells[1][1], "-40.0 mv");
    t.mode = kTableCH2;  // CH2 holds the record reversed, at 2 × the scale
    UpdateTable(t, r.Input());
    EXPECT_EQ(t.cells[2][1], "160 mv");
    // At the record's centre with no horizontal position: the trigger, time 0.
    const Record centre = Counts(std::vector<int>(3200, 0), 50000, 1000);
    CTabularData c(3200);
    UpdateTable(c, centre.Input());
    EXPECT_EQ(c.points[1600].fX, 0.0f);
}

TEST(TabularData, SpectrumPageHasItsPeakAtTheSignalAndAFloorOf40dB) {
    // 3.90625 us per sample: the 2048-sample transform has 1 kHz in bin 8,
    // and 12800 Hz per division puts bin 8 at 8 × 10 × 12800 ÷ 1024 = 1 kHz.
    SignalSpec sine, none;
    ASSERT_TRUE(ParseSignalSpec("sine:1k:2", &sine, nullptr));
    ChannelFrontEnd fe;
    fe.voltsPerDiv = 0.5;
    AcquisitionTiming timing;
    timing.secondsPerDiv = 781.25e-6;
    Record r;
    r.ch1 = RenderChannel(sine, none, 1, fe, timing);
    r.ch2.assign(r.ch1.size(), 0);
    r.wfm.fFFTFreqBase = 12800;
    r.wfm.nFFTSource = 0;
    r.wfm.nFFTWindow = 0;
    CTabularData t(3200);
    t.mode = kTableSpectrum;
    t.currentPage = 2;  // any page: the spectrum has 1024 rows
    t.pageCount = 2;
    ASSERT_EQ(UpdateTable(t, r.Input()), kTableSpectrumRows);
    EXPECT_EQ(t.FilledRows(), kTableSpectrumRows);
    size_t peak = 0;
    for (size_t k = 1; k < kTableSpectrumRows; ++k)
        if (t.points[k].fY > t.points[peak].fY) peak = k;
    EXPECT_EQ(peak, 8u);
    EXPECT_EQ(t.cells[peak][0], "1.0000 kHz");
    EXPECT_EQ(t.RowNumber(0), "1");

    r.wfm.nFFTRefLevel = 1000;  // every level more than 40 dB below the reference
    UpdateTable(t, r.Input());
    for (size_t k : {size_t(0), peak, size_t(1023)}) {
        EXPECT_EQ(t.points[k].fY, kLevelFloorDb);
        EXPECT_EQ(t.cells[k][1], "-40.0 dB");
    }
}

TEST(TabularExport, CsvUnitsOfShownCells) {
    struct Case {
        const char* cell;
        CellKind kind;
        const char* unit;
        double scale;
    };
    for (const Case c : {Case{"-7.985 us", kCellTime, "us", 1e3}, Case{"1.000 ms", kCellTime, "ms", 1e6},
                         Case{"20.00 ns", kCellTime, "ns", 1}, Case{"1.500 s", kCellTime, "s", 1e9},
                         Case{"160 mv", kCellVoltage, "mv", 1e3}, Case{"2.40 v", kCellVoltage, "v", 1e6},
                         Case{"80.0 uv", kCellVoltage, "v", 1e6}, Case{"500.00 Hz", kCellFrequency, "", 1},
                         Case{"1.2500 kHz", kCellFrequency, "kHz", 1e3}, Case{"3.0000 MHz", kCellFrequency, "MHz", 1e6},
                         Case{"-40.0 dB", kCellLevel, "dB", 1}, Case{"", kCellTime, "s", 1e9}}) {
        const CsvUnit u = CsvUnitOf(c.cell, c.kind);
        EXPECT_EQ(u.unit, c.unit) << c.cell;
        EXPECT_EQ(u.scale, c.scale) << c.cell;
    }
}

TEST(TabularExport, PageTwoMatchesHandWrittenFiles) {
    // Five samples, three rows a page: page 2 holds samples 4 and 5.
    const Record r = Counts({10, -20, 30, 40, -50}, 100000, 1000);
    CTabularData t(5);
    t.rowsPerPage = 3;
    t.currentPage = 2;
    ASSERT_EQ(UpdateTable(t, r.Input()), 2);
    EXPECT_EQ(TabularExportFor("p.txt", t, 0).toStdString(),
              "NO.\tTime\t\tVoltage\r\n"
              "4\t-7.985 us\t160 mv\r\n"
              "5\t-7.980 us\t-200 mv\r\n");
    EXPECT_EQ(TabularExportFor("p.csv", t, 0).toStdString(),
              "Time (us),Voltage (mv)\r\n"
              "-7.985000,160.000000\r\n"
              "-7.980000,-200.000000\r\n");
    const std::string zh = TabularTextTable(t, 1).toStdString();
    EXPECT_EQ(zh.substr(0, zh.find("\r\n") + 2), "序号\t时间\t\t电压\r\n");
    t.ClearValues();
    EXPECT_EQ(TabularTextTable(t, 0).toStdString(), "NO.\tTime\t\tVoltage\r\n");
}

TEST(DatFile, FieldOrderAndHostileCounts) {
    const Record r = Counts({10, -20, 30, 40, -50}, 100000, 1000);
    CWaveformTabularDoc doc;
    CTabularData& t = doc.data;
    t = CTabularData(5);
    t.rowsPerPage = 3;
    t.currentPage = 2;
    t.frameRect = QRect(1, 2, 30, 40);
    UpdateTable(t, r.Input());
    const QByteArray bytes = doc.Store();
    EXPECT_EQ(bytes.left(26), QByteArray::fromHex("ffff03001400") + "CWaveformTabularView");
    EXPECT_EQ(bytes.mid(42, 16).toHex(), "00000000" "03000000" "02000000" "02000000");

    CWaveformTabularDoc loaded;
    QString error;
    ASSERT_TRUE(loaded.LoadBytes(bytes, &error)) << error.toStdString();
    EXPECT_EQ(loaded.data.cells, t.cells);
    EXPECT_EQ(TabularCsvTable(loaded.data, 0), TabularCsvTable(t, 0));

    // Rows per page, current page, point count or capacity that cannot be right.
    const int pointCountAt = bytes.size() - 5 * 8 - 8;
    for (auto [at, value] : {std::pair{46, "ffffff7f"}, std::pair{46, "00000000"}, std::pair{54, "09000000"},
                             std::pair{pointCountAt, "ffffff7f"}, std::pair{pointCountAt, "06000000"}}) {
        QByteArray bad = bytes;
        bad.replace(at, 4, QByteArray::fromHex(value));
        CWaveformTabularDoc refused;
        EXPECT_FALSE(refused.LoadBytes(bad, &error)) << at << " " << value;
    }
}
