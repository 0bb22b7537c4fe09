// diagrams/diag_place_fill.cpp: refilling a tree's rows in the order of the build: the root
// row's people with their marriage boxes and spouse boxes, each deeper row from the boxes of
// the row above, and each ancestor row from the boxes of the row below.
#include "common/abort.h"
#include "database/kin/ind_rec.h"
#include "diagrams/diag_tree.h"

#include <new>

namespace {

/// A person's family boxes, each with its spouse box (first when the person is female).
void AppendPerson(const CDiagLink& link, std::vector<CDiagElem*>& row)
{
    const bool female = link.Child() && link.Child()->GetSex() == SEX_FEMALE;
    for (const auto& box : link.m_boxes) {
        CDiagElem* spouse = box->SpouseBox();
        if (spouse && female)
            row.push_back(spouse);
        row.push_back(box.get());
        if (spouse && !female)
            row.push_back(spouse);
    }
}

} // namespace

int CGenerationTable::Relayout(int generation, bool whole, bool release)
{
    try {
        CDiagTree& tree = *m_self;
        if (!tree.HasElements()) {
            ReleaseRows(0, true);
            return 1;
        }
        const bool descendants = whole || generation < 1;
        const bool ancestors = whole || generation >= 1;
        if (descendants) {
            const int from = whole ? 0 : generation;
            if (release)
                ReleaseRows(from, false);
            else
                ResetRows(from, false);
            std::vector<CDiagElem*> boxes;
            if (from == 0) {
                for (const auto& link : tree.m_rootLinks)
                    AppendPerson(*link, boxes);
            } else if (const CDiagRow* above = GetRow(from + 1)) {
                for (CDiagElem* box : above->m_boxes)
                    if (box->GetKind() == kFamilyElem)
                        for (const auto& child : static_cast<CDiagFamilyElem*>(box)->ChildLinks())
                            AppendPerson(*child, boxes);
            }
            for (int g = from; !boxes.empty(); --g) {
                CDiagRow* row = AppendRow(g, std::move(boxes));
                boxes.clear();
                for (CDiagElem* box : row->m_boxes)
                    if (box->GetKind() == kFamilyElem)
                        for (const auto& child : static_cast<CDiagFamilyElem*>(box)->ChildLinks())
                            AppendPerson(*child, boxes);
            }
            TrimEmptyRows();
        }
        if (ancestors) {
            const int from = whole ? 1 : generation;
            if (release)
                ReleaseRows(from, false);
            else
                ResetRows(from, false);
            std::vector<CDiagElem*> boxes;
            const auto appendParents = [&boxes](CDiagElem* box) {
                if (box->GetKind() != kAncestorElem)
                    return;
                auto* ancestor = static_cast<CDiagAncestorElem*>(box);
                if (ancestor->Father())
                    boxes.push_back(ancestor->Father());
                if (ancestor->Mother())
                    boxes.push_back(ancestor->Mother());
            };
            if (from == 1) {
                if (tree.m_father)
                    boxes.push_back(tree.m_father.get());
                if (tree.m_mother)
                    boxes.push_back(tree.m_mother.get());
            } else if (const CDiagRow* below = GetRow(from - 1)) {
                for (CDiagElem* box : below->m_boxes)
                    appendParents(box);
            }
            for (int g = from; !boxes.empty(); ++g) {
                CDiagRow* row = AppendRow(g, std::move(boxes));
                boxes.clear();
                for (CDiagElem* box : row->m_boxes)
                    appendParents(box);
            }
            TrimEmptyRows();
        }
        PackRows();
        PackAncestorRows();
        return 1;
    } catch (const COperationAborted&) {
    } catch (const std::bad_alloc&) {
    }
    return 0;
}
