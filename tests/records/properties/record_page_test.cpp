// tests/records/properties/record_page_test.cpp: what the pages store: a new record made at its
// first non-empty commit, missing fields made along a path, typed text kept over an edit
// elsewhere, commits after the field was deleted or with the box closing, the link pages' menus,
// the multimedia page's labels and picture area; and a record built in the box read back from a
// saved file.
#include "tests/records/properties/properties_fixture.h"

#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/gedcom/gedcom_writer.h"
#include "database/multimedia/obj_rec.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/ui/windows/sys_metrics.h"
#include "records/properties/rec_page_links.h"
#include "tests/support/test_support.h"

namespace {

using properties_test::PropertiesTest;
using namespace record_test;

class RecordPageTest : public PropertiesTest {
protected:
    /// Whether wnd is the control's window or its inner edit.
    static bool Inside(CWnd* wnd, CDataCtl* control)
    {
        return wnd && (wnd == &control->GetWnd() || wnd->GetParent() == &control->GetWnd());
    }
    int RecordCount(int listIndex) const
    {
        return int(GetRecordTypeRoot(listIndex)->CountChildren());
    }
};

TEST_F(RecordPageTest, ANewRecordIsMadeAtItsFirstNonEmptyCommitAndNotByAnEmptyOne)
{
    Box().SetRecord(nullptr, GetRecordTypeDef(kSour));
    ASSERT_EQ(Box().GetRecord(), nullptr);
    CDataCtl* title = Control("SOUR.TITL");
    ASSERT_NE(title, nullptr);
    title->GetWnd().SetFocus();
    Leave();
    EXPECT_EQ(RecordCount(kSour), 0);

    Type(title, "Baptisms 1750-1812");
    Leave();
    ASSERT_EQ(RecordCount(kSour), 1);
    CRecordNode* made = Box().GetRecord();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made, GetRecordTypeRoot(kSour)->GetFirstChild());
    EXPECT_EQ(ValueOf(Child(made, "TITL")), "Baptisms 1750-1812");
    EXPECT_EQ(Caption(), "Source: Baptisms 1750-1812");

    // An empty control of a field that does not exist makes nothing.
    CDataCtl* author = Control("SOUR.AUTH");
    author->GetWnd().SetFocus();
    Leave();
    EXPECT_EQ(Child(made, "AUTH"), nullptr);
}

TEST_F(RecordPageTest, TabInADataControlMovesTheFocusOnThroughThePageAndStores)
{
    CRecordNode* source = NewRecord(kSour);
    NotifyChanges();
    Box().SetRecord(source, nullptr);
    CDataCtl* title = Control("SOUR.TITL");
    ASSERT_NE(title, nullptr);
    Type(title, "Parish register");
    TestHooks::PostKey(title->GetWnd(), VK_TAB, 0);
    TestHooks::DeliverPosted();
    CWnd* next = CWnd::GetFocus();
    ASSERT_NE(next, nullptr);
    EXPECT_FALSE(Inside(next, title));
    EXPECT_EQ(ValueOf(Child(source, "TITL")), "Parish register");

    TestHooks::PostKey(*next, VK_TAB, MK_SHIFT);
    TestHooks::DeliverPosted();
    EXPECT_TRUE(Inside(CWnd::GetFocus(), title));
}

TEST_F(RecordPageTest, ACommitMakesEveryMissingFieldAlongThePath)
{
    CIndRec* person = NewIndividual(SEX_MALE, "Tom /Hart/");
    NotifyChanges();
    Box().SetRecord(person, nullptr);
    ASSERT_TRUE(ShowTab("Detail"));
    ASSERT_EQ(Child(person, "BIRT"), nullptr);
    Type(Control("INDI.BIRT.DATE"), "12 MAR 1850");
    Leave();
    CDataNode* birth = Child(person, "BIRT");
    ASSERT_NE(birth, nullptr);
    EXPECT_EQ(ValueOf(Child(birth, "DATE")), "12 March 1850");
    EXPECT_EQ(ValueOf(Child(birth, "PLAC")), "");
}

TEST_F(RecordPageTest, AnEditElsewhereKeepsTheTextTypedIntoUnchangedFields)
{
    CRecordNode* source = NewRecord(kSour);
    SetField(source, "TITL", "Old title");
    SetField(source, "AUTH", "Old author");
    NotifyChanges();
    Box().SetRecord(source, nullptr);
    Type(Control("SOUR.TITL"), "typed, not stored yet");
    MarkChanged(SetField(source, "AUTH", "Changed elsewhere"));
    NotifyChanges();
    EXPECT_EQ(TextOf(Control("SOUR.TITL")), "typed, not stored yet");
    EXPECT_EQ(TextOf(Control("SOUR.AUTH")), "Changed elsewhere");
    Leave();
    EXPECT_EQ(ValueOf(Child(source, "TITL")), "typed, not stored yet");
}

TEST_F(RecordPageTest, AFieldDeletedWhileTypedInIsMadeAgainAndNeverWrittenWhenFreed)
{
    CRecordNode* source = NewRecord(kSour);
    CDataNode* title = SetField(source, "TITL", "Title");
    NotifyChanges();
    Box().SetRecord(source, nullptr);
    Type(Control("SOUR.TITL"), "typed");
    source->DeleteChild(title);
    NotifyChanges(); // frees the field; the control shows the typed text no longer
    EXPECT_EQ(TextOf(Control("SOUR.TITL")), "");
    Type(Control("SOUR.TITL"), "typed again");
    Leave();
    EXPECT_EQ(ValueOf(Child(source, "TITL")), "typed again");
}

TEST_F(RecordPageTest, ClosingTheBoxStoresThePendingEditFirst)
{
    CRecordNode* source = NewRecord(kSour);
    NotifyChanges();
    Box().SetRecord(source, nullptr);
    Type(Control("SOUR.PUBL"), "London, 1901");
    TestHooks::PressCloseBox(Box());
    TestHooks::DeliverPosted();
    EXPECT_EQ(Box().GetSafeHwnd(), nullptr);
    EXPECT_EQ(ValueOf(Child(source, "PUBL")), "London, 1901");
}

class LinkPageTest : public RecordPageTest {
protected:
    CRecPageLinks* LinkPage() { return dynamic_cast<CRecPageLinks*>(Page(0)); }
    std::string EditText(int id)
    {
        std::string text;
        if (CWnd* edit = Page(0)->GetDlgItem(id))
            edit->GetWindowText(text);
        return text;
    }
    std::vector<std::string> MenuOf(UINT buttonId)
    {
        TestHooks::AnswerPopupMenu(0);
        ClickButton(*Page(0), buttonId);
        return TestHooks::PopupMenuItems();
    }
};

TEST_F(LinkPageTest, ChoosingASubmitterForANewHeaderMakesTheHeaderAndShowsIt)
{
    CRecordNode* submitter = NewRecord(RECORD_LIST_SUBM);
    SetField(submitter, "NAME", "Ann Archer");
    NotifyChanges();
    Box().SetRecord(nullptr, GetRecordTypeDef(kHead));
    ASSERT_EQ(Box().GetRecord(), nullptr);
    ChooseInList(submitter);
    TestHooks::AnswerPopupMenu(2001);
    ClickButton(*Page(0), 1001);
    EXPECT_EQ(m_listTitles, std::vector<std::string>{"Select submitter..."});
    CRecordNode* header = Box().GetRecord();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(RecordCount(kHead), 1);
    EXPECT_EQ(LinksTo(header, submitter), "SUBM");
    EXPECT_EQ(EditText(1518), "Ann Archer");
    EXPECT_EQ(Caption(), "Header Record");
}

TEST_F(LinkPageTest, ClearingALinkGreysClearAndGoToAndGoToOpensTheLargeBoxUnpinned)
{
    CRecordNode* submitter = NewRecord(RECORD_LIST_SUBM);
    SetField(submitter, "NAME", "Ann Archer");
    CRecordNode* submission = NewRecord(RECORD_LIST_SUBN);
    Link(submission, "SUBM", submitter);
    NotifyChanges();
    Box().SetRecord(submission, nullptr, kPropSizeSmall);
    EXPECT_EQ(EditText(1518), "Ann Archer");
    EXPECT_EQ(MenuOf(1001), (std::vector<std::string>{"Select Submitter...", "Clear Submitter", "-",
                                                      "Go to Submitter Record"}));
    TestHooks::AnswerPopupMenu(2003);
    ClickButton(*Page(0), 1001);
    EXPECT_EQ(Box().GetRecord(), submitter);
    EXPECT_TRUE(Box().IsLarge());
    EXPECT_FALSE(Box().IsFollowing());

    Box().SetRecord(submission, nullptr);
    TestHooks::AnswerPopupMenu(2002);
    ClickButton(*Page(0), 1001);
    EXPECT_EQ(Child(submission, "SUBM"), nullptr);
    EXPECT_EQ(EditText(1518), "");
    EXPECT_EQ(MenuOf(1001),
              (std::vector<std::string>{"Select Submitter...", "Clear Submitter [grey]", "-",
                                        "Go to Submitter Record [grey]"}));
}

TEST_F(LinkPageTest, SelectingARepositoryReplacesTheOneLinkedBefore)
{
    CRecordNode* first = NewRecord(kRepo);
    SetField(first, "NAME", "First archive");
    CRecordNode* second = NewRecord(kRepo);
    SetField(second, "NAME", "Second archive");
    CRecordNode* source = NewRecord(kSour);
    Link(source, "REPO", first);
    NotifyChanges();
    Box().SetRecord(source, nullptr);
    EXPECT_EQ(EditText(1051), "First archive");
    ChooseInList(second);
    TestHooks::AnswerPopupMenu(2001);
    ClickButton(*Page(0), 1001);
    EXPECT_EQ(source->CountChildren(FIELD_REPO), 1);
    EXPECT_EQ(LinksTo(source, second), "REPO");
    EXPECT_EQ(EditText(1051), "Second archive");
    EXPECT_EQ(m_listTitles, std::vector<std::string>{"Select repository..."});
}

TEST_F(LinkPageTest, TheSourcePageOffersNoMenuForASourceNotStoredYet)
{
    Box().SetRecord(nullptr, GetRecordTypeDef(kSour));
    EXPECT_FALSE(Page(0)->GetDlgItem(1001)->IsWindowEnabled());
}

TEST_F(RecordPageTest, TheMultimediaPageTellsAnEmbeddedObjectFromALinkedOne)
{
    auto* object = dynamic_cast<CObjRec*>(NewRecord(kObje));
    ASSERT_NE(object, nullptr);
    SetField(object, "TITL", "Wedding");
    NotifyChanges();
    Box().SetRecord(object, nullptr);
    const auto text = [&](int id) {
        std::string value;
        Page(0)->GetDlgItem(id)->GetWindowText(value);
        return value;
    };
    EXPECT_EQ(text(1468), "Linked File:");
    EXPECT_EQ(text(1461), "Linked File");
    object->SetEmbedded(true);
    MarkChanged(SetField(object, "TITL", "Wedding day"));
    NotifyChanges();
    EXPECT_EQ(text(1468), "Original File:");
    EXPECT_EQ(text(1461), "Embedded");
    EXPECT_TRUE(Control("OBJE._FILE")->IsReadOnly());
}

TEST_F(RecordPageTest, TheMultimediaPageShowsAndEditsTheFileLineOfARecordLinkedByOne)
{
    // As a GEDCOM 5.5.1 file has it: no linked file, format or title of the record's own.
    auto* object = dynamic_cast<CObjRec*>(LoadRecord(kObje, "@O1@"));
    ASSERT_NE(object, nullptr);
    CDataNode* file = SetField(object, "FILE", "wedding.png");
    SetField(file, "FORM", "png");
    SetField(file, "TITL", "Wedding");
    NotifyChanges();
    Box().SetRecord(object, nullptr);
    EXPECT_EQ(TextOf(Control("OBJE._FILE")), "wedding.png");
    EXPECT_EQ(TextOf(Control("OBJE.FORM")), "png");
    EXPECT_EQ(TextOf(Control("OBJE.TITL")), "Wedding");

    Type(Control("OBJE.TITL"), "Wedding day");
    Leave();
    Type(Control("OBJE._FILE"), "wedding-day.png");
    Leave();
    EXPECT_EQ(ValueOf(Child(file, "TITL")), "Wedding day");
    EXPECT_EQ(ValueOf(file), "wedding-day.png");
    EXPECT_EQ(Child(object, "TITL"), nullptr) << "no second title is made";
    EXPECT_EQ(Child(object, "_FILE"), nullptr) << "no second linked file is made";
    EXPECT_EQ(object->GetCaption(false), "Wedding day");
    EXPECT_EQ(object->GetFilePath(), "wedding-day.png");
}

TEST_F(RecordPageTest, TheMultimediaPagePaintsItsPictureAreaInTheLargeBoxOnly)
{
    CRecordNode* object = NewRecord(kObje);
    SetField(object, "TITL", "Wedding");
    SetField(object, "_FILE", "/nonexistent/wedding.png");
    NotifyChanges();
    Box().SetRecord(object, nullptr);
    CRect area;
    Page(0)->GetDlgItem(1230)->GetWindowRect(&area);
    Box().ScreenToClient(&area);
    const CPoint inside(area.left + 4, area.top + 4);

    Box().SetLargeMode(true);
    const TestHooks::Image large = TestHooks::RenderWindow(Box());
    EXPECT_EQ(large.Pixel(area.left, area.top), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(large.Pixel(area.right - 1, area.bottom - 1), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(large.Pixel(inside.x, inside.y), GetSysColor(COLOR_WINDOW));

    Box().SetLargeMode(false);
    const TestHooks::Image small = TestHooks::RenderWindow(Box());
    EXPECT_NE(small.Pixel(inside.x, inside.y), GetSysColor(COLOR_WINDOW));
}

TEST_F(RecordPageTest, ARecordBuiltInTheBoxIsReadBackFromTheSavedFile)
{
    Box().SetRecord(nullptr, GetRecordTypeDef(kRepo));
    Type(Control("REPO.NAME"), "Borough Library");
    Leave();
    Type(Control("REPO.REFN"), "BL-7");
    Leave();
    const std::string path = test_support::NewFolder("box_save") + "/saved.ged";
    GedcomFileFormat format;
    std::string error;
    ASSERT_TRUE(SaveGedcomFile(path, format, error)) << error;
    m_boxObserver.m_box = nullptr;
    ASSERT_TRUE(LoadGedcomFile(path, nullptr, nullptr));
    const CDataNode* loaded = GetRecordTypeRoot(kRepo)->GetFirstChild();
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(ValueOf(Child(loaded, "NAME")), "Borough Library");
    EXPECT_EQ(ValueOf(Child(loaded, "REFN")), "BL-7");
}

} // namespace
