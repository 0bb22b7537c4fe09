// diagrams/diagram_selection.cpp: the selection held by record and found again after the document
// destroyed boxes.
#include "diagrams/diagram_selection.h"

#include "diagrams/diag_elem.h"
#include "diagrams/diag_tree_walk.h"
#include "diagrams/diagram_document.h"

#include <algorithm>
#include <limits>
#include <map>
#include <tuple>

CDiagBoxKey DiagBoxKeyOf(const CDiagElem& box)
{
    return CDiagBoxKey{box.GetIndividual(), box.GetFamily(), box.GetKind(), box.GetGeneration(),
                       box.GetCentre()};
}

void CDiagramSelection::Select(CDiagElem& box, bool clearOthers)
{
    Resolve();
    if (clearOthers)
        Clear();
    if (Contains(box))
        return;
    m_keys.insert(m_keys.begin(), DiagBoxKeyOf(box));
    m_boxes.insert(m_boxes.begin(), &box);
}

void CDiagramSelection::Deselect(const CDiagElem& box)
{
    Resolve();
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        if (m_boxes[i] == &box) {
            m_boxes.erase(m_boxes.begin() + std::ptrdiff_t(i));
            m_keys.erase(m_keys.begin() + std::ptrdiff_t(i));
            return;
        }
}

void CDiagramSelection::Clear()
{
    m_keys.clear();
    m_boxes.clear();
    m_version = m_document.BoxesVersion();
}

bool CDiagramSelection::Contains(const CDiagElem& box) const
{
    const auto& boxes = Boxes();
    return std::find(boxes.begin(), boxes.end(), &box) != boxes.end();
}

const std::vector<CDiagElem*>& CDiagramSelection::Boxes() const
{
    Resolve();
    return m_boxes;
}

void CDiagramSelection::Resolve() const
{
    if (m_version == m_document.BoxesVersion())
        return;
    m_version = m_document.BoxesVersion();
    if (m_keys.empty()) {
        m_boxes.clear();
        return;
    }
    // The entries by what they show; each takes the box of its generation nearest to where
    // its own stood, else the nearest of another generation.
    using Shown = std::tuple<const CIndRec*, const CFamRec*, int>;
    std::map<Shown, std::vector<std::size_t>> byShown;
    for (std::size_t i = 0; i < m_keys.size(); ++i)
        byShown[Shown{m_keys[i].individual, m_keys[i].family, m_keys[i].kind}].push_back(i);
    constexpr long long kNone = std::numeric_limits<long long>::max();
    constexpr long long kOtherGeneration = 1LL << 62;
    std::vector<long long> bestScore(m_keys.size(), kNone);
    std::vector<CDiagElem*> best(m_keys.size(), nullptr);
    for (const auto& rowSet : m_document.RowSets())
        for (const CDiagTree* tree : rowSet->Trees())
            ForEachBox(*tree, false, [&](CDiagElem& box) {
                const auto found =
                    byShown.find(Shown{box.GetIndividual(), box.GetFamily(), box.GetKind()});
                if (found == byShown.end())
                    return;
                const CPoint centre = box.GetCentre();
                for (std::size_t i : found->second) {
                    const long long dx = centre.x - m_keys[i].centre.x;
                    const long long dy = centre.y - m_keys[i].centre.y;
                    long long score = std::min(dx * dx + dy * dy, kOtherGeneration - 1);
                    if (box.GetGeneration() != m_keys[i].generation)
                        score += kOtherGeneration;
                    if (score < bestScore[i]) {
                        bestScore[i] = score;
                        best[i] = &box;
                    }
                }
            });
    std::vector<CDiagBoxKey> keys;
    m_boxes.clear();
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (!best[i] || std::find(m_boxes.begin(), m_boxes.end(), best[i]) != m_boxes.end())
            continue;
        m_boxes.push_back(best[i]);
        keys.push_back(DiagBoxKeyOf(*best[i]));
    }
    m_keys = std::move(keys);
}
