// tests/database/fields/name_node_test.cpp: Tests of personal names: the fifteen name forms,
// tidying of names read and typed, sorting, and the comparison used for merging.
#include "tests/database/fields/text_field_test_support.h"

#include "database/dictionary/qualifier_table.h"
#include "database/fields/name_node.h"
#include "database/fields/name_text.h"
#include "platform/base/text.h"

#include <algorithm>
#include <array>

namespace text_field_test {
namespace {

constexpr int kFormCount = QUAL_STORED - QUAL_SURNAME + 1;

struct NameCase {
    const char* name;
    const char* gedcom; // as read from a file
    const char* prefix; // NPFX, NSFX and _USED sub-fields; empty for none
    const char* suffix;
    const char* used;
    std::array<const char*, kFormCount> forms; // SURNAME to STORED, surnames in upper case
    int sortRank;                              // place among the rows by Compare, format 0
};

// clang-format off
const NameCase kNames[] = {
    {"Plain", "John /Smith/ Jr", "", "", "",
     {"SMITH", "John", "John", "John Jr", "Jr", "John SMITH Jr", "SMITH, John  Jr",
      "John SMITH", "John SMITH", "John SMITH", "John SMITH", "John SMITH Jr", "John SMITH Jr",
      "John SMITH Jr", "John /Smith/ Jr"}, 3},
    {"SurnameFirst", "/Smith/ John", "", "", "",
     {"SMITH", "/Smith/", "John", "John", "", "SMITH John", "SMITH,  John",
      "John SMITH", "John SMITH", "John SMITH", "John SMITH", "SMITH John", "SMITH John",
      "SMITH John", "/Smith/ John"}, 5},
    {"Adorned", "Mary Ann /Jones/", "Dr", "PhD", "Annie",
     {"JONES", "Mary", "Annie", "Mary Ann", "Ann", "Mary Ann JONES", "JONES, Mary Ann ",
      "Annie JONES", "Dr Annie JONES PhD", "Dr Annie JONES", "Annie JONES PhD",
      "Dr Mary Ann JONES PhD", "Dr Mary Ann JONES", "Mary Ann JONES PhD", "Mary Ann /Jones/"}, 2},
    {"OneWord", "Smith", "", "", "",
     {"SMITH", "Smith", "", "", "", "Smith", "SMITH, ",
      "SMITH", "SMITH", "SMITH", "SMITH", "Smith", "Smith", "Smith", "Smith"}, 4},
    {"Empty", "", "Rev", "", "",
     {"", "", "", "", "", "<no name>", ", ",
      "", "Rev <no name>", "Rev <no name>", "<no name>", "Rev <no name>", "Rev <no name>",
      "<no name>", ""}, 0},
    {"TidiedFromFile", "  William  Henry/Brown /Sr", "", "", "",
     {"BROWN", "William", "William", "William Henry Sr", "Henry Sr", "William Henry BROWN Sr",
      "BROWN, William Henry  Sr", "William BROWN", "William BROWN", "William BROWN",
      "William BROWN", "William Henry BROWN Sr", "William Henry BROWN Sr",
      "William Henry BROWN Sr", "William Henry /Brown/ Sr"}, 1},
};
// clang-format on

class NameFormTest : public CTextFieldTest {
protected:
    CNameNode* MakeName(const NameCase& c)
    {
        auto* name = NewField<CNameNode>("INDI.NAME");
        name->SetText(c.gedcom);
        const std::pair<int, const char*> children[] = {
            {FIELD_NPFX, c.prefix}, {FIELD_NSFX, c.suffix}, {FIELD_EXT_USED, c.used}};
        for (const auto& [fieldId, value] : children) {
            if (*value)
                name->AddTextChild(fieldId, value);
        }
        return name;
    }

    static std::string Form(const CNameNode& name, int format, int size = 200)
    {
        std::string buffer(std::size_t(size), '#');
        buffer.resize(std::size_t(name.GetTextBuf(buffer.data(), size, format)));
        return buffer;
    }
};

TEST_F(NameFormTest, EveryFormOfEveryName)
{
    Prefs().m_surnamesInUpperCase = true;
    for (const NameCase& c : kNames) {
        const CNameNode* name = MakeName(c);
        for (int i = 0; i < kFormCount; ++i)
            EXPECT_EQ(Form(*name, QUAL_SURNAME + i), c.forms[std::size_t(i)])
                << c.name << " " << GetQualifierKeyword(QUAL_SURNAME + i);
        EXPECT_TRUE(name->SupportsQualifier(QUAL_SURNAME + c.sortRank));
    }
}

TEST_F(NameFormTest, NamesSortBySurnameFirst)
{
    Prefs().m_surnamesInUpperCase = true;
    std::vector<const NameCase*> rows;
    std::vector<CNameNode*> names;
    for (const NameCase& c : kNames) {
        rows.push_back(&c);
        names.push_back(MakeName(c));
    }
    std::vector<std::size_t> order{0, 1, 2, 3, 4, 5};
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return names[a]->Compare(names[b], QUAL_NONE) < 0;
    });
    ASSERT_EQ(order.size(), std::size(kNames));
    for (std::size_t place = 0; place < order.size(); ++place)
        EXPECT_EQ(rows[order[place]]->sortRank, int(place)) << rows[order[place]]->name;
    const NameCase longer{"", "Amy /Abcdez/", "", "", "", {}, 0};
    const NameCase shorter{"", "Bob /abcdE/", "", "", "", {}, 0};
    CNameNode* a = MakeName(longer);
    CNameNode* b = MakeName(shorter);
    EXPECT_GT(a->Compare(b, QUAL_ADORNED), 0) << "same five letters; the surname decides";
    EXPECT_LT(a->Compare(b, QUAL_GIVEN), 0) << "a given-name form sorts as formatted";
}

TEST_F(NameFormTest, SortKeysHoldTheFoldedFormsTheNameSortsBy)
{
    // Stored as they are (not tidied): blanks inside the slashes, a missing or a third slash,
    // no slash, control bytes, forms longer than the 120 bytes a sort reads, letters outside
    // ASCII; every format whose kept form is the full text, and one with its own.
    const std::string longGiven(118, 'G');
    const std::string longSurname(125, 'S');
    const struct {
        std::string stored;
        const char* lead;
    } rows[] = {{"John /Smith/ Jr", "smith"},
                {"  John  / Smith /Jr  ", " smit"},
                {"al /ASH", "ash"},
                {"/Ash/ Al", "ash"},
                {"Cy //", ""},
                {"Bo Ash  ", ""},
                {"a /b/ c /D/", "b"},
                {"Al\t/A\x01sh/\x7f", "a\x01sh"},
                {longGiven + " /Smith/", "smith"},
                {"Al /" + longSurname + "/", "sssss"},
                {"Zo\xc3\xab /\xc3\x89mile/", "\xc3\xa9mile"},
                {"", ""}};
    const int formats[] = {QUAL_NONE, QUAL_FULL, QUAL_ADORNED_FULL, QUAL_STORED, QUAL_ADORNED};
    for (const bool upper : {false, true}) {
        Prefs().m_surnamesInUpperCase = upper;
        for (const auto& row : rows) {
            auto* name = NewField<CNameNode>("INDI.NAME");
            name->SetValue(row.stored);
            for (const int format : formats) {
                const int keptFormat = format == QUAL_ADORNED ? int(QUAL_PREFERRED)
                                       : format == QUAL_NONE  ? format
                                                              : int(QUAL_FULL);
                const CNameNode::SortKey key = name->GetSortKey(format);
                const std::string context = "\"" + row.stored + "\" format " +
                                            std::to_string(format) + (upper ? " upper" : "");
                EXPECT_FALSE(key.formatted) << context;
                EXPECT_EQ(key.hasSlash, row.stored.find('/') != std::string::npos) << context;
                EXPECT_EQ(key.lead, row.lead) << context;
                EXPECT_EQ(key.surname, text::FoldedSortKey(Form(*name, QUAL_SURNAME, 121)))
                    << context;
                EXPECT_EQ(key.kept, text::FoldedSortKey(Form(*name, keptFormat, 121))) << context;
            }
        }
    }
}

TEST_F(NameFormTest, DisplayTextFollowsThePreferenceAndTheBuffer)
{
    CNameNode* name = MakeName(kNames[0]);
    std::string text;
    Prefs().m_surnamesInUpperCase = false;
    name->GetText(text, 0);
    EXPECT_EQ(text, "John Smith Jr");
    Prefs().m_surnamesInUpperCase = true;
    name->GetText(text, 1);
    EXPECT_EQ(text, "Name: John SMITH Jr");
    name->GetDefaultText(text);
    EXPECT_EQ(text, "John /Smith/ Jr");
    EXPECT_EQ(Form(*name, QUAL_FULL, 1), "");
    EXPECT_EQ(Form(*name, QUAL_FULL, 6), "John ");
    EXPECT_EQ(Form(*name, QUAL_PREFERRED, 7), "") << "less than three characters after John";
    EXPECT_EQ(Form(*name, QUAL_PREFERRED, 8), "John SM");
    char buffer[5];
    EXPECT_EQ(name->GetSurname(buffer, sizeof buffer), 4);
    EXPECT_STREQ(buffer, "Smit") << "the surname as stored";
}

TEST_F(NameFormTest, SlashesAroundNoSurnameLeaveNoBlankBehind)
{
    Prefs().m_surnamesInUpperCase = true;
    const struct {
        const char* stored;
        const char* shown;
    } rows[] = {{"John //", "John"}, {"John // Jr", "John Jr"},
                {"// Jr", "Jr"},     {"Mary Ann / /", "Mary Ann"},
                {"//", ""},          {"John /Smith/", "John SMITH"}};
    for (const auto& row : rows) {
        auto* name = NewField<CNameNode>("INDI.NAME");
        name->SetText(row.stored);
        std::string text;
        name->GetText(text, 0);
        EXPECT_EQ(text, row.shown) << row.stored;
        EXPECT_EQ(Form(*name, QUAL_FULL), row.shown) << row.stored;
        EXPECT_EQ(Form(*name, QUAL_STORED), TidyNameText(row.stored)) << "kept as stored";
    }
    const NameCase given{"", "John //", "Sir", "", "", {}, 0};
    EXPECT_EQ(Form(*MakeName(given), QUAL_PREFIXED_FULL), "Sir John");
}

/// Tidying as a chain of edits on a copy, one rule at a time: what the one pass must give.
std::string TidiedStepByStep(std::string_view name)
{
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    std::string out;
    for (const char c : name) {
        if (!blank(c))
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    const std::size_t open = out.find('/');
    if (open == std::string::npos)
        return out;
    std::size_t close = out.find('/', open + 1);
    if (close == std::string::npos) {
        out += '/';
        close = out.size() - 1;
    }
    if (open + 1 < close && out[open + 1] == ' ')
        out.erase(open + 1, 1), --close;
    if (close > open + 1 && out[close - 1] == ' ')
        out.erase(close - 1, 1), --close;
    if (open > 0 && !blank(out[open - 1]))
        out.insert(open, 1, ' '), ++close;
    if (close + 1 < out.size() && !blank(out[close + 1]))
        out.insert(close + 1, 1, ' ');
    return out;
}

class NameTidyingTest : public CTextFieldTest {};

TEST_F(NameTidyingTest, EveryShortNameIsTidiedAsRuleByRule)
{
    // Every name of up to seven characters from letters, blanks of two kinds and slashes, also
    // after five letters, after thirteen and after fifty-eight (so that they cross the sixteen
    // bytes looked at together, and the longest name looked at by masks), and a few long ones:
    // the one pass gives what the rules give one after the other, a name needing no tidying is
    // left as it is, and a name node stores the tidied text whether it is tidied on the stack
    // (names of up to 256 - kTidyNameRoom bytes) or on the heap.
    const std::string alphabet = "a /\t";
    const std::size_t onStack = 256 - kTidyNameRoom;
    std::vector<std::string> names = {"", std::string(300, ' ') + "Ann" + std::string(300, '\t'),
                                      std::string(400, 'x') + "/" + std::string(400, 'y'),
                                      "A" + std::string(onStack - 4, ' ') + "/B/C",
                                      "A" + std::string(onStack - 3, ' ') + "/B/C"};
    const std::string longPrefix = "Abcde fghijklmn  opqrstuvwxyzab   cdefghij  klmnopq rstuvw";
    for (std::size_t length = 1; length <= 7; ++length) {
        std::vector<std::size_t> digits(length, 0);
        for (bool more = true; more;) {
            std::string name;
            for (const std::size_t d : digits)
                name += alphabet[d];
            names.push_back(name);
            names.push_back("Abcde" + name);
            names.push_back("Abcde fghijkl" + name);
            names.push_back(longPrefix + name);
            more = false;
            for (std::size_t& d : digits) {
                if (++d < alphabet.size()) {
                    more = true;
                    break;
                }
                d = 0;
            }
        }
    }
    // Control bytes that are not white space, white space besides blanks and tabs, and bytes
    // above ASCII.
    for (const char* name :
         {"\x01a /b/\x1F", "a\x0B\x0C/b/\r\n", "\xC3\xA9 /\xC3\xA9/x", "\x7F/\x80 \xFF/ \x1Fz"})
        names.push_back(name);
    for (const std::string& name : names) {
        const std::string expected = TidiedStepByStep(name);
        ASSERT_EQ(TidyNameText(name), expected) << "[" << name << "]";
        if (!NameNeedsTidying(name)) {
            ASSERT_EQ(expected, name);
        }
    }
    auto* node = NewField<CNameNode>("INDI.NAME");
    for (const std::string& name :
         {names[1], names[2], names[3], names[4], names[5], names.back()}) {
        node->SetText(name);
        EXPECT_EQ(node->GetValue(), TidiedStepByStep(name)) << name.size();
    }
}

struct TidyCase {
    const char* text;
    bool needsTidying;
    const char* stored; // after SetText
};

class NameTidyTest : public CTextFieldTest, public ::testing::WithParamInterface<TidyCase> {};

TEST_P(NameTidyTest, NamesFromFilesAreTidied)
{
    const TidyCase& c = GetParam();
    EXPECT_EQ(NameNeedsTidying(c.text), c.needsTidying) << c.text;
    auto* name = NewField<CNameNode>("INDI.NAME");
    name->SetText(c.text);
    EXPECT_EQ(name->GetValue(), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NameTidyTest,
    ::testing::Values(TidyCase{"John /Smith/ Jr", false, "John /Smith/ Jr"},
                      TidyCase{"/Smith/ John", false, "/Smith/ John"}, TidyCase{"", false, ""},
                      TidyCase{" John /Smith/", true, "John /Smith/"},
                      TidyCase{"John  /Smith/", true, "John /Smith/"},
                      TidyCase{"John Smith", true, "John Smith"},
                      TidyCase{"John/Smith/", true, "John /Smith/"},
                      TidyCase{"John / Smith /", true, "John /Smith/"},
                      TidyCase{"John /Smith", true, "John /Smith/"},
                      TidyCase{"John /Smith/Jr", true, "John /Smith/ Jr"},
                      TidyCase{"John /Smith/ /X/", true, "John /Smith/ /X/"},
                      TidyCase{"Ann /O@@Neil/", false, "Ann /O@Neil/"},
                      TidyCase{"Ann Maria Louisa /O@@Neil/", false, "Ann Maria Louisa /O@Neil/"},
                      TidyCase{"Ann Maria Louisa Charlotte Augusta Wilhelmina Frederica /O@@Neil/",
                               false,
                               "Ann Maria Louisa Charlotte Augusta Wilhelmina Frederica /O@Neil/"},
                      TidyCase{"Ann\t/O@@Neil/", true, "Ann /O@Neil/"},
                      TidyCase{"John/ Smith /Jr", true, "John /Smith/ Jr"},
                      TidyCase{"Albert Charles//", true, "Albert Charles //"},
                      TidyCase{"\tJohn\t/Smith/\vJr ", true, "John /Smith/ Jr"},
                      TidyCase{"/ Smith/", true, "/Smith/"}));

struct TypedCase {
    const char* typed;
    const char* stored;
};

class NameTypedTest : public CTextFieldTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(NameTypedTest, TypedNamesGetTheirSurnameSlashes)
{
    auto* name = static_cast<CNameNode*>(NewRecord("INDI")->AddTextChild(FIELD_NAME, "Old /Name/"));
    m_control.m_text = GetParam().typed;
    EXPECT_TRUE(name->UpdateFromControl(m_control.Handle(), true, true));
    EXPECT_EQ(name->GetValue(), GetParam().stored);
    EXPECT_EQ(m_observer.m_notices, 1);
    name->UpdateFromControl(m_control.Handle(), false, false);
    EXPECT_EQ(m_control.m_text, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Rows, NameTypedTest,
                         ::testing::Values(TypedCase{"Mary Jones", "Mary /Jones/"},
                                           TypedCase{"Mary /Jones", "Mary /Jones/"},
                                           TypedCase{"a /b/ c/ d", "a /b/ c d"},
                                           TypedCase{"  Ann   /Lee/  ", "Ann /Lee/"},
                                           TypedCase{"John/Smith/Jr", "John /Smith/ Jr"},
                                           TypedCase{"Cher", "/Cher/"}, TypedCase{"   ", ""}));

TEST_F(NameFormTest, MergeMatchScoresSurnamesThenGivenNamesThenWholeNames)
{
    const struct {
        const char* a;
        const char* b;
        int expected; // different -100, weak 0, same surname 10, partial 50, strong 100
    } rows[] = {{"John /Smith/", "John /Jones/", -100},
                {"John /Smith/", "Bill /Smith/", 0},
                {"John /Smith/", "john /SMITH/", 50},
                {"John Paul /Smith/", "john paul /smith/", 100},
                {"John Paul /Smith/", "John Peter /Smith/", 0},
                {"/Smith/", "/smith/", 10},
                {"/Smith/", "/Smith/ Jr", 0},
                {"John", "Bill", -100},
                {"", "John /Smith/", 0}};
    for (const auto& row : rows) {
        CNameNode* a = MakeName({"", row.a, "", "", "Ignored", {}, 0});
        CNameNode* b = MakeName({"", row.b, "", "", "", {}, 0});
        EXPECT_EQ(a->CompareForMatch(*b, -100, 0, 10, 50, 100), row.expected)
            << row.a << " / " << row.b;
    }
}

TEST_F(NameFormTest, HashAddsSignedCharacterCodes)
{
    const NameCase ab{"", "AB", "", "", "", {}, 0};
    const NameCase accented{"", "/\xC3\xA9/", "", "", "", {}, 0};
    const NameCase empty{"", "", "", "", "", {}, 0};
    EXPECT_EQ(MakeName(ab)->HashText(), 'A' + 'B');
    EXPECT_EQ(MakeName(accented)->HashText(), 2 * '/' - 61 - 87);
    EXPECT_EQ(MakeName(empty)->HashText(), 0);
}

} // namespace
} // namespace text_field_test
