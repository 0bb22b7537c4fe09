// tests/records/data_ctl_assoc_combo_test.cpp: the drop-down record chooser driven through the
// test hooks: its list's place and size, picking by key and by click, what closes the list
// without a change, a record deleted while the list is down, the list's frame and place near
// the screen's edges, its dialog staying active, and the record value editor that uses it.
#include "database/nodes/change_hint.h"
#include "records/datactl/data_ctl_assoc_combo.h"
#include "tests/records/data_ctl_fixture.h"

#include "controls/value_editor.h"
#include "database/dictionary/record_type_table.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/windows/sys_metrics.h"

#include <functional>
#include <memory>

namespace {

using records_test::DataCtlTest;
using TestHooks::MouseEvent;

class AssocComboTest : public DataCtlTest {
protected:
    void SetUp() override
    {
        DataCtlTest::SetUp();
        m_john = NewIndividual(SEX_MALE, "John /Smith/");
        m_mary = NewIndividual(SEX_FEMALE, "Mary /Jones/");
        m_ann = NewIndividual(SEX_FEMALE, "Ann /Lee/");
        NotifyChanges();
        ASSERT_TRUE(m_combo.CreateCtl(TRUE, CRect(10, 10, 250, 32), &m_host, nullptr, kId, &m_owner,
                                      nullptr, 0));
        m_combo.SetChoice(Root(), 12, m_john);
        m_owner.Take();
    }
    void TearDown() override
    {
        SetDataObserver(&m_observer);
        m_combo.DestroyWindow();
        DataCtlTest::TearDown();
    }
    static CDataNode* Root() { return GetRecordTypeRoot(record_test::kIndi); }
    static std::string TextOf(const CDataNode* record) { return ValueOf(record); }
    std::string Shown() { return Text(&m_combo.GetTextField()); }
    CTreeBox& Box() { return m_combo.GetList().GetBox(); }
    static void Click(CWnd& wnd, CPoint point)
    {
        TestHooks::PostMouse(wnd, MouseEvent::LeftDown, point, MK_LBUTTON);
        TestHooks::PostMouse(wnd, MouseEvent::LeftUp, point, 0);
        TestHooks::DeliverPosted();
    }
    /// What the owner was told since the last call, leaving out the focus coming back to the
    /// control.
    std::vector<std::string> Told()
    {
        std::vector<std::string> told = m_owner.Take();
        std::erase(told, "focus");
        return told;
    }
    /// Drops the list with a click on the button.
    void Open()
    {
        Click(m_combo.GetDropButton(), CPoint(4, 4));
        ASSERT_TRUE(m_combo.IsDroppedDown());
    }

    CIndRec* m_john = nullptr;
    CIndRec* m_mary = nullptr;
    CIndRec* m_ann = nullptr;
    CDataCtlAssocCombo m_combo;
};

TEST_F(AssocComboTest, TheListDropsUnderTheTextAsWideAsTheControlWithTheChosenRowSelected)
{
    EXPECT_EQ(Text(&m_combo), "AV_DataCtlAssoc");
    EXPECT_EQ(m_combo.GetTextField().GetDlgCtrlID(), 111);
    EXPECT_EQ(m_combo.GetDropButton().GetDlgCtrlID(), int(kId + 2));
    EXPECT_EQ(Shown(), TextOf(m_john));
    EXPECT_FALSE(m_combo.IsEmpty());

    Open();
    EXPECT_EQ(m_combo.GetList().GetDlgCtrlID(), int(kId + 4));
    EXPECT_EQ(Box().GetCount(), 3);
    EXPECT_EQ(m_combo.GetList().GetSelectedRecord(), m_john);
    EXPECT_EQ(CWnd::GetFocus(), &Box());
    CRect control, text, list;
    m_combo.GetWindowRect(&control);
    m_combo.GetTextField().GetWindowRect(&text);
    m_combo.GetList().GetWindowRect(&list);
    EXPECT_EQ(list.left, control.left);
    EXPECT_EQ(list.top, text.bottom);
    EXPECT_EQ(list.Width(), control.Width());

    // Rows asked for are held to 8 ... 16: the list grows by 8 rows between the two.
    const int rowHeight = Box().GetMetrics()[TBM_ROW_HEIGHT];
    int heights[2] = {};
    const int asked[2] = {3, 40};
    for (int i = 0; i < 2; ++i) {
        m_combo.ShowDropDown(FALSE);
        m_combo.SetChoice(Root(), asked[i], m_john);
        ASSERT_TRUE(m_combo.ShowDropDown(TRUE));
        m_combo.GetList().GetWindowRect(&list);
        heights[i] = list.Height();
    }
    EXPECT_EQ(heights[1] - heights[0], 8 * rowHeight);

    // The button, and a click on the text, toggle the list.
    Click(m_combo.GetDropButton(), CPoint(4, 4));
    EXPECT_FALSE(m_combo.IsDroppedDown());
    Click(m_combo.GetTextField(), CPoint(4, 4));
    EXPECT_TRUE(m_combo.IsDroppedDown());
    Click(m_combo.GetTextField(), CPoint(4, 4));
    EXPECT_FALSE(m_combo.IsDroppedDown());
    EXPECT_TRUE(Told().empty());
}

TEST_F(AssocComboTest, TheFramedListLeavesItsDialogActiveAndStaysOnTheScreen)
{
    Open();
    EXPECT_EQ(CWnd::GetActiveWindow(), &m_host);
    EXPECT_EQ(CWnd::GetFocus(), &Box());
    const TestHooks::Image image = TestHooks::RenderWindow(m_combo.GetList());
    EXPECT_EQ(image.Pixel(0, image.height / 2), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(image.Pixel(image.width - 1, 0), GetSysColor(COLOR_WINDOWFRAME));
    m_combo.ShowDropDown(FALSE);

    // Near the work area's bottom the list goes above the control; past its right edge it
    // moves left.
    CRect work;
    GetWorkArea(CPoint(0, 0), &work);
    struct Case {
        CPoint hostAt;
        bool above, shifted;
    };
    for (const Case& c : {Case{CPoint(work.left + 20, work.top + 20), false, false},
                          Case{CPoint(work.left + 20, work.bottom - 60), true, false},
                          Case{CPoint(work.right - 100, work.top + 20), false, true},
                          Case{CPoint(work.right - 100, work.bottom - 40), true, true}}) {
        SCOPED_TRACE(c.hostAt.x * 10000 + c.hostAt.y);
        m_host.MoveWindow(c.hostAt.x, c.hostAt.y, 420, 340);
        ASSERT_TRUE(m_combo.ShowDropDown(TRUE));
        CRect control, text, list;
        m_combo.GetWindowRect(&control);
        m_combo.GetTextField().GetWindowRect(&text);
        m_combo.GetList().GetWindowRect(&list);
        EXPECT_EQ(list.Width(), control.Width());
        EXPECT_EQ(c.above ? list.bottom : list.top, c.above ? control.top : text.bottom);
        EXPECT_EQ(c.shifted ? list.right : list.left, c.shifted ? work.right : control.left);
        m_combo.ShowDropDown(FALSE);
    }
}

TEST_F(AssocComboTest, ArrowsPreviewAndEnterPicksTellingTheOwner)
{
    Open();
    Key(Box(), VK_DOWN);
    CRecordNode* previewed = m_combo.GetList().GetSelectedRecord();
    ASSERT_NE(previewed, m_john);
    EXPECT_EQ(Shown(), TextOf(previewed));
    EXPECT_EQ(m_combo.GetSelection(), m_john);
    EXPECT_TRUE(Told().empty());

    Key(Box(), VK_RETURN);
    EXPECT_FALSE(m_combo.IsDroppedDown());
    EXPECT_EQ(m_combo.GetSelection(), previewed);
    EXPECT_EQ(Shown(), TextOf(previewed));
    EXPECT_EQ(Told(), std::vector<std::string>{"changed"});
    EXPECT_EQ(CWnd::GetFocus(), &m_combo);

    // F4 and Alt+Down drop the list from the control.
    Key(m_combo, VK_F4);
    EXPECT_TRUE(m_combo.IsDroppedDown());
    Key(Box(), VK_ESCAPE);
    EXPECT_FALSE(m_combo.IsDroppedDown());
    Key(m_combo, VK_DOWN, MK_ALT);
    EXPECT_TRUE(m_combo.IsDroppedDown());
}

TEST_F(AssocComboTest, AClickOnARecordsRowPicksIt)
{
    Open();
    CTreeBoxNode* row = m_combo.GetList().FindRowByRecord(m_ann);
    ASSERT_NE(row, nullptr);
    CRect cell;
    ASSERT_TRUE(m_combo.GetList().GetValueCellRect(row, cell));
    Click(Box(), cell.CenterPoint());
    EXPECT_FALSE(m_combo.IsDroppedDown());
    EXPECT_EQ(m_combo.GetSelection(), m_ann);
    EXPECT_EQ(Shown(), TextOf(m_ann));
    EXPECT_EQ(Told(), std::vector<std::string>{"changed"});
}

TEST_F(AssocComboTest, EverythingThatClosesTheListWithoutAPickKeepsTheChoice)
{
    const struct {
        const char* what;
        std::function<void()> act;
    } rows[] = {
        {"a click outside", [this] { Click(m_other, CPoint(3, 3)); }},
        {"Escape", [this] { Key(Box(), VK_ESCAPE); }},
        {"a menu command", [this] { m_host.SendMessage(WM_COMMAND, 57600, 0); }},
        {"the window resized", [this] { m_host.MoveWindow(0, 0, 430, 350); }},
        {"the list losing the focus", [this] { m_other.SetFocus(); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Open();
        Key(Box(), VK_DOWN);
        ASSERT_NE(Shown(), TextOf(m_john));
        row.act();
        TestHooks::DeliverPosted();
        EXPECT_FALSE(m_combo.IsDroppedDown());
        EXPECT_EQ(m_combo.GetSelection(), m_john);
        EXPECT_EQ(Shown(), TextOf(m_john));
        EXPECT_TRUE(Told().empty());
    }

    // A window moved closes it, but not the list's own move as it drops (the window system
    // reports moves only from a running loop, so the watch's question is asked directly).
    Open();
    MSG moved;
    moved.message = WM_MOVE;
    moved.hwnd = &m_host;
    EXPECT_TRUE(m_combo.HookProc(moved));
    moved.hwnd = &m_combo.GetList();
    EXPECT_FALSE(m_combo.HookProc(moved));

    // A click inside the list (on its header) or a control's own notification leaves it down.
    Click(m_combo.GetList().GetHeader(), CPoint(3, 3));
    m_host.SendMessage(WM_COMMAND, MAKEWPARAM(9, 0), LPARAM(&m_other));
    TestHooks::DeliverPosted();
    EXPECT_TRUE(m_combo.IsDroppedDown());
}

TEST_F(AssocComboTest, ARecordDeletedWhileTheListIsDownLeavesTheListAndEmptiesTheChoice)
{
    records_test::CForwardingObserver observer;
    observer.m_control = &m_combo;
    SetDataObserver(&observer);
    Open();

    // The row under the caret goes: the preview follows what is left.
    Key(Box(), VK_DOWN);
    CRecordNode* previewed = m_combo.GetList().GetSelectedRecord();
    ASSERT_NE(previewed, nullptr);
    Root()->DeleteChild(previewed);
    NotifyChanges();
    EXPECT_TRUE(m_combo.IsDroppedDown());
    EXPECT_EQ(Box().GetCount(), 2);
    EXPECT_EQ(m_combo.GetList().FindRowByRecord(previewed), nullptr);
    EXPECT_EQ(m_combo.GetSelection(), m_john);

    // The chosen record goes: the chooser empties and stays empty once the list closes.
    Root()->DeleteChild(m_john);
    NotifyChanges();
    EXPECT_EQ(m_combo.GetSelection(), nullptr);
    EXPECT_EQ(Box().GetCount(), 1);
    Key(Box(), VK_ESCAPE);
    EXPECT_FALSE(m_combo.IsDroppedDown());
    EXPECT_TRUE(m_combo.IsEmpty());
    EXPECT_EQ(Shown(), "");

    // The data set emptied: nothing is left to offer or chosen.
    m_combo.SetSelection(m_ann);
    m_combo.OnDataChanged(nullptr, kHintDataSetClearing, nullptr);
    EXPECT_TRUE(m_combo.IsEmpty());
    EXPECT_EQ(Box().GetCount(), 0);
}

TEST_F(AssocComboTest, OneListIsDownAtATimeAndAGoneControlWatchesNothing)
{
    auto other = std::make_unique<CDataCtlAssocCombo>();
    ASSERT_TRUE(
        other->CreateCtl(TRUE, CRect(10, 40, 250, 62), &m_host, nullptr, 200, nullptr, nullptr, 0));
    other->SetChoice(Root(), 8, nullptr);
    Open();
    ASSERT_TRUE(other->ShowDropDown(TRUE));
    EXPECT_FALSE(m_combo.IsDroppedDown());
    EXPECT_TRUE(other->IsDroppedDown());

    // Ended while its list is down: later clicks and commands find no watch of it.
    other.reset();
    Click(m_other, CPoint(3, 3));
    m_host.SendMessage(WM_COMMAND, 57600, 0);
    TestHooks::DeliverPosted();
    Open();
    m_combo.DestroyWindow();
    Click(m_other, CPoint(3, 3));
    TestHooks::DeliverPosted();
    EXPECT_FALSE(m_combo.IsDroppedDown());
}

/// A parameter dialog's body, whose font the value editors take.
class ValueEditorRecordTest : public DataCtlTest {};

TEST_F(ValueEditorRecordTest, TheRecordEditorChoosesThroughTheChooser)
{
    CIndRec* john = NewIndividual(SEX_MALE, "John /Smith/");
    CIndRec* mary = NewIndividual(SEX_FEMALE, "Mary /Jones/");
    NotifyChanges();
    const CFieldDef* def = GetRecordTypeDef(record_test::kIndi);

    std::unique_ptr<CValueEditor> editor = CreateValueEditor(&m_host, TV_RECORD, def, {}, "Who");
    ASSERT_NE(editor, nullptr);
    editor->ShowWindow(SW_SHOW);
    auto* chooser = dynamic_cast<CDataCtlAssocCombo*>(editor->GetInputControl());
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->GetDlgCtrlID(), VALUE_EDITOR_INPUT_ID);
    std::string path;
    ASSERT_NE(chooser->GetDataPath(), nullptr);
    chooser->GetDataPath()->Format(path);
    EXPECT_EQ(path, "INDI");
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_FALSE(editor->Validate());
    EXPECT_EQ(Messages(), std::vector<std::string>{"Missing value"});
    CTypedValue value;
    editor->GetValue(value);
    EXPECT_TRUE(value.IsNone());

    ASSERT_TRUE(chooser->ShowDropDown(TRUE));
    EXPECT_EQ(chooser->GetList().GetBox().GetCount(), 2);
    CTreeBox& box = chooser->GetList().GetBox();
    box.SetFocusItem(chooser->GetList().FindRowByRecord(mary), false);
    Key(box, VK_RETURN);
    EXPECT_TRUE(editor->Validate());
    editor->GetValue(value);
    ASSERT_EQ(value.GetType(), TV_RECORD);
    EXPECT_EQ(value.GetRecord(), mary);

    // Without an owner the chooser leaves Tab, Enter and Escape to the dialog around it.
    for (UINT key : {UINT(VK_TAB), UINT(VK_RETURN), UINT(VK_ESCAPE)}) {
        MSG msg;
        msg.hwnd = chooser;
        msg.message = WM_KEYDOWN;
        msg.wParam = key;
        EXPECT_FALSE(chooser->PreTranslateMessage(&msg)) << key;
    }

    CTypedValue current;
    current.SetRecord(john);
    editor = CreateValueEditor(&m_host, TV_RECORD, def, current, "Who");
    ASSERT_NE(editor, nullptr);
    chooser = dynamic_cast<CDataCtlAssocCombo*>(editor->GetInputControl());
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->GetSelection(), john);
    EXPECT_EQ(Text(&chooser->GetTextField()), ValueOf(john));
}

} // namespace
