// database/records/fam_rec.h: the family record (FAM): its husband, wife and children.
#pragma once

#include "database/records/record_node.h"

#include <string>

class CAssocNode;
class CIndRec;

/// A family. Its HUSB, WIFE and CHIL link fields tie it to individuals, each with a reciprocal
/// FAMS or FAMC link in the individual. A partner or child is present when a link field of that
/// kind has a target. Walks over the children never loop: a child linked twice is met once.
class CFamRec : public CRecordNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;
    /// Start-up: whether the definitions table gives the family record its HUSB, WIFE and CHIL
    /// links.
    static bool InitTags();
    using CDataNode::CountChildren;

    /// The targets of the first HUSB (WIFE) link with a target; null when none.
    CIndRec* GetHusband() const;
    CIndRec* GetWife() const;
    /// The child after `after` (the first when null), in CHIL link order, each child once;
    /// null after the last and when `after` is not a child.
    CIndRec* GetNextChild(const CIndRec* after) const;
    /// The index-th child (from 0) counting the CHIL links with a target; beyond the end the
    /// last child, with actualIndex the count - 1; null without children.
    CIndRec* GetChildAt(int index, int& actualIndex) const;
    /// The number of CHIL links with a target.
    int CountChildren() const;
    /// Whether the individual is a child, husband or wife; isSpouse tells which.
    bool HasMember(const CRecordNode* individual, bool& isSpouse) const;
    /// Links an individual as a child, before the child link `before` (at the end when null),
    /// with the individual's FAMC link back; nothing when it already is a child. Aborts
    /// (ThrowAbort), leaving no half-made field, when a link cannot be made.
    void LinkChild(CIndRec* individual, CAssocNode* before);
    /// Moves the CHIL link to child so that it stands just before the link to beforeChild (after
    /// the last child link when null) and marks the family changed; aborts (ThrowAbort) when
    /// child is not linked. Nothing happens when the links already stand so.
    void MoveChildLink(const CIndRec* child, const CIndRec* beforeChild);
    /// Links an existing individual as husband (male) or wife (female), with its FAMS link
    /// back; an individual of undetermined sex first takes sex (0 or 1). False when refused:
    /// another sex, or that partner's link already holds someone.
    bool LinkSpouse(CIndRec* individual, int sex);
    /// LinkSpouse; when the partner's place is taken the user is told so through the installed
    /// relative dialogs ("This family already has a father/husband") and the answer is false.
    bool LinkSpouseOrSayWhy(CIndRec* individual, int sex);
    /// Exchanges the HUSB and WIFE links, creating a missing link field; false when a field
    /// cannot be made.
    bool SwapPartners();
    /// A new individual, appended under the INDI root and linked as the last child; with
    /// surnameFrom its NAME takes that individual's surname. Aborts (ThrowAbort), leaving
    /// nothing behind, when a record or link cannot be made.
    CIndRec* AddNewChild(const CIndRec* surnameFrom);
    /// A new individual as the missing partner (husband or wife); when both are missing, of the
    /// given sex, asked ("new parent/spouse") when that is neither 0 nor 1. Null when both are
    /// present or the user cancels (cancelled set). Aborts like AddNewChild.
    CIndRec* AddNewSpouse(int sex, bool& cancelled);
    /// Lets the user pick an individual as the missing father or mother ("Select Individual to
    /// Link as Father", "... Mother", "... Parent"); an unrecorded sex is asked first. False
    /// when both partners are present, nothing was linked, or the link was refused (said why).
    bool LinkExistingParent(bool notify);
    /// Lets the user pick an individual in a dialog titled title (the caller's, such as "Select
    /// Individual to Link as Sibling", or "Select Individual to Link as Child") and links it as a
    /// child before beforeChild (as the last child when null). The child linked; null when
    /// nothing was.
    CIndRec* LinkExistingChild(const char* title, const CIndRec* beforeChild, bool notify);
    /// "Family of " and the partners' names joined by " and ", the one partner's, or
    /// "(parents not known)"; a partner without a name shows "(no name)".
    void GetTitle(std::string& text) const;
    /// The husband's and wife's names in the preferred form joined by " and ", "<unknown>" for
    /// a missing partner (diagram titles).
    void GetCoupleText(std::string& text) const;

    // The node and record operations.
    /// By husband, then by wife, each as the individuals compare; a family without the partner
    /// sorts after one with.
    int Compare(const CDataNode* other, int format) const override;
    /// The submenus "Add Husband", "Add Wife", "Add Child", "Add Event", "Add Miscellaneous"
    /// (with "LDS" last), "Add Source" and "Add Note", each item "Add " and a sub-field's label,
    /// then a separator and "Properties".
    bool AddContextMenu(INodeMenu& menu) override;
    /// The record's own choices, then for each child its name, birth and adoption.
    void FillChoiceList(INodeChoiceList& list, bool restricted) override;
    /// The number of CHIL links with a target; notApplicable is cleared.
    int CountLinkedChildren(bool& notApplicable) const override;
    /// Puts the CHIL links in the order of the children's birth dates; undated children keep
    /// their places. True when anything moved; the caller notifies.
    bool SortChildren() override;
    /// Every term is found in the husband's or the wife's names.
    bool ContainsKeyText(std::span<const CSearchTerm> terms, bool caseSensitive) const override;
    /// Similarity by the merge's pairing of individuals (options: a CMergeRecordMap):
    /// -10000 against another type; partners present in both +50 each when paired with each
    /// other, -100 when not (a negative score is final, and so is the score of a family with
    /// both partners); +25 for each child paired with one of the other family's children.
    int MatchScore(const CRecordNode* other, const void* options) const override;
};

/// The family a record is; null for another record or none.
CFamRec* AsFamily(CRecordNode* record);
const CFamRec* AsFamily(const CRecordNode* record);
