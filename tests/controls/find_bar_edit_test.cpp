// tests/controls/find_bar_edit_test.cpp: inside a dialog, the find bar's edit leaves Tab, Enter
// and Escape to the dialog and keeps characters.
#include "controls/find_bar_edit.h"

#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kTemplate = 910;
constexpr int kFindEdit = 4321;
constexpr const char* kScript = R"(
910 DIALOG 0, 0, 200, 80
STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_VISIBLE
CAPTION "Find"
FONT 8, "MS Sans Serif"
BEGIN
    EDITTEXT        9, 4, 40, 60, 12
    DEFPUSHBUTTON   "OK", 1, 140, 4, 50, 14
    PUSHBUTTON      "Cancel", 2, 140, 22, 50, 14
END
)";

struct Recorder : CFindBarEditListener {
    void OnEditChar(CFindBarEdit*, UINT character) override { chars.push_back(character); }
    std::vector<UINT> chars;
};

/// A modeless dialog with a find-bar edit beside its own controls; notes OK and Cancel.
class FindDialog final : public CDialog {
public:
    explicit FindDialog(Recorder& recorder) : CDialog(kTemplate), edit(&recorder) {}
    CFindBarEdit edit;
    std::vector<std::string> ends;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(8, 8, 120, 28), this,
                    kFindEdit);
        return TRUE;
    }
    void OnOK() override { ends.push_back("OK"); }
    void OnCancel() override { ends.push_back("Cancel"); }
};

class FindBarEditInDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_resources.AddScript(kScript, "find_bar_edit_test.rc", ".");
        SetAppResources(&m_resources);
        ASSERT_TRUE(m_dialog.Create(kTemplate));
        m_dialog.edit.SetFocus();
        TestHooks::DeliverPosted();
    }
    void TearDown() override
    {
        m_dialog.DestroyWindow();
        SetAppResources(nullptr);
    }

    CResources m_resources;
    Recorder m_recorder;
    FindDialog m_dialog{m_recorder};
};

TEST_F(FindBarEditInDialogTest, EnterAndEscapeEndTheDialogAndTabMovesOn)
{
    for (const UINT key : {UINT('K'), UINT(VK_RETURN), UINT(VK_ESCAPE)})
        TestHooks::PostKey(m_dialog.edit, key, 0);
    TestHooks::DeliverPosted();

    EXPECT_EQ(m_dialog.ends, (std::vector<std::string>{"OK", "Cancel"}));
    EXPECT_TRUE(m_recorder.chars.empty());
    std::string text;
    m_dialog.edit.GetWindowText(text);
    EXPECT_EQ(text, "k") << "characters stay the edit's";

    TestHooks::PostKey(m_dialog.edit, VK_TAB, 0);
    TestHooks::DeliverPosted();
    EXPECT_TRUE(m_recorder.chars.empty());
    EXPECT_NE(CWnd::GetFocus(), &m_dialog.edit);
}

} // namespace
