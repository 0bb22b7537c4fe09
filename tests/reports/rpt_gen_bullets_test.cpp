// tests/reports/rpt_gen_bullets_test.cpp: the bullets and connector lines of the Ancestor and
// Descendant reports on pages: which fill each bullet takes, where bullets and lines stand, the
// part of a connector each page draws, and none in exports or with graphics off.
#include "reports/rpt_gen_anc.h"
#include "reports/rpt_gen_desc.h"

#include "database/records/fam_rec.h"
#include "tests/database/kin/ind_rec_test_support.h"
#include "tests/reports/fake_rpt_canvas.h"
#include "tests/reports/rpt_body_test_support.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

using Drawn = FakeCanvas::Drawn;

constexpr COLORREF kMale = RGB(1, 2, 3), kFemale = RGB(4, 5, 6), kLine = RGB(7, 8, 9);

class BulletTest : public ind_test::CIndRecTest {
protected:
    void SetUp() override
    {
        CIndRecTest::SetUp();
        m_settings.m_contents.m_options[kRptAhnentafel] = true;
        m_settings.m_contents.m_options[kRptShowGraphics] = true;
        m_settings.m_contents.m_generations = 3;
        m_settings.m_contents.m_textLayout = 0;
        m_settings.m_contents.m_numbering = kRptDescDotted;
        m_settings.m_contents.m_options[kRptSpousePrefix] = false;
        m_settings.m_contents.m_options[kRptSpouseParents] = false;
        auto& colours = m_settings.m_format.m_colours;
        colours[0] = {kMale, true, false};
        colours[1] = {kFemale, true, false};
        colours[2] = {kLine, false, false};
    }
    /// John with parents William and Mary and their four parents.
    void ThreeGenerations()
    {
        john = Person(SEX_MALE, "John");
        william = Person(SEX_MALE, "William");
        mary = Person(SEX_FEMALE, "Mary");
        Marry(william, mary, {john});
        Marry(Person(SEX_MALE, "Wf"), Person(SEX_FEMALE, "Wm"), {william});
        Marry(Person(SEX_MALE, "Mf"), Person(SEX_FEMALE, "Mm"), {mary});
    }
    /// Lays out one entry written by write and draws page on a fresh canvas; the page count.
    int Draw(const std::function<bool(CRptBodyContext&)>& write, int page = 0)
    {
        ScriptBody body;
        body.entries.push_back({"Entry", [&](CRptPageLayout& layout, CRptFontSet& ctx) {
                                    CRptLayoutEmitter out(layout, ctx);
                                    CRptCitations citations(false, nullptr);
                                    CRptBodyContext context{m_settings, out, citations, {}, {}};
                                    return write(context);
                                }});
        CRptPageLayout layout(PlainSettings());
        canvas = FakeCanvas();
        layout.Build(body, canvas, "", "");
        canvas.drawn.clear();
        layout.PrintPage(body, canvas, page);
        content = layout.Metrics().content;
        return layout.GetPageCount();
    }
    Drawn BulletOf(const std::string& text) const
    {
        const Drawn* line = canvas.FindText(text);
        EXPECT_NE(line, nullptr) << text;
        if (!line)
            return {};
        for (const Drawn& circle : canvas.OfKind(Drawn::Circle))
            if (circle.baseline > line->rect.top && circle.baseline < line->rect.bottom)
                return circle;
        ADD_FAILURE() << "no bullet on the line of " << text;
        return {};
    }

    CRptSettings m_settings = BodySettings();
    FakeCanvas canvas;
    CRect content;
    CIndRec* john = nullptr;
    CIndRec* william = nullptr;
    CIndRec* mary = nullptr;
};

TEST_F(BulletTest, AncestorsGetABulletEachFemalesInTheSecondColourJoinedToTheirChild)
{
    ThreeGenerations();
    Draw([&](CRptBodyContext& body) { return RptWriteAncestors(body, *john); });
    ASSERT_EQ(canvas.OfKind(Drawn::Circle).size(), 7u);
    const struct {
        const char* text;
        COLORREF fill;
    } lines[] = {{"1 John", kMale},
                 {"2 William", kMale},
                 {"3 Mary", kFemale},
                 {"5 Wm", kFemale},
                 {"6 Mf", kMale}};
    for (const auto& line : lines) {
        const Drawn bullet = BulletOf(line.text);
        EXPECT_EQ(bullet.colour, line.fill) << line.text;
        EXPECT_FALSE(bullet.hollow);
        EXPECT_LT(bullet.rect.right, canvas.FindText(line.text)->rect.left)
            << "the bullet stands before the text of " << line.text;
    }
    // One connector per parent: down from the child's bullet, then across to the parent's.
    const std::vector<Drawn> connectors = canvas.OfKind(Drawn::Line);
    EXPECT_EQ(connectors.size(), 12u);
    const Drawn johnBullet = BulletOf("1 John");
    const Drawn maryBullet = BulletOf("3 Mary");
    const auto joins = [&](const Drawn& line) {
        return line.rect.left == johnBullet.x && line.rect.right == johnBullet.x &&
               line.rect.top == johnBullet.rect.bottom && line.rect.bottom == maryBullet.baseline;
    };
    EXPECT_TRUE(std::any_of(connectors.begin(), connectors.end(), joins))
        << "John's column runs down to Mary's line";
    const auto across = [&](const Drawn& line) {
        return line.rect.top == maryBullet.baseline && line.rect.bottom == maryBullet.baseline &&
               line.rect.left == johnBullet.x && line.rect.right == maryBullet.rect.left;
    };
    EXPECT_TRUE(std::any_of(connectors.begin(), connectors.end(), across));
    for (const Drawn& line : connectors)
        EXPECT_EQ(line.colour, kLine);
}

TEST_F(BulletTest, ATransparentColourGivesHollowBulletsAndGraphicsOffGivesNone)
{
    ThreeGenerations();
    m_settings.m_format.m_colours[1].m_transparent = true;
    Draw([&](CRptBodyContext& body) { return RptWriteAncestors(body, *john); });
    EXPECT_TRUE(BulletOf("3 Mary").hollow);
    EXPECT_FALSE(BulletOf("2 William").hollow);
    // A colour that may not be transparent stays solid whatever its flag.
    m_settings.m_format.m_colours[1] = {kFemale, false, true};
    Draw([&](CRptBodyContext& body) { return RptWriteAncestors(body, *john); });
    EXPECT_FALSE(BulletOf("3 Mary").hollow);

    m_settings.m_contents.m_options[kRptShowGraphics] = false;
    Draw([&](CRptBodyContext& body) { return RptWriteAncestors(body, *john); });
    EXPECT_TRUE(canvas.OfKind(Drawn::Circle).empty());
    EXPECT_TRUE(canvas.OfKind(Drawn::Line).empty());
    EXPECT_NE(canvas.FindText("3 Mary"), nullptr);
}

TEST_F(BulletTest, ExportsWriteTheLinesAlone)
{
    ThreeGenerations();
    const std::vector<std::string> lines = BodyLines(
        m_settings, [&](CRptBodyContext& body) { EXPECT_TRUE(RptWriteAncestors(body, *john)); });
    EXPECT_THAT(lines, testing::ElementsAre("1 John", "\t2 William", "\t\t4 Wf", "\t\t5 Wm",
                                            "\t3 Mary", "\t\t6 Mf", "\t\t7 Mm"));
}

TEST_F(BulletTest, DescendantSpouseLinesHangBelowThePersonAndChildrenAcross)
{
    CIndRec* anne = Person(SEX_FEMALE, "Anne");
    CIndRec* bob = Person(SEX_MALE, "Bob");
    CIndRec* kid = Person(SEX_MALE, "Kid");
    Marry(bob, anne, {kid});
    Draw([&](CRptBodyContext& body) { return RptWriteDescendants(body, *anne); });
    const Drawn anneBullet = BulletOf("1 Anne");
    const Drawn bobBullet = BulletOf("Bob");
    const Drawn kidBullet = BulletOf("1.1 Kid");
    EXPECT_EQ(anneBullet.colour, kFemale);
    EXPECT_EQ(bobBullet.colour, kMale);
    EXPECT_EQ(bobBullet.x, anneBullet.x) << "a spouse line stands in the person's generation";
    EXPECT_GT(kidBullet.x, anneBullet.x);
    const std::vector<Drawn> connectors = canvas.OfKind(Drawn::Line);
    // Anne to Bob: straight down, ending at Bob's bullet; Anne to Kid: down and across.
    ASSERT_EQ(connectors.size(), 3u);
    EXPECT_EQ(connectors[0].rect,
              CRect(anneBullet.x, anneBullet.rect.bottom, anneBullet.x, bobBullet.rect.top));
    EXPECT_EQ(connectors[1].rect,
              CRect(anneBullet.x, anneBullet.rect.bottom, anneBullet.x, kidBullet.baseline));
    EXPECT_EQ(connectors[2].rect,
              CRect(anneBullet.x, kidBullet.baseline, kidBullet.rect.left, kidBullet.baseline));
}

TEST_F(BulletTest, EachPageDrawsItsPartOfAConnectorThatCrossesIt)
{
    // 120 children: 54 lines a page, so the last child's line is on the third page.
    CIndRec* mum = Person(SEX_FEMALE, "Mum");
    CFamRec* family = Marry(nullptr, mum);
    for (int i = 0; i < 120; ++i)
        family->LinkChild(Person(SEX_MALE, "C" + std::to_string(i)), nullptr);
    m_settings.m_contents.m_generations = 2;
    const auto write = [&](CRptBodyContext& body) { return RptWriteDescendants(body, *mum); };
    ASSERT_EQ(Draw(write, 0), 3);
    const int column = BulletOf("1 Mum").x;
    // The middle page: the column from the content's top to each child's line.
    Draw(write, 1);
    EXPECT_TRUE(canvas.OfKind(Drawn::Circle).size() == 54u);
    bool fromTop = false;
    for (const Drawn& line : canvas.OfKind(Drawn::Line)) {
        EXPECT_GE(line.rect.top, content.top);
        EXPECT_LE(line.rect.bottom, content.bottom);
        fromTop = fromTop || (line.rect.left == column && line.rect.top == content.top);
    }
    EXPECT_TRUE(fromTop) << "the part of the column on the page runs from its top";

    // The last page draws the lines of its own children only, all from its top.
    Draw(write, 2);
    for (const Drawn& line : canvas.OfKind(Drawn::Line)) {
        if (line.rect.left == line.rect.right) {
            EXPECT_EQ(line.rect.top, content.top);
        }
    }
}

} // namespace
} // namespace rpt_test
