// records/window/named_lists_pane.h: what the records window asks of the named-lists pane beside
// its record lists, what the pane tells the window, and the factory through which the pane is made.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/types.h"

#include <functional>
#include <memory>
#include <vector>

class CNamedList;
class CObject;
class CRecordNode;
struct CRuntimeClass;
class CTagGrid;
class CView;
class CWnd;

/// What the pane tells the window that hosts it.
class INamedListsPaneHost {
public:
    virtual ~INamedListsPaneHost() = default;
    /// The pane or one of its parts gained the focus: from now on the window's list commands and
    /// Delete go to the pane, until the record lists take the focus back.
    virtual void OnNamedListsPaneFocus() = 0;
    /// The pane's lists or items changed by the pane's own doing (a list selected, items added
    /// or removed, the lists refilled): the window brings its command states up to date.
    virtual void OnNamedListsPaneChanged() = 0;
};

/// The named-lists pane as the records window drives it. The window owns the pane object; the
/// pane's window is a child of the window that the host names, and goes with it.
class INamedListsPane {
public:
    virtual ~INamedListsPane() = default;

    /// Makes the pane's window (window class "NamedListsWnd") with its lists box, items grid and
    /// note box as a child of parent with the id over rect, hidden. False, with nothing left,
    /// when a part cannot be made.
    virtual bool Create(CWnd* parent, UINT id, const RECT& rect, INamedListsPaneHost* host) = 0;
    /// The pane's window (for the splitter, showing, hiding and the focus); null before Create.
    virtual CWnd* GetWnd() = 0;

    /// Refills the lists box from the named lists, keeping the list that was selected.
    virtual void FillLists() = 0;
    /// Empties the lists box and the items grid (the pane is hidden, or the data set was reset).
    virtual void Empty() = 0;
    /// Selects the row of list in the lists box.
    virtual void SelectList(CNamedList* list) = 0;
    /// The list of the selected lists-box row, or null.
    virtual CNamedList* GetSelectedNamedList() const = 0;

    /// A change notice, passed on while the pane is visible (every hint, kHintNamedListsChanged
    /// included); the pane ignores the echo of its own announcements.
    virtual void OnDataChanged(CView* sender, LPARAM hint, CObject* object) = 0;

    /// The one selected record of the items grid when it is of cls (any class for null), else
    /// null; count, when given, receives the number of selected rows.
    virtual CObject* GetSelection(const CRuntimeClass* cls, int* count) const = 0;
    /// The record of the items grid's current row, or null when it is no record.
    virtual CRecordNode* GetCurrentRecord() const = 0;
    /// The records of every selected row of the items grid, in its order.
    virtual void GetSelectedRecords(std::vector<CRecordNode*>& records) const = 0;

    // The commands the window routes to the pane while the pane is visible. Each acts on the
    // list given, which is the selected one; the window has checked that one is selected.
    /// Delete while the pane has the focus: with the lists box focused, deletes the selected
    /// list after asking; with the items grid focused, removes the selected entries after
    /// asking. Never deletes a record.
    virtual void RemoveSelectedItems() = 0;
    /// Whether Delete and the list commands that act on the pane's focused part are enabled:
    /// the items grid focused and its current row a record, or the lists box focused and a
    /// list selected.
    virtual bool CanRemoveSelectedItems() const = 0;
    /// Move Up and Move Down while the pane has the focus: the selected rows of the items grid
    /// move one place; only the display changes until SaveListOrder.
    virtual void MoveSelectedItems(bool up) = 0;
    /// Whether Move Up (or Move Down) is enabled: the items grid focused and its first selected
    /// row a record row that is not the first (or the last) row.
    virtual bool CanMoveSelectedItems(bool up) const = 0;
    /// Asks for a name and makes a new list, selected.
    virtual void CreateNamedList() = 0;
    /// Asks, then deletes the list (never its records).
    virtual void DeleteNamedList(CNamedList* list) = 0;
    /// Adds the selected records of source to the list, skipping those it holds already.
    virtual void AddSelectionToNamedList(CNamedList* list, CTagGrid* source) = 0;
    /// Whether the pane itself asks for Add to Selected Named List while it has the focus (the
    /// window otherwise offers the command only while its record lists have the focus).
    virtual bool WantsAddWhileActive() const = 0;
    /// The list's properties dialog; on OK the pane is repainted and the change announced.
    /// True when the list changed.
    virtual bool EditListProperties(CNamedList* list) = 0;
    /// Removes every entry of the list (the window has asked the user).
    virtual void EmptyNamedList(CNamedList* list) = 0;
    /// Stores the order of the items grid's rows as the list's own order, each row with its own
    /// entry and note. False when the rows do not stand for the list's entries.
    virtual bool SaveListOrder(CNamedList* list) = 0;
    /// Asks, in the dialog that shows the list's name and count, whether every record of the
    /// list is to be deleted from the file; true when the user confirmed.
    virtual bool ConfirmDeleteAllRecords(CNamedList* list) = 0;
};

/// Makes a pane; the application installs the query library's at start-up, tests a scripted
/// one. Without a factory the records window has no named-lists pane.
using NamedListsPaneFactory = std::function<std::unique_ptr<INamedListsPane>()>;
void InstallNamedListsPaneFactory(NamedListsPaneFactory factory);
/// A new pane from the installed factory; null when none is installed.
std::unique_ptr<INamedListsPane> MakeNamedListsPane();
