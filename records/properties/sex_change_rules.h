// records/properties/sex_change_rules.h: what a new sex chosen for an individual does to the
// individual's spouse families: set at once, refused with a message, or a swap with the spouse
// asked about first. Decided from the records alone, without windows.
#pragma once

#include "database/kin/ind_rec.h"

class CFamRec;

/// The answer to a new sex chosen for an individual.
enum class SexChange {
    Unchanged,             // the sex chosen is the sex stored
    Set,                   // only the individual's own sex changes
    RefuseDelete,          // an unknown sex for a partner
    RefuseSeveralFamilies, // a partner in more than one family
    RefuseSpouseElsewhere, // the spouse is a partner in another family
    AskSwap,               // asked first; on Yes the partners exchange sexes and places
};

struct CSexChangePlan {
    SexChange m_action = SexChange::Unchanged;
    /// AskSwap: the family whose husband and wife links are exchanged, and its other partner,
    /// who takes the other sex (null when the family has none).
    CFamRec* m_family = nullptr;
    CIndRec* m_spouse = nullptr;
    /// The sex the individual's place in the family gives (SEX_MALE as husband, SEX_FEMALE as
    /// wife), SEX_UNDETERMINED when the individual is neither.
    int m_placeSex = SEX_UNDETERMINED;
};

/// The plan for setting the individual's sex to wanted (SEX_MALE, SEX_FEMALE or
/// SEX_UNDETERMINED). Every FAMS field counts as a spouse family, one without a target too; a
/// change is only asked about for an individual whose one FAMS field leads to a family. An
/// individual of unknown sex who stands in that family's place of the sex chosen, or in neither
/// place, only takes the sex: nothing is swapped.
CSexChangePlan PlanSexChange(const CIndRec& individual, int wanted);

/// The message of a refusal, the question of AskSwap; null for Unchanged and Set.
const char* SexChangeMessage(SexChange action);

/// Carries out Set, or AskSwap once agreed: the individual takes wanted and, in a swap, the
/// spouse the other sex while the family's husband and wife links change places. False when the
/// records refuse; the sexes are then as before (an unknown sex that a failed swap had to settle
/// first is unknown again, without its SEX field).
bool ApplySexChange(CIndRec& individual, const CSexChangePlan& plan, int wanted);
