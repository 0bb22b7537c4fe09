// diagrams/window/rel_tree_titles.h: the Diagram window's title blocks: their texts filled in for
// the diagram's root, drawing them, selecting them, their handles under the mouse, and Title
// Options, whose titles the document takes. The window's mouse moves and resizes them.
//
// CRelTreeTitles reads the titles from the document's settings and keeps their selection in the
// document's selection; it asks the window that shows them for its screen mapping through
// IRelTreeTitlesView.
//
// Traps: a title's text is a box-text template filled in for the root (the person, or the
// couple's family and its first partner, "<root>" bound to the root record) each time it is
// drawn; a text that does not compile is drawn as typed. While a page prints no title is drawn
// selected.
#pragma once

#include "platform/base/geometry.h"

#include <string>

class CDC;
class CDiagramDocument;
class CRelTreePages;
class CWnd;

/// What the titles ask of the window that shows them.
class IRelTreeTitlesView {
public:
    virtual ~IRelTreeTitlesView() = default;
    /// The window itself: the blocks are drawn and measured for it, it is repainted when the
    /// selection changes and it parents Title Options.
    virtual CWnd& Window() = 0;
    /// Maps a context onto the screen at the window's zoom and scroll position.
    virtual void PrepareScreenDC(CDC& dc) = 0;
};

class CRelTreeTitles {
public:
    CRelTreeTitles(IRelTreeTitlesView& view, CDiagramDocument& doc, const CRelTreePages& pages);

    /// The text title index shows: its template filled in for the diagram's root; a text that
    /// does not compile as a template is shown as typed.
    std::string Text(int index) const;
    /// Draws the visible title blocks.
    void Draw(CDC& dc);

    /// The one selected visible title, or -1 when there is not exactly one.
    int Selected() const;
    bool IsSelected(int index) const;
    void Select(int index, bool clearOthers);
    /// Puts a title in the selection or takes it out.
    void FlipSelection(int index);
    /// The handle of a selected title under a device point: true with the title and handle.
    bool HandleAt(CPoint device, int* title, int* handle);
    /// Title Options on the one selected title when no box is selected.
    void OpenOptions();

private:
    IRelTreeTitlesView& m_view;
    CDiagramDocument& m_doc;
    const CRelTreePages& m_pages;
};
