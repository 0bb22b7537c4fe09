// tests/app/untouched_edits_test.cpp: a user who only looks changes nothing. Every record of the
// GEDCOM 5.5 torture file is shown in the properties box, each of its pages visited and the box
// closed; the file then saves byte for byte as it saved before.
#include "tests/app/app_fixture.h"
#include "tests/app/test_panes.h"

#include "app/shell/app_ids.h"
#include "records/properties/properties_dlg.h"
#include "records/window/file_links_dlg.h"

#include "database/records/record_id_state.h"
#include "database/records/record_node.h"

namespace app_test {
namespace {

class UntouchedEditsTest : public PaneAppTest {
protected:
    /// Opens a copy of the torture file in this test's folder, its links dialog accepted as shown.
    std::string OpenTortureFile()
    {
        const std::string path = test_support::WriteFile(
            m_folder + "/TGC551.ged",
            test_support::ReadFile(test_support::DataPath("gedcom/TGC551.ged")));
        TestHooks::OnNextDialog(CFileLinksDlg::kTemplate,
                                [](CDialog& dialog) { TestHooks::Click(dialog, IDOK); });
        TestHooks::AnswerMessageBox(IDNO); // no exception report
        m_app->OpenDocumentFile(path.c_str());
        MessageTexts();
        return path;
    }
    /// Saves the open file whether or not it is marked changed, and reads it back.
    std::string SaveAndRead(const std::string& path)
    {
        Doc()->SetModifiedFlag();
        EXPECT_TRUE(Run(ID_FILE_SAVE));
        return test_support::ReadFile(path);
    }
    /// Shows record in the properties box, visits each page and closes the box; the number of
    /// pages visited.
    int LookAt(CRecordNode* record)
    {
        Script().selection = record;
        if (!Run(ID_PROPERTIES))
            return 0;
        CPropertiesDlg* box = m_app->GetPropertiesDlg();
        const int pages = box->GetPageCount();
        for (int i = 0; i < pages; ++i) {
            box->SetActivePage(i);
            TestHooks::DeliverPosted();
        }
        TestHooks::PressCloseBox(*box);
        TestHooks::DeliverPosted();
        return pages;
    }
};

TEST_F(UntouchedEditsTest, EveryRecordShownInThePropertiesBoxLeavesTheSavedFileByteForByte)
{
    const std::string path = OpenTortureFile();
    const std::string before = SaveAndRead(path);
    ASSERT_FALSE(before.empty());

    int records = 0, pages = 0;
    for (int list = RECORD_LIST_INDI; list <= RECORD_LIST_HEAD; ++list)
        for (CDataNode* node = GetRecordTypeRoot(list)->GetFirstChild(); node;
             node = node->GetNextSibling()) {
            ++records;
            pages += LookAt(static_cast<CRecordNode*>(node));
        }
    EXPECT_GT(records, 40);
    EXPECT_GT(pages, records) << "most records have several pages";
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{});

    const std::string after = SaveAndRead(path);
    EXPECT_EQ(after.size(), before.size());
    EXPECT_TRUE(after == before)
        << "the first difference at byte "
        << std::mismatch(before.begin(), before.end(), after.begin(), after.end()).first -
               before.begin();
}

} // namespace
} // namespace app_test
