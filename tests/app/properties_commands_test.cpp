// tests/app/properties_commands_test.cpp: the record properties box from the application's side:
// Properties, the box's size for a new box and for each preference code, follow mode at idle
// time, new and single records shown in it, the box made anew after it was closed, the box told
// of changes first, the box opening ready for typing into its first field, and the automatic
// source citation set and cancelled.
#include "tests/app/app_fixture.h"
#include "tests/app/test_panes.h"

#include "app/shell/app_ids.h"
#include "records/datactl/data_ctl.h"
#include "records/dialogs/auto_citation_dlg.h"
#include "records/dialogs/select_record_dlg.h"
#include "records/properties/properties_dlg.h"
#include "records/properties/record_page.h"

#include "database/dictionary/field_ids.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/source_citation.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"

namespace app_test {
namespace {

class PropertiesCommandTest : public PaneAppTest {
protected:
    void SetUp() override
    {
        PaneAppTest::SetUp();
        m_app->OpenDocumentFile(WriteGedcom("family.ged", kFamilyFile).c_str());
        m_john = Record(kIndividuals, 0);
        m_mary = Record(kIndividuals, 1);
    }
    static CRecordNode* Record(int listIndex, int n)
    {
        CDataNode* record = GetRecordTypeRoot(listIndex)->GetFirstChild();
        for (; record && n > 0; --n)
            record = record->GetNextSibling();
        return static_cast<CRecordNode*>(record);
    }
    CPropertiesDlg* Box() const { return m_app->GetPropertiesDlg(); }

    CRecordNode* m_john = nullptr;
    CRecordNode* m_mary = nullptr;
};

TEST_F(PropertiesCommandTest, PropertiesNeedsASelectedRecordAndOpensTheBoxAtThePreferredSize)
{
    EXPECT_FALSE(Run(ID_PROPERTIES));
    EXPECT_EQ(Box(), nullptr);
    Prefs().m_propDlgSizeDefault = kPropDlgSmall;
    Script().selection = m_john;
    ASSERT_TRUE(Run(ID_PROPERTIES));
    ASSERT_NE(Box(), nullptr);
    EXPECT_TRUE(Box()->IsWindowVisible());
    EXPECT_EQ(Box()->GetRecord(), m_john);
    EXPECT_FALSE(Box()->IsLarge());
}

TEST(PropertiesBoxSizeTest, EachPreferenceCodeGivesItsSizeAndAnyOtherLarge)
{
    struct Case {
        int code;
        int size;
    };
    for (const Case c : {Case{kPropDlgSmall, kPropSizeSmall}, Case{kPropDlgLarge, kPropSizeLarge},
                         Case{kPropDlgFull, kPropSizeLargeWithSources}, Case{3, kPropSizeLarge},
                         Case{7, kPropSizeLarge}, Case{-1, kPropSizeLarge}})
        EXPECT_EQ(CAvApp::BoxSizeOfPreference(c.code), c.size) << c.code;
}

TEST_F(PropertiesCommandTest, FollowModeShowsTheSelectionAtIdleTimeUntilPinned)
{
    Script().selection = m_john;
    ASSERT_TRUE(Run(ID_PROPERTIES));
    Script().selection = m_mary;
    TestHooks::RunIdle();
    EXPECT_EQ(Box()->GetRecord(), m_mary);

    Script().selection = nullptr;
    TestHooks::RunIdle();
    EXPECT_EQ(Box()->GetRecord(), nullptr);
    EXPECT_EQ(Box()->GetPageCount(), 0);

    Script().selection = m_john;
    TestHooks::RunIdle();
    EXPECT_EQ(Box()->GetRecord(), m_john);
    Box()->SetPinned(false);
    Script().selection = m_mary;
    TestHooks::RunIdle();
    EXPECT_EQ(Box()->GetRecord(), m_john);
}

TEST_F(PropertiesCommandTest, ANewRecordAndTheHeaderAreShownInTheBoxUnpinned)
{
    ASSERT_TRUE(Run(ID_NEW_SOURCE));
    ASSERT_NE(Box(), nullptr);
    EXPECT_EQ(Box()->GetRecord(), Record(RECORD_LIST_SOUR, 0));
    EXPECT_FALSE(Box()->IsFollowing());

    ASSERT_TRUE(Run(ID_VIEW_HEADER));
    EXPECT_EQ(Box()->GetRecord(), Record(RECORD_LIST_HEAD, 0));
    std::string caption;
    Box()->GetWindowText(caption);
    EXPECT_EQ(caption, "Header Record");
}

TEST_F(PropertiesCommandTest, AClosedBoxIsMadeAnewWithAnEmptyHistory)
{
    Script().selection = m_john;
    ASSERT_TRUE(Run(ID_PROPERTIES));
    Script().selection = m_mary;
    ASSERT_TRUE(Run(ID_PROPERTIES));
    EXPECT_EQ(Box()->GetHistory().Count(), 1);
    TestHooks::PressCloseBox(*Box());
    TestHooks::DeliverPosted();
    EXPECT_EQ(Box()->GetSafeHwnd(), nullptr);
    TestHooks::RunIdle(); // a box without a window follows nothing

    ASSERT_TRUE(Run(ID_PROPERTIES));
    ASSERT_NE(Box()->GetSafeHwnd(), nullptr);
    EXPECT_TRUE(Box()->GetHistory().IsEmpty());
    EXPECT_EQ(Box()->GetRecord(), m_mary);
}

TEST_F(PropertiesCommandTest, DeletingTheRecordShownEmptiesTheBoxBeforeTheWindowsHear)
{
    Script().selection = m_john;
    ASSERT_TRUE(Run(ID_PROPERTIES));
    Script().selection = nullptr;
    GetRecordTypeRoot(kIndividuals)->DeleteChild(m_john);
    NotifyChanges();
    EXPECT_EQ(Box()->GetRecord(), nullptr);
    EXPECT_EQ(Box()->GetPageCount(), 0);
    EXPECT_TRUE(Box()->GetDlgItem(IDC_PROP_NO_SELECTION)->IsWindowVisible());
}

TEST_F(PropertiesCommandTest, APinnedBoxWhoseRecordIsDeletedTakesTheSelectionOnceAndStaysPinned)
{
    Script().selection = m_john;
    ASSERT_TRUE(Run(ID_PROPERTIES));
    Box()->SetPinned(false);
    // John's row goes and Mary's is selected in its place.
    Script().selection = m_mary;
    GetRecordTypeRoot(kIndividuals)->DeleteChild(m_john);
    NotifyChanges();
    TestHooks::RunIdle();
    EXPECT_EQ(Box()->GetRecord(), m_mary);
    EXPECT_FALSE(Box()->GetDlgItem(IDC_PROP_NO_SELECTION)->IsWindowVisible());
    EXPECT_FALSE(Box()->IsFollowing());
    Script().selection = nullptr;
    TestHooks::RunIdle();
    EXPECT_EQ(Box()->GetRecord(), m_mary) << "pinned again";

    // Mary's row goes and nothing is selected: that, and only then, is no record selection.
    GetRecordTypeRoot(kIndividuals)->DeleteChild(m_mary);
    NotifyChanges();
    TestHooks::RunIdle();
    EXPECT_EQ(Box()->GetRecord(), nullptr);
    EXPECT_TRUE(Box()->GetDlgItem(IDC_PROP_NO_SELECTION)->IsWindowVisible());
    Script().selection = Record(kFamilies, 0);
    TestHooks::RunIdle();
    EXPECT_EQ(Box()->GetRecord(), nullptr) << "pinned again";
}

/// Whether the focus lies on wnd or on a window inside it.
bool HasFocusWithin(const CWnd& wnd)
{
    for (const CWnd* focus = CWnd::GetFocus(); focus; focus = focus->GetParent())
        if (focus == &wnd)
            return true;
    return false;
}

TEST_F(PropertiesCommandTest, TheBoxOpensWithTheFocusInTheFirstFieldOfItsPage)
{
    const auto firstField = [this]() -> CWnd* {
        const CRecordPage* page = Box()->GetRecordPage(Box()->GetActiveIndex());
        if (!page || page->GetDataControls().empty())
            return nullptr;
        return &page->GetDataControls().front()->GetWnd();
    };
    Script().selection = m_john;
    ASSERT_TRUE(Run(ID_PROPERTIES));
    CWnd* name = firstField();
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(HasFocusWithin(*name)) << "a new box";

    // What the user types next goes into that field.
    for (const char c : std::string("ABC"))
        TestHooks::PostKey(*CWnd::GetFocus(), UINT(c), 0);
    TestHooks::DeliverPosted();
    std::string typed;
    CWnd::GetFocus()->GetWindowText(typed);
    EXPECT_NE(typed.find("abc"), std::string::npos) << typed;

    // The box open on a record of another kind, while the user works in another window: its
    // pages are made anew; the family's first page, the Events page, has no field, and its
    // first control takes the focus.
    m_app->GetActiveAvView()->GetSubView()->SetFocus();
    ASSERT_FALSE(HasFocusWithin(*Box()));
    Script().selection = Record(kFamilies, 0);
    ASSERT_TRUE(Run(ID_PROPERTIES));
    CRecordPage* events = Box()->GetRecordPage(Box()->GetActiveIndex());
    ASSERT_NE(events, nullptr);
    EXPECT_TRUE(HasFocusWithin(*events)) << "pages made anew";
    EXPECT_NE(CWnd::GetFocus(), events);

    // The same record asked for again: the focus comes back into the page.
    m_app->GetActiveAvView()->GetSubView()->SetFocus();
    ASSERT_TRUE(Run(ID_PROPERTIES));
    EXPECT_TRUE(HasFocusWithin(*events)) << "the same record again";
    EXPECT_NE(CWnd::GetFocus(), events);
}

TEST_F(PropertiesCommandTest, ClosingTheMainWindowStoresTheValueBeingTypedInTheBoxFirst)
{
    Script().selection = m_john;
    ASSERT_TRUE(Run(ID_PROPERTIES));
    ASSERT_FALSE(Doc()->IsModified());
    // A name typed into the box, then the main window closed as the window manager closes it:
    // the focus stays in the box, so nothing but the close itself can store the value.
    for (const char c : std::string("XY"))
        TestHooks::PostKey(*CWnd::GetFocus(), UINT(c), 0);
    TestHooks::DeliverPosted();
    const std::string path = Doc()->GetPathName();
    TestHooks::AnswerMessageBox(IDCANCEL);
    Frame()->PostMessage(WM_CLOSE);
    TestHooks::DeliverPosted();

    ASSERT_NE(m_app->GetMainFrame(), nullptr) << "closed without asking";
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Save changes to " + path + "?"});
    EXPECT_TRUE(Doc()->IsModified());
    const CDataNode* name = m_john->FindChild(nullptr, FIELD_NAME);
    ASSERT_NE(name, nullptr);
    std::string text;
    name->GetText(text, 0);
    EXPECT_NE(text.find("xy"), std::string::npos) << text;
}

TEST_F(PropertiesCommandTest, AutomaticCitationIsSetThroughItsDialogAndCancelled)
{
    EXPECT_FALSE(Run(ID_CANCEL_AUTO_CITATION));
    CRecordNode* source =
        static_cast<CRecordNode*>(GetRecordTypeRoot(RECORD_LIST_SOUR)->CreateChild(nullptr));
    NotifyChanges();
    TestHooks::OnNextDialog(kAutoCitationTemplate, [&](CDialog& dialog) {
        TestHooks::OnNextDialog(kSelectRecordListTemplate, [&](CDialog& list) {
            auto& records = dynamic_cast<CSelectRecordListDlg&>(list);
            records.GetGrid().SelectRow(records.GetGrid().FindRowByRecord(source), false, true);
            TestHooks::Click(list, IDOK);
        });
        TestHooks::Click(dialog, IDC_CITE_SELECT);
        TestHooks::SetText(dialog, IDC_CITE_PAGE, "p. 7");
        TestHooks::Click(dialog, IDOK);
    });
    ASSERT_TRUE(Run(ID_SET_AUTO_CITATION));
    ASSERT_NE(GetAutoCitation(), nullptr);
    EXPECT_EQ(GetAutoCitation()->m_source, source);
    EXPECT_EQ(GetAutoCitation()->m_page, "p. 7");
    EXPECT_TRUE(CitesNewRecords());
    EXPECT_TRUE(CitesNewFields());

    ASSERT_TRUE(Run(ID_CANCEL_AUTO_CITATION));
    EXPECT_EQ(GetAutoCitation(), nullptr);
    EXPECT_FALSE(Run(ID_CANCEL_AUTO_CITATION));
}

} // namespace
} // namespace app_test
