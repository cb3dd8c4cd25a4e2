// The measurement window's ".mes" file and its ".txt" / ".csv" tables. The
// expected tables are written out by hand from the export rules (padding,
// units, "%f", CR LF), not produced by the code under test.
#include "docs/MeasureExport.h"
#include "docs/WaveformMeasurementDoc.h"


#include <gtest/gtest.h>

#include <clocale>

namespace {

// Texts and values of a 1 kHz, 25 % duty pulse from -1 V to 2 V.
CMeasureData PulseData() {
    CMeasureData d;
    d.text = {"1.0000 kHz", "1.000 ms", "-109 mv", "3.00 v",   "1.38 v",   "-1.00 v",  "2.00 v",
              "1.000 us",   "1.000 us", "250.0 us", "750.0 us", " 25 %",    " 75 %",    "3.00 v",
              "2.00 v",     "-1.00 v",  "0.00 %",   "0.00 %",   "250.0 us", "750.0 us", "1.000 us",
              "1.000 us",   "-250 mv",  "?",        "3.00 v"};
    d.ValuesFromTexts();
    d.source = 1;
    d.points = 3200;
    d.sampleBufferSize = 6400;
    d.frameRect = QRect(QPoint(10, 20), QSize(300, 400));
    return d;
}

}  // namespace

TEST(MeasureExport, TextAndCsvTablesMatchHandWrittenFiles) {
    const CMeasureData d = PulseData();
    const char* text =
        "Type     \tValue\r\n"
        "Frequency   \t1.0000 kHz\r\n"
        "Period    \t1.000 ms\r\n"
        "Vavg     \t-109 mv\r\n"
        "Vpp      \t3.00 v\r\n"
        "Vrms     \t1.38 v\r\n"
        "Vmin     \t-1.00 v\r\n"
        "Vmax     \t2.00 v\r\n"
        "Rise Time   \t1.000 us\r\n"
        "Fall Time   \t1.000 us\r\n"
        "Pos.PulseWidth\t250.0 us\r\n"
        "Neg.PulseWidth\t750.0 us\r\n"
        "Pos.Duty   \t 25 %\r\n"
        "Neg.Duty   \t 75 %\r\n"
        "Vamp     \t3.00 v\r\n"
        "Vtop     \t2.00 v\r\n"
        "Vbase     \t-1.00 v\r\n"
        "Vover     \t0.00 %\r\n"
        "Vpre     \t0.00 %\r\n"
        "Vtoptime   \t250.0 us\r\n"
        "Vbasetime   \t750.0 us\r\n"
        "Vrisewidth  \t1.000 us\r\n"
        "Vfallwidth  \t1.000 us\r\n"
        "CMean     \t-250 mv\r\n"
        "VCrms     \t?\r\n"
        "Slew rate   \t3.00 v/us\r\n";
    const char* csv =
        "Type,Value,\r\n"
        "Frequency(Hz),1000.000000,\r\n"
        "Period(ns),1000000.000000,\r\n"
        "Vavg(uv),-109000.000000,\r\n"
        "Vpp(uv),3000000.000000,\r\n"
        "Vrms(uv),1380000.000000,\r\n"
        "Vmin(uv),-1000000.000000,\r\n"
        "Vmax(uv),2000000.000000,\r\n"
        "Rise Time (ns),1000.000000,\r\n"
        "Fall Time(ns),1000.000000,\r\n"
        "Pos.PulseWidth(ns),250000.000000,\r\n"
        "Neg.PulseWidth(ns),750000.000000,\r\n"
        "Pos.Duty(%),25.000000,\r\n"
        "Neg.Duty(%),75.000000,\r\n"
        "Vamp(uv),3000000.000000,\r\n"
        "Vtop(uv),2000000.000000,\r\n"
        "Vbase(uv),-1000000.000000,\r\n"
        "Vover(%),0.000000,\r\n"
        "Vpre(%),0.000000,\r\n"
        "Vtoptime(ns),250000.000000,\r\n"
        "Vbasetime(ns),750000.000000,\r\n"
        "Vrisewidth(ns),1000.000000,\r\n"
        "Vfallwidth(ns),1000.000000,\r\n"
        "CMean(uv),-250000.000000,\r\n"
        "VCrms(uv),0.000000,\r\n"
        "Slew rate(uv/us),3000000.000000,\r\n";
    // A decimal-comma locale must not reach the numbers.
    const char* saved = std::setlocale(LC_NUMERIC, nullptr);
    const std::string restore = saved ? saved : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(MeasureExportFor(QStringLiteral("/x/m.txt"), d, 0).toStdString(), text);
    EXPECT_EQ(MeasureExportFor(QStringLiteral("/x/m.csv"), d, 0).toStdString(), csv);
    std::setlocale(LC_NUMERIC, restore.c_str());
    // Chinese headers; a Chinese character counts two columns of the padding.
    const std::string zh = MeasureTextTable(d, 1).toStdString();
    EXPECT_EQ(zh.substr(0, zh.find("\r\n") + 2), "类型     \t测量值\r\n");
    EXPECT_NE(zh.find("\r\n频率     \t1.0000 kHz\r\n"), std::string::npos);
}

// Round trip and truncation run over every registered format elsewhere;
// here the field order and the values a file must not carry.
TEST(MesFile, FieldOrderValuesFromTextsAndRefusedValues) {
    CWaveformMeasurementDoc doc;
    doc.data = PulseData();
    const QByteArray bytes = doc.Store();
    EXPECT_EQ(bytes.left(30), QByteArray::fromHex("ffff03001800") + "CWaveformMeasurementView");
    // Frame rectangle, source, then Vpp's text first; N and the buffer size last.
    EXPECT_EQ(bytes.mid(30, 20).toHex(), "0a0000001400000036010000a4010000" "01000000");
    EXPECT_EQ(bytes.mid(50, 7), QByteArray("\x06" "3.00 v"));
    EXPECT_EQ(bytes.right(8).toHex(), "800c0000" "00190000");

    CWaveformMeasurementDoc loaded;
    QString error;
    ASSERT_TRUE(loaded.LoadBytes(bytes, &error)) << error.toStdString();
    EXPECT_EQ(loaded.data.text, doc.data.text);
    EXPECT_EQ(MeasureCsvTable(loaded.data, 0), MeasureCsvTable(doc.data, 0));  // values come back from the texts

    QByteArray badSource = bytes;
    badSource[46] = 2;
    QByteArray hugeBuffer = bytes;
    hugeBuffer.replace(hugeBuffer.size() - 4, 4, QByteArray::fromHex("ffffff7f"));
    for (const QByteArray& bad : {badSource, hugeBuffer}) {
        CWaveformMeasurementDoc refused;
        EXPECT_FALSE(refused.LoadBytes(bad, &error));
        EXPECT_TRUE(error.contains("damaged"));
    }
}
