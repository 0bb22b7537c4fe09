// tests/database/fields/number_node_test.cpp: whole-number fields read, written, sorted and edited.
#include "database/fields/number_node.h"

#include "database/dates/date_node.h"
#include "tests/database/nodes/field_node_fakes.h"

#include <algorithm>

namespace {

using field_node_test::WrittenLines;

struct NumberCase {
    const char* gedcom;
    bool empty;
    int value;
    const char* written;
};

class NumberFormTest : public field_node_test::CFieldNodeTest,
                       public testing::WithParamInterface<NumberCase> {};

TEST_P(NumberFormTest, ReadsAndWritesBackTheValue)
{
    const NumberCase& c = GetParam();
    const CNumberNode* number = Make<CNumberNode>("FAM.NCHI", c.gedcom);
    EXPECT_EQ(number->IsEmpty(), c.empty);
    EXPECT_EQ(number->GetNumber(), c.value);
    const std::string written = WrittenLines(*number, 1);
    EXPECT_EQ(written, c.written);
    if (!written.empty()) {
        EXPECT_TRUE(Make<CNumberNode>("FAM.NCHI", written.substr(7, written.size() - 9))
                        ->IsEqual(number, nullptr));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberFormTest,
    testing::Values(NumberCase{"3", false, 3, "1 NCHI 3\r\n"},
                    NumberCase{"  12 ", false, 12, "1 NCHI 12\r\n"}, NumberCase{" ", true, 0, ""},
                    NumberCase{"-3", false, 0, "1 NCHI -3\r\n"},
                    NumberCase{"3 children", false, 0, "1 NCHI 3 children\r\n"},
                    NumberCase{"n@@1", false, 0, "1 NCHI n@@1\r\n"},
                    NumberCase{"99999999999", false, 0, "1 NCHI 99999999999\r\n"}));

using NumberNodeTest = field_node_test::CFieldNodeTest;

TEST_F(NumberNodeTest, EmptyNumberWithChildrenWritesItsTagAlone)
{
    CNumberNode* number = Make<CNumberNode>("INDI.NCHI", "");
    auto* date = new CDateNode;
    date->SetFieldDef(test_support::DefByPath("INDI.NCHI.DATE"));
    date->SetText("1850");
    number->AppendChild(date, true);
    EXPECT_EQ(WrittenLines(*number, 1), "1 NCHI\r\n2 DATE 1850\r\n");
    number->DeleteChildren();
}

TEST_F(NumberNodeTest, SortsEmptyFirstThenKeptTextsThenByValue)
{
    std::vector<CNumberNode*> numbers;
    for (const char* text : {"", "-3", "about 5", "2", "10", "300"})
        numbers.push_back(Make<CNumberNode>("FAM.NCHI", text));
    std::vector<CNumberNode*> sorted(numbers.rbegin(), numbers.rend());
    std::stable_sort(sorted.begin(), sorted.end(), [](const CNumberNode* a, const CNumberNode* b) {
        return a->Compare(b, 0) < 0;
    });
    EXPECT_EQ(sorted, numbers);
}

TEST_F(NumberNodeTest, ControlShowsSelectsAndTakesTheTypedValue)
{
    field_node_test::CScopedControls controls;
    CNumberNode* number = Make<CNumberNode>("FAM.NCHI", "3");
    CDataCtl* control = number->ShowInControl(nullptr, RECT{}, nullptr, 0, 0, 0);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(controls.m_access.m_calls,
              (std::vector<std::string>{"SetText 3", "SelectText 0 -1", "ShowAndFocus"}));
    controls.m_access.m_typed = " 3 ";
    EXPECT_TRUE(number->UpdateFromControl(control, true, false));
    EXPECT_FALSE(number->IsChanged());
    controls.m_access.m_typed = "";
    EXPECT_TRUE(number->UpdateFromControl(control, true, false));
    EXPECT_TRUE(number->IsChanged());
    EXPECT_TRUE(number->IsEmpty());
}

} // namespace
