// tests/controls/text_dlg_test.cpp: the long-text dialog: its single Close button and its layout
// when resized.
#include "controls/text_dlg.h"
#include "tests/controls/dialog_test_fixture.h"

#include <cstdlib>

namespace {

using controls_test::DialogTest;

constexpr int kEdit = 1038;

CRect PlaceOf(const CWnd& dlg, int id)
{
    CRect rect;
    dlg.GetDlgItem(id)->GetWindowRect(&rect);
    dlg.ScreenToClient(&rect);
    return rect;
}

/// Resizes the dialog so that its client area is cx by cy.
void ResizeClient(CWnd& dlg, int cx, int cy)
{
    CRect window, client;
    dlg.GetWindowRect(&window);
    dlg.GetClientRect(&client);
    dlg.MoveWindow(window.left, window.top, cx + window.Width() - client.Width(),
                   cy + window.Height() - client.Height());
}

using TextDlgTest = DialogTest;

TEST_F(TextDlgTest, CloseOnlyShowsOneCentredButton)
{
    CTextDlg dialog;
    dialog.m_text = "Fixed";
    dialog.m_closeOnly = true;
    TestHooks::OnNextDialog(153, [](CDialog& dlg) {
        EXPECT_FALSE(dlg.GetDlgItem(IDCANCEL)->IsWindowVisible());
        EXPECT_EQ(DialogTest::Text(dlg, IDOK), "&Close");
        CRect client;
        dlg.GetClientRect(&client);
        const CRect close = PlaceOf(dlg, IDOK);
        EXPECT_LE(std::abs(close.left - (client.Width() - close.right)), 1);
        TestHooks::Click(dlg, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST_F(TextDlgTest, ResizingKeepsMarginsAndTheEditNeverVanishes)
{
    CTextDlg dialog;
    TestHooks::OnNextDialog(153, [](CDialog& dlg) {
        const CRect edit = PlaceOf(dlg, kEdit);
        const CRect ok = PlaceOf(dlg, IDOK);
        CRect client;
        dlg.GetClientRect(&client);
        const int below = client.bottom - ok.bottom;

        ResizeClient(dlg, 600, 400);
        CRect resized;
        dlg.GetClientRect(&resized);
        const CRect wide = PlaceOf(dlg, kEdit);
        EXPECT_EQ(wide.TopLeft(), edit.TopLeft());
        EXPECT_EQ(wide.right, resized.right - edit.left);
        const CRect okWide = PlaceOf(dlg, IDOK);
        EXPECT_EQ(resized.bottom - okWide.bottom, below);
        EXPECT_EQ(okWide.top - wide.bottom, ok.top - edit.bottom);
        const CRect cancelWide = PlaceOf(dlg, IDCANCEL);
        EXPECT_LE(std::abs(okWide.left - (resized.right - cancelWide.right)), 1);

        ResizeClient(dlg, 4, 4);
        const CRect tiny = PlaceOf(dlg, kEdit);
        EXPECT_EQ(tiny.Width(), 5);
        EXPECT_EQ(tiny.Height(), 5);
        TestHooks::Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

} // namespace
