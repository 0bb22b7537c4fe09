// tests/app/find_and_links_test.cpp: Find Record and Work with External File Links through the
// application's commands, and the links of a file opened from another folder than its own.
#include "tests/app/app_fixture.h"

#include "app/shell/app_ids.h"

#include "database/dictionary/field_ids.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/ui/dialogs/dialog.h"
#include "records/grid/rec_wnd_options.h"
#include "records/window/file_links_dlg.h"
#include "records/window/find_record_dlg.h"

#include <gmock/gmock.h>

namespace app_test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

/// Two Smiths and a note about them; a picture kept in the old folder of the file.
constexpr const char* kSmithFile =
    "0 HEAD\r\n1 SOUR Tests\r\n1 FILE C:\\Fam\\smith.ged\r\n1 CHAR UTF-8\r\n"
    "0 @I1@ INDI\r\n1 NAME John /Smith/\r\n1 FAMS @F1@\r\n"
    "0 @I2@ INDI\r\n1 NAME Ann /Smith/\r\n1 FAMS @F1@\r\n"
    "0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n"
    "0 @N1@ NOTE The Smith papers\r\n"
    "0 @O1@ OBJE\r\n1 FORM jpg\r\n1 _FILE C:\\Fam\\pics\\wedding.jpg\r\n"
    "0 TRLR\r\n";

class FindAndLinksTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(Start());
        RecWndOptions() = CRecWndOptions();
        RecWndOptions().m_loaded = true;
    }
    /// Opens the file from this test's folder: the links dialog of the moved file is closed.
    void OpenSmiths()
    {
        TestHooks::OnNextDialog(CFileLinksDlg::kTemplate,
                                [](CDialog& dialog) { TestHooks::Click(dialog, IDCANCEL); });
        m_app->OpenDocumentFile(WriteGedcom("smith.ged", kSmithFile).c_str());
        MessageTexts();
    }
    CFindRecordDlg& OpenFind()
    {
        EXPECT_TRUE(Run(ID_FIND_RECORD));
        CFindRecordDlg* dialog = m_app->CreateFindRecordDlg();
        EXPECT_NE(dialog, nullptr);
        return *dialog;
    }
    CObject* Selected() const
    {
        return m_app->GetActiveAvView()->GetSubView()->GetSelection(nullptr, nullptr);
    }
    CRecordNode* Record(int listIndex, int skip = 0) const
    {
        CDataNode* record = GetRecordTypeRoot(listIndex)->GetFirstChild();
        while (skip-- > 0)
            record = record->GetNextSibling();
        return static_cast<CRecordNode*>(record);
    }
};

TEST_F(FindAndLinksTest, FindFirstAndNextWalkTheMatchesThenReachTheEnd)
{
    OpenSmiths();
    CFindRecordDlg& find = OpenFind();
    EXPECT_FALSE(find.GetDlgItem(CFindRecordDlg::kFindFirst)->IsWindowEnabled());
    TestHooks::SetText(find, CFindRecordDlg::kSearchText, "smith");
    TestHooks::SelectItem(find, CFindRecordDlg::kRecordType, CFindRecordDlg::kAllTypesItem);
    TestHooks::Click(find, CFindRecordDlg::kFindFirst);
    EXPECT_EQ(Selected(), Record(kIndividuals, 1)) << "Ann comes first by name";
    TestHooks::Click(find, CFindRecordDlg::kFindNext);
    EXPECT_EQ(Selected(), Record(kIndividuals));
    // The family of the Smiths is found too; its list stays hidden when the question is
    // cancelled, and the search goes on after it to the end.
    TestHooks::AnswerMessageBox(IDCANCEL);
    TestHooks::Click(find, CFindRecordDlg::kFindNext);
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::Click(find, CFindRecordDlg::kFindNext);
    EXPECT_THAT(MessageTexts(), ElementsAre(testing::StartsWith("A record of type 'family'"),
                                            "End of file reached"));
    EXPECT_EQ(RecWndOptions().m_displayChoice[kFamilies], 2);

    TestHooks::SetText(find, CFindRecordDlg::kSearchText, "   ");
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::Click(find, CFindRecordDlg::kFindFirst);
    EXPECT_THAT(MessageTexts(), ElementsAre("Must supply text to search for"));
}

TEST_F(FindAndLinksTest, SingleTypeSearchesCheckTheTypeFirst)
{
    OpenSmiths();
    CFindRecordDlg& find = OpenFind();
    TestHooks::SetText(find, CFindRecordDlg::kSearchText, "papers");
    TestHooks::SelectItem(find, CFindRecordDlg::kRecordType, 2);
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::Click(find, CFindRecordDlg::kFindFirst);
    EXPECT_THAT(MessageTexts(),
                ElementsAre("Note and Header records do not have names or titles (all other "
                            "record types do).  Choose another search type."));

    TestHooks::Click(find, CFindRecordDlg::kAllText);
    TestHooks::Click(find, CFindRecordDlg::kFindFirst);
    EXPECT_EQ(Selected(), nullptr) << "the note's text row is selected, not a record";
    EXPECT_THAT(MessageTexts(), IsEmpty());

    TestHooks::SelectItem(find, CFindRecordDlg::kRecordType, kFamilies);
    TestHooks::SetText(find, CFindRecordDlg::kSearchText, "smith");
    TestHooks::AnswerMessageBox(IDCANCEL);
    TestHooks::Click(find, CFindRecordDlg::kFindFirst);
    EXPECT_THAT(MessageTexts(),
                ElementsAre("Records of type 'Families' are not currently being displayed.  The "
                            "Records Window display options will be changed to make them "
                            "visible (you can alway hide them again later if you wish to)."));
    EXPECT_EQ(RecWndOptions().m_displayChoice[kFamilies], 2);
}

TEST_F(FindAndLinksTest, TheKeysGoToSearchForFromOpeningToEscape)
{
    OpenSmiths();
    m_app->GetActiveAvView()->GetSubView()->SetFocus();
    CFindRecordDlg& find = OpenFind();
    CWnd* edit = find.GetDlgItem(CFindRecordDlg::kSearchText);
    ASSERT_EQ(CWnd::GetFocus(), edit) << "the dialog opens ready for typing";
    const auto press = [](UINT vk) {
        ASSERT_NE(CWnd::GetFocus(), nullptr);
        TestHooks::PostKey(*CWnd::GetFocus(), vk, 0);
        TestHooks::DeliverPosted();
    };
    for (const char c : std::string("JOHN"))
        press(UINT(c));
    std::string typed;
    edit->GetWindowText(typed);
    EXPECT_EQ(typed, "john");
    press(VK_RETURN);
    EXPECT_EQ(Selected(), Record(kIndividuals)) << "Enter is Find Next";
    EXPECT_EQ(CWnd::GetFocus(), edit) << "the search hands the focus back";
    TestHooks::Click(find, CFindRecordDlg::kFindFirst);
    EXPECT_EQ(CWnd::GetFocus(), edit);
    press(VK_ESCAPE);
    EXPECT_EQ(find.GetSafeHwnd(), nullptr) << "Escape closes the dialog";
}

TEST_F(FindAndLinksTest, TheOneDialogIsMadeAgainAfterItWasClosed)
{
    OpenSmiths();
    CFindRecordDlg& first = OpenFind();
    EXPECT_EQ(m_app->CreateFindRecordDlg(), &first) << "while open, the same dialog";
    TestHooks::Click(first, IDCANCEL);
    EXPECT_EQ(first.GetSafeHwnd(), nullptr);
    CFindRecordDlg& second = OpenFind();
    EXPECT_NE(second.GetSafeHwnd(), nullptr);
}

TEST_F(FindAndLinksTest, AFileOpenedFromAnotherFolderHasItsLinksMovedAlong)
{
    OpenSmiths();
    std::string stored;
    Record(RECORD_LIST_OBJE)->FindChild(nullptr, FIELD_OBJE_LINKED_FILE)->GetText(stored, 0);
    EXPECT_EQ(stored, m_folder + "/pics/wedding.jpg");
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(FindAndLinksTest, GoToInTheLinksToolShowsTheRecordOfTheLink)
{
    OpenSmiths();
    TestHooks::OnNextDialog(CFileLinksDlg::kTemplate, [](CDialog& dialog) {
        auto& links = static_cast<CFileLinksDlg&>(dialog);
        links.SelectNodes({links.GetLinkTree().Files().front()});
        TestHooks::Click(dialog, CFileLinksDlg::kGoTo);
    });
    TestHooks::AnswerMessageBox(IDOK); // multimedia records are not displayed
    ASSERT_TRUE(Run(ID_FILE_LINKS));
    EXPECT_EQ(Selected(), Record(RECORD_LIST_OBJE));
}

/// The names of the FILE lines below level 1 as a load reads them ("@@" stands for "@"), in order.
std::vector<std::string> LinkedFileNames(const std::string& bytes)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        if (line.size() > 7 && line[0] >= '2' && line[0] <= '9' && line.substr(1, 6) == " FILE ") {
            std::string name = line.substr(7);
            for (std::size_t at = name.find("@@"); at != std::string::npos;
                 at = name.find("@@", at + 1))
                name.erase(at, 1);
            names.push_back(name);
        }
        start = end + 1;
    }
    return names;
}

TEST_F(FindAndLinksTest, OkOnTheLinksOfAFileOpenedElsewhereKeepsItsAddressesAndNamesByteForByte)
{
    const std::string original =
        test_support::ReadFile(test_support::DataPath("gedcom/TGC551.ged"));
    const std::string path = test_support::WriteFile(m_folder + "/TGC551.ged", original);
    bool shown = false;
    TestHooks::OnNextDialog(CFileLinksDlg::kTemplate, [&](CDialog& dialog) {
        shown = true;
        TestHooks::Click(dialog, IDOK);
    });
    TestHooks::AnswerMessageBox(IDNO); // no exception report
    m_app->OpenDocumentFile(path.c_str());
    MessageTexts();
    ASSERT_TRUE(shown) << "the header names another file";
    Doc()->SetModifiedFlag();
    ASSERT_TRUE(Run(ID_FILE_SAVE));
    EXPECT_FALSE(Doc()->IsModified());

    const std::vector<std::string> before = LinkedFileNames(original);
    const std::vector<std::string> after = LinkedFileNames(test_support::ReadFile(path));
    EXPECT_THAT(before, testing::Contains("http://www.geditcom.com"));
    EXPECT_THAT(before,
                testing::Contains("http://homepages.rootsweb.com/~pmcbride/gedcom/55gctoc.htm"));
    EXPECT_THAT(after, testing::UnorderedElementsAreArray(before));
}

} // namespace
} // namespace app_test
