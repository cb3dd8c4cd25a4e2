// Value and label tables: language rows, counts against labels, labels that
// the scale parsers must read back to the scale sequences, bounded lookups.
#include <gtest/gtest.h>

#include <string>

#include "corvane/ScaleConversion.h"
#include "corvane/SharedState.h"
#include "corvane/ValueTables.h"

namespace {

class LanguageGuard {
public:
    explicit LanguageGuard(uint32_t language) : m_saved(g_nLanguage) { g_nLanguage = language; }
    ~LanguageGuard() { g_nLanguage = m_saved; }

private:
    uint32_t m_saved;
};

// Every row holds exactly its count of non-empty labels in both languages.
template <std::size_t Rows2, std::size_t Cols>
void ExpectCountsMatchLabels(const char* name, const std::string (&table)[Rows2][Cols],
                             const int (&counts)[Rows2 / 2])
{
    constexpr std::size_t rows = Rows2 / 2;
    for (std::size_t language = 0; language < 2; ++language) {
        for (std::size_t r = 0; r < rows; ++r) {
            ASSERT_LE(counts[r], static_cast<int>(Cols)) << name << " row " << r;
            for (std::size_t c = 0; c < Cols; ++c) {
                const std::string& label = table[r + language * rows][c];
                EXPECT_EQ(!label.empty(), static_cast<int>(c) < counts[r])
                    << name << " row " << r << " language " << language << " entry " << c;
            }
        }
    }
}

std::string WithoutBandwidthNote(std::string label)
{
    const std::size_t note = label.find(" Bw");
    return note == std::string::npos ? label : label.substr(0, note);
}

}  // namespace

TEST(ValueTables, CountsMatchTheLabelsOfEveryRowInBothLanguages)
{
    ExpectCountsMatchLabels("strVtParam", strVtParam, nVtParam);
    ExpectCountsMatchLabels("strTgParam", strTgParam, nTgParam);
    ExpectCountsMatchLabels("strMtParam", strMtParam, nMtParam);
    ExpectCountsMatchLabels("strAcParam", strAcParam, nAcParam);
    ExpectCountsMatchLabels("strDsParam", strDsParam, nDsParam);
    ExpectCountsMatchLabels("strHzParam", strHzParam, nHzParam);
    ExpectCountsMatchLabels("strFqParam", strFqParam, nFqParam);
    for (int i = 0; i < nDbParam; ++i)
        EXPECT_FALSE(strDbParam[i].empty());
    for (const auto& pair : ItemName)
        EXPECT_TRUE(!pair[0].empty() && !pair[1].empty());
    for (const auto& pair : MesItem)
        EXPECT_TRUE(!pair[0].empty() && !pair[1].empty());
}

TEST(ValueTables, CurrentLanguageSelectsTheRowBlock)
{
    {
        LanguageGuard chinese(1);
        EXPECT_EQ(ChoiceLabel(strTgParam, nTgParam, 3, 0), "上升");
        EXPECT_EQ(ChoiceLabel(strTgParam, nTgParam, 3, 1), "下降");
        EXPECT_EQ(&ChoiceLabel(strTgParam, nTgParam, 3, 0), &strTgParam[21][0]);
        EXPECT_EQ(ChoiceLabel(strHzParam, nHzParam, 0, 0), "主时基");
        EXPECT_EQ(TreeItemName(35), "伏/格");
        EXPECT_EQ(MeasureItemName(26), "均方差");
    }
    {
        LanguageGuard english(0);
        EXPECT_EQ(ChoiceLabel(strTgParam, nTgParam, 3, 0), "RISE");
        EXPECT_EQ(ChoiceLabel(strHzParam, nHzParam, 0, 0), "MAIN");
        EXPECT_EQ(TreeItemName(35), "Scale");
        EXPECT_EQ(MeasureItemName(7), "Rise Time ");
    }
    {
        LanguageGuard unknown(5);  // any other number reads as English
        EXPECT_EQ(ChoiceLabel(strTgParam, nTgParam, 3, 0), "RISE");
        EXPECT_EQ(TreeItemName(1), "Quorvex");
    }
    // The trigger status and the time bases read the same in both languages.
    for (int c = 0; c < nTgParam[16]; ++c)
        EXPECT_EQ(strTgParam[16][c], strTgParam[16 + kTgRows][c]);
    EXPECT_EQ(strTgParam[16][4], "Scan");
    for (int c = 0; c < nHzParam[1]; ++c)
        EXPECT_EQ(strHzParam[1][c], strHzParam[1 + kHzRows][c]);
    EXPECT_NE(strHzParam[0][0], strHzParam[kHzRows][0]);
}

TEST(ValueTables, LookupsOutsideATableGiveEmptyLabels)
{
    EXPECT_EQ(ChoiceLabel(strTgParam, nTgParam, -1, 0), "");
    EXPECT_EQ(ChoiceLabel(strTgParam, nTgParam, kTgRows, 0), "");
    EXPECT_EQ(ChoiceLabel(strTgParam, nTgParam, 0, 2), "");  // past the row's count
    EXPECT_EQ(ChoiceLabel(strTgParam, nTgParam, 0, -1), "");
    EXPECT_EQ(ChoiceLabel(strDsParam, nDsParam, 1, 19), "INF");
    EXPECT_EQ(ChoiceCount(nDsParam, 1), 20);
    EXPECT_EQ(ChoiceCount(nDsParam, 7), 0);
    EXPECT_EQ(ChoiceCount(nDsParam, -1), 0);
    EXPECT_EQ(TreeItemName(kItemNameCount), "");
    EXPECT_EQ(TreeItemName(-1), "");
    EXPECT_EQ(MeasureItemName(kMesItemCount), "");
}

TEST(ValueTables, PersistenceSubsetPointsAtTheOfferedLabels)
{
    const char* offered[] = {"AUTO", "0.2s", "0.4s", "0.8s", "1s", "2s", "4s", "8s", "INF"};
    ASSERT_EQ(nDisPerNum, 9);
    for (int i = 0; i < nDisPerNum; ++i) {
        ASSERT_LT(nDisPerParam[i], nDsParam[1]);
        EXPECT_EQ(strDsParam[1][nDisPerParam[i]], offered[i]) << i;
    }
}

TEST(ValueTables, ScaleLabelsReadBackToTheScaleSequences)
{
    // Time bases: label i is CalcTimeBase(i + 1) ns.
    for (int i = 0; i < nHzParam[1]; ++i)
        EXPECT_EQ(Assstring(strHzParam[1][i], 1, 1), CalcTimeBase(i + 1)) << strHzParam[1][i];
    // Volts per division, one row per probe factor: label i is
    // CalcVoltBase(i + 1, probe) mV, in both languages. The voltage parser
    // knows no kilovolt prefix, so the kV labels are display-only.
    const int probes[] = {1, 10, 100, 1000};
    for (int language = 0; language < 2; ++language) {
        for (int p = 0; p < 4; ++p) {
            const int row = 3 + p + language * kVtRows;
            for (int i = 0; i < nVtParam[3 + p]; ++i) {
                const std::string label = WithoutBandwidthNote(strVtParam[row][i]);
                if (label.find("kV") != std::string::npos)
                    continue;
                EXPECT_EQ(Assstring(label, 0, 1), CalcVoltBase(i + 1, probes[p]) * 1000) << label;
            }
        }
    }
    // FFT decibel steps.
    for (int i = 0; i < nDbParam; ++i)
        EXPECT_EQ(std::stoi(strDbParam[i]), CalcDbBase(i + 1)) << strDbParam[i];
}
