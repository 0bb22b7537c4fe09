// tests/records/properties/rec_page_note_test.cpp: the Notes page: its rows and their texts, the
// buttons' states, adding, unlinking and moving notes with their questions, a new note record's
// first text kept, the editor kept in step with edits elsewhere, and very many or very long
// notes.
#include "tests/records/properties/properties_fixture.h"

#include "records/dialogs/new_record_dlgs.h"
#include "records/properties/rec_page_note.h"

#include "database/dictionary/field_ids.h"
#include "database/records/fam_rec.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"

namespace {

using properties_test::PropertiesTest;
using namespace record_test;
using Texts = std::vector<std::string>;

class NotePageTest : public PropertiesTest {
protected:
    void SetUp() override
    {
        PropertiesTest::SetUp();
        m_tom = NewIndividual(SEX_MALE, "Tom /Hart/");
        m_ada = NewIndividual(SEX_FEMALE, "Ada /Moss/");
        m_family = Marry(m_tom, m_ada);
        m_local = m_tom->AddTextChild(FIELD_NOTE_TEXT, "Farmer all his life");
        m_marriage = m_family->AddTextChild(FIELD_NOTE_TEXT, "Married at St Mary's");
        m_noteRecord = NewRecord(kNote);
        SetField(m_noteRecord, "TEXT", "Shared research note");
        m_link = Link(m_tom, "NOTE", m_noteRecord);
        NotifyChanges();
    }
    /// Shows the record on its Notes page in the large box.
    CRecPageNote* Show(CRecordNode* record)
    {
        Box().SetRecord(record, nullptr, kPropSizeLarge);
        EXPECT_TRUE(ShowTab("Notes"));
        return dynamic_cast<CRecPageNote*>(ActivePage());
    }
    static Texts Rows(CRecPageNote& page)
    {
        Texts rows;
        for (CTreeBoxNode* row = page.GetList().GetBox().GetFirstItem(); row;
             row = row->m_nextSibling)
            rows.push_back(row->m_text);
        return rows;
    }
    static void Select(CRecPageNote& page, int index)
    {
        CTreeBox& box = page.GetList().GetBox();
        box.ClearSelection(nullptr, false);
        box.SetFocusItem(box.GetItemByIndex(index), true);
    }
    static bool Enabled(CRecPageNote& page, UINT id)
    {
        return page.GetDlgItem(int(id))->IsWindowEnabled();
    }

    CIndRec* m_tom = nullptr;
    CIndRec* m_ada = nullptr;
    CFamRec* m_family = nullptr;
    CDataNode* m_local = nullptr;
    CDataNode* m_marriage = nullptr;
    CRecordNode* m_noteRecord = nullptr;
    CDataNode* m_link = nullptr;
};

TEST_F(NotePageTest, RowsListLocalThenFamilyThenLinkedNotesWithTheirTypes)
{
    CDataNode* empty = m_tom->AddTextChild(FIELD_NOTE_TEXT, "");
    CFamRec* alone = Marry(m_tom, nullptr);
    alone->AddTextChild(FIELD_NOTE_TEXT, "  Second marriage, wife unknown");
    NotifyChanges();
    CRecPageNote* page = Show(m_tom);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Rows(*page), (Texts{"Farmer all his life\tLocal", "<No text>\tLocal",
                                  "Married at St Mary's\tMarr. to Ada MOSS",
                                  "Second marriage, wife unknown\tMarr. to <no spouse>",
                                  "Shared research note\tNote Record (1 link)"}));
    EXPECT_EQ(page->GetSelectedRow().node, m_local);
    EXPECT_EQ(TextOf(page->GetEditor()), "Farmer all his life");

    Link(m_ada, "NOTE", m_noteRecord);
    NotifyChanges();
    EXPECT_EQ(Rows(*page).back(), "Shared research note\tNote Record (2 links)");
    (void)empty;
}

TEST_F(NotePageTest, MovesStayWithinTheirKindAndFamily)
{
    m_family->AddTextChild(FIELD_NOTE_TEXT, "Banns read thrice");
    NotifyChanges();
    CRecPageNote* page = Show(m_tom);
    Select(*page, 0); // the local note
    EXPECT_FALSE(Enabled(*page, CRecPageNote::kMoveUp));
    EXPECT_FALSE(Enabled(*page, CRecPageNote::kMoveDown));
    EXPECT_FALSE(Enabled(*page, CRecPageNote::kGoToRecord));
    Select(*page, 1); // the first family note, under a local note
    EXPECT_FALSE(Enabled(*page, CRecPageNote::kMoveUp));
    EXPECT_TRUE(Enabled(*page, CRecPageNote::kMoveDown));
    page->OnMove(false);
    EXPECT_EQ(Rows(*page)[1], "Banns read thrice\tMarr. to Ada MOSS");
    EXPECT_EQ(ValueOf(m_family->FindChild(nullptr, FIELD_NOTE_TEXT)), "Banns read thrice");
    Select(*page, 3); // the linked note record
    EXPECT_FALSE(Enabled(*page, CRecPageNote::kMoveUp));
    EXPECT_TRUE(Enabled(*page, CRecPageNote::kGoToRecord));
    page->OnGoToRecord();
    EXPECT_EQ(Box().GetRecord(), m_noteRecord);
    EXPECT_FALSE(Box().IsFollowing());
}

TEST_F(NotePageTest, UnlinkingAsksAndLeavesTheNoteRecordWithOneLinkLess)
{
    Link(m_ada, "NOTE", m_noteRecord);
    NotifyChanges();
    CRecPageNote* page = Show(m_tom);
    Select(*page, 2);
    TestHooks::AnswerMessageBox(IDCANCEL);
    page->OnDeleteNote();
    EXPECT_EQ(test_support::TextsOf(TestHooks::TakeMessages()),
              Texts{"Delete link to Note record?\n\n(The Note record itself will not be deleted)"});
    EXPECT_EQ(m_tom->CountChildren(FIELD_NOTE), 1);

    TestHooks::AnswerMessageBox(IDOK);
    page->OnDeleteNote();
    TestHooks::TakeMessages();
    EXPECT_EQ(m_tom->CountChildren(FIELD_NOTE), 0);
    EXPECT_EQ(m_noteRecord->GetParent(), GetRecordTypeRoot(kNote));
    EXPECT_EQ(m_noteRecord->GetLinkCount(), 1);
    EXPECT_EQ(Rows(*page).size(), 2U);

    Select(*page, 0);
    TestHooks::AnswerMessageBox(IDOK);
    page->OnDeleteNote();
    EXPECT_EQ(test_support::TextsOf(TestHooks::TakeMessages()), Texts{"Delete Note?"});
    EXPECT_EQ(m_tom->CountChildren(FIELD_NOTE_TEXT), 0);
}

TEST_F(NotePageTest, TheFirstTextTypedIntoANewNoteRecordIsKept)
{
    CRecPageNote* page = Show(m_tom);
    TestHooks::OnNextDialog(kAddNoteTemplate, [](CDialog& dialog) {
        TestHooks::Click(dialog, IDC_NOTE_LINK);
        TestHooks::OnNextDialog(kSelectRecordListTemplate, [](CDialog& list) {
            EXPECT_EQ(dynamic_cast<CSelectRecordListDlg&>(list).m_title, "Select Note Record...");
            TestHooks::Click(list, IDC_SELECT_NEW);
        });
        TestHooks::Click(dialog, IDOK);
    });
    page->OnAddNote();
    const NoteRow added = page->GetSelectedRow();
    ASSERT_EQ(added.kind, kNoteLinked);
    CRecordNode* made = added.node->GetLinkTarget();
    ASSERT_NE(made, nullptr);
    EXPECT_NE(made, m_noteRecord);
    // A note record may come without its text field (a file's "0 @N9@ NOTE" line alone).
    if (CDataNode* text = made->FindChild(nullptr, FIELD_TEXT))
        made->DeleteChild(text);
    NotifyChanges();
    ASSERT_EQ(made->FindChild(nullptr, FIELD_TEXT), nullptr);

    Type(page->GetEditor(), "Found in the vestry minutes");
    Leave();
    EXPECT_EQ(ValueOf(made->FindChild(nullptr, FIELD_TEXT)), "Found in the vestry minutes");
    EXPECT_EQ(Rows(*page).back(), "Found in the vestry minutes\tNote Record (1 link)");
}

TEST_F(NotePageTest, ALocalNoteAddedGoesAfterTheLocalNotesAndTakesTheTextTyped)
{
    CRecPageNote* page = Show(m_tom);
    TestHooks::OnNextDialog(kAddNoteTemplate,
                            [](CDialog& dialog) { TestHooks::Click(dialog, IDOK); });
    page->OnAddNote();
    EXPECT_EQ(page->GetSelectedRow().kind, kNoteLocal);
    EXPECT_EQ(Rows(*page)[1], "<No text>\tLocal");
    Type(page->GetEditor(), "Moved to the coast");
    Leave();
    EXPECT_EQ(Rows(*page)[1], "Moved to the coast\tLocal");
    EXPECT_EQ(m_tom->CountChildren(FIELD_NOTE_TEXT), 2);
}

TEST_F(NotePageTest, AnEditElsewhereReachesTheEditorAndADeletedNoteIsNeverWritten)
{
    CRecPageNote* page = Show(m_tom);
    MarkChanged(SetField(m_noteRecord, "TEXT", "Corrected elsewhere"));
    NotifyChanges();
    EXPECT_EQ(Rows(*page).back(), "Corrected elsewhere\tNote Record (1 link)");
    EXPECT_EQ(TextOf(page->GetEditor()), "Farmer all his life"); // another note is selected

    Type(page->GetEditor(), "typed into a note about to go");
    m_tom->DeleteChild(m_local);
    NotifyChanges();
    EXPECT_EQ(Rows(*page).size(), 2U);
    Leave();
    EXPECT_EQ(m_tom->CountChildren(FIELD_NOTE_TEXT), 0);
}

TEST_F(NotePageTest, HundredsOfNotesAndAMegabyteNoteAreListed)
{
    for (int i = 0; i < 300; ++i)
        m_tom->AddTextChild(FIELD_NOTE_TEXT, "note " + std::to_string(i));
    std::string huge;
    while (huge.size() < (1 << 20))
        huge += "A line of a transcribed will, one of very many in this note.\n";
    m_ada->AddTextChild(FIELD_NOTE_TEXT, huge);
    NotifyChanges();
    CRecPageNote* page = Show(m_tom);
    EXPECT_EQ(Rows(*page).size(), 303U);
    CRecPageNote* other = Show(m_ada);
    ASSERT_NE(other, nullptr);
    EXPECT_LT(Rows(*other)[0].size(), 400U);
    EXPECT_EQ(ToLfLines(TextOf(other->GetEditor())), huge);
}

} // namespace
