// app/shell/av_view.h: the view of every window of the program: it hosts one pane and passes it the
// document's change notices, activation and commands.
#pragma once

#include "platform/ui/frames/view.h"

#include <memory>

class CSubView;

/// The pane is chosen by the application's sub-view request when the view is first updated, and
/// made again when a command asks the window for content of another kind. A reusable window
/// takes the content of the next command that shows content of its kind. A new window and Reuse
/// Window take the flag from the other window of the kind; Lock Current Window only inverts this
/// window's flag. The records window is never reusable.
class CAvView : public CView {
public:
    CAvView();
    ~CAvView() override;

    const CRuntimeClass* GetRuntimeClass() const override;

    /// The hosted pane; null until the first update, or when it could not be made.
    CSubView* GetSubView() const { return m_subView.get(); }
    /// Replaces the pane with a new one of cls, made with request over the client area,
    /// refreshed and shown. Tells the user "Memory error" and answers false when no pane of
    /// that class can be made; the view then has none.
    bool CreateSubView(const CRuntimeClass* cls, DWORD request);

    bool IsReusable() const { return m_reusable; }
    /// Turns the reuse flag on or off. Nothing happens without a pane or for the records
    /// window. Turning it on first turns it off in the reusable window of the same kind.
    void SetReusable(bool on);

    /// Whether the pane has object selected; FALSE without a pane.
    BOOL IsSelected(const CObject* object) const;
    /// Gives the frame holding the view the help context flag, when that frame is a child frame.
    void SetParentFrameFlag(UINT flag);

    /// Makes the pane of the application's sub-view request. A new window is reusable, except
    /// the records and query windows.
    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* object) override;
    void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;

    // Printing goes through the pane: a pane that cannot print refuses Print and Print Preview.
    /// Print Preview, when the pane allows it (CSubView::CanPrint).
    void OnFilePrintPreview() override;
    /// The job runs when the pane sets it up (CSubView::PreparePrinting).
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
    void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
    void OnEndPrintPreview(CDC* dc, CPrintInfo* info, POINT point, CView* view) override;

protected:
    void OnDraw(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;

private:
    /// Gives the parent frame the pane's icons for the reuse flag, when the pane has them.
    void SetFrameIcons();

    /// Reuse Window: toggles the reuse flag; not for the records window.
    void OnReuseWindow();
    /// Lock Current Window: a lockable window's reuse flag is inverted, no other's changes.
    void OnLockWindow();
    /// Print Setup: "No printer detected" without a printer; otherwise the pane's.
    void OnFilePrintSetup();

    /// Puts back the orientation the program's printer had before a print job or preview began.
    void GiveBackPrinterOrientation();

    std::unique_ptr<CSubView> m_subView;
    bool m_reusable = false;
    /// The program printer's orientation while a job or preview runs; -1 when none is kept.
    int m_printerOrientation = -1;
};
