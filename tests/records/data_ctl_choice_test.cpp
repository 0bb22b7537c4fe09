// tests/records/data_ctl_choice_test.cpp: the enumeration, sex and editable drop-down controls
// and the record-link control, read back through their nodes.
#include "database/nodes/change_hint.h"
#include "records/datactl/data_ctl_assoc.h"
#include "records/datactl/data_ctl_enum.h"
#include "tests/records/data_ctl_fixture.h"

#include "database/dictionary/field_ids.h"
#include "tests/records/choosing_dialogs.h"

#include <stdexcept>

namespace {

using records_test::DataCtlTest;

constexpr const char* kSpouseSex = "You may not modify or delete an Individual's sex if he or she "
                                   "is a spouse in a Family record.";

TEST_F(DataCtlTest, SexChosenInTheListIsStoredWhenTheListCloses)
{
    CIndRec* person = NewIndividual(SEX_MALE, "John /Smith/");
    CDataNode* sex = person->FindChild(nullptr, FIELD_SEX);
    NotifyChanges();
    auto* control = dynamic_cast<CDataCtlSex*>(Show(sex));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->GetCombo().GetCount(), 3);
    EXPECT_EQ(control->GetSex(), 0);
    EXPECT_EQ(control->GetCombo().GetDlgCtrlID(), int(kId));
    TestHooks::SelectItem(*control, kId, 1);
    control->GetCombo().ShowDropDown(FALSE);
    Leave();
    EXPECT_EQ(person->GetSex(), SEX_FEMALE);
    EXPECT_TRUE(m_owner.Saw("commit"));
    control->SetSex(7);
    EXPECT_EQ(control->GetSex(), 2);
    EXPECT_TRUE(control->IsEmpty());
    control->DestroyCtl(FALSE);
}

TEST_F(DataCtlTest, ASpousesSexChangeIsRefusedAndTheOldValuePutBack)
{
    CIndRec* husband = NewIndividual(SEX_MALE, "John /Smith/");
    CIndRec* wife = NewIndividual(SEX_FEMALE, "Mary /Jones/");
    CFamRec* family = NewFamily();
    ASSERT_TRUE(family->LinkSpouse(husband, SEX_MALE));
    ASSERT_TRUE(family->LinkSpouse(wife, SEX_FEMALE));
    NotifyChanges();
    auto* control = dynamic_cast<CDataCtlSex*>(Show(husband->FindChild(nullptr, FIELD_SEX)));
    ASSERT_NE(control, nullptr);
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::SelectItem(*control, kId, 1);
    EXPECT_EQ(Messages(), std::vector<std::string>{kSpouseSex});
    EXPECT_EQ(control->GetSex(), 0);
    EXPECT_EQ(husband->GetSex(), SEX_MALE);
    EXPECT_FALSE(m_owner.Saw("commit"));
    Leave();
    EXPECT_EQ(husband->GetSex(), SEX_MALE);
    control->DestroyCtl(FALSE);
}

TEST_F(DataCtlTest, APathBoundSexAsksTheOwnerAndPutsBackWhatItShowed)
{
    auto* control = new CDataCtlSex;
    auto path = std::make_unique<CDataPath>();
    ASSERT_TRUE(path->ParseText("INDI.SEX"));
    ASSERT_TRUE(control->CreateCtl(TRUE, CRect(10, 10, 200, 30), &m_host, nullptr, kId, &m_owner,
                                   std::move(path), 1));
    control->SetSex(1);
    m_owner.m_refusal = "Not now.";
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::SelectItem(*control, kId, 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Not now."});
    EXPECT_EQ(control->GetSex(), 1);
    EXPECT_TRUE(m_owner.Saw("may change " + std::to_string(FIELD_SEX)));
    m_owner.m_refusal.clear();
    TestHooks::SelectItem(*control, kId, 0);
    EXPECT_EQ(control->GetSex(), 0);
    delete control;
}

TEST_F(DataCtlTest, EditableDropDownCommitsOnceTheFocusHasLeftIt)
{
    CDataNode* restriction = nullptr;
    auto* control = dynamic_cast<CDataCtlEnumEdit*>(ShowNewRestriction(restriction));
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->IsEmpty());
    TestHooks::SetText(*control, kId, "locked");
    // The focus moving inside the control commits nothing.
    control->SetFocus();
    TestHooks::DeliverPosted();
    EXPECT_FALSE(m_owner.Saw("commit"));
    Leave();
    EXPECT_FALSE(m_owner.Saw("commit")); // not before the posted message arrives
    TestHooks::DeliverPosted();
    EXPECT_TRUE(m_owner.Saw("commit"));
    EXPECT_EQ(Written(*restriction, 1), "1 RESN locked\r\n");
    control->DestroyCtl(FALSE);
}

TEST_F(DataCtlTest, EditableDropDownKeepsAnEntryChosenByItsWordsAsItsKey)
{
    CDataNode* restriction = nullptr;
    auto* control = dynamic_cast<CDataCtlEnumEdit*>(ShowNewRestriction(restriction));
    ASSERT_NE(control, nullptr);
    ASSERT_EQ(Text(&control->GetCombo()), "");
    TestHooks::SelectItem(*control, kId, 1); // "Privacy"
    Leave();
    TestHooks::DeliverPosted();
    EXPECT_EQ(Written(*restriction, 1), "1 RESN privacy\r\n") << "the GEDCOM key, not the words";
    EXPECT_EQ(ValueOf(restriction), "Privacy");
    control->DestroyCtl(FALSE);

    // A key read from a file shows as its words; text of no entry stays as it is.
    control = dynamic_cast<CDataCtlEnumEdit*>(Show(restriction));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(Text(&control->GetCombo()), "Privacy");
    TestHooks::SetText(*control, kId, "sealed");
    Leave();
    TestHooks::DeliverPosted();
    EXPECT_EQ(Written(*restriction, 1), "1 RESN sealed\r\n");
    control->DestroyCtl(FALSE);
}

TEST_F(DataCtlTest, LinkChoosesAndClearsAndEmptiesWhenItsRecordGoes)
{
    records_test::CChoosingDialogs dialogs;
    SetRelativeDialogs(&dialogs);
    records_test::CForwardingObserver observer;
    CIndRec* person = NewIndividual(SEX_MALE, "John /Smith/");
    CIndRec* friendly = NewIndividual(SEX_FEMALE, "Ann /Lee/");
    CDataNode* association = person->CreateChildByTag("ASSO");
    ASSERT_NE(association, nullptr);
    NotifyChanges();
    auto* control = dynamic_cast<CDataCtlAssoc*>(Show(association));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(Text(control), "AV_DataCtlAssoc");
    EXPECT_TRUE(control->IsEmpty());
    EXPECT_TRUE(control->GetEdit().GetStyle() & ES_READONLY);

    control->OnChoose(); // cancelled: nothing changes
    EXPECT_EQ(dialogs.m_root, GetRecordTypeRoot(record_test::kIndi));
    EXPECT_TRUE(control->IsEmpty());
    EXPECT_TRUE(m_owner.Take().empty());

    dialogs.m_answer = friendly;
    control->OnChoose();
    EXPECT_EQ(control->GetRecord(), friendly);
    std::string shown;
    friendly->GetText(shown, 0);
    EXPECT_EQ(Text(&control->GetEdit()), shown);
    EXPECT_EQ(m_owner.Take(), std::vector<std::string>{"changed"});

    control->OnClearLink();
    EXPECT_TRUE(control->IsEmpty());
    EXPECT_EQ(Text(&control->GetEdit()), "");
    EXPECT_EQ(m_owner.Take(), std::vector<std::string>{"changed"});

    control->SetRecord(friendly);
    SetDataObserver(&observer);
    observer.m_control = control;
    GetRecordTypeRoot(record_test::kIndi)->DeleteChild(friendly);
    NotifyChanges();
    EXPECT_TRUE(control->IsEmpty());
    EXPECT_EQ(Text(&control->GetEdit()), "");
    SetDataObserver(&m_observer);

    control->SetRecord(person);
    control->OnDataChanged(nullptr, kHintDataSetClearing, nullptr);
    EXPECT_TRUE(control->IsEmpty());
    SetRelativeDialogs(nullptr);
    control->DestroyCtl(FALSE);
}

/// Stores the value on every commit but the first, which meets a program fault.
class CFaultingOwner final : public IDataCtlOwner {
public:
    void OnCtlKillFocus(CDataCtl* control, CWnd*, BOOL) override
    {
        if (++m_commits == 1)
            throw std::logic_error("injected fault");
        if (!control->IsDestroying() && control->GetNode())
            control->GetNode()->UpdateFromControl(control, true, true);
    }
    int m_commits = 0;
};

TEST_F(DataCtlTest, AFaultInAnEditableDropDownsCommitLeavesItCommittingAgain)
{
    CIndRec* person = NewIndividual(SEX_MALE, "John /Smith/");
    CDataNode* restriction = person->CreateChildByTag("RESN");
    ASSERT_NE(restriction, nullptr);
    NotifyChanges();
    CFaultingOwner owner;
    auto* control = dynamic_cast<CDataCtlEnumEdit*>(restriction->ShowInControl(
        &m_host, CRect(10, 10, 250, 32), &owner, WS_CHILD | WS_VISIBLE, kId, 0));
    ASSERT_NE(control, nullptr);
    const auto commit = [&](const char* text) {
        TestHooks::SetText(*control, kId, text);
        control->SetFocus();
        TestHooks::DeliverPosted();
        Leave();
        TestHooks::DeliverPosted();
    };

    TestHooks::AnswerMessageBox(IDOK); // the fault's message
    commit("locked");
    EXPECT_EQ(TestHooks::TakeProgramFaults().size(), 1u);
    TestHooks::TakeMessages();
    commit("sealed");
    EXPECT_EQ(owner.m_commits, 2);
    EXPECT_EQ(Written(*restriction, 1), "1 RESN sealed\r\n");
    control->DestroyCtl(FALSE);
}

} // namespace
