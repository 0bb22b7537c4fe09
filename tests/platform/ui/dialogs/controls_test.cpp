// tests/platform/ui/dialogs/controls_test.cpp: the standard controls' notification rules (what the
// user does notifies the parent, what the program does does not, except a text change of an edit),
// their click rules, radio groups, lists and the parent's vetoes, and how edits lay out long
// words.
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/dialogs/list_box.h"
#include "platform/ui/dialogs/list_ctrl.h"
#include "platform/ui/dialogs/rich_edit_ctrl.h"
#include "platform/ui/dialogs/spin_button_ctrl.h"
#include "platform/ui/dialogs/static.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/windows/clipboard.h"
#include "tests/platform/ui/dialogs/dialog_fixture.h"

#include <gtest/gtest-spi.h>

#include <chrono>
#include <functional>

namespace {

using dialog_test::DialogResources;
using dialog_test::RecordingDialog;
using Seen = std::vector<std::string>;

std::string Command(int id, UINT code)
{
    return std::to_string(id) + ":" + std::to_string(code);
}
std::string Notify(int id, UINT code)
{
    return std::to_string(id) + ":notify " + std::to_string(int(code));
}

class ControlsTest : public DialogResources {
protected:
    void SetUp() override
    {
        DialogResources::SetUp();
        ASSERT_TRUE(m_dialog.Create(300));
        m_dialog.ShowWindow(SW_SHOW);
        m_dialog.Take();
    }

    template <class Control> Control& Item(int id)
    {
        return *static_cast<Control*>(m_dialog.GetDlgItem(id));
    }

    RecordingDialog m_dialog{300};
};

TEST_F(ControlsTest, EditNotifiesEveryTextChangeButOnlyTypingModifies)
{
    CEdit& edit = Item<CEdit>(301);
    edit.SetWindowText("set");
    EXPECT_EQ(m_dialog.Take(), Seen{Command(301, EN_CHANGE)});
    EXPECT_FALSE(edit.GetModify());
    TestHooks::SetText(m_dialog, 301, "typed");
    EXPECT_EQ(m_dialog.Take(), Seen{Command(301, EN_CHANGE)});
    EXPECT_TRUE(edit.GetModify());
    edit.SetWindowText("again");
    EXPECT_FALSE(edit.GetModify());
    edit.SetSel(1, 3);
    edit.ReplaceSel("XY");
    std::string text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "aXYin");
    edit.SetReadOnly(TRUE);
    EXPECT_NONFATAL_FAILURE(TestHooks::SetText(m_dialog, 301, "no"), "cannot take that");
}

TEST_F(ControlsTest, EditShowsTheStartOfATextSetInCodeAndTheCaretAfterTyping)
{
    CEdit& edit = Item<CEdit>(301);
    const std::string place = "Brookline, Norfolk County, Massachusetts, United States of America";
    int start = -1, end = -1;
    edit.SetSel(2, 2);
    edit.SetWindowText(place);
    edit.GetSel(start, end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, 0));
    TestHooks::SetText(m_dialog, 301, "typed");
    edit.GetSel(start, end);
    EXPECT_EQ(std::pair(start, end), std::pair(5, 5));
}

TEST_F(ControlsTest, MultiLineEditSpeaksCrLfAndCountsUtf8Bytes)
{
    CEdit& edit = Item<CEdit>(302);
    edit.SetWindowText("Zoë\r\nLine two");
    std::string text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "Zoë\r\nLine two");
    EXPECT_EQ(edit.GetWindowTextLength(), 14);
    // "Zoë" is 4 bytes; the line break 2 more: "Line" starts at byte 6.
    edit.SetSel(6, 10);
    int start = 0, end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 6);
    EXPECT_EQ(end, 10);
    edit.ReplaceSel("First\r\nsecond");
    edit.GetWindowText(text);
    EXPECT_EQ(text, "Zoë\r\nFirst\r\nsecond two");
    edit.SetSel(3, 3); // inside "ë": moves to the character's end
    edit.GetSel(start, end);
    EXPECT_EQ(start, 4);
}

TEST_F(ControlsTest, MultiLineEditKeepsTypingWithinItsLimit)
{
    CEdit& edit = Item<CEdit>(302);
    edit.LimitText(5);
    TestHooks::SetText(m_dialog, 302, "abcdefgh");
    std::string text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "abcde");
    edit.SetWindowText("longer than five"); // text set in code is kept whole
    edit.GetWindowText(text);
    EXPECT_EQ(text, "longer than five");
}

TEST_F(ControlsTest, MultiLineEditLaysOutAMegabyteWordInTimeAndKeepsItWhole)
{
    CEdit& edit = Item<CEdit>(302);
    std::string word;
    for (int i = 0; word.size() < 1000000; ++i)
        word += char('a' + i % 26);
    const std::string texts[] = {word, "Before " + word + " after\r\nand a line"};
    for (const std::string& text : texts) {
        for (const bool typed : {false, true}) {
            const auto start = std::chrono::steady_clock::now();
            if (typed)
                TestHooks::SetText(m_dialog, 302, text);
            else
                edit.SetWindowText(text.c_str());
            TestHooks::RenderWindow(m_dialog);
            const auto took = std::chrono::steady_clock::now() - start;
            // Broken only between words, such a word took about two minutes.
            EXPECT_LT(took, std::chrono::seconds(10)) << typed;
            std::string back;
            edit.GetWindowText(back);
            EXPECT_EQ(back, text) << typed;
            edit.SetWindowText("");
        }
    }
}

TEST_F(ControlsTest, RichEditBreaksAWordLongerThanTheLineAndLaysOutAMegabyteOneInTime)
{
    CRichEditCtrl rich;
    ASSERT_TRUE(
        rich.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_READONLY | ES_MULTILINE,
                    CRect(0, 0, 200, 40), &m_dialog, 399));
    rich.SetWindowText("one line");
    const int oneLine = rich.GetRequestedHeight();
    ASSERT_GT(oneLine, 0);

    // Some 15 lines' worth of one word is broken where each line ends.
    const std::string word(300, 'w');
    for (const std::string& text : {word, "<p>A <b>long</b> word: " + word + " ends here.</p>"}) {
        rich.SetWindowText(text.c_str());
        EXPECT_GT(rich.GetRequestedHeight(), 4 * oneLine) << text;
    }
    std::string back;
    rich.GetWindowText(back);
    EXPECT_EQ(back, "A long word: " + word + " ends here.");

    std::string megabyte;
    for (int i = 0; megabyte.size() < 1000000; ++i)
        megabyte += char('a' + i % 26);
    const auto start = std::chrono::steady_clock::now();
    rich.SetWindowText(megabyte.c_str());
    const int height = rich.GetRequestedHeight();
    TestHooks::RenderWindow(m_dialog);
    // Broken only between words where it could, such a word took minutes.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_GT(height, 1000 * oneLine);
    rich.GetWindowText(back);
    EXPECT_EQ(back, megabyte);
}

TEST_F(ControlsTest, SingleLineEditCutsALongPasteToItsRoomInTime)
{
    CEdit& edit = Item<CEdit>(301);
    constexpr int kRoom = 600000;
    edit.LimitText(kRoom);
    const std::string longer(kRoom + 100000, 'x');
    const std::string expected = "<" + std::string(kRoom - 2, 'x') + ">";
    ASSERT_TRUE(SetClipboardText(longer));
    const std::function<void()> pastes[] = {
        [&] { edit.Paste(); },
        [&] { edit.ReplaceSel(longer.c_str()); },
        [&] {
            edit.SetFocus();
            TestHooks::PostKey(edit, 'V', MK_CONTROL);
            TestHooks::DeliverPosted();
        },
        [&] {
            edit.SetFocus();
            TestHooks::PostKey(edit, VK_INSERT, MK_SHIFT);
            TestHooks::DeliverPosted();
        },
    };
    for (std::size_t i = 0; i < std::size(pastes); ++i) {
        edit.SetWindowText("<>");
        edit.SetSel(1, 1);
        const auto start = std::chrono::steady_clock::now();
        pastes[i]();
        const auto took = std::chrono::steady_clock::now() - start;
        // Qt copies a text longer than the room once per character it keeps: over 20 s here.
        EXPECT_LT(took, std::chrono::seconds(10)) << i;
        std::string text;
        edit.GetWindowText(text);
        EXPECT_EQ(text.size(), expected.size()) << i;
        EXPECT_TRUE(text == expected) << i;
    }
    // A cut never leaves half of a character pair behind.
    edit.LimitText(3);
    edit.SetWindowText("ab");
    edit.SetSel(2, 2);
    edit.ReplaceSel("\xF0\x9F\x8C\xB3");
    std::string text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "ab");
}

TEST_F(ControlsTest, ButtonClicksFollowTheirKind)
{
    CButton& three = Item<CButton>(303);
    CButton& manual = Item<CButton>(304);
    three.SetCheck(BST_CHECKED);
    manual.SetCheck(BST_CHECKED);
    EXPECT_TRUE(m_dialog.Take().empty()); // setting a check notifies nobody
    std::vector<int> states;
    for (int click = 0; click < 3; ++click) {
        TestHooks::Click(m_dialog, 303);
        states.push_back(three.GetCheck());
    }
    EXPECT_EQ(states, (std::vector<int>{BST_INDETERMINATE, BST_UNCHECKED, BST_CHECKED}));
    TestHooks::Click(m_dialog, 304);
    EXPECT_EQ(manual.GetCheck(), BST_CHECKED); // a plain check box leaves its state to the program
    EXPECT_EQ(m_dialog.Take(), (Seen{Command(303, BN_CLICKED), Command(303, BN_CLICKED),
                                     Command(303, BN_CLICKED), Command(304, BN_CLICKED)}));
}

TEST_F(ControlsTest, AGroupBoxsFrameRunsThroughItsTitleLeavingTheLineBelowItFree)
{
    // A dialog template puts the box's first control one line below the box's top: the frame
    // must not cross it.
    CButton group;
    ASSERT_TRUE(group.Create("Options", WS_CHILD | WS_VISIBLE | BS_GROUPBOX,
                             CRect(10, 150, 210, 230), &m_dialog, 900));
    const int line = int(CClientDC(&group).GetTextExtent("Ag").cy);
    const TestHooks::Image image = TestHooks::RenderWindow(group);
    const int x = image.width - 8; // right of the title
    const COLORREF inside = image.Pixel(image.width / 2, image.height / 2);
    int frameTop = -1;
    for (int y = 0; y < image.height && frameTop < 0; ++y)
        if (image.Pixel(x, y) != inside)
            frameTop = y;
    ASSERT_GE(frameTop, 0);
    EXPECT_LE(frameTop, line / 2 + 1) << "line " << line;
    for (int y = frameTop + 2; y < line + 4; ++y)
        EXPECT_EQ(image.Pixel(x, y), inside) << y;
}

TEST_F(ControlsTest, StaticNotifiesClicksOnlyWithNotifyStyle)
{
    TestHooks::Click(m_dialog, 311);
    TestHooks::Click(m_dialog, 312);
    EXPECT_EQ(m_dialog.Take(), Seen{Command(311, STN_CLICKED)});
}

TEST_F(ControlsTest, ListBoxNotifiesTheUsersChoiceWhenAskedTo)
{
    CListBox& notifying = Item<CListBox>(305);
    CListBox& quiet = Item<CListBox>(306);
    for (CListBox* list : {&notifying, &quiet})
        for (const char* text : {"one", "two", "three"})
            list->AddString(text);
    notifying.SetCurSel(1);
    EXPECT_EQ(notifying.GetCurSel(), 1);
    EXPECT_TRUE(m_dialog.Take().empty());
    TestHooks::SelectItem(m_dialog, 305, 2);
    TestHooks::SelectItem(m_dialog, 306, 0);
    EXPECT_EQ(m_dialog.Take(), Seen{Command(305, LBN_SELCHANGE)});
    EXPECT_EQ(notifying.GetCurSel(), 2);
    EXPECT_EQ(quiet.GetCurSel(), 0);
    notifying.SetCurSel(-1);
    EXPECT_EQ(notifying.GetCurSel(), LB_ERR);
}

TEST_F(ControlsTest, ComboBoxNotifiesChoicesAndTypingOnly)
{
    CComboBox& combo = Item<CComboBox>(313);
    for (const char* text : {"Alpha", "beta", "Gamma"})
        combo.AddString(text);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR); // adding items selects none
    combo.SetCurSel(1);
    combo.SetWindowText("edited in code");
    EXPECT_TRUE(m_dialog.Take().empty());
    TestHooks::SelectItem(m_dialog, 313, 2);
    TestHooks::SetText(m_dialog, 313, "typed");
    EXPECT_EQ(m_dialog.Take(), (Seen{Command(313, CBN_SELCHANGE), Command(313, CBN_EDITCHANGE)}));
    std::string text;
    combo.GetWindowText(text);
    EXPECT_EQ(text, "typed");
}

TEST_F(ControlsTest, ListSearchesIgnoreCaseAndWrapRound)
{
    CComboBox& combo = Item<CComboBox>(313);
    for (const char* text : {"Apple", "banana", "apricot", "Banana"})
        combo.AddString(text);
    struct Case {
        int start;
        const char* text;
        bool exact;
        int found;
    };
    const Case cases[] = {
        {-1, "ap", false, 0},          {0, "ap", false, 2},    {2, "ap", false, 0}, // wraps round
        {-1, "BANANA", true, 1},       {1, "banana", true, 3}, {-1, "ban", true, CB_ERR},
        {-1, "cherry", false, CB_ERR},
    };
    for (const Case& c : cases) {
        const int found =
            c.exact ? combo.FindStringExact(c.start, c.text) : combo.FindString(c.start, c.text);
        EXPECT_EQ(found, c.found) << c.start << " " << c.text;
    }
}

TEST_F(ControlsTest, SortedListsInsertWithoutRegardToCase)
{
    CDialog sorted(200);
    ASSERT_TRUE(sorted.Create(200));
    auto& places = *static_cast<CComboBox*>(sorted.GetDlgItem(206));
    for (const char* text : {"york", "Bath", "ayr", "Ayr", "bath"})
        places.AddString(text);
    std::vector<std::string> order;
    for (int i = 0; i < places.GetCount(); ++i) {
        std::string text;
        places.GetLBText(i, text);
        order.push_back(text);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"ayr", "Ayr", "Bath", "bath", "york"}));
    EXPECT_EQ(places.InsertString(0, "zzz"), 0); // InsertString keeps the place it is given
    places.SetItemData(0, DWORD_PTR(0xFEEDFACECAFEULL));
    EXPECT_EQ(places.GetItemData(0), DWORD_PTR(0xFEEDFACECAFEULL));
}

TEST_F(ControlsTest, RadioButtonsClearOnlyTheirOwnGroup)
{
    CDialog dialog(200);
    ASSERT_TRUE(dialog.Create(200));
    dialog.ShowWindow(SW_SHOW);
    dialog.CheckRadioButton(221, 222, 221);
    TestHooks::Click(dialog, 211);
    TestHooks::Click(dialog, 213); // across a static without WS_GROUP: still the same group
    EXPECT_EQ(dialog.IsDlgButtonChecked(211), BST_UNCHECKED);
    EXPECT_EQ(dialog.IsDlgButtonChecked(213), BST_CHECKED);
    EXPECT_EQ(dialog.IsDlgButtonChecked(221), BST_CHECKED); // the next group is untouched
    TestHooks::Click(dialog, 213);
    EXPECT_EQ(dialog.IsDlgButtonChecked(213), BST_CHECKED); // clicking a checked radio keeps it
    TestHooks::Click(dialog, 222);
    EXPECT_EQ(dialog.IsDlgButtonChecked(221), BST_UNCHECKED);
    EXPECT_EQ(dialog.IsDlgButtonChecked(213), BST_CHECKED);
}

TEST_F(ControlsTest, ListControlAsksBeforeTheUsersSelectionChanges)
{
    CListCtrl& list = Item<CListCtrl>(307);
    EXPECT_EQ(list.InsertColumn(0, "Name", LVCFMT_LEFT, 80), 0);
    EXPECT_EQ(list.InsertColumn(1, "Born", LVCFMT_RIGHT, 40), 1);
    for (const char* name : {"Ann", "Bob", "Cy"})
        list.SetItemText(list.InsertItem(list.GetItemCount(), name), 1, "1900");
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(m_dialog.Take().empty());
    TestHooks::SelectItem(m_dialog, 307, 2);
    EXPECT_EQ(m_dialog.Take(), (Seen{Notify(307, LVN_ITEMCHANGING), Notify(307, LVN_ITEMCHANGING),
                                     Notify(307, LVN_ITEMCHANGED), Notify(307, LVN_ITEMCHANGED)}));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    m_dialog.m_notifyAnswer = 1; // the parent refuses
    TestHooks::SelectItem(m_dialog, 307, 1);
    EXPECT_EQ(m_dialog.Take(), Seen{Notify(307, LVN_ITEMCHANGING)});
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(list.GetSelectedCount(), 1u);
    EXPECT_EQ(list.GetItemText(1, 0), "Bob");
    EXPECT_EQ(list.GetItemText(2, 1), "1900");
}

TEST_F(ControlsTest, TabControlLetsTheParentKeepTheCurrentTab)
{
    CTabCtrl& tabs = Item<CTabCtrl>(308);
    for (const char* text : {"General", "Files", "Other"})
        tabs.InsertItem(tabs.GetItemCount(), text);
    tabs.SetCurSel(1);
    EXPECT_TRUE(m_dialog.Take().empty());
    m_dialog.m_notifyAnswer = 1;
    TestHooks::SelectItem(m_dialog, 308, 2);
    EXPECT_EQ(tabs.GetCurSel(), 1);
    EXPECT_EQ(m_dialog.Take(), Seen{Notify(308, TCN_SELCHANGING)});
    m_dialog.m_notifyAnswer = 0;
    TestHooks::SelectItem(m_dialog, 308, 0);
    EXPECT_EQ(m_dialog.Take(), (Seen{Notify(308, TCN_SELCHANGING), Notify(308, TCN_SELCHANGE)}));
    EXPECT_EQ(tabs.GetCurSel(), 0);
    CRect area(0, 0, 200, 100);
    tabs.AdjustRect(FALSE, &area);
    CRect back = area;
    tabs.AdjustRect(TRUE, &back);
    EXPECT_EQ(back, CRect(0, 0, 200, 100));
    EXPECT_GT(area.top, 10);
}

TEST_F(ControlsTest, TabControlPaintsItsDisplayAreaInTheDialogsColourUnderEveryTab)
{
    CTabCtrl& tabs = Item<CTabCtrl>(308);
    for (const char* text : {"One", "Two"})
        tabs.InsertItem(tabs.GetItemCount(), text);
    CRect window, area, chosen, other;
    tabs.GetWindowRect(&window);
    m_dialog.ScreenToClient(&window);
    tabs.GetClientRect(&area);
    tabs.AdjustRect(FALSE, &area);
    area.OffsetRect(window.left, window.top);
    for (const int selected : {0, 1}) {
        SCOPED_TRACE(selected);
        tabs.SetCurSel(selected);
        tabs.GetItemRect(selected, &chosen);
        tabs.GetItemRect(1 - selected, &other);
        const TestHooks::Image image = TestHooks::RenderWindow(m_dialog);
        const COLORREF face = image.Pixel(2, image.height - 3); // the dialog's own background
        for (int y = area.top + 1; y < area.bottom - 1; ++y) {
            EXPECT_EQ(image.Pixel(window.left + chosen.CenterPoint().x, y), face) << y;
            EXPECT_EQ(image.Pixel(window.left + other.CenterPoint().x, y), face) << y;
        }
    }
}

TEST_F(ControlsTest, TabsThatDoNotFitScrollWithSmallArrowsAtTheRightEndOfTheirRow)
{
    CWnd host;
    ASSERT_TRUE(
        host.Create(nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 300), nullptr, 0));
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 260, 120), &host, 70));
    for (const char* text : {"Individuals", "Families", "Notes", "Sources", "Repositories",
                             "Submitters", "Submissions", "Multimedia"})
        tabs.InsertItem(tabs.GetItemCount(), text);
    // Wider than high, then narrower than high.
    for (const CSize size : {CSize(260, 120), CSize(180, 240)}) {
        SCOPED_TRACE(size.cx);
        tabs.MoveWindow(0, 0, size.cx, size.cy);
        CRect row;
        tabs.GetItemRect(0, &row);
        const TestHooks::Image image = TestHooks::RenderWindow(host);
        const COLORREF face = image.Pixel(8, row.bottom + 8); // the display area
        const int arrowsLeft = size.cx - 2 * row.Height();
        int dark = 0;
        for (int y = 0; y < row.bottom; ++y)
            for (int x = arrowsLeft; x < size.cx; ++x)
                dark += GetRValue(image.Pixel(x, y)) < 0x60 && GetGValue(image.Pixel(x, y)) < 0x60;
        EXPECT_GT(dark, 4) << "no arrows in the row of tabs";
        for (int y = row.bottom + 4; y < size.cy - 4; ++y)
            for (int x = arrowsLeft; x < size.cx - 4; ++x)
                ASSERT_EQ(image.Pixel(x, y), face) << x << "," << y << ": below the row";

        // The last tab comes into view when chosen.
        tabs.SetCurSel(7);
        CRect last;
        tabs.GetItemRect(7, &last);
        EXPECT_GE(last.left, 0);
        EXPECT_LE(last.right, size.cx - row.Height()) << "under the arrows";
        tabs.SetCurSel(0);
    }
    host.DestroyWindow();
}

TEST_F(ControlsTest, SpinnerStepsItsBuddyAndReportsAsScrolling)
{
    auto& spin = Item<CSpinButtonCtrl>(310);
    EXPECT_EQ(spin.GetBuddy(), m_dialog.GetDlgItem(309)); // the control made just before it
    CRect buddy, arrows;
    m_dialog.GetDlgItem(309)->GetWindowRect(&buddy);
    spin.GetWindowRect(&arrows);
    EXPECT_EQ(arrows.right, buddy.right + arrows.Width()); // moved onto the buddy's right edge
    spin.SetRange32(0, 3);
    spin.SetPos32(2);
    std::string shown;
    m_dialog.GetDlgItemText(309, shown);
    EXPECT_EQ(shown, "2");
    m_dialog.Take();
    CRect client;
    spin.GetClientRect(&client);
    const CPoint up(client.Width() / 2, 1), down(client.Width() / 2, client.Height() - 2);
    for (const CPoint& point : {up, up, down}) {
        TestHooks::PostMouse(spin, TestHooks::MouseEvent::LeftDown, point, MK_LBUTTON);
        TestHooks::PostMouse(spin, TestHooks::MouseEvent::LeftUp, point, 0);
    }
    TestHooks::DeliverPosted();
    EXPECT_EQ(spin.GetPos32(), 2); // 3, then held at the top, then 2
    const std::string asked = Notify(310, UDN_DELTAPOS), shownInBuddy = Command(309, EN_CHANGE);
    EXPECT_EQ(m_dialog.Take(), (Seen{asked, shownInBuddy, "vscroll 4 3", "vscroll 8 0", asked,
                                     asked, shownInBuddy, "vscroll 4 2", "vscroll 8 0"}));
    m_dialog.SetDlgItemText(309, "1");
    EXPECT_EQ(spin.GetPos32(), 1); // read back from the buddy
    m_dialog.SetDlgItemText(309, "x");
    BOOL error = FALSE;
    EXPECT_EQ(spin.GetPos32(&error), 1);
    EXPECT_TRUE(error);
}

} // namespace
