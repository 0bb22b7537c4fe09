// tests/diagrams/diag_elem_test.cpp: diagram elements on a family built in the test, with a fake
// owner and painter: each box kind's text, fill and colour under the built-in schemes, the
// instance number of further family boxes, the spouse box's family, override texts, measuring,
// drawing, pictures, anchors and connectors, flags over a branch, the refusals of adding
// relatives, the chain of a person's family boxes and the layout's pointer array.
#include "diagrams/box_ptr_array.h"
#include "diagrams/diag_ancestor_elem.h"
#include "diagrams/diag_family_elem.h"
#include "tests/diagrams/diag_test_owner.h"
#include "tests/diagrams/tall_picture.h"
#include "tests/templates/template_test_family.h"

#include "database/dictionary/field_ids.h"
#include "database/kin/ind_rec.h"
#include "database/multimedia/media_content.h"
#include "database/multimedia/obj_rec.h"
#include "database/records/fam_rec.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

/// The diagram of the test family: Peter at the root with his parents John and Mary above; John's
/// two marriages (to Mary, then to Zoë) below, with their spouse boxes; a box repeating Peter
/// with a repeated spouse box; a spouse box without a spouse.
class DiagElemTest : public CTemplateFamilyTest {
protected:
    void SetUp() override
    {
        CTemplateFamilyTest::SetUp();
        m_records["F2"] = Marry(Ind("John"), Ind("Zoe"));
        m_peter = std::make_unique<CDiagAncestorElem>(m_owner, 0, 0);
        m_peter->SetRecords(nullptr, Ind("Peter"), Fam("F1"));
        m_peter->SetFlag(kElemRoot, true);
        m_peter->SetExpansion(kExpanded);
        auto father = std::make_unique<CDiagAncestorElem>(m_owner, 0, 1);
        father->SetRecords(nullptr, Ind("John"), nullptr);
        auto mother = std::make_unique<CDiagAncestorElem>(m_owner, 1, 1);
        mother->SetRecords(nullptr, Ind("Mary"), nullptr);
        m_peter->SetFather(std::move(father));
        m_peter->SetMother(std::move(mother));

        m_johnLink = std::make_unique<CDiagFamilyLink>(Ind("John"));
        for (const char* family : {"F1", "F2"}) {
            auto& box = m_johnBoxes.emplace_back(std::make_unique<CDiagFamilyElem>(m_owner, 0, -1));
            box->SetRecords(m_johnLink.get(), Fam(family));
            CIndRec* spouse = Ind("John")->GetSpouseInFamily(Fam(family));
            box->SetSpouseBox(std::make_unique<CDiagDescendantElem>(*box, spouse));
        }
        m_peterLink = std::make_unique<CDiagFamilyLink>(Ind("Peter"));
        m_proxy = std::make_unique<CDiagFamilyElem>(m_owner, 1, -1);
        m_proxy->SetRecords(m_peterLink.get(), nullptr);
        m_proxy->SetFlag(kElemRepeat, true);
        m_proxy->SetSpouseBox(std::make_unique<CDiagDescendantElem>(*m_proxy, Ind("Mary")));
        m_proxy->SpouseBox()->SetFlag(kElemRepeat, true);
        m_lonely = std::make_unique<CDiagDescendantElem>(*m_proxy, nullptr);
    }
    void TearDown() override
    {
        m_lonely.reset();
        m_proxy.reset();
        m_johnBoxes.clear();
        m_peter.reset();
        CTemplateFamilyTest::TearDown();
    }

    CIndRec* Ind(const char* key) const { return static_cast<CIndRec*>(Rec(key)); }
    CFamRec* Fam(const char* key) const { return static_cast<CFamRec*>(Rec(key)); }
    COLORREF Colour(int row) const { return m_owner.m_settings.m_colours[std::size_t(row)].colour; }

    CFakeDiagramOwner m_owner;
    std::unique_ptr<CDiagAncestorElem> m_peter;
    std::unique_ptr<CDiagFamilyLink> m_johnLink, m_peterLink;
    std::vector<std::unique_ptr<CDiagFamilyElem>> m_johnBoxes;
    std::unique_ptr<CDiagFamilyElem> m_proxy;
    std::unique_ptr<CDiagDescendantElem> m_lonely;
};

TEST_F(DiagElemTest, EachBoxKindGivesItsTextFillAndColour)
{
    struct Row {
        const char* what;
        std::function<CDiagElem*()> box;
        const char* nameDates; // the box text under "Name, Dates"
        const char* boxTypes;  // and under "Box Types"
        int fill;
        int colourRow; // -1: the owner's colour of repeated spouse boxes
    };
    const Row rows[] = {
        {"the root", [&] { return m_peter.get(); }, "Peter SMITH", "Peter SMITH\nANCESTOR",
         kBoxRootRow, kTextMaleRow},
        {"a father", [&] { return m_peter->Father(); }, "John SMITH\n1900- ",
         "John SMITH\nANCESTOR", kBoxAncestorRow, kTextMaleRow},
        {"a mother", [&] { return m_peter->Mother(); }, "Mary JONES", "Mary JONES\nANCESTOR",
         kBoxAncestorRow, kTextFemaleRow},
        {"a first family box", [&] { return m_johnBoxes[0].get(); }, "John SMITH\n1900- ",
         "John SMITH\nDESCENDANT", kBoxDescendantRow, kTextMaleRow},
        {"a further family box", [&] { return m_johnBoxes[1].get(); }, "John SMITH (2)",
         "John SMITH\nDUPLICATE", kBoxDuplicateRow, kTextMaleRow},
        {"a spouse box", [&] { return m_johnBoxes[1]->SpouseBox(); }, "Zoë ÅNGSTRÖM",
         "Zoë ÅNGSTRÖM\nSPOUSE", kBoxSpouseRow, kTextFemaleRow},
        {"a repeated child", [&] { return m_proxy.get(); }, "Peter SMITH", "Peter SMITH\nPROXY",
         kBoxProxyChildRow, kTextMaleRow},
        {"a repeated spouse", [&] { return m_proxy->SpouseBox(); }, "Mary JONES",
         "Mary JONES\nPROXY", kBoxProxySpouseRow, -1},
        {"a spouse box without a spouse", [&] { return m_lonely.get(); }, "?", "?", kBoxSpouseRow,
         kTextUnknownSexRow},
    };
    for (const char* scheme : {"Name, Dates", "Box Types"}) {
        m_owner.UseScheme(*FindBuiltInScheme(scheme));
        for (const Row& row : rows) {
            CBoxText box;
            row.box()->GetBoxText(box);
            const std::string expected = scheme[0] == 'N' ? row.nameDates : row.boxTypes;
            EXPECT_EQ(box.text, expected) << scheme << ", " << row.what;
            EXPECT_EQ(box.fillRow, row.fill) << scheme << ", " << row.what;
            EXPECT_EQ(box.textColour,
                      row.colourRow < 0 ? CFakeDiagramOwner::kProxyColour : Colour(row.colourRow))
                << scheme << ", " << row.what;
        }
    }
}

TEST_F(DiagElemTest, FurtherFamilyBoxesAreNumberedOnlyWhenTheTemplateNamesTheInstance)
{
    auto third = std::make_unique<CDiagFamilyElem>(m_owner, 2, -1);
    third->SetRecords(m_johnLink.get(), nullptr);
    const struct {
        const char* duplicate; // null: no template
        const char* second;
        const char* third;
    } rows[] = {
        {"%INDI.NAME% (%_INSTANCE_%)", "John SMITH (2)", "John SMITH (3)"},
        {"%INDI.NAME% (%_Instance_%)", "John SMITH (2)", "John SMITH (3)"},
        {"%INDI.NAME% (%_OTHER_%)", "John SMITH ()", "John SMITH ()"},
        {"%INDI.NAME% (%_INSTANCES_%)", "John SMITH ()", "John SMITH ()"},
        {nullptr, "John SMITH", "John SMITH"},
    };
    for (const auto& row : rows) {
        m_owner.UseTemplate(kDuplicateBox, row.duplicate);
        EXPECT_EQ(m_johnBoxes[1]->GetText(), row.second)
            << (row.duplicate ? row.duplicate : "none");
        EXPECT_EQ(third->GetText(), row.third) << (row.duplicate ? row.duplicate : "none");
    }
}

TEST_F(DiagElemTest, SpouseBoxRendersForTheFamilyOfItsFamilyBox)
{
    // Mary's second marriage, to Pat, has a date; her first has none.
    CFamRec* second = Marry(Ind("Pat"), Ind("Mary"));
    SetField(second->CreateChildByTag("MARR"), "DATE", "5 MAY 1950");
    CDiagFamilyLink patLink(Ind("Pat"));
    CDiagFamilyElem patBox(m_owner, 3, -1);
    patBox.SetRecords(&patLink, second);
    patBox.SetSpouseBox(std::make_unique<CDiagDescendantElem>(patBox, Ind("Mary")));
    m_owner.UseTemplate(kSpouseBox, "%INDI.NAME%\r\nm. %FAM.MARR.DATE%");
    EXPECT_EQ(patBox.SpouseBox()->GetText(), "Mary JONES\nm. 5 May 1950");
    EXPECT_EQ(patBox.SpouseBox()->GetFamily(), second);
    EXPECT_EQ(m_johnBoxes[0]->SpouseBox()->GetText(), "Mary JONES");
}

TEST_F(DiagElemTest, OverrideTextReplacesTheTemplateUpToFiveHundredWholeCharacters)
{
    m_owner.UseScheme(*FindBuiltInScheme("Name, Dates"));
    CDiagElem& box = *m_peter->Father();
    std::string long_;
    for (int i = 0; i < 600; ++i)
        long_ += "é";
    box.SetText(long_.c_str());
    EXPECT_TRUE(box.HasText());
    EXPECT_EQ(box.GetText(), long_.substr(0, 1000));
    box.SetText("");
    EXPECT_FALSE(box.HasText());
    EXPECT_EQ(box.GetText(), "John SMITH\n1900- ");
    box.SetText("x");
    box.SetText(nullptr);
    EXPECT_EQ(box.GetText(), "John SMITH\n1900- ");

    // A template text longer than the box holds keeps its whole lines only.
    std::string manyLines;
    for (int i = 0; i < 30; ++i)
        manyLines +=
            std::string(i ? "\r\n" : "") + "Line " + std::to_string(i) + " " + std::string(20, 'z');
    m_owner.UseTemplate(kAncestorBox, manyLines.c_str());
    CBoxText text;
    box.GetBoxText(text);
    EXPECT_LE(text.text.size(), kBoxTextChars);
    EXPECT_EQ(text.text.back(), 'z');
    EXPECT_EQ(text.lineCount, int(SplitBoxLines(text.text).size()));
}

TEST_F(DiagElemTest, MeasuringGivesTheWidestLineWithMarginsAndAtLeastTheMinimumWidth)
{
    m_owner.m_settings.m_boxMarginSide = 4;
    const struct {
        const char* text;
        int lines;
        CRect rect;
    } rows[] = {
        {"a\r\n\r\nbb\n\rccc", 3, CRect(-37, 0, 38, -50)},  // the minimum width, 75
        {"0123456789012345678", 1, CRect(-61, 0, 61, -50)}, // 19 * 6 + 2 * 4
        {"short\rÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅ", 2, CRect(-64, 0, 64, -50)},
    };
    for (const auto& row : rows) {
        CDiagElem& box = *m_peter->Mother();
        box.SetText(row.text);
        const int made = m_owner.m_measurersMade;
        box.Measure(nullptr, false);
        EXPECT_EQ(m_owner.m_measurersMade, made + 1);
        EXPECT_EQ(box.Rect(), row.rect) << row.text;
        EXPECT_EQ(box.MeasuredLines(), row.lines) << row.text;
        CRect size;
        CFakeBoxPainter painter;
        box.SetRect(CRect());
        box.Measure(&painter, false, &size);
        EXPECT_EQ(size, row.rect);
        EXPECT_EQ(box.Rect(), CRect());
        EXPECT_EQ(m_owner.m_measurersMade, made + 1);
    }
}

TEST_F(DiagElemTest, DrawingFillsTheBoxAndSetsTheLinesBelowTheTopMargin)
{
    m_owner.UseScheme(*FindBuiltInScheme("Name, Dates"));
    CDiagElem& box = *m_peter->Father();
    CFakeBoxPainter measurer;
    box.Measure(&measurer, false);
    box.SetRect(CRect(100, 500, 200, 450));
    for (const bool marked : {false, true})
        for (const bool shown : {true, false}) {
            box.SetFlag(kElemMarked, marked);
            m_owner.m_settings.m_showBoxes = shown;
            CFakeBoxPainter painter;
            box.Draw(painter);
            if (shown) {
                ASSERT_EQ(painter.m_boxes.size(), 1u);
                EXPECT_EQ(painter.m_boxes[0].first, box.Rect());
                EXPECT_EQ(painter.m_boxes[0].second, marked ? kBoxMarkedRow : kBoxAncestorRow);
            } else {
                EXPECT_TRUE(painter.m_boxes.empty());
            }
            ASSERT_EQ(painter.m_lines.size(), 2u);
            EXPECT_EQ(painter.m_lines[0].text, "John SMITH");
            EXPECT_EQ(painter.m_lines[0].top, 490);
            EXPECT_EQ(painter.m_lines[1].text, "1900- ");
            EXPECT_EQ(painter.m_lines[1].top, 480);
            EXPECT_EQ(painter.m_lines[1].area, CRect(105, 500, 195, 450)); // less the side margins
            EXPECT_EQ(painter.m_lines[1].colour, Colour(kTextMaleRow));
        }
    CFakeBoxPainter painter;
    box.DrawHandles(painter, true);
    ASSERT_EQ(painter.m_handles.size(), 1u);
    EXPECT_EQ(painter.m_handles[0], std::make_pair(box.Rect(), true));
}

TEST_F(DiagElemTest, PicturesWidenTheBoxBesideOrWithinTheText)
{
    CTallPictureLoader loader;
    SetMediaContentLoader(&loader);
    const std::string path =
        test_support::WriteFile(test_support::NewFolder("pictures") + "/p.bmp", "BM");
    auto* record = static_cast<CObjRec*>(NewRecord(record_test::kObje));
    record->CreateChildById(FIELD_FORM, {.withChildren = false})->SetText("bmp");
    record->CreateChildById(FIELD_OBJE_LINKED_FILE, {.withChildren = false})->SetText(path);
    ASSERT_NE(Ind("John")->AddObjectLink(record, 0), nullptr);
    m_owner.UseScheme(*FindBuiltInScheme("Name, Dates"));
    m_owner.m_settings.m_pictureIndex = 1;
    m_owner.m_settings.m_pictureHeight = 30;
    CDiagElem& box = *m_peter->Father();

    const struct {
        const char* what;
        int layout;
        bool useBoxHeight;
        bool showPictures;
        bool forAncestors;
        int width;       // of the measured box
        int pictureLeft; // of the drawn picture, from the box's left; -1 none
        int pictureTop;  // from the box's top
    } rows[] = {
        {"beside, on the left", 0, true, true, true, 75 + 25, 0, 0},
        {"beside, on the right", 1, true, true, true, 75 + 25, 75, 0},
        {"within the text", 2, false, true, true, 75, 30, 10 + 10 + 2},
        {"pictures off in the window", 0, true, false, true, 75, -1, 0},
        {"pictures off for ancestors", 0, true, true, false, 75, -1, 0},
    };
    for (const auto& row : rows) {
        m_owner.m_settings.m_pictureLayout = row.layout;
        m_owner.m_settings.m_useBoxHeight = row.useBoxHeight;
        m_owner.m_showPictures = row.showPictures;
        m_owner.m_settings.m_picturesForAncestors = row.forAncestors;
        box.Measure(nullptr, true);
        EXPECT_EQ(box.Rect().Width(), row.width) << row.what;
        CFakeBoxPainter painter;
        box.Draw(painter);
        if (row.pictureLeft < 0) {
            EXPECT_TRUE(painter.m_pictures.empty()) << row.what;
            EXPECT_EQ(box.GetContentBottom(), -10 - 2 * 10 - 10) << row.what;
            continue;
        }
        ASSERT_EQ(painter.m_pictures.size(), 1u) << row.what;
        const CRect& picture = painter.m_pictures[0];
        EXPECT_EQ(picture.left - box.Rect().left, row.pictureLeft) << row.what;
        EXPECT_EQ(box.Rect().top - picture.top, row.pictureTop) << row.what;
        EXPECT_EQ(picture.top - picture.bottom, row.useBoxHeight ? 50 : 30) << row.what;
        // Beside the text the content reaches the bottom; within, below the text and picture.
        EXPECT_EQ(box.GetContentBottom(),
                  row.layout == 2 ? -10 - 2 * 10 - 10 - 30 - 2 * 2 : box.Rect().bottom)
            << row.what;
        if (row.layout == 2) {
            ASSERT_EQ(painter.m_lines.size(), 2u);
            EXPECT_EQ(painter.m_lines[1].top, picture.bottom - 2);
        }
    }
    box.DropTextBlock();
    SetMediaContentLoader(nullptr);
}

TEST_F(DiagElemTest, AddingRelativesIsRefusedWithTheMessagesStringIds)
{
    CDiagAncestorElem& john = *m_peter->Father();
    CDiagAncestorElem& mary = *m_peter->Mother();
    Marry(nullptr, nullptr, {Ind("John")}); // John's parents are not recorded
    const struct {
        const char* what;
        CDiagAncestorElem* box;
        int type;
        int state;
        int lastRow;
        int refusal;
    } parents[] = {
        {"both parents recorded", m_peter.get(), kAllRelativesDiagram, kExpanded, 0,
         kBothParentsShownId},
        {"at the last ancestor row", &john, kAllRelativesDiagram, kNothingToExpand, 1,
         kAncestorLimitId},
        {"collapsed at the last row", &john, kAllRelativesDiagram, kCollapsed, 1, kAncestorLimitId},
        {"the last row of another type", &john, kAncestorsDiagram, kNothingToExpand, 1, 0},
        {"below the last row", &mary, kAllRelativesDiagram, kNothingToExpand, 2, 0},
        {"collapsed", &mary, kAncestorsDiagram, kCollapsed, 1, kOtherParentHiddenId},
    };
    for (const auto& row : parents) {
        m_owner.m_settings.m_diagramType = row.type;
        m_owner.m_lastAncestorRow = row.lastRow;
        row.box->SetExpansion(row.state);
        EXPECT_EQ(row.box->CanAddParent(), row.refusal) << row.what;
    }

    CDiagFamilyElem& family = *m_johnBoxes[0];
    const struct {
        const char* what;
        int generation; // the limit is -1
        int state;
        int refusal;
    } children[] = {
        {"at the limit", -1, kNothingToExpand, kChildrenNotAllowedId},
        {"collapsed at the limit", -1, kCollapsed, kChildrenNotAllowedId},
        {"expanded at the limit", -1, kExpanded, 0},
        {"collapsed above the limit", 0, kCollapsed, kOtherChildrenHiddenId},
        {"above the limit", 0, kNothingToExpand, 0},
    };
    m_owner.m_descendantLimit = -1;
    for (const auto& row : children) {
        CDiagFamilyElem box(m_owner, 0, row.generation);
        box.SetExpansion(row.state);
        EXPECT_EQ(box.CanAddChild(), row.refusal) << row.what;
        bool descendantSide = false;
        EXPECT_EQ(box.IsAtDiagramLimit(&descendantSide), row.refusal == kChildrenNotAllowedId);
        EXPECT_TRUE(descendantSide);
    }
    EXPECT_EQ(family.SpouseBox()->IsAtDiagramLimit(), family.IsAtDiagramLimit());
}

TEST_F(DiagElemTest, AnchorsAndConnectorsStandBetweenPartners)
{
    m_owner.m_settings.m_spouseLinesGap = 4;
    CDiagFamilyElem& family = *m_johnBoxes[0];
    CDiagElem& spouse = *family.SpouseBox();
    family.SetRect(CRect(0, 100, 80, 50));
    const struct {
        const char* what;
        CRect spouse; // null: no spouse box
        bool familyVisible;
        int connector;
    } rows[] = {
        {"spouse on the right", CRect(100, 100, 180, 50), true, 90},
        {"spouse on the left", CRect(-120, 100, -40, 50), true, -20},
        {"family box hidden", CRect(100, 100, 180, 50), false, 98},
    };
    for (const auto& row : rows) {
        spouse.SetRect(row.spouse);
        family.SetVisible(row.familyVisible);
        EXPECT_EQ(family.GetConnectorX(), row.connector) << row.what;
    }
    family.SetVisible(true);
    family.SetSpouseBox(nullptr);
    EXPECT_EQ(family.GetConnectorX(), 40);

    CDiagAncestorElem& john = *m_peter->Father();
    CDiagAncestorElem& mary = *m_peter->Mother();
    john.SetRect(CRect(0, 200, 80, 150));
    mary.SetRect(CRect(100, 200, 180, 150));
    m_peter->SetRect(CRect(50, 100, 130, 60));
    EXPECT_EQ(john.GetAnchor(kAnchorParents), CPoint(90, 175));
    EXPECT_EQ(mary.GetAnchor(kAnchorParents), CPoint(90, 175));
    EXPECT_EQ(m_peter->GetAnchor(kAnchorParents), CPoint(90, 78));
    EXPECT_EQ(m_peter->GetAnchor(kAnchorTop), CPoint(90, 100));
    EXPECT_EQ(m_peter->GetAnchor(kAnchorLeft), CPoint(50, 80));
    EXPECT_EQ(m_peter->GetAnchor(kAnchorRight), CPoint(130, 80));
    m_peter->SetRect(CRect(50, 100, 130, 99)); // flatter than the line gap
    EXPECT_EQ(m_peter->GetAnchor(kAnchorParents).y, 99);
    EXPECT_EQ(CentreOf(&john.Rect(), &mary.Rect()), CPoint(90, 175));
    EXPECT_EQ(CentreOf(nullptr, &mary.Rect()), CPoint(140, 175));
}

TEST_F(DiagElemTest, FlagsVisibilityAndIndexReachTheWholeBranch)
{
    CDiagAncestorElem& john = *m_peter->Father();
    CDiagAncestorElem& mary = *m_peter->Mother();
    m_peter->SetFlagsInBranch(kElemMarked, true);
    for (CDiagElem* box : {static_cast<CDiagElem*>(m_peter.get()), static_cast<CDiagElem*>(&john),
                           static_cast<CDiagElem*>(&mary)})
        EXPECT_TRUE(box->HasFlag(kElemMarked));
    EXPECT_TRUE(m_peter->HasFlag(kElemRoot));

    const ElemRecordSet onlyMary{Rec("Mary")};
    m_peter->SetFlagsInBranch(kElemMarked, false, &onlyMary);
    EXPECT_TRUE(m_peter->HasFlag(kElemMarked));
    EXPECT_TRUE(john.HasFlag(kElemMarked));
    EXPECT_FALSE(mary.HasFlag(kElemMarked));

    m_peter->IndexBranch();
    ASSERT_EQ(m_owner.m_index.size(), 1u);
    EXPECT_EQ(m_owner.m_index.begin()->second, &mary);

    m_peter->SetVisibleInBranch(false);
    EXPECT_FALSE(john.IsVisible());
    m_peter->SetExpansion(kCollapsed);
    m_peter->SetVisibleInBranch(true);
    EXPECT_TRUE(m_peter->IsVisible());
    EXPECT_FALSE(john.IsVisible());
    EXPECT_EQ(john.GetPartner(), &mary);
    EXPECT_EQ(mary.GetPartner(), &john);
    EXPECT_EQ(m_peter->GetPartner(), nullptr);
}

TEST_F(DiagElemTest, FamilyBoxesOfAPersonFormAChainThatDestroyedBoxesLeave)
{
    CDiagFamilyElem* first = m_johnBoxes[0].get();
    CDiagFamilyElem* second = m_johnBoxes[1].get();
    EXPECT_TRUE(first->IsFirstFamilyBox());
    EXPECT_FALSE(second->IsFirstFamilyBox());
    EXPECT_EQ(first->NextFamilyBox(), second);
    EXPECT_EQ(second->NextFamilyBox(), nullptr);
    EXPECT_EQ(second->PreviousFamilyBox(), first);
    EXPECT_EQ(first->PreviousFamilyBox(), nullptr);
    EXPECT_EQ(first->GetIndividual(), Ind("John"));
    EXPECT_EQ(first->SpouseBox()->GetPartner(), first);
    CDiagLink* link = first->AddChildLink(Ind("Peter"));
    EXPECT_EQ(link->Parent(), first);

    const int changes = m_owner.m_layoutChanges;
    CDiagElem* spouse = first->SpouseBox();
    m_owner.m_current = first;
    m_johnBoxes.erase(m_johnBoxes.begin());
    EXPECT_EQ(m_owner.m_current, second);
    EXPECT_EQ(m_johnLink->Boxes(), std::vector<CDiagFamilyElem*>{second});
    EXPECT_TRUE(second->IsFirstFamilyBox());
    EXPECT_GE(m_owner.m_layoutChanges, changes + 2);
    EXPECT_EQ(m_owner.m_destroyed, (std::vector<CDiagElem*>{spouse, first}));
    m_johnBoxes.clear();
    EXPECT_EQ(m_owner.m_current, nullptr);
    EXPECT_TRUE(m_johnLink->Boxes().empty());
}

TEST_F(DiagElemTest, SpouseBoxOfTheRootsOwnFamilyIsMarkedAsRepeatedAndMeasured)
{
    // John stands at the root for his marriage to Mary.
    CDiagAncestorElem root(m_owner, 0, 0);
    root.SetRecords(nullptr, Ind("John"), Fam("F1"));
    m_owner.m_root = &root;
    const struct {
        const char* what;
        const CDiagFamilyLink* rootLink;
        std::size_t box;
        bool repeated;
    } rows[] = {
        {"the root's family", m_johnLink.get(), 0, true},
        {"the root person's other family", m_johnLink.get(), 1, false},
        {"another person's family", m_peterLink.get(), 0, false},
    };
    for (const auto& row : rows) {
        m_owner.m_rootLink = row.rootLink;
        CDiagFamilyElem& box = *m_johnBoxes[row.box];
        const int made = m_owner.m_measurersMade;
        box.RegisterSpouseBox(std::make_unique<CDiagDescendantElem>(box, Ind("Mary")), nullptr);
        EXPECT_EQ(box.SpouseBox()->HasFlag(kElemRepeat), row.repeated) << row.what;
        EXPECT_EQ(box.SpouseBox()->Rect().Width(), 75) << row.what;
        EXPECT_EQ(m_owner.m_measurersMade, made + 1) << row.what;
    }
}

/// Counts its destructions.
struct CCounted {
    explicit CCounted(int& deaths) : m_deaths(deaths) {}
    ~CCounted() { ++m_deaths; }
    int& m_deaths;
};

TEST(BoxPtrArrayTest, GrowsByTheStepFirstThenToTheIndexAndDeletesWhatItOwns)
{
    int deaths = 0;
    {
        CBoxPtrArray<CCounted> array(true, 4);
        EXPECT_TRUE(array.SetAtGrow(1, new CCounted(deaths)));
        EXPECT_EQ(array.GetCapacity(), 4);
        EXPECT_EQ(array.GetSize(), 2);
        EXPECT_EQ(array.GetAt(0), nullptr);
        EXPECT_TRUE(array.SetAtGrow(9, new CCounted(deaths)));
        EXPECT_EQ(array.GetCapacity(), 10);
        EXPECT_EQ(array.GetSize(), 10);
        array.SetAtGrow(1, new CCounted(deaths)); // replaces, deleting the first
        EXPECT_EQ(deaths, 1);
        array.SetAtGrow(0, nullptr);
        EXPECT_EQ(array.GetSize(), 10);
        array.Grow(0);
        EXPECT_EQ(array.GetCapacity(), 14);
        EXPECT_NE(array.GetAt(9), nullptr);
        EXPECT_FALSE(array.SetAtGrow(-1, nullptr));
        array.RemoveAll();
        EXPECT_EQ(deaths, 3);
        EXPECT_EQ(array.GetSize(), 0);
        EXPECT_EQ(array.GetCapacity(), 0);
        EXPECT_TRUE(array.SetAtGrow(12, new CCounted(deaths)));
        EXPECT_EQ(array.GetCapacity(), 13);
    }
    EXPECT_EQ(deaths, 4);
    CCounted kept(deaths);
    {
        CBoxPtrArray<CCounted> borrowed(false, 2);
        borrowed.SetAtGrow(0, &kept);
    }
    EXPECT_EQ(deaths, 4);
}

} // namespace
