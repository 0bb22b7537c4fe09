// tests/platform/ui/dialogs/control_colours_test.cpp: controls ask their parent for their colours
// before they paint, with the kind of their request, and paint with the answer, read back from the
// rendered controls.
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/dialogs/list_box.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/sys_metrics.h"
#include "tests/platform/ui/dialogs/dialog_fixture.h"

#include <map>

namespace {

using dialog_test::DialogResources;

constexpr COLORREF kText = RGB(255, 0, 0), kBack = RGB(0, 0, 160), kOwn = RGB(0, 160, 0);

/// Answers the request of each control listed with red text on dark blue; the others are left to
/// the base. Records the kind of each control's last request.
class ColouringDialog final : public CDialog {
public:
    ColouringDialog() : CDialog(300) {}

    std::map<int, bool> m_answer;
    std::map<int, UINT> m_kinds;
    CBrush m_brush{kBack};

protected:
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override
    {
        const int id = wnd->GetDlgCtrlID();
        m_kinds[id] = ctlColor;
        if (!m_answer[id])
            return CDialog::OnCtlColor(dc, wnd, ctlColor);
        dc->SetTextColor(kText);
        return m_brush.GetSafeHandle();
    }
};

/// An edit that answers its own colour request when its parent leaves it to it.
class OwnColoursEdit final : public CEdit {
public:
    CBrush m_brush{kOwn};

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (message != WM_CTLCOLOREDIT)
            return CEdit::OnChildNotify(message, wParam, lParam, result);
        *result = LRESULT(m_brush.GetSafeHandle());
        return TRUE;
    }
};

struct Counts {
    int back = 0;
    int text = 0;
    int own = 0;
};

/// The colours of the control's pixels, rendered with its dialog as on screen.
Counts Count(CWnd& control)
{
    CWnd& dialog = *control.GetParent();
    const TestHooks::Image image = TestHooks::RenderWindow(dialog);
    CRect rect;
    control.GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    Counts counts;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF pixel = image.Pixel(x, y);
            counts.back += pixel == kBack;
            counts.own += pixel == kOwn;
            counts.text += GetRValue(pixel) > 0xC0 && GetGValue(pixel) < 0x40;
        }
    }
    return counts;
}

/// How many of the control's pixels, rendered with its dialog, are of the colour.
int CountColour(CWnd& control, COLORREF colour)
{
    CWnd& dialog = *control.GetParent();
    const TestHooks::Image image = TestHooks::RenderWindow(dialog);
    CRect rect;
    control.GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            count += image.Pixel(x, y) == colour;
    return count;
}

class ControlColoursTest : public DialogResources {
protected:
    void SetUp() override
    {
        DialogResources::SetUp();
        ASSERT_TRUE(m_dialog.Create(300));
        m_dialog.ShowWindow(SW_SHOW);
        m_dialog.GetDlgItem(301)->SetWindowText("HHHH");
        m_dialog.GetDlgItem(302)->SetWindowText("HHHH\r\nHHHH");
        static_cast<CListBox*>(m_dialog.GetDlgItem(305))->AddString("HHHH");
    }
    void TearDown() override
    {
        m_dialog.DestroyWindow();
        DialogResources::TearDown();
    }

    ColouringDialog m_dialog;
};

TEST_F(ControlColoursTest, ControlsPaintWithTheColoursTheirParentAnswers)
{
    struct Row {
        int id;
        UINT kind;
        bool hasText;
    };
    const Row rows[] = {
        {301, CTLCOLOR_EDIT, true},   {302, CTLCOLOR_EDIT, true},
        {303, CTLCOLOR_STATIC, true}, {305, CTLCOLOR_LISTBOX, true},
        {312, CTLCOLOR_STATIC, true}, {1, 0, true}, // push buttons keep their own look
    };
    for (const Row& row : rows) {
        CWnd& control = *m_dialog.GetDlgItem(row.id);
        const Counts usual = Count(control);
        EXPECT_EQ(m_dialog.m_kinds[row.id], row.kind) << row.id;
        EXPECT_EQ(usual.back, 0) << row.id;
        EXPECT_EQ(usual.text, 0) << row.id;

        m_dialog.m_answer[row.id] = true;
        control.Invalidate();
        const Counts answered = Count(control);
        CRect rect;
        control.GetClientRect(&rect);
        if (row.kind) {
            EXPECT_GT(answered.back, rect.Width() * rect.Height() / 3) << row.id;
            EXPECT_GT(answered.text, 0) << row.id;
        } else {
            EXPECT_EQ(answered.back, 0) << row.id;
        }

        // Left to the base again, the control takes its usual colours back.
        m_dialog.m_answer[row.id] = false;
        control.Invalidate();
        EXPECT_EQ(Count(control).back, 0) << row.id;
    }
}

TEST_F(ControlColoursTest, AReadOnlyOrDisabledEditAsksAsAStatic)
{
    auto& edit = *static_cast<CEdit*>(m_dialog.GetDlgItem(301));
    edit.SetReadOnly(TRUE);
    Count(edit);
    EXPECT_EQ(m_dialog.m_kinds[301], CTLCOLOR_STATIC);
    edit.SetReadOnly(FALSE);
    edit.EnableWindow(FALSE);
    Count(edit);
    EXPECT_EQ(m_dialog.m_kinds[301], CTLCOLOR_STATIC);
    edit.EnableWindow(TRUE);
    Count(edit);
    EXPECT_EQ(m_dialog.m_kinds[301], CTLCOLOR_EDIT);
}

TEST_F(ControlColoursTest, AnEmptyReadOnlyOrDisabledEditLeftToItsParentsDefaultPaintsOnTheFace)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE), window = GetSysColor(COLOR_WINDOW);
    ASSERT_NE(face, window);
    for (const int id : {301, 302}) {
        auto& edit = *static_cast<CEdit*>(m_dialog.GetDlgItem(id));
        edit.SetWindowText("");
        CRect rect;
        edit.GetClientRect(&rect);
        const int half = rect.Width() * rect.Height() / 2;
        EXPECT_GT(CountColour(edit, window), half) << id;
        for (const bool readOnly : {true, false}) {
            SCOPED_TRACE(readOnly ? "read-only" : "disabled");
            if (readOnly)
                edit.SetReadOnly(TRUE);
            else
                edit.EnableWindow(FALSE);
            EXPECT_GT(CountColour(edit, face), half) << id;
            EXPECT_LT(CountColour(edit, window), half / 4) << id;

            // An answer from the parent still decides the background.
            m_dialog.m_answer[id] = true;
            edit.Invalidate();
            EXPECT_GT(Count(edit).back, half) << id;
            m_dialog.m_answer[id] = false;
            edit.SetReadOnly(FALSE);
            edit.EnableWindow(TRUE);
            EXPECT_GT(CountColour(edit, window), half) << id;
        }
    }
}

TEST_F(ControlColoursTest, AControlAnswersItsOwnRequestOnlyWhenTheParentLeavesIt)
{
    OwnColoursEdit edit;
    ASSERT_TRUE(
        edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 110, 30), &m_dialog, 330));
    EXPECT_GT(Count(edit).own, 0);
    m_dialog.m_answer[330] = true;
    edit.Invalidate();
    const Counts parents = Count(edit);
    EXPECT_EQ(parents.own, 0);
    EXPECT_GT(parents.back, 0);
}

} // namespace
