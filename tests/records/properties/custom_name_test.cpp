// tests/records/properties/custom_name_test.cpp: tests of the rules for new custom event and
// attribute names.
#include "records/properties/name_similarity.h"

#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CustomNameTest : public record_test::CRecordTest {};

TEST_F(CustomNameTest, SimilarityLooksOnlyAtLettersAndDigits)
{
    EXPECT_TRUE(AreNamesSimilar("Bar-mitzvah", "Bar Mitzvah"));
    EXPECT_TRUE(AreNamesSimilar("(Ship's) log 2", "ships LOG2"));
    EXPECT_FALSE(AreNamesSimilar("Log 1", "Log 2"));
    EXPECT_EQ(SimilarityKey("!?,."), "");
    EXPECT_EQ(SimilarityKey("Émigré 1"), "ÉMIGRÉ1");
}

TEST_F(CustomNameTest, ANewNameIsCheckedAgainstStandardAndSimilarNames)
{
    CCustomNameLists lists;
    lists.m_indiEvents = {"Bar Mitzvah", "Sailing trip"};
    lists.m_famEvents = {"Vow renewal", "House move"};
    lists.m_indiAttributes = {"Shoe size"};
    lists.m_excludedEvents = {"bar mitzvah"};
    using V = CCustomNameVerdict;
    struct Case {
        const char* name;
        bool isEvent;
        bool isFamily;
        V::Action action;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"  ", true, false, V::Refuse, "You must supply an event name"},
        {"", false, false, V::Refuse, "You must supply an attribute name"},
        {"Sailing:", true, false, V::Refuse, "Name must not end with a colon."},
        {"bAPTISM", true, false, V::Refuse,
         "The text you have entered is the name of an existing standard event.  You cannot "
         "create a custom event with the same name as a standard event or attribute."},
        {"occupation", true, true, V::Refuse,
         "The text you have entered is the name of an existing standard attribute.  You cannot "
         "create a custom event with the same name as a standard event or attribute."},
        {"Sailing trip", true, false, V::Refuse,
         "Name is already in use for an existing Individual event.  Please choose another name."},
        {"Sailing-trip", true, false, V::Refuse,
         "Name is too similar to an existing Individual event name.  Please choose another "
         "name.\n\nFor the purposes of assessing 'similarity', you should ignore all characters "
         "other than alphabetic characters and digits (for example, spaces, commas, brackets, "
         "apostrophes, etc. don't count).  If an existing Individual event name has the same "
         "alphabetic characters and digits, in the same order, the names are deemed to be too "
         "similar."},
        {"Bar-mitzvah", true, false, V::Refuse,
         "Name is too similar to an existing Individual event name.  Please choose another "
         "name.\n\nFor the purposes of assessing 'similarity', you should ignore all characters "
         "other than alphabetic characters and digits (for example, spaces, commas, brackets, "
         "apostrophes, etc. don't count).  If an existing Individual event name has the same "
         "alphabetic characters and digits, in the same order, the names are deemed to be too "
         "similar.\n\nThe event in question is not shown in the event list, as it has been "
         "marked for exclusion (see Preferences)."},
        {"House-move", true, false, V::AskUseExisting,
         "Name is similar, but not identical, to an existing Family event name: \n\nHouse "
         "move\n\nUse that name instead? (You are recommended to keep names consistent where "
         "possible)."},
        {"Bar-mitzvah", true, true, V::AskUseExisting,
         "Name is similar, but not identical, to an existing Individual event name: \n\nBar "
         "Mitzvah\n\nUse that name instead? (You are recommended to keep names consistent where "
         "possible).\n\nPlease note that the name mentioned is currently marked for exclusion "
         "from lists (see Preferences)."},
        {"House move", true, false, V::Accept, ""},
        {"Shoe-size", true, false, V::AskProceed,
         "Event name is similar or identical to an existing attribute name.  Proceed anyway?"},
        {"sailing trip", false, false, V::AskProceed,
         "Attribute name is similar or identical to an existing event name.  Proceed anyway?"},
        {"!!!", true, false, V::Accept, ""},
    };
    for (const Case& c : cases) {
        const V verdict = CheckCustomName(c.name, c.isEvent, c.isFamily, lists);
        EXPECT_EQ(verdict.m_action, c.action) << c.name;
        EXPECT_EQ(verdict.m_message, c.message) << c.name;
    }
    const V offered = CheckCustomName(" Bar-mitzvah ", true, true, lists);
    EXPECT_EQ(offered.m_existing, "Bar Mitzvah");
    EXPECT_EQ(offered.m_name, "Bar-mitzvah");
    lists.m_indiEvents.push_back("???");
    EXPECT_EQ(CheckCustomName("!!!", true, false, lists).m_action, V::Refuse)
        << "names without letters or digits are all alike";
}

TEST_F(CustomNameTest, ACustomItemNameIsCheckedWithoutSimilarity)
{
    EXPECT_EQ(CheckCustomItemName(" ", true), "You must supply a name");
    EXPECT_EQ(CheckCustomItemName("Note:", false), "Name must not end with a colon.");
    EXPECT_EQ(CheckCustomItemName("Baptism", false),
              "The text you have entered is the name of an existing standard event.  You "
              "cannot have a custom attribute with the same name as a standard event or "
              "attribute.");
    EXPECT_EQ(CheckCustomItemName("RESIDENCE", true),
              "The text you have entered is the name of an existing standard attribute.  You "
              "cannot have a custom event with the same name as a standard event or attribute.");
    EXPECT_EQ(CheckCustomItemName("Sailing trip ", true), "");
}

} // namespace
