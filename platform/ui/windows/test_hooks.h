// platform/ui/windows/test_hooks.h: lets a test drive the window layer without a person: every
// modal question is answered from a script, and a question with no answer fails the test, never
// hangs.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/log_font.h"
#include "platform/base/prompt_script.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CDC;
class CDialog;
class CFileDialog;
class CPropertySheet;
class CView;
class CWnd;

namespace TestHooks {

/// Starts the application object on the offscreen platform when none exists and turns the hooks
/// on: from then on no real modal loop starts, and timers run on a clock that only the test
/// moves. onFailure is told of every unanswered question.
void Enable(std::function<void(std::string)> onFailure);
bool IsEnabled();

/// Answers the next message box (IDOK, IDYES, IDNO, IDCANCEL); answers are used in order.
void AnswerMessageBox(int answer);
/// The boxes shown since the last call, with their texts, captions, styles and answers.
std::vector<CPromptScript::Shown> TakeMessages();
/// The documents and addresses that would have been opened through the desktop.
std::vector<std::string> TakeShellOpens();
int BeepCount();

// Pickers and pop-up menus. Answers are used in order; a picker or pop-up shown with no answer
// queued fails the test and ends as Cancel.
/// Answers the next file picker with these names, as typed (the picker then adds its default
/// extension and runs its checks); an empty list cancels it. panelDriver, when given, first acts
/// on the picker's panel (CFileDialog::GetPanel) as the user would.
void AnswerFilePicker(std::vector<std::string> paths,
                      std::function<void(CFileDialog&)> panelDriver = {});
/// Answers the next folder picker; an empty path cancels it.
void AnswerFolderPicker(std::string path);
/// Answers the next print dialog (the one that starts a job): OK with the PDF file that the
/// virtual printer writes and the pages fromPage..toPage (0, 0: all pages), or Cancel.
void AnswerPrintDialog(bool ok, std::string pdfPath, UINT fromPage = 0, UINT toPage = 0);
/// Answers the next print-setup dialog: OK with the orientation chosen (DMORIENT_PORTRAIT or
/// DMORIENT_LANDSCAPE; 0 keeps it), or Cancel.
void AnswerPrintSetup(bool ok, int orientation = 0);
/// Answers the next font dialog with the font chosen; nothing cancels it.
void AnswerFont(std::optional<LOGFONT> font);
/// The next count fonts made fail (CFont::CreateFontIndirect answers FALSE).
void FailFontCreations(int count);
/// Removes every printer, the virtual one too, or brings them back.
void SetNoPrinter(bool noPrinter);
/// Chooses the command in the next pop-up menu; 0 dismisses it.
void AnswerPopupMenu(UINT commandId);
/// The window that the last message box was marked as standing over for the desktop (the window
/// manager's owner of the box); null when it stood over none.
CWnd* MessageBoxOwner();
/// The items of the last pop-up menu, after its update pass: each text as it stands ("&Copy"),
/// "-" for a separator, a pop-up's text followed by " >", and " [grey]" and " [checked]"
/// added to an item in that state.
std::vector<std::string> PopupMenuItems();

// Dialogs and property sheets. No modal loop runs: the driver runs once the dialog (or the
// sheet with its first page) is initialised, acts through the controls, and must end it. A
// dialog or sheet shown with no driver queued, or left open by its driver, fails the test and
// ends as IDCANCEL. The actions below fail the test, doing nothing, when the control is missing,
// hidden or disabled, or cannot take the action.
/// Drives the next modal dialog, which must be made from templateId (0: whichever comes).
void OnNextDialog(UINT templateId, std::function<void(CDialog&)> driver);
void OnNextSheet(std::function<void(CPropertySheet&)> driver);
/// Types text in place of the text of control id of dlg (an edit, or a combo box with an edit),
/// as the user would: the control notifies (EN_CHANGE, CBN_EDITCHANGE) and counts as modified.
void SetText(CWnd& dlg, int id, std::string_view text);
/// Clicks control id of dlg: a button (BN_CLICKED, after a check box toggles or an automatic
/// radio button checks itself) or a static.
void Click(CWnd& dlg, int id);
/// Chooses item index of control id of dlg (a combo box, list box, list control or tab
/// control) as a click on it would, with the notifications the user's choice sends.
void SelectItem(CWnd& dlg, int id, int index);
enum class SheetButton { Ok, Cancel, Apply, Back, Next, Finish };
/// Clicks the sheet's button.
void PressSheetButton(CPropertySheet& sheet, SheetButton button);

// Idle and commands.
/// Runs the application's idle work, OnIdle(0), OnIdle(1), ... until it wants no more (the
/// base idle with its update pass when there is no application object). Idle runs only here
/// under the hooks, never on its own.
void RunIdle();
/// Runs the command as a menu choice would: the update pass for it first; false, without
/// running it, when that leaves it disabled.
bool RunCommand(CWnd& frame, UINT id);

// Input. Events are queued as the desktop would queue them; DeliverPosted (or a loop that
// pumps messages) delivers them in order.
enum class MouseEvent {
    Move,
    LeftDown,
    LeftUp,
    LeftDoubleClick,
    RightDown,
    RightUp,
    RightDoubleClick,
    MiddleDown,
    MiddleUp,
    MiddleDoubleClick,
};
/// A mouse event at point (client coordinates) with the MK_ flags held after it.
void PostMouse(CWnd& wnd, MouseEvent event, CPoint point, UINT mk);
/// A wheel turn of delta (120 per notch, positive away from the user) at point.
void PostWheel(CWnd& wnd, int delta, CPoint point, UINT mk);
/// A key pressed and released on wnd, with MK_SHIFT, MK_CONTROL and MK_ALT held; it types what
/// the key types on a US keyboard.
void PostKey(CWnd& wnd, UINT vk, UINT mk);
/// Delivers what was posted, then carries out deferred deletions.
void DeliverPosted();
/// What the faults that reached the event loop since the last call said, oldest first; each
/// would have ended the program after its message, which the test answers.
std::vector<std::string> TakeProgramFaults();
/// The warnings the toolkit under the window layer gave since the last call, oldest first (they
/// are still printed): a fault of the layer's use of it, such as a request it had to refuse.
std::vector<std::string> TakeToolkitWarnings();
/// Tells the program, as the desktop does, that its colours (or, without colours, its fonts
/// and other settings) changed.
void SendDesktopChange(bool colours);
/// Clicks the close box of a window's title bar (a top-level window or an MDI child).
void PressCloseBox(CWnd& wnd);
/// Drags the sizing border of a top-level window towards a client size of width by height, as
/// the user does; the window keeps within the sizes it allows.
void DragWindowSize(CWnd& wnd, int width, int height);
/// Opens the pop-up at position on the frame's menu bar as a click on its title does (the
/// frame runs its update pass), and highlights the item of command highlight when given, as
/// the pointer does. The pop-up stays open until CloseMenuBarPopup.
void OpenMenuBarPopup(CWnd& frame, int position, UINT highlight = 0);
void CloseMenuBarPopup(CWnd& frame);
/// Does to a window's own scroll bar (SB_HORZ, SB_VERT), or to a scroll bar control (SB_CTL),
/// what the user does with the mouse: a line, page or end step by its SB_ code, or with
/// SB_THUMBTRACK a thumb drag to thumbPos and its release.
void ScrollBarAction(CWnd& wnd, int bar, UINT code, int thumbPos = 0);

// Time. Under the hooks GetTickCount stands still until the test moves it.
/// Moves GetTickCount on by ms and fires due timers, the earliest first.
void AdvanceClock(DWORD ms);

// Rendering.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels; // row after row, top first

    /// The pixel at (x, y); 0xFFFFFFFF outside the image.
    COLORREF Pixel(int x, int y) const;
    bool SavePng(const std::string& path) const;
};
/// The window with its children, as it shows on screen, after pending painting.
Image RenderWindow(CWnd& wnd);
/// The window's part of what its top-level window last put on the screen, after the painting
/// the event loop has pending: unlike RenderWindow, which paints everything afresh, this shows
/// what was left unpainted or painted over.
Image ShownImage(CWnd& wnd);
/// What draw draws through a device context on a white image of that size.
Image RenderDC(int width, int height, const std::function<void(CDC&)>& draw);
/// Page (from 1) of the view's print preview as the preview draws it: OnPreparePrinting with
/// m_bPreview set, the print loop up to that page on the application's printer, then
/// OnEndPrintPreview. The image is the whole sheet at 100 dots per inch, white, with the page's
/// drawing offset by the unprintable margin; on the virtual printer one image pixel is six
/// printer pixels, and the printable area starts at (25, 25). Empty when the view refused, or
/// the loop ended before that page.
Image RenderPreviewPage(CView& view, int page);
/// The page area of the view's open print preview window (the sheets on their ground) as it
/// shows after pending painting; empty when the view has no preview open.
Image RenderPreviewWindow(CView& view);

} // namespace TestHooks
