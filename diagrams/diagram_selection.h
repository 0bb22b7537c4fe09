// diagrams/diagram_selection.h: selected boxes of a diagram document held by what they show, so
// that nothing dangles when the document destroys a box.
//
// Each entry keeps its box's records, kind and generation and where the box stood. Once the
// document has destroyed any box (its BoxesVersion moved on), the entries are found again among
// the boxes it holds: the box showing the same records as the same kind of box, in the same
// generation when one is, nearest to where the entry's box stood when it was selected or last
// found. An entry whose records no box shows any more leaves the selection. The selection also
// holds which of the diagram's titles are selected, by their index.
#pragma once

#include "diagrams/diagram_settings.h"
#include "platform/base/geometry.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class CDiagElem;
class CDiagramDocument;
class CFamRec;
class CIndRec;

/// What a selected box shows and where it stood.
struct CDiagBoxKey {
    const CIndRec* individual = nullptr;
    const CFamRec* family = nullptr;
    int kind = 0;
    int generation = 0;
    CPoint centre;
};

/// The key of a box as it stands.
CDiagBoxKey DiagBoxKeyOf(const CDiagElem& box);

class CDiagramSelection {
public:
    explicit CDiagramSelection(const CDiagramDocument& document) : m_document(document) {}

    /// Adds the box as the newest entry (it stays where it was when already selected); with
    /// clearOthers the selection holds the box alone.
    void Select(CDiagElem& box, bool clearOthers);
    void Deselect(const CDiagElem& box);
    void Clear();
    bool Contains(const CDiagElem& box) const;
    /// The selected boxes as the document holds them now, newest first.
    const std::vector<CDiagElem*>& Boxes() const;
    bool Empty() const { return Boxes().empty(); }
    std::size_t Size() const { return Boxes().size(); }

    /// Titles by their index in the settings' titles; the box selection leaves them alone.
    bool IsTitleSelected(int index) const { return m_titles[std::size_t(index)]; }
    void SetTitleSelected(int index, bool selected) { m_titles[std::size_t(index)] = selected; }
    void ClearTitles() { m_titles.fill(false); }

private:
    /// Finds the entries again when the document destroyed boxes since they were found.
    void Resolve() const;

    const CDiagramDocument& m_document;
    mutable std::vector<CDiagBoxKey> m_keys;
    mutable std::vector<CDiagElem*> m_boxes;
    mutable std::uint64_t m_version = 0;
    std::array<bool, kDiagramTitleCount> m_titles{};
};
