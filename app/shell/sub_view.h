// app/shell/sub_view.h: the base of every window's content: the pane a view hosts, told of changes
// and activation, and asked for its selection and title.
#pragma once

#include "platform/ui/windows/wnd.h"

#include <string>
#include <vector>

class CAvView;
class CDC;
class CPrintInfo;
class CRecordNode;
class CView;

/// A pane is a child window of its view with id 99, made hidden and shown by the view. The view
/// owns it. Derived panes (records, diagram, multimedia, query, report) override what they show
/// and add the hooks their windows need.
class CSubView : public CWnd {
public:
    CSubView();
    ~CSubView() override;

    /// Makes the pane's window over rect inside parentView with the id. request travels from the
    /// sub-view request to the pane.
    virtual BOOL Create(const RECT& rect, CAvView* parentView, UINT id, DWORD request);

    /// The selected object when it is of cls (any class for null), else null; count, when
    /// given, receives the number of objects selected. The base selects nothing.
    virtual CObject* GetSelection(const CRuntimeClass* cls, int* count) const;
    /// Every selected record, in the order shown; the base gives the one record GetSelection
    /// gives.
    virtual void GetSelectedRecords(std::vector<CRecordNode*>& records) const;
    /// The kind of content (SubViewKind); the base is kSubViewNone.
    virtual int GetSubViewType() const;
    /// The title of the window that holds the pane; the base's is empty.
    virtual void GetTitle(std::string& title) const;
    /// A change notice (its hint a ChangeHint); the base does nothing.
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* object);
    /// Shows the content afresh: OnUpdate with no sender, kHintRefresh and no object.
    virtual void Refresh();
    /// Puts the content back as it stands before any file is loaded; the base has nothing to
    /// reset.
    virtual void Reset();
    /// Whether object is selected in the pane; the base selects nothing.
    virtual BOOL IsSelected(const CObject* object) const;
    /// The window became the active one, or stopped being it. On activation the base shows the
    /// main status bar and has the main frame rebuild its menus and toolbars for this kind.
    virtual void OnActivate(BOOL activate, CView* activated, CView* deactivated);
    /// Whether the window may be locked against reuse; the base, and so the records and query
    /// windows, cannot. Diagram, multimedia and report windows can.
    virtual BOOL IsLockable() const;
    /// The icon of the window's frame, big (32 x 32) or small (16 x 16), for a reusable window
    /// or a plain one; null, the base's answer, leaves the frame's icon as it is.
    virtual HICON LoadViewIcon(BOOL reusable, BOOL big) const;
    /// The icon resource id in the size LoadViewIcon asks for.
    static HICON LoadViewIconResource(UINT id, BOOL big);
    /// Gives the frame that holds the pane's view the help context flag (the records window's
    /// is 268); nothing while the pane has no view.
    void NotifyOwner(UINT flag);
    /// The view that hosts the pane, or null.
    CAvView* GetOwner() const;

    // Printing. The base prints nothing: it refuses both Print and Print Preview.
    /// Whether the pane's content may be printed (preview FALSE) or previewed. The base refuses
    /// printing; a preview it allows when there is a printer, and otherwise says "No printer
    /// detected.  Cannot display a print preview.".
    virtual BOOL CanPrint(BOOL preview);
    /// Print Setup for this window; the base runs the application's.
    virtual void OnFilePrintSetup();
    /// Sets up a print job (pages, page description); FALSE, the base's answer, cancels it.
    virtual BOOL PreparePrinting(CPrintInfo* info);
    // The print loop's hooks; the base's do nothing.
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnPrepareDC(CDC* dc, CPrintInfo* info);
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrintPreview(CDC* dc, CPrintInfo* info, POINT point, CView* view);
};
