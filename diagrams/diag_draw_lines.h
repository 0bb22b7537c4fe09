// diagrams/diag_draw_lines.h: the geometry of a diagram's connector lines, read once per pass
// from the settings, and the three line drawers: a box's ancestor connectors, its descendant
// connectors, and the connectors of an ancestor row's secondary trees. Shared by the drawing
// pass and the hit test, which must agree on where lines and buttons are.
//
// In single-box mode a later marriage's hidden box draws its couple line from the person's box, and
// its button hangs half a "Spouse gap" left of that marriage's spouse box. The generation-1 boxes
// have no child box, so their partner is the tree's other one.
#pragma once

#include "diagrams/diag_draw.h"

#include <unordered_map>

class CDiagAncestorElem;
class CDiagElem;
class CDiagFamilyElem;

/// The dimensions of connector lines, scaled to diagram units.
struct CLineGeometry {
    /// On paper, "Never print expansion buttons" leaves the buttons out as if they were off.
    explicit CLineGeometry(const CDiagRowSet& rowSet, bool printing = false);

    int boxHeight;       // H
    int vertGap;         // V, "Box to box vert gap"
    int sibGap;          // "Sib line to box vert gap"
    int buttonOffset;    // V less "Button-centre to box vert gap": box edge to button centre
    int buttonRadius;    // "Button radius"
    int spouseLinesGap;  // "Spouse lines gap"
    int spouseGap;       // "Spouse gap"
    int stretchyWidth;   // "Stretchy line half-width"
    int stretchyHeight;  // "Stretchy line half-height"
    int textBlockHeight; // the text area of a box: H less the top and bottom margins
    int textTopMargin;   // "Box margin top"
    int duplicateLine;   // "Duplicate Line"
    int spouseOption;    // "Spouse Option"
    int type;            // the diagram type
    bool showButtons;    // "Show expansion buttons", and not left off the paper
    bool showBoxes;      // "Show boxes"
    bool singleBox;      // "Spouse Option" 2 without "Use duplicates with spouses"
    bool avoidPageBoundaries;
    bool fixedGenerationSize; // "RELS: Fixed Generation Size"
    bool gapsAtTop;           // "RELS: Gaps At Top"
    int rowsPerBand;
    int firstFoldedBand;
    int ancestorGenerations; // the active ancestor generation count

    /// How far below a box's top the upper couple line lies (never negative).
    int CoupleOffset() const;
    /// The upper couple line of an ancestor box (at the top when it would fall below the
    /// box) and of a descendant box (clamped to the bottom).
    int AncestorCoupleY(const CRect& box) const;
    int DescendantCoupleY(const CRect& box) const;
    /// The lower couple line below an upper one, clamped to the box bottom.
    int LowerCoupleY(int upper, const CRect& box) const;
    /// The middle of a box's text area, where lines between marriages run.
    int MidY(const CRect& box) const;
    /// The button circle around a centre.
    CRect Button(int x, int y) const;
};

/// Where a family box's children hang from: its drop point (x, and y where the line down
/// starts) as the drawing pass draws it.
CPoint FamilyDropPoint(const CLineGeometry& geometry, const CDiagFamilyElem& box);
/// Whether the family box's own lines are drawn in single-box mode by a hidden later marriage
/// box of its person.
bool DrawsForHiddenMarriage(const CLineGeometry& geometry, const CDiagFamilyElem& box);

/// Draws the lines of one box: the box's ancestor or descendant connectors by its generation.
class CConnectorDrawer {
public:
    CConnectorDrawer(const CLineGeometry& geometry, IDiagramPainter& painter, const CRect& clip)
        : m_geometry(geometry), m_painter(painter), m_clip(clip)
    {
    }

    /// Generations 1 and up: the button above, the couple line, the drop line to the child.
    void AncestorConnectors(const CDiagTree& tree, const CDiagAncestorElem& box);
    /// Generation 0 and below: couple lines, the line to the next marriage, the line up to the
    /// sibling line, the button below.
    void DescendantConnectors(const CDiagTree& tree, const CDiagFamilyElem& box);
    /// The lines from an ancestor row's boxes to the secondary trees they hold.
    void SubTreeConnectors(const CDiagRow& row);
    /// The x range [lo, hi] the lines of a box reach; a spouse box reaches nothing of its own.
    void LineReach(const CDiagTree& tree, const CDiagElem& box, int& lo, int& hi);

private:
    void Lines(std::initializer_list<CPoint> points, bool dotted);
    void PlusSign(const CPoint& centre);
    int ParentsX(const CDiagTree& tree);
    bool ButtonAtLimitAbove(const CDiagAncestorElem& box) const;
    /// The x the up-line of a main box starts from; false when it draws none.
    bool UpLineStart(const CDiagTree& tree, const CDiagFamilyElem& box, CPoint& start);

    const CLineGeometry& m_geometry;
    IDiagramPainter& m_painter;
    CRect m_clip;
    std::unordered_map<const CDiagTree*, int> m_parentsX;
};
