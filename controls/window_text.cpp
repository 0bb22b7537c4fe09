// controls/window_text.cpp: setting a window text when it changes, dialog combos, item digits and
// wrapping text to a width.
#include "controls/window_text.h"

#include "common/string_utils.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/wnd.h"

#include <climits>
#include <set>

namespace {

/// A text this long or longer is always set.
constexpr std::size_t kAlwaysSetLength = 257;
/// The most characters of one line that wrapping looks at.
constexpr std::size_t kMaxLineLook = 2500;

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace

void SetWindowTextIfChanged(CWnd& wnd, const std::string& text)
{
    if (text.size() < kAlwaysSetLength) {
        std::string current;
        wnd.GetWindowText(current);
        if (current == text)
            return;
    }
    wnd.SetWindowText(text);
}

void FillDialogCombos(CWnd& dialog, std::span<const std::pair<int, const char*>> pairs)
{
    std::set<int> emptied;
    for (const auto& [id, text] : pairs) {
        auto* combo = dynamic_cast<CComboBox*>(dialog.GetDlgItem(id));
        if (!combo)
            continue;
        if (emptied.insert(id).second)
            combo->ResetContent();
        combo->AddString(text);
    }
}

long GetDlgItemDigits(const CWnd& dialog, int id)
{
    const CWnd* item = dialog.GetDlgItem(id);
    if (!item)
        return 0;
    std::string text;
    item->GetWindowText(text);
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9' || value > (LONG_MAX - 9) / 10)
            break;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool WrapTextToWidth(CDC& dc, std::string_view text, std::size_t& position, int width,
                     std::string& line)
{
    line.clear();
    if (position >= text.size())
        return false;
    const int skip = NextNonBlankLine(text.substr(position));
    if (skip < 0) {
        position = text.size();
        return false;
    }
    position += std::size_t(skip);
    const std::string_view rest = text.substr(position);
    std::size_t end = 0;
    while (end < rest.size() && end < kMaxLineLook && !IsLineEnd(rest[end]))
        ++end;
    std::size_t take = end;
    if (dc.GetTextExtent(rest.substr(0, take)).cx > width) {
        // The longest start that fits, in whole characters, and the last blank inside it.
        std::size_t fits = 0;
        std::size_t lastBlank = 0;
        for (std::size_t next = 0; next < end;) {
            std::size_t after = next;
            text::DecodeUtf8(rest, after);
            if (dc.GetTextExtent(rest.substr(0, after)).cx > width)
                break;
            if (rest[next] == ' ')
                lastBlank = next;
            fits = after;
            next = after;
        }
        if (fits == 0) {
            std::size_t one = 0;
            text::DecodeUtf8(rest, one);
            fits = one;
        }
        take = lastBlank > 0 ? lastBlank : fits;
    }
    line.assign(rest.substr(0, take));
    std::size_t next = take;
    while (next < rest.size() && rest[next] == ' ')
        ++next;
    if (next < rest.size() && rest[next] == '\r')
        ++next;
    if (next < rest.size() && rest[next] == '\n')
        ++next;
    position += next;
    return true;
}
