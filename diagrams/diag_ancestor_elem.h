// diagrams/diag_ancestor_elem.h: a box on the ancestor side, for one individual and the family
// in which he or she is a child, holding the boxes of the parents above it.
//
// A CDiagAncestorElem holds its parents' boxes above it, the relatives branch (IDiagSubTree) of an
// All Relatives diagram, branch-wide flags, visibility and index, and answers CanAddParent.
#pragma once

#include "diagrams/diag_elem.h"

#include <memory>

/// The layout engine's relatives branch of a box in an All Relatives diagram.
class IDiagSubTree {
public:
    virtual ~IDiagSubTree() = default;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetFlags(std::uint16_t bits, bool on, const ElemRecordSet* records) = 0;
    /// Enters the branch's unmarked boxes in the record index.
    virtual void IndexElements() = 0;
};

class CDiagAncestorElem : public CDiagElem {
public:
    CDiagAncestorElem(IDiagramOwner& owner, int position, int generation);
    ~CDiagAncestorElem() override;

    int GetKind() const override { return kAncestorElem; }
    void GetBoxText(CBoxText& out) const override;
    CIndRec* GetIndividual() const override { return m_individual; }
    CFamRec* GetFamily() const override { return m_family; }
    /// The other parent box of the same couple.
    CDiagElem* GetPartner() const override;
    /// Not expanded, without parent boxes or relatives branch, in an All Relatives diagram,
    /// in the last ancestor row shown.
    bool IsAtDiagramLimit(bool* descendantSide = nullptr) const override;

    /// The box's child box, individual and parent family (not owned).
    void SetRecords(CDiagAncestorElem* child, CIndRec* individual, CFamRec* family);
    CDiagAncestorElem* Child() const { return m_child; }
    /// Takes a parent box (null deletes the one held); the parent's child becomes this box.
    void SetFather(std::unique_ptr<CDiagAncestorElem> father);
    void SetMother(std::unique_ptr<CDiagAncestorElem> mother);
    CDiagAncestorElem* Father() const { return m_father.get(); }
    CDiagAncestorElem* Mother() const { return m_mother.get(); }
    void SetSubTree(std::unique_ptr<IDiagSubTree> subTree) { m_subTree = std::move(subTree); }
    IDiagSubTree* SubTree() const { return m_subTree.get(); }
    /// Whether the box is in the window's list of boxes whose text must be brought up to date.
    bool m_refreshListed = false;

    /// Sets or clears bits on the box, its parents' branches and its relatives branch.
    void SetFlagsInBranch(std::uint16_t bits, bool on, const ElemRecordSet* records = nullptr);
    /// Sets the visibility of the box and, when expanded, of its parents' branches.
    void SetVisibleInBranch(bool visible);
    /// Enters every unmarked box of the branch in the record index.
    void IndexBranch();
    /// 0 when a parent may be added at this box, else the string id of the refusal.
    int CanAddParent() const;

private:
    CDiagAncestorElem* m_child = nullptr;
    CIndRec* m_individual = nullptr;
    CFamRec* m_family = nullptr;
    std::unique_ptr<CDiagAncestorElem> m_father;
    std::unique_ptr<CDiagAncestorElem> m_mother;
    std::unique_ptr<IDiagSubTree> m_subTree;
};
