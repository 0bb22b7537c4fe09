// tests/diagrams/window/rel_tree_build_test.cpp: the Diagram window built on a small family: its
// titles by type and custom name, the root selected, the shell's reading of the selection,
// change notices (an edited name, an added line, the root deleted, a file loaded), the
// properties box opened on build, and the text scheme.
#include "tests/diagrams/window/rel_tree_fixture.h"

#include "diagrams/text_scheme.h"
#include "queries/expression.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace rel_tree_test;

TEST_F(RelTreeTest, EmptyWindowIsTitledDiagramWindow)
{
    CSubViewRelTree& window = MakeWindow();
    std::string title;
    window.GetTitle(title);
    EXPECT_EQ(title, "Diagram Window");
    EXPECT_EQ(window.GetSubViewType(), 3);
    EXPECT_FALSE(window.HasTree());
}

TEST_F(RelTreeTest, EachTypeOpensWithItsTitleAndTheRootSelected)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow();
    struct Case {
        int type;
        const char* prefix;
    };
    const Case cases[] = {{kAncestorsDiagram, "Ancestors of "},
                          {kDescendantsDiagram, "Descendants of "},
                          {kAncestorsAndDescendantsDiagram, "Ancestors and Descendants of "},
                          {kAllRelativesDiagram, "Relatives of "}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        ASSERT_TRUE(window.BuildTree(m_people["john"], true, c.type, false));
        std::string title;
        window.GetTitle(title);
        EXPECT_EQ(title.rfind(c.prefix, 0), 0u) << title;
        EXPECT_NE(title.find("John"), std::string::npos) << title;
        ASSERT_EQ(window.Document().Selection().Boxes().size(), 1u);
        EXPECT_EQ(window.Document().Selection().Boxes()[0]->GetIndividual(), m_people["john"]);
        int count = 0;
        EXPECT_EQ(window.GetSelection(nullptr, &count), m_people["john"]);
    }
}

TEST_F(RelTreeTest, CustomNameInQuotesAndDroppedByAnOrdinaryRebuild)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow();
    window.GetSettings().m_minBoxWidth = 111;
    ASSERT_TRUE(window.BuildTree(m_people["john"], true, kAllRelativesDiagram, false, "Smith"));
    std::string title;
    window.GetTitle(title);
    EXPECT_EQ(title.rfind("\"Smith\" - Relatives of ", 0), 0u) << title;
    EXPECT_EQ(window.GetSettings().m_minBoxWidth, 111);
    ASSERT_TRUE(window.BuildTree(m_people["john"], true, kAllRelativesDiagram, false));
    window.GetTitle(title);
    EXPECT_EQ(title.find("Smith\" - "), std::string::npos) << title;
    EXPECT_EQ(window.GetSettings().m_minBoxWidth, m_defaults.Settings().m_minBoxWidth);
}

TEST_F(RelTreeTest, AllRelativesWithoutSpousesShowsDuplicates)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow();
    window.GetSettings().m_spouseOption = 0;
    ASSERT_TRUE(window.BuildTree(m_people["john"], true, kAllRelativesDiagram, false));
    EXPECT_EQ(window.GetSettings().m_spouseOption, 1);
}

TEST_F(RelTreeTest, CoupleRootSelectsBothOrTheOnlyParent)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow();
    ASSERT_TRUE(window.RebuildTree(m_parents, true, kDescendantsDiagram, false));
    EXPECT_EQ(window.Document().Selection().Boxes().size(), 2u);
    int count = 0;
    EXPECT_EQ(window.GetSelection(nullptr, &count), m_parents);

    CIndRec* widow = P("widow", SEX_FEMALE, "Wendy /White/");
    CFamRec* alone = Marry(nullptr, widow, {P("kid", SEX_MALE, "Kid /White/")});
    ASSERT_TRUE(window.RebuildTree(alone, true, kDescendantsDiagram, false));
    ASSERT_EQ(window.Document().Selection().Boxes().size(), 1u);
    EXPECT_EQ(window.Document().Selection().Boxes()[0]->GetIndividual(), widow);
}

TEST_F(RelTreeTest, TwoUnmarriedOrThreeSelectedAreAmbiguous)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow();
    ASSERT_TRUE(window.BuildTree(m_people["john"], false, kAllRelativesDiagram, false));
    window.SelectBox(BoxOf("ann"), true, false);
    window.SelectBox(BoxOf("bob"), false, false);
    int count = 0;
    EXPECT_EQ(window.GetSelection(nullptr, &count), nullptr);
    EXPECT_EQ(count, 2);
    window.SelectBox(BoxOf("mary"), false, false);
    EXPECT_EQ(window.GetSelection(nullptr, &count), nullptr);
    EXPECT_EQ(count, 3);
}

TEST_F(RelTreeTest, RootDeletedEmptiesTheWindowWhichStaysOpen)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow();
    ASSERT_TRUE(window.BuildTree(m_people["ann"], true, kAncestorsDiagram, false));
    CDataNode::DeleteNode(m_people["ann"]);
    NotifyChanges();
    EXPECT_FALSE(window.HasTree());
    EXPECT_TRUE(window.Document().Selection().Boxes().empty());
    std::string title;
    window.GetTitle(title);
    EXPECT_EQ(title.rfind("Diagram Window", 0), 0u);
}

TEST_F(RelTreeTest, LoadedFileClearsAndEditedNameUpdatesTheBox)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow();
    ASSERT_TRUE(window.BuildTree(m_people["john"], true, kAllRelativesDiagram, false));
    const int before = BoxOf("bob")->Rect().Width();
    SetField(m_people["bob"], "NAME", "Bartholomew Alexander Maximilian /Smithington-Smythe/");
    NotifyChanges();
    ASSERT_TRUE(window.HasTree());
    ASSERT_NE(BoxOf("bob"), nullptr);
    EXPECT_GT(BoxOf("bob")->Rect().Width(), before);
    m_observer.OnDataChanged(nullptr, kHintFileLoaded, nullptr, false);
    EXPECT_FALSE(window.HasTree());
}

TEST_F(RelTreeTest, AnEditThatAddsALineToABoxMakesTheBoxesTaller)
{
    // The box texts' conditions (a date line only with a date) need the expression engine.
    InstallExpressionEngine();
    MakeFamily();
    CSubViewRelTree& window = MakeWindow();
    // Boxes as tall as their lines.
    window.GetSettings().m_defaultBoxHeight = 1;
    ASSERT_TRUE(window.BuildTree(m_people["john"], true, kDescendantsDiagram, false));
    const int height = window.Document().BoxHeight();
    const int width = BoxOf("bob")->Rect().Width();
    // A date line, narrower than the name: the box keeps its width and needs another line.
    SetField(m_people["bob"]->CreateChildByTag("BIRT"), "DATE", "1 JAN 1900");
    NotifyChanges();
    ASSERT_NE(BoxOf("bob"), nullptr);
    EXPECT_EQ(BoxOf("bob")->Rect().Width(), width);
    EXPECT_GT(window.Document().BoxHeight(), height);
    EXPECT_GE(BoxOf("bob")->GetContentBottom(), BoxOf("bob")->Rect().bottom);
}

/// Counts the measuring contexts the window makes; a notice set in m_notice reaches the window and
/// its document from inside its next one, as a record changed while an update measures would.
class CCountingWindow final : public CSubViewRelTree {
public:
    std::unique_ptr<IBoxPainter> CreateMeasurer() override
    {
        ++m_measurers;
        m_measuredNested += m_nested ? 1 : 0;
        if (m_notice >= 0) {
            const LPARAM notice = std::exchange(m_notice, -1);
            m_nested = true;
            GetDataObserver()->OnDataChanged(nullptr, notice, nullptr, false);
            m_nested = false;
        }
        return CSubViewRelTree::CreateMeasurer();
    }
    int m_measurers = 0;
    int m_measuredNested = 0;
    bool m_nested = false;
    LPARAM m_notice = -1;
};

TEST_F(RelTreeTest, PastSixChangedBoxesTheUpdateLaysOutWithoutMeasuringAndNoticesDoNotNest)
{
    MakeFamily();
    const std::vector<std::string> children = {"ann", "bob", "cal", "dee", "eve", "fay", "gus"};
    for (std::size_t c = 2; c < children.size(); ++c) {
        P(children[c], SEX_MALE, "Kit /Smith/");
        m_parents->LinkChild(m_people[children[c]], nullptr);
    }
    NotifyChanges();
    auto& window = MakeWindow<CCountingWindow>();
    window.GetSettings().m_descendantGenerations = 3;
    ASSERT_TRUE(window.BuildTree(m_people["fred"], false, kDescendantsDiagram, false));
    // Six changed boxes are measured (and the diagram laid out when one changed size); seven
    // lay the diagram out at once.
    for (const auto& [renamed, measurers] : {std::pair{6, 3}, std::pair{7, 2}}) {
        SCOPED_TRACE(renamed);
        const int before = BoxOf("ann")->Rect().Width();
        for (int c = 0; c < renamed; ++c)
            MarkChanged(
                SetField(m_people[children[std::size_t(c)]], "NAME",
                         "Maximilian" + std::string(std::size_t(renamed), 'x') + " /Smith/"));
        window.m_measurers = 0;
        NotifyChanges();
        EXPECT_EQ(window.m_measurers, measurers);
        ASSERT_NE(BoxOf("ann"), nullptr);
        EXPECT_GT(BoxOf("ann")->Rect().Width(), before);
    }
    // A notice arriving while the window takes in another is ignored.
    MarkChanged(SetField(m_people["ann"], "NAME", "Ann /Smith/"));
    window.m_notice = kHintRecordsEdited;
    NotifyChanges();
    EXPECT_EQ(window.m_notice, -1);
    EXPECT_EQ(window.m_measuredNested, 0);
    EXPECT_TRUE(window.HasTree());
}

TEST_F(RelTreeTest, ARootWithoutANameIsTitledSoAndPropertiesOpenBesideIt)
{
    CIndRec* nameless = NewIndividual(SEX_MALE);
    CSubViewRelTree& window = MakeWindow();
    std::vector<bool> placed;
    CRelTreeProperties::SetOpener(
        [&](const CRect* screen, CRelTreeProperties::Use) { placed.push_back(screen); });
    ASSERT_TRUE(window.BuildTree(nameless, true, kDescendantsDiagram, true));
    CRelTreeProperties::SetOpener(nullptr);
    std::string title;
    window.GetTitle(title);
    EXPECT_EQ(title, "Descendants of ");
    EXPECT_EQ(placed, std::vector<bool>{true});
}

TEST_F(RelTreeTest, MissingSchemeFallsBackToTheDefaultAndInstanceFlag)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow();
    window.GetSettings().m_textScheme = "No such scheme";
    ASSERT_TRUE(window.BuildTree(m_people["john"], true, kDescendantsDiagram, false));
    EXPECT_EQ(window.GetSettings().m_textScheme, "Name, Dates");
    EXPECT_FALSE(window.Document().InstanceFlag());

    // The flag follows the template the diagram type gives duplicate boxes: the duplicate one,
    // or the ancestor one in an Ancestors diagram, or the default one when that is missing.
    struct Case {
        const char* duplicate;
        const char* ancestor;
        int type;
        bool flag;
    };
    const Case cases[] = {
        {"INSTANCE", "a person", kDescendantsDiagram, true},
        {"Instance", "a person", kAllRelativesDiagram, true},
        {"instances", "a person", kDescendantsDiagram, false},
        {"INSTANCE", "a person", kAncestorsDiagram, false},
        {"a person", "instance", kAncestorsDiagram, true},
        {"a person", "instance", kDescendantsDiagram, false},
        {nullptr, "a person", kDescendantsDiagram, true},
    };
    // The box types of a scheme: default 0, ancestor 1, duplicate 4.
    constexpr int kDefault = 0, kAncestor = 1, kDuplicate = 4;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.duplicate ? c.duplicate : "(none)") + " " + c.ancestor + " " +
                     std::to_string(c.type));
        auto scheme = std::make_unique<CTextScheme>();
        scheme->SetName("Instances");
        scheme->SetTemplate(std::string("instance"), kDefault);
        scheme->SetTemplate(std::string(c.ancestor), kAncestor);
        if (c.duplicate)
            scheme->SetTemplate(std::string(c.duplicate), kDuplicate);
        CTextScheme* added = m_defaults.TextSchemes().Add(std::move(scheme));
        window.GetSettings().m_textScheme = "Instances";
        EXPECT_TRUE(window.BuildTree(m_people["john"], false, c.type, false));
        EXPECT_EQ(window.Document().InstanceFlag(), c.flag);
        m_defaults.TextSchemes().Remove(added);
    }
}

} // namespace

namespace {

using namespace rel_tree_test;

TEST_F(RelTreeTest, CentreOnACoupleLiesBetweenThePartners)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow(800, 600);
    ASSERT_TRUE(window.RebuildTree(m_parents, true, kAncestorsAndDescendantsDiagram, false));
    ASSERT_EQ(window.Document().Selection().Boxes().size(), 2u);
    // Whatever is selected: both partners, one child, nothing.
    for (const char* selected : {"", "ann", "none"}) {
        SCOPED_TRACE(selected);
        if (*selected) {
            window.DeselectAll();
            if (std::string(selected) != "none")
                window.SelectBox(BoxOf(selected), true, false);
            window.Viewport().CentreOnRoot();
        }
        const CRect& john = BoxOf("john")->Rect();
        const CRect& mary = BoxOf("mary")->Rect();
        const CPoint gap =
            window.Viewport().ToDevice(CPoint((john.right + mary.left) / 2, john.top));
        CRect client;
        window.GetClientRect(&client);
        EXPECT_NEAR(gap.x, client.CenterPoint().x, 2);
        EXPECT_NEAR(ClientCentre("john").y, 300, 40);
    }
}

} // namespace
