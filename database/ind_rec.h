// database/ind_rec.h: the individual record (INDI): its sex and its family links.
#pragma once

#include "database/record_node.h"

class CFamRec;

/// Program-wide sex codes.
inline constexpr int SEX_MALE = 0;
inline constexpr int SEX_FEMALE = 1;
inline constexpr int SEX_UNDETERMINED = 2;
/// No sex decided (the link check's starting value).
inline constexpr int SEX_UNSET = 3;

/// An individual. Everything about it lives in its field tree: FAMC links to the families in
/// which it is a child (a family's CHIL links back), FAMS links to those in which it is a
/// partner (HUSB or WIFE back, by its sex), and its SEX field. Walks over its links never
/// loop: a family linked twice is met once.
class CIndRec : public CRecordNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// The first SEX field that is not empty: SEX_MALE, SEX_FEMALE, else SEX_UNDETERMINED.
    int GetSex() const;
    /// The parent family after `after` (the first when null), in the order of the FAMC links
    /// with a target, each family once; null after the last and when `after` is not one.
    CFamRec* GetNextParentFamily(const CFamRec* after) const;
    /// The same over the FAMS links.
    CFamRec* GetNextSpouseFamily(const CFamRec* after) const;
    /// The number of FAMC (FAMS) fields: all of them, or only those with a target.
    int CountParentFamilies(bool includeEmpty) const;
    int CountSpouseFamilies(bool includeEmpty) const;
    /// The wife when the family's husband is this individual, else the husband when its wife
    /// is; null otherwise or when the partner is missing.
    CIndRec* GetSpouseInFamily(const CFamRec* family) const;

    /// The children over all spouse families, each family's linked children counted;
    /// notApplicable is cleared.
    int CountLinkedChildren(bool& notApplicable) const override;

private:
    int CountChildrenWithTarget(int fieldId) const;
};

/// The individual a record is; null for another record or none.
CIndRec* AsIndividual(CRecordNode* record);
const CIndRec* AsIndividual(const CRecordNode* record);
