// app/av_view.h: the view of every window of the program: it hosts one pane and passes it the
// document's change notices, activation and commands.
#pragma once

#include "platform/ui/view.h"

#include <memory>

class CSubView;

/// The pane is chosen by the application's sub-view request when the view is first updated, and
/// made again when a command asks the window for content of another kind.
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

    /// Makes the pane of the application's sub-view request.
    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* object) override;
    void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;

protected:
    void OnDraw(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;

private:
    std::unique_ptr<CSubView> m_subView;
};
