// tests/controls/type_tree_test.cpp: the data-reference chooser: the items it offers for
// record types, individuals and families, the path texts its items build, switching qualifiers
// and linked records, what it tells its host, and a tree rendered to a picture.
#include "controls/type_tree.h"

#include "database/dictionary/record_type_table.h"
#include "database/paths/data_path.h"
#include "platform/ui/drawing/bitmap.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kIndiBit = 0x001, kFamBit = 0x002, kNoteBit = 0x004, kSourBit = 0x008;

class RecordingListener : public CTypeTreeListener {
public:
    void OnTypeTreeSelChanged(CTypeTree*) override { ++selChanges; }
    void OnTypeTreeItemActivated(CTypeTree* tree, CTreeBoxNode* item) override
    {
        activated.push_back(tree->GetItemLabel(item));
    }
    int selChanges = 0;
    std::vector<std::string> activated;
};

class TypeTreeTest : public record_test::CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        controls_test::UseCompiledResources();
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 320, 480), nullptr, 0));
        // The data set names a custom event and a custom attribute of individuals.
        CIndRec* person = NewIndividual(SEX_MALE, "David /Cohen/");
        SetField(person->CreateChildByTag("EVEN"), "TYPE", "Coming of Age");
        SetField(person->CreateChildByTag("_ATTR"), "TYPE", "Eye colour");
    }
    void TearDown() override
    {
        m_tree.reset();
        m_host.DestroyWindow();
        CRecordTest::TearDown();
    }

    bool Make(DWORD flags, std::uint32_t mask = kIndiBit)
    {
        m_tree = std::make_unique<CTypeTree>();
        return m_tree->Create(&m_host, CRect(0, 0, 320, 480), 5, WS_CHILD | WS_VISIBLE | WS_VSCROLL,
                              flags, mask, &m_listener);
    }
    /// The labels of the children of parent (null: the top level), opened first, joined by "|".
    std::string Labels(CTreeBoxNode* parent)
    {
        if (parent && parent->m_state == CTreeBoxNode::kCollapsed)
            m_tree->ExpandItem(parent, true, 1);
        std::string labels;
        for (CTreeBoxNode* node = parent ? parent->m_firstChild : m_tree->GetFirstItem(); node;
             node = node->m_nextSibling)
            labels += (labels.empty() ? "" : "|") + m_tree->GetItemLabel(node);
        return labels;
    }
    /// The item that the labels, separated by "/", name from the top, opening each on the way.
    CTreeBoxNode* Find(const std::string& labels)
    {
        std::istringstream steps(labels);
        std::string step;
        CTreeBoxNode* parent = nullptr;
        while (std::getline(steps, step, '/')) {
            if (parent && parent->m_state == CTreeBoxNode::kCollapsed)
                m_tree->ExpandItem(parent, true, 1);
            CTreeBoxNode* found = nullptr;
            for (CTreeBoxNode* node = parent ? parent->m_firstChild : m_tree->GetFirstItem();
                 node && !found; node = node->m_nextSibling)
                if (m_tree->GetItemLabel(node) == step)
                    found = node;
            if (!found) {
                ADD_FAILURE() << "no item " << step << " in " << Labels(parent);
                return nullptr;
            }
            parent = found;
        }
        return parent;
    }
    /// Every item of the tree, opened or not.
    std::vector<CTreeBoxNode*> AllItems() const
    {
        std::vector<CTreeBoxNode*> items;
        for (CTreeBoxNode* node = m_tree->GetFirstItem(); node; node = node->m_nextInOrder)
            items.push_back(node);
        return items;
    }
    int CountLabelsStartingWith(char c) const
    {
        int count = 0;
        for (CTreeBoxNode* node : AllItems())
            count += m_tree->GetItemLabel(node).starts_with(c);
        return count;
    }

    CWnd m_host;
    RecordingListener m_listener;
    std::unique_ptr<CTypeTree> m_tree;
};

TEST_F(TypeTreeTest, SingleTypeShowsTheIndividualsLayoutAtTheTop)
{
    ASSERT_TRUE(Make(TTF_SINGLE_TYPE));
    EXPECT_EQ(Labels(nullptr), "Name|Sex|Family as Child>>|Family as Spouse>>|Attributes|Events|"
                               "Miscellaneous|Sources|Notes|Lds|Father|Mother|Spouse|Child");
    const std::string events = Labels(Find("Events"));
    EXPECT_TRUE(events.starts_with("Birth|Christening|Death|")) << events;
    EXPECT_TRUE(events.ends_with("|Retirement|Coming of Age|(All Custom Events)")) << events;
    const std::string attributes = Labels(Find("Attributes"));
    EXPECT_TRUE(attributes.starts_with("Caste|")) << attributes;
    EXPECT_TRUE(attributes.ends_with("|Title|Eye colour|(All Custom Attributes)")) << attributes;
    EXPECT_EQ(Labels(Find("Lds")), "LDS Baptism|LDS Confirmation|LDS Endowment|LDS Child Sealing");
    EXPECT_EQ(Labels(Find("Sources")), "Source Record>>|Source Text");
    EXPECT_EQ(Labels(Find("Notes")), "Note Record>>|Note");
    const std::string misc = Labels(Find("Miscellaneous"));
    EXPECT_EQ(misc.find("Change Date"), std::string::npos) << misc; // hidden
    EXPECT_NE(misc.find("Multimedia Link"), std::string::npos) << misc;
}

TEST_F(TypeTreeTest, RecordTypesStandInTableOrderAndSingleTypeTakesOnlyOne)
{
    ASSERT_TRUE(Make(0, kIndiBit | kFamBit | kNoteBit | kSourBit));
    EXPECT_EQ(Labels(nullptr), "Family|Individual|Note|Source");
    EXPECT_TRUE(Labels(Find("Family")).starts_with("Husband>>|Wife>>|Child>>|Attributes|"));
    EXPECT_EQ(Labels(Find("Family")).find("Father"), std::string::npos); // no shortcuts

    EXPECT_FALSE(Make(TTF_SINGLE_TYPE, kIndiBit | kFamBit));
    EXPECT_EQ(m_tree->GetFirstItem(), nullptr);

    ASSERT_TRUE(Make(TTF_EXPAND_ALL, kIndiBit | kFamBit));
    EXPECT_EQ(m_tree->GetFirstItem()->m_state, CTreeBoxNode::kExpanded);
    EXPECT_EQ(m_tree->GetFirstItem()->m_nextSibling->m_state, CTreeBoxNode::kExpanded);
}

struct PathRow {
    DWORD flags;
    const char* labels;
    bool linkMark;
    bool firstIndex;
    const char* path;
};

TEST_F(TypeTreeTest, ItemsBuildPathsThatParse)
{
    constexpr DWORD kSingle = TTF_SINGLE_TYPE | TTF_QUALIFIERS | TTF_LINKED_RECORDS;
    const PathRow rows[] = {
        {kSingle, "Father/Events/Birth/Date/:YEAR", false, false, "INDI.~FATH>BIRT.DATE:YEAR"},
        {kSingle, "Father/Events/Birth/Date/:YEAR", false, true, "INDI.~FATH[1]>BIRT[1].DATE:YEAR"},
        {kSingle, "Mother", false, false, "INDI.~MOTH>"},
        {kSingle, "Spouse/Child/Name/:SURNAME", false, false, "INDI.~SPOU>~CHIL>NAME:SURNAME"},
        {kSingle, "Events/Coming of Age", false, false, "INDI.EVEN-COMINGOFAGE"},
        {kSingle, "Events/Coming of Age/Date", false, false, "INDI.EVEN-COMINGOFAGE.DATE"},
        {kSingle, "Events/(All Custom Events)", false, false, "INDI.EVEN"},
        {kSingle, "Attributes/Eye colour", false, false, "INDI._ATTR-EYECOLOUR"},
        {kSingle, "Attributes/Eye colour/:NUMERIC", false, false, "INDI._ATTR-EYECOLOUR:NUMERIC"},
        {kSingle, "Name", false, true, "INDI.NAME[1]"},
        {kSingle, "Sex", false, true, "INDI.SEX"},
        {kSingle, "Family as Spouse>>", true, false, "INDI.FAMS>"},
        {kSingle, "Family as Spouse>>/Events/Marriage/Date", false, false, "INDI.FAMS>MARR.DATE"},
        {kSingle, "Family as Spouse>>/Note Record>>", false, false, "INDI.FAMS.NOTE"},
        {kSingle, "Family as Child>>/Father>>/Name/Surname", false, false,
         "INDI.FAMC>HUSB>NAME.SURN"},
        {kSingle, "Family as Child>>/Sibling>>/Father", false, false, "INDI.FAMC>CHIL>~FATH>"},
        {kSingle, "Miscellaneous/Reference/Reference Number", false, false, "INDI.REFN"},
        {kSingle, "Lds/LDS Baptism/Date", false, false, "INDI.BAPL.DATE"},
        {TTF_QUALIFIERS, "Individual/Father/Events/Death/Date/:DAY", false, false,
         "INDI.~FATH>DEAT.DATE:DAY"},
        {0, "Family/Husband>>", true, false, "FAM.HUSB>"},
        {0, "Source/Title", false, false, "SOUR.TITL"},
        {TTF_LINKED_RECORDS, "Family/Child>>/Events/Birth", false, false, "FAM.CHIL>BIRT"},
    };
    for (const PathRow& row : rows) {
        SCOPED_TRACE(row.labels);
        const bool single = (row.flags & TTF_SINGLE_TYPE) != 0;
        ASSERT_TRUE(Make(row.flags, single ? kIndiBit : kIndiBit | kFamBit | kSourBit));
        CTreeBoxNode* item = Find(row.labels);
        ASSERT_NE(item, nullptr);
        std::string path;
        EXPECT_TRUE(m_tree->BuildDataRefPath(item, path, row.linkMark, row.firstIndex));
        EXPECT_EQ(path, row.path);
        CDataPath parsed;
        DataPathError error = DataPathError::None;
        EXPECT_TRUE(parsed.ParseText(path, nullptr, &error)) << int(error);
    }
}

TEST_F(TypeTreeTest, RelativesReadAsRelationWordsAndShortcutTips)
{
    ASSERT_TRUE(Make(TTF_SINGLE_TYPE | TTF_LINKED_RECORDS));
    EXPECT_TRUE(Labels(Find("Family as Child>>"))
                    .starts_with("Pedigree|Note Record>>|Note|Father>>|Mother>>|Sibling>>|"));
    EXPECT_NE(Labels(Find("Family as Spouse>>")).find("|Husband>>|Wife>>|Child>>|"),
              std::string::npos);

    std::string text;
    EXPECT_TRUE(m_tree->GetRelationText(Find("Family as Child>>/Sibling>>/Father"), text));
    EXPECT_EQ(text, "Family as Child.Sibling.Father");
    EXPECT_FALSE(m_tree->GetRelationText(Find("Family as Child>>/Sibling>>/Name"), text));
    EXPECT_TRUE(m_tree->GetRelationText(Find("Father/Events/Birth/Date"), text));
    EXPECT_EQ(text, "Father.Birth.Date");
    EXPECT_FALSE(m_tree->GetRelationText(Find("Events/Birth/Date"), text));
    EXPECT_FALSE(m_tree->GetRelationText(Find("Events"), text));

    const std::pair<const char*, const char*> tips[] = {
        {"Father", "Shortcut to Father Record"},
        {"Mother", "Shortcut to Mother Record"},
        {"Spouse", "Shortcut to Spouse Record"},
        {"Child", "Shortcut to Child Record"},
        {"Events", ""},
    };
    for (const auto& [label, tip] : tips) {
        m_tree->GetShortcutTip(Find(label), text);
        EXPECT_EQ(text, tip) << label;
    }
}

TEST_F(TypeTreeTest, EveryRecordTypeHasItsThreePicturesWithMasks)
{
    std::vector<int> ids;
    for (const CRecordType& row : GetRecordTypeTable().Rows()) {
        for (const auto& [first, second] : {std::pair{true, false}, {false, false}, {false, true}})
            ids.push_back(GetRecordTypeBitmap(row.m_topDef, first, second));
    }
    ids.push_back(322); // a record of no particular type
    ASSERT_EQ(ids.size(), 28u);
    for (const int id : ids) {
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.LoadBitmap(UINT(id))) << id;
        BITMAP size;
        ASSERT_TRUE(bitmap.GetBitmap(&size));
        EXPECT_EQ(size.bmWidth, 32) << id << ": a picture, then its mask";
        EXPECT_EQ(size.bmHeight, 16) << id;
    }
}

TEST_F(TypeTreeTest, FieldsAndQualifiersShowTheirTipsFromTheStringTable)
{
    ASSERT_TRUE(Make(TTF_SINGLE_TYPE | TTF_QUALIFIERS));
    m_tree->ExpandItem(Find("Name"), true, 1);
    m_tree->ExpandItem(Find("Events/Birth/Date"), true, 1);
    const std::pair<const char*, const char*> tips[] = {
        {"Name", "Name"},
        {"Sex", "Sex"},
        {"Events/Birth", "Birth"},
        {"Events/Birth/Date", "Date"},
        {"Events/Birth/Date/:YEAR", "Year"},
        {"Events/Birth/Date/:MONTH_AND_DAY", "Month & Day"},
        {"Name/:SURNAME", "Surname"},
    };
    std::string text;
    for (const auto& [label, tip] : tips) {
        const CTreeBoxNode* item = Find(label);
        ASSERT_NE(item, nullptr) << label;
        m_tree->GetShortcutTip(item, text);
        EXPECT_EQ(text, tip) << label;
    }
}

TEST_F(TypeTreeTest, SwitchingQualifiersRemovesAndRestoresTheirLeaves)
{
    ASSERT_TRUE(Make(TTF_SINGLE_TYPE | TTF_QUALIFIERS));
    CTreeBoxNode* name = Find("Name");
    m_tree->ExpandItem(name, true, 1);
    CTreeBoxNode* date = Find("Events/Birth/Date");
    m_tree->ExpandItem(date, true, 1);
    EXPECT_TRUE(Labels(date).starts_with(":DAY|:MONTH_NUMBER|:MONTH_NAME|"));
    const int leaves = CountLabelsStartingWith(':');
    EXPECT_GT(leaves, 20);

    m_tree->ShowQualifiers(false);
    EXPECT_EQ(CountLabelsStartingWith(':'), 0);
    EXPECT_EQ(date->m_state, CTreeBoxNode::kLeaf); // nothing left to open
    EXPECT_EQ(Find("Events/Birth/Place")->m_state, CTreeBoxNode::kCollapsed);
    EXPECT_EQ(Labels(name), "Name Prefix|Given Name|Nickname|Surname Prefix|Surname|Name Suffix|"
                            "Given Name Used|Source Record>>|Source Text|Note Record>>|Note");

    m_tree->ShowQualifiers(true);
    EXPECT_EQ(date->m_state, CTreeBoxNode::kCollapsed);
    const std::string named = Labels(name);
    EXPECT_TRUE(named.starts_with("Name Prefix|")) << named;
    EXPECT_NE(named.find("|Note|:SURNAME|"), std::string::npos) << named;
    m_tree->ExpandItem(date, true, 1);
    EXPECT_EQ(CountLabelsStartingWith(':'), leaves);
}

TEST_F(TypeTreeTest, SwitchingLinkedRecordsRemovesAndRestoresTheirBranches)
{
    ASSERT_TRUE(Make(TTF_SINGLE_TYPE | TTF_LINKED_RECORDS));
    CTreeBoxNode* spouseFamily = Find("Family as Spouse>>");
    m_tree->ExpandItem(spouseFamily, true, 1);
    const std::string linked = Labels(spouseFamily);
    EXPECT_TRUE(linked.starts_with("Note Record>>|Note|Husband>>|")) << linked;
    Find("Family as Spouse>>/Husband>>/Events");
    CTreeBoxNode* alias = Find("Miscellaneous/Alias>>");
    EXPECT_EQ(alias->m_state, CTreeBoxNode::kCollapsed);

    m_tree->ShowLinkedRecords(false);
    EXPECT_EQ(Labels(spouseFamily), "Note Record>>|Note");
    for (CTreeBoxNode* item : AllItems())
        EXPECT_FALSE(CTypeTree::ItemWord(item) & TTI_LINKED) << m_tree->GetItemLabel(item);
    EXPECT_EQ(alias->m_state, CTreeBoxNode::kLeaf);

    m_tree->ShowLinkedRecords(true);
    EXPECT_EQ(Labels(spouseFamily), linked);
    EXPECT_EQ(alias->m_state, CTreeBoxNode::kCollapsed);
}

TEST_F(TypeTreeTest, DoubleClicksOpenOneLevelAndActivateLeaves)
{
    ASSERT_TRUE(Make(TTF_SINGLE_TYPE));
    CTreeBoxNode* father = Find("Father");
    const auto doubleClick = [&](CTreeBoxNode* node) {
        CRect text;
        ASSERT_TRUE(m_tree->GetItemRect(node, text, TBP_TEXT, true));
        const CPoint point(text.left + 3, (text.top + text.bottom) / 2);
        TestHooks::PostMouse(*m_tree, TestHooks::MouseEvent::LeftDown, point, MK_LBUTTON);
        TestHooks::PostMouse(*m_tree, TestHooks::MouseEvent::LeftUp, point, 0);
        TestHooks::PostMouse(*m_tree, TestHooks::MouseEvent::LeftDoubleClick, point, MK_LBUTTON);
        TestHooks::PostMouse(*m_tree, TestHooks::MouseEvent::LeftUp, point, 0);
        TestHooks::DeliverPosted();
    };
    doubleClick(father);
    EXPECT_EQ(father->m_state, CTreeBoxNode::kExpanded);
    for (CTreeBoxNode* child = father->m_firstChild; child; child = child->m_nextSibling)
        EXPECT_NE(child->m_state, CTreeBoxNode::kExpanded) << m_tree->GetItemLabel(child);
    EXPECT_GT(m_listener.selChanges, 0);
    EXPECT_TRUE(m_listener.activated.empty());

    doubleClick(Find("Father/Sex"));
    EXPECT_EQ(m_listener.activated, std::vector<std::string>{"Sex"});
    doubleClick(father);
    EXPECT_EQ(father->m_state, CTreeBoxNode::kCollapsed);
}

TEST_F(TypeTreeTest, TreeRendersToAPicture)
{
    ASSERT_TRUE(Make(TTF_SINGLE_TYPE | TTF_QUALIFIERS));
    Labels(Find("Miscellaneous/Reference"));
    m_tree->SetFocus();
    m_tree->SelectItem(Find("Miscellaneous/Reference/Reference Number"), true);
    const TestHooks::Image image = TestHooks::RenderWindow(*m_tree);
    EXPECT_TRUE(image.SavePng("type_tree.png"));
    // The group and relation images are drawn left of their rows' texts (part 1's rectangle
    // starts where the text does).
    const auto imageInk = [&](const char* label, COLORREF colour) {
        CRect text;
        m_tree->GetItemRect(Find(label), text, 1, true);
        return controls_test::CountColour(image, CRect(0, text.top, text.left, text.bottom),
                                          colour);
    };
    EXPECT_GT(imageInk("Attributes", RGB(255, 224, 96)), 20);
    EXPECT_GT(imageInk("Miscellaneous/Reference", RGB(255, 224, 96)), 20);
    EXPECT_GT(imageInk("Mother", RGB(64, 160, 224)), 10);
}

} // namespace
