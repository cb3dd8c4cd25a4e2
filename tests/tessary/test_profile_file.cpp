// Profile files: lookup rules, integer reading, buffer limits, and writing
// that keeps every other line.
#include <gtest/gtest.h>

#include <string>

#include "TempFolder.h"
#include "tessary/ProfileFile.h"

TEST(ProfileFile, NamesMatchWithoutCaseAndTheFirstMatchWins)
{
    CProfileFile profile;
    profile.Parse("\xEF\xBB\xBF; comment\r\n"
                  "orphan=before any section\r\n"
                  "[Time]\r\n"
                  "  Interval = 2000  \r\n"
                  "interval=5000\r\n"
                  "# Interval=1\r\n"
                  "[TIME]\r\n"
                  "Extra=1\r\n"
                  "[Quoted]\r\n"
                  "a=\" padded \"\r\n"
                  "b='x'\r\n"
                  "c=\"unbalanced\r\n"
                  "noequals\r\n"
                  "empty=\r\n");
    EXPECT_EQ(profile.GetInt("time", "INTERVAL", -1), 2000);
    EXPECT_EQ(profile.GetInt(" Time ", "Interval", -1), 2000);
    EXPECT_EQ(profile.GetInt("Time", "Extra", -1), -1);  // only the first [time] section counts
    EXPECT_FALSE(profile.HasKey("Time", "# Interval"));
    EXPECT_EQ(profile.GetString("", "orphan", "none"), "none");
    EXPECT_EQ(profile.GetString("Quoted", "a", ""), " padded ");
    EXPECT_EQ(profile.GetString("Quoted", "b", ""), "x");
    EXPECT_EQ(profile.GetString("Quoted", "c", ""), "\"unbalanced");
    EXPECT_FALSE(profile.HasKey("Quoted", "noequals"));
    EXPECT_TRUE(profile.HasKey("Quoted", "empty"));
    EXPECT_EQ(profile.GetString("Quoted", "empty", "default"), "");
    EXPECT_EQ(profile.GetInt("Quoted", "empty", 9), 0);  // present but not a number
    EXPECT_EQ(profile.GetString("Missing", "key", "fallback"), "fallback");
    EXPECT_EQ(profile.GetInt("Time", "missing", 42), 42);
    EXPECT_TRUE(profile.HasSection("quoted"));
    EXPECT_FALSE(profile.HasSection("Startup"));
}

TEST(ProfileFile, IntegersAreDecimalWithOptionalSignAndHeldAt32Bits)
{
    EXPECT_EQ(CProfileFile::ParseInt("  -12abc"), -12);
    EXPECT_EQ(CProfileFile::ParseInt("+7"), 7);
    EXPECT_EQ(CProfileFile::ParseInt("0x10"), 0);
    EXPECT_EQ(CProfileFile::ParseInt("010"), 10);
    EXPECT_EQ(CProfileFile::ParseInt("abc"), 0);
    EXPECT_EQ(CProfileFile::ParseInt("-"), 0);
    EXPECT_EQ(CProfileFile::ParseInt("- 5"), 0);
    EXPECT_EQ(CProfileFile::ParseInt("2147483647"), 2147483647);
    EXPECT_EQ(CProfileFile::ParseInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(CProfileFile::ParseInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(CProfileFile::ParseInt("-99999999999999999999"), -2147483647 - 1);
}

TEST(ProfileFile, ValuesAreCutToTheCallersBufferOnCharacterBoundaries)
{
    CProfileFile profile;
    profile.Parse("[S]\nlong=abcdefghij\nwide=触发模式\n");
    EXPECT_EQ(profile.GetString("S", "long", "", 5), "abcd");
    EXPECT_EQ(profile.GetString("S", "long", "", 1), "");
    EXPECT_EQ(profile.GetString("S", "long", "", 0), "");
    EXPECT_EQ(profile.GetString("S", "long", ""), "abcdefghij");
    EXPECT_EQ(profile.GetString("S", "wide", "", 7), "触发");  // 3 bytes a character
    EXPECT_EQ(profile.GetString("S", "wide", "", 6), "触");
    EXPECT_EQ(profile.GetString("S", "missing", "defaultvalue", 4), "def");
}

TEST(ProfileFile, WritingReplacesInPlaceAndKeepsEveryOtherLine)
{
    CProfileFile profile;
    profile.Parse("; settings\n[Time]\nInterval=2000 \n\n[Startup]\nhardwareCheck=0\n");
    ASSERT_TRUE(profile.SetInt("time", "interval", 5000));
    ASSERT_TRUE(profile.SetString("Time", "Unit", "ms"));
    ASSERT_TRUE(profile.SetInt("Language", "Language", 1));
    EXPECT_EQ(profile.Text(),
              "; settings\n[Time]\nInterval=5000\nUnit=ms\n\n[Startup]\nhardwareCheck=0\n\n[Language]\nLanguage=1\n");
    EXPECT_EQ(profile.GetInt("TIME", "INTERVAL", 0), 5000);

    // Names that would break the file are refused and change nothing.
    const std::string before = profile.Text();
    EXPECT_FALSE(profile.SetString("Bad]", "k", "v"));
    EXPECT_FALSE(profile.SetString("S", "k=v", "v"));
    EXPECT_FALSE(profile.SetString("S", "k", "two\nlines"));
    EXPECT_FALSE(profile.SetString("", "k", "v"));
    EXPECT_FALSE(profile.SetString("S", " ", "v"));
    EXPECT_FALSE(profile.SetString("S", "[k", "v"));
    EXPECT_EQ(profile.Text(), before);
}

TEST(ProfileFile, SaveLoadRoundTripAndOneCallHelpers)
{
    TempFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    const std::string path = folder.Path() + "/Param.ini";

    EXPECT_EQ(ProfileGetInt(path, "Time", "Interval", 2000), 2000);  // no file yet
    ASSERT_TRUE(ProfileWriteString(path, "Time", "Interval", "1000"));
    ASSERT_TRUE(ProfileWriteString(path, "Startup", "hardwareCheck", "1"));
    ASSERT_TRUE(ProfileWriteString(path, "Time", "Interval", "20000"));
    EXPECT_EQ(folder.Read("Param.ini"), "[Time]\nInterval=20000\n\n[Startup]\nhardwareCheck=1\n");
    EXPECT_EQ(ProfileGetInt(path, "time", "interval", 0), 20000);
    EXPECT_EQ(ProfileGetString(path, "Startup", "hardwareCheck", ""), "1");

    CProfileFile loaded;
    ASSERT_TRUE(loaded.Load(path));
    ASSERT_TRUE(loaded.Save(folder.Path() + "/copy.ini"));
    EXPECT_EQ(folder.Read("copy.ini"), folder.Read("Param.ini"));

    EXPECT_FALSE(ProfileWriteString(folder.Path() + "/no/such/dir/x.ini", "S", "k", "v"));
    EXPECT_FALSE(loaded.Load(folder.Path() + "/absent.ini"));
    EXPECT_FALSE(loaded.HasSection("Time"));  // a failed load leaves the profile empty
}

TEST(ProfileFile, OversizedFilesAreRefusedAndNotOverwritten)
{
    TempFolder folder;
    std::string big = "[S]\nk=1\n";
    big.append(CProfileFile::kMaxFileBytes, ';');
    const std::string path = folder.Write("big.ini", big);
    CProfileFile profile;
    EXPECT_FALSE(profile.Load(path));
    EXPECT_EQ(profile.GetInt("S", "k", -1), -1);
    EXPECT_FALSE(ProfileWriteString(path, "S", "k", "2"));
    EXPECT_EQ(folder.Read("big.ini").size(), big.size());
}
