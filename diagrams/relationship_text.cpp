// diagrams/relationship_text.cpp: the wording of relationship descriptions and the placing of
// their columns.
#include "diagrams/relationship_text.h"

#include "common/preferences.h"
#include "common/sentence_text.h"
#include "diagrams/diag_tree.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

/// The words of one table row: for the direct line, and for the siblings' line unless that
/// takes the cousin wording (empty here).
struct TableRow {
    const char* direct;
    const char* siblings;
};

/// By generation from 2 or more down to -2 or less.
constexpr TableRow kCousinTable[] = {
    {"grandparents", "great-uncles/great-aunts"},
    {"parents", "uncles/aunts"},
    {"", nullptr},
    {"children/nephews/nieces", nullptr},
    {"grandchildren/great-nephews/great-nieces", nullptr},
};
constexpr TableRow kSiblingRowTable[] = {
    {"grandparents", "great-uncles/great-aunts"},
    {"parents", "uncles/aunts"},
    {"", "siblings"},
    {"children", "nephews/nieces"},
    {"grandchildren", "great-nephews/great-nieces"},
};

std::string CousinWording(int generation, int degree, bool siblingRow)
{
    const long number = degree - (siblingRow || generation > 0 ? 1 : 0);
    std::string text = std::to_string(number) + GetOrdinalSuffix(number, true) + " cousins ";
    if (generation != 0)
        text += std::to_string(std::abs(generation)) + "x removed";
    return text;
}

} // namespace

std::string FormatCousinLabel(int generation, int degree, bool siblingRow,
                              std::string_view rootText)
{
    if (siblingRow)
        --generation;
    if (generation == 0 && degree == 0)
        return std::string(rootText);
    if (degree >= 2)
        return CousinWording(generation, degree, siblingRow);
    const int index = 2 - std::max(-2, std::min(generation, 2));
    const TableRow& row = (siblingRow ? kSiblingRowTable : kCousinTable)[index];
    const char* word = degree == 0 ? row.direct : row.siblings;
    if (!word)
        return CousinWording(generation, degree, siblingRow);
    const int distance = std::abs(generation);
    if (distance <= 2)
        return word;
    std::string text = "great";
    if (distance > 3)
        text += " x" + std::to_string(distance - 2);
    return text + " " + word;
}

std::string FormatCousinLabel(int generation, int degree, bool siblingRow)
{
    return FormatCousinLabel(generation, degree, siblingRow, Prefs().m_startHereText);
}

std::vector<RelationshipRow> DiagRelationshipRows(const CDiagRowSet& rowSet)
{
    std::vector<RelationshipRow> rows;
    const CGenerationIndex& index = rowSet.Index();
    if (index.IsEmpty())
        return rows;
    const CGenerationBands& bands = rowSet.m_bands;
    for (int number = index.LowestRow(); number <= index.HighestRow(); ++number) {
        RelationshipRow row;
        row.row = row.generation = number;
        for (const CDiagRow* at = index.First(number); at && row.degree < 0;
             at = at->m_nextOfGeneration)
            if (at->HasVisibleBox())
                row.degree = 0;
        // Generation g of every tree lies in the first row of band g; a relatives tree hanging
        // from an ancestor of band b + 1 takes the rows of band b above its first, one
        // generation lower each, from the top down.
        int first = 0, last = 0;
        if (row.degree == 0 && bands.IsRelatives() && number > 0) {
            const int band = bands.MapRowToBand(number);
            row.generation = band;
            if (bands.GetBandRows(band, first, last) && number > first && number <= last) {
                row.degree = band + 1;
                row.generation = band - (last - number);
            }
        }
        rows.push_back(row);
    }
    return rows;
}

void CRelationshipColumns::Reset()
{
    m_widest = m_tallest = 0;
    m_extent = m_left = m_right = CRect();
    m_leftShown = m_rightShown = false;
    m_texts.clear();
}

const std::string* CRelationshipColumns::TextOfRow(int row) const
{
    if (!m_leftShown && !m_rightShown)
        return nullptr;
    for (const auto& [number, text] : m_texts)
        if (number == row)
            return &text;
    return nullptr;
}

void CRelationshipColumns::Place(const Layout& layout, const Measure& measure)
{
    Reset();
    m_gap = layout.gap;
    m_extent = layout.extent;
    if (layout.rows.empty() || layout.sides == kRelNone)
        return;
    m_leftShown = layout.sides == kRelLeft || layout.sides == kRelBoth;
    m_rightShown = layout.sides == kRelRight || layout.sides == kRelBoth;
    m_firstRow = m_lastRow = layout.rows.front().row;
    for (const RelationshipRow& row : layout.rows) {
        m_firstRow = std::min(m_firstRow, row.row);
        m_lastRow = std::max(m_lastRow, row.row);
        if (row.degree < 0)
            continue;
        std::string text = FormatCousinLabel(row.generation, row.degree, layout.siblingRow);
        const CSize size = measure(text);
        m_widest = std::max(m_widest, int(size.cx));
        m_tallest = std::max(m_tallest, int(size.cy));
        m_texts.emplace_back(row.row, std::move(text));
    }
    if (m_widest == 0) {
        m_leftShown = m_rightShown = false;
        m_texts.clear();
        return;
    }
    const CRect& e = layout.extent;
    m_left = CRect(e.left - m_gap - m_widest, e.top, e.left, e.bottom);
    m_right = CRect(e.right + m_gap, e.top, e.right + m_gap + m_widest + m_gap, e.bottom);
}

bool CRelationshipColumns::NeedsRefresh(const Layout& layout) const
{
    const bool wantLeft = layout.sides == kRelLeft || layout.sides == kRelBoth;
    const bool wantRight = layout.sides == kRelRight || layout.sides == kRelBoth;
    if (!m_leftShown && !m_rightShown && layout.sides == kRelNone)
        return false;
    return layout.extent != m_extent || wantLeft != m_leftShown || wantRight != m_rightShown;
}

std::vector<CRect> CRelationshipColumns::Refresh(const Layout& layout, const Measure& measure)
{
    if (!NeedsRefresh(layout))
        return {};
    std::vector<CRect> repaint;
    auto addShown = [&] {
        if (m_leftShown)
            repaint.push_back(m_left);
        if (m_rightShown)
            repaint.push_back(m_right);
    };
    addShown();
    if (layout.sides == kRelNone) {
        Reset();
        return repaint;
    }
    Place(layout, measure);
    addShown();
    return repaint;
}
