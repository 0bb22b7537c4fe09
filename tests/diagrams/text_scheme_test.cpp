// tests/diagrams/text_scheme_test.cpp: text schemes, the built-in schemes and their store under
// the machine-wide key: start-up, case-blind names, refused templates, saves that fail, odd names
// and many schemes.
#include "diagrams/text_scheme.h"
#include "diagrams/text_scheme_store.h"

#include "platform/base/paths.h"
#include "platform/base/prompt.h"
#include "platform/base/registry.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class TextSchemeTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_config = test_support::NewFolder("config");
        setenv("XDG_CONFIG_HOME", m_config.c_str(), 1);
        RegReset();
        test_support::Prompt().TakeMessages();
    }
    void TearDown() override { RegSetDenyWrites(false); }

    /// Writes a scheme's values straight into the store.
    static void Store(const std::string& keyName,
                      const std::vector<std::pair<std::string, std::string>>& values)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, (TextSchemesKey() + "\\" + keyName).c_str(), 0,
                                 "", 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        for (const auto& [name, text] : values)
            RegSetValueEx(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          DWORD(text.size() + 1));
        RegCloseKey(key);
    }

    static std::vector<std::string> StoredKeys()
    {
        std::vector<std::string> names;
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, TextSchemesKey().c_str(), 0, KEY_READ, &key) !=
            ERROR_SUCCESS)
            return names;
        std::string name;
        for (DWORD i = 0; RegEnumKey(key, i, name) == ERROR_SUCCESS; ++i)
            names.push_back(name);
        RegCloseKey(key);
        return names;
    }

    /// The list as the store gives it back after a fresh start.
    static void Reload(CTextSchemeList& list)
    {
        RegReset();
        list.ClearSchemeList();
        LoadTextSchemes(list);
    }

    std::string m_config;
};

TEST_F(TextSchemeTest, EmptyStoreGivesTheNineteenBuiltInSchemes)
{
    CTextSchemeList list;
    InitTextSchemes(list);
    ASSERT_EQ(list.Size(), 19u);
    std::set<std::string> names;
    for (const auto& entry : list.Items()) {
        EXPECT_TRUE(entry->IsSystem()) << entry->Name();
        names.insert(entry->Name());
    }
    EXPECT_EQ(names.size(), 19u);

    const CTextScheme* nameDates = list.GetDefaultScheme();
    ASSERT_NE(nameDates, nullptr);
    EXPECT_EQ(nameDates->Name(), "Name, Dates");
    ASSERT_NE(nameDates->GetSchemeTemplate(1, true), nullptr);
    EXPECT_EQ(*nameDates->GetSchemeTemplate(1, true),
              "%INDI.NAME:PREFERRED%\r\n{picture}\r\n=LifeDates(%INDI%)");
    EXPECT_EQ(nameDates->GetSchemeTemplate(1, false), nullptr);
    EXPECT_EQ(nameDates->GetSchemeTemplate(6, true), nullptr);

    const CTextScheme* boxTypes = list.FindScheme("BOX TYPES");
    ASSERT_NE(boxTypes, nullptr);
    EXPECT_EQ(boxTypes->GetSchemeTemplate(0, true), nullptr);
    ASSERT_NE(boxTypes->GetSchemeTemplate(5, true), nullptr);
    EXPECT_EQ(*boxTypes->GetSchemeTemplate(5, true), "%INDI.NAME:PREFERRED%\r\n{picture}\r\nPROXY");
    EXPECT_EQ(list.FindScheme(""), nullptr);
}

TEST_F(TextSchemeTest, StoreAfterSavingTheBuiltInSchemesIsTheGoldenFile)
{
    CTextSchemeList list;
    InitTextSchemes(list);
    ASSERT_TRUE(SaveTextSchemes(list));
    EXPECT_EQ(test_support::ReadFile(paths::Join(paths::ConfigFolder(), "machine.ini")),
              test_support::ReadFile(test_support::DataPath("expected/text_schemes.ini")));
}

TEST_F(TextSchemeTest, StoredSchemeOfABuiltInNameInAnotherCaseIsKept)
{
    Store("name, dates", {{"System", "yes"}, {"BoxType0", "%INDI.NAME%"}});
    Store("Mine", {{"BoxType2", "x"}});
    CTextSchemeList list;
    InitTextSchemes(list);
    EXPECT_EQ(list.Size(), 20u);
    const CTextScheme* scheme = list.FindScheme("Name, Dates");
    ASSERT_NE(scheme, nullptr);
    EXPECT_EQ(scheme->Name(), "name, dates");
    EXPECT_TRUE(scheme->IsSystem());
    EXPECT_EQ(*scheme->GetSchemeTemplate(0, false), "%INDI.NAME%");
    EXPECT_EQ(scheme->GetSchemeTemplate(2, false), nullptr);
    EXPECT_FALSE(list.FindScheme("mine")->IsSystem()) << "a missing System value";
}

TEST_F(TextSchemeTest, StoredTemplateTheCheckRefusesIsDroppedAlone)
{
    Store("Mine", {{"System", "No"}, {"BoxType0", "good"}, {"BoxType3", "{if"}});
    CTextSchemeList list;
    InitTextSchemes(list, [](const std::string& text) { return text != "{if"; });
    const CTextScheme* scheme = list.FindScheme("Mine");
    ASSERT_NE(scheme, nullptr);
    EXPECT_EQ(scheme->GetSchemeTemplate(3, false), nullptr);
    EXPECT_EQ(*scheme->GetSchemeTemplate(3, true), "good");
}

TEST_F(TextSchemeTest, BuiltInTemplateTheCheckRefusesEndsStartUp)
{
    CTextSchemeList list;
    EXPECT_ANY_THROW(InitTextSchemes(
        list, [](const std::string& text) { return text.find("PROXY") == std::string::npos; }));
}

TEST_F(TextSchemeTest, SavingAfterDeletingLeavesOneSubkeyPerScheme)
{
    CTextSchemeList list;
    InitTextSchemes(list);
    ASSERT_TRUE(SaveTextSchemes(list));
    list.Remove(list.FindScheme("Compact"));
    CTextScheme* mine = list.Add(std::make_unique<CTextScheme>(*list.FindScheme("Name Only")));
    mine->SetName("Mine");
    mine->SetSystem(false);
    mine->SetTemplate(std::nullopt, 4);
    ASSERT_TRUE(SaveTextSchemes(list));

    EXPECT_EQ(StoredKeys().size(), 19u);
    CTextSchemeList loaded;
    Reload(loaded);
    ASSERT_EQ(loaded.Size(), 19u);
    EXPECT_EQ(loaded.FindScheme("Compact"), nullptr);
    EXPECT_EQ(loaded.FindScheme("Mine")->GetSchemeTemplate(4, false), nullptr)
        << "a template the scheme no longer has is removed from the store";
    EXPECT_NE(loaded.FindScheme("Name Only")->GetSchemeTemplate(4, false), nullptr);
}

TEST_F(TextSchemeTest, FailedSaveIsReportedAndLosesNoStoredScheme)
{
    CTextSchemeList list;
    InitTextSchemes(list);
    ASSERT_TRUE(SaveTextSchemes(list));
    const std::string before =
        test_support::ReadFile(paths::Join(paths::ConfigFolder(), "machine.ini"));

    list.ClearSchemeList();
    list.Add(std::make_unique<CTextScheme>())->SetName("Only one");
    RegSetDenyWrites(true);
    EXPECT_EQ(SaveTextSchemes(list).failure, "Unable to save text schemes.");
    RegSetDenyWrites(false);
    EXPECT_EQ(test_support::ReadFile(paths::Join(paths::ConfigFolder(), "machine.ini")), before);

    // An entry without a name cannot be written: the others are, and nothing is removed.
    list.Add(std::make_unique<CTextScheme>());
    EXPECT_EQ(SaveTextSchemes(list).failure, "Unable to save text schemes.");
    CTextSchemeList loaded;
    Reload(loaded);
    EXPECT_EQ(loaded.Size(), 20u);
    EXPECT_NE(loaded.FindScheme("Only one"), nullptr);
}

TEST_F(TextSchemeTest, NamesAKeyCannotHoldRoundTrip)
{
    const std::vector<std::string> names = {
        "Smith ] Jones", "a=b",        "; comment",  "# hash", "[bracket",
        "two\r\nlines",  "line\nfeed", " padded ",   "100%",   "%41",
        "back\\slash",   "tab\there",  "caf\xC3\xA9"};
    CTextSchemeList list;
    for (const std::string& name : names) {
        CTextScheme* scheme = list.Add(std::make_unique<CTextScheme>());
        scheme->SetName(name);
        scheme->SetTemplate("%INDI.NAME%\r\nfor " + name, 2);
    }
    ASSERT_TRUE(SaveTextSchemes(list));
    CTextSchemeList loaded;
    Reload(loaded);
    ASSERT_EQ(loaded.Size(), names.size());
    for (const std::string& name : names) {
        const CTextScheme* scheme = loaded.FindScheme(name);
        ASSERT_NE(scheme, nullptr) << name;
        EXPECT_EQ(scheme->Name(), name);
        EXPECT_EQ(*scheme->GetSchemeTemplate(2, false), "%INDI.NAME%\r\nfor " + name);
    }
    EXPECT_EQ(SchemeKeyName("Name, Dates"), "Name, Dates") << "plain names are their own keys";
}

TEST_F(TextSchemeTest, TenThousandSchemesWithLongNamesAndTemplatesRoundTrip)
{
    // Names beyond 70 and 100 characters and templates beyond 1,000 bytes are neither cut nor
    // end the enumeration of the schemes after them.
    constexpr int kCount = 10000;
    CTextSchemeList list;
    const std::string longText(5000, 'x');
    for (int i = 0; i < kCount; ++i) {
        CTextScheme* scheme = list.Add(std::make_unique<CTextScheme>());
        scheme->SetName("Scheme " + std::to_string(i) + std::string(std::size_t(i % 150 * 2), 'n'));
        scheme->SetTemplate(i % 100 == 0 ? longText : "%INDI.NAME%", i % kBoxTypeCount);
    }
    ASSERT_TRUE(SaveTextSchemes(list));
    CTextSchemeList loaded;
    Reload(loaded);
    ASSERT_EQ(loaded.Size(), std::size_t(kCount));
    for (const auto& entry : list.Items()) {
        const CTextScheme* scheme = loaded.FindScheme(entry->Name());
        ASSERT_NE(scheme, nullptr) << entry->Name();
        for (int type = 0; type < kBoxTypeCount; ++type) {
            const std::string* expected = entry->GetSchemeTemplate(type, false);
            const std::string* got = scheme->GetSchemeTemplate(type, false);
            ASSERT_EQ(expected == nullptr, got == nullptr);
            if (expected) {
                ASSERT_EQ(*got, *expected);
            }
        }
    }
}

TEST_F(TextSchemeTest, NewSchemeNamesAreChecked)
{
    CTextSchemeList list;
    InitTextSchemes(list);
    struct Case {
        const char* name;
        const char* message;
    } const cases[] = {
        {"NAME ONLY", "Name is not unique.  Another Text Template Scheme already has this name."},
        {"My\\scheme", "The '\\' character is not allowed in scheme names."},
        {"", "Please enter a name for the new scheme."},
        {"My scheme", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckNewSchemeName(list, c.name), c.message) << c.name;
}

TEST_F(TextSchemeTest, ResetAndCopyGiveIndependentTemplates)
{
    CTextSchemeList list;
    InitTextSchemes(list);
    CTextScheme* compact = list.FindScheme("Compact");
    compact->SetTemplate("changed", 0);

    CTextSchemeList copy;
    copy.CopySchemeList(list);
    ASSERT_EQ(copy.Size(), list.Size());
    EXPECT_EQ(copy.FindScheme("Compact")->List(), &copy);
    EXPECT_TRUE(compact->ResetSystemScheme());
    EXPECT_EQ(*copy.FindScheme("Compact")->GetSchemeTemplate(0, false), "changed");
    EXPECT_EQ(*compact->GetSchemeTemplate(0, false),
              "%INDI.NAME:GIVEN%\r\n%INDI.NAME:SURNAME%\r\n{picture}");

    compact->SetName("COMPACT");
    EXPECT_FALSE(compact->ResetSystemScheme()) << "a built-in name must match exactly";
    const std::unique_ptr<CTextScheme> removed = list.Remove(compact);
    EXPECT_EQ(removed->List(), nullptr);
    EXPECT_EQ(list.Remove(removed.get()), nullptr);
}

} // namespace
