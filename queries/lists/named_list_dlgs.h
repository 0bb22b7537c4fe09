// queries/lists/named_list_dlgs.h: the small dialogs of named lists: a new list's name, a
// list's properties, the choice of a list, the confirmation that deletes a list's records, and
// the choice of a list to add records to or remove them from.
#pragma once

#include "queries/lists/named_lists_box.h"

#include "platform/ui/dialogs/dialog.h"

#include <cstddef>
#include <string>
#include <string_view>

class CNamedList;

inline constexpr UINT kNewNamedListTemplate = 351, kListPropsTemplate = 352,
                      kSelectNamedListTemplate = 391, kDeleteListRecordsTemplate = 393,
                      kAddToNamedListTemplate = 390;
inline constexpr int IDC_NEW_LIST_NAME = 1560, IDC_LIST_PROPS_NAME = 1561,
                     IDC_LIST_PROPS_NOTE = 1562, IDC_SELECT_LIST_PLACE = 1563,
                     IDC_DELETE_RECORDS_NAME = 1564, IDC_DELETE_RECORDS_CHECK = 1565,
                     IDC_ADD_TO_LIST_LABEL = 1566, IDC_ADD_TO_LIST_COMBO = 1567,
                     IDC_ADD_TO_LIST_REPLACE = 1568;

/// A list name as typed: every control character counts as a blank, then the name is trimmed
/// and each run of blanks inside becomes one.
std::string NamedListNameFromInput(std::string_view typed);

/// The longest line of a note that the note boxes show: an edit box lays a line out in time
/// that grows with the square of its length.
inline constexpr std::size_t kMaxNoteLineShown = 16384;
/// Whether every line of the note is short enough to be shown and edited in a note box.
bool IsNoteShowable(std::string_view note);
/// What a note box shows, read-only, in place of a note with a longer line.
std::string OverlongNoteText();

/// Asks for the name of a new list; after IDOK m_name holds it, unused by any list.
class CNewNamedListDlg final : public CDialog {
public:
    explicit CNewNamedListDlg(CWnd* parent = nullptr);

    std::string m_name;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
};

/// Edits one list's name and note; on IDOK the list has taken both.
class CListPropsDlg final : public CDialog {
public:
    explicit CListPropsDlg(CNamedList& list, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    CNamedList& m_list;
    /// False when the note is too long to be shown: it is kept as it is.
    bool m_noteShown = true;
};

/// Lets the user choose one list from the box of lists; m_name preselects one and after IDOK
/// names the list chosen.
class CSelectNamedListDlg final : public CDialog, private CNamedListsBox::IListener {
public:
    explicit CSelectNamedListDlg(CWnd* parent = nullptr);

    std::string m_name;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void OnListsBoxSelChanged() override;

    CNamedListsBox m_box;
};

/// The confirmation before every record of a list is deleted from the file: "Delete Records"
/// is enabled only while the box that names the number of records is checked.
class CDeleteListRecordsDlg final : public CDialog {
public:
    explicit CDeleteListRecordsDlg(const CNamedList& list, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    const CNamedList& m_list;
};

/// Chooses a list to add records to (a new name may be typed, and the list's contents may be
/// replaced) or to remove them from. After IDOK m_name is the name typed or chosen, trimmed;
/// in add mode it may name no list yet.
class CAddToNamedListDlg final : public CDialog {
public:
    explicit CAddToNamedListDlg(bool addMode, CWnd* parent = nullptr);

    std::string m_name;
    bool m_replace = false;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    bool m_addMode;
};
