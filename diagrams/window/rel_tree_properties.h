// diagrams/window/rel_tree_properties.h: opening the record properties box from the Diagram
// window: on the selection, beside the first selected box, or for a record just added.
//
// The program installs how the box opens (SetOpener); CRelTreeProperties says why it opens, as a
// box viewed and a record made by the add-relative drag each have their own preferred size, and
// where: the screen rectangle of the box shown, which it asks the window to map through
// IRelTreePropertiesView.
#pragma once

#include "platform/base/geometry.h"

#include <functional>

class CDC;
class CDiagramDocument;
class CWnd;

/// What opening the properties box asks of the window that shows the diagram.
class IRelTreePropertiesView {
public:
    virtual ~IRelTreePropertiesView() = default;
    /// The window itself, whose client rectangle the box is placed beside.
    virtual CWnd& Window() = 0;
    /// Maps dc as the window's screen: diagram units to client pixels.
    virtual void PrepareScreenDC(CDC& dc) = 0;
};

class CRelTreeProperties {
public:
    /// Why the box opens: a box viewed (Properties, a double click) or a record just made by the
    /// add-relative drag.
    enum class Use { kView, kDragAdd };
    using Opener = std::function<void(const CRect* screen, Use use)>;

    CRelTreeProperties(IRelTreePropertiesView& view, const CDiagramDocument& doc);

    /// How the program opens the box for the window's selection, off the screen rectangle of the
    /// box it shows when given.
    static void SetOpener(Opener opener);
    static bool HasOpener();

    /// Opens the box without a position, or beside screen when given.
    void Open(const CRect* screen, Use use = Use::kView) const;
    /// Opens the box off the screen rectangle of the first selected box, or without a position
    /// when there is no such box or no window.
    void OpenBesideSelection() const;

private:
    IRelTreePropertiesView& m_view;
    const CDiagramDocument& m_doc;
};
