// platform/ui/frames/view.h: a view: the window that shows a document inside a frame, told of the
// document's changes and of its frame's activation, and which prints and previews its pages.
#pragma once

#include "platform/ui/windows/wnd.h"

class CDocument;
class CFrameWnd;
class CPrintInfo;

/// Made by its frame from the document template (CFrameWnd::CreateView), bound to the
/// document during WM_CREATE, and deleted when its window ends. A view may host one sub-view:
/// a child window with the id kSubViewId, to which commands are offered before the view.
/// OnFilePrint and OnFilePrintPreview run the print loop over the print hooks below; a view
/// that prints maps ID_FILE_PRINT and ID_FILE_PRINT_PREVIEW to them.
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

    /// Print: OnPreparePrinting (with the print dialog), then the print loop on the printer
    /// chosen. A job that fails or is abandoned by an exception from a hook leaves no output,
    /// and any file it would have replaced stays as it was.
    virtual void OnFilePrint();
    /// Print Preview: OnPreparePrinting with m_bPreview set, then the preview window, which
    /// runs the print loop on the application's printer for the pages it shows.
    virtual void OnFilePrintPreview();

    // The print hooks, called by the print loop (RunPrintLoop).
    /// Sets up the job (the page range, the pages a preview shows) and calls DoPreparePrinting;
    /// FALSE cancels. The base only calls DoPreparePrinting.
    virtual BOOL OnPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    /// Prepares dc for drawing, and with info for the page info->m_nCurPage. The base ends a
    /// job whose length is unknown after its first page.
    virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
    /// Draws the page; the base calls OnDraw.
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    /// The preview window closed; the base does nothing.
    virtual void OnEndPrintPreview(CDC* dc, CPrintInfo* info, POINT point, CView* view);

protected:
    /// The job's printer: for a preview, the application's printer; for a print job, the print
    /// dialog run on it, which chooses the printer, the pages (within the range the view set)
    /// and, on the virtual printer, the PDF file. FALSE without a printer or when the user
    /// cancels.
    BOOL DoPreparePrinting(CPrintInfo* info);

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
