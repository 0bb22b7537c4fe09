// platform/ui/printing/print_preview.h: the print preview window: a view's pages as they will
// print, with commands to print, page through, show one or two pages, zoom and close.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/types.h"

#include <memory>

class CPrintInfo;
class CView;

/// A window of its own over the main window. It runs the view's print loop with m_bPreview set
/// on the printer OnPreparePrinting left in the print information, recording every page, and
/// shows the pages from the current one, two side by side when the view asks for two
/// (m_nNumPreviewPages), one otherwise; "Two Page" and "One Page" switch, and Next Page and
/// Prev Page step by the pages shown. Print closes it and prints; Close and the close box close
/// it; either way the view then hears OnEndPrintPreview. A view has one preview at most, closed
/// with the view.
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
    /// The toolbar's commands: the next or previous pages, by as many as are shown (nothing
    /// past either end), and one or two pages shown.
    void NextPage();
    void PrevPage();
    void SetTwoPages(BOOL two);
    /// The window's rectangle on the screen, with the frame round it.
    void GetWindowRect(RECT* rect) const;
    /// Closes the window as its Close command does; the object is deleted.
    void Close();

private:
    struct Impl;

    CPrintPreview(CView& view, std::unique_ptr<CPrintInfo> info);
    void Build();
    /// Shows the pages from the current one and sets the commands' states and texts.
    void ShowPages();
    /// Zooms by factor, between the size that fits the window and eight times it.
    void Zoom(double factor);
    void PrintAndClose();

    std::unique_ptr<Impl> m_impl;
};
