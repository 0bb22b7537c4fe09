// records/properties/sex_change_rules.cpp: the rules for a new sex chosen for an individual and
// their carrying out on the records.
#include "records/properties/sex_change_rules.h"

#include "database/records/fam_rec.h"

CSexChangePlan PlanSexChange(const CIndRec& individual, int wanted)
{
    CSexChangePlan plan;
    const int current = individual.GetSex();
    if (wanted == current)
        return plan;
    // Every FAMS field counts here, a link without a target too.
    const int families = individual.CountSpouseFamilies(true);
    plan.m_action = SexChange::Set;
    if (families == 0)
        return plan;
    if (wanted == SEX_UNDETERMINED) {
        plan.m_action = SexChange::RefuseDelete;
        return plan;
    }
    if (families > 1) {
        plan.m_action = SexChange::RefuseSeveralFamilies;
        return plan;
    }
    // The one FAMS field: its family, the one the swap works on; none when it has no target.
    CFamRec* family = individual.GetNextSpouseFamily(nullptr);
    if (!family)
        return plan;
    plan.m_placeSex = family->GetHusband() == &individual ? SEX_MALE
                      : family->GetWife() == &individual  ? SEX_FEMALE
                                                          : SEX_UNDETERMINED;
    // An unknown sex settled as the individual's place in the family has it, or a place the
    // family does not give back, changes nobody else.
    if (current == SEX_UNDETERMINED &&
        (plan.m_placeSex == wanted || plan.m_placeSex == SEX_UNDETERMINED))
        return plan;
    CIndRec* spouse = individual.GetSpouseInFamily(family);
    if (spouse && spouse->CountSpouseFamilies(true) > 1) {
        plan.m_action = SexChange::RefuseSpouseElsewhere;
        return plan;
    }
    plan.m_action = SexChange::AskSwap;
    plan.m_family = family;
    plan.m_spouse = spouse;
    return plan;
}

const char* SexChangeMessage(SexChange action)
{
    switch (action) {
    case SexChange::RefuseDelete:
        return "You cannot delete an individual's sex if he or she is a spouse or parent.";
    case SexChange::RefuseSeveralFamilies:
        return "You cannot change an individual's sex if he/she is a spouse or parent in more "
               "than one family.";
    case SexChange::RefuseSpouseElsewhere:
        return "You cannot swap the individual's sex with that of his/her spouse as the spouse "
               "is a parent in another family.";
    case SexChange::AskSwap:
        return "Do you wish to swap the parents' sexes?";
    case SexChange::Unchanged:
    case SexChange::Set:
        break;
    }
    return nullptr;
}

bool ApplySexChange(CIndRec& individual, const CSexChangePlan& plan, int wanted)
{
    switch (plan.m_action) {
    case SexChange::Unchanged:
        return true;
    case SexChange::Set:
        return individual.SetSex(wanted, true);
    case SexChange::AskSwap: {
        // The swap finds the spouse from the individual's sex: an unknown sex first takes the
        // one the individual's place gives, so that the spouse found is the other partner.
        const bool unknown = individual.GetSex() == SEX_UNDETERMINED;
        if (unknown && !individual.SetSex(plan.m_placeSex, true))
            return false;
        if (individual.SwapSexWithSpouse(wanted))
            return true;
        if (unknown)
            individual.SetSex(SEX_UNDETERMINED, true);
        return false;
    }
    case SexChange::RefuseDelete:
    case SexChange::RefuseSeveralFamilies:
    case SexChange::RefuseSpouseElsewhere:
        break;
    }
    return false;
}
