// tests/platform/base/geometry_test.cpp: rounded MulDiv and rectangle arithmetic.
#include "platform/base/geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

static std::ostream& operator<<(std::ostream& out, const CRect& r)
{
    return out << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

struct MulDivRow {
    int number, numerator, denominator, expected;
};

class MulDivTest : public testing::TestWithParam<MulDivRow> {};

TEST_P(MulDivTest, RoundsHalfAwayFromZeroAndReportsOverflow)
{
    const MulDivRow& r = GetParam();
    EXPECT_EQ(MulDiv(r.number, r.numerator, r.denominator), r.expected)
        << r.number << " * " << r.numerator << " / " << r.denominator;
}

INSTANTIATE_TEST_SUITE_P(Rows, MulDivTest,
                         testing::Values(MulDivRow{10, 3, 4, 8},   // 7.5
                                         MulDivRow{-10, 3, 4, -8}, // -7.5
                                         MulDivRow{10, 3, -4, -8}, // -7.5
                                         MulDivRow{7, 1, 3, 2},    // 2.33
                                         MulDivRow{8, 1, 3, 3},    // 2.67
                                         MulDivRow{-8, 1, 3, -3},
                                         MulDivRow{INT_MAX, INT_MAX, INT_MAX,
                                                   INT_MAX}, // 64-bit middle
                                         MulDivRow{100000, 100000, 10, 1000000000},
                                         MulDivRow{INT_MAX, 2, 1, -1}, // does not fit
                                         MulDivRow{INT_MIN, -1, 1, -1}, MulDivRow{5, 3, 0, -1}));

TEST(RectTest, NormalizeSwapsInvertedEdges)
{
    CRect r(10, 20, 0, 5);
    EXPECT_TRUE(r.IsRectEmpty());
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(0, 5, 10, 20));
    EXPECT_EQ(r.Width(), 10);
    EXPECT_FALSE(r.IsRectEmpty());
}

TEST(RectTest, PointsOnTheRightAndBottomEdgesAreOutside)
{
    const CRect r(0, 0, 10, 10);
    EXPECT_TRUE(r.PtInRect(CPoint(0, 0)));
    EXPECT_TRUE(r.PtInRect(CPoint(9, 9)));
    EXPECT_FALSE(r.PtInRect(CPoint(10, 5)));
    EXPECT_FALSE(r.PtInRect(CPoint(5, 10)));
}

TEST(RectTest, IntersectOfOverlappingTouchingAndEmptyRectangles)
{
    CRect out(1, 1, 1, 1);
    EXPECT_TRUE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(5, -5, 20, 6)));
    EXPECT_EQ(out, CRect(5, 0, 10, 6));
    EXPECT_FALSE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10))); // edges touch only
    EXPECT_TRUE(out.IsRectNull());
    EXPECT_FALSE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(2, 2, 2, 8)));
    EXPECT_TRUE(out.IsRectNull());
    CRect self(0, 0, 10, 10);
    EXPECT_TRUE(self.IntersectRect(self, CRect(5, 5, 15, 15))); // the result may be an operand
    EXPECT_EQ(self, CRect(5, 5, 10, 10));
}

TEST(RectTest, UnionIgnoresEmptyOperands)
{
    CRect out;
    EXPECT_TRUE(out.UnionRect(CRect(0, 0, 5, 5), CRect(10, -2, 12, 3)));
    EXPECT_EQ(out, CRect(0, -2, 12, 5));
    EXPECT_TRUE(out.UnionRect(CRect(100, 100, 100, 200), CRect(1, 2, 3, 4)));
    EXPECT_EQ(out, CRect(1, 2, 3, 4));
    EXPECT_FALSE(out.UnionRect(CRect(5, 5, 5, 5), CRect(9, 9, 1, 1)));
    EXPECT_TRUE(out.IsRectNull());
}
