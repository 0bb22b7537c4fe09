// tests/diagrams/relationship_text_test.cpp: the wording of relationship descriptions row by row
// (direct line, siblings' line, cousins, removals, "great" prefixes, ordinal suffixes, the root
// row's preference text), and the columns placed beside the diagram and repainted on change.
#include "diagrams/relationship_text.h"

#include "common/preferences.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Wording {
    int generation;
    int degree;
    bool siblingRow;
    const char* text;
};

TEST(RelationshipText, WordingOfEachRow)
{
    const std::vector<Wording> table = {
        // The direct line, up and down.
        {1, 0, false, "parents"},
        {2, 0, false, "grandparents"},
        {3, 0, false, "great grandparents"},
        {4, 0, false, "great x2 grandparents"},
        {6, 0, false, "great x4 grandparents"},
        {-1, 0, false, "children/nephews/nieces"},
        {-2, 0, false, "grandchildren/great-nephews/great-nieces"},
        {-5, 0, false, "great x3 grandchildren/great-nephews/great-nieces"},
        {0, 0, false, "<root>"},
        // The siblings' line: uncles above, cousins on the root's own row and below.
        {1, 1, false, "uncles/aunts"},
        {3, 1, false, "great great-uncles/great-aunts"},
        {0, 1, false, "1st cousins "},
        {-1, 1, false, "1st cousins 1x removed"},
        // Cousin lines, the number lowered above the root.
        {0, 2, false, "2nd cousins "},
        {-1, 2, false, "2nd cousins 1x removed"},
        {2, 2, false, "1st cousins 2x removed"},
        {-3, 4, false, "4th cousins 3x removed"},
        {0, 3, false, "3rd cousins "},
        {0, 11, false, "11th cousins "},
        {0, 12, false, "12th cousins "},
        {0, 13, false, "13th cousins "},
        {0, 21, false, "21st cousins "},
        {0, 22, false, "22nd cousins "},
        // Counted from the siblings' row: one generation lower, one cousin less.
        {1, 0, true, "<root>"},
        {0, 1, true, "nephews/nieces"},
        {1, 1, true, "siblings"},
        {0, 0, true, "children"},
        {-1, 0, true, "grandchildren"},
        {-2, 0, true, "great grandchildren"},
        {-1, 1, true, "great-nephews/great-nieces"},
        {0, 2, true, "1st cousins 1x removed"},
        {1, 2, true, "1st cousins "},
        {3, 0, true, "grandparents"},
    };
    for (const Wording& row : table)
        EXPECT_EQ(FormatCousinLabel(row.generation, row.degree, row.siblingRow, "<root>"), row.text)
            << row.generation << ", " << row.degree << (row.siblingRow ? ", sibling row" : "");
}

TEST(RelationshipText, TheRootRowShowsTheStartHerePreference)
{
    const std::string kept = Prefs().m_startHereText;
    Prefs().m_startHereText = "Ida Lindqvist";
    EXPECT_EQ(FormatCousinLabel(0, 0, false), "Ida Lindqvist");
    EXPECT_EQ(FormatCousinLabel(1, 0, true), "Ida Lindqvist");
    Prefs().m_startHereText = kept;
}

/// Each character 10 units wide, each text 12 high.
CSize TenPerCharacter(const std::string& text)
{
    return {LONG(text.size() * 10), 12};
}

CRelationshipColumns::Layout FamilyRows(int sides)
{
    CRelationshipColumns::Layout layout;
    layout.rows = {{2, 0, 2}, {1, 0, 1}, {0, 0, 0}, {-1, 2, -1}, {-2, -1, -2}};
    layout.sides = sides;
    layout.extent = CRect(-300, 200, 400, -150);
    layout.gap = 15;
    return layout;
}

TEST(RelationshipColumns, TheWidestDescriptionSetsBothColumnsBesideTheExtent)
{
    const std::string kept = Prefs().m_startHereText;
    Prefs().m_startHereText = "me";
    CRelationshipColumns columns;
    columns.Place(FamilyRows(kRelBoth), TenPerCharacter);
    Prefs().m_startHereText = kept;
    // "2nd cousins 1x removed" is the widest: 22 characters.
    EXPECT_EQ(columns.WidestText(), 220);
    EXPECT_EQ(columns.TallestText(), 12);
    EXPECT_EQ(columns.FirstRow(), -2);
    EXPECT_EQ(columns.LastRow(), 2);
    EXPECT_TRUE(columns.LeftShown());
    EXPECT_TRUE(columns.RightShown());
    EXPECT_EQ(columns.LeftColumn(), CRect(-300 - 15 - 220, 200, -300, -150));
    EXPECT_EQ(columns.RightColumn(), CRect(415, 200, 415 + 220 + 15, -150));
}

TEST(RelationshipColumns, NothingShowsWithoutRowsTextOrASide)
{
    struct Row {
        const char* what;
        CRelationshipColumns::Layout layout;
    };
    CRelationshipColumns::Layout noRows = FamilyRows(kRelLeft);
    noRows.rows.clear();
    CRelationshipColumns::Layout noText = FamilyRows(kRelRight);
    noText.rows = {{1, -1}, {0, -1}};
    for (const Row& row : {Row{"no rows", noRows}, Row{"no text", noText},
                           Row{"option None", FamilyRows(kRelNone)}}) {
        CRelationshipColumns columns;
        columns.Place(row.layout, TenPerCharacter);
        EXPECT_FALSE(columns.LeftShown()) << row.what;
        EXPECT_FALSE(columns.RightShown()) << row.what;
    }
}

TEST(RelationshipColumns, RefreshRepaintsTheOldAndNewColumnsOnlyWhenSomethingChanged)
{
    CRelationshipColumns columns;
    EXPECT_TRUE(columns.Refresh(FamilyRows(kRelNone), TenPerCharacter).empty());
    const auto shown = columns.Refresh(FamilyRows(kRelLeft), TenPerCharacter);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], columns.LeftColumn());
    const CRect oldLeft = columns.LeftColumn();
    // The same extent and sides: nothing to do.
    EXPECT_TRUE(columns.Refresh(FamilyRows(kRelLeft), TenPerCharacter).empty());
    // From the left side to none: the old left column is repainted and none is shown.
    const auto hidden = columns.Refresh(FamilyRows(kRelNone), TenPerCharacter);
    ASSERT_EQ(hidden.size(), 1u);
    EXPECT_EQ(hidden[0], oldLeft);
    EXPECT_FALSE(columns.LeftShown());
    EXPECT_FALSE(columns.RightShown());
    // A moved extent repaints where the column was and where it is now.
    columns.Refresh(FamilyRows(kRelRight), TenPerCharacter);
    const CRect oldRight = columns.RightColumn();
    CRelationshipColumns::Layout moved = FamilyRows(kRelRight);
    moved.extent.OffsetRect(100, 0);
    const auto both = columns.Refresh(moved, TenPerCharacter);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0], oldRight);
    EXPECT_EQ(both[1], columns.RightColumn());
    EXPECT_EQ(both[1].left, oldRight.left + 100);
}

} // namespace
