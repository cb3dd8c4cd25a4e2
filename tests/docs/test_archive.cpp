#include "docs/Archive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

// Every field kind once, in a fixed order, in one direction-neutral list.
struct Sample {
    int8_t i8 = -5;
    uint16_t u16 = 0xBEEF;
    int32_t i32 = -123456789;
    int64_t i64 = std::numeric_limits<int64_t>::min() + 7;
    float f = 3.25f;
    double d = -1.0e-300;
    std::string shortText = "20.0mV";
    std::string mediumText = std::string(300, 'm');
    std::string longText = std::string(70000, 'L');
    QString text = QStringLiteral("Wave_1 \u6ce2\u5f62");

    void Serialize(CArchive& ar) {
        ar.WriteClass("CSample", 3);
        ar.Transfer(i8);
        ar.Transfer(u16);
        ar.Transfer(i32);
        ar.Transfer(i64);
        ar.Transfer(f);
        ar.Transfer(d);
        ar.Transfer(shortText);
        ar.Transfer(mediumText);
        ar.Transfer(longText);
        ar.Transfer(text);
    }
    // Returns the schema read, 0 when the class record is refused.
    uint16_t Load(CArchive& ar) {
        uint16_t schema = 0;
        if (!ar.ReadClass("CSample", &schema)) return 0;
        ar.Transfer(i8);
        ar.Transfer(u16);
        ar.Transfer(i32);
        ar.Transfer(i64);
        ar.Transfer(f);
        ar.Transfer(d);
        ar.Transfer(shortText);
        ar.Transfer(mediumText);
        ar.Transfer(longText);
        ar.Transfer(text);
        return schema;
    }
};

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

} // namespace

TEST(Archive, ScalarsAreLittleEndianWithoutPadding) {
    CArchive ar;
    ar.WriteU8(0x12);
    ar.WriteI16(-2);
    ar.WriteU32(0x11223344);
    ar.WriteI64(0x0102030405060708);
    ar.WriteFloat(1.0f);
    ar.WriteDouble(-2.0);
    ASSERT_FALSE(ar.Failed());
    EXPECT_EQ(ar.Buffer().toHex(), QByteArray("12"
                                              "feff"
                                              "44332211"
                                              "0807060504030201"
                                              "0000803f"
                                              "00000000000000c0"));
}

TEST(Archive, CountedStringsUseTheThreeLengthForms) {
    CArchive ar;
    ar.WriteString("abc");
    ar.WriteString(std::string(254, 'x'));
    ar.WriteString(std::string(255, 'y'));
    ar.WriteString(std::string(0xFFFD, 'z'));
    ar.WriteString(std::string(0xFFFE, 'w'));
    const QByteArray& b = ar.Buffer();
    EXPECT_EQ(b.left(4), Hex("03616263"));
    qsizetype at = 4;
    EXPECT_EQ(uint8_t(b[at]), 254);
    at += 1 + 254;
    EXPECT_EQ(b.mid(at, 3), Hex("ffff00"));
    at += 3 + 255;
    EXPECT_EQ(b.mid(at, 3), Hex("fffdff"));
    at += 3 + 0xFFFD;
    EXPECT_EQ(b.mid(at, 7), Hex("ffffff" "feff0000"));
    at += 7 + 0xFFFE;
    EXPECT_EQ(at, b.size());

    CArchive in(b);
    EXPECT_EQ(in.ReadString(), "abc");
    EXPECT_EQ(in.ReadString().size(), 254u);
    EXPECT_EQ(in.ReadString(), std::string(255, 'y'));
    EXPECT_EQ(in.ReadString().size(), 0xFFFDu);
    EXPECT_EQ(in.ReadString(), std::string(0xFFFE, 'w'));
    EXPECT_FALSE(in.Failed());
    EXPECT_EQ(in.Remaining(), 0u);
}

TEST(Archive, WriteReadWriteIsByteIdentical) {
    Sample original;
    CArchive out;
    original.Serialize(out);
    ASSERT_FALSE(out.Failed());

    Sample loaded;
    loaded.i8 = 0;
    loaded.shortText.clear();
    loaded.text.clear();
    CArchive in(out.Buffer());
    EXPECT_EQ(loaded.Load(in), 3);
    ASSERT_FALSE(in.Failed());
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(loaded.i8, -5);
    EXPECT_EQ(loaded.i64, original.i64);
    EXPECT_EQ(loaded.d, -1.0e-300);
    EXPECT_EQ(loaded.longText, original.longText);
    EXPECT_EQ(loaded.text, original.text);

    CArchive again;
    loaded.Serialize(again);
    EXPECT_EQ(again.Buffer(), out.Buffer());
}

TEST(Archive, ClassRecordsAreWrittenOnceThenReferenced) {
    CArchive ar;
    ar.WriteClass("CPartTreeView", 3);
    ar.WriteClass("CYTSheetView", 3);
    ar.WriteClass("CYTSheetView", 3);
    ar.WriteClass("CPartTreeView", 3);
    EXPECT_EQ(ar.Buffer().toHex(), QByteArray("ffff03000d00") + QByteArray("CPartTreeView").toHex() +
                                       "ffff03000c00" + QByteArray("CYTSheetView").toHex() + "0280" + "0180");

    CArchive in(ar.Buffer());
    uint16_t schema = 0;
    EXPECT_NE(in.ReadClass("CPartTreeView", &schema), 0);
    EXPECT_NE(in.ReadClass("CYTSheetView"), 0);
    schema = 0;
    EXPECT_NE(in.ReadClass("CYTSheetView", &schema), 0);
    EXPECT_EQ(schema, 3);
    EXPECT_NE(in.ReadClass("CPartTreeView"), 0);
    EXPECT_FALSE(in.Failed());
}

TEST(Archive, ClassRecordOfAnotherClassOrDamagedRecordFails) {
    CArchive ar;
    ar.WriteClass("CWaveformTabularView", 1);
    {
        CArchive in(ar.Buffer());
        EXPECT_EQ(in.ReadClass("CYTSheetView"), 0);
        EXPECT_TRUE(in.Failed());
        // Sticky: nothing reads after a failure.
        EXPECT_EQ(in.ReadU16(), 0);
    }
    // A back-reference to a class never introduced.
    CArchive dangling(Hex("0580"));
    EXPECT_EQ(dangling.ReadClass("CYTSheetView"), 0);
    // A null tag and an object tag cannot open a class record.
    CArchive nullTag(Hex("0000"));
    EXPECT_EQ(nullTag.ReadClass("CYTSheetView"), 0);
    CArchive objectTag(Hex("0100"));
    EXPECT_EQ(objectTag.ReadClass("CYTSheetView"), 0);
    // A name length beyond any class name, and one that runs past the end.
    CArchive hugeName(Hex("ffff0300ff7f") + QByteArray(0x7fff, 'A'));
    EXPECT_EQ(hugeName.ReadClass(std::string(0x7fff, 'A')), 0);
    CArchive shortName(Hex("ffff03000c00") + "CYTSheet");
    EXPECT_EQ(shortName.ReadClass("CYTSheetView"), 0);
    // The 32-bit reference form without its flag bit.
    CArchive bigRef(Hex("ff7f01000000"));
    EXPECT_EQ(bigRef.ReadClass("CYTSheetView"), 0);
}

TEST(Archive, TruncatedAndHostileInputIsRefusedWithoutOverreading) {
    // Every prefix of a valid stream fails cleanly and never reads past its end.
    Sample original;
    CArchive out;
    original.Serialize(out);
    const QByteArray full = out.Buffer();
    for (qsizetype cut : {qsizetype(0), qsizetype(1), qsizetype(5), qsizetype(20), qsizetype(40),
                          full.size() / 2, full.size() - 1}) {
        CArchive in(full.left(cut));
        Sample s;
        s.Load(in);
        EXPECT_TRUE(in.Failed()) << "cut at " << cut;
        EXPECT_LE(in.Position(), size_t(cut));
    }

    // A 32-bit string length of 4 GB over a 10-byte input.
    CArchive huge(Hex("ffffff" "ffffffff") + "0123456789");
    EXPECT_TRUE(huge.ReadString().empty());
    EXPECT_TRUE(huge.Failed());
    // The wide-text marker is not a length.
    CArchive wide(Hex("fffeff") + QByteArray(0xfffe, 'x'));
    EXPECT_TRUE(wide.ReadString().empty());
    EXPECT_TRUE(wide.Failed());
    // Byte blocks and counts are checked before anything is copied or reserved.
    CArchive block(Hex("0102"));
    char dest[4] = {'s', 's', 's', 's'};
    EXPECT_EQ(block.ReadBytes(dest, 4), 0);
    EXPECT_EQ(dest[0], 's');
    CArchive count(Hex("00000010" "0000"));
    EXPECT_EQ(count.ReadCount(8), 0u);
    EXPECT_TRUE(count.Failed());
    CArchive limited(Hex("05000000") + QByteArray(40, 0));
    EXPECT_EQ(limited.ReadCount(8, 4), 0u);
    CArchive fits(Hex("05000000") + QByteArray(40, 0));
    EXPECT_EQ(fits.ReadCount(8), 5u);
    EXPECT_FALSE(fits.Failed());
}

TEST(Archive, WrongDirectionFails) {
    CArchive out;
    EXPECT_EQ(out.ReadU32(), 0u);
    EXPECT_TRUE(out.Failed());
    CArchive in(Hex("01"));
    in.WriteU8(1);
    EXPECT_TRUE(in.Failed());
    EXPECT_EQ(in.Buffer(), Hex("01"));
}

TEST(Archive, AtomicSaveReplacesWholeFileAndLoadsBack) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("sheet.wfm");
    QString error;
    ASSERT_NE(SaveFileAtomically(path, QByteArray(1000, 'a'), &error), 0) << error.toStdString();
    ASSERT_NE(SaveFileAtomically(path, QByteArray("new"), &error), 0);
    QByteArray bytes;
    ASSERT_NE(LoadFileBytes(path, &bytes), 0);
    EXPECT_EQ(bytes, QByteArray("new"));
    // Only the file itself remains in the folder: no temporary left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"sheet.wfm"});

    // A folder that does not exist: failure reported, nothing created.
    EXPECT_EQ(SaveFileAtomically(dir.filePath("missing/x.wfm"), "x", &error), 0);
    EXPECT_FALSE(error.isEmpty());
    // Size cap and missing file on load.
    EXPECT_EQ(LoadFileBytes(path, &bytes, 2), 0);
    EXPECT_EQ(LoadFileBytes(dir.filePath("none.wfm"), &bytes), 0);
}
