// tests/records/properties/source_citation_pane_test.cpp: the sources pane of the box: its fields
// and rows (two citations of one source, a source note last), details shown and stored, the
// field following the focused control, adding, copying and pasting and deleting citations with
// their questions, a base that takes no citations, and the controls kept inside the pane as it is
// laid out and resized.
#include "tests/records/properties/properties_fixture.h"

#include "records/properties/source_citation_pane.h"

#include "database/dictionary/field_ids.h"
#include "database/nodes/source_citation.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "tests/support/test_support.h"

namespace {

using properties_test::PropertiesTest;
using namespace record_test;
using Texts = std::vector<std::string>;

class SourcesPaneTest : public PropertiesTest {
protected:
    void SetUp() override
    {
        PropertiesTest::SetUp();
        m_register = NewRecord(kSour);
        SetField(m_register, "TITL", "Parish register");
        m_person = NewIndividual(SEX_FEMALE, "Ann /Lee/");
        m_birth = m_person->CreateChildByTag("BIRT");
        SetField(m_birth, "DATE", "1850");
        m_first = Link(m_birth, "SOUR", m_register);
        SetField(m_first, "PAGE", "folio 1");
        m_second = Link(m_birth, "SOUR", m_register);
        SetField(m_second, "PAGE", "folio 9");
        m_note = m_birth->AddTextChild(FIELD_SOUR_TEXT, "Family bible");
        NotifyChanges();
    }
    CSourceCitationPane* Open(CRecordNode* record)
    {
        Box().SetRecord(record, nullptr, kPropSizeLargeWithSources);
        return Box().GetSourcesPane();
    }
    /// The top-level rows: label, then the value when there is one.
    static Texts Rows(CSourceCitationPane& pane)
    {
        Texts rows;
        CTagGrid& grid = pane.GetGrid();
        for (CTreeBoxNode* row = grid.GetBox().GetFirstItem(); row; row = row->m_nextSibling) {
            const std::string value = grid.GetValueText(row);
            rows.push_back(grid.GetRelationLabel(row) + (value.empty() ? "" : ": " + value));
        }
        return rows;
    }
    /// The index-th top-level row.
    static CTreeBoxNode* TopRow(CSourceCitationPane& pane, int index)
    {
        CTreeBoxNode* row = pane.GetGrid().GetBox().GetFirstItem();
        for (; row && index > 0; --index)
            row = row->m_nextSibling;
        return row;
    }
    static void Select(CSourceCitationPane& pane, int index)
    {
        CTagGrid& grid = pane.GetGrid();
        grid.GetBox().ClearSelection(nullptr, false);
        grid.SelectRow(TopRow(pane, index), false, true);
    }

    CRecordNode* m_register = nullptr;
    CIndRec* m_person = nullptr;
    CDataNode* m_birth = nullptr;
    CDataNode* m_first = nullptr;
    CDataNode* m_second = nullptr;
    CDataNode* m_note = nullptr;
};

TEST_F(SourcesPaneTest, AnEventTakesCitationsButACitationTakesNone)
{
    EXPECT_TRUE(m_birth->CanHaveSourceCitation());
    EXPECT_TRUE(m_person->CanHaveSourceCitation());
    EXPECT_FALSE(m_first->CanHaveSourceCitation());
    EXPECT_FALSE(m_note->CanHaveSourceCitation());
}

TEST_F(SourcesPaneTest, TwoCitationsOfOneSourceAreTwoRowsAndTheSourceNoteComesLast)
{
    CSourceCitationPane* pane = Open(m_person);
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(Box().IsLarge());
    EXPECT_EQ(pane->GetBase(), m_person);
    pane->SelectField(Child(m_birth, "DATE")); // the date takes none: its birth is chosen
    EXPECT_EQ(pane->GetSelectedField(), m_birth);
    EXPECT_EQ(Rows(*pane),
              (Texts{"Parish register", "Parish register", "Source Text: Family bible"}));
    Select(*pane, 1);
    EXPECT_EQ(pane->GetCurrentCitation(), m_second);
    EXPECT_EQ(TextOf(pane->GetDetail("PAGE")), "folio 9");
    Select(*pane, 2);
    EXPECT_EQ(TextOf(pane->GetDetail("PAGE")), "");
    EXPECT_TRUE(pane->GetDetail("PAGE")->IsReadOnly());
}

TEST_F(SourcesPaneTest, CitationsMoveWithTheGridsButtonsAndTheRowsFollowInPlace)
{
    CRecordNode* census = NewRecord(kSour);
    SetField(census, "TITL", "Census 1851");
    CDataNode* counted = Link(m_birth, "SOUR", census);
    NotifyChanges();
    CSourceCitationPane* pane = Open(m_person);
    ASSERT_NE(pane, nullptr);
    pane->SelectField(m_birth);
    CTagGrid& grid = pane->GetGrid();
    ASSERT_EQ(Rows(*pane), (Texts{"Parish register", "Parish register", "Census 1851",
                                  "Source Text: Family bible"}));

    // A cited source opens into its own fields, and stays open through the refreshes.
    CTreeBoxNode* first = grid.GetBox().GetFirstItem();
    grid.OnNodeExpand(first);
    ASSERT_NE(first->m_firstChild, nullptr);
    EXPECT_EQ(grid.GetValueText(first->m_firstChild), "Parish register");

    Select(*pane, 0);
    EXPECT_FALSE(grid.CanMoveUp(nullptr)) << "nothing above the first row";
    Select(*pane, 2);
    ASSERT_EQ(pane->GetCurrentCitation(), counted);
    EXPECT_TRUE(grid.CanMoveUp(nullptr));
    grid.MoveFieldUp();
    EXPECT_EQ(Rows(*pane), (Texts{"Parish register", "Census 1851", "Parish register",
                                  "Source Text: Family bible"}));
    EXPECT_EQ(pane->GetCurrentCitation(), counted) << "the moved citation stays selected";
    EXPECT_EQ(counted->GetNextSibling(), m_second) << "moved in the data";
    EXPECT_EQ(grid.GetBox().GetFirstItem(), first) << "the row above was kept";
    EXPECT_EQ(first->m_state, CTreeBoxNode::kExpanded);

    // Two citations of one source: moving the second up makes it the first row of the source.
    Select(*pane, 2);
    ASSERT_EQ(pane->GetCurrentCitation(), m_second);
    grid.MoveFieldUp();
    grid.MoveFieldUp();
    EXPECT_EQ(pane->GetCurrentCitation(), m_second);
    EXPECT_EQ(grid.GetBox().GetFocusItem(), grid.GetBox().GetFirstItem());
    EXPECT_EQ(TextOf(pane->GetDetail("PAGE")), "folio 9");
    EXPECT_EQ(pane->CitationOfRow(TopRow(*pane, 1)), m_first);
}

TEST_F(SourcesPaneTest, ADetailTypedIsStoredMakingItsFieldWhenMissing)
{
    CSourceCitationPane* pane = Open(m_person);
    pane->SelectField(m_birth);
    Select(*pane, 0);
    CDataCtl* text = pane->GetDetail("DATA.TEXT");
    ASSERT_NE(text, nullptr);
    Type(text, "Baptised the same day");
    Leave();
    CDataNode* data = Child(m_first, "DATA");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(ValueOf(Child(data, "TEXT")), "Baptised the same day");
    EXPECT_EQ(pane->GetCurrentCitation(), m_first) << "the refresh keeps the row";
}

TEST_F(SourcesPaneTest, TabStoresADetailAndMovesOnToTheNextOne)
{
    CSourceCitationPane* pane = Open(m_person);
    pane->SelectField(m_birth);
    Select(*pane, 0);
    Box().ShowWindow(SW_SHOW);
    CDataCtl* page = pane->GetDetail("PAGE");
    CDataCtl* text = pane->GetDetail("DATA.TEXT");
    ASSERT_TRUE(page && text);
    Type(page, "folio 2");
    TestHooks::PostKey(*CWnd::GetFocus(), VK_TAB, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(ValueOf(Child(m_first, "PAGE")), "folio 2");
    CWnd* focus = CWnd::GetFocus();
    ASSERT_NE(focus, nullptr);
    EXPECT_TRUE(focus == &text->GetWnd() || focus->GetParent() == &text->GetWnd())
        << "the text from the source follows where within the source";
    TestHooks::PostKey(*focus, VK_TAB, MK_SHIFT);
    TestHooks::DeliverPosted();
    focus = CWnd::GetFocus();
    EXPECT_TRUE(focus && (focus == &page->GetWnd() || focus->GetParent() == &page->GetWnd()));
}

TEST_F(SourcesPaneTest, AddCopyPasteAndDeleteWithTheirQuestions)
{
    CSourceCitationPane* pane = Open(m_person);
    pane->SelectField(m_birth);
    ChooseInList(m_register);
    pane->OnAddCitation();
    EXPECT_EQ(m_listTitles, Texts{"Select source..."});
    EXPECT_EQ(m_birth->CountChildren(FIELD_SOUR), 3);
    const CDataNode* added = pane->GetCurrentCitation(); // selected once announced
    ASSERT_NE(added, nullptr);
    EXPECT_NE(added, m_first);
    EXPECT_NE(added, m_second);
    EXPECT_EQ(Rows(*pane).size(), 4U);

    Select(*pane, 1);
    pane->OnCopyCitation();
    ASSERT_NE(GetLastCitation(), nullptr);
    EXPECT_EQ(GetLastCitation()->m_page, "folio 9");
    pane->SelectField(m_person);
    pane->OnPasteCitation();
    CDataNode* pasted = m_person->FindChild(nullptr, FIELD_SOUR);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(ValueOf(Child(pasted, "PAGE")), "folio 9");

    pane->SelectField(m_birth);
    Select(*pane, 3); // the source note
    TestHooks::AnswerMessageBox(IDCANCEL);
    pane->OnDeleteCitation();
    TestHooks::AnswerMessageBox(IDOK);
    Select(*pane, 0);
    pane->OnDeleteCitation();
    EXPECT_EQ(test_support::TextsOf(TestHooks::TakeMessages()),
              (Texts{"Delete source note?",
                     "Delete source citation?\n\n(Note: the Source record itself will not be "
                     "deleted)"}));
    EXPECT_EQ(m_birth->CountChildren(FIELD_SOUR), 2);
    EXPECT_EQ(m_birth->CountChildren(FIELD_SOUR_TEXT), 1);
    EXPECT_EQ(m_register->GetParent(), GetRecordTypeRoot(kSour));
}

TEST_F(SourcesPaneTest, GoToSourceUnpinsAndClosingThePaneNarrowsTheBox)
{
    CSourceCitationPane* pane = Open(m_person);
    CRect wide;
    Box().GetWindowRect(&wide);
    pane->SelectField(m_birth);
    Select(*pane, 0);
    pane->OnGoToSource();
    EXPECT_EQ(Box().GetRecord(), m_register);
    EXPECT_FALSE(Box().IsFollowing());
    Box().ShowSources(false);
    EXPECT_EQ(Box().GetSourcesPane(), nullptr);
    CRect narrow;
    Box().GetWindowRect(&narrow);
    EXPECT_LT(narrow.Width(), wide.Width());
}

TEST_F(SourcesPaneTest, ADetailBeingTypedIsKeptWhenThePaneClosesOrTheBoxGoesSmall)
{
    CSourceCitationPane* pane = Open(m_person);
    pane->SelectField(m_birth);
    Select(*pane, 0);
    Type(pane->GetDetail("PAGE"), "folio 2");
    auto* sources = dynamic_cast<CUButton*>(Box().GetDlgItem(IDC_PROP_SOURCES));
    ASSERT_NE(sources, nullptr);
    sources->SetLatched(false); // as the click on the held button leaves it
    Box().OnButtonClicked(sources);
    EXPECT_EQ(Box().GetSourcesPane(), nullptr);
    EXPECT_EQ(ValueOf(Child(m_first, "PAGE")), "folio 2");

    pane = Open(m_person);
    pane->SelectField(m_birth);
    Select(*pane, 1);
    Type(pane->GetDetail("PAGE"), "folio 10");
    Box().SetLargeMode(false);
    EXPECT_EQ(Box().GetSourcesPane(), nullptr);
    EXPECT_EQ(ValueOf(Child(m_second, "PAGE")), "folio 10");
}

TEST_F(SourcesPaneTest, AnAssessmentShowsItsWordsAndIsCopiedAsItsNumber)
{
    SetField(m_first, "QUAY", "3");
    NotifyChanges();
    CSourceCitationPane* pane = Open(m_person);
    pane->SelectField(m_birth);
    Select(*pane, 0);
    EXPECT_EQ(TextOf(pane->GetDetail("QUAY")), "Direct evidence");
    pane->OnCopyCitation();
    ASSERT_NE(GetLastCitation(), nullptr);
    EXPECT_EQ(GetLastCitation()->m_quality, 3);
}

TEST_F(SourcesPaneTest, EveryControlLiesInsideThePaneAndTheWideOnesFollowItsWidth)
{
    const char* const kDetails[] = {"DATA.DATE", "QUAY", "PAGE", "DATA.TEXT", "NOTE2"};
    for (const bool fromLarge : {false, true}) {
        Box().SetRecord(m_person, nullptr, fromLarge ? kPropSizeLarge : kPropSizeSmall);
        Box().ShowSources(true);
        CSourceCitationPane* pane = Box().GetSourcesPane();
        ASSERT_NE(pane, nullptr);
        std::vector<CWnd*> controls = {pane->GetDlgItem(CSourceCitationPane::kFieldList),
                                       pane->GetDlgItem(CSourceCitationPane::kNotApplicable),
                                       &pane->GetGrid()};
        for (const char* path : kDetails) {
            CDataCtl* detail = pane->GetDetail(path);
            ASSERT_NE(detail, nullptr) << path;
            controls.push_back(&detail->GetWnd());
        }
        CRect laidOut;
        pane->GetWindowRect(&laidOut);
        Box().ScreenToClient(&laidOut);
        int firstRight = 0;
        for (const int change : {0, -40, 60}) {
            SCOPED_TRACE(testing::Message() << (fromLarge ? "large box" : "small box")
                                            << ", pane width changed by " << change);
            pane->MoveWindow(laidOut.left, laidOut.top, laidOut.Width() + change, laidOut.Height());
            CRect client;
            pane->GetClientRect(&client);
            for (CWnd* control : controls) {
                ASSERT_NE(control, nullptr);
                CRect place;
                control->GetWindowRect(&place);
                pane->ScreenToClient(&place);
                EXPECT_GE(place.left, client.left);
                EXPECT_LE(place.right, client.right);
                EXPECT_LE(place.bottom, client.bottom);
                // An enumeration's combo box, inside its container under the same id.
                if (CWnd* inner = control->GetDlgItem(control->GetDlgCtrlID())) {
                    inner->GetWindowRect(&place);
                    pane->ScreenToClient(&place);
                    EXPECT_LE(place.right, client.right);
                }
            }
            // The combo box runs to the right margin at every width.
            CRect combo;
            controls.front()->GetWindowRect(&combo);
            pane->ScreenToClient(&combo);
            if (change == 0)
                firstRight = combo.right;
            EXPECT_EQ(combo.right, firstRight + change);
        }
        Box().ShowSources(false);
    }
}

TEST_F(SourcesPaneTest, ADeletedRecordEmptiesThePane)
{
    // A record that takes no citations (the header) shows only that they do not apply.
    const auto shown = [](const CWnd* wnd) { return wnd && (wnd->GetStyle() & WS_VISIBLE); };
    CDataNode* header = GetRecordTypeRoot(kHead)->GetFirstChild();
    if (!header)
        header = NewRecord(kHead);
    NotifyChanges();
    CSourceCitationPane* pane = Open(static_cast<CRecordNode*>(header));
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->GetBase(), header);
    EXPECT_TRUE(shown(pane->GetDlgItem(CSourceCitationPane::kNotApplicable)));
    EXPECT_FALSE(shown(&pane->GetGrid()));
    EXPECT_FALSE(shown(pane->GetDlgItem(CSourceCitationPane::kFieldList)));

    pane = Open(m_person);
    EXPECT_FALSE(shown(pane->GetDlgItem(CSourceCitationPane::kNotApplicable)));
    EXPECT_TRUE(shown(&pane->GetGrid()));
    GetRecordTypeRoot(kIndi)->DeleteChild(m_person);
    NotifyChanges();
    EXPECT_EQ(pane->GetBase(), nullptr);
    EXPECT_TRUE(Rows(*pane).empty());
    EXPECT_FALSE(shown(pane->GetDlgItem(CSourceCitationPane::kNotApplicable)));
}

} // namespace
