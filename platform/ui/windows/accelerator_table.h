// platform/ui/windows/accelerator_table.h: keyboard accelerators: the keys of an ACCELERATORS
// resource, turned into commands for the window that owns them, and the key texts menus show.
#pragma once

#include "platform/ui/resources/resource_records.h"

#include <string>
#include <vector>

class CWnd;
struct MSG;

class CAcceleratorTable {
public:
    CAcceleratorTable() = default;
    explicit CAcceleratorTable(std::vector<ACCEL> entries);
    ~CAcceleratorTable();
    CAcceleratorTable(const CAcceleratorTable&) = delete;
    CAcceleratorTable& operator=(const CAcceleratorTable&) = delete;

    /// The table of the ACCELERATORS resource with the id; FALSE, with the table unchanged,
    /// when there is none.
    BOOL LoadAccelTable(UINT resourceId);
    const std::vector<ACCEL>& GetEntries() const { return m_entries; }

    /// From now on a key pressed anywhere in owner's top-level window that no window's
    /// PreTranslateMessage took is looked up in the table, and a match goes to owner as
    /// WM_COMMAND (high word 1), when the command's update handler leaves it enabled. One
    /// owner at a time; the table stops when it is destroyed or Uninstall is called.
    void Install(CWnd* owner);
    void Uninstall();
    /// The command of the table's key that msg is (as TranslateAccelerator reads it); 0 when
    /// it is none.
    UINT FindCommand(const MSG& msg) const;
    /// TRUE when msg (WM_KEYDOWN or WM_SYSKEYDOWN for a virtual key, WM_CHAR or WM_SYSCHAR for
    /// a character) is a key of the table, with the modifier keys now held. The command then
    /// went to target, unless its update handler disables it.
    BOOL TranslateAccelerator(CWnd* target, const MSG& msg) const;

    /// The keys of the command, as menus show them: "Ctrl+N", several joined by ", "; empty
    /// when it has none.
    std::string GetKeyText(UINT command) const;
    /// itemText cut at its first tab, then a tab and the command's key text; itemText
    /// unchanged when the command has no keys.
    std::string ApplyKeyText(const std::string& itemText, UINT command) const;
    /// One key: "Alt+", "Ctrl+" and "Shift+" in that order, then the key's name ("F1", "Del",
    /// "Enter") or, for a character key, the character.
    static std::string KeyText(const ACCEL& accel);

private:
    std::vector<ACCEL> m_entries;
    CWnd* m_owner = nullptr;
};
