// tests/reports/rpt_settings_test.cpp: the report settings in report files and the profile:
// every key read and written back, the item and event lists, picture options, saving by part,
// copying, restoring the installation values, and damaged or hostile files.
#include "reports/rpt_settings.h"

#include "platform/base/app_profile.h"
#include "platform/base/registry.h"
#include "reports/rpt_settings_text.h"
#include "templates/settings_store.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>

namespace {

class RptSettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", test_support::NewFolder("config").c_str(), 1);
        RegReset();
        m_folder = test_support::NewFolder("avr");
        test_support::Prompt().TakeMessages();
    }

    std::string Path(const std::string& name) const { return m_folder + "/" + name; }

    CRptSettings LoadText(const std::string& content)
    {
        CRptSettings settings;
        settings.Load(CSettingsStore(test_support::WriteFile(Path("in.avr"), content)));
        return settings;
    }

    /// The text the settings save as (all parts): two records are the same when their texts are.
    std::string Saved(const CRptSettings& settings)
    {
        const std::string path = Path("saved.avr");
        std::filesystem::remove(path);
        CSettingsStore store(path);
        EXPECT_TRUE(settings.Save(store, kRptPartAll));
        return test_support::ReadFile(path);
    }

    std::string m_folder;
};

TEST_F(RptSettingsTest, HandWrittenFileLoadsEveryKeyAndSavesBackByteForByte)
{
    const std::string original =
        test_support::ReadFile(test_support::DataPath("reports/every_key.avr"));
    const std::string path = test_support::WriteFile(Path("every_key.avr"), original);
    CRptSettings settings;
    settings.Load(CSettingsStore(path));

    // One value of each kind from each part, all away from their defaults.
    EXPECT_EQ(settings.m_class, "Individual Summary");
    EXPECT_EQ(settings.m_template, "Individual Summary Report");
    EXPECT_FALSE(settings.Option(kRptSectionMain));
    EXPECT_TRUE(settings.Option(kRptFemalesFirst));
    ASSERT_EQ(settings.m_contents.m_items[kRptIndItems].size(), 3u);
    EXPECT_EQ(settings.m_contents.m_items[kRptIndItems][2].m_label, "Occupation \"main\"");
    EXPECT_EQ(settings.m_contents.m_famEvents, (CEventList{{0, "Feast", 1}, {0, "Height", 2}}));
    EXPECT_EQ(settings.m_contents.m_generations, 7);
    EXPECT_EQ(settings.m_pictures.m_options[2],
              (CRptPicOpts{CRptPicOpts::kAboveCentre, CRptPicOpts::kCustom, 120, 80}));
    EXPECT_EQ(settings.m_pictures.m_gaps, (CRptPicGaps{1, 2, 3, 4, 5}));
    EXPECT_FALSE(settings.SourceFlag(kRptSourcesEndEntry));
    EXPECT_EQ(settings.m_sources.m_sourcePicWidth, 175);
    EXPECT_EQ(settings.m_format.m_fonts[kRptFontCaption].lfHeight, 7);
    EXPECT_STREQ(settings.m_format.m_fonts[kRptFontData].lfFaceName, "DejaVu Serif");
    EXPECT_EQ(settings.m_format.m_headingStyles[2].m_keepWith, 3);
    EXPECT_EQ(settings.m_format.m_headings[1].m_text.GetText(), "%INDI.NAME%");
    EXPECT_EQ(settings.m_format.m_colours[1].m_colour, RGB(10, 20, 30));
    EXPECT_TRUE(settings.m_format.m_colours[1].m_transparent);
    EXPECT_TRUE(settings.m_layout.m_mirrorPages);
    EXPECT_EQ(settings.m_layout.m_footerTexts[2], "Ardenvel {draft} & \"notes\"");
    EXPECT_EQ(settings.m_layout.m_colStarts[3], 510);

    CSettingsStore store(path);
    ASSERT_TRUE(settings.Save(store, kRptPartAll));
    EXPECT_EQ(test_support::ReadFile(path), original);
    EXPECT_EQ(Saved(settings), original);
}

TEST_F(RptSettingsTest, InstallationValuesSurviveAFileAndTheProfile)
{
    const CRptSettings installed;
    const std::string text = Saved(installed);
    EXPECT_EQ(text.find("Test="), std::string::npos);

    CRptSettings fromFile;
    fromFile.Load(CSettingsStore(Path("saved.avr")));
    EXPECT_EQ(Saved(fromFile), text);

    CAppProfile profile("Quorvane", "Ardenvel");
    CSettingsStore profileStore(profile);
    ASSERT_TRUE(installed.Save(profileStore, kRptPartAll));
    CRptSettings fromProfile;
    fromProfile.m_contents.m_generations = 99;
    fromProfile.Load(CSettingsStore(profile));
    EXPECT_EQ(Saved(fromProfile), text);
    EXPECT_EQ(profile.GetProfileString("Report Options", "Test", "none"), "none");
}

TEST_F(RptSettingsTest, ItemLinesParseOrAreSkipped)
{
    struct Case {
        const char* line;
        bool parses;
        int index = 0, show = 0;
        const char* label = "";
        const char* expression = "";
    } const cases[] = {
        {"S1,4", true, 4, 1, "", ""},
        {"S2,40", true, 40, 2, "", ""},
        {"S3,1", false},
        {"S1,-1", false},
        {"S1,", false},
        {"S1,4x", false},
        {"C2,\"Occupation \"\"main\"\"\",\"=Age(%INDI%)\"", true, -1, 2, "Occupation \"main\"",
         "=Age(%INDI%)"},
        {"C0,\"a\",\"b\"   ", true, -1, 0, "a", "b"},
        {"C1,\"Label only\"", false},
        {"C1,\"a\",\"b\" tail", false},
        {"C1,\"unclosed,\"b\"", false},
        {"X1,2", false},
        {"", false},
    };
    for (const Case& c : cases) {
        CRptItem item;
        ASSERT_EQ(ParseRptItem(c.line, item), c.parses) << c.line;
        if (!c.parses)
            continue;
        EXPECT_EQ(item.m_index, c.index) << c.line;
        EXPECT_EQ(item.m_show, c.show) << c.line;
        EXPECT_EQ(item.m_label, c.label) << c.line;
        EXPECT_EQ(item.m_expression.GetText(), c.expression) << c.line;
        CRptItem again;
        ASSERT_TRUE(ParseRptItem(RptItemToText(item), again)) << c.line;
        EXPECT_EQ(again.m_label, item.m_label);
        EXPECT_EQ(again.m_expression.GetText(), item.m_expression.GetText());
    }
}

TEST_F(RptSettingsTest, EventLinesParseOrAreSkipped)
{
    struct Case {
        const char* line;
        bool parses;
        CEventListEntry entry;
    } const cases[] = {
        {"S:12", true, {12, "", 0}},
        {"S:0", false, {}},
        {"S:-4", false, {}},
        {"S:x", false, {}},
        {"CE:Feast", true, {0, "Feast", 1}},
        {"CA:Height", true, {0, "Height", 2}},
        {"CE:", false, {}},
        {"Q:3", false, {}},
    };
    for (const Case& c : cases) {
        CEventListEntry entry;
        ASSERT_EQ(ParseEventEntry(c.line, entry), c.parses) << c.line;
        if (c.parses) {
            EXPECT_EQ(entry, c.entry) << c.line;
            EXPECT_EQ(EventEntryToText(entry), c.line);
        }
    }
    EXPECT_EQ(EventEntryToText({0, "", 1}), "");
    EXPECT_EQ(EventEntryToText({0, "Feast", 3}), "");
}

TEST_F(RptSettingsTest, PictureOptionsGapsAndSizes)
{
    struct OptsCase {
        const char* text;
        CRptPicOpts expected;
        int width, height;
    } const opts[] = {
        {"{SR,M}", {4, 1, 0, 0}, 142, -1},
        {"{RL,S}", {0, 0, 0, 0}, 100, 71},
        {"{TC,L}", {2, 2, 0, 0}, -1, 213},
        {"{XX,Z}", {4, 1, 0, 0}, 142, -1},
        {"  {TR,C,120,0}", {3, 3, 120, 0}, 120, 0},
        {"{SR,C,90,60}", {4, 3, 90, 60}, 90, 60},
        {"", {4, 1, 0, 0}, 142, -1},
    };
    for (const OptsCase& c : opts) {
        const CRptPicOpts parsed = ParsePicOpts(c.text);
        EXPECT_EQ(parsed, c.expected) << c.text;
        EXPECT_EQ(GetPicWidth(parsed), c.width) << c.text;
        EXPECT_EQ(GetPicHeight(parsed), c.height) << c.text;
        EXPECT_EQ(ParsePicOpts(PicOptsToText(parsed)), parsed) << c.text;
    }
    struct GapsCase {
        const char* text;
        CRptPicGaps expected;
    } const gaps[] = {
        {"{15,15,15,15,02}", {15, 15, 15, 15, 2}},
        {"{-3,1,1,1,1}", {0, 1, 1, 1, 1}},
        {" {4,5}", {4, 5, 15, 15, 2}},
        {"nonsense", {15, 15, 15, 15, 2}},
        {"{99999999999999,1,1,1,1}", {2147483647, 1, 1, 1, 1}},
    };
    for (const GapsCase& c : gaps)
        EXPECT_EQ(ParsePicGaps(c.text), c.expected) << c.text;
}

TEST_F(RptSettingsTest, ItemSectionsWithoutCountGiveTheDefaultListAndSavesLeaveNoStaleItems)
{
    const CRptSettings installed;
    const CRptSettings absent = LoadText("[Report Opts - Ind Items]\nItem1=S1,4\n");
    ASSERT_EQ(absent.m_contents.m_items[kRptIndItems].size(), 13u);
    EXPECT_EQ(absent.m_contents.m_items[kRptIndItems][5].m_show, 0);
    EXPECT_EQ(absent.m_contents.m_items[kRptIndItems][9].m_show, 2);

    const CRptSettings empty = LoadText("[Report Opts - Src Items]\nCount=0\nItem1=S1,4\n");
    EXPECT_TRUE(empty.m_contents.m_items[kRptSrcItems].empty());

    const std::string path = test_support::WriteFile(
        Path("five.avr"), "[Report Opts - Rep Items]\nCount=5\nItem1=S1,0\nItem2=S1,1\n"
                          "Item3=S1,2\nItem4=S1,3\nItem5=S1,4\n");
    CRptSettings settings;
    settings.Load(CSettingsStore(path));
    settings.m_contents.m_items[kRptRepItems].resize(3);
    CSettingsStore store(path);
    ASSERT_TRUE(settings.Save(store, kRptPartContents));
    CSettingsStore reread(path);
    EXPECT_EQ(reread.ReadInt("Report Opts - Rep Items", "Count", -1), 3);
    EXPECT_TRUE(reread.ReadText("Report Opts - Rep Items", "Item3"));
    EXPECT_FALSE(reread.ReadText("Report Opts - Rep Items", "Item4"));
    EXPECT_FALSE(reread.ReadText("Report Opts - Rep Items", "Item5"));
}

TEST_F(RptSettingsTest, SkippedLinesDoNotTakeTheirNumbersFromTheNextOne)
{
    CRptSettings settings;
    CRptItem custom;
    custom.m_label = "Label";
    settings.m_contents.m_items[kRptIndItems] = {custom};
    settings.m_contents.m_items[kRptIndItems][0].m_expression.SetText("%INDI.OCCU%");
    settings.m_contents.m_indEvents = {{0, "", 1}, {0, "Feast", 1}};
    const std::string path = Path("numbers.avr");
    CSettingsStore store(path);
    ASSERT_TRUE(settings.Save(store, kRptPartContents));
    CSettingsStore reread(path);
    EXPECT_EQ(reread.ReadInt("Report Opts - Ind Events", "Count", -1), 1);
    EXPECT_EQ(reread.ReadString("Report Opts - Ind Events", "Item1", ""), "CE:Feast");
}

TEST_F(RptSettingsTest, SavingOnePartWritesOnlyItsKeys)
{
    const std::string path = test_support::WriteFile(
        Path("parts.avr"), "[Ardenvel Report]\nVersion=1\nClass=Source\nTemplate=Source Report\n"
                           "[Report Options]\nGens=9\nDate Format=6\nTest=1\n");
    CRptSettings settings;
    settings.Load(CSettingsStore(path));
    settings.m_class = "Changed";
    settings.m_contents.m_generations = 3;
    settings.m_format.m_dateFormat = 10;
    settings.m_layout.m_tabWidth = 77;
    CSettingsStore store(path);
    ASSERT_TRUE(settings.Save(store, kRptPartFormat));

    CSettingsStore reread(path);
    EXPECT_EQ(reread.ReadString("Ardenvel Report", "Class", ""), "Source");
    EXPECT_EQ(reread.ReadInt("Report Options", "Gens", 0), 9);
    EXPECT_EQ(reread.ReadInt("Report Options", "Date Format", 0), 10);
    EXPECT_TRUE(reread.ReadText("Report Options", "Font - Data"));
    EXPECT_TRUE(reread.ReadText("Report Colours", "Lines"));
    EXPECT_FALSE(reread.ReadText("Report Options", "Tab Width"));
    EXPECT_FALSE(reread.ReadText("Report Options", "Test"));
}

TEST_F(RptSettingsTest, CopyTakesOnePartAndTheHeaderOnlyWhenAskedWhole)
{
    CRptSettings source;
    source.m_class = "Ancestor";
    source.m_contents.m_generations = 12;
    source.m_pictures.m_preference = 0;
    source.m_layout.m_startingPage = 5;

    CRptSettings target;
    target.Copy(source, kRptPartPictures, false);
    EXPECT_EQ(target.m_pictures.m_preference, 0);
    EXPECT_EQ(target.m_contents.m_generations, 5);
    EXPECT_EQ(target.m_layout.m_startingPage, 1);
    EXPECT_EQ(target.m_class, "");

    target.Copy(source, kRptPartAll, true);
    EXPECT_EQ(target.m_contents.m_generations, 12);
    EXPECT_EQ(target.m_layout.m_startingPage, 5);
    EXPECT_EQ(target.m_class, "");

    target.Copy(source, kRptPartAll, false);
    EXPECT_EQ(target.m_class, "Ancestor");
}

TEST_F(RptSettingsTest, RestoreInstalledReadsOnlyACompleteTypeFileInsideItsFolder)
{
    const std::string types = test_support::NewFolder("types");
    test_support::WriteFile(types + "/Ancestor Report.avr",
                            "[Ardenvel Report]\nVersion=1\nClass=Ancestor\n"
                            "Template=Ancestor Report\n[Report Options]\nGens=8\nTab Width=90\n");
    test_support::WriteFile(types + "/Bare.avr", "[Report Options]\nGens=8\n");
    // A type file outside the folder that a hostile Template value points at.
    test_support::WriteFile(m_folder + "/x.avr", "[Ardenvel Report]\nVersion=1\nClass=Ancestor\n"
                                                 "Template=x\n[Report Options]\nGens=66\n");

    CRptSettings settings;
    settings.m_class = "Own";
    settings.m_template = "Ancestor Report";
    EXPECT_TRUE(settings.RestoreInstalled(kRptPartContents, types));
    EXPECT_EQ(settings.m_contents.m_generations, 8);
    EXPECT_EQ(settings.m_layout.m_tabWidth, 50);
    EXPECT_EQ(settings.m_class, "Own");

    const char* refused[] = {"Bare", "Missing", "../x", "..\\x", "../../avr/x", "", "a/b"};
    for (const char* name : refused) {
        CRptSettings other;
        other.m_template = name;
        EXPECT_FALSE(other.RestoreInstalled(kRptPartAll, types)) << name;
        EXPECT_EQ(other.m_contents.m_generations, 5) << name;
    }
}

TEST_F(RptSettingsTest, DamagedFilesGiveDefaultsOrSkippedItems)
{
    const CRptSettings installed;
    const std::string defaults = Saved(installed);

    const std::string full =
        test_support::ReadFile(test_support::DataPath("reports/every_key.avr"));
    std::mt19937 random(7);
    std::string binary(4096, '\0');
    for (char& c : binary)
        c = char(random());
    const std::string cases[] = {
        "",
        binary,
        full.substr(0, full.size() / 3),
        "[Report Options]\nGens=\nDate Format=x\nPic Gaps={,,}\nFont - Data=12,0\n"
        "Pic Opts Spouses=}}}\n[Report Colours]\nLines=1,2\n",
    };
    for (const std::string& content : cases) {
        const CRptSettings loaded = LoadText(content);
        // Whatever was read, the record saves and reads back as itself.
        const std::string saved = Saved(loaded);
        CRptSettings again;
        again.Load(CSettingsStore(Path("saved.avr")));
        EXPECT_EQ(Saved(again), saved);
    }
    EXPECT_EQ(Saved(LoadText(cases[3])), defaults);
}

TEST_F(RptSettingsTest, HugeCountsAndLongValuesAreHandledWithoutLoss)
{
    const std::string longText(100000, 'x');
    const auto start = std::chrono::steady_clock::now();
    const CRptSettings loaded =
        LoadText("[Report Opts - Ind Events]\nCount=1000000000\nItem1=CE:Feast\nItem2=S:12\n"
                 "[Report Opts - Ind Items]\nCount=1000000000\nItem1=S1,0\n"
                 "[Report Options]\nHeader - Left=" +
                 longText + "\n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(loaded.m_contents.m_indEvents, (CEventList{{0, "Feast", 1}, {12, "", 0}}));
    EXPECT_EQ(loaded.m_contents.m_items[kRptIndItems].size(), 1u);
    EXPECT_EQ(loaded.m_layout.m_headerTexts[0], longText);

    CRptSettings settings = loaded;
    CRptItem custom;
    custom.m_label = std::string(300, 'L');
    custom.m_expression.SetText(std::string(300, 'E'));
    settings.m_contents.m_items[kRptIndItems].push_back(custom);
    settings.m_contents.m_famEvents = {{0, std::string(200, 'T'), 2}};
    CRptSettings reread;
    Saved(settings);
    reread.Load(CSettingsStore(Path("saved.avr")));
    ASSERT_EQ(reread.m_contents.m_items[kRptIndItems].size(), 2u);
    EXPECT_EQ(reread.m_contents.m_items[kRptIndItems][1].m_label, custom.m_label);
    EXPECT_EQ(reread.m_contents.m_items[kRptIndItems][1].m_expression.GetText(),
              std::string(300, 'E'));
    EXPECT_EQ(reread.m_contents.m_famEvents, settings.m_contents.m_famEvents);
    EXPECT_EQ(reread.m_layout.m_headerTexts[0], longText);
}

TEST_F(RptSettingsTest, FailedSaveAnswersWhyAndLeavesTheFileAsItWas)
{
    const std::string content = "[Report Options]\nGens=9\n";
    const std::string path = test_support::WriteFile(Path("locked.avr"), content);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    CRptSettings settings;
    CSettingsStore store(path);
    EXPECT_EQ(settings.Save(store, kRptPartAll).failure,
              "Unable to save settings in file " + path + ".  The file is read-only.");
    EXPECT_EQ(test_support::ReadFile(path), content);

    // A text with a line break cannot stand in a report file: nothing is written either, and
    // the message says which value it was.
    const std::string writable = test_support::WriteFile(Path("breaks.avr"), content);
    settings.m_layout.m_headerTexts[0] = "two\nlines";
    CSettingsStore other(writable);
    EXPECT_EQ(settings.Save(other, kRptPartLayout).failure,
              "Unable to save settings in file " + writable +
                  ".  The value of \"Header - Left\" in [Report Options] holds a line break, "
                  "which an INI file cannot hold in a value.");
    EXPECT_EQ(test_support::ReadFile(writable), content);
}

TEST_F(RptSettingsTest, TemplateAndClassAreReadTrimmed)
{
    const std::string report = test_support::WriteFile(
        Path("r.avr"), "[Ardenvel Report]\nTemplate=  Ancestor Report \t\nClass= ancestor \n");
    EXPECT_EQ(ReadReportTemplate(report), "Ancestor Report");
    EXPECT_EQ(ReadReportClass(report), "ancestor");
    EXPECT_EQ(ReadReportTemplate(Path("missing.avr")), "");
}

} // namespace
