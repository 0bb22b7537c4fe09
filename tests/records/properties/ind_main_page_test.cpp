// tests/records/properties/ind_main_page_test.cpp: tests of the individual's Main page in a real
// properties box: the spouse tabs and prompts, the child rows with gaps, the add-relative menu and
// its keys, the sex rules and the reordering of relatives.
#include "records/properties/rec_page_ind_main.h"

#include "database/records/assoc_node.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "tests/records/properties/properties_fixture.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

using namespace properties_test;

namespace {

class CSexScript final : public ISexQuestion {
public:
    int AskSex(const std::string& text) override
    {
        m_asked.push_back(text);
        if (m_answers.empty())
            return -1;
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    std::deque<int> m_answers;
    std::vector<std::string> m_asked;
};

class IndMainPageTest : public PropertiesTest {
protected:
    void SetUp() override
    {
        PropertiesTest::SetUp();
        SetSexQuestion(&m_sex);
    }
    void TearDown() override
    {
        SetSexQuestion(nullptr);
        PropertiesTest::TearDown();
    }
    CRecPageIndMain* ShowMain(CRecordNode* record)
    {
        NotifyChanges();
        Box().SetRecord(record, nullptr);
        Box().SetLargeMode(true);
        Box().SetActivePage(0);
        auto* page = dynamic_cast<CRecPageIndMain*>(Page(0));
        EXPECT_NE(page, nullptr);
        return page;
    }
    static std::vector<std::string> TabTexts(CRecPageIndMain& page)
    {
        std::vector<std::string> texts;
        auto* tabs = dynamic_cast<CTabCtrl*>(page.GetDlgItem(1090));
        for (int i = 0; tabs && i < tabs->GetItemCount(); ++i)
            texts.push_back(tabs->GetItemText(i));
        return texts;
    }
    /// The child rows' names, "-" for an empty row.
    static std::vector<std::string> RowNames(CRecPageIndMain& page)
    {
        std::vector<std::string> names;
        for (int r = 0; r < CRecPageIndMain::kChildRows; ++r) {
            const std::string text = TextOf(page.GetChildNameControl(r));
            names.push_back(text.empty() ? "-" : text);
        }
        return names;
    }
    /// The child rows' focus markers, "-" for a row without one.
    static std::string Markers(CRecPageIndMain& page)
    {
        std::string shown;
        for (const int id : {1108, 1107, 1106, 1105}) {
            std::string text;
            page.GetDlgItemText(id, text);
            shown += text.empty() ? "-" : text;
        }
        return shown;
    }
    static std::string ChildOrder(const CFamRec* family)
    {
        std::string names;
        for (const CIndRec* child = family->GetNextChild(nullptr); child;
             child = family->GetNextChild(child)) {
            std::string text;
            child->GetText(text, 0);
            names += (names.empty() ? "" : ",") + text;
        }
        return names;
    }

    CSexScript m_sex;
};

TEST_F(IndMainPageTest, AnUnknownSexShowsOnlyTheBlankTabAndTheSpousePrompt)
{
    CIndRec* sky = NewIndividual(SEX_UNDETERMINED, "Sky");
    CRecPageIndMain* page = ShowMain(sky);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(TabTexts(*page), std::vector<std::string>{"      "});
    EXPECT_EQ(TextOf(page->GetSpouseNameControl()), "< click here to add spouse >");

    // Adding a spouse asks the sex first; Cancel adds nothing.
    TestHooks::AnswerPopupMenu(CRecPageIndMain::kCreateNew);
    page->OnCtlLButtonUp(page->GetSpouseNameControl());
    EXPECT_EQ(m_sex.m_asked.size(), 1u);
    EXPECT_EQ(sky->GetNextSpouseFamily(nullptr), nullptr);
    EXPECT_EQ(TextOf(page->GetSpouseNameControl()), "< click here to add spouse >")
        << "the prompt comes back";
}

TEST_F(IndMainPageTest, AChildMadeInAGapGoesBeforeTheNextChildAndSurvivesASave)
{
    CIndRec* dad = NewIndividual(SEX_MALE, "Dad /Ash/");
    CFamRec* family =
        Marry(dad, NewIndividual(SEX_FEMALE, "Mum /Bell/"),
              {NewIndividual(SEX_MALE, "A /Ash/"), NewIndividual(SEX_FEMALE, "B /Ash/")});
    CRecPageIndMain* page = ShowMain(dad);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(TabTexts(*page), (std::vector<std::string>{"Mum", "      "}));
    EXPECT_EQ(RowNames(*page),
              (std::vector<std::string>{"A /Ash/", "B /Ash/", "< click here to add child >", "-"}));

    page->SetFocusRow(0);
    page->MoveChild(false);
    EXPECT_EQ(ChildOrder(family), "B ASH,A ASH");
    page->SetFocusRow(1);
    page->MoveChild(false);
    EXPECT_EQ(RowNames(*page),
              (std::vector<std::string>{"B /Ash/", "< click here to add child >", "A /Ash/", "-"}))
        << "moving the last child down leaves a gap";

    TestHooks::AnswerPopupMenu(CRecPageIndMain::kCreateNew);
    page->OnCtlLButtonUp(page->GetChildNameControl(1));
    ASSERT_EQ(family->CountChildren(), 3);
    const std::vector<std::string> rows = RowNames(*page);
    EXPECT_EQ(rows[0], "B /Ash/");
    EXPECT_EQ(rows[2], "A /Ash/");
    EXPECT_NE(rows[1], "< click here to add child >") << "the new child stands in the gap row";
    const CIndRec* made = family->GetNextChild(family->GetNextChild(nullptr));
    EXPECT_EQ(page->GetChildren().At(1), made) << "and before the next child in the family";
    const std::string written = Written(*family);
    EXPECT_LT(written.find("CHIL @I" + std::to_string(made->GetRecordNumber()) + "@"),
              written.find("CHIL @I" +
                           std::to_string(family->GetNextChild(made)->GetRecordNumber()) + "@"));
}

TEST_F(IndMainPageTest, AChildMadeOnTheBlankTabMakesTheFamilyThatThePageThenShows)
{
    CIndRec* al = NewIndividual(SEX_MALE, "Al /Ash/");
    CRecPageIndMain* page = ShowMain(al);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(TabTexts(*page), std::vector<std::string>{"      "});
    EXPECT_EQ(TextOf(page->GetChildNameControl(0)), "< click here to add child >");
    TestHooks::AnswerPopupMenu(CRecPageIndMain::kCreateNew);
    page->OnCtlLButtonUp(page->GetChildNameControl(0));
    CFamRec* family = al->GetNextSpouseFamily(nullptr);
    ASSERT_NE(family, nullptr);
    EXPECT_EQ(family->GetHusband(), al);
    EXPECT_EQ(family->CountChildren(), 1);
    EXPECT_EQ(page->GetViewState().m_focus, family);
    EXPECT_EQ(TabTexts(*page), (std::vector<std::string>{"<no spouse>", "      "}));
    EXPECT_EQ(page->GetChildren().At(0), family->GetNextChild(nullptr));
    EXPECT_NE(Written(*family).find("1 CHIL @I"), std::string::npos);
}

TEST_F(IndMainPageTest, TheGivenNameTypedIntoANewChildsNameGoesBeforeTheSurname)
{
    CIndRec* dad = NewIndividual(SEX_MALE, "Dad /Ash/");
    Marry(dad, NewIndividual(SEX_FEMALE, "Mum /Bell/"));
    CRecPageIndMain* page = ShowMain(dad);
    ASSERT_NE(page, nullptr);
    TestHooks::AnswerPopupMenu(CRecPageIndMain::kCreateNew);
    page->OnCtlLButtonUp(page->GetChildNameControl(0));
    CIndRec* child = page->GetChildren().At(0);
    ASSERT_NE(child, nullptr);
    const auto typeJohn = [](CDataCtl* control) {
        TestHooks::PostKey(control->GetWnd(), 'J', MK_SHIFT);
        for (const UINT key : {'O', 'H', 'N'})
            TestHooks::PostKey(control->GetWnd(), key, 0);
        TestHooks::DeliverPosted();
    };
    // In the child's row the surname the child took stands with the caret before it.
    EXPECT_EQ(TextOf(page->GetChildNameControl(0)), "/Ash/");
    const auto stored = [child] {
        std::string text;
        Child(child, "NAME")->GetDefaultText(text);
        return text;
    };
    typeJohn(page->GetChildNameControl(0));
    Leave();
    EXPECT_EQ(stored(), "John /Ash/");

    // Shown in the box, the name starts with a blank and the caret stands before it, nothing
    // selected: the given name typed goes in front of the surname.
    MarkChanged(SetField(child, "NAME", "/Ash/"));
    page = ShowMain(child);
    ASSERT_NE(page, nullptr);
    Box().ForwardToActivePage();
    auto* edit = dynamic_cast<CEdit*>(&page->GetNameControl()->GetWnd());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(TextOf(page->GetNameControl()), " /Ash/");
    int start = -1, end = -1;
    edit->GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 0);
    typeJohn(page->GetNameControl());
    EXPECT_EQ(TextOf(page->GetNameControl()), "John /Ash/");
    Leave();
    EXPECT_EQ(stored(), "John /Ash/");
}

TEST_F(IndMainPageTest, AnEditElsewhereKeepsTheNameBeingTypedAndShowsTheNewPartnerName)
{
    CIndRec* al = NewIndividual(SEX_MALE, "Al /Ash/");
    CIndRec* bea = NewIndividual(SEX_FEMALE, "Bea /Bell/");
    Marry(al, bea);
    CRecPageIndMain* page = ShowMain(al);
    ASSERT_NE(page, nullptr);
    Type(page->GetNameControl(), "Alan /Ash/");
    MarkChanged(SetField(bea, "NAME", "Beatrice /Bell/"));
    NotifyChanges();
    EXPECT_EQ(TextOf(page->GetNameControl()), "Alan /Ash/");
    EXPECT_EQ(TextOf(page->GetSpouseNameControl()), "Beatrice /Bell/");
    EXPECT_EQ(TabTexts(*page).front(), "Beatrice");
}

TEST_F(IndMainPageTest, KeysOpenTheParentMenuAndTheClickRightAfterItIsSwallowed)
{
    CIndRec* orphan = NewIndividual(SEX_MALE, "Kid");
    CRecPageIndMain* page = ShowMain(orphan);
    ASSERT_NE(page, nullptr);
    page->OnParents();
    EXPECT_EQ(page->GetViewState().m_kind, CIndividualViewState::kOrphanView);
    CDataCtl* name = page->GetNameControl();
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(TextOf(name), "< click here to add parent >");
    for (const UINT key : {UINT(VK_SPACE), UINT(VK_DOWN), UINT(VK_F2)}) {
        TestHooks::AnswerPopupMenu(0);
        EXPECT_TRUE(page->OnCtlKeyDown(name, key, 1, 0));
        EXPECT_EQ(TestHooks::PopupMenuItems(),
                  (std::vector<std::string>{"Create New Record as Parent",
                                            "Link Existing Record as Parent"}));
        EXPECT_EQ(TextOf(name), "< click here to add parent >") << "dismissed: the prompt is back";
    }
    EXPECT_TRUE(page->IsMenuJustClosed());
    EXPECT_TRUE(page->OnCtlLButtonDown(name));
    EXPECT_TRUE(page->OnCtlLButtonUp(name)) << "swallowed, no menu";
    EXPECT_FALSE(page->OnCtlKeyDown(name, 'A', 1, 0));
}

TEST_F(IndMainPageTest, ParentsOffersEachParentFamilyAndGoesToTheFatherOrTheMissingParent)
{
    CIndRec* kid = NewIndividual(SEX_MALE, "Kid /Ash/");
    CIndRec* dad = NewIndividual(SEX_MALE, "Dad /Ash/");
    CFamRec* birth = Marry(dad, nullptr, {kid});
    CFamRec* adoptive = Marry(nullptr, nullptr, {kid});
    CRecPageIndMain* page = ShowMain(kid);
    ASSERT_NE(page, nullptr);
    TestHooks::AnswerPopupMenu(0);
    page->OnParents();
    EXPECT_EQ(TestHooks::PopupMenuItems().size(), 2u);
    EXPECT_EQ(Box().GetRecord(), kid) << "dismissed: nothing happens";

    TestHooks::AnswerPopupMenu(CRecPageIndMain::kFirstParentFamily);
    page->OnParents();
    EXPECT_EQ(Box().GetRecord(), dad);
    EXPECT_EQ(page->GetViewState().m_focus, birth);

    Box().SetRecord(kid, nullptr);
    TestHooks::AnswerPopupMenu(CRecPageIndMain::kFirstParentFamily + 1);
    page->OnParents();
    EXPECT_EQ(Box().GetRecord(), nullptr) << "neither parent: the missing parent";
    EXPECT_EQ(page->GetViewState().m_focus, adoptive);
    EXPECT_EQ(TextOf(page->GetNameControl()), "< click here to add parent >");
    EXPECT_EQ(page->GetChildren().At(0), kid);
}

TEST_F(IndMainPageTest, ASiblingLinkedWithoutParentsGoesAfterTheChildShownAboveItsRow)
{
    CIndRec* a = NewIndividual(SEX_MALE, "A /Ash/");
    CIndRec* b = NewIndividual(SEX_FEMALE, "B /Ash/");
    CIndRec* c = NewIndividual(SEX_MALE, "C /Ash/");
    CFamRec* family = Marry(nullptr, nullptr, {a, b});
    CRecPageIndMain* page = ShowMain(a);
    ASSERT_NE(page, nullptr);
    page->OnParents(); // the one parent family, without a menu
    ASSERT_EQ(Box().GetRecord(), nullptr) << "the parents are missing";
    page->SetFocusRow(1);
    page->MoveChild(false);
    ASSERT_EQ(RowNames(*page)[1], "< click here to add sibling >") << "a gap below A";

    m_select.m_answers = {c};
    TestHooks::AnswerPopupMenu(CRecPageIndMain::kLinkExisting);
    page->OnCtlLButtonUp(page->GetChildNameControl(1));
    EXPECT_EQ(m_select.m_titles, std::vector<std::string>{"Select Individual to Link as Sibling"});
    EXPECT_EQ(ChildOrder(family), "A ASH,C ASH,B ASH");
}

TEST_F(IndMainPageTest, SexChangesFollowTheSpouseRulesWithTheirMessages)
{
    // Al is married to Bea; each case adds what the rule looks at, chooses a sex in Al's box and
    // answers the box shown, if any.
    enum Extra { kNone, kAlMarriedTwice, kBeaMarriedTwice };
    struct Case {
        const char* what;
        Extra extra;
        int chosen; // the box's position: SEX_MALE, SEX_FEMALE, -1 for none
        int answer; // the answer to the box shown; 0 when none is expected
        const char* message;
        int alAfter;
        int boxAfter;
    };
    const Case cases[] = {
        {"an unknown sex for a spouse", kNone, -1, IDOK,
         "You cannot delete an individual's sex if he or she is a spouse or parent.", SEX_MALE,
         SEX_MALE},
        {"a spouse in two families", kAlMarriedTwice, SEX_FEMALE, IDOK,
         "You cannot change an individual's sex if he/she is a spouse or parent in more than one "
         "family.",
         SEX_MALE, SEX_MALE},
        {"the spouse married elsewhere", kBeaMarriedTwice, SEX_FEMALE, IDOK,
         "You cannot swap the individual's sex with that of his/her spouse as the spouse is a "
         "parent in another family.",
         SEX_MALE, SEX_MALE},
        {"the swap declined", kNone, SEX_FEMALE, IDNO, "Do you wish to swap the parents' sexes?",
         SEX_MALE, SEX_MALE},
        {"the swap agreed", kNone, SEX_FEMALE, IDYES, "Do you wish to swap the parents' sexes?",
         SEX_FEMALE, SEX_FEMALE},
        {"the same sex", kNone, SEX_MALE, 0, nullptr, SEX_MALE, SEX_MALE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CIndRec* al = NewIndividual(SEX_MALE, "Al");
        CIndRec* bea = NewIndividual(SEX_FEMALE, "Bea");
        CFamRec* family = Marry(al, bea);
        if (c.extra == kAlMarriedTwice)
            Marry(al, NewIndividual(SEX_FEMALE, "Cat"));
        if (c.extra == kBeaMarriedTwice)
            Marry(NewIndividual(SEX_MALE, "Cy"), bea);
        CRecPageIndMain* page = ShowMain(al);
        ASSERT_NE(page, nullptr);
        CDataCtl* sex = Control("INDI.SEX");
        ASSERT_NE(sex, nullptr);
        TestHooks::TakeMessages();

        sex->SetListSelection(c.chosen);
        if (c.answer)
            TestHooks::AnswerMessageBox(c.answer);
        page->OnDataCtlEdit(sex, nullptr, TRUE);
        const auto shown = TestHooks::TakeMessages();
        if (c.message) {
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].text, c.message);
            EXPECT_EQ(shown[0].style & MB_TYPEMASK, UINT(c.answer == IDOK ? MB_OK : MB_YESNO));
        } else {
            EXPECT_TRUE(shown.empty());
        }
        EXPECT_EQ(al->GetSex(), c.alAfter);
        int position = -2;
        sex->GetListSelection(position);
        EXPECT_EQ(position, c.boxAfter) << "a refused or declined change puts the box back";
        const bool swapped = c.alAfter == SEX_FEMALE;
        EXPECT_EQ(bea->GetSex(), swapped ? SEX_MALE : SEX_FEMALE);
        EXPECT_EQ(family->GetWife(), swapped ? al : bea);
    }
}

TEST_F(IndMainPageTest, AnUnknownSexSetToItsPlaceInTheFamilyAsksNothingAndSwapsNobody)
{
    // A file may hold a wife without a sex: choosing female only records what her place says;
    // choosing male makes her the husband and him the wife, after the question.
    CIndRec* cy = NewIndividual(SEX_MALE, "Cy");
    CIndRec* dee = NewIndividual(SEX_FEMALE, "Dee");
    CFamRec* family = Marry(cy, dee);
    ASSERT_TRUE(dee->SetSex(SEX_UNDETERMINED, true));
    CRecPageIndMain* page = ShowMain(dee);
    ASSERT_NE(page, nullptr);
    CDataCtl* sex = Control("INDI.SEX");
    ASSERT_NE(sex, nullptr);
    TestHooks::TakeMessages();

    sex->SetListSelection(SEX_FEMALE);
    page->OnDataCtlEdit(sex, nullptr, TRUE);
    EXPECT_TRUE(TestHooks::TakeMessages().empty());
    EXPECT_EQ(dee->GetSex(), SEX_FEMALE);
    EXPECT_EQ(cy->GetSex(), SEX_MALE);
    EXPECT_EQ(family->GetWife(), dee);

    ASSERT_TRUE(dee->SetSex(SEX_UNDETERMINED, true));
    page = ShowMain(dee);
    sex = Control("INDI.SEX");
    ASSERT_NE(sex, nullptr);
    sex->SetListSelection(SEX_MALE);
    TestHooks::AnswerMessageBox(IDYES);
    page->OnDataCtlEdit(sex, nullptr, TRUE);
    EXPECT_EQ(test_support::TextsOf(TestHooks::TakeMessages()),
              std::vector<std::string>{"Do you wish to swap the parents' sexes?"});
    EXPECT_EQ(dee->GetSex(), SEX_MALE);
    EXPECT_EQ(cy->GetSex(), SEX_FEMALE);
    EXPECT_EQ(family->GetHusband(), dee);
    EXPECT_EQ(family->GetWife(), cy);
}

TEST_F(IndMainPageTest, AChildsSexEditTakesOneLetterUnlessTheChildIsAParent)
{
    CIndRec* kid = NewIndividual(SEX_UNDETERMINED, "Kid");
    CIndRec* parentKid = NewIndividual(SEX_FEMALE, "Pat");
    CIndRec* dad = NewIndividual(SEX_MALE, "Dad");
    Marry(dad, nullptr, {kid, parentKid});
    Marry(nullptr, parentKid);
    CRecPageIndMain* page = ShowMain(dad);
    ASSERT_NE(page, nullptr);
    auto* first = dynamic_cast<CEdit*>(page->GetDlgItem(1096));
    auto* second = dynamic_cast<CEdit*>(page->GetDlgItem(1097));
    ASSERT_TRUE(first && second);
    first->SetWindowText("m");
    page->CommitChildSex(0);
    EXPECT_EQ(kid->GetSex(), SEX_MALE);
    std::string text;
    first->GetWindowText(text);
    EXPECT_EQ(text, "M");

    second->SetWindowText("m");
    TestHooks::AnswerMessageBox(IDOK);
    page->CommitChildSex(1);
    EXPECT_EQ(parentKid->GetSex(), SEX_FEMALE);
    second->GetWindowText(text);
    EXPECT_EQ(text, "F");
    EXPECT_EQ(TestHooks::TakeMessages().back().text,
              "You can't change an Individual's sex in this way if they are a parent.  See Help "
              "for more details.");
}

TEST_F(IndMainPageTest, TabFromAFieldReachesTheButtonsAndBoxesThatFollowIt)
{
    CIndRec* dad = NewIndividual(SEX_MALE, "Dad /Ash/");
    Marry(dad, NewIndividual(SEX_FEMALE, "Mum /Bell/"), {NewIndividual(SEX_MALE, "A /Ash/")});
    CRecPageIndMain* page = ShowMain(dad);
    ASSERT_NE(page, nullptr);
    Box().ShowWindow(SW_SHOW);
    const auto tabFrom = [](CWnd& from) {
        from.SetFocus();
        TestHooks::PostKey(*CWnd::GetFocus(), VK_TAB, 0);
        TestHooks::DeliverPosted();
        CWnd* focus = CWnd::GetFocus();
        return focus ? focus->GetDlgCtrlID() : 0;
    };
    EXPECT_EQ(tabFrom(page->GetNameControl()->GetWnd()), 1104)
        << "the name is followed by Parents >>";
    EXPECT_EQ(tabFrom(page->GetSpouseNameControl()->GetWnd()), 1094)
        << "the partner's name by the partner's >>";
    CDataCtl* birth = nullptr;
    for (CDataCtl* control : page->GetChildControls(0)) {
        std::string path;
        control->GetDataPath()->Format(path);
        if (path == "INDI.BIRT.DATE")
            birth = control;
    }
    ASSERT_NE(birth, nullptr);
    EXPECT_EQ(tabFrom(birth->GetWnd()), 1096) << "a child's birth date by the child's sex box";
}

TEST_F(IndMainPageTest, AChildsButtonGoesToTheChildAndTheFocusStaysOnItOrGoesToTheChildsName)
{
    CIndRec* dad = NewIndividual(SEX_MALE, "Dad /Ash/");
    CIndRec* son = NewIndividual(SEX_MALE, "Son /Ash/");
    CIndRec* daughter = NewIndividual(SEX_FEMALE, "Ann /Ash/");
    Marry(dad, NewIndividual(SEX_FEMALE, "Mum /Bell/"), {son, daughter});
    Marry(son, NewIndividual(SEX_FEMALE, "Eve /Cole/"), {NewIndividual(SEX_MALE, "Kid /Ash/")});
    CRecPageIndMain* page = ShowMain(dad);
    ASSERT_NE(page, nullptr);
    Box().ShowWindow(SW_SHOW);
    const auto go = [page](int id) {
        CWnd* button = page->GetDlgItem(id);
        button->SetFocus();
        TestHooks::Click(*page, id);
    };

    // The son has a child in the first row: the first row's button stays, with the focus.
    go(1098);
    EXPECT_EQ(Box().GetRecord(), son);
    EXPECT_EQ(CWnd::GetFocus(), page->GetDlgItem(1098));
    // The daughter has none in the second row: its button goes, and the focus goes to her name,
    // not to the empty row that follows.
    Box().SetRecord(dad, nullptr);
    go(1099);
    EXPECT_EQ(Box().GetRecord(), daughter);
    EXPECT_FALSE(page->GetDlgItem(1099)->IsWindowVisible());
    EXPECT_EQ(CWnd::GetFocus(), &page->GetNameControl()->GetWnd());
    EXPECT_EQ(Markers(*page), "----") << "no child row holds the focus";
    EXPECT_EQ(TextOf(page->GetNameControl()), "Ann /Ash/");
}

TEST_F(IndMainPageTest, AnotherRecordShownMovesTheChildMarkerToTheRowHoldingTheFocus)
{
    CIndRec* dad = NewIndividual(SEX_MALE, "Dad /Ash/");
    Marry(dad, NewIndividual(SEX_FEMALE, "Mum /Bell/"),
          {NewIndividual(SEX_MALE, "A /Ash/"), NewIndividual(SEX_FEMALE, "B /Ash/")});
    CIndRec* uncle = NewIndividual(SEX_MALE, "Uncle /Ash/");
    Marry(uncle, NewIndividual(SEX_FEMALE, "Aunt /Cole/"),
          {NewIndividual(SEX_MALE, "C /Ash/"), NewIndividual(SEX_MALE, "D /Ash/")});
    CRecPageIndMain* page = ShowMain(dad);
    ASSERT_NE(page, nullptr);
    Box().ShowWindow(SW_SHOW);
    page->GetChildNameControl(1)->GetWnd().SetFocus();
    ASSERT_EQ(Markers(*page), "->--");

    // The focus still in the second row: the marker stays with it.
    Box().SetRecord(uncle, nullptr);
    EXPECT_EQ(Markers(*page), "->--");

    // The focus gone elsewhere (a record chosen in the records window): no row is marked, and
    // neither child arrow acts on a row nobody chose.
    CWnd elsewhere;
    ASSERT_TRUE(elsewhere.CreateEx(0, nullptr, "elsewhere", WS_POPUP | WS_VISIBLE,
                                   CRect(0, 0, 50, 50), nullptr, 0));
    elsewhere.SetFocus();
    Box().SetRecord(dad, nullptr);
    EXPECT_EQ(Markers(*page), "----");
    EXPECT_EQ(page->GetFocusRow(), -1);
    elsewhere.DestroyWindow();
}

TEST_F(IndMainPageTest, SpouseTabsReorderTheSpouseFamilies)
{
    CIndRec* al = NewIndividual(SEX_MALE, "Al");
    CFamRec* first = Marry(al, NewIndividual(SEX_FEMALE, "Bea /B/"));
    CFamRec* second = Marry(al, NewIndividual(SEX_FEMALE, "Cat /C/"));
    CRecPageIndMain* page = ShowMain(al);
    ASSERT_NE(page, nullptr);
    auto* tabs = dynamic_cast<CTabCtrl*>(page->GetDlgItem(1090));
    ASSERT_NE(tabs, nullptr);
    tabs->SetCurSel(1);
    page->OnTabChanged();
    EXPECT_EQ(page->GetViewState().m_focus, second);
    page->MoveSpouse(true);
    EXPECT_EQ(al->GetNextSpouseFamily(nullptr), second);
    EXPECT_EQ(TabTexts(*page), (std::vector<std::string>{"Cat", "Bea", "      "}));
    EXPECT_EQ(al->GetNextSpouseFamily(second), first);
    TestHooks::RenderWindow(*page).SavePng("ind_main_page.png");
}

} // namespace
