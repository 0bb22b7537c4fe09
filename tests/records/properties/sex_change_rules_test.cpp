// tests/records/properties/sex_change_rules_test.cpp: the rules for a new sex chosen for an
// individual, on real records: which change is refused, which is asked about, and what the
// individual, the spouse and the family's husband and wife links are afterwards.
#include "records/properties/sex_change_rules.h"

#include "database/records/fam_rec.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class SexChangeRulesTest : public record_test::CRecordTest {
protected:
    /// What the individual stands as before or after: "M", "F" or "U", then "H" as the family's
    /// husband, "W" as its wife, "-" as neither.
    static std::string Standing(const CIndRec* individual, const CFamRec* family)
    {
        if (!individual)
            return "none";
        const int sex = individual->GetSex();
        std::string text = sex == SEX_MALE ? "M" : sex == SEX_FEMALE ? "F" : "U";
        if (family && family->GetHusband() == individual)
            return text + "H";
        return text + (family && family->GetWife() == individual ? "W" : "-");
    }
};

int SexOf(char letter)
{
    return letter == 'M' ? SEX_MALE : letter == 'F' ? SEX_FEMALE : SEX_UNDETERMINED;
}

TEST_F(SexChangeRulesTest, ANewSexIsSetRefusedOrSwappedWithTheSpouse)
{
    // Besides the family the individual stands in: nothing, a second family, a FAMS field
    // without a target, or the spouse's own second family.
    enum Extra { kNone, kSecondFamily, kEmptyLink, kSpouseElsewhere };
    struct Case {
        const char* what;
        char sex;   // the individual's: M, F, U
        char place; // in the family: H husband, W wife, '-' no family
        bool spouse;
        Extra extra;
        char wanted;
        SexChange action;
        const char* individualAfter; // applied for Set and AskSwap
        const char* spouseAfter;
    };
    const std::vector<Case> cases = {
        {"no family", 'M', '-', false, kNone, 'F', SexChange::Set, "F-", "none"},
        {"no family, unknown", 'M', '-', false, kNone, 'U', SexChange::Set, "U-", "none"},
        {"no family, from unknown", 'U', '-', false, kNone, 'M', SexChange::Set, "M-", "none"},
        {"an empty FAMS field only", 'M', '-', false, kEmptyLink, 'F', SexChange::Set, "F-",
         "none"},
        {"the same sex", 'M', 'H', true, kNone, 'M', SexChange::Unchanged, nullptr, nullptr},
        {"a partner's sex deleted", 'M', 'H', true, kNone, 'U', SexChange::RefuseDelete, nullptr,
         nullptr},
        {"a partner twice", 'M', 'H', true, kSecondFamily, 'F', SexChange::RefuseSeveralFamilies,
         nullptr, nullptr},
        {"a FAMS field without target counts", 'M', 'H', true, kEmptyLink, 'F',
         SexChange::RefuseSeveralFamilies, nullptr, nullptr},
        {"the spouse married elsewhere", 'M', 'H', true, kSpouseElsewhere, 'F',
         SexChange::RefuseSpouseElsewhere, nullptr, nullptr},
        {"husband to wife", 'M', 'H', true, kNone, 'F', SexChange::AskSwap, "FW", "MH"},
        {"wife to husband", 'F', 'W', true, kNone, 'M', SexChange::AskSwap, "MH", "FW"},
        {"a husband without wife", 'M', 'H', false, kNone, 'F', SexChange::AskSwap, "FW", "none"},
        // An unknown sex: the place in the family already says which sex fits it.
        {"unknown husband made male", 'U', 'H', true, kNone, 'M', SexChange::Set, "MH", "FW"},
        {"unknown wife made female", 'U', 'W', true, kNone, 'F', SexChange::Set, "FW", "MH"},
        {"unknown wife made female, husband married elsewhere", 'U', 'W', true, kSpouseElsewhere,
         'F', SexChange::Set, "FW", "MH"},
        {"unknown husband made female", 'U', 'H', true, kNone, 'F', SexChange::AskSwap, "FW", "MH"},
        {"unknown wife made male", 'U', 'W', true, kNone, 'M', SexChange::AskSwap, "MH", "FW"},
        {"unknown wife made male, husband married elsewhere", 'U', 'W', true, kSpouseElsewhere, 'M',
         SexChange::RefuseSpouseElsewhere, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CIndRec* individual = NewIndividual(SexOf(c.sex), "Sam");
        CFamRec* family = nullptr;
        CIndRec* spouse = nullptr;
        if (c.place != '-') {
            const bool husband = c.place == 'H';
            spouse = c.spouse ? NewIndividual(husband ? SEX_FEMALE : SEX_MALE, "Pat") : nullptr;
            family = husband ? Marry(individual, spouse) : Marry(spouse, individual);
            if (c.sex == 'U') {
                ASSERT_TRUE(individual->SetSex(SEX_UNDETERMINED, true));
            }
        }
        if (c.extra == kSecondFamily)
            Marry(individual, NewIndividual(SEX_FEMALE, "Other"));
        if (c.extra == kEmptyLink) {
            ASSERT_NE(individual->CreateChildByTag("FAMS"), nullptr);
        }
        if (c.extra == kSpouseElsewhere)
            c.place == 'H' ? Marry(NewIndividual(SEX_MALE, "Other"), spouse)
                           : Marry(spouse, NewIndividual(SEX_FEMALE, "Other"));
        const std::string before = Standing(individual, family) + Standing(spouse, family);

        const int wanted = SexOf(c.wanted);
        const CSexChangePlan plan = PlanSexChange(*individual, wanted);
        EXPECT_EQ(plan.m_action, c.action);
        if (!c.individualAfter) {
            EXPECT_EQ(Standing(individual, family) + Standing(spouse, family), before)
                << "planning changes nothing";
            continue;
        }
        EXPECT_TRUE(ApplySexChange(*individual, plan, wanted));
        EXPECT_EQ(Standing(individual, family), c.individualAfter);
        EXPECT_EQ(Standing(spouse, family), c.spouseAfter);
    }
}

TEST_F(SexChangeRulesTest, ASwapNamesTheFamilyAndSpouseWhoseLinksAndSexChange)
{
    CIndRec* al = NewIndividual(SEX_MALE, "Al");
    CIndRec* bea = NewIndividual(SEX_FEMALE, "Bea");
    CFamRec* family = Marry(al, bea);
    const CSexChangePlan plan = PlanSexChange(*al, SEX_FEMALE);
    ASSERT_EQ(plan.m_action, SexChange::AskSwap);
    EXPECT_EQ(plan.m_family, family);
    EXPECT_EQ(plan.m_spouse, bea);
    EXPECT_EQ(PlanSexChange(*bea, SEX_MALE).m_spouse, al);
    EXPECT_EQ(al->GetSex(), SEX_MALE) << "a plan is only a plan until applied";
}

} // namespace
