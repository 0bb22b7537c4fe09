// tests/controls/rename_dlg_test.cpp: the rename dialog of the file links: the forms of names
// and names already used beside the item.
#include "controls/rename_dlg.h"
#include "tests/controls/dialog_test_fixture.h"

#include "common/rename_rules.h"
#include "controls/tree_box.h"

namespace {

constexpr int kNameEdit = 1395;

/// Two drives, C: holding the folders Photos and Pics, Photos holding a.jpg and b.jpg.
class RenameDlgTest : public controls_test::DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        ASSERT_TRUE(
            m_host.CreateEx(0, nullptr, "links", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
        ASSERT_TRUE(m_tree.Create(CTreeBox::kTreeMode, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200),
                                  &m_host, 1, nullptr, 0, 0, nullptr));
        m_drive = Add("C:");
        Add("D:");
        m_photos = Add("Photos", m_drive);
        Add("Pics", m_drive);
        m_file = Add("a.jpg", m_photos);
        Add("b.jpg", m_photos);
    }
    void TearDown() override
    {
        m_tree.DestroyWindow();
        m_host.DestroyWindow();
        DialogTest::TearDown();
    }

    CTreeBoxNode* Add(const std::string& text, CTreeBoxNode* parent = nullptr)
    {
        return m_tree.InsertItem(parent, CTreeBox::kInsertLast, {.text = text});
    }

    /// Types the name and presses OK, answering the box that follows with answer (0: no box
    /// expected); returns DoModal's result (a dialog still open is cancelled) and the messages
    /// shown.
    std::pair<int, std::vector<std::string>> Rename(const CTreeBoxNode* item, int kind,
                                                    const std::string& typed, int answer)
    {
        CRenameDlg dialog;
        dialog.m_label = "Name:";
        dialog.m_name = item->m_text;
        dialog.m_kind = kind;
        dialog.m_tree = &m_tree;
        dialog.m_item = item;
        std::vector<std::string> messages;
        TestHooks::OnNextDialog(306, [&](CDialog& dlg) {
            TestHooks::SetText(dlg, kNameEdit, typed);
            if (answer)
                TestHooks::AnswerMessageBox(answer);
            TestHooks::Click(dlg, IDOK);
            messages = MessageTexts();
            if (dlg.IsWindowVisible())
                TestHooks::Click(dlg, IDCANCEL);
        });
        const int result = dialog.DoModal();
        return {result, messages};
    }

    CWnd m_host;
    CTreeBox m_tree;
    CTreeBoxNode* m_drive = nullptr;
    CTreeBoxNode* m_photos = nullptr;
    CTreeBoxNode* m_file = nullptr;
};

const std::string kInUse = "Invalid name.  This name is already in use.";

struct RenameCase {
    const char* name;
    int item; // 0 drive C:, 1 folder Photos, 2 file a.jpg
    const char* typed;
    bool accepted;
    std::string messageStart; // empty: no message
};

class RenameCases : public RenameDlgTest, public testing::WithParamInterface<RenameCase> {};

TEST_P(RenameCases, AcceptOrRefuse)
{
    const CTreeBoxNode* items[] = {m_drive, m_photos, m_file};
    const int kinds[] = {kRenameDrive, kRenameFolder, 1};
    const auto [result, messages] =
        Rename(items[GetParam().item], kinds[GetParam().item], GetParam().typed,
               GetParam().messageStart.empty() ? 0 : IDOK);
    EXPECT_EQ(result, GetParam().accepted ? IDOK : IDCANCEL);
    if (GetParam().messageStart.empty()) {
        EXPECT_TRUE(messages.empty());
    } else {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].substr(0, GetParam().messageStart.size()), GetParam().messageStart);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RenameCases,
    testing::Values(
        RenameCase{"DriveTwoLetters", 0, "CD", false, "There are 2 valid forms for drive names."},
        RenameCase{"DriveOfASibling", 0, "d:", false, kInUse},
        RenameCase{"FolderCaseOnly", 1, "PHOTOS", false, kInUse},
        RenameCase{"FolderUnchanged", 1, " Photos ", true, ""},
        RenameCase{"FileWithQuestionMark", 2, "a?.jpg", false,
                   "A filename cannot contain any of the following characters:\n\\/:*?\"<>"},
        RenameCase{"Blanks", 2, "   ", false, "Please enter a name"}),
    [](const testing::TestParamInfo<RenameCase>& info) { return info.param.name; });

TEST_F(RenameDlgTest, FileNameInUseIsAskedAbout)
{
    const std::string question = "The name you have specified is already in use.  If you use "
                                 "this name, two or more links will share the same file name.  "
                                 "Proceed anyway?";
    EXPECT_EQ(Rename(m_file, 1, "B.JPG", IDCANCEL),
              std::make_pair(IDCANCEL, std::vector<std::string>{question}));
    EXPECT_EQ(Rename(m_file, 1, "B.JPG", IDOK),
              std::make_pair(IDOK, std::vector<std::string>{question}));
}

} // namespace
