// tests/records/properties/properties_box_test.cpp: the record properties box: pages by record
// type and the tab kept, the header shown for a new header, the history's buttons, captions,
// large mode, and records deleted from elsewhere.
#include "tests/records/properties/properties_fixture.h"

#include "records/grid/rec_wnd_options.h"

#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "platform/ui/windows/sys_metrics.h"
#include "tests/records/main_keys_frame.h"

#include <algorithm>

namespace {

using properties_test::PropertiesTest;
using namespace record_test;

class BoxTest : public PropertiesTest {
protected:
    void SetUp() override
    {
        PropertiesTest::SetUp();
        m_source = NewRecord(kSour);
        SetField(m_source, "TITL", "Parish register");
        m_source2 = NewRecord(kSour);
        SetField(m_source2, "TITL", "Census 1881");
        m_repo = NewRecord(kRepo);
        SetField(m_repo, "NAME", "County archive");
        NotifyChanges();
    }
    CRecordNode* m_source = nullptr;
    CRecordNode* m_source2 = nullptr;
    CRecordNode* m_repo = nullptr;
};

TEST_F(BoxTest, TheRowOfTabsEndsBeforeTheButtonsInEitherMode)
{
    CIndRec* person = NewIndividual(SEX_MALE, "Tom /Hart/");
    NotifyChanges();
    Box().SetRecord(person, nullptr);
    ASSERT_EQ(Tabs().size(), 6u);
    for (const bool large : {false, true, false}) {
        Box().SetLargeMode(large);
        CTabCtrl* tabs = Box().GetTabControl();
        CRect last;
        ASSERT_TRUE(tabs->GetItemRect(tabs->GetItemCount() - 1, &last));
        tabs->ClientToScreen(&last);
        int buttonsLeft = 1 << 30, shown = 0;
        for (UINT id = IDC_PROP_SIZE; id <= IDC_PROP_BACK; ++id) {
            CWnd* button = Box().GetDlgItem(int(id));
            ASSERT_NE(button, nullptr);
            if (!button->IsWindowVisible())
                continue;
            CRect place;
            button->GetWindowRect(&place);
            buttonsLeft = std::min(buttonsLeft, int(place.left));
            ++shown;
        }
        EXPECT_EQ(shown, large ? 6 : 3);
        EXPECT_LT(last.right, buttonsLeft) << (large ? "large" : "small");
    }
}

TEST_F(BoxTest, StartsHiddenOnItsPlaceholderPageAndShowsOnTheFirstRecord)
{
    EXPECT_FALSE(Box().IsWindowVisible());
    EXPECT_EQ(Box().GetPageCount(), 1);
    EXPECT_EQ(Caption(), "Record Properties");
    Box().SetRecord(m_source, nullptr);
    EXPECT_TRUE(Box().IsWindowVisible());
    EXPECT_EQ(Tabs(), (std::vector<std::string>{"Main", "Notes", "Objects", "All"}));
    EXPECT_EQ(Caption(), "Source: Parish register");
    EXPECT_EQ(TextOf(Control("SOUR.TITL")), "Parish register");
}

TEST_F(BoxTest, SameRecordKeepsThePagesSameTypeReloadsThemOtherTypeRebuildsKeepingTheTab)
{
    Box().SetRecord(m_source, nullptr);
    ASSERT_TRUE(ShowTab("Notes"));
    CRecordPage* main = Page(0);
    Box().SetRecord(m_source, nullptr);
    EXPECT_EQ(Page(0), main);
    EXPECT_EQ(ActiveTab(), "Notes");

    Box().SetRecord(m_source2, nullptr, kPropSizeKeep, nullptr, false, {}, 0);
    EXPECT_EQ(Page(0), main);
    EXPECT_EQ(ActiveTab(), "Main");
    EXPECT_EQ(TextOf(Control("SOUR.TITL")), "Census 1881");

    ASSERT_TRUE(ShowTab("Notes"));
    Box().SetRecord(m_repo, nullptr);
    EXPECT_NE(Page(0), main);
    EXPECT_EQ(ActiveTab(), "Notes");
    EXPECT_EQ(Caption(), "Repository: County archive");
    Box().SetActivePage(0);
    EXPECT_EQ(TextOf(Control("REPO.NAME")), "County archive");
}

TEST_F(BoxTest, EachRecordTypeShowsItsPagesWithTheirControls)
{
    struct Row {
        int listIndex;
        std::vector<std::string> tabs;
        const char* control; // a field shown on the first page; empty: the page has none
    };
    const Row rows[] = {
        {kIndi, {"Main", "Detail", "Events", "Notes", "Objects", "All"}, "INDI.NAME"},
        {kFam, {"Events", "Notes", "Objects", "All"}, ""},
        {kNote, {"Text", "All"}, "NOTE.REFN"},
        {kSour, {"Main", "Notes", "Objects", "All"}, "SOUR.TITL"},
        {kRepo, {"Main", "Notes", "All"}, "REPO.NAME"},
        {RECORD_LIST_SUBM, {"Main", "All"}, "SUBM.NAME"},
        {RECORD_LIST_SUBN, {"Main", "All"}, "SUBN.FAMF"},
        {kObje, {"Main", "All"}, "OBJE.TITL"},
        {kHead, {"Main", "All"}, "HEAD.DEST"},
    };
    for (const Row& row : rows) {
        CRecordNode* record = NewRecord(row.listIndex);
        NotifyChanges();
        Box().SetRecord(record, nullptr);
        EXPECT_EQ(Tabs(), row.tabs) << row.listIndex;
        Box().SetActivePage(0);
        if (*row.control) {
            EXPECT_NE(Control(row.control), nullptr) << row.control;
        }
    }
}

TEST_F(BoxTest, ANewHeaderShowsTheHeaderThereIs)
{
    CRecordNode* header = NewRecord(kHead);
    NotifyChanges();
    Box().SetRecord(nullptr, GetRecordTypeDef(kHead));
    EXPECT_EQ(Box().GetRecord(), header);
    EXPECT_EQ(Caption(), "Header Record");
    EXPECT_TRUE(Box().IsFollowing()); // it shows a stored record: still following
}

TEST_F(BoxTest, CaptionsOfNewAndSingleRecords)
{
    Box().SetRecord(nullptr, GetRecordTypeDef(kSour));
    EXPECT_EQ(Caption(), "New Source Record");
    EXPECT_FALSE(Box().IsFollowing());
    Box().SetRecord(nullptr, GetRecordTypeDef(RECORD_LIST_SUBN));
    EXPECT_EQ(Caption(), "Submission Record");
    Box().SetSelectionState(2, false);
    EXPECT_EQ(Caption(), "Record Properties");
    EXPECT_TRUE(Visible(Box().GetDlgItem(IDC_PROP_MULTIPLE)));
    EXPECT_FALSE(Visible(Box().GetDlgItem(IDC_PROP_NO_SELECTION)));
    EXPECT_EQ(Box().GetPageCount(), 0);
}

TEST_F(BoxTest, GoingBackRecordsTheRecordLeftSoThatForwardReturnsToIt)
{
    Box().SetRecord(m_source, nullptr);
    Box().SetRecord(m_source2, nullptr);
    Box().SetRecord(m_repo, nullptr); // never recorded yet
    CWnd* back = Box().GetDlgItem(IDC_PROP_BACK);
    CWnd* forward = Box().GetDlgItem(IDC_PROP_FORWARD);
    EXPECT_TRUE(back->IsWindowEnabled());
    EXPECT_FALSE(forward->IsWindowEnabled());
    Box().GoHistory(-1);
    EXPECT_EQ(Box().GetRecord(), m_source2);
    EXPECT_TRUE(Box().IsLarge()); // history moves show the large box
    EXPECT_FALSE(Box().IsFollowing());
    Box().GoHistory(-1);
    EXPECT_EQ(Box().GetRecord(), m_source);
    EXPECT_FALSE(back->IsWindowEnabled());
    Box().GoHistory(1);
    Box().GoHistory(1);
    EXPECT_EQ(Box().GetRecord(), m_repo);
    EXPECT_FALSE(forward->IsWindowEnabled());
}

TEST_F(BoxTest, DeletingTheRecordShownEmptiesTheBoxAndDeletingAnyRecordTheHistory)
{
    Box().SetRecord(m_source, nullptr);
    Box().SetRecord(m_source2, nullptr);
    Box().SetRecord(m_repo, nullptr);
    ASSERT_EQ(Box().GetHistory().Count(), 2);

    GetRecordTypeRoot(kSour)->DeleteChild(m_source);
    NotifyChanges();
    EXPECT_TRUE(Box().GetHistory().IsEmpty());
    EXPECT_EQ(Box().GetRecord(), m_repo);
    EXPECT_FALSE(Box().GetDlgItem(IDC_PROP_BACK)->IsWindowEnabled());

    Type(Control("REPO.NAME"), "typed, not yet stored");
    GetRecordTypeRoot(kRepo)->DeleteChild(m_repo);
    NotifyChanges();
    EXPECT_EQ(Box().GetRecord(), nullptr);
    EXPECT_EQ(Box().GetPageCount(), 0);
    EXPECT_TRUE(Visible(Box().GetDlgItem(IDC_PROP_NO_SELECTION)));
    EXPECT_EQ(Caption(), "Record Properties");
    const int notices = m_boxObserver.m_notices;
    Leave(); // the control that had the focus went with its page: nothing is stored anywhere
    TestHooks::DeliverPosted();
    EXPECT_EQ(m_boxObserver.m_notices, notices);
}

TEST_F(BoxTest, LargeModeShowsTheLargeOnlyFieldsAndTheirLabel)
{
    Box().SetRecord(m_repo, nullptr, kPropSizeSmall);
    CRecordPage* page = ActivePage();
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->GetLargeOnlyControls().size(), 4U); // PHON, NOTE2, _EMAIL, _WEB
    const auto shown = [&] {
        int visible = 0;
        for (CDataCtl* control : page->GetLargeOnlyControls())
            visible += control->GetWnd().IsWindowVisible() ? 1 : 0;
        return visible;
    };
    CRect small;
    Box().GetWindowRect(&small);
    EXPECT_EQ(shown(), 0);
    EXPECT_FALSE(Visible(page->GetDlgItem(1366)));
    EXPECT_FALSE(Visible(Box().GetDlgItem(IDC_PROP_BACK)));

    Box().SetLargeMode(true);
    CRect large;
    Box().GetWindowRect(&large);
    EXPECT_EQ(shown(), 4);
    EXPECT_TRUE(Visible(page->GetDlgItem(1366)));
    EXPECT_TRUE(Visible(Box().GetDlgItem(IDC_PROP_BACK)));
    EXPECT_EQ(large.Height() - small.Height(), Box().GetLargeDifference());

    Box().SetLargeMode(false);
    EXPECT_EQ(shown(), 0);
}

TEST_F(BoxTest, TheGrowingControlGrowsWithTheLargeBox)
{
    CRecordNode* note = NewRecord(kNote);
    NotifyChanges();
    Box().SetRecord(note, nullptr, kPropSizeSmall);
    CDataCtl* text = ActivePage()->GetGrowingControl();
    ASSERT_NE(text, nullptr);
    CRect small, large;
    text->GetWnd().GetWindowRect(&small);
    Box().SetLargeMode(true);
    text->GetWnd().GetWindowRect(&large);
    EXPECT_EQ(large.Height() - small.Height(), Box().GetLargeDifference());
    EXPECT_LE(small.bottom - small.top, Box().GetSmallPageBottom());
}

TEST_F(BoxTest, GrowingKeepsTheBoxInsideTheScreen)
{
    Box().SetRecord(m_source, nullptr, kPropSizeSmall);
    CRect area;
    GetWorkArea(CPoint(0, 0), &area);
    // Puts the box's window rectangle, frame included, at left and top.
    const auto placeAt = [this](int left, int top) {
        CRect frame;
        Box().GetWindowRect(&frame);
        Box().MoveWindow(left, top, frame.Width(), frame.Height());
    };
    CRect box;
    Box().GetWindowRect(&box);
    ASSERT_LT(box.Width() + 20, area.Width());
    // At the right edge, the sources pane would carry the box's right part off the screen.
    placeAt(area.right - box.Width() - 10, area.top + 10);
    Box().ShowSources(true);
    CRect grown;
    Box().GetWindowRect(&grown);
    EXPECT_GT(grown.Width(), box.Width());
    EXPECT_EQ(grown.right, area.right);
    EXPECT_EQ(grown.top, area.top + 10) << "moved sideways only";
    // Near the bottom, going large moves it up as far as it grew past the edge.
    Box().ShowSources(false);
    Box().SetLargeMode(false);
    Box().GetWindowRect(&box);
    placeAt(area.left + 10, area.bottom - box.Height());
    Box().SetLargeMode(true);
    Box().GetWindowRect(&grown);
    EXPECT_EQ(grown.bottom, area.bottom);
    EXPECT_EQ(grown.left, area.left + 10);
    EXPECT_EQ(grown.Width(), box.Width()) << "and keeps its width";
}

TEST_F(BoxTest, TheMainWindowsKeysWorkInTheBoxOnTheValueTyped)
{
    std::vector<std::string> saved; // the source title stored at each Save
    records_test::CKeysFrame* main = records_test::MakeKeysFrame(
        m_app, [&] { saved.push_back(ValueOf(Child(m_source, "TITL"))); });
    ASSERT_NE(main, nullptr);
    Box().SetRecord(m_source, nullptr, kPropSizeSmall);
    CDataCtl* title = Control("SOUR.TITL");
    Type(title, "Parish register 1700");
    TestHooks::PostKey(title->GetWnd(), 'S', MK_CONTROL);
    TestHooks::DeliverPosted();
    EXPECT_EQ(saved, std::vector<std::string>{"Parish register 1700"}) << "stored, then saved";
    // F5 stays the data control's key: it stores the value and runs nothing else.
    Type(title, "Parish register 1701");
    TestHooks::PostKey(title->GetWnd(), VK_F5, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(ValueOf(Child(m_source, "TITL")), "Parish register 1701");
    EXPECT_EQ(saved.size(), 1u);
    // Keys the main window has not are left to the box.
    TestHooks::PostKey(title->GetWnd(), 'D', MK_CONTROL);
    TestHooks::DeliverPosted();
    EXPECT_EQ(saved.size(), 1u);
    m_app.m_pMainWnd = nullptr;
    main->DestroyWindow();
}

TEST_F(BoxTest, TheBoxRendersSmallLargeAndWithItsSourcesPane)
{
    Box().SetRecord(m_source, nullptr, kPropSizeSmall);
    const TestHooks::Image small = TestHooks::RenderWindow(Box());
    Box().SetLargeMode(true);
    const TestHooks::Image large = TestHooks::RenderWindow(Box());
    Box().SetLargeMode(false);
    Box().SetRecord(m_source2, nullptr, kPropSizeLargeWithSources); // the pane asks for large
    const TestHooks::Image sources = TestHooks::RenderWindow(Box());
    EXPECT_TRUE(small.SavePng("properties_small.png"));
    EXPECT_TRUE(large.SavePng("properties_large.png"));
    EXPECT_TRUE(sources.SavePng("properties_sources.png"));
    EXPECT_EQ(large.height - small.height, Box().GetLargeDifference());
    EXPECT_EQ(large.width, small.width);
    EXPECT_GT(sources.width, large.width);
    // The pane's background is the record window's "Source - background" colour.
    CRect pane;
    Box().GetDlgItem(IDC_PROP_SOURCES_PANE)->GetWindowRect(&pane);
    Box().ScreenToClient(&pane);
    EXPECT_EQ(sources.Pixel(pane.right - 3, pane.bottom - 3), RecWndOptions().GetColour(12));
}

} // namespace
