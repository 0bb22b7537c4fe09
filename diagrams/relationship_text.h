// diagrams/relationship_text.h: the descriptions beside a diagram's generation rows of how their
// people are related to the root person ("parents", "2nd cousins 1x removed"), and the columns
// on the left and right of the diagram that show them.
//
// Rows are described by their generation from the root's and their degree: 0 for the direct line (a
// root couple's row counts as the siblings' row, one generation lower). In an All Relatives diagram
// the rows of a band above its first hold the descendants of the relatives trees hanging from the
// band above: their degree is that band, and each row down is one generation lower ("1st cousins",
// "2nd cousins 1x removed"). Rows without a visible box have no description.
#pragma once

#include "platform/base/geometry.h"

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/// The description of a row: generation is the difference from the root's row (positive above
/// it), degree 0 for the direct line, 1 for the siblings' line, 2 and more for cousin lines.
/// With siblingRow the window counts rows from the root's siblings, one generation lower. The
/// root's own row (generation and degree 0) shows rootText.
std::string FormatCousinLabel(int generation, int degree, bool siblingRow,
                              std::string_view rootText);
/// The same with the "Start Here Text" preference as the root row's text.
std::string FormatCousinLabel(int generation, int degree, bool siblingRow);

/// The sides the "Relationship Descriptions" option shows.
enum RelationshipSides { kRelLeft = 0, kRelRight = 1, kRelBoth = 2, kRelNone = 3 };

/// One layout row of the diagram: how its people are related to the root (generation and
/// degree as for FormatCousinLabel), and its row number; a negative degree gets no description.
struct RelationshipRow {
    int generation = 0;
    int degree = -1;
    int row = 0;
};

class CDiagRowSet;

/// The rows of a laid-out diagram from its lowest to its highest, described: every row shows
/// the direct line (degree 0) of its generation, except in an All Relatives diagram the rows of
/// a band above its first, which hold the descendants of the relatives trees hanging from the
/// band above (degree: that band). A row without a visible box gets no description.
std::vector<RelationshipRow> DiagRelationshipRows(const CDiagRowSet& rowSet);

/// The description columns of one diagram, in the diagram's logical units.
class CRelationshipColumns {
public:
    /// Measures text in the "Relationship Text Font".
    using Measure = std::function<CSize(const std::string& text)>;

    /// What is measured and placed: the rows, the option, the window's sibling-row flag, the
    /// diagram's extent and the "Relationship description gap".
    struct Layout {
        std::vector<RelationshipRow> rows;
        int sides = kRelNone;
        bool siblingRow = false;
        CRect extent;
        int gap = 0;
    };

    /// Clears the sizes, the rectangles and both sides.
    void Reset();
    /// Measures every described row and places the columns beside the extent; nothing is shown
    /// without rows, with kRelNone, or when no row has text.
    void Place(const Layout& layout, const Measure& measure);
    /// After the settings or the layout changed: returns the areas to repaint, the columns shown
    /// so far and those placed now; nothing when the extent and the sides are as they were.
    std::vector<CRect> Refresh(const Layout& layout, const Measure& measure);
    /// Whether Refresh would do anything for the layout.
    bool NeedsRefresh(const Layout& layout) const;
    /// The description of a row as placed; null for a row without one.
    const std::string* TextOfRow(int row) const;

    bool LeftShown() const { return m_leftShown; }
    bool RightShown() const { return m_rightShown; }
    const CRect& LeftColumn() const { return m_left; }
    const CRect& RightColumn() const { return m_right; }
    int WidestText() const { return m_widest; }
    int TallestText() const { return m_tallest; }
    int FirstRow() const { return m_firstRow; }
    int LastRow() const { return m_lastRow; }

private:
    int m_widest = 0;
    int m_tallest = 0;
    int m_gap = 0;
    int m_firstRow = 0;
    int m_lastRow = 0;
    CRect m_extent;
    CRect m_left;
    CRect m_right;
    bool m_leftShown = false;
    bool m_rightShown = false;
    /// The described rows and their texts, by row number.
    std::vector<std::pair<int, std::string>> m_texts;
};
