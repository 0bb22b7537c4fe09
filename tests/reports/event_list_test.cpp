// tests/reports/event_list_test.cpp: which event and attribute fields an event list of the
// report settings takes in: standard kinds by field id, custom kinds by their type text.
#include "reports/rpt_settings.h"

#include "database/dictionary/field_ids.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

namespace {

class EventListTest : public record_test::CRecordTest {};

TEST_F(EventListTest, StandardKindsMatchByIdAndCustomKindsByTypeAndKind)
{
    CIndRec* person = NewIndividual(SEX_FEMALE, "Ann /Lee/");
    CDataNode* birth = person->CreateChildByTag("BIRT");
    CDataNode* occupation = SetField(person, "OCCU", "Weaver");
    CDataNode* feast = person->CreateChildByTag("EVEN");
    SetField(feast, "TYPE", "Harvest Feast");
    CDataNode* sex = person->FindChild(nullptr, FIELD_SEX);
    ASSERT_TRUE(birth && occupation && feast && sex);

    struct Case {
        const char* name;
        CEventList list;
        bool birth, occupation, feast;
    } const cases[] = {
        {"birth by id", {{FIELD_BIRT, "", 0}}, true, false, false},
        {"occupation by id", {{FIELD_OCCU, "", 0}}, false, true, false},
        {"custom event by its type, any case", {{0, "harvest FEAST", 1}}, false, false, true},
        {"custom attribute of the same name", {{0, "Harvest Feast", 2}}, false, false, false},
        {"another type", {{0, "Feast", 1}}, false, false, false},
        {"empty list", {}, false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsEventInList(c.list, *birth), c.birth) << c.name;
        EXPECT_EQ(IsEventInList(c.list, *occupation), c.occupation) << c.name;
        EXPECT_EQ(IsEventInList(c.list, *feast), c.feast) << c.name;
        EXPECT_FALSE(IsEventInList(c.list, *sex)) << c.name;
    }
}

} // namespace
