// tests/queries/window/query_files_test.cpp: the listing of saved queries by kind and record
// type, and the Select Query dialog that offers them.
#include "queries/window/qry_select_dlg.h"
#include "queries/window/query_files.h"

#include "platform/ui/dialogs/list_box.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/queries/query_test_family.h"

namespace {

/// Standard: "People" (INDI), "Couples" (FAM), "Broken" (not a query file). Custom: "People"
/// (INDI) and "mine" (FAM).
class QueryFilesTest : public CQueryFamilyTest {
protected:
    void SetUp() override
    {
        CQueryFamilyTest::SetUp();
        controls_test::UseCompiledResources();
        Write("Standard/People", "INDI");
        Write("Standard/Couples", "FAM");
        test_support::WriteFile(m_folder + "/Standard/Broken.avq", "not a query\n");
        Write("Custom/People", "INDI");
        Write("Custom/mine", "FAM");
        test_support::WriteFile(m_folder + "/Custom/notes.txt", "[Ardenvel Query]\nTYPE=NOTE\n");
    }
    void TearDown() override
    {
        TestHooks::TakeMessages();
        CQueryFamilyTest::TearDown();
    }

    void Write(const std::string& file, const std::string& type)
    {
        test_support::WriteFile(m_folder + "/" + file + ".avq",
                                "[Ardenvel Query]\nTYPE=" + type + "\n");
    }

    static std::string Texts(const std::vector<QueryFileEntry>& entries)
    {
        std::string texts;
        for (const auto& entry : entries)
            texts += (texts.empty() ? "" : "|") + entry.text + (entry.custom ? "*" : "");
        return texts;
    }

    /// What the dialog lists for recordType, and its caption, OK's state before a choice and
    /// the choice of the entry text given (empty: Cancel).
    struct Shown {
        std::vector<std::string> items;
        std::string caption;
        bool okAtFirst = true;
        int result = 0;
        std::string name;
        bool custom = false;
    };
    Shown RunDialog(const CFieldDef* recordType, const std::string& choose, bool removeNote = false)
    {
        Shown shown;
        CQrySelectDlg dialog(removeNote);
        dialog.m_recordType = recordType;
        TestHooks::OnNextDialog(kQrySelectTemplate, [&](CDialog& dlg) {
            auto* list = dynamic_cast<CListBox*>(dlg.GetDlgItem(IDC_QRY_SELECT_LIST));
            ASSERT_NE(list, nullptr);
            for (int i = 0; i < list->GetCount(); ++i) {
                std::string text;
                list->GetText(i, text);
                shown.items.push_back(text + (list->GetItemData(i) ? "*" : ""));
            }
            dlg.GetWindowText(shown.caption);
            shown.okAtFirst = dlg.GetDlgItem(IDOK)->IsWindowEnabled();
            const int index = choose.empty() ? -1 : list->FindStringExact(-1, choose.c_str());
            if (index < 0) {
                TestHooks::Click(dlg, IDCANCEL);
                return;
            }
            TestHooks::SelectItem(dlg, IDC_QRY_SELECT_LIST, index);
            TestHooks::Click(dlg, IDOK);
        });
        shown.result = dialog.DoModal();
        shown.name = dialog.m_name;
        shown.custom = dialog.m_custom;
        return shown;
    }

    const CFieldDef* Individuals() const { return Rec("John")->GetFieldDef(); }
    const CFieldDef* Families() const { return Rec("F1")->GetFieldDef(); }
};

TEST_F(QueryFilesTest, ListsBothFoldersByTypeKeepingUnreadableFiles)
{
    std::vector<QueryFileEntry> all;
    ASSERT_TRUE(ListQueryFiles(all, true, nullptr));
    EXPECT_EQ(Texts(all), "Broken|Couples|People|mine (custom)*|People (custom)*");

    std::vector<QueryFileEntry> families;
    ASSERT_TRUE(ListQueryFiles(families, true, Families()));
    EXPECT_EQ(Texts(families), "Broken|Couples|mine (custom)*");

    // Listing again without emptying adds only what is new.
    Write("Custom/later", "INDI");
    std::vector<QueryFileEntry> people;
    ASSERT_TRUE(ListQueryFiles(people, true, Individuals()));
    ASSERT_TRUE(ListQueryFiles(people, false, Individuals()));
    EXPECT_EQ(Texts(people), "Broken|People|later (custom)*|People (custom)*");
}

TEST_F(QueryFilesTest, AFolderOrAPipeNamedAsAQueryIsNotListed)
{
    ASSERT_TRUE(paths::MakeDirectories(m_folder + "/Standard/Folder.avq"));
    const std::string pipe = test_support::MakePipe(m_folder + "/Custom/Pipe.avq");
    std::vector<QueryFileEntry> all;
    EXPECT_TRUE(test_support::ReturnsWithoutWaitingOnPipe(
        pipe, [&] { EXPECT_TRUE(ListQueryFiles(all, true, Individuals())); }));
    EXPECT_EQ(Texts(all), "Broken|People|People (custom)*");
}

TEST_F(QueryFilesTest, MissingFolderListsNothing)
{
    ASSERT_TRUE(paths::RemoveFile(m_folder + "/Custom/notes.txt"));
    for (const char* file : {"People.avq", "mine.avq"})
        ASSERT_TRUE(paths::RemoveFile(m_folder + "/Custom/" + file));
    std::vector<QueryFileEntry> entries{{"kept", true}};
    ASSERT_TRUE(ListQueryFiles(entries, false, Families()));
    EXPECT_EQ(Texts(entries), "kept*|Broken|Couples");
}

TEST_F(QueryFilesTest, DialogOffersTheTypesQueriesAndGivesBackNameAndKind)
{
    const Shown families = RunDialog(Families(), "mine (custom)");
    EXPECT_EQ(families.caption, "Select Family Query");
    EXPECT_EQ(families.items, (std::vector<std::string>{"Broken", "Couples", "mine (custom)*"}));
    EXPECT_FALSE(families.okAtFirst);
    EXPECT_EQ(families.result, IDOK);
    EXPECT_EQ(families.name, "mine");
    EXPECT_TRUE(families.custom);

    const Shown all = RunDialog(nullptr, "People");
    EXPECT_EQ(all.caption, "Select Query");
    EXPECT_EQ(all.items.size(), 5u);
    EXPECT_EQ(all.name, "People");
    EXPECT_FALSE(all.custom);

    EXPECT_EQ(RunDialog(nullptr, "").result, IDCANCEL);
}

TEST_F(QueryFilesTest, SelectQueryAnswersOnlyForAChoice)
{
    std::string name = "before";
    bool custom = false;
    TestHooks::OnNextDialog(kQrySelectTemplate, [](CDialog& dlg) {
        EXPECT_EQ(dlg.GetDlgItem(IDC_QRY_SELECT_NOTE), nullptr);
        TestHooks::Click(dlg, IDCANCEL);
    });
    EXPECT_FALSE(SelectQuery(nullptr, name, custom, true, Individuals()));
    EXPECT_EQ(name, "before");

    TestHooks::OnNextDialog(kQrySelectTemplate, [](CDialog& dlg) {
        ASSERT_NE(dlg.GetDlgItem(IDC_QRY_SELECT_NOTE), nullptr);
        TestHooks::SelectItem(dlg, IDC_QRY_SELECT_LIST, 2);
        TestHooks::Click(dlg, IDOK);
    });
    EXPECT_TRUE(SelectQuery(nullptr, name, custom, false, Individuals()));
    EXPECT_EQ(name, "People");
    EXPECT_TRUE(custom);
}

} // namespace
