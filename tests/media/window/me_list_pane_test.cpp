// tests/media/window/me_list_pane_test.cpp: the Multimedia window's lists: Move Up and Down act on
// the list that has the focus, the sorts only on a set of objects, dragged rows reorder a
// record's links or an object's notes, and Run Multimedia Query fills the window from a query.
#include "tests/media/window/media_window_fixture.h"

#include "media/window/media_window_ids.h"

#include "common/preferences.h"
#include "common/registry_values.h"
#include "database/fields/text_value_node.h"
#include "database/kin/ind_rec.h"
#include "database/multimedia/obj_node.h"
#include "database/nodes/change_tracking.h"
#include "platform/base/paths.h"
#include "queries/expression.h"
#include "queries/window/qry_select_dlg.h"

#include <gmock/gmock.h>

namespace media_window_test {
namespace {

using testing::ElementsAre;

class ListPaneTest : public MediaWindowTest {
protected:
    /// The multimedia records Ann links to, in her links' order, as their titles.
    static std::vector<std::string> LinkedTitles(CDataNode* record)
    {
        std::vector<std::string> titles;
        for (CDataNode* link = record->FindChild(nullptr, FIELD_OBJE); link;
             link = record->FindChild(link, FIELD_OBJE))
            if (auto* target = dynamic_cast<CObjRec*>(link->GetLinkTarget()))
                titles.push_back(target->GetTitle());
        return titles;
    }
    /// The texts of the object's frame notes in order.
    static std::vector<std::string> NoteTexts(CObjRec* object)
    {
        std::vector<std::string> texts;
        for (CDataNode* note = object->FindFrameNoteAfter(nullptr); note;
             note = object->FindFrameNoteAfter(note))
            texts.push_back(std::string(dynamic_cast<CTextValueNode&>(*note).GetValue()));
        return texts;
    }
    static void AddNote(CObjRec* object, const char* text)
    {
        int number = 0;
        SetTextValue(object->AddFrameNote(&number, nullptr), text);
    }
    /// The first word of each object row: the titles of this test's pictures.
    std::vector<std::string> ObjectRows()
    {
        std::vector<std::string> rows;
        for (const std::string& text : List().GetObjectRowTexts())
            rows.push_back(text.substr(0, text.find(' ')));
        return rows;
    }
    /// Drags row from of the grid with the mouse onto row to, in its upper or lower half. After
    /// the press the moves and the release go to the window that holds the mouse capture, as
    /// the desktop sends them.
    static void DragRow(CTagGrid& grid, int from, int to, bool lowerHalf)
    {
        using TestHooks::MouseEvent;
        CTreeBox& box = grid.GetBox();
        const auto rowAt = [&](int index) {
            CTreeBoxNode* row = box.GetFirstItem();
            for (; row && index > 0; --index)
                row = row->m_nextSibling;
            CRect rect;
            EXPECT_TRUE(row && box.GetItemRect(row, rect, TBP_NONE, true));
            return rect;
        };
        const CRect source = rowAt(from), target = rowAt(to);
        const CPoint start = source.CenterPoint();
        const CPoint end(target.CenterPoint().x, lowerHalf ? target.bottom - 2 : target.top + 1);
        TestHooks::PostMouse(box, MouseEvent::LeftDown, start, MK_LBUTTON);
        TestHooks::DeliverPosted();
        CWnd* holder = CWnd::GetCapture() ? CWnd::GetCapture() : &box;
        const auto there = [&](CPoint point) {
            box.ClientToScreen(&point);
            holder->ScreenToClient(&point);
            return point;
        };
        TestHooks::PostMouse(*holder, MouseEvent::Move,
                             there(CPoint(start.x, (start.y + end.y) / 2)), MK_LBUTTON);
        TestHooks::PostMouse(*holder, MouseEvent::Move, there(end), MK_LBUTTON);
        TestHooks::PostMouse(*holder, MouseEvent::LeftUp, there(end), 0);
        TestHooks::DeliverPosted();
    }
};

TEST_F(ListPaneTest, MoveUpAndDownActOnTheListThatHasTheFocus)
{
    CIndRec* ann = NewIndividual(SEX_FEMALE, "Ann /Smith/");
    CObjRec* first = NewPicture(20, 20, "first.bmp");
    for (const char* name : {"second.bmp", "third.bmp"})
        ann->AddObjectLink(NewPicture(20, 20, name), 0);
    ann->AddObjectLink(first, 0);
    for (const char* text : {"door", "tower"})
        AddNote(first, text);
    NotifyChanges();
    MakeWindow();
    m_window->SetContextRecord(ann, 0, 0);
    ASSERT_THAT(ObjectRows(), ElementsAre("second.bmp", "third.bmp", "first.bmp"));

    // The objects list: the last object's link moves up among Ann's links.
    List().SelectObjectNode(first);
    List().GetObjectsList().SetFocus();
    EXPECT_FALSE(TestHooks::RunCommand(*m_window, ID_MEDIA_MOVE_DOWN)) << "the last link";
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_MOVE_UP));
    EXPECT_THAT(LinkedTitles(ann), ElementsAre("second.bmp", "first.bmp", "third.bmp"));
    EXPECT_THAT(ObjectRows(), ElementsAre("second.bmp", "first.bmp", "third.bmp"));
    EXPECT_EQ(List().GetCurrentObjectNode(), first) << "the moved object stays selected";
    EXPECT_THAT(NoteTexts(first), ElementsAre("door", "tower"));

    // The links list: the selected note moves among the object's notes, the links stay.
    ASSERT_EQ(List().GetLinkRowCount(), 3) << "two notes and Ann's link";
    List().SelectLinkRow(0);
    List().GetLinksList().SetFocus();
    EXPECT_FALSE(TestHooks::RunCommand(*m_window, ID_MEDIA_MOVE_UP)) << "the first note";
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_MOVE_DOWN));
    EXPECT_THAT(NoteTexts(first), ElementsAre("tower", "door"));
    EXPECT_THAT(LinkedTitles(ann), ElementsAre("second.bmp", "first.bmp", "third.bmp"));
    ASSERT_NE(List().GetSelectedEntry(), nullptr);
    EXPECT_EQ(List().GetSelectedLinkRow(), 1) << "the moved note stays selected";
    EXPECT_EQ(List().GetSelectedEntry()->note,
              first->FindFrameNoteAfter(first->FindFrameNoteAfter(nullptr)));

    // A set of objects has no order of its own to move in.
    m_window->SetContextRecord(nullptr, 0, 0);
    List().GetObjectsList().SetFocus();
    List().SelectObjectRow(1);
    EXPECT_FALSE(TestHooks::RunCommand(*m_window, ID_MEDIA_MOVE_UP));
}

TEST_F(ListPaneTest, TheSortsOrderASetOfObjectsButNeverARecordsLinks)
{
    CIndRec* ann = NewIndividual(SEX_FEMALE, "Ann /Smith/");
    std::vector<CObjRec*> objects;
    for (const char* name : {"cedar.bmp", "alder.bmp", "birch.bmp"}) {
        objects.push_back(NewPicture(20, 20, name));
        ann->AddObjectLink(objects.back(), 0);
    }
    NotifyChanges();
    MakeWindow();
    m_window->SetContextRecord(nullptr, 0, 0);
    ASSERT_THAT(ObjectRows(), ElementsAre("cedar.bmp", "alder.bmp", "birch.bmp"));

    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_SORT_ALPHABETICAL));
    EXPECT_THAT(ObjectRows(), ElementsAre("alder.bmp", "birch.bmp", "cedar.bmp"));
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_SORT_CREATION));
    EXPECT_THAT(ObjectRows(), ElementsAre("cedar.bmp", "alder.bmp", "birch.bmp"));
    for (CObjRec* object : objects)
        object->SetChangeStamp(COleDateTime(2020, 1, object == objects[2] ? 2 : 1, 0, 0, 0));
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_SORT_LAST_UPDATE));
    EXPECT_EQ(ObjectRows().front(), "birch.bmp") << "the record changed last comes first";

    // A record's links keep their order: the commands are off and the sorts do nothing.
    m_window->SetContextRecord(ann, 0, 0);
    EXPECT_FALSE(TestHooks::RunCommand(*m_window, ID_MEDIA_SORT_ALPHABETICAL));
    List().SortListAlphabetically();
    List().SortListByLastUpdate();
    EXPECT_THAT(ObjectRows(), ElementsAre("cedar.bmp", "alder.bmp", "birch.bmp"));
}

TEST_F(ListPaneTest, DraggedRowsReorderARecordsLinksAndAnObjectsNotes)
{
    CIndRec* ann = NewIndividual(SEX_FEMALE, "Ann /Smith/");
    std::vector<CObjRec*> objects;
    for (const char* name : {"one.bmp", "two.bmp", "three.bmp"}) {
        objects.push_back(NewPicture(20, 20, name));
        ann->AddObjectLink(objects.back(), 0);
    }
    CDataNode* embedded = ann->CreateChildById(FIELD_OBJE_EMBEDDED, {.withChildren = false});
    ASSERT_NE(dynamic_cast<CObjNode*>(embedded), nullptr);
    for (const char* text : {"left", "middle", "right"})
        AddNote(objects[0], text);
    NotifyChanges();
    MakeWindow();
    m_window->SetContextRecord(ann, 0, 0);
    ASSERT_EQ(List().GetObjectRowCount(), 4);

    DragRow(List().GetObjectsList(), 0, 2, true);
    EXPECT_THAT(LinkedTitles(ann), ElementsAre("two.bmp", "three.bmp", "one.bmp"));
    EXPECT_THAT(ObjectRows(), ElementsAre("two.bmp", "three.bmp", "one.bmp", testing::_));
    DragRow(List().GetObjectsList(), 2, 0, false);
    EXPECT_THAT(LinkedTitles(ann), ElementsAre("one.bmp", "two.bmp", "three.bmp"));

    // A record's row never goes among the embedded objects, nor they among the records.
    DragRow(List().GetObjectsList(), 0, 3, true);
    DragRow(List().GetObjectsList(), 3, 0, false);
    EXPECT_THAT(LinkedTitles(ann), ElementsAre("one.bmp", "two.bmp", "three.bmp"));
    const CDataNode* lastLink = nullptr;
    for (CDataNode* link = ann->FindChild(nullptr, FIELD_OBJE); link;
         link = ann->FindChild(link, FIELD_OBJE))
        lastLink = link;
    for (const CDataNode* n = ann->GetFirstChild(); n && n != lastLink; n = n->GetNextSibling())
        EXPECT_NE(n, embedded) << "the embedded object stays after the links";

    // The links list: the last note before the first.
    List().SelectObjectNode(objects[0]);
    ASSERT_EQ(List().GetLinkRowCount(), 4) << "three notes and Ann's link";
    DragRow(List().GetLinksList(), 2, 0, false);
    EXPECT_THAT(NoteTexts(objects[0]), ElementsAre("right", "left", "middle"));

    // A set of objects has no order to drag in.
    m_window->SetContextRecord(nullptr, 0, 0);
    const std::vector<std::string> before = ObjectRows();
    DragRow(List().GetObjectsList(), 0, 2, true);
    EXPECT_EQ(ObjectRows(), before);
    EXPECT_EQ(GetChangedRecords(), nullptr) << "nothing was changed";
}

class RunQueryTest : public ListPaneTest {
protected:
    void SetUp() override
    {
        ListPaneTest::SetUp();
        InstallExpressionEngine();
        m_queries = test_support::NewFolder("media_queries");
        ASSERT_TRUE(paths::MakeDirectories(m_queries + "/Standard"));
        ASSERT_TRUE(paths::MakeDirectories(m_queries + "/Custom"));
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, "", 0, KEY_ALL_ACCESS, nullptr,
                                 &key, nullptr),
                  ERROR_SUCCESS);
        RegSetString(key, "Queries Directory", "\"" + m_queries + "\"");
        RegCloseKey(key);
    }
    void WriteQuery(const std::string& name, const std::string& text)
    {
        test_support::WriteFile(m_queries + "/Standard/" + name + ".avq",
                                "[Ardenvel Query]\n" + text + "\n");
    }
    /// Answers dialog 240 with the query of that name (Cancel for an empty one).
    static void Choose(const std::string& name)
    {
        TestHooks::OnNextDialog(kQrySelectTemplate, [name](CDialog& dialog) {
            auto* list = dynamic_cast<CListBox*>(dialog.GetDlgItem(IDC_QRY_SELECT_LIST));
            const int index = list && !name.empty() ? list->FindStringExact(-1, name.c_str()) : -1;
            if (index < 0) {
                TestHooks::Click(dialog, IDCANCEL);
                return;
            }
            TestHooks::SelectItem(dialog, IDC_QRY_SELECT_LIST, index);
            TestHooks::Click(dialog, IDOK);
        });
    }

    std::string m_queries;
};

TEST_F(RunQueryTest, AQueryFillsTheWindowWithWhatItFinds)
{
    CIndRec* ann = NewIndividual(SEX_FEMALE, "Ann /Smith/");
    CIndRec* bob = NewIndividual(SEX_MALE, "Bob /Smith/");
    CIndRec* carl = NewIndividual(SEX_MALE, "Carl /Green/");
    CObjRec* church = NewPicture(20, 20, "church.bmp");
    CObjRec* garden = NewPicture(20, 20, "garden.bmp");
    CObjRec* harbour = NewPicture(20, 20, "harbour.bmp");
    ann->AddObjectLink(church, 0);
    bob->AddObjectLink(garden, 0);
    carl->AddObjectLink(harbour, 0);
    NotifyChanges();
    WriteQuery("Smiths",
               R"x(TYPE=INDI
FILTER=GEN,ADD,IF,N,"","INDI.NAME:SURNAME",,"=",TEXT,"smith")x");
    WriteQuery("Harbour", R"x(TYPE=OBJE
FILTER=GEN,ADD,IF,N,"","OBJE.TITL",,"=",TEXT,"harbour.bmp")x");
    MakeWindow();
    m_window->SetContextRecord(church, 0, 0);

    // Cancel leaves the window as it was.
    Choose("");
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_RUN_QUERY));
    EXPECT_EQ(Title(), "Multimedia Object Record - church.bmp");

    // A query of individuals lists what the records found link to.
    Choose("Smiths");
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_RUN_QUERY));
    EXPECT_EQ(m_window->GetContextMode(), CSubViewMedia::kModeSelection);
    EXPECT_EQ(Title(), "Selected Multimedia Records");
    EXPECT_THAT(ObjectRows(), ElementsAre("church.bmp", "garden.bmp"));

    // A query of multimedia records lists the records found, and only them.
    Choose("Harbour");
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, ID_MEDIA_RUN_QUERY));
    EXPECT_EQ(Title(), "Selected Multimedia Records");
    EXPECT_THAT(ObjectRows(), ElementsAre("harbour.bmp"));
    EXPECT_EQ(Picture().GetItem(), harbour);
    EXPECT_THAT(TestHooks::TakeMessages(), testing::IsEmpty());
}

} // namespace
} // namespace media_window_test
