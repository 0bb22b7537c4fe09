// records/datactl/data_ctl.h: the data control, a child window that edits the value of one field,
// and the owner that it reports to.
#pragma once

#include "database/paths/data_path.h"
#include "platform/base/object.h"
#include "platform/ui/windows/wnd.h"

#include <memory>
#include <string>
#include <string_view>

class CDataCtl;
class CDataNode;
class CFieldDef;

/// The receiver of a data control's events. Every operation does nothing by default; the
/// boolean ones answer FALSE, except CanChangeField, which allows the change.
class IDataCtlOwner {
public:
    virtual ~IDataCtlOwner() = default;
    /// The control changed its value through a button (a link chosen or cleared).
    virtual void OnCtlChanged(CDataCtl* /*control*/) {}
    /// From the control's destructor: the owner forgets the control.
    virtual void OnCtlDestroyed(CDataCtl* /*control*/) {}
    /// Tab, Enter or Escape was pressed in the control.
    virtual void OnCtlKey(CDataCtl* /*control*/, UINT /*key*/) {}
    /// Any key but F5 in a single-line edit, before the edit handles it; TRUE consumes it.
    virtual BOOL OnCtlKeyDown(CDataCtl* /*control*/, UINT /*key*/, UINT /*repeat*/, UINT /*flags*/)
    {
        return FALSE;
    }
    /// The left button went down (up) in a single-line edit; TRUE consumes it.
    virtual BOOL OnCtlLButtonDown(CDataCtl* /*control*/) { return FALSE; }
    virtual BOOL OnCtlLButtonUp(CDataCtl* /*control*/) { return FALSE; }
    /// A context menu is wanted at a screen point.
    virtual void OnCtlContextMenu(CDataCtl* /*control*/, int /*kind*/, int /*x*/, int /*y*/) {}
    /// The control or its inner edit received the focus.
    virtual void OnCtlSetFocus(CDataCtl* /*control*/) {}
    /// The value is to be committed: the focus left for newFocus (forced FALSE), or F5, a
    /// closed drop-down or a confirmed assistant asked for it (no window, forced TRUE).
    virtual void OnCtlKillFocus(CDataCtl* /*control*/, CWnd* /*newFocus*/, BOOL /*forced*/) {}
    /// Whether the field with that id may change in the current record; FALSE refuses, with
    /// message saying why.
    virtual BOOL CanChangeField(CDataCtl* /*control*/, int /*fieldId*/, std::string& /*message*/)
    {
        return TRUE;
    }
    /// Whether Tab moves the focus on through the window, as on a dialog, instead of coming to
    /// OnCtlKey (a pane of controls beside a dialog's pages).
    virtual bool LeavesTabToWindow() const { return false; }
};

/// Bound either to an existing field node or, when the field does not exist yet, to a data path
/// naming where it would be. The control never writes the data itself: the node's
/// UpdateFromControl moves the value between node and control (through the value operations at
/// the end of this class), and the owner decides what to store.
///
/// Each control class is a window class with CDataCtl as a second base (TDataCtlWnd below).
class CDataCtl {
public:
    CDataCtl() = default;
    CDataCtl(const CDataCtl&) = delete;
    CDataCtl& operator=(const CDataCtl&) = delete;
    virtual ~CDataCtl();

    /// The control's window.
    virtual CWnd& GetWnd() = 0;

    // The control operations.
    /// Creates the window(s). held FALSE makes the control delete itself once its window is
    /// gone; path (may be null) names the field, and is the control's from now on, freed with
    /// it when creation fails; flags are the control's own: 2 asks the multi-line controls for
    /// their compact form, and any non-zero value asks the date control for its compact date
    /// text. The base stores what it is given.
    virtual BOOL CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                           IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags);
    virtual void Clear() {}
    virtual void SetReadOnly(BOOL /*readOnly*/) {}
    /// The background brush, and the colour behind the text, painted while the control is
    /// read-only; a null brush keeps the usual background.
    void SetUserValues(HBRUSH brush, COLORREF colour);
    virtual BOOL IsReadOnly() const { return FALSE; }
    virtual BOOL IsEmpty() const { return FALSE; }
    virtual void Cut() {}
    virtual void Copy() {}
    virtual void Paste() {}
    /// TRUE when the control consumed the Enter key.
    virtual BOOL OnEnterKey() { return FALSE; }
    /// Turns pending text into the control's stored form before the owner is told of a commit.
    virtual void CommitEdit() {}
    /// A change notice reached the owner: a control whose node is going (pending deletion, or
    /// the data set about to be emptied, kHintDataSetClearing) forgets it, so that nothing is ever
    /// written into it.
    virtual void OnDataChanged(CObject* sender, LPARAM hint, CObject* object);

    /// Ends the control once: with keep, the value shown is stored into the bound node and
    /// announced; without, the edit is dropped. A control without a window is deleted at once.
    void DestroyCtl(BOOL keep);

    CDataNode* GetNode() const { return m_node; }
    const CDataPath* GetDataPath() const { return m_path.get(); }
    /// Copies path into the control's own path object.
    void SetDataPath(const CDataPath& path);
    /// The bound node's definition, else the last field of the path, else null.
    const CFieldDef* GetBoundFieldDef() const;
    IDataCtlOwner* GetOwner() const { return m_owner; }
    CWnd* GetParentWnd() const { return m_parent; }
    bool IsDestroying() const { return m_destroying; }
    bool IsCommitSuppressed() const { return m_commitSuppressed; }
    HBRUSH GetReadOnlyBrush() const { return m_readOnlyBrush; }
    COLORREF GetReadOnlyColour() const { return m_readOnlyColour; }

    // The value as the nodes see it (IDataControlAccess). The text of the control's edit, the
    // selection of its list; the base has neither.
    virtual bool GetValueText(std::string& /*text*/) { return false; }
    virtual void SetValueText(std::string_view /*text*/) {}
    virtual void SelectValueText(int /*start*/, int /*end*/) {}
    virtual void ClearModified() {}
    virtual bool GetListSelection(int& /*position*/) { return false; }
    virtual void SetListSelection(int /*position*/) {}
    virtual int GetListCount() { return 0; }
    /// Whether the date control shows its compact date text.
    virtual bool UsesCompactDates() const { return false; }

protected:
    /// The key handling shared by every control: clipboard keys, Enter, Tab, Escape and F5.
    /// TRUE when the message was consumed. Enter, Tab and Escape go to the owner; a control
    /// without one leaves them to its dialog.
    BOOL TranslateKey(const MSG& msg);
    /// Whether keys are first offered to the owner's OnCtlKeyDown (single-line edits).
    virtual bool OffersKeysToOwner() const { return false; }

    void NotifySetFocus();
    /// Unless commit is suppressed: CommitEdit, then the owner's OnCtlKillFocus.
    void NotifyKillFocus(CWnd* newFocus);
    /// F5, a closed list, a confirmed dialog: CommitEdit and OnCtlKillFocus without a window.
    void CommitForced();

    /// Marks a handler of the control running: an owner may end the control from inside one of
    /// its calls, and the control is then deleted only once the outermost handler is done.
    class CBusy {
    public:
        explicit CBusy(CDataCtl& control) : m_control(control) { ++control.m_busy; }
        ~CBusy();
        CBusy(const CBusy&) = delete;
        CBusy& operator=(const CBusy&) = delete;

    private:
        CDataCtl& m_control;
    };
    /// The self-deletion once the window is gone: now, or when the outermost handler ends.
    void DeleteSelf();

    /// Called first by the destructors of the control classes: marks the control as going,
    /// tells the owner once and stops the self-deletion, before the inner windows go.
    void BeginDestruction();
    bool IsSelfDeleting() const { return m_selfDelete; }
    void SetCommitSuppressed(bool on) { m_commitSuppressed = on; }
    UINT GetCreateFlags() const { return m_flags; }

private:
    CWnd* m_parent = nullptr;
    CDataNode* m_node = nullptr;
    std::unique_ptr<CDataPath> m_path;
    IDataCtlOwner* m_owner = nullptr;
    bool m_destroying = false;
    bool m_ownerTold = false;
    HBRUSH m_readOnlyBrush = nullptr;
    COLORREF m_readOnlyColour = 0;
    bool m_selfDelete = false;
    bool m_commitSuppressed = false;
    UINT m_flags = 0;
    int m_busy = 0;
    bool m_deletePending = false;
};

/// A control class: the window class Base with the data control's keys, focus reports and
/// self-deletion.
template <class Base> class TDataCtlWnd : public Base, public CDataCtl {
public:
    CWnd& GetWnd() override { return *this; }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        return TranslateKey(*msg) || Base::PreTranslateMessage(msg);
    }

protected:
    /// The destructor of every final class calls this before its members go.
    void EndWindow()
    {
        BeginDestruction();
        if (this->GetSafeHwnd())
            this->DestroyWindow();
    }
    /// Whether the window's own focus is the control's (else an inner edit reports it).
    virtual bool OwnFocusReports() const { return true; }

    void OnSetFocus(CWnd* oldWnd) override
    {
        Base::OnSetFocus(oldWnd);
        if (OwnFocusReports() && !IsDestroying())
            NotifySetFocus();
    }
    void OnKillFocus(CWnd* newWnd) override
    {
        Base::OnKillFocus(newWnd);
        if (OwnFocusReports() && !IsDestroying())
            NotifyKillFocus(newWnd);
    }
    void PostNcDestroy() override
    {
        Base::PostNcDestroy();
        if (IsSelfDeleting())
            DeleteSelf();
    }
};

/// The text with each line break (CR LF, LF CR, CR or LF) turned into one blank and each NUL
/// dropped: what a one-line edit keeps of a pasted text.
std::string ToOneLine(std::string_view text);
/// Every line end (CR LF, LF CR, CR or LF) becomes CR LF.
std::string ToCrLfLines(std::string_view text);
/// Every line end (CR LF, LF CR, CR or LF) becomes one line feed.
std::string ToLfLines(std::string_view text);
