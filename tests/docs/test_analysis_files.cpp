// The power spectrum (".psm") and arithmetic (".mth") files, checked against
// bytes laid out by hand from their field lists.
#include "docs/ArithmeticData.h"
#include "docs/MthFile.h"
#include "docs/PowerData.h"
#include "docs/PsmFile.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

// Little-endian field writer for hand-made files.
struct Bytes {
    QByteArray b;
    Bytes& I32(std::int32_t v) {
        for (int i = 0; i < 4; ++i) b.append(char((std::uint32_t(v) >> (8 * i)) & 0xFF));
        return *this;
    }
    Bytes& U16(std::uint16_t v) {
        b.append(char(v & 0xFF)).append(char(v >> 8));
        return *this;
    }
    Bytes& F32(float v) {
        std::uint32_t u;
        std::memcpy(&u, &v, 4);
        return I32(std::int32_t(u));
    }
    Bytes& F64(double v) {
        std::uint64_t u;
        std::memcpy(&u, &v, 8);
        return I32(std::int32_t(u & 0xFFFFFFFF)).I32(std::int32_t(u >> 32));
    }
    Bytes& Raw(const std::string& s) {
        b.append(s.data(), qsizetype(s.size()));
        return *this;
    }
    Bytes& Str(const std::string& s) { // lengths below 255 only
        b.append(char(s.size()));
        return Raw(s);
    }
};

// A .psm whose record holds 3 samples in copies allocated for 5.
QByteArray HandMadePsm() {
    Bytes f;
    f.U16(0xFFFF).U16(3).U16(18).Raw("CPowerSpectrumView");
    f.I32(10).I32(20).I32(510).I32(420);   // frame
    f.I32(1).I32(0);                       // CH2, flat-top
    f.I32(3).I32(5);                       // A = 3, B = 5
    f.Raw(std::string("\x01\xF1\x02\xF2\x03\xF3", 6));
    f.I32(5).I32(0).I32(5).I32(4096);      // commit sizes and offsets
    f.I32(25).F32(250000000.0f).I32(2).I32(0).I32(200); // input trace
    f.I32(12).I32(10).F32(5.0e7f).I32(-21).I32(0);      // spectrum trace
    return f.b;
}

QByteArray HandMadeMth() {
    Bytes f;
    f.I32(-5).I32(0).I32(600).I32(400);    // frame
    f.I32(3).I32(3);                       // L, allocation
    f.Raw(std::string("\x28\xD8\x00\x0A\x0A\x00", 6)); // CH1 40 -40 0, CH2 10 10 0
    f.Str("CH1").Str("CH2").Str("Divide");
    f.F64(200000.0).F64(500.0).F64(1000.0).F64(2.5);
    return f.b;
}

} // namespace

TEST(AnalysisFiles, PowerSpectrumFileFillsOnlyTheStoredSamples) {
    const QByteArray file = HandMadePsm();
    QString error;
    const auto data = CPsmFile::LoadBytes(file, &error);
    ASSERT_TRUE(data) << error.toStdString();
    EXPECT_EQ(data->frameRect, QRect(QPoint(10, 20), QSize(500, 400)));
    EXPECT_EQ(data->inputSelection, 1);
    EXPECT_EQ(data->windowSelection, 0);
    EXPECT_EQ(data->RecordLength(), 3);
    EXPECT_EQ(data->AllocationLength(), 5);
    const std::uint8_t ch1[5] = {1, 2, 3, 0, 0}, ch2[5] = {0xF1, 0xF2, 0xF3, 0, 0};
    EXPECT_EQ(std::memcmp(data->Copy(0), ch1, 5), 0);
    EXPECT_EQ(std::memcmp(data->Copy(1), ch2, 5), 0);
    EXPECT_EQ(data->SelectedCopy(), data->Copy(1));
    EXPECT_EQ(data->inputTrace, (InputTraceScale{25, 250000000.0f, 2, 0, 200}));
    EXPECT_EQ(data->spectrum, (SpectrumTraceState{12, 10, 5.0e7f, -21, 0}));
    EXPECT_EQ(CPsmFile::Store(*data), file);
}

TEST(AnalysisFiles, ArithmeticFileRestoresNamesCodesAndScales) {
    const QByteArray file = HandMadeMth();
    const auto data = CMthFile::LoadBytes(file, 0);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->frameRect, QRect(QPoint(-5, 0), QSize(605, 400)));
    EXPECT_EQ(data->Operation(), kArithDivide);
    EXPECT_EQ(data->SecondInput(), kInputCH2);
    EXPECT_DOUBLE_EQ(data->outputVoltsPerDivision, 1000.0);
    EXPECT_DOUBLE_EQ(data->scaleFactor, 2.5);
    const ArithmeticResult r = data->Compute();
    ASSERT_EQ(r.Size(), 3u);
    EXPECT_DOUBLE_EQ(r.Value(0), 2.0);   // 40 * 0.5 / 10
    EXPECT_DOUBLE_EQ(r.Value(1), -2.0);
    EXPECT_DOUBLE_EQ(r.Value(2), 50.5);  // zero divisor: 101 * k
    EXPECT_DOUBLE_EQ(r.peak, 2.0);
    EXPECT_EQ(CMthFile::Store(*data), file);
}

TEST(AnalysisFiles, DamagedFilesAreRefusedWhole) {
    const QByteArray psm = HandMadePsm(), mth = HandMadeMth();
    for (qsizetype n = 0; n < psm.size(); ++n) EXPECT_FALSE(CPsmFile::LoadBytes(psm.left(n))) << n;
    for (qsizetype n = 0; n < mth.size(); ++n) EXPECT_FALSE(CMthFile::LoadBytes(mth.left(n), 0)) << n;
    EXPECT_FALSE(CPsmFile::LoadBytes(psm + '\0'));
    EXPECT_FALSE(CMthFile::LoadBytes(mth + '\0', 0));

    // More samples than allocated, or an allocation beyond the window's
    // reservation, are refused before anything is copied.
    QByteArray over = psm;
    over[2 + 2 + 2 + 18 + 16 + 8] = 6; // A = 6 > B = 5
    EXPECT_FALSE(CPsmFile::LoadBytes(over));
    QByteArray huge = mth;
    huge[16 + 4 + 3] = 0x7F; // allocation 0x7F000003
    EXPECT_FALSE(CMthFile::LoadBytes(huge, 0));

    // Frame edges whose rectangle has no int size or last pixel (the fuzzer's
    // file had right = INT32_MIN: building the rectangle overflowed).
    const std::int32_t edges[][4] = {{0, 0, INT32_MIN, 10}, {0, 0, 10, INT32_MIN},
                                     {-10, 0, INT32_MAX, 10}, {INT32_MAX, 0, INT32_MIN + 1, 10}};
    for (const auto& e : edges) {
        Bytes frame;
        frame.I32(e[0]).I32(e[1]).I32(e[2]).I32(e[3]);
        EXPECT_FALSE(CMthFile::LoadBytes(frame.b + mth.mid(16), 0)) << e[0] << ' ' << e[2] << ' ' << e[3];
    }
}

TEST(AnalysisFiles, UnknownNamesInAnArithmeticFileKeepTheDefaults) {
    QByteArray file = HandMadeMth();
    file.replace(QByteArray("\x06" "Divide"), QByteArray("\x06" "Modulo"));
    file.replace(QByteArray("\x03" "CH2"), QByteArray("\x03" "CH9"));
    const auto data = CMthFile::LoadBytes(file, 0);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->Operation(), kArithAdd);
    EXPECT_EQ(data->OperationName(), "Add");
    EXPECT_EQ(data->SecondInput(), kInputCH2);
    EXPECT_EQ(data->SecondInputName(), "CH2");
}
