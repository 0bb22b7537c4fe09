// platform/ui/detail/rc_parser.cpp: resource statements, menus, accelerators, strings, toolbars
// and images; dialogs are in rc_parser_dialog.cpp.
#include "platform/ui/detail/rc_parser.h"

#include "platform/ui/detail/rc_names.h"

#include "platform/base/text.h"

namespace {

constexpr long kMaxId = 0xFFFF;

} // namespace

CRcParser::CRcParser(std::string_view source, std::string file) : m_lexer(source, std::move(file))
{
}

std::vector<RcEntry> CRcParser::Parse()
{
    for (RcToken token = m_lexer.Next(); token.kind != RcTokenKind::EndOfFile;
         token = m_lexer.Next())
        ParseStatement(token);
    return std::move(m_entries);
}

void CRcParser::ParseStatement(const RcToken& first)
{
    if (IsKeyword(first, "STRINGTABLE")) {
        ParseStringTable();
        return;
    }
    if (first.kind != RcTokenKind::Number)
        m_lexer.Fail(first.line,
                     Describe(first) +
                         " does not start a statement: a resource starts with its numeric id");
    if (first.value < 1 || first.value > kMaxId)
        m_lexer.Fail(first.line, "the resource id " + first.text + " is not from 1 to 65535");
    const RcToken kind = m_lexer.Next();
    RcEntry entry;
    entry.id = UINT(first.value);
    entry.line = first.line;
    if (IsKeyword(kind, "DIALOG") || IsKeyword(kind, "DIALOGEX")) {
        entry.type = ResourceType::Dialog;
        entry.value = ParseDialog(IsKeyword(kind, "DIALOGEX"));
    } else if (IsKeyword(kind, "MENU")) {
        entry.type = ResourceType::Menu;
        entry.value = ParseMenu();
    } else if (IsKeyword(kind, "ACCELERATORS")) {
        entry.type = ResourceType::Accelerators;
        entry.value = ParseAccelerators();
    } else if (IsKeyword(kind, "TOOLBAR")) {
        entry.type = ResourceType::Toolbar;
        entry.value = ParseToolbar();
    } else if (IsKeyword(kind, "BITMAP") || IsKeyword(kind, "ICON") || IsKeyword(kind, "CURSOR")) {
        entry.type = IsKeyword(kind, "BITMAP") ? ResourceType::Bitmap
                     : IsKeyword(kind, "ICON") ? ResourceType::Icon
                                               : ResourceType::Cursor;
        entry.value = ImageRecord{ExpectString("an image file name")};
    } else {
        Unexpected(kind, "a resource type (DIALOG, DIALOGEX, MENU, ACCELERATORS, TOOLBAR, BITMAP, "
                         "ICON, CURSOR)");
    }
    m_entries.push_back(std::move(entry));
}

MenuRecord CRcParser::ParseMenu()
{
    MenuRecord menu;
    const int openLine = ExpectBegin("MENU");
    ParseMenuItems(menu.items, openLine);
    return menu;
}

void CRcParser::ParseMenuItems(std::vector<MenuItemRecord>& items, int openLine)
{
    while (!AtEnd("menu", openLine)) {
        const RcToken token = m_lexer.Next();
        MenuItemRecord item;
        if (IsKeyword(token, "MENUITEM")) {
            if (PeekKeyword("SEPARATOR")) {
                m_lexer.Next();
                item.separator = true;
            } else {
                item.text = ExpectString("the item's text");
                ExpectComma();
                item.id = UINT(ExpectNumber("the item's command id", 0, kMaxId));
                ParseMenuOptions(item);
            }
        } else if (IsKeyword(token, "POPUP")) {
            item.popup = true;
            item.text = ExpectString("the pop-up's text");
            ParseMenuOptions(item);
            ParseMenuItems(item.items, ExpectBegin("POPUP"));
        } else {
            Unexpected(token, "MENUITEM, POPUP or END");
        }
        items.push_back(std::move(item));
    }
}

void CRcParser::ParseMenuOptions(MenuItemRecord& item)
{
    for (;;) {
        const bool comma = SkipComma();
        if (!comma && !PeekKeyword("GRAYED") && !PeekKeyword("CHECKED"))
            return;
        const RcToken option = m_lexer.Next();
        if (IsKeyword(option, "GRAYED"))
            item.grayed = true;
        else if (IsKeyword(option, "CHECKED"))
            item.checked = true;
        else
            Unexpected(option, "GRAYED or CHECKED");
    }
}

AcceleratorRecord CRcParser::ParseAccelerators()
{
    AcceleratorRecord table;
    const int openLine = ExpectBegin("ACCELERATORS");
    while (!AtEnd("ACCELERATORS table", openLine))
        table.entries.push_back(ParseAccelerator(m_lexer.Next()));
    return table;
}

ACCEL CRcParser::ParseAccelerator(const RcToken& key)
{
    const bool character = key.kind == RcTokenKind::String;
    if (!character && (key.kind != RcTokenKind::Word || !key.text.starts_with("VK_")))
        Unexpected(key, "an accelerator key: \"x\" or a VK_ name");
    ACCEL accel;
    ExpectComma();
    accel.cmd = WORD(ExpectNumber("the command id", 0, kMaxId));
    while (SkipComma()) {
        const RcToken option = m_lexer.Next();
        if (IsKeyword(option, "VIRTKEY"))
            accel.fVirt |= FVIRTKEY;
        else if (IsKeyword(option, "CONTROL"))
            accel.fVirt |= FCONTROL;
        else if (IsKeyword(option, "SHIFT"))
            accel.fVirt |= FSHIFT;
        else if (IsKeyword(option, "ALT"))
            accel.fVirt |= FALT;
        else
            Unexpected(option, "VIRTKEY, CONTROL, SHIFT or ALT");
    }
    const bool virtualKey = (accel.fVirt & FVIRTKEY) != 0;
    if (character) {
        const auto c = static_cast<unsigned char>(key.text.size() == 1 ? key.text[0] : 0);
        if (c < 0x20 || c > 0x7E)
            m_lexer.Fail(key.line,
                         "the accelerator key \"" + key.text + "\" is not one printable character");
        // A virtual key is named by its capital: "n" with VIRTKEY is the N key, not code 0x6E.
        accel.key = virtualKey && c >= 'a' && c <= 'z' ? WORD(c - 'a' + 'A') : WORD(c);
        return accel;
    }
    const auto code = RcVirtualKey(key.text);
    if (!code)
        m_lexer.Fail(key.line, "unknown key name " + key.text);
    if (!virtualKey)
        m_lexer.Fail(key.line, "the key " + key.text + " needs VIRTKEY");
    accel.key = *code;
    return accel;
}

void CRcParser::ParseStringTable()
{
    const int openLine = ExpectBegin("STRINGTABLE");
    while (!AtEnd("STRINGTABLE", openLine)) {
        RcEntry entry;
        entry.type = ResourceType::String;
        entry.line = m_lexer.Peek().line;
        entry.id = UINT(ExpectNumber("a string id", 0, kMaxId));
        SkipComma();
        entry.value = ExpectString("the string's text");
        m_entries.push_back(std::move(entry));
    }
}

ToolbarRecord CRcParser::ParseToolbar()
{
    ToolbarRecord toolbar;
    toolbar.buttonWidth = int(ExpectNumber("the button width", 1, kMaxId));
    ExpectComma();
    toolbar.buttonHeight = int(ExpectNumber("the button height", 1, kMaxId));
    const int openLine = ExpectBegin("TOOLBAR");
    while (!AtEnd("TOOLBAR", openLine)) {
        const RcToken token = m_lexer.Next();
        if (IsKeyword(token, "SEPARATOR"))
            toolbar.buttons.push_back(0);
        else if (IsKeyword(token, "BUTTON"))
            toolbar.buttons.push_back(UINT(ExpectNumber("the button's command id", 1, kMaxId)));
        else
            Unexpected(token, "BUTTON, SEPARATOR or END");
    }
    return toolbar;
}

long CRcParser::ExpectNumber(const char* what, long low, long high)
{
    const RcToken token = m_lexer.Next();
    if (token.kind != RcTokenKind::Number)
        Unexpected(token, what);
    if (token.value < low || token.value > high)
        m_lexer.Fail(token.line,
                     text::Format("%s %s is not from %ld to %ld", what, token.text, low, high));
    return token.value;
}

std::string CRcParser::ExpectString(const char* what)
{
    RcToken token = m_lexer.Next();
    if (token.kind != RcTokenKind::String)
        Unexpected(token, std::string(what) + " in quotes");
    return std::move(token.text);
}

void CRcParser::ExpectComma()
{
    const RcToken token = m_lexer.Next();
    if (token.kind != RcTokenKind::Comma)
        Unexpected(token, "\",\"");
}

bool CRcParser::SkipComma()
{
    if (m_lexer.Peek().kind != RcTokenKind::Comma)
        return false;
    m_lexer.Next();
    return true;
}

int CRcParser::ExpectBegin(const char* block)
{
    const RcToken token = m_lexer.Next();
    if (token.kind != RcTokenKind::Begin)
        Unexpected(token, std::string("BEGIN or \"{\" to open the ") + block);
    return token.line;
}

bool CRcParser::AtEnd(const char* block, int openLine)
{
    const RcToken& token = m_lexer.Peek();
    if (token.kind == RcTokenKind::EndOfFile)
        m_lexer.Fail(token.line,
                     text::Format("the %s opened on line %d has no END", block, openLine));
    if (token.kind != RcTokenKind::End)
        return false;
    m_lexer.Next();
    return true;
}

bool CRcParser::PeekKeyword(std::string_view keyword)
{
    return IsKeyword(m_lexer.Peek(), keyword);
}

void CRcParser::Unexpected(const RcToken& token, const std::string& expected) const
{
    m_lexer.Fail(token.line, "expected " + expected + ", found " + Describe(token));
}
