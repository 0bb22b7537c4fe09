// controls/tree_box_node.h: one row of a tree box, and the codes the box uses for a node's
// state and for the parts of a row.
#pragma once

#include "controls/tree_box_text.h"

#include <cstdint>
#include <string_view>

class CBitmap;

// The parts of a row that a hit test answers.
inline constexpr int TBP_BUTTON = 0; // the expand button
inline constexpr int TBP_IMAGE = 1;
inline constexpr int TBP_GAP = 2; // between the image and the text
inline constexpr int TBP_TEXT = 3;
inline constexpr int TBP_NONE = 4; // outside the row's parts, or below the last row
inline constexpr int TBP_ROW = 5;  // grid tree: the first column, or a top-level row's other column
inline constexpr int TBP_CELL = 6; // grid tree: another column of a nested row

/// One row of a tree box; the box owns it. The nodes of a box form a forest whose depth-first
/// pre-order is chained through m_nextInOrder (hidden nodes included), and the rows drawn one
/// under another are chained through m_nextRow, which every node keeps as far as its own state
/// goes: its first child when it is expanded, else the first node after its subtree. So
/// expanding a node only relinks that node.
struct CTreeBoxNode {
    static constexpr int kLeaf = 0; // no expand button
    static constexpr int kExpanded = 1;
    static constexpr int kCollapsed = 2; // has children, or may get them on demand

    /// The first child whose text equals text, compared without regard to case; null if none.
    CTreeBoxNode* FindItemByText(std::string_view text) const;

    // The fields are ordered so that none leaves padding: a list of a million rows holds a
    // million nodes.
    std::int16_t m_level = 0;   // 0 for a top-level node
    std::uint8_t m_repaint = 0; // cleared whenever the row is drawn
    std::uint8_t m_selected = 0;
    /// The node's number among the visible rows when they were last numbered; valid only while
    /// the node is visible. Rows removed since leave their numbers unused, so the node's place
    /// is read through CTreeBox::GetItemRow.
    std::int32_t m_row = 0;
    std::int32_t m_state = kLeaf;
    /// Bit 0 keeps the selected state from the start of a rubber-band drag.
    std::uint32_t m_dragBits = 0;
    /// In list and grid modes the column cells, separated by TAB characters.
    CTreeBoxText m_text;
    std::uintptr_t m_data = 0; // the owner's item word
    std::uintptr_t m_data2 = 0;
    CTreeBoxNode* m_parent = nullptr;
    CTreeBoxNode* m_firstChild = nullptr;
    CTreeBoxNode* m_nextSibling = nullptr;
    CTreeBoxNode* m_prevSibling = nullptr;
    CTreeBoxNode* m_nextInOrder = nullptr;
    CTreeBoxNode* m_nextRow = nullptr;
    /// The picture strip of the row (picture, then its mask), not owned; null for none.
    CBitmap* m_image = nullptr;
    CBitmap* m_selectedImage = nullptr;
};
