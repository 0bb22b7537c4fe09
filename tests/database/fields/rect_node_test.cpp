// tests/database/fields/rect_node_test.cpp: rectangle fields: their text form, read and written.
#include "database/fields/rect_node.h"

#include "common/rect_text.h"
#include "tests/database/nodes/field_node_fakes.h"

namespace {

struct RectCase {
    const char* text;
    CRect rect;
};

class RectNodeTest : public field_node_test::CFieldNodeTest,
                     public testing::WithParamInterface<RectCase> {};

TEST_P(RectNodeTest, ReadsTopLeftBottomRightAndAlwaysWritesIt)
{
    const RectCase& c = GetParam();
    const CRectNode* rect = Make<CRectNode>("OBJE.NOTE2._FRAME", c.text);
    EXPECT_TRUE(rect->GetRect() == c.rect);
    const std::string written = field_node_test::WrittenLines(*rect, 2);
    EXPECT_EQ(written, "2 _FRAME " + RectToText(c.rect) + "\r\n");
    EXPECT_TRUE(Make<CRectNode>("OBJE.NOTE2._FRAME", written.substr(9, written.size() - 11))
                    ->IsEqual(rect, nullptr));
}

INSTANTIATE_TEST_SUITE_P(Cases, RectNodeTest,
                         testing::Values(RectCase{"{20,10,40,30}", CRect(10, 20, 30, 40)},
                                         RectCase{"  { 20, 10, 40, 30}", CRect(10, 20, 30, 40)},
                                         RectCase{"{-5,-6,7,8}", CRect(-6, -5, 8, 7)},
                                         RectCase{"{1,2,3}", CRect()},
                                         RectCase{"{1,x,3,4}", CRect()}, RectCase{"", CRect()}));

} // namespace
