// tests/records/grid/tag_grid_commands_test.cpp: what a user does in the record list grid, on a
// small family: the context menus read back as items, deletes with their questions word for
// word, adding fields, links and records, the in-place editor, keys and moving fields; the
// data is checked after each command.
#include "tests/records/grid/tag_grid_fixture.h"

#include "records/datactl/data_ctl_install.h"
#include "records/dialogs/delete_choice_dlg.h"

#include "database/dictionary/field_def.h"
#include "database/dictionary/field_ids.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/windows/app.h"
#include "tests/records/choosing_dialogs.h"
#include "tests/records/main_keys_frame.h"

namespace {

using namespace grid_test;

class TagGridCommandsTest : public TagGridTest {
protected:
    void SetUp() override
    {
        TagGridTest::SetUp();
        InstallDataControls();
        SetRelativeDialogs(&m_dialogs);
    }
    void TearDown() override
    {
        SetRelativeDialogs(nullptr);
        m_grid.CloseEditor(false);
        TagGridTest::TearDown();
        UninstallDataControls();
        TestHooks::TakeMessages();
    }
    /// A right click at a row's label (value: its value cell), delivered at once.
    void RightClick(CTreeBoxNode* row, bool value = false)
    {
        CRect rect;
        ASSERT_TRUE(m_grid.GetBox().GetItemRect(row, rect, 5, true));
        const int x = value ? m_grid.GetHeader().GetColumnRight(0) + 6 : 30;
        TestHooks::PostMouse(m_grid.GetBox(), TestHooks::MouseEvent::RightDown,
                             CPoint(x, (rect.top + rect.bottom) / 2), 0);
        TestHooks::DeliverPosted();
    }
    void Click(CTreeBoxNode* row, bool value)
    {
        CRect rect;
        ASSERT_TRUE(m_grid.GetBox().GetItemRect(row, rect, 5, true));
        const int x = value ? m_grid.GetHeader().GetColumnRight(0) + 6 : 30;
        TestHooks::PostMouse(m_grid.GetBox(), TestHooks::MouseEvent::LeftDown,
                             CPoint(x, (rect.top + rect.bottom) / 2), MK_LBUTTON);
        TestHooks::PostMouse(m_grid.GetBox(), TestHooks::MouseEvent::LeftUp,
                             CPoint(x, (rect.top + rect.bottom) / 2), 0);
        TestHooks::DeliverPosted();
    }
    void Key(UINT vk, UINT mk = 0)
    {
        CWnd& target = m_grid.GetEditor() ? m_grid.GetEditor()->GetWnd() : m_grid.GetBox();
        TestHooks::PostKey(target, vk, mk);
        TestHooks::DeliverPosted();
    }
    static std::vector<std::string> Messages()
    {
        std::vector<std::string> texts;
        for (const auto& shown : TestHooks::TakeMessages())
            texts.push_back(shown.text);
        return texts;
    }
    /// The field command that adds tag under a record of the type.
    static UINT AddCommand(const CDataNode* holder, std::string_view tag, bool linkForm = false)
    {
        const CFieldDef* def = FindChildDefByTag(holder->GetFieldDef(), tag);
        return def ? UINT(def->GetCommandId(linkForm)) : 0;
    }
    static std::string TextOf(const CDataNode* node)
    {
        std::string text;
        if (node)
            node->GetText(text, 0);
        return text;
    }
    std::string EditorText()
    {
        std::string text;
        if (m_grid.GetEditor())
            m_grid.GetEditor()->GetValueText(text);
        return text;
    }

    CWinApp m_app{"Ardenvel"};
    records_test::CChoosingDialogs m_dialogs;
};

TEST_F(TagGridCommandsTest, MenusOfferWhatTheRowHolds)
{
    MakeGrid(kIndi);
    // Below the last row: the new-record menu.
    TestHooks::PostMouse(m_grid.GetBox(), TestHooks::MouseEvent::RightDown, CPoint(30, 360), 0);
    TestHooks::AnswerPopupMenu(0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(TestHooks::PopupMenuItems(),
              (std::vector<std::string>{"New Individual", "-", "Options..."}));

    // A record row: its Add items, then Properties.
    CTreeBoxNode* john = RowOf(nullptr, "SMITH, John ");
    TestHooks::AnswerPopupMenu(0);
    RightClick(john);
    std::vector<std::string> items = TestHooks::PopupMenuItems();
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items.back(), "Properties");
    EXPECT_NE(std::find(items.begin(), items.end(), "Add Event >"), items.end())
        << testing::PrintToString(items);

    // The value cell of a link: with a target, Clear Link and the replace sub-menu.
    m_grid.OnNodeExpand(john);
    CTreeBoxNode* spouse = RowOf(john, "Spouse family");
    TestHooks::AnswerPopupMenu(0);
    RightClick(spouse, true);
    EXPECT_EQ(TestHooks::PopupMenuItems(),
              (std::vector<std::string>{"Clear Link", "Replace Link With... >", "-",
                                        "Delete Linked Family Record"}));

    // Without a target: the two ways to add one.
    CDataNode* husband = m_family->FindChild(nullptr, FIELD_HUSB);
    husband->ClearLink();
    NotifyChanges();
    m_grid.DestroyWindow();
    MakeGrid(kFam);
    CTreeBoxNode* family = m_grid.GetBox().GetFirstItem();
    m_grid.OnNodeExpand(family);
    CTreeBoxNode* empty = RowOf(family, "Husband");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(m_grid.GetValueText(empty), "< click here to insert link (or select and press F2) >");
    TestHooks::AnswerPopupMenu(0);
    RightClick(empty, true);
    EXPECT_EQ(TestHooks::PopupMenuItems(),
              (std::vector<std::string>{"Add Link to New Individual Record",
                                        "Add Link to Existing Individual Record"}));
}

TEST_F(TagGridCommandsTest, AFieldOrALinkedRecordIsDeletedFromItsMenu)
{
    MakeGrid(kIndi);
    CTreeBoxNode* john = RowOf(nullptr, "SMITH, John ");
    SetField(m_john, "OCCU", "Miller");
    NotifyChanges();
    m_grid.OnNodeExpand(john);

    // A field goes at once, without a question.
    TestHooks::AnswerPopupMenu(CTagGrid::kCmdDeleteNode);
    RightClick(RowOf(john, "Occupation"));
    EXPECT_EQ(TestHooks::PopupMenuItems().back(), "Delete Field");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(m_john->FindChild(nullptr, FIELD_OCCU), nullptr);
    EXPECT_EQ(Joined(Rows()).find("Occupation"), std::string::npos);

    // A husband's sex may not go; neither may anything while the grid forbids deleting.
    TestHooks::AnswerPopupMenu(0);
    RightClick(RowOf(john, "Sex"));
    EXPECT_EQ(TestHooks::PopupMenuItems().back(), "Delete Field [grey]");
    m_grid.SetDeleteAllowed(false);
    TestHooks::AnswerPopupMenu(0);
    RightClick(RowOf(john, "Spouse family"), true);
    EXPECT_EQ(TestHooks::PopupMenuItems().back(), "Delete Linked Family Record [grey]");
    m_grid.SetDeleteAllowed(true);

    // The linked record: No keeps it, Yes deletes the family and its row goes.
    const std::string question =
        "Careful! You have elected to delete not just the link to the Family record, but also "
        "the actual Family record itself.  Are you sure that this is what you want to do?";
    for (const int answer : {IDNO, IDYES}) {
        TestHooks::AnswerPopupMenu(CTagGrid::kCmdDeleteLinked);
        TestHooks::AnswerMessageBox(answer);
        RightClick(RowOf(john, "Spouse family"), true);
        EXPECT_EQ(Messages(), std::vector<std::string>{question});
    }
    EXPECT_EQ(m_john->GetNextSpouseFamily(nullptr), nullptr);
    EXPECT_EQ(m_mary->GetNextSpouseFamily(nullptr), nullptr);
    EXPECT_EQ(Joined(Rows()).find("Spouse family"), std::string::npos);
}

TEST_F(TagGridCommandsTest, DeletingARecordAsksAndNoChangesNothing)
{
    MakeGrid(kIndi);
    m_grid.SelectRow(RowOf(nullptr, "BROWN, Carl "), false, true);
    TestHooks::AnswerMessageBox(IDNO);
    Key(VK_DELETE);
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Careful!  Are you sure you want to delete the Individual "
                                        "record: Carl BROWN?"}));
    EXPECT_EQ(TopRows().size(), 5u);
    EXPECT_FALSE(m_carl->IsPendingDeletion());

    TestHooks::AnswerMessageBox(IDYES);
    Key(VK_DELETE);
    Messages();
    EXPECT_EQ(TopRows(), (std::vector<std::string>{"JONES, Mary ", "SMITH, Ann ", "SMITH, Bob ",
                                                   "SMITH, John "}));
}

TEST_F(TagGridCommandsTest, DeletingFieldsAndLinksAsksTheRightQuestion)
{
    MakeGrid(kIndi);
    CTreeBoxNode* john = RowOf(nullptr, "SMITH, John ");
    SetField(m_john, "OCCU", "Miller");
    CDataNode* birth = m_john->CreateChildByTag("BIRT");
    SetField(birth, "PLAC", "York");
    NotifyChanges();
    m_grid.OnNodeExpand(john);

    // A field without children, then one with children.
    m_grid.SelectRow(RowOf(john, "Occupation"), false, true);
    TestHooks::AnswerMessageBox(IDOK);
    Key(VK_DELETE);
    m_grid.SelectRow(RowOf(john, "Birth"), false, true);
    TestHooks::AnswerMessageBox(IDCANCEL);
    Key(VK_DELETE);
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"The selected field will be deleted.",
                                        "The selected field and all of its 'child' fields (in "
                                        "this record) will be deleted."}));
    EXPECT_EQ(m_john->FindChild(nullptr, FIELD_OCCU), nullptr);
    EXPECT_NE(m_john->FindChild(nullptr, FIELD_BIRT), nullptr);

    // A collapsed link row in link mode: only the OK/Cancel question; OK clears the link.
    CTreeBoxNode* spouse = RowOf(john, "Spouse family");
    m_grid.SelectRow(spouse, true, true);
    TestHooks::AnswerMessageBox(IDCANCEL);
    Key(VK_DELETE);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Delete link to Family record?"}));
    EXPECT_EQ(m_family->GetHusband(), m_john);

    // An open link row: the choice dialog, the link preselected; choosing it clears the link.
    m_grid.OnNodeExpand(spouse);
    m_grid.SelectRow(spouse, true, true);
    std::string title, linkText, recordText;
    bool linkChecked = false;
    TestHooks::OnNextDialog(kDeleteChoiceTemplate, [&](CDialog& dialog) {
        dialog.GetWindowText(title);
        dialog.GetDlgItemText(IDC_DELETE_LINK, linkText);
        dialog.GetDlgItemText(IDC_DELETE_RECORD, recordText);
        linkChecked = dialog.IsDlgButtonChecked(IDC_DELETE_LINK) == BST_CHECKED;
        TestHooks::Click(dialog, IDOK);
    });
    Key(VK_DELETE);
    EXPECT_EQ(title, "Delete Record or Delete Link?");
    EXPECT_EQ(linkText, "Delete link to Family record: John SMITH and Mary JONES");
    EXPECT_EQ(recordText, "Delete the record (John SMITH and Mary JONES) itself");
    EXPECT_TRUE(linkChecked);
    EXPECT_EQ(m_family->GetHusband(), nullptr);
    EXPECT_FALSE(m_family->IsPendingDeletion());
}

TEST_F(TagGridCommandsTest, AddingAFieldOpensTheEditorOnIt)
{
    MakeGrid(kIndi);
    CTreeBoxNode* carl = RowOf(nullptr, "BROWN, Carl ");
    TestHooks::AnswerPopupMenu(AddCommand(m_carl, "OCCU"));
    RightClick(carl);
    CDataNode* occupation = m_carl->FindChild(nullptr, FIELD_OCCU);
    ASSERT_NE(occupation, nullptr);
    ASSERT_NE(m_grid.GetEditor(), nullptr);
    EXPECT_EQ(m_grid.GetEditor()->GetNode(), occupation);
    EXPECT_EQ(carl->m_state, CTreeBoxNode::kExpanded);

    // Typed, then Escape: the edit is dropped. Typed again and committed with Enter: stored.
    m_grid.GetEditor()->SetValueText("Baker");
    Key(VK_ESCAPE);
    EXPECT_EQ(m_grid.GetEditor(), nullptr);
    EXPECT_EQ(TextOf(occupation), "");
    m_grid.OpenEditor(RowOf(carl, "Occupation"));
    ASSERT_NE(m_grid.GetEditor(), nullptr);
    m_grid.GetEditor()->SetValueText("Baker");
    Key(VK_RETURN);
    EXPECT_EQ(TextOf(occupation), "Baker");
}

TEST_F(TagGridCommandsTest, LinksAreAddedToChosenOrNewRecords)
{
    MakeGrid(kIndi);
    CTreeBoxNode* carl = RowOf(nullptr, "BROWN, Carl ");
    const UINT famsExisting = AddCommand(m_carl, "FAMS");
    ASSERT_NE(famsExisting, 0u);

    // Cancelling the choice adds nothing.
    TestHooks::AnswerPopupMenu(famsExisting);
    RightClick(carl);
    EXPECT_EQ(m_dialogs.m_asked, 1);
    EXPECT_EQ(m_carl->FindChild(nullptr, FIELD_FAMS), nullptr);

    // A chosen family is linked and its link row selected.
    CFamRec* family = NewFamily();
    NotifyChanges();
    m_dialogs.m_answer = family;
    TestHooks::AnswerPopupMenu(famsExisting);
    RightClick(carl);
    Messages();
    CDataNode* fams = m_carl->FindChild(nullptr, FIELD_FAMS);
    ASSERT_NE(fams, nullptr);
    EXPECT_EQ(fams->GetLinkTarget(), family);
    EXPECT_EQ(family->GetHusband(), m_carl);
    EXPECT_EQ(m_grid.GetSelectedRecord(), family); // the link row, in link mode

    // "Add Link to New": a new record of the link's type, its first empty field in the editor.
    const long families = GetRecordTypeRoot(kFam)->CountChildren(0);
    TestHooks::AnswerPopupMenu(AddCommand(m_carl, "FAMC", true));
    RightClick(RowOf(nullptr, "BROWN, Carl "));
    EXPECT_EQ(GetRecordTypeRoot(kFam)->CountChildren(0), families + 1);
    CDataNode* famc = m_carl->FindChild(nullptr, FIELD_FAMC);
    ASSERT_NE(famc, nullptr);
    EXPECT_NE(famc->GetLinkTarget(), nullptr);
}

TEST_F(TagGridCommandsTest, TheLinkEditorsCreateCommandLinksToANewRecord)
{
    CDataNode* husband = m_family->FindChild(nullptr, FIELD_HUSB);
    husband->ClearLink();
    NotifyChanges();
    MakeGrid(kFam);
    m_grid.OnNodeExpand(m_grid.GetBox().GetFirstItem());
    CDataCtl* control = husband->ShowInControl(&m_host, CRect(0, 0, 200, 20), &m_grid,
                                               WS_CHILD | WS_VISIBLE, 300, 0);
    ASSERT_NE(control, nullptr);
    const long people = GetRecordTypeRoot(kIndi)->CountChildren(0);
    TestHooks::AnswerPopupMenu(CTagGrid::kCmdCreateLinked);
    m_grid.OnCtlContextMenu(control, 1, 10, 10);
    EXPECT_EQ(TestHooks::PopupMenuItems(), (std::vector<std::string>{"Create Individual record"}));
    EXPECT_EQ(GetRecordTypeRoot(kIndi)->CountChildren(0), people + 1);
    ASSERT_NE(husband->GetLinkTarget(), nullptr);
    EXPECT_EQ(m_family->GetHusband(), husband->GetLinkTarget());
    control->DestroyCtl(FALSE);
}

TEST_F(TagGridCommandsTest, ANewRecordGoesBeforeTheClickedRowWithItsNameInTheEditor)
{
    MakeGrid(kIndi);
    TestHooks::AnswerPopupMenu(CTagGrid::kCmdNewRecord);
    TestHooks::PostMouse(m_grid.GetBox(), TestHooks::MouseEvent::RightDown, CPoint(30, 360), 0);
    TestHooks::DeliverPosted();
    std::vector<std::string> top = TopRows();
    ASSERT_EQ(top.size(), 6u);
    ASSERT_NE(m_grid.GetEditor(), nullptr);
    EXPECT_EQ(m_grid.GetEditor()->GetNode()->GetFieldId(), FIELD_NAME);
    m_grid.GetEditor()->SetValueText("Dan /Adams/");
    m_grid.CloseEditor(true);
    EXPECT_EQ(TopRows().back(), "ADAMS, Dan ");
}

TEST_F(TagGridCommandsTest, KeysTypeAheadExpandAndMoveTheEditor)
{
    MakeGrid(kIndi);
    m_grid.SelectRow(RowOf(nullptr, "BROWN, Carl "), false, true);
    Key('Q'); // no label starts with Q
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_carl);
    Key('S');
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_ann);
    Key('S');
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_bob);
    Key('B'); // wraps to the first row
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_carl);

    CTreeBoxNode* carl = m_grid.FindRowByRecord(m_carl);
    Key(VK_RETURN);
    EXPECT_EQ(carl->m_state, CTreeBoxNode::kExpanded);
    Key(VK_LEFT, MK_CONTROL);
    EXPECT_EQ(carl->m_state, CTreeBoxNode::kCollapsed);

    // F2 opens the editor on a field; Tab moves it to the next field of the record.
    m_grid.OnNodeExpand(carl);
    m_grid.SelectRow(RowOf(carl, "Name"), false, true);
    Key(VK_F2);
    ASSERT_NE(m_grid.GetEditor(), nullptr);
    EXPECT_EQ(EditorText(), "Carl /Brown/");
    Key(VK_TAB);
    ASSERT_NE(m_grid.GetEditor(), nullptr);
    EXPECT_EQ(m_grid.GetEditor()->GetNode()->GetFieldId(), FIELD_SEX);
    Key(VK_TAB); // Sex is Carl's last field
    EXPECT_EQ(TestHooks::BeepCount() > 0, true);
}

TEST_F(TagGridCommandsTest, AMainWindowKeyInTheEditorRunsItsCommandOnTheValueTyped)
{
    CWinApp app("Ardenvel");
    const auto carlsName = [this] {
        std::string text;
        m_carl->FindChild(nullptr, FIELD_NAME)->GetDefaultText(text);
        return text;
    };
    std::vector<std::string> saved; // Carl's stored name at each Save
    records_test::CKeysFrame* main =
        records_test::MakeKeysFrame(app, [&] { saved.push_back(carlsName()); });
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(m_grid.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(0, 0, 680, 380), main, 107,
                              nullptr, 0));
    m_grid.SetRecordSet(GetRecordTypeRoot(kIndi), true, true);
    CTreeBoxNode* carl = RowOf(nullptr, "BROWN, Carl ");
    m_grid.OnNodeExpand(carl);
    m_grid.SelectRow(RowOf(carl, "Name"), false, true);
    Key(VK_F2);
    ASSERT_NE(m_grid.GetEditor(), nullptr);
    m_grid.GetEditor()->SetValueText("Karl /Brown/");
    Key('S', MK_CONTROL);
    EXPECT_EQ(saved, std::vector<std::string>{"Karl /Brown/"}) << "stored, then saved";
    EXPECT_EQ(m_grid.GetEditor(), nullptr);
    // F5 stays the editor's key: it stores the value and runs nothing else.
    m_grid.SelectRow(RowOf(m_grid.FindRowByRecord(m_carl), "Name"), false, true);
    Key(VK_F2);
    ASSERT_NE(m_grid.GetEditor(), nullptr);
    m_grid.GetEditor()->SetValueText("Karl /Braun/");
    Key(VK_F5);
    EXPECT_EQ(carlsName(), "Karl /Braun/");
    EXPECT_EQ(saved.size(), 1u);
    m_grid.CloseEditor(true);
    m_grid.DestroyWindow();
    app.m_pMainWnd = nullptr;
    main->DestroyWindow();
}

TEST_F(TagGridCommandsTest, AClickOnAValueOpensTheEditorAndAnEditCanOutliveItsRecord)
{
    MakeGrid(kIndi);
    CTreeBoxNode* carl = RowOf(nullptr, "BROWN, Carl ");
    m_grid.OnNodeExpand(carl);
    Click(RowOf(carl, "Name"), true);
    ASSERT_NE(m_grid.GetEditor(), nullptr);
    m_grid.GetEditor()->SetValueText("Karl /Braun/");
    // Carl is deleted elsewhere: the editor goes without storing into the freed record.
    GetRecordTypeRoot(kIndi)->DeleteChild(m_carl);
    NotifyChanges();
    EXPECT_EQ(m_grid.GetEditor(), nullptr);
    EXPECT_EQ(TopRows().size(), 4u);
}

TEST_F(TagGridCommandsTest, FieldsMoveAmongSiblingsOfTheirKind)
{
    SetField(m_carl, "OCCU", "Miller");
    CDataNode* second = m_carl->CreateChildByTag("OCCU");
    second->SetText("Baker");
    NotifyChanges();
    MakeGrid(kIndi);
    CTreeBoxNode* carl = RowOf(nullptr, "BROWN, Carl ");
    m_grid.OnNodeExpand(carl);
    CTreeBoxNode* first = nullptr;
    for (CTreeBoxNode* row = carl->m_firstChild; row && !first; row = row->m_nextSibling)
        if (CTagGrid::NodeOf(row)->GetFieldId() == FIELD_OCCU)
            first = row;
    ASSERT_NE(first, nullptr);
    const CDataNode* miller = CTagGrid::NodeOf(first);
    m_grid.SelectRow(first, false, true);
    EXPECT_FALSE(m_grid.CanMoveUp(nullptr)); // the field before is of another kind
    EXPECT_TRUE(m_grid.CanMoveDown(nullptr));
    m_grid.MoveFieldDown();
    EXPECT_EQ(TextOf(m_carl->FindChild(nullptr, FIELD_OCCU)), "Baker");
    EXPECT_EQ(CTagGrid::NodeOf(m_grid.GetBox().GetFocusItem()), miller);
    EXPECT_TRUE(m_grid.CanMoveUp(nullptr));
    EXPECT_FALSE(m_grid.CanMoveDown(nullptr));
    // A record never moves.
    m_grid.SelectRow(carl, false, true);
    EXPECT_FALSE(m_grid.CanMoveUp(nullptr));
    EXPECT_FALSE(m_grid.CanMoveDown(nullptr));
}

} // namespace
