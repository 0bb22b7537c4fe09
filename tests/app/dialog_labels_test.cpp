// tests/app/dialog_labels_test.cpp: every one-line label of the program's dialog templates shows
// its whole text in the template's font, so that no label is cut short on screen.
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/static.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/support/window_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

/// The text a static shows: one "&" of each pair, none before a mnemonic letter.
std::string ShownText(const std::string& text)
{
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

/// A shown static of one line of text: left, centred or right, at most one line high, and no
/// placeholder that the program replaces by a control ("~FIELD", "<ColBox>").
bool IsOneLineLabel(const DialogItemTemplate& item, int lineHeight)
{
    const DWORD type = item.style & SS_TYPEMASK;
    if (item.className != "Static" || item.text.empty() || item.cy > lineHeight ||
        !(item.style & WS_VISIBLE))
        return false;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP)
        return false;
    return item.text.find('~') == std::string::npos && item.text.front() != '<';
}

TEST(DialogLabelsTest, EveryOneLineLabelShowsItsWholeText)
{
    test_support::UseCompiledResources();
    std::vector<std::string> cut;
    const TestHooks::Image unused = TestHooks::RenderDC(1, 1, [&](CDC& dc) {
        for (UINT id = 1; id < 0x10000; ++id) {
            const CDialogTemplate* dialog = AppResources().FindDialog(id);
            if (!dialog)
                continue;
            const LOGFONT logFont = dialog->GetFont();
            const CSize units = GetDialogBaseUnits(logFont);
            CFont font;
            font.CreateFontIndirect(&logFont);
            CFont* old = dc.SelectObject(&font);
            for (const DialogItemTemplate& item : dialog->m_items) {
                const DWORD kind = item.style & BS_TYPEMASK;
                const bool box =
                    item.className == "Button" && item.cy <= 10 && (item.style & WS_VISIBLE) &&
                    !item.text.empty() &&
                    (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
                     kind == BS_AUTORADIOBUTTON || kind == BS_3STATE || kind == BS_AUTO3STATE);
                if (!box && !IsOneLineLabel(item, 10))
                    continue;
                RECT place = item.Rect();
                MapDialogRect(units, place);
                const std::string shown =
                    item.style & SS_NOPREFIX ? item.text : ShownText(item.text);
                const int needed = dc.GetTextExtent(shown).cx + (box ? 18 : 0);
                if (needed > place.right - place.left)
                    cut.push_back(std::to_string(id) + " \"" + item.text + "\" " +
                                  std::to_string(needed) + " > " +
                                  std::to_string(place.right - place.left));
            }
            dc.SelectObject(old);
        }
    });
    EXPECT_EQ(cut, std::vector<std::string>{});
}

} // namespace
