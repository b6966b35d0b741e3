#include "chart/ini_text.h"
#include "chart/scale_file.h"
#include "chart/scale_info.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(PlotKinds, TablesHoldTheProgramsKinds)
{
    const auto& st = StrativaPlotKinds();
    const auto& mp = PlurimodPlotKinds();
    const auto& sp = MonovaraPlotKinds();
    ASSERT_EQ(st.size(), 34u);
    ASSERT_EQ(mp.size(), 12u);
    ASSERT_EQ(sp.size(), 6u);
    EXPECT_EQ(HighestPlotKind(TKindTable::Monovara), 5);

    EXPECT_EQ(st[1].Default.Title, "Density dependence in R ");
    EXPECT_EQ(mp[1].Default.Title, "Density dependence in R");
    EXPECT_EQ(sp[1].Default.YLabel, "Growth rate (R)");
    EXPECT_EQ(st[7].Name, "Sensititivity");
    EXPECT_EQ(st[13].Default.Title, "");
    EXPECT_EQ(st[17].Default.YLabel, "");
    EXPECT_EQ(st[32].Default.Index, 1);
    EXPECT_EQ(st[33].Default.Index, 1);
    EXPECT_EQ(st[31].Default.Index, 0);
    EXPECT_EQ(mp[3].Default.XLabel, "Target Population #");
    EXPECT_EQ(mp[9].Default.YLabel, "Number of Extant Populations");
    EXPECT_EQ(mp[7].Default.Title, "Trajectory summary");
    EXPECT_EQ(sp[4].Name, "IntervalExtinctionRisk");
    EXPECT_EQ(sp[4].Default.Title, "Extinction/Decline");
    for (const auto& k : st) {
        EXPECT_TRUE(k.Default.AutoScale && k.Default.ShowAll) << k.Name;
        EXPECT_EQ(k.Default.XMaximum, 0) << k.Name;
    }
}

TEST(PlotKinds, NamesMatchIgnoringCase)
{
    EXPECT_EQ(PlotKindFromName(TKindTable::Strativa, "trajectory"), 19);
    EXPECT_EQ(PlotKindFromName(TKindTable::Plurimod, "TRAJECTORY"), 7);
    EXPECT_EQ(PlotKindFromName(TKindTable::Monovara, "Trajectory"), 3);
    EXPECT_EQ(PlotKindFromName(TKindTable::Monovara, "Harvest"), 0);
    EXPECT_EQ(PlotKindFromName(TKindTable::Strativa, ""), 0);
    EXPECT_EQ(PlotKindName(TKindTable::Strativa, 26), "IntervalExtinctionRisk");
    EXPECT_EQ(PlotKindName(TKindTable::Monovara, 6), "");
    EXPECT_EQ(PlotKindName(TKindTable::Monovara, -1), "");

    SelectKindTable(TKindTable::Monovara);
    DefaultScaleInfo[3].Title = "changed";
    EXPECT_EQ(PlotKindFromName("intervalexplosionrisk"), 5);
    SelectKindTable(TKindTable::Monovara);
    EXPECT_EQ(DefaultScaleInfo.size(), 6u);
    EXPECT_EQ(DefaultScaleInfo[3].Title, "Trajectory summary");
    SelectKindTable(TKindTable::Strativa);
}

TEST(IniText, ReadsSectionsKeysAndQuotedValues)
{
    const auto ini = TIniText::FromLines({"ignored=1", "; comment", " [ Header ] ", "A = x, y ",
                                          "a=second", "B=\"  padded \"", "noequals", "[other]", "A=2",
                                          "[header]", "C=3"});
    EXPECT_EQ(ini.Value("HEADER", "a"), "x, y");
    EXPECT_EQ(ini.Value("Header", "B"), "  padded ");
    EXPECT_EQ(ini.Value("Header", "C"), std::nullopt);   // the first section of a name counts
    EXPECT_EQ(ini.Value("other", "A"), "2");
    EXPECT_FALSE(ini.HasSection("missing"));

    TIniWriter w;
    w.Section("S");
    w.Value("K", " lead");
    w.Value("Q", "\"q\"");
    w.Value("N", "two\r\nlines");
    w.Section("T");
    EXPECT_EQ(w.Bytes(), "[S]\r\nK=\" lead\"\r\nQ=\"\"q\"\"\r\nN=two  lines\r\n\r\n[T]\r\n");
    const auto back = TIniText::FromLines({"[S]", "K=\" lead\"", "Q=\"\"q\"\""});
    EXPECT_EQ(back.Value("S", "K"), " lead");
    EXPECT_EQ(back.Value("S", "Q"), "\"q\"");
}

TEST(ScaleFile, NumbersRoundTripAndOldFormsRead)
{
    for (double v : {0.0, 0.125, 1.0 / 3.0, -2.5, 1e-7, 123456.789, 2.5e6, 1e300}) {
        double back = 0;
        ASSERT_TRUE(ParseScaleNumber(FormatScaleNumber(v), back)) << v;
        EXPECT_EQ(back, v);
        EXPECT_EQ(FormatScaleNumber(v).find(','), std::string::npos);
    }
    struct Case { const char* text; bool ok; double value; };
    const Case cases[] = {{"2.50", true, 2.5},  {" 1.5E+0006 ", true, 1.5e6}, {"+3", true, 3},
                          {"2,5", true, 2.5},   {"abc", false, 0},           {"", false, 0},
                          {"1.5x", false, 0}};
    for (const auto& c : cases) {
        double d = 0;
        EXPECT_EQ(ParseScaleNumber(c.text, d), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(d, c.value) << c.text;
        }
    }
}

TEST(ScaleFile, WriteThenReadRestoresEveryKind)
{
    TempDir dir;
    auto rows = BuiltInScaleInfo(TKindTable::Strativa);
    rows[19].Title = "Trajectory, with a comma";
    rows[19].AutoScale = false;
    rows[19].ShowAll = false;
    rows[19].XMinimum = -0.125;
    rows[19].YMaximum = 1.0 / 3.0;
    rows[19].XTicSpace = 2.5e-7;
    rows[19].Index = -3;
    rows[20].Title = "";
    rows[20].XLabel = " lead and trail ";
    rows[21].YLabel = "\"quoted\"";
    ASSERT_TRUE(WriteScaleFile(dir.file("m.SCL"), TKindTable::Strativa, rows));

    std::vector<TScaleInfo> back(34);   // all empty, unlike the written rows
    ASSERT_TRUE(ReadScaleFile(dir.file("m.scl"), TKindTable::Strativa, back));   // found ignoring case
    for (int k = 1; k <= 33; ++k)
        EXPECT_EQ(back[k], rows[k]) << "kind " << k;
    EXPECT_EQ(back[1].Title, "Density dependence in R ");
    EXPECT_EQ(back[0], TScaleInfo{});   // section 0 is never read
}

TEST(ScaleFile, SectionsFillKindsByNameWithDefaults)
{
    TempDir dir;
    WriteAll(dir.file("a.scl"), "[Header]\r\nNumberOfRecords=33\r\nVersion=1\r\n"
                                "[5]\r\nPlotKind=Trajectory\r\nTitle=Mine\r\nXMaximum=2,50\r\n"
                                "YMaximum=bad\r\n"
                                "[6]\r\nTitle=nameless\n"
                                "[40]\r\nPlotKind=Harvest\r\n");
    const auto defaults = BuiltInScaleInfo(TKindTable::Strativa);
    auto rows = defaults;
    ASSERT_TRUE(ReadScaleFile(dir.file("a.scl"), TKindTable::Strativa, rows));
    TScaleInfo want;
    want.Title = "Mine";
    want.XLabel = "X Label";
    want.YLabel = "Y Label";
    want.XMaximum = 2.5;
    want.YMaximum = 1;
    EXPECT_EQ(rows[19], want);
    EXPECT_EQ(rows[0].Title, "nameless");   // no PlotKind: kind 0
    for (int k = 1; k <= 33; ++k) {
        if (k != 19) {
            EXPECT_EQ(rows[k], defaults[k]) << "kind " << k;   // section 40 is beyond the count
        }
    }

    for (const char* text : {"[5]\r\nPlotKind=Trajectory\r\nTitle=x\r\n",
                             "[Header]\r\nNumberOfRecords=0\r\n[1]\r\nPlotKind=Trajectory\r\n"}) {
        WriteAll(dir.file("b.scl"), text);
        auto same = defaults;
        EXPECT_TRUE(ReadScaleFile(dir.file("b.scl"), TKindTable::Strativa, same));
        EXPECT_EQ(same, defaults) << text;
    }
    auto untouched = defaults;
    EXPECT_FALSE(ReadScaleFile(dir.file("missing.scl"), TKindTable::Strativa, untouched));
    EXPECT_EQ(untouched, defaults);
}

TEST(ScaleFile, DefaultTableMatchesTheStoredFile)
{
    TempDir dir;
    ASSERT_TRUE(WriteScaleFile(dir.file("m.scl"), TKindTable::Monovara,
                               BuiltInScaleInfo(TKindTable::Monovara)));
    const std::string golden = ReadAll(PV_TEST_DATA "/chart/monovara_default.scl");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(ReadAll(dir.file("m.scl")), golden);
}

TEST(ScaleFile, ReplacesAnExistingFileOfOtherCaseAndReportsFailure)
{
    TempDir dir;
    WriteAll(dir.file("MODEL.SCL"), "old");
    ASSERT_TRUE(WriteScaleFile(dir.file("model.scl"), TKindTable::Monovara, {}));
    EXPECT_FALSE(std::filesystem::exists(dir.file("model.scl")));
    EXPECT_NE(ReadAll(dir.file("MODEL.SCL")).find("[Header]"), std::string::npos);
    EXPECT_FALSE(WriteScaleFile(dir.file("no/such/folder/x.scl"), TKindTable::Monovara, {}));
}
