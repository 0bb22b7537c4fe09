// platform/ui/detail/rc_parser_dialog.cpp: DIALOG and DIALOGEX statements, their options and
// controls, and style expressions.
#include "platform/ui/detail/rc_parser.h"

#include "platform/ui/detail/rc_names.h"

#include "platform/base/text.h"

namespace {

constexpr DWORD kPopup = 0x80000000, kChild = 0x40000000, kVisible = 0x10000000;
constexpr DWORD kCaption = 0x00C00000, kBorder = 0x00800000, kSysMenu = 0x00080000;
constexpr DWORD kGroup = 0x00020000, kTabStop = 0x00010000, kSetFont = 0x0040;

/// A control keyword: the class it makes, its style before the script's own, and whether a text
/// comes first.
struct ControlKeyword {
    std::string_view keyword;
    std::string_view className;
    DWORD style;
    bool hasText;
};

constexpr DWORD kComboTypeMask = 0x0003;

constexpr ControlKeyword kControls[] = {
    {"LTEXT", "Static", 0x0000 | kGroup, true},               // SS_LEFT
    {"RTEXT", "Static", 0x0002 | kGroup, true},               // SS_RIGHT
    {"CTEXT", "Static", 0x0001 | kGroup, true},               // SS_CENTER
    {"PUSHBUTTON", "Button", 0x0000 | kTabStop, true},        // BS_PUSHBUTTON
    {"DEFPUSHBUTTON", "Button", 0x0001 | kTabStop, true},     // BS_DEFPUSHBUTTON
    {"CHECKBOX", "Button", 0x0002 | kTabStop, true},          // BS_CHECKBOX
    {"AUTOCHECKBOX", "Button", 0x0003 | kTabStop, true},      // BS_AUTOCHECKBOX
    {"AUTO3STATE", "Button", 0x0006 | kTabStop, true},        // BS_AUTO3STATE
    {"RADIOBUTTON", "Button", 0x0004 | kTabStop, true},       // BS_RADIOBUTTON
    {"AUTORADIOBUTTON", "Button", 0x0009 | kTabStop, true},   // BS_AUTORADIOBUTTON
    {"GROUPBOX", "Button", 0x0007, true},                     // BS_GROUPBOX
    {"EDITTEXT", "Edit", 0x0000 | kBorder | kTabStop, false}, // ES_LEFT
    {"COMBOBOX", "ComboBox", 0x0001 | kTabStop, false},       // CBS_SIMPLE
    {"LISTBOX", "ListBox", 0x0001 | kBorder, false},          // LBS_NOTIFY
    {"SCROLLBAR", "ScrollBar", 0x0000, false},                // SBS_HORZ
    {"ICON", "Static", 0x0003, true},                         // SS_ICON
};

/// The window classes a template may name, in their usual spelling; any other name is a class
/// the program registers before it creates the dialog.
constexpr std::string_view kKnownClasses[] = {
    "Button",   "Edit",          "Static",          "ListBox",         "ScrollBar",
    "ComboBox", "SysListView32", "SysTabControl32", "msctls_updown32", "msctls_progress32",
    "RichEdit",
};

std::string CanonicalClass(const std::string& name)
{
    for (const std::string_view known : kKnownClasses) {
        if (text::EqualsNoCase(name, known))
            return std::string(known);
    }
    return name;
}

constexpr long kMinCoordinate = -32768, kMaxCoordinate = 32767;

} // namespace

CDialogTemplate CRcParser::ParseDialog(bool extended)
{
    CDialogTemplate dialog;
    dialog.m_extended = extended;
    dialog.m_x = int(ExpectNumber("the dialog's x", kMinCoordinate, kMaxCoordinate));
    ExpectComma();
    dialog.m_y = int(ExpectNumber("the dialog's y", kMinCoordinate, kMaxCoordinate));
    ExpectComma();
    dialog.m_cx = int(ExpectNumber("the dialog's width", 0, kMaxCoordinate));
    ExpectComma();
    dialog.m_cy = int(ExpectNumber("the dialog's height", 0, kMaxCoordinate));
    ParseDialogOptions(dialog);
    const int openLine = ExpectBegin("dialog");
    while (!AtEnd("dialog", openLine)) {
        const RcToken keyword = m_lexer.Next();
        dialog.m_items.push_back(IsKeyword(keyword, "CONTROL") ? ParseCustomControl()
                                                               : ParseControl(keyword));
    }
    return dialog;
}

/// STYLE replaces the default pop-up style; CAPTION adds a title bar to the default; FONT sets
/// DS_SETFONT.
void CRcParser::ParseDialogOptions(CDialogTemplate& dialog)
{
    bool styleGiven = false;
    for (;;) {
        const RcToken& next = m_lexer.Peek();
        if (IsKeyword(next, "STYLE")) {
            m_lexer.Next();
            dialog.m_style = ParseStyle(0);
            styleGiven = true;
        } else if (IsKeyword(next, "EXSTYLE")) {
            m_lexer.Next();
            dialog.m_exStyle = ParseStyle(0);
        } else if (IsKeyword(next, "CAPTION")) {
            m_lexer.Next();
            dialog.m_caption = ExpectString("the caption");
        } else if (IsKeyword(next, "FONT")) {
            m_lexer.Next();
            ParseFont(dialog);
        } else if (next.kind == RcTokenKind::Begin) {
            break;
        } else {
            Unexpected(next, "STYLE, EXSTYLE, CAPTION, FONT or BEGIN");
        }
    }
    if (!styleGiven)
        dialog.m_style = kPopup | kBorder | kSysMenu | (dialog.m_caption.empty() ? 0 : kCaption);
    if (dialog.m_pointSize > 0)
        dialog.m_style |= kSetFont;
}

void CRcParser::ParseFont(CDialogTemplate& dialog)
{
    dialog.m_pointSize = int(ExpectNumber("the font's point size", 1, 127));
    ExpectComma();
    const int faceLine = m_lexer.Peek().line;
    dialog.m_faceName = ExpectString("the font's face name");
    if (dialog.m_faceName.empty() || dialog.m_faceName.size() >= LF_FACESIZE)
        m_lexer.Fail(faceLine, "the face name \"" + dialog.m_faceName +
                                   "\" is empty or longer than 31 bytes");
    if (!SkipComma())
        return;
    dialog.m_weight = int(ExpectNumber("the font's weight", 0, 1000));
    if (!SkipComma())
        return;
    dialog.m_italic = ExpectNumber("the font's italic flag", 0, 1) != 0;
    if (SkipComma())
        dialog.m_charSet = BYTE(ExpectNumber("the font's character set", 0, 255));
}

DialogItemTemplate CRcParser::ParseControl(const RcToken& keyword)
{
    const ControlKeyword* kind = nullptr;
    for (const ControlKeyword& k : kControls) {
        if (IsKeyword(keyword, k.keyword)) {
            kind = &k;
            break;
        }
    }
    if (!kind)
        Unexpected(keyword, "a control (LTEXT, PUSHBUTTON, EDITTEXT, CONTROL, ...) or END");
    DialogItemTemplate item;
    item.className = std::string(kind->className);
    item.style = kChild | kVisible | kind->style;
    if (kind->hasText) {
        item.text = ParseControlText();
        ExpectComma();
    }
    item.id = int(ExpectNumber("the control's id", -1, 0xFFFF));
    ExpectComma();
    item.x = int(ExpectNumber("the control's x", kMinCoordinate, kMaxCoordinate));
    ExpectComma();
    item.y = int(ExpectNumber("the control's y", kMinCoordinate, kMaxCoordinate));
    const bool icon = IsKeyword(keyword, "ICON"); // an icon takes its size from the image
    if (icon && !SkipComma())
        return item;
    if (!icon)
        ExpectComma();
    item.cx = int(ExpectNumber("the control's width", 0, kMaxCoordinate));
    ExpectComma();
    item.cy = int(ExpectNumber("the control's height", 0, kMaxCoordinate));
    if (SkipComma()) {
        // A combo box's type (simple, drop-down, drop-down list) is one value in the two low
        // bits: a type the script names replaces the keyword's simple one instead of adding to it.
        const bool combo = item.className == "ComboBox";
        const DWORD start = combo ? item.style & ~kComboTypeMask : item.style;
        item.style = ParseStyle(start);
        if (combo && (item.style & kComboTypeMask) == 0)
            item.style |= kind->style & kComboTypeMask;
    }
    if (SkipComma())
        item.exStyle = ParseStyle(0);
    return item;
}

/// CONTROL text, id, class, style, x, y, cx, cy[, exstyle]
DialogItemTemplate CRcParser::ParseCustomControl()
{
    DialogItemTemplate item;
    item.text = ParseControlText();
    ExpectComma();
    item.id = int(ExpectNumber("the control's id", -1, 0xFFFF));
    ExpectComma();
    const RcToken className = m_lexer.Next();
    if (className.kind != RcTokenKind::String && className.kind != RcTokenKind::Word)
        Unexpected(className, "a window class name");
    if (className.text.empty())
        m_lexer.Fail(className.line, "the window class name is empty");
    item.className = CanonicalClass(className.text);
    ExpectComma();
    item.style = ParseStyle(kChild | kVisible);
    ExpectComma();
    item.x = int(ExpectNumber("the control's x", kMinCoordinate, kMaxCoordinate));
    ExpectComma();
    item.y = int(ExpectNumber("the control's y", kMinCoordinate, kMaxCoordinate));
    ExpectComma();
    item.cx = int(ExpectNumber("the control's width", 0, kMaxCoordinate));
    ExpectComma();
    item.cy = int(ExpectNumber("the control's height", 0, kMaxCoordinate));
    if (SkipComma())
        item.exStyle = ParseStyle(0);
    return item;
}

/// A control's text is a string, or the resource id of the image an icon or bitmap static shows.
std::string CRcParser::ParseControlText()
{
    RcToken token = m_lexer.Next();
    if (token.kind == RcTokenKind::Number && token.value >= 0 && token.value <= 0xFFFF)
        return std::to_string(token.value);
    if (token.kind != RcTokenKind::String)
        Unexpected(token, "the control's text in quotes");
    return std::move(token.text);
}

/// Names and numbers joined by "|"; each one is added to the style, or taken away after NOT.
DWORD CRcParser::ParseStyle(DWORD initial)
{
    DWORD style = initial;
    for (;;) {
        const bool negate = PeekKeyword("NOT");
        if (negate)
            m_lexer.Next();
        const RcToken term = m_lexer.Next();
        DWORD value = 0;
        if (term.kind == RcTokenKind::Number) {
            value = DWORD(term.value);
        } else if (term.kind == RcTokenKind::Word) {
            const auto named = RcStyleValue(term.text);
            if (!named)
                m_lexer.Fail(term.line, "unknown style name " + term.text);
            value = *named;
        } else {
            Unexpected(term, "a style name");
        }
        style = negate ? style & ~value : style | value;
        if (m_lexer.Peek().kind != RcTokenKind::Bar)
            return style;
        m_lexer.Next();
    }
}
