// platform/ui/printing/print_preview.h: the print preview window: a view's pages as they will
// print, with commands to print, page through, show one or two pages, zoom and close.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/types.h"

#include <memory>

class CPrintInfo;
class CView;

/// A window of its own over the main window. It runs the view's print loop with m_bPreview set
/// on the printer OnPreparePrinting left in the print information, and shows two pages side
/// by side when the view asks for two (m_nNumPreviewPages). Print closes it and prints; Close
/// and the close box close it; either way the view then hears OnEndPrintPreview. A view has
/// one preview at most, closed with the view.
class CPrintPreview {
public:
    ~CPrintPreview();
    CPrintPreview(const CPrintPreview&) = delete;
    CPrintPreview& operator=(const CPrintPreview&) = delete;

    /// Opens the preview of view, replacing one open for it already.
    static CPrintPreview* Open(CView& view, std::unique_ptr<CPrintInfo> info);
    /// The preview open for view, or null.
    static CPrintPreview* Of(const CView& view);

    /// The pages drawn, and the page shown first (from 1).
    int GetPageCount() const;
    int GetCurrentPage() const;
    BOOL ShowsTwoPages() const;
    /// The window's rectangle on the screen, with the frame round it.
    void GetWindowRect(RECT* rect) const;
    /// Closes the window as its Close command does; the object is deleted.
    void Close();

private:
    struct Impl;

    CPrintPreview(CView& view, std::unique_ptr<CPrintInfo> info);
    void Build();
    void PrintAndClose();

    std::unique_ptr<Impl> m_impl;
};
