// platform/ui/view.h: a view: the window that shows a document inside a frame, told of the
// document's changes and of its frame's activation.
#pragma once

#include "platform/ui/wnd.h"

class CDocument;
class CFrameWnd;

/// Made by its frame from the document template (CFrameWnd::CreateView), bound to the
/// document during WM_CREATE, and deleted when its window ends. A view may host one sub-view:
/// a child window with the id kSubViewId, to which commands are offered before the view.
class CView : public CWnd {
public:
    static constexpr UINT kSubViewId = 99;

    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    /// The frame that holds the view, or null.
    CFrameWnd* GetParentFrame() const;

    /// Called once, after the frame and view exist and before the frame shows; the base
    /// calls OnUpdate(nullptr, 0, nullptr).
    virtual void OnInitialUpdate();
    /// The document changed; the base repaints the view.
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
    /// The view became the active view of its frame, or stopped being it. The base takes the
    /// keyboard focus on activation when its top-level window is active.
    virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);

    /// Offers a command to the sub-view first, then to the view's own tables, then to the
    /// document.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    /// Draws the view; OnPaint calls it with a paint device context.
    virtual void OnDraw(CDC* dc);

    /// Binds the document that the creation context names.
    int OnCreate(CREATESTRUCT* createStruct) override;
    /// Leaves the document and stops being its frame's active view.
    void OnDestroy() override;
    void OnPaint() override;
    void PostNcDestroy() override;

private:
    friend class CDocument;

    CDocument* m_pDocument = nullptr;
};
