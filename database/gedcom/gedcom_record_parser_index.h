// database/gedcom/gedcom_record_parser_index.h: what the record parser keeps of the children of a
// node that has many, so that a line placed by definition order, or a field counted against its
// maximum, walks none of them: a file may give one record a hundred thousand lines.
#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>

class CDataNode;
class CFieldDef;

/// The children of one node as the parser needs them: how many there are of each definition,
/// and the "risers", the children whose sibling order is above that of every child before
/// them. The first child of an order above a given one, before which the rule of definition
/// order puts a new child, is always a riser; the risers' orders rise, so there is at most one
/// for each of the 256 orders.
/// Children linked at the end need not be told: the index takes them in (CatchUp) before it
/// answers. Any other link or unlink is told, the node's chain being changed by the parser
/// alone while the index serves.
class CChildIndex final {
public:
    explicit CChildIndex(CDataNode* parent) : m_parent(parent) {}

    /// How many children of def the node has.
    int Count(const CFieldDef* def);
    /// The child after which a new child of that order goes by the rule of definition order:
    /// before the first child of a higher order, else last. Null: it goes first.
    CDataNode* PlaceForOrder(int order);
    /// Tells that child is about to be linked after prev (first when null). False when the
    /// index cannot follow the link (one before a child that is no riser), and must be given up.
    bool Linking(CDataNode* child, CDataNode* prev);
    /// Tells that child, whose previous sibling is prev, is about to be unlinked.
    void Unlinking(CDataNode* child, CDataNode* prev);

private:
    /// Takes in the children linked at the end since the last one taken in.
    void CatchUp();
    bool IsRiser(const CDataNode* child, int order) const { return m_riser[order] == child; }
    void SetRiser(int order, CDataNode* child, CDataNode* before);
    /// Ends the risers of the orders from first to last.
    void ClearRisers(int first, int last);
    /// The highest order of a riser below order; -1 when none.
    int RiserBelow(int order) const;
    /// The lowest order of a riser above order; -1 when none.
    int RiserAbove(int order) const;

    CDataNode* m_parent;
    CDataNode* m_last = nullptr; // the last child taken in; null while none is
    std::array<std::uint64_t, 4> m_riserBits{};
    std::array<CDataNode*, 256> m_riser{};
    std::array<CDataNode*, 256> m_beforeRiser{}; // the child before each riser; null: first
    std::unordered_map<const CFieldDef*, int> m_counts;
};
