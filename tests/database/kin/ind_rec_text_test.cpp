// tests/database/kin/ind_rec_text_test.cpp: tests of an individual's names and texts, the key-text
// search, the choice list and the menu.
#include "database/nodes/node_choice_list.h"
#include "database/nodes/node_menu.h"
#include "platform/base/text.h"
#include "tests/database/kin/ind_rec_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ind_test;
using namespace record_test;

namespace {

std::vector<CSearchTerm> Terms(std::initializer_list<const char*> words)
{
    std::vector<CSearchTerm> terms;
    for (const char* word : words)
        terms.push_back({word, text::ToLower(word), text::ToUpper(word)});
    return terms;
}

class CChoices final : public INodeChoiceList {
public:
    void AddChoice(std::string_view text, CDataNode*) override { m_texts.emplace_back(text); }
    bool Has(std::string_view text) const
    {
        return std::find(m_texts.begin(), m_texts.end(), text) != m_texts.end();
    }
    bool AnyStartsWith(std::string_view prefix) const
    {
        return std::any_of(m_texts.begin(), m_texts.end(),
                           [&](const std::string& text) { return text.starts_with(prefix); });
    }
    std::vector<std::string> m_texts;
};

/// A menu kept as text: "text" or "text (greyed)" per item, "-", and "Title:" for a popup,
/// whose items follow in m_popups.
class CMenuText final : public INodeMenu {
public:
    void AppendItem(UINT, std::string_view text, bool greyed) override
    {
        m_items.push_back(std::string(text) + (greyed ? " (greyed)" : ""));
    }
    void AppendSeparator() override { m_items.emplace_back("-"); }
    std::unique_ptr<INodeMenu> NewPopup() override { return std::make_unique<CMenuText>(); }
    void AppendPopup(std::unique_ptr<INodeMenu> popup, std::string_view text) override
    {
        m_items.push_back(std::string(text) + ":");
        m_popups.push_back(static_cast<CMenuText&>(*popup).m_items);
    }
    int GetItemCount() const override { return int(m_items.size()); }

    std::vector<std::string> m_items;
    std::vector<std::vector<std::string>> m_popups;
};

TEST_F(IndRecTest, NamesAndGivenNamesFitTheirBuffers)
{
    Prefs().m_surnamesInUpperCase = true;
    EXPECT_EQ(TextOf(Person(SEX_MALE, "John /Smith/")), "John SMITH");
    EXPECT_EQ(TextOf(Person(SEX_MALE, "")), "<no name>") << "an empty NAME counts as none";
    char name[64];
    EXPECT_STREQ(Person(SEX_MALE, "Al /Ash/")->CopyNameText(name, 64), "Al ASH");
    CIndRec* used = Person(SEX_MALE, "John /Smith/");
    SetField(used->FindChild(nullptr, FIELD_NAME), "_USED", "Jack");
    const struct {
        CIndRec* person;
        int size;
        const char* expected;
    } rows[] = {
        {Person(SEX_MALE, "John /Smith/"), 100, "John"}, {used, 100, "Jack"},
        {Person(SEX_MALE, "/Smith/"), 3, "?"},           {Person(SEX_MALE, "/Smith/"), 2, ""},
        {Person(SEX_MALE, ""), 10, "<no name>"},         {Person(SEX_MALE, ""), 9, ""},
    };
    for (const auto& row : rows) {
        char buffer[100];
        EXPECT_STREQ(row.person->GetGivenName(buffer, row.size), row.expected)
            << TextOf(row.person) << " in " << row.size;
    }
}

TEST_F(IndRecTest, KeyTextTermsMayBeFoundInDifferentNames)
{
    CIndRec* person = Person(SEX_MALE, "Robert /Brown/");
    SetField(person->FindChild(nullptr, FIELD_NAME), "NICK", "Bobby");
    CDataNode* second = person->CreateChildByTag("NAME");
    second->SetText("Rob /Greenwood/");
    EXPECT_TRUE(person->ContainsKeyText(Terms({"bobby", "greenwood"}), false));
    EXPECT_FALSE(person->ContainsKeyText(Terms({"bobby", "smith"}), false));
    EXPECT_FALSE(person->ContainsKeyText(Terms({"bobby"}), true)) << "case-sensitive";
    CFamRec* family = Marry(person, Person(SEX_FEMALE, "Ann /Smith/"));
    EXPECT_TRUE(family->ContainsKeyText(Terms({"bobby", "smith"}), false))
        << "a family's terms may come from either partner";
    EXPECT_FALSE(family->ContainsKeyText(Terms({"bobby", "jones"}), false));
}

TEST_F(IndRecTest, ChoiceListOffersTheFamilysFields)
{
    CIndRec* man = Person(SEX_MALE, "Sam /Lee/");
    CIndRec* wife = Person(SEX_FEMALE, "Mary /Lee/", "1830");
    CFamRec* family = Marry(man, wife, {Person(SEX_MALE, "Tom /Lee/")});
    Event(family, "MARR", "1850");
    Event(family, "DIV", "1860");
    CChoices choices;
    man->FillChoiceList(choices, false);
    EXPECT_TRUE(choices.Has("Spouse (Mary) Name: Mary Lee"));
    EXPECT_TRUE(choices.Has("Spouse (Mary) Birth: 1830"));
    EXPECT_TRUE(choices.Has("Marr. (to Mary) Marriage: 1850"));
    EXPECT_TRUE(choices.Has("Marr. (to Mary) Divorce: 1860"));
    EXPECT_TRUE(choices.Has("Child (Tom) Name: Tom Lee"));
    EXPECT_EQ(std::count(choices.m_texts.begin(), choices.m_texts.end(),
                         "Marr. (to Mary) Marriage: 1850"),
              1)
        << "the marriage is offered once although it is also a fact";

    CIndRec* woman = Person(SEX_FEMALE, "Eve");
    Event(Marry(nullptr, woman), "MARR", "1870");
    CChoices hers;
    woman->FillChoiceList(hers, false);
    EXPECT_TRUE(hers.Has("Marr. (to <no spouse>) Marriage: 1870"));
    EXPECT_FALSE(hers.AnyStartsWith("Spouse ("));
}

TEST_F(IndRecTest, ContextMenuSortsTheAddItems)
{
    CIndRec* person = Person(SEX_MALE, "Al");
    CMenuText menu;
    EXPECT_TRUE(person->AddContextMenu(menu));
    ASSERT_EQ(menu.m_items.size(), 11u);
    EXPECT_EQ(menu.m_items[0], "Name");
    EXPECT_EQ(menu.m_items[1], "Sex (greyed)") << "the record holds its one SEX";
    const std::vector<std::string> titles(menu.m_items.begin() + 2, menu.m_items.begin() + 9);
    EXPECT_EQ(titles, (std::vector<std::string>{
                          "Add Family (as Child):", "Add Family (as Spouse):", "Add Attribute:",
                          "Add Event:", "Add Miscellaneous:", "Add Source:", "Add Note:"}));
    EXPECT_EQ(menu.m_items[9], "-");
    EXPECT_EQ(menu.m_items[10], "Properties");
    EXPECT_EQ(menu.m_popups[0], (std::vector<std::string>{"Add Link to New Family Record",
                                                          "Add Link to Existing Family Record"}));
    const std::vector<std::string>& events = menu.m_popups[3];
    EXPECT_NE(std::find(events.begin(), events.end(), "Birth"), events.end());
    EXPECT_EQ(menu.m_popups[4].back(), "LDS:") << "the LDS submenu closes Miscellaneous";
    CMenuText plain;
    Person(SEX_UNDETERMINED, "Bo")->AddContextMenu(plain);
    EXPECT_EQ(plain.m_items.at(1), "Sex") << "no SEX yet";
}

} // namespace
