// diagrams/window/rel_tree_editor.cpp: the Diagram window's editor (CRelTreeEditor): what its
// edits look up in the diagram, the family shown below an ancestor box and the box showing a
// person.
#include "diagrams/window/rel_tree_editor.h"

#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "diagrams/diag_ancestor_elem.h"
#include "diagrams/diag_tree_walk.h"
#include "diagrams/diagram_document.h"

CRelTreeEditor::CRelTreeEditor(IRelTreeEditorView& view, CDiagramDocument& doc)
    : m_view(view), m_doc(doc)
{
}

CFamRec* CRelTreeEditor::FamilyBelowAncestor(const CDiagAncestorElem& box) const
{
    if (const CDiagAncestorElem* child = box.Child())
        return child->GetFamily();
    const CIndRec* ancestor = box.GetIndividual();
    if (!ancestor)
        return nullptr;
    // A diagram rooted at a couple: its partners' family.
    if (m_doc.RootKind() == 1 && m_doc.RootFamily() &&
        (m_doc.RootFamily()->GetHusband() == ancestor || m_doc.RootFamily()->GetWife() == ancestor))
        return m_doc.RootFamily();
    if (!m_doc.RootPerson())
        return nullptr;
    for (CFamRec* family = ancestor->GetNextSpouseFamily(nullptr); family;
         family = ancestor->GetNextSpouseFamily(family)) {
        bool isSpouse = false;
        if (family->HasMember(m_doc.RootPerson(), isSpouse) && !isSpouse)
            return family;
    }
    return nullptr;
}

CFamRec* CRelTreeEditor::AncestorFamily(CDiagElem& box) const
{
    return box.GetKind() == kAncestorElem
               ? FamilyBelowAncestor(static_cast<const CDiagAncestorElem&>(box))
               : nullptr;
}

CDiagElem* CRelTreeEditor::ShownBoxOf(const CIndRec* person) const
{
    CDiagElem* found = nullptr;
    for (const auto& rowSet : m_doc.RowSets())
        for (CDiagTree* tree : rowSet->Trees())
            ForEachBox(*tree, true, [&](CDiagElem& box) {
                if (!found && box.IsVisible() && box.GetIndividual() == person)
                    found = &box;
            });
    return found;
}
