// tests/controls/tree_box_text_test.cpp: a row's text kept apart from the row: what it reads
// back after each kind of assignment, and copies that do not share it.
#include "controls/tree_box_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

TEST(TreeBoxText, ReadsBackWhatWasLastAssigned)
{
    struct Case {
        const char* first;
        const char* second;
    };
    const Case cases[] = {{"", ""}, {"", "b"}, {"a", ""}, {"a\tb", "longer than any small text"}};
    for (const Case& c : cases) {
        CTreeBoxText text;
        text = c.first;
        text = std::string(c.second);
        EXPECT_EQ(text.str(), c.second) << c.first;
        EXPECT_EQ(text.size(), std::string(c.second).size());
        EXPECT_EQ(text.empty(), !*c.second);
        EXPECT_TRUE(text == c.second);
        const std::string& asString = text;
        EXPECT_EQ(asString, c.second);
        std::ostringstream out;
        out << text;
        EXPECT_EQ(out.str(), c.second);
    }
}

TEST(TreeBoxText, CopiesOwnTheirTexts)
{
    CTreeBoxText original;
    original = "first";
    CTreeBoxText copy(original);
    CTreeBoxText assigned;
    assigned = original;
    original = "changed";
    EXPECT_EQ(copy.str(), "first");
    EXPECT_EQ(assigned.str(), "first");
    const CTreeBoxText& same = assigned;
    assigned = same; // a copy onto itself keeps the text
    EXPECT_EQ(assigned.str(), "first");
    CTreeBoxText moved(std::move(original));
    EXPECT_EQ(moved.str(), "changed");
}

} // namespace
