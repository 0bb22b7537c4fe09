// platform/ui/detail/rc_parser.h: turns the statements of a resource script into resource
// records: dialogs, menus, accelerator tables, strings, toolbars and images.
#pragma once

#include "platform/ui/detail/rc_lexer.h"
#include "platform/ui/resources/dialog_template.h"
#include "platform/ui/resources/resource_records.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

/// One resource as the script defines it: a STRINGTABLE yields one entry per string.
struct RcEntry {
    ResourceType type = ResourceType::String;
    UINT id = 0;
    int line = 0;
    std::variant<CDialogTemplate, MenuRecord, AcceleratorRecord, ToolbarRecord, ImageRecord,
                 std::string>
        value;
};

/// Parses a whole script, or throws a CResourceError at its first fault. Image file names are
/// kept as written; duplicates are left for the caller, which sees every script.
class CRcParser {
public:
    CRcParser(std::string_view source, std::string file);

    std::vector<RcEntry> Parse();

private:
    void ParseStatement(const RcToken& first);
    // Dialogs (rc_parser_dialog.cpp).
    CDialogTemplate ParseDialog(bool extended);
    void ParseDialogOptions(CDialogTemplate& dialog);
    void ParseFont(CDialogTemplate& dialog);
    DialogItemTemplate ParseControl(const RcToken& keyword);
    DialogItemTemplate ParseCustomControl();
    std::string ParseControlText();
    DWORD ParseStyle(DWORD initial);
    // The other resources.
    MenuRecord ParseMenu();
    void ParseMenuItems(std::vector<MenuItemRecord>& items, int openLine);
    void ParseMenuOptions(MenuItemRecord& item);
    AcceleratorRecord ParseAccelerators();
    ACCEL ParseAccelerator(const RcToken& key);
    void ParseStringTable();
    ToolbarRecord ParseToolbar();
    // Tokens.
    long ExpectNumber(const char* what, long low, long high);
    std::string ExpectString(const char* what);
    void ExpectComma();
    bool SkipComma();
    int ExpectBegin(const char* block);
    bool AtEnd(const char* block, int openLine);
    bool PeekKeyword(std::string_view keyword);
    [[noreturn]] void Unexpected(const RcToken& token, const std::string& expected) const;

    CRcLexer m_lexer;
    std::vector<RcEntry> m_entries;
};
