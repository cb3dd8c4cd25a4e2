// Every registered data-file format, one loop: a new document written, read
// back and written again gives the same bytes; the file cut at any byte is
// refused with a message and never read as a shorter document; and the
// files kept under tests/fixtures (written by earlier versions) are read,
// and what they read as writes back byte for byte. A format joins by
// registering (QV_FILE_FORMAT).
#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <set>

#include "docs/Archive.h"
#include "docs/DataDoc.h"
#include "docs/FileFormats.h"

namespace {
// Cut points: every byte of a small file; of a large one the first and last
// 4 KiB and every 97th byte between, which crosses every field kind.
std::vector<int> CutPoints(int size)
{
    constexpr int kEdge = 4096;
    std::vector<int> cuts;
    for (int k = 0; k < size; ++k)
        if (size <= 16 * kEdge || k < kEdge || k >= size - kEdge || k % 97 == 0)
            cuts.push_back(k);
    return cuts;
}

void ExpectRoundTrip(const FileFormat& format, const QByteArray& bytes)
{
    std::unique_ptr<CDataDoc> doc = format.make();
    QString error;
    ASSERT_EQ(doc->LoadBytes(bytes, &error), 1) << error.toStdString();
    const QByteArray again = doc->Store();
    int first = 0;
    while (first < std::min(again.size(), bytes.size()) && again[first] == bytes[first])
        ++first;
    EXPECT_TRUE(again == bytes) << "first difference at byte " << first << " of " << bytes.size();
}

void ExpectTruncationRefused(const FileFormat& format, const QByteArray& bytes)
{
    for (int cut : CutPoints(static_cast<int>(bytes.size()))) {
        std::unique_ptr<CDataDoc> doc = format.make();
        QString error;
        ASSERT_EQ(doc->LoadBytes(bytes.left(cut), &error), 0) << "cut at " << cut;
        ASSERT_FALSE(error.isEmpty()) << "cut at " << cut;
    }
    std::unique_ptr<CDataDoc> doc = format.make();
    EXPECT_EQ(doc->LoadBytes(bytes + QByteArray(1, '\0')), 0) << "a byte after the record";
}

QStringList Fixtures(const std::string& extension)
{
    const QDir dir(QStringLiteral(QV_SOURCE_DIR "/tests/fixtures"));
    QStringList paths;
    for (const QFileInfo& f : dir.entryInfoList({QLatin1Char('*') + QString::fromStdString(extension)}, QDir::Files))
        paths << f.filePath();
    return paths;
}
}  // namespace

TEST(FileFormatsTest, EveryFormatWritesBackWhatItReadsAndRefusesEveryCut)
{
    std::set<std::string> extensions;
    for (const FileFormat& format : FileFormats()) {
        SCOPED_TRACE(format.extension);
        EXPECT_TRUE(extensions.insert(format.extension).second) << "registered twice";
        // A new document as a saved file: written once and read back, as
        // reading re-derives what a document shows from what it stores.
        const QByteArray written = format.make()->Store();
        std::unique_ptr<CDataDoc> reread = format.make();
        ASSERT_EQ(reread->LoadBytes(written), 1);
        const QByteArray fresh = reread->Store();
        ASSERT_FALSE(fresh.isEmpty());
        ExpectRoundTrip(format, fresh);
        ExpectTruncationRefused(format, fresh);
        for (const QString& path : Fixtures(format.extension)) {
            SCOPED_TRACE(path.toStdString());
            QByteArray bytes;
            ASSERT_EQ(LoadFileBytes(path, &bytes), 1);
            std::unique_ptr<CDataDoc> old = format.make();
            QString error;
            ASSERT_EQ(old->LoadBytes(bytes, &error), 1) << error.toStdString();
            ExpectTruncationRefused(format, bytes);
            // The old file is written back byte for byte.
            ExpectRoundTrip(format, bytes);
        }
    }
    EXPECT_TRUE(extensions.count(".wfm"));
}
