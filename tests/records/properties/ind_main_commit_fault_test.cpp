// tests/records/properties/ind_main_commit_fault_test.cpp: a program fault passing through a commit
// of the individual's Main page leaves the page taking the next commit.
#include "records/properties/rec_page_ind_main.h"

#include "platform/ui/dialogs/edit.h"
#include "tests/database/nodes/faulting_observer.h"
#include "tests/records/properties/properties_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using namespace properties_test;

namespace {

class IndMainCommitFaultTest : public PropertiesTest {
protected:
    CRecPageIndMain* ShowMain(CRecordNode* record)
    {
        NotifyChanges();
        Box().SetRecord(record, nullptr);
        Box().SetLargeMode(true);
        Box().SetActivePage(0);
        return dynamic_cast<CRecPageIndMain*>(Page(0));
    }
    /// Runs commit with the next change notice meeting a program fault, which must pass out.
    void WithFault(const std::function<void()>& commit)
    {
        node_test::CFaultingObserver faulting(m_boxObserver);
        SetDataObserver(&faulting);
        EXPECT_THROW(commit(), std::logic_error);
        SetDataObserver(&m_boxObserver);
    }
};

TEST_F(IndMainCommitFaultTest, AFaultInACommitLeavesThePageTakingTheNextOne)
{
    CIndRec* al = NewIndividual(SEX_MALE, "Al");
    CIndRec* kid = NewIndividual(SEX_UNDETERMINED, "Kid");
    Marry(al, NewIndividual(SEX_FEMALE, "Bea"), {kid});
    CRecPageIndMain* page = ShowMain(al);
    ASSERT_NE(page, nullptr);
    auto* kidSex = dynamic_cast<CEdit*>(page->GetDlgItem(1096));
    ASSERT_NE(kidSex, nullptr);
    const auto commitKidSex = [&](const char* letter) {
        kidSex->SetWindowText(letter);
        page->CommitChildSex(0);
    };

    // A child's sex typed into its row.
    WithFault([&] { commitKidSex("f"); });
    commitKidSex("m");
    EXPECT_EQ(kid->GetSex(), SEX_MALE);

    // A field of the page left (the individual's own sex, swapped with the spouse's).
    CDataCtl* sex = Control("INDI.SEX");
    ASSERT_NE(sex, nullptr);
    sex->SetListSelection(SEX_FEMALE);
    TestHooks::AnswerMessageBox(IDYES);
    WithFault([&] { page->OnDataCtlEdit(sex, nullptr, TRUE); });
    commitKidSex("f");
    EXPECT_EQ(kid->GetSex(), SEX_FEMALE);
}

} // namespace
