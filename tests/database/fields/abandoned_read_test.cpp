// tests/database/fields/abandoned_read_test.cpp: a value field whose control read is abandoned
// keeps its value: an abort fails quietly, an out-of-memory says so, and a fault of the program
// goes on to the caller.
#include "tests/database/nodes/field_node_fakes.h"

#include "common/abort.h"
#include "database/dates/date_node.h"
#include "database/fields/age_node.h"
#include "database/fields/number_node.h"

#include <new>
#include <stdexcept>

namespace {

using field_node_test::CFieldNodeTest;

struct ReadFailure {
    const char* name;
    std::function<void()> raise;
    bool propagates;       // a fault of the program reaches the caller
    const char* shownText; // the box shown; null for none
};

void PrintTo(const ReadFailure& c, std::ostream* out)
{
    *out << c.name;
}

class AbandonedReadTest : public CFieldNodeTest, public testing::WithParamInterface<ReadFailure> {
protected:
    void Check(CDataNode* node, const char* path)
    {
        const ReadFailure& c = GetParam();
        field_node_test::CScopedControls controls;
        test_support::Prompt().TakeMessages();
        std::string before;
        node->GetText(before, 0);
        CDataCtl* control = node->ShowInControl(nullptr, RECT{}, nullptr, 0, 0, 0);
        ASSERT_NE(control, nullptr) << path;
        controls.m_access.m_typed = "7";
        controls.m_access.m_onRead = c.raise;
        if (c.shownText)
            test_support::Prompt().Answer(IDOK);
        if (c.propagates)
            EXPECT_THROW(node->UpdateFromControl(control, true, false), std::logic_error) << path;
        else
            EXPECT_FALSE(node->UpdateFromControl(control, true, false)) << path;
        std::string after;
        node->GetText(after, 0);
        EXPECT_EQ(after, before) << path;
        EXPECT_FALSE(node->IsChanged()) << path;
        const auto shown = test_support::Prompt().TakeMessages();
        if (c.shownText) {
            ASSERT_EQ(shown.size(), 1u) << path;
            EXPECT_EQ(shown[0].text, c.shownText) << path;
        } else {
            EXPECT_TRUE(shown.empty()) << path;
        }
    }
};

TEST_P(AbandonedReadTest, TheFieldKeepsItsValue)
{
    Check(Make<CNumberNode>("FAM.NCHI", "3"), "number");
    Check(Make<CAgeNode>("INDI.BIRT.AGE", "5y"), "age");
    Check(Make<CDateNode>("INDI.BIRT.DATE", "1 JAN 1900"), "date");
}

INSTANTIATE_TEST_SUITE_P(
    Failures, AbandonedReadTest,
    testing::Values(
        ReadFailure{"Abort", [] { ThrowAbort(); }, false, nullptr},
        ReadFailure{"OutOfMemory", [] { throw std::bad_alloc(); }, false, "Memory error"},
        ReadFailure{"FaultOfTheProgram", [] { throw std::logic_error("a broken invariant"); }, true,
                    nullptr}),
    [](const testing::TestParamInfo<ReadFailure>& info) { return info.param.name; });

} // namespace
