// tests/database/fields/age_node_test.cpp: reading, showing, writing, sorting and editing ages.
#include "database/fields/age_node.h"

#include "tests/database/nodes/field_node_fakes.h"

#include <algorithm>

namespace {

using field_node_test::WrittenLines;

struct ParseCase {
    const char* text;
    int kind;
    int years;
    int months;
    int days;
    bool complete;
};

class ParseAgeTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseAgeTest, ReadsKindAndNumbers)
{
    const ParseCase& c = GetParam();
    bool complete = !c.complete;
    const CAgeValue age = ParseAge(c.text, &complete);
    EXPECT_EQ(age.kind, c.kind);
    EXPECT_EQ(age.years, c.years);
    EXPECT_EQ(age.months, c.months);
    EXPECT_EQ(age.days, c.days);
    EXPECT_EQ(complete, c.complete);
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseAgeTest,
                         testing::Values(ParseCase{"5y 3m 2d", AGE_EXACT, 5, 3, 2, true},
                                         ParseCase{"< 5", AGE_LESS_THAN, 5, -1, -1, true},
                                         ParseCase{"1 2", AGE_EXACT, 1, 2, -1, true},
                                         ParseCase{"5 years, 3 months", AGE_EXACT, 5, 3, -1, true},
                                         ParseCase{"infant", AGE_INFANT, -1, -1, -1, true},
                                         ParseCase{"abc", AGE_EMPTY, -1, -1, -1, false},
                                         ParseCase{"<CHILD", AGE_EMPTY, -1, -1, -1, false},
                                         ParseCase{"5y 3y", AGE_EXACT, 5, -1, -1, false},
                                         ParseCase{"3m 5", AGE_EXACT, -1, 3, -1, false},
                                         ParseCase{"1y 2m 3d 4", AGE_EXACT, 1, 2, 3, false},
                                         ParseCase{"99999y", AGE_EMPTY, -1, -1, -1, false},
                                         ParseCase{"200m", AGE_EMPTY, -1, -1, -1, false}));

struct FormCase {
    const char* gedcom;
    const char* shown;
    const char* written;
};

class AgeFormTest : public field_node_test::CFieldNodeTest,
                    public testing::WithParamInterface<FormCase> {};

TEST_P(AgeFormTest, ShowsAndWritesBackTheAge)
{
    const FormCase& c = GetParam();
    const CAgeNode* age = Make<CAgeNode>("INDI.BIRT.AGE", c.gedcom);
    std::string shown;
    age->GetText(shown, 0);
    EXPECT_EQ(shown, c.shown);
    const std::string written = WrittenLines(*age, 2);
    EXPECT_EQ(written, c.written);
    if (!written.empty()) {
        EXPECT_TRUE(Make<CAgeNode>("INDI.BIRT.AGE", written.substr(6, written.size() - 8))
                        ->IsEqual(age, nullptr));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AgeFormTest,
    testing::Values(FormCase{"42y 3m", "42 yrs 3 mns", "2 AGE 42y 3m\r\n"},
                    FormCase{"1y 1m 1d", "1 yr 1 mn 1 dy", "2 AGE 1y 1m 1d\r\n"},
                    FormCase{"child", "Child", "2 AGE CHILD\r\n"},
                    FormCase{"<1y", "< 1 yr", "2 AGE < 1y\r\n"},
                    FormCase{">70", "> 70 yrs", "2 AGE > 70y\r\n"},
                    FormCase{"about 40", "about 40", "2 AGE about 40\r\n"},
                    FormCase{"x@@y", "x@y", "2 AGE x@@y\r\n"}, FormCase{"", "", ""}));

using AgeNodeTest = field_node_test::CFieldNodeTest;

TEST_F(AgeNodeTest, NumbersShowOnlyInABufferOfMoreThanFiftyBytes)
{
    char buffer[64];
    const CAgeNode* years = Make<CAgeNode>("INDI.BIRT.AGE", "5y");
    EXPECT_EQ(years->GetTextBuf(buffer, 50, 0), 0);
    EXPECT_EQ(years->GetTextBuf(buffer, 51, 0), 5);
    const CAgeNode* infant = Make<CAgeNode>("INDI.BIRT.AGE", "INFANT");
    EXPECT_EQ(infant->GetTextBuf(buffer, 6, 0), 0);
    EXPECT_EQ(infant->GetTextBuf(buffer, 7, 0), 6);
    EXPECT_EQ(Make<CAgeNode>("INDI.BIRT.AGE", "< 5y 3m")->GetYearsText(true), "<5");
}

TEST_F(AgeNodeTest, SortsByKindThenYearsMonthsAndDays)
{
    std::vector<CAgeNode*> ages;
    for (const char* text : {"", "about 40", "stillborn", "infant", "child", "3m", "1y", "< 1y 2m",
                             "1y 2m 5d", "> 70y"})
        ages.push_back(Make<CAgeNode>("INDI.BIRT.AGE", text));
    std::vector<CAgeNode*> sorted(ages.rbegin(), ages.rend());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const CAgeNode* a, const CAgeNode* b) { return a->Compare(b, 0) < 0; });
    EXPECT_EQ(sorted, ages);
}

TEST_F(AgeNodeTest, ControlShowsTheAgeAndTakesOnlyAChangedOne)
{
    field_node_test::CScopedControls controls;
    CAgeNode* age = Make<CAgeNode>("INDI.BIRT.AGE", "5y");
    CDataCtl* control = age->ShowInControl(nullptr, RECT{}, nullptr, 0, 0, 0);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(controls.m_host.m_classes, std::vector<std::string>{"CDataCtlAge"});
    EXPECT_EQ(controls.m_access.m_calls,
              (std::vector<std::string>{"SetText 5 yrs", "ShowAndFocus"}));
    controls.m_access.m_typed = "5 years";
    EXPECT_TRUE(age->UpdateFromControl(control, true, false));
    EXPECT_FALSE(age->IsChanged());
    controls.m_access.m_typed = "about six";
    EXPECT_TRUE(age->UpdateFromControl(control, true, false));
    EXPECT_TRUE(age->IsChanged());
    controls.m_access.m_readable = false;
    EXPECT_FALSE(age->UpdateFromControl(control, true, false));
    EXPECT_EQ(age->GetYearsText(false), "about six");
}

} // namespace
