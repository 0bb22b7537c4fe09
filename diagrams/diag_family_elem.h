// diagrams/diag_family_elem.h: the descendant side's boxes: one family box per spouse family of
// a person (CDiagFamilyElem), the spouse box beside it (CDiagDescendantElem), a link per child
// under it (CDiagLink), and the chain of a person's family boxes (CDiagFamilyLink).
#pragma once

#include "diagrams/diag_elem.h"

#include <memory>
#include <vector>

class CDiagFamilyElem;

/// A person on the descendant side and the chain of his or her family boxes, in order. The
/// boxes are not owned; each leaves the chain when destroyed.
class CDiagFamilyLink {
public:
    explicit CDiagFamilyLink(CIndRec* person) : m_person(person) {}
    CDiagFamilyLink(const CDiagFamilyLink&) = delete;
    CDiagFamilyLink& operator=(const CDiagFamilyLink&) = delete;

    CIndRec* Person() const { return m_person; }
    const std::vector<CDiagFamilyElem*>& Boxes() const { return m_boxes; }
    void AddBox(CDiagFamilyElem* box) { m_boxes.push_back(box); }
    void RemoveBox(const CDiagFamilyElem* box);
    /// The box's index in the chain (0 the first); -1 when not in it.
    int IndexOf(const CDiagFamilyElem* box) const;
    /// The family box the person hangs from as a child; null in a tree's root row.
    CDiagFamilyElem* m_parentBox = nullptr;

private:
    CIndRec* m_person;
    std::vector<CDiagFamilyElem*> m_boxes;
};

/// A child under a family box (parent null for a person of a tree's root row), holding the
/// child's family boxes, one per marriage shown.
class CDiagLink {
public:
    CDiagLink(CDiagFamilyElem* parent, CIndRec* child);
    CDiagLink(const CDiagLink&) = delete;
    CDiagLink& operator=(const CDiagLink&) = delete;
    ~CDiagLink();
    CDiagFamilyElem* Parent() const { return m_parent; }
    CIndRec* Child() const { return m_child; }
    /// Moves the link under another family box (the box's chain of links is the caller's).
    void SetParent(CDiagFamilyElem* parent)
    {
        m_parent = parent;
        m_person.m_parentBox = parent;
    }
    int m_position = 0;
    bool m_flag = false;
    /// The child and the chain of his or her family boxes.
    CDiagFamilyLink m_person;
    /// The family boxes, owned, in the chain's order.
    std::vector<std::unique_ptr<CDiagFamilyElem>> m_boxes;

private:
    CDiagFamilyElem* m_parent;
    CIndRec* m_child;
};

class CDiagDescendantElem;

class CDiagFamilyElem : public CDiagElem {
public:
    CDiagFamilyElem(IDiagramOwner& owner, int position, int generation);
    ~CDiagFamilyElem() override;

    int GetKind() const override { return kFamilyElem; }
    void GetBoxText(CBoxText& out) const override;
    /// The family link's person.
    CIndRec* GetIndividual() const override;
    CFamRec* GetFamily() const override { return m_family; }
    /// The spouse box.
    CDiagElem* GetPartner() const override;
    /// Not expanded, at the descendant generation limit.
    bool IsAtDiagramLimit(bool* descendantSide = nullptr) const override;

    /// Joins the person's chain of family boxes (at its end) and takes the family record.
    void SetRecords(CDiagFamilyLink* link, CFamRec* family);
    CDiagFamilyLink* FamilyLink() const { return m_link; }
    /// Takes the spouse box (null deletes the one held).
    void SetSpouseBox(std::unique_ptr<CDiagDescendantElem> spouse);
    CDiagDescendantElem* SpouseBox() const { return m_spouse.get(); }
    /// Appends a child link.
    CDiagLink* AddChildLink(CIndRec* child);
    const std::vector<std::unique_ptr<CDiagLink>>& ChildLinks() const { return m_links; }
    /// The child links, for the layout engine to bring in line with the family's children.
    std::vector<std::unique_ptr<CDiagLink>>& MutableChildLinks() { return m_links; }

    /// Whether this is the first family box of its person.
    bool IsFirstFamilyBox() const;
    /// The next (previous) family box of the person; null at the end (start).
    CDiagFamilyElem* NextFamilyBox() const;
    CDiagFamilyElem* PreviousFamilyBox() const;
    /// Where the line down to the children starts: the box's centre without a spouse box;
    /// the spouse box's left edge less half the spouse-lines gap when this box is hidden;
    /// otherwise the middle of the gap between the two boxes.
    int GetConnectorX() const;
    /// 0 when a child may be added at this box, else the string id of the refusal.
    int CanAddChild() const;
    /// Takes a new spouse box: it is marked as repeating a person shown elsewhere when this box
    /// is one of the root person's and stands for the root box's family; then it is measured
    /// with its picture loaded (on measurer, or the owner's when null).
    void RegisterSpouseBox(std::unique_ptr<CDiagDescendantElem> spouse, IBoxPainter* measurer);

private:
    CDiagFamilyLink* m_link = nullptr;
    CFamRec* m_family = nullptr;
    std::unique_ptr<CDiagDescendantElem> m_spouse;
    std::vector<std::unique_ptr<CDiagLink>> m_links;
};

/// The spouse box beside a family box; its family, partner, expansion and limit are the
/// family box's, and so are its position, generation and visibility at creation.
class CDiagDescendantElem : public CDiagElem {
public:
    /// spouse null: a spouse box without a spouse, shown as "?".
    CDiagDescendantElem(CDiagFamilyElem& family, CIndRec* spouse);

    int GetKind() const override { return kSpouseElem; }
    void Expand() override { m_familyBox.Expand(); }
    void GetBoxText(CBoxText& out) const override;
    CIndRec* GetIndividual() const override { return m_individual; }
    CFamRec* GetFamily() const override { return m_familyBox.GetFamily(); }
    CDiagElem* GetPartner() const override { return &m_familyBox; }
    bool IsAtDiagramLimit(bool* descendantSide = nullptr) const override
    {
        return m_familyBox.IsAtDiagramLimit(descendantSide);
    }
    CDiagFamilyElem& FamilyBox() const { return m_familyBox; }

private:
    CDiagFamilyElem& m_familyBox;
    CIndRec* m_individual;
};
