// diagrams/diag_draw.h: the drawing pass of a laid-out diagram: rows band by band, for each
// visible box its connector lines (couple lines, drop lines, sibling lines, lines between the
// marriages of one person, expansion buttons, the lines to secondary trees) and then the box.
// It draws through IDiagramPainter, which the window implements over its device context.
//
// Traps: a row's boxes are found by binary search over m_shown, then widened on each side to the
// boxes whose lines reach into the clip: a box far left of the clip may draw the sibling line that
// crosses it. The widening stops at the first person's box (or ancestor box) whose lines do not
// reach, since siblings hang together and a family's drop lies within its children. A row only
// partly inside the clip is drawn whole, boxes too, in the requested mode: drawing its lines alone
// would leave the visible part of its boxes unpainted after a small scroll.
#pragma once

#include "diagrams/box_painter.h"
#include "platform/base/geometry.h"

class CDiagFamilyElem;
class CDiagRow;
class CDiagRowSet;
class CDiagTree;

/// What the pass draws: lines and boxes, boxes only, only the boxes marked for repaint, lines
/// only (modes 3 and 4 alike).
enum DiagDrawMode : int {
    kDrawLinesAndBoxes = 0,
    kDrawBoxesOnly = 1,
    kDrawMarkedBoxes = 2,
    kDrawLinesOnly = 3,
    kDrawLinesOnlyToo = 4,
};

/// A device the diagram is painted on: the box painting of IBoxPainter, and the lines and
/// buttons between the boxes in the window's pens and brushes. Coordinates are diagram units,
/// y up.
class IDiagramPainter : public IBoxPainter {
public:
    /// A solid polyline in the "Normal lines" colour (2 to 6 points).
    virtual void DrawLines(const POINT* points, int count) = 0;
    /// A dotted polyline, drawn by the window's dotted-line routine.
    virtual void DrawDottedLines(const POINT* points, int count) = 0;
    /// A zig-zag from one point to another, halfWidth along and halfHeight across each step.
    virtual void DrawStretchyLine(const CPoint& from, const CPoint& to, int halfWidth,
                                  int halfHeight) = 0;
    /// An expansion button: the circle filled with the "Buttons (ordinary)" brush, or with
    /// "Buttons (at diagram limits)" when atLimit.
    virtual void DrawButton(const CRect& circle, bool atLimit) = 0;
    /// The generation descriptions of a band at the diagram's edges, when the window shows
    /// them.
    virtual void DrawBandDescriptions(int band) = 0;
    /// Whether the device is a printer (no zoom-key check; couple lines clipped to the clip).
    virtual bool IsPrinting() const = 0;
    /// The size in diagram units of that many device pixels, x and y.
    virtual CSize PixelsToLogical(int pixels) const = 0;
};

/// Paints the rows of every tree that meet clip (diagram units, top above bottom), band by
/// band from the lowest (from the highest with topDown), with the band above the clip's for
/// the lines that come down into view. 0 when the pass stopped for a waiting zoom key, else 1.
int DiagPaintRows(CDiagRowSet& rowSet, IDiagramPainter& painter, const CRect& clip, int mode,
                  bool topDown = false);

/// Draws one row of a tree in a drawing mode: 1 when drawn completely, 0 when cut short.
int DiagDrawRow(const CDiagTree& tree, const CDiagRow& row, IDiagramPainter& painter, int mode,
                const CRect& clip);

/// Whether a family box's button below takes the "Buttons (at diagram limits)" brush: collapsed
/// without child links, its tree's band plus its generation at least 2, bands folded, and its
/// generation at or below minus the first folded band. Adding a child is refused at the same
/// limit.
bool DiagFamilyBoxAtLimit(const CDiagTree& tree, const CDiagFamilyElem& box);

/// The x where the line from the generation-1 couple comes down to the root row's sibling
/// line.
int DiagParentsX(const CDiagTree& tree);
