// tests/diagrams/window/diagram_wizard_test.cpp: the Diagram Wizard over a small family, driven
// through its buttons: the page order, Finish's enabling, picking and naming people, the records
// Finish makes (or finds), its questions and refusals, a failure while opening, and the
// record-selection dialog itself told which partner it picks. A page is saved as a PNG.
#include "diagrams/window/diagram_wizard.h"

#include "database/dictionary/field_ids.h"
#include "database/kin/relative_dialogs.h"
#include "diagrams/diagram_settings.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "records/dialogs/record_dialogs.h"
#include "records/dialogs/select_record_dlg.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace record_test;
using TestHooks::SheetButton;
using Texts = std::vector<std::string>;

const std::string kNotLinked =
    "The people you selected are not currently linked as a couple.  A new family record will be "
    "created to link them as a couple.\n\nNote: A new family record may not be what you want.  "
    "You might for example want to add one of the two as a parent to an existing family "
    "record.  In this case you should press Cancel now.  You can add parents to existing "
    "families using the Property dialog (in large mode).  See Help for more details.";
const std::string kNewFamily =
    "A new family record will be created to link the two individuals as a couple.\n\nNote: A "
    "new family record may not be what you want.  You might for example want to add one of the "
    "two as a parent to an existing family record.  In this case you should press Cancel now.  "
    "You can add parents to existing families using the Property dialog (in large mode).  See "
    "Help for more details.";

/// The record-selection dialog answered from a queue (null: Cancel), with what it was asked.
class CQueuedChoices final : public IRelativeDialogs {
public:
    bool SelectRecord(const CRecordSelectRequest& request, CRecordNode*& selected) override
    {
        m_roots.push_back(request.m_root);
        m_fields.push_back(request.m_filterFieldId);
        if (m_answers.empty()) {
            ADD_FAILURE() << "no record chosen for the selection dialog";
            return false;
        }
        selected = m_answers.front();
        m_answers.pop_front();
        return selected != nullptr;
    }
    bool ChooseFamily(int, CIndRec*, CIndRec*, CFamilyChoice&) override { return false; }
    RecordListAnswer ChooseFromList(const std::string&, const std::vector<CRecordNode*>&,
                                    CRecordNode*&) override
    {
        return RLA_CANCEL;
    }
    void Inform(const std::string& message) override { ADD_FAILURE() << message; }
    bool Confirm(const std::string& question) override
    {
        ADD_FAILURE() << question;
        return false;
    }

    std::deque<CRecordNode*> m_answers;
    std::vector<const CDataNode*> m_roots;
    std::vector<int> m_fields;
};

/// What the wizard opened.
struct Opened {
    int type = -1;
    CIndRec* individual = nullptr;
    CFamRec* family = nullptr;
};

/// John Smith and Mary Jones, married, with their daughter Ann; Carl Green, unrelated.
class DiagramWizardTest : public CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        controls_test::UseCompiledResources();
        m_john = NewIndividual(SEX_MALE, "John /Smith/");
        m_mary = NewIndividual(SEX_FEMALE, "Mary /Jones/");
        m_ann = NewIndividual(SEX_FEMALE, "Ann /Smith/");
        m_carl = NewIndividual(SEX_MALE, "Carl /Green/");
        m_family = Marry(m_john, m_mary, {m_ann});
        NotifyChanges();
        SetRelativeDialogs(&m_choices);
    }
    void TearDown() override
    {
        SetRelativeDialogs(nullptr);
        TestHooks::TakeMessages();
        CRecordTest::TearDown();
    }

    static Texts MessageTexts()
    {
        Texts texts;
        for (const auto& shown : TestHooks::TakeMessages())
            texts.push_back(shown.text);
        return texts;
    }
    static std::string Text(const CWnd& page, int id)
    {
        std::string text;
        static_cast<const CDialog&>(page).GetDlgItemText(id, text);
        return text;
    }
    static bool FinishEnabled(CPropertySheet& sheet)
    {
        const CWnd* finish = sheet.GetDlgItem(ID_WIZFINISH);
        return finish && finish->IsWindowVisible() && finish->IsWindowEnabled();
    }
    /// Whether the edit refuses typing (the hooks report typing into a read-only edit); the
    /// text typed is the text shown, so nothing changes.
    static bool ReadOnly(CPropertySheet& sheet, int id)
    {
        CWnd& page = *sheet.GetActivePage();
        testing::TestPartResultArray failures;
        {
            const testing::ScopedFakeTestPartResultReporter reporter(
                testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD,
                &failures);
            TestHooks::SetText(page, id, Text(page, id));
        }
        return failures.size() > 0;
    }
    static int Focus()
    {
        const CWnd* focus = CWnd::GetFocus();
        return focus ? focus->GetDlgCtrlID() : 0;
    }
    static int Count(int listIndex) { return int(GetRecordTypeRoot(listIndex)->CountChildren()); }

    /// Runs the wizard with drive, recording what it opens (the opener throws when asked); a
    /// wizard drive leaves open is cancelled.
    int RunWizard(const std::function<void(CPropertySheet&)>& drive, bool openerFails = false)
    {
        CDiagWizDlg wizard([&](int type, CIndRec* individual, CFamRec* family) {
            if (openerFails)
                throw std::runtime_error("no window");
            m_opened.push_back({type, individual, family});
        });
        TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
            drive(sheet);
            if (sheet.IsWindowVisible())
                TestHooks::PressSheetButton(sheet, SheetButton::Cancel);
        });
        return wizard.DoModal();
    }
    /// Page 1 set to a couple (or not) and the type's radio button, then Next.
    static void StartWith(CPropertySheet& sheet, bool couple, int typeRadio)
    {
        CWnd& page = *sheet.GetActivePage();
        TestHooks::Click(page, couple ? CDiagWizPage1::kCoupleId : CDiagWizPage1::kIndividualId);
        TestHooks::Click(page, typeRadio);
        TestHooks::PressSheetButton(sheet, SheetButton::Next);
    }

    CQueuedChoices m_choices;
    std::vector<Opened> m_opened;
    CIndRec* m_john = nullptr;
    CIndRec* m_mary = nullptr;
    CIndRec* m_ann = nullptr;
    CIndRec* m_carl = nullptr;
    CFamRec* m_family = nullptr;
};

TEST_F(DiagramWizardTest, PagesFollowTheChoiceOfPersonOrCouple)
{
    std::vector<int> pages;
    std::vector<bool> backEnabled;
    bool startChecks = false;
    RunWizard([&](CPropertySheet& sheet) {
        const auto& first = static_cast<const CDialog&>(*sheet.GetActivePage());
        startChecks = first.IsDlgButtonChecked(CDiagWizPage1::kIndividualId) == BST_CHECKED &&
                      first.IsDlgButtonChecked(CDiagWizPage1::kAncestorsId) == BST_CHECKED;
        const auto press = [&](SheetButton button) {
            backEnabled.push_back(sheet.GetDlgItem(ID_WIZBACK)->IsWindowEnabled() != FALSE);
            TestHooks::PressSheetButton(sheet, button);
            pages.push_back(sheet.GetActiveIndex());
        };
        press(SheetButton::Next); // an individual
        press(SheetButton::Back);
        TestHooks::Click(*sheet.GetActivePage(), CDiagWizPage1::kCoupleId);
        press(SheetButton::Next); // a couple: past "Select Individual"
        press(SheetButton::Back); // and back to the first page
        TestHooks::Click(*sheet.GetActivePage(), CDiagWizPage1::kIndividualId);
        press(SheetButton::Next);
    });
    EXPECT_TRUE(startChecks);
    EXPECT_EQ(pages, (std::vector<int>{1, 0, 2, 0, 1}));
    EXPECT_EQ(backEnabled, (std::vector<bool>{false, true, false, true, false}));
    EXPECT_TRUE(m_opened.empty());
}

TEST_F(DiagramWizardTest, ATypedNameMakesAnIndividualOfThatNameForEachType)
{
    const std::pair<int, int> types[] = {
        {CDiagWizPage1::kAncestorsId, kAncestorsDiagram},
        {CDiagWizPage1::kDescendantsId, kDescendantsDiagram},
        {CDiagWizPage1::kBothId, kAncestorsAndDescendantsDiagram},
        {CDiagWizPage1::kAllRelativesId, kAllRelativesDiagram},
    };
    for (const auto& [radio, type] : types) {
        SCOPED_TRACE(type);
        m_opened.clear();
        const int before = Count(kIndi);
        std::vector<bool> finish;
        const int result = RunWizard([&](CPropertySheet& sheet) {
            StartWith(sheet, false, radio);
            finish.push_back(FinishEnabled(sheet));
            TestHooks::SetText(*sheet.GetActivePage(), CDiagWizPage2a::kNameId, "  Eva Berg ");
            finish.push_back(FinishEnabled(sheet));
            TestHooks::PressSheetButton(sheet, SheetButton::Finish);
        });
        EXPECT_EQ(result, ID_WIZFINISH);
        EXPECT_EQ(finish, (std::vector<bool>{false, true}));
        ASSERT_EQ(m_opened.size(), 1U);
        EXPECT_EQ(m_opened[0].type, type);
        EXPECT_EQ(m_opened[0].family, nullptr);
        ASSERT_NE(m_opened[0].individual, nullptr);
        EXPECT_EQ(Count(kIndi), before + 1);
        const CNameNode* name = m_opened[0].individual->GetName();
        ASSERT_NE(name, nullptr);
        std::string stored;
        name->GetDefaultText(stored);
        EXPECT_EQ(stored, "Eva /Berg/");
    }
}

TEST_F(DiagramWizardTest, ABlankNameIsRefusedAndTheWizardStays)
{
    Texts messages;
    int focus = 0;
    const int before = Count(kIndi);
    const int result = RunWizard([&](CPropertySheet& sheet) {
        StartWith(sheet, false, CDiagWizPage1::kAncestorsId);
        TestHooks::SetText(*sheet.GetActivePage(), CDiagWizPage2a::kNameId, "   ");
        ASSERT_TRUE(FinishEnabled(sheet)); // text is there; Finish judges it
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PressSheetButton(sheet, SheetButton::Finish);
        messages = MessageTexts();
        focus = Focus();
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(messages, Texts{"Name must be supplied"});
    EXPECT_EQ(focus, CDiagWizPage2a::kNameId);
    EXPECT_EQ(Count(kIndi), before);
    EXPECT_TRUE(m_opened.empty());
}

TEST_F(DiagramWizardTest, SelectAndNewSwitchBetweenARecordAndATypedName)
{
    m_choices.m_answers = {nullptr, m_carl, m_john};
    struct State {
        std::string text;
        bool readOnly;
        bool newChecked;
        bool finish;
    };
    std::vector<State> states;
    const int before = Count(kIndi);
    const int result = RunWizard([&](CPropertySheet& sheet) {
        StartWith(sheet, false, CDiagWizPage1::kDescendantsId);
        CDialog& page = *sheet.GetActivePage();
        const auto note = [&] {
            states.push_back({Text(page, CDiagWizPage2a::kNameId),
                              ReadOnly(sheet, CDiagWizPage2a::kNameId),
                              page.IsDlgButtonChecked(CDiagWizPage2a::kNewId) == BST_CHECKED,
                              FinishEnabled(sheet)});
        };
        note();
        TestHooks::Click(page, CDiagWizPage2a::kSelectId); // cancelled
        note();
        TestHooks::Click(page, CDiagWizPage2a::kSelectId); // Carl
        note();
        TestHooks::Click(page, CDiagWizPage2a::kSelectId); // already chosen: not asked again
        TestHooks::Click(page, CDiagWizPage2a::kNewId);
        note();
        TestHooks::Click(page, CDiagWizPage2a::kSelectId); // John
        TestHooks::PressSheetButton(sheet, SheetButton::Finish);
    });
    ASSERT_EQ(states.size(), 4U);
    EXPECT_FALSE(states[0].readOnly);
    EXPECT_TRUE(states[0].newChecked);
    EXPECT_FALSE(states[0].finish);
    EXPECT_FALSE(states[1].readOnly);
    EXPECT_TRUE(states[1].newChecked);
    EXPECT_FALSE(states[1].finish);
    EXPECT_NE(states[2].text.find("Carl"), std::string::npos) << states[2].text;
    EXPECT_TRUE(states[2].readOnly);
    EXPECT_FALSE(states[2].newChecked);
    EXPECT_TRUE(states[2].finish);
    EXPECT_EQ(states[3].text, "");
    EXPECT_FALSE(states[3].readOnly);
    EXPECT_TRUE(states[3].newChecked);
    EXPECT_FALSE(states[3].finish);

    EXPECT_EQ(m_choices.m_fields, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(m_choices.m_roots.back(), GetRecordTypeRoot(kIndi));
    EXPECT_EQ(result, ID_WIZFINISH);
    ASSERT_EQ(m_opened.size(), 1U);
    EXPECT_EQ(m_opened[0].type, kDescendantsDiagram);
    EXPECT_EQ(m_opened[0].individual, m_john);
    EXPECT_EQ(Count(kIndi), before);
}

TEST_F(DiagramWizardTest, ACoupleWhoShareAFamilyOpensItWithoutAsking)
{
    m_choices.m_answers = {m_john, m_mary};
    const int families = Count(kFam);
    const int result = RunWizard([&](CPropertySheet& sheet) {
        StartWith(sheet, true, CDiagWizPage1::kAllRelativesId);
        CDialog& page = *sheet.GetActivePage();
        TestHooks::Click(page, CDiagWizPage2b::kHusbandSelectId);
        EXPECT_FALSE(FinishEnabled(sheet));
        TestHooks::Click(page, CDiagWizPage2b::kWifeSelectId);
        EXPECT_TRUE(FinishEnabled(sheet));
        TestHooks::PressSheetButton(sheet, SheetButton::Finish);
    });
    EXPECT_EQ(result, ID_WIZFINISH);
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(m_choices.m_fields, (std::vector<int>{FIELD_HUSB, FIELD_WIFE}));
    ASSERT_EQ(m_opened.size(), 1U);
    EXPECT_EQ(m_opened[0].type, kAllRelativesDiagram);
    EXPECT_EQ(m_opened[0].family, m_family);
    EXPECT_EQ(m_opened[0].individual, nullptr);
    EXPECT_EQ(Count(kFam), families);
}

TEST_F(DiagramWizardTest, TwoUnlinkedPeopleGetANewFamilyOnlyWhenTheUserAgrees)
{
    const int families = Count(kFam);
    for (const int answer : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(answer);
        m_opened.clear();
        m_choices.m_answers = {m_carl, m_ann};
        Texts messages;
        const int result = RunWizard([&](CPropertySheet& sheet) {
            StartWith(sheet, true, CDiagWizPage1::kAncestorsId);
            CDialog& page = *sheet.GetActivePage();
            TestHooks::Click(page, CDiagWizPage2b::kHusbandSelectId);
            TestHooks::Click(page, CDiagWizPage2b::kWifeSelectId);
            TestHooks::AnswerMessageBox(answer);
            TestHooks::PressSheetButton(sheet, SheetButton::Finish);
            messages = MessageTexts();
        });
        EXPECT_EQ(messages, Texts{kNotLinked});
        if (answer == IDCANCEL) {
            EXPECT_EQ(result, IDCANCEL);
            EXPECT_TRUE(m_opened.empty());
            EXPECT_EQ(Count(kFam), families);
            continue;
        }
        EXPECT_EQ(result, ID_WIZFINISH);
        ASSERT_EQ(m_opened.size(), 1U);
        CFamRec* made = m_opened[0].family;
        ASSERT_NE(made, nullptr);
        EXPECT_NE(made, m_family);
        EXPECT_EQ(made->GetHusband(), m_carl);
        EXPECT_EQ(made->GetWife(), m_ann);
        EXPECT_EQ(m_carl->GetNextSpouseFamily(nullptr), made);
        EXPECT_EQ(Count(kFam), families + 1);
    }
}

TEST_F(DiagramWizardTest, TypedNamesMakeBothPartnersAndTheirFamily)
{
    const int people = Count(kIndi);
    const int families = Count(kFam);
    const int result = RunWizard([&](CPropertySheet& sheet) {
        StartWith(sheet, true, CDiagWizPage1::kBothId);
        CDialog& page = *sheet.GetActivePage();
        TestHooks::SetText(page, CDiagWizPage2b::kHusbandId, "Olof Berg");
        EXPECT_FALSE(FinishEnabled(sheet));
        TestHooks::SetText(page, CDiagWizPage2b::kWifeId, "Karin Holm");
        EXPECT_TRUE(FinishEnabled(sheet));
        TestHooks::PressSheetButton(sheet, SheetButton::Finish);
    });
    EXPECT_EQ(result, ID_WIZFINISH);
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(Count(kIndi), people + 2);
    EXPECT_EQ(Count(kFam), families + 1);
    ASSERT_EQ(m_opened.size(), 1U);
    EXPECT_EQ(m_opened[0].type, kAncestorsAndDescendantsDiagram);
    const CFamRec* made = m_opened[0].family;
    ASSERT_NE(made, nullptr);
    ASSERT_NE(made->GetHusband(), nullptr);
    ASSERT_NE(made->GetWife(), nullptr);
    EXPECT_EQ(made->GetHusband()->GetSex(), SEX_MALE);
    EXPECT_EQ(made->GetWife()->GetSex(), SEX_FEMALE);
    std::string husband, wife;
    made->GetHusband()->GetName()->GetDefaultText(husband);
    made->GetWife()->GetName()->GetDefaultText(wife);
    EXPECT_EQ(husband, "Olof /Berg/");
    EXPECT_EQ(wife, "Karin /Holm/");
}

TEST_F(DiagramWizardTest, OneChosenPartnerAndOneNameAskBeforeAFamilyIsMade)
{
    const int people = Count(kIndi);
    const int families = Count(kFam);
    for (const int answer : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(answer);
        m_choices.m_answers = {m_mary};
        Texts messages;
        RunWizard([&](CPropertySheet& sheet) {
            StartWith(sheet, true, CDiagWizPage1::kAncestorsId);
            CDialog& page = *sheet.GetActivePage();
            TestHooks::SetText(page, CDiagWizPage2b::kHusbandId, "Nils Dahl");
            TestHooks::Click(page, CDiagWizPage2b::kWifeSelectId);
            TestHooks::AnswerMessageBox(answer);
            TestHooks::PressSheetButton(sheet, SheetButton::Finish);
            messages = MessageTexts();
        });
        EXPECT_EQ(messages, Texts{kNewFamily});
    }
    EXPECT_EQ(Count(kIndi), people + 1);
    EXPECT_EQ(Count(kFam), families + 1);
    ASSERT_EQ(m_opened.size(), 1U);
    EXPECT_EQ(m_opened[0].family->GetWife(), m_mary);
    // Mary keeps her first family and gains the new one.
    EXPECT_EQ(m_mary->GetNextSpouseFamily(nullptr), m_family);
    EXPECT_EQ(m_mary->GetNextSpouseFamily(m_family), m_opened[0].family);
}

TEST_F(DiagramWizardTest, AMissingPartnerNameIsRefusedOnItsSide)
{
    struct Case {
        const char* husband;
        const char* wife;
        const char* message;
        int focus;
    };
    const Case cases[] = {
        {" ", "Karin Holm", "Husband's name must be supplied", CDiagWizPage2b::kHusbandId},
        {"Olof Berg", "\t", "Wife's name must be supplied", CDiagWizPage2b::kWifeId},
        {" ", " ", "Husband's name must be supplied", CDiagWizPage2b::kHusbandId},
    };
    const int people = Count(kIndi);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Texts messages;
        int focus = 0;
        const int result = RunWizard([&](CPropertySheet& sheet) {
            StartWith(sheet, true, CDiagWizPage1::kAncestorsId);
            CDialog& page = *sheet.GetActivePage();
            TestHooks::SetText(page, CDiagWizPage2b::kHusbandId, c.husband);
            TestHooks::SetText(page, CDiagWizPage2b::kWifeId, c.wife);
            TestHooks::AnswerMessageBox(IDOK);
            TestHooks::PressSheetButton(sheet, SheetButton::Finish);
            messages = MessageTexts();
            focus = Focus();
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(messages, Texts{c.message});
        EXPECT_EQ(focus, c.focus);
    }
    EXPECT_EQ(Count(kIndi), people);
    EXPECT_TRUE(m_opened.empty());
}

TEST_F(DiagramWizardTest, OnePersonOnBothSidesIsRefused)
{
    CIndRec* pat = NewIndividual(SEX_UNDETERMINED, "Pat /Lund/");
    NotifyChanges();
    m_choices.m_answers = {pat, pat};
    const int families = Count(kFam);
    Texts messages;
    RunWizard([&](CPropertySheet& sheet) {
        StartWith(sheet, true, CDiagWizPage1::kAncestorsId);
        CDialog& page = *sheet.GetActivePage();
        TestHooks::Click(page, CDiagWizPage2b::kHusbandSelectId);
        TestHooks::Click(page, CDiagWizPage2b::kWifeSelectId);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PressSheetButton(sheet, SheetButton::Finish);
        messages = MessageTexts();
    });
    EXPECT_EQ(messages, Texts{"The husband and the wife must be two different individuals."});
    EXPECT_EQ(Count(kFam), families);
    EXPECT_EQ(pat->GetSex(), SEX_UNDETERMINED);
}

TEST_F(DiagramWizardTest, AFailureWhileOpeningSaysSoAndKeepsTheWizardOpen)
{
    m_choices.m_answers = {m_john};
    Texts messages;
    bool open = false;
    const int result = RunWizard(
        [&](CPropertySheet& sheet) {
            StartWith(sheet, false, CDiagWizPage1::kAncestorsId);
            TestHooks::Click(*sheet.GetActivePage(), CDiagWizPage2a::kSelectId);
            TestHooks::AnswerMessageBox(IDOK);
            TestHooks::PressSheetButton(sheet, SheetButton::Finish);
            messages = MessageTexts();
            open = sheet.IsWindowVisible() != FALSE;
        },
        true);
    EXPECT_EQ(messages, Texts{"An error has occurred"});
    EXPECT_TRUE(open);
    EXPECT_EQ(result, IDCANCEL);
}

/// With the program's own record-selection dialog: the husband's side refuses a woman.
TEST_F(DiagramWizardTest, TheSelectionDialogPicksAHusbandByTheHusbandsRules)
{
    CWinApp app{"Ardenvel"};
    InstallRecordDialogs();
    const auto pick = [](CDialog& dialog, const CRecordNode* record) {
        auto& select = static_cast<CSelectRecordDlg&>(dialog);
        CTreeBoxNode* row = select.GetGrid().FindRowByRecord(record);
        ASSERT_NE(row, nullptr);
        select.GetGrid().SelectRow(row, false, true);
    };
    Texts refused;
    RunWizard([&](CPropertySheet& sheet) {
        StartWith(sheet, true, CDiagWizPage1::kAncestorsId);
        TestHooks::OnNextDialog(kSelectRecordTemplate, [&](CDialog& dialog) {
            pick(dialog, m_mary);
            TestHooks::AnswerMessageBox(IDOK);
            TestHooks::Click(dialog, IDOK);
            refused = MessageTexts();
            pick(dialog, m_john);
            TestHooks::Click(dialog, IDOK);
        });
        TestHooks::Click(*sheet.GetActivePage(), CDiagWizPage2b::kHusbandSelectId);
        EXPECT_NE(Text(*sheet.GetActivePage(), CDiagWizPage2b::kHusbandId).find("John"),
                  std::string::npos);
        TestHooks::RenderWindow(sheet).SavePng("diagram_wizard_couple.png");
    });
    EXPECT_EQ(refused, Texts{"Wrong sex"});
}

} // namespace
