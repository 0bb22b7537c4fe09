// tests/diagrams/window/diag_query_marks_dlg_test.cpp: the marks-by-query dialog over a small
// family and a private queries folder: the individual queries it offers, the rule that ties
// "Clear existing marks first" to marking, and "Run Query" with a query that runs, one that
// does not load, one whose parameters are not given, and none at all.
#include "diagrams/window/diag_query_marks_dlg.h"

#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/queries/query_test_family.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

constexpr const char* kWithoutParents = "[Ardenvel Query]\nVERSION=1.0\nTYPE=INDI\n"
                                        "TAG=\"Name\",\"INDI.NAME\",,ASC,160\n"
                                        "FILTER=GEN,ADD,IF,N,\"\",\"INDI.FAMC\",,\"null\"\n";
constexpr const char* kBySurname = "[Ardenvel Query]\nVERSION=1.0\nTYPE=INDI\n"
                                   "TAG=\"Name\",\"INDI.NAME\",,ASC,160\n"
                                   "FILTER=GEN,ADD,IF,Y,\"Surname\",\"INDI.NAME:SURNAME\",,\"=\"\n";

/// Answers every parameter question with Cancel, counting them.
class CCancellingParameters final : public IQueryParameterDialog {
public:
    bool AskParameters(CQueryDef&) override
    {
        ++m_asked;
        return false;
    }
    int m_asked = 0;
};

/// Standard: "Without parents" (individuals) and "Couples" (families). Custom: "By surname"
/// (asks a surname) and "Broken" (not a query file).
class QueryMarksDialogTest : public CQueryFamilyTest {
protected:
    void SetUp() override
    {
        CQueryFamilyTest::SetUp();
        controls_test::UseCompiledResources();
        test_support::WriteFile(m_folder + "/Standard/Without parents.avq", kWithoutParents);
        test_support::WriteFile(m_folder + "/Standard/Couples.avq",
                                "[Ardenvel Query]\nVERSION=1.0\nTYPE=FAM\n");
        test_support::WriteFile(m_folder + "/Custom/By surname.avq", kBySurname);
        test_support::WriteFile(m_folder + "/Custom/Broken.avq", "not a query\n");
        m_query = CQueryDef::Create();
    }
    void TearDown() override
    {
        TestHooks::TakeMessages();
        m_query.reset();
        CQueryFamilyTest::TearDown();
    }

    struct Outcome {
        int result = 0;
        Texts messages;
    };
    /// Runs the dialog; act chooses and clicks, then the dialog is cancelled if still open.
    Outcome Run(CQueryMarksDlg& dialog, const std::function<void(CDialog&)>& act)
    {
        Outcome outcome;
        TestHooks::OnNextDialog(CQueryMarksDlg::kTemplate, [&](CDialog& dlg) {
            act(dlg);
            outcome.messages = MessageTexts();
            if (dlg.IsWindowVisible())
                TestHooks::Click(dlg, IDCANCEL);
        });
        outcome.result = dialog.DoModal();
        return outcome;
    }
    static Texts MessageTexts()
    {
        Texts texts;
        for (const auto& shown : TestHooks::TakeMessages())
            texts.push_back(shown.text);
        return texts;
    }
    static int IndexOf(CDialog& dlg, const char* entry)
    {
        auto* list = dynamic_cast<CComboBox*>(dlg.GetDlgItem(CQueryMarksDlg::kQueryListId));
        return list ? list->FindStringExact(-1, entry) : -1;
    }

    std::shared_ptr<CQueryDef> m_query;
};

TEST_F(QueryMarksDialogTest, OffersTheIndividualQueriesAndTiesClearingToMarking)
{
    CQueryMarksDlg dialog(m_query.get());
    Texts items;
    int selection = -1;
    std::vector<bool> clearEnabled;
    bool markChecked = false;
    Run(dialog, [&](CDialog& dlg) {
        auto* list = dynamic_cast<CComboBox*>(dlg.GetDlgItem(CQueryMarksDlg::kQueryListId));
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < list->GetCount(); ++i) {
            std::string item;
            list->GetLBText(i, item);
            items.push_back(item);
        }
        selection = list->GetCurSel();
        markChecked = dlg.IsDlgButtonChecked(CQueryMarksDlg::kMarkId) == BST_CHECKED;
        const auto clear = [&] {
            clearEnabled.push_back(
                dlg.GetDlgItem(CQueryMarksDlg::kClearFirstId)->IsWindowEnabled() != FALSE);
        };
        clear();
        TestHooks::Click(dlg, CQueryMarksDlg::kUnmarkId);
        clear();
        TestHooks::Click(dlg, CQueryMarksDlg::kMarkId);
        clear();
    });
    EXPECT_EQ(items, (Texts{"Without parents", "Broken (custom)", "By surname (custom)"}));
    EXPECT_EQ(selection, 0);
    EXPECT_TRUE(markChecked);
    EXPECT_EQ(clearEnabled, (std::vector<bool>{true, false, true}));
}

TEST_F(QueryMarksDialogTest, RunQueryRunsTheChosenQueryAndHandsBackTheChoices)
{
    struct Case {
        bool unmark;
        bool clickClear;
        bool setMarks;
        bool clearFirst;
    };
    const Case cases[] = {
        {false, false, true, false},
        {false, true, true, true},
        {true, false, false, false},
        // Ticked while marking, then unmarking: nothing is cleared first.
        {true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.unmark) + std::to_string(c.clickClear));
        m_query = CQueryDef::Create();
        CQueryMarksDlg dialog(m_query.get());
        const auto outcome = Run(dialog, [&](CDialog& dlg) {
            if (c.clickClear)
                TestHooks::Click(dlg, CQueryMarksDlg::kClearFirstId);
            if (c.unmark)
                TestHooks::Click(dlg, CQueryMarksDlg::kUnmarkId);
            TestHooks::Click(dlg, IDOK);
        });
        EXPECT_EQ(outcome.result, IDOK);
        EXPECT_TRUE(outcome.messages.empty());
        EXPECT_EQ(dialog.m_setMarks, c.setMarks);
        EXPECT_EQ(dialog.m_clearFirst, c.clearFirst);
        EXPECT_EQ(m_query->GetName(), "Without parents");
        // Sorted by name: Brown, Green, Jones, Smith.
        EXPECT_EQ(Ids(m_query->GetResult().GetRecords()), "I5 I7 I2 I1");
    }
}

TEST_F(QueryMarksDialogTest, AQueryThatDoesNotLoadOrRunKeepsTheDialogOpen)
{
    // Not a query file: the load's own message.
    CQueryMarksDlg broken(m_query.get());
    const auto notLoaded = Run(broken, [&](CDialog& dlg) {
        TestHooks::SelectItem(dlg, CQueryMarksDlg::kQueryListId, IndexOf(dlg, "Broken (custom)"));
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dlg, IDOK);
    });
    EXPECT_EQ(notLoaded.result, IDCANCEL);
    EXPECT_EQ(notLoaded.messages, Texts{"File is not a valid Ardenvel Query file"});

    // Its parameter cancelled: the dialog stays, silently, and can run another query.
    CCancellingParameters parameters;
    SetQueryParameterDialog(&parameters);
    CQueryMarksDlg asking(m_query.get());
    bool openAfterCancel = false;
    const auto cancelled = Run(asking, [&](CDialog& dlg) {
        TestHooks::SelectItem(dlg, CQueryMarksDlg::kQueryListId,
                              IndexOf(dlg, "By surname (custom)"));
        TestHooks::Click(dlg, IDOK);
        openAfterCancel = dlg.IsWindowVisible() != FALSE;
        TestHooks::SelectItem(dlg, CQueryMarksDlg::kQueryListId, IndexOf(dlg, "Without parents"));
        TestHooks::Click(dlg, IDOK);
    });
    EXPECT_EQ(parameters.m_asked, 1);
    EXPECT_TRUE(openAfterCancel);
    EXPECT_EQ(cancelled.result, IDOK);
    EXPECT_TRUE(cancelled.messages.empty());
    EXPECT_EQ(m_query->GetName(), "Without parents");
}

TEST_F(QueryMarksDialogTest, WithNoIndividualQueriesRunQuerySaysNoneIsSelected)
{
    for (const char* file :
         {"/Standard/Without parents.avq", "/Custom/By surname.avq", "/Custom/Broken.avq"})
        std::remove((m_folder + file).c_str());
    CQueryMarksDlg dialog(m_query.get());
    int count = -1;
    const auto outcome = Run(dialog, [&](CDialog& dlg) {
        count = dynamic_cast<CComboBox*>(dlg.GetDlgItem(CQueryMarksDlg::kQueryListId))->GetCount();
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dlg, IDOK);
    });
    EXPECT_EQ(count, 0);
    EXPECT_EQ(outcome.result, IDCANCEL);
    EXPECT_EQ(outcome.messages, Texts{"Error - no query has been selected"});
}

} // namespace
