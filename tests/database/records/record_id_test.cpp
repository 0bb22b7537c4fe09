// tests/database/records/record_id_test.cpp: tests of record identifiers: their standard form,
// numbering on load, duplicates and the id tools.
#include "database/nodes/change_hint.h"
#include "database/records/record_ids.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

using namespace record_test;

namespace {

struct StandardIdCase {
    const char* name;
    const char* first; // the identifier that teaches the prefix
    const char* id;
    bool standard;
    std::int32_t number;
};

class RecordIdStandardForm : public ::testing::TestWithParam<StandardIdCase> {};

TEST_P(RecordIdStandardForm, FollowsThePrefixLearnedFirst)
{
    const StandardIdCase& c = GetParam();
    CRecordIdState state;
    std::int32_t number = -1;
    ParseStandardId(state, c.first, number);
    EXPECT_EQ(ParseStandardId(state, c.id, number), c.standard);
    EXPECT_EQ(number, c.number);
}

INSTANTIATE_TEST_SUITE_P(
    Ids, RecordIdStandardForm,
    ::testing::Values(StandardIdCase{"Plain", "I1", "I12", true, 12},
                      StandardIdCase{"LeadingZeros", "I1", "I0012", true, 12},
                      StandardIdCase{"TrailingLetter", "I1", "I12a", false, 0},
                      StandardIdCase{"OtherLetter", "I1", "X12", false, 0},
                      StandardIdCase{"Zero", "I1", "I0", false, 0},
                      StandardIdCase{"NoDigits", "I1", "I", false, 0},
                      StandardIdCase{"TooLarge", "I1", "I2147483648", false, 0},
                      StandardIdCase{"Largest", "I1", "I2147483647", true, 2147483647},
                      // Up to nine digits the digits are read before they are tested.
                      StandardIdCase{"NineDigits", "I1", "I999999999", true, 999999999},
                      StandardIdCase{"TenDigits", "I1", "I1000000000", true, 1000000000},
                      StandardIdCase{"NineZeros", "I1", "I000000000", false, 0},
                      StandardIdCase{"TenDigitsLeadingZero", "I1", "I0000000042", true, 42},
                      StandardIdCase{"NonDigitAtNinth", "I1", "I12345678:", false, 0},
                      StandardIdCase{"ByteBelowZero", "I1", "I12/4", false, 0},
                      StandardIdCase{"HighByte", "I1",
                                     "I1\xC3\xA9"
                                     "2",
                                     false, 0},
                      StandardIdCase{"Blank", "I1", "I1 2", false, 0},
                      StandardIdCase{"Sign", "I1", "I-5", false, 0},
                      StandardIdCase{"FourLetterPrefix", "INDI1", "INDI77", true, 77},
                      StandardIdCase{"ShorterThanPrefix", "INDI1", "IND", false, 0},
                      StandardIdCase{"PrefixDiffersAtItsEnd", "INDI1", "INDX7", false, 0},
                      StandardIdCase{"PrefixIsCaseSensitive", "P1", "p3", false, 0},
                      StandardIdCase{"NoPrefix", "17", "42", true, 42},
                      StandardIdCase{"NoPrefixRefusesLetters", "17", "I42", false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

/// The standard form read one byte at a time: the prefix, then decimal digits worth 1 to
/// 2147483647.
bool ReferenceStandardId(std::string_view prefix, std::string_view id, std::int32_t& number)
{
    number = 0;
    if (!id.starts_with(prefix) || id.size() == prefix.size())
        return false;
    std::int64_t value = 0;
    for (const char c : id.substr(prefix.size())) {
        if (c < '0' || c > '9')
            return false;
        value = std::min<std::int64_t>(value * 10 + (c - '0'), std::int64_t(1) << 40);
    }
    if (value < 1 || value > 2147483647)
        return false;
    number = std::int32_t(value);
    return true;
}

TEST(RecordIdStandardFormTest, EveryLengthAndEveryStrayByteReadsAsByteByByte)
{
    // Identifiers of eight bytes or more have their digits read a word at a time: every digit
    // count, with each kind of stray byte at each place, reads as the plain reading does.
    for (const std::string prefix : {"", "I", "SU", "SUB", "INDI"}) {
        CRecordIdState state;
        std::int32_t number = 0;
        ParseStandardId(state, prefix + "1", number);
        for (std::size_t digits = 1; digits <= 12; ++digits) {
            std::string base;
            for (std::size_t i = 0; i < digits; ++i)
                base += char('1' + (i * 7 + digits) % 9);
            std::vector<std::string> ids = {prefix + base, prefix + std::string(digits, '0'),
                                            prefix + std::string(digits, '9')};
            for (std::size_t at = 0; at < digits; ++at) {
                for (const char stray : {'/', ':', 'a', '\xC3', ' ', '\0', '\x7F', '\xB9'}) {
                    std::string id = prefix + base;
                    id[prefix.size() + at] = stray;
                    ids.push_back(id);
                }
            }
            // The prefix is compared as a word: each of its letters changed, and its case.
            for (std::size_t at = 0; at < prefix.size(); ++at) {
                for (const char other : {'J', 'i', '1', '\0'}) {
                    std::string id = prefix + base;
                    id[at] = other;
                    ids.push_back(id);
                }
            }
            for (const std::string& id : ids) {
                // An exact copy on the heap, so that a read past the identifier shows under the
                // address sanitizer.
                const std::unique_ptr<char[]> exact(new char[id.size()]);
                std::memcpy(exact.get(), id.data(), id.size());
                std::int32_t expected = -1;
                const bool standard = ReferenceStandardId(prefix, id, expected);
                std::int32_t read = -1;
                EXPECT_EQ(ParseStandardId(state, std::string_view(exact.get(), id.size()), read),
                          standard)
                    << prefix << " " << id;
                EXPECT_EQ(read, expected) << id;
            }
        }
    }
}

TEST(RecordIdStandardFormTest, NumbersAreWrittenAsToCharsWritesThemWithinTenBytes)
{
    // Every number below two million, the numbers around each power of ten, and a stride
    // through the rest of the positive numbers, each into exactly ten bytes on the heap, so
    // that a write past them shows under the address sanitizer.
    std::vector<std::uint32_t> numbers;
    for (std::uint32_t n = 0; n < 2000000; ++n)
        numbers.push_back(n);
    for (std::uint64_t power = 10; power <= 1000000000; power *= 10) {
        for (std::uint64_t n = power - 3; n <= power + 3; ++n)
            numbers.push_back(std::uint32_t(n));
    }
    for (std::uint64_t n = 2000000; n <= 2147483647; n += 977)
        numbers.push_back(std::uint32_t(n));
    numbers.push_back(2147483647);
    const std::unique_ptr<char[]> room(new char[10]);
    for (const std::uint32_t n : numbers) {
        char expected[16];
        const char* expectedEnd = std::to_chars(expected, expected + sizeof expected, n).ptr;
        const char* end = PutRecordNumber(room.get(), n);
        ASSERT_EQ(std::string_view(room.get(), std::size_t(end - room.get())),
                  std::string_view(expected, std::size_t(expectedEnd - expected)));
    }
}

class RecordIdLoadTest : public CRecordTest {};

TEST_F(RecordIdLoadTest, StandardIdsNumberRecordsAndRaiseTheCounter)
{
    CRecordNode* first = LoadRecord(kIndi, "I7");
    CRecordNode* second = LoadRecord(kIndi, "I3");
    EXPECT_EQ(first->GetRecordNumber(), 7);
    EXPECT_EQ(second->GetRecordNumber(), 3);
    EXPECT_EQ(GetRecordIdState(kIndi)->m_counter, 7);
    EXPECT_EQ(FindLoadedRecord(kIndi, 3), second);
    EXPECT_EQ(GetRecordIdState(kFam)->m_counter, 0) << "each type keeps its own state";
}

TEST_F(RecordIdLoadTest, DuplicatesAreFlaggedAndTheFirstRecordKeepsTheId)
{
    CRecordNode* first = LoadRecord(kFam, "F5");
    const LoadedRecordId again = TakeLoadedRecordId(*NewRecord(kFam), kFam, "F5");
    EXPECT_TRUE(again.m_duplicate);
    EXPECT_TRUE(GetRecordIdState(kFam)->m_duplicateFound);
    EXPECT_EQ(FindLoadedRecord(kFam, 5), first);
    LoadRecord(kNote, "N1");
    EXPECT_FALSE(GetRecordIdState(kNote)->m_duplicateFound);
}

TEST_F(RecordIdLoadTest, NonStandardIdsAreNumberedAfterTheLoad)
{
    CRecordNode* p1 = LoadRecord(kIndi, "P1");
    CRecordNode* i2 = LoadRecord(kIndi, "I2");
    CRecordNode* none = LoadRecord(kIndi, "");
    CRecordNode* p9 = LoadRecord(kIndi, "P9");
    EXPECT_TRUE(i2->HasTextId());
    EXPECT_EQ(FindLoadedRecord(kIndi, std::string_view("I2")), i2);
    EXPECT_TRUE(FinishLoadedRecordIds());
    EXPECT_EQ(p1->GetRecordNumber(), 1);
    EXPECT_EQ(i2->GetRecordNumber(), 10);
    EXPECT_EQ(none->GetRecordNumber(), 11);
    EXPECT_EQ(p9->GetRecordNumber(), 9);
    EXPECT_FALSE(i2->HasTextId());
    EXPECT_EQ(FindLoadedRecord(kIndi, 1), nullptr) << "the maps are emptied";
    EXPECT_EQ(GetRecordIdState(kIndi)->m_counter, 11);
}

TEST_F(RecordIdLoadTest, TextIdsKeepTheNumbersTheyTookAsTheyWereRead)
{
    CRecordNode* x = LoadRecord(kIndi, "X-1");
    CRecordNode* y = LoadRecord(kIndi, "Y");
    CRecordNode* f = LoadRecord(kFam, "F-9");
    CRecordNode* o = LoadRecord(kObje, "M-3");
    EXPECT_EQ(o->GetRecordNumber(), 0) << "multimedia records are numbered at the end";
    EXPECT_TRUE(FinishLoadedRecordIds());
    EXPECT_EQ(x->GetRecordNumber(), 1);
    EXPECT_EQ(y->GetRecordNumber(), 2);
    EXPECT_EQ(f->GetRecordNumber(), 1);
    EXPECT_EQ(o->GetRecordNumber(), 1);
    EXPECT_FALSE(x->HasTextId());
    EXPECT_EQ(GetRecordIdState(kIndi)->m_counter, 2);
    EXPECT_EQ(GetRecordIdState(kFam)->m_counter, 1);
}

TEST_F(RecordIdLoadTest, TextIdsAreRenumberedInOrderWhenOtherRecordsAreAmongThem)
{
    // The type's records in order, each with the number the end of the load must give it:
    // text identifiers mixed with a standard one, with a record without one, with a record
    // made during the load, and with one destroyed while another is made.
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::int32_t>> records; // "" none, "*" made
        const char* destroyed;
    };
    const Case cases[] = {
        {"Standard", {{"X", 6}, {"X5", 5}, {"Y", 7}}, nullptr}, // "X" teaches the prefix
        {"WithoutId", {{"X", 1}, {"", 2}, {"Y", 3}}, nullptr},
        {"MadeLast", {{"X", 1}, {"Y", 2}, {"*", 3}}, nullptr},
        {"DestroyedAndMade", {{"X", 1}, {"W", 0}, {"*", 2}, {"Y", 3}}, "W"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteAllRecords();
        std::vector<CRecordNode*> records;
        for (const auto& [xref, number] : c.records) {
            if (xref == "*") {
                const CLoading loading;
                records.push_back(NewRecord(kIndi));
            } else {
                records.push_back(LoadRecord(kIndi, xref));
            }
        }
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (c.destroyed && c.records[i].first == c.destroyed) {
                GetRecordTypeRoot(kIndi)->UnlinkChild(records[i], false);
                DestroyNodeTree(records[i]);
                records[i] = nullptr;
            }
        }
        FinishLoadedRecordIds();
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (records[i]) {
                EXPECT_EQ(records[i]->GetRecordNumber(), c.records[i].second) << i;
            }
        }
    }
    // A link to a standard identifier that no record has keeps its number, which the records
    // with text identifiers then pass.
    DeleteAllRecords();
    CRecordNode* first = LoadRecord(kFam, "F-1");
    CRecordNode* second = LoadRecord(kFam, "F-2");
    LoadLink(LoadRecord(kIndi, "I1"), "FAMS", "@F7@");
    EXPECT_EQ(ResolveLinkTargets(nullptr, nullptr, nullptr), 1);
    FinishLoadedRecordIds();
    EXPECT_EQ(first->GetRecordNumber(), 8);
    EXPECT_EQ(second->GetRecordNumber(), 9);
}

TEST_F(RecordIdLoadTest, RecordsWithoutIdsOnlyAreNotCalledRenumbered)
{
    CRecordNode* none = LoadRecord(kSour, "");
    EXPECT_FALSE(FinishLoadedRecordIds());
    EXPECT_EQ(none->GetRecordNumber(), 1);
}

TEST_F(RecordIdLoadTest, ADestroyedRecordLeavesTheMaps)
{
    CRecordNode* standard = LoadRecord(kIndi, "I4");
    CRecordNode* text = LoadRecord(kIndi, "X-4");
    for (CRecordNode* record : {standard, text}) {
        GetRecordTypeRoot(kIndi)->UnlinkChild(record, false);
        DestroyNodeTree(record);
    }
    EXPECT_EQ(FindLoadedRecord(kIndi, 4), nullptr);
    EXPECT_EQ(FindLoadedRecord(kIndi, std::string_view("X-4")), nullptr);
}

struct NumberMapCase {
    const char* name;
    std::vector<std::int32_t> numbers; // inserted in this order; a repeat must be refused
};

class RecordNumberMapTest : public ::testing::TestWithParam<NumberMapCase> {};

TEST_P(RecordNumberMapTest, EveryNumberFindsItsFirstRecordUntilErased)
{
    const NumberMapCase& c = GetParam();
    std::vector<int> records(c.numbers.size());
    const auto recordOf = [&](std::size_t i) {
        return reinterpret_cast<CRecordNode*>(&records[i]);
    };
    std::map<std::int32_t, CRecordNode*> expected;
    CRecordNumberMap map;
    map.Reset(4);
    for (std::size_t i = 0; i < c.numbers.size(); ++i) {
        const bool fresh = expected.emplace(c.numbers[i], recordOf(i)).second;
        EXPECT_EQ(map.Insert(c.numbers[i], recordOf(i)), fresh) << c.numbers[i];
    }
    for (const auto& [number, record] : expected)
        EXPECT_EQ(map.Find(number), record) << number;
    EXPECT_EQ(map.Find(999999), nullptr);
    std::map<std::int32_t, CRecordNode*> visited;
    map.ForEach([&visited](std::int32_t number, CRecordNode* record) {
        EXPECT_TRUE(visited.emplace(number, record).second) << number;
    });
    EXPECT_EQ(visited, expected);
    EXPECT_TRUE(map.EraseRecord(expected.begin()->second));
    EXPECT_FALSE(map.EraseRecord(expected.begin()->second));
    EXPECT_EQ(map.Find(expected.begin()->first), nullptr);
    expected.erase(expected.begin());
    for (const auto& [number, record] : expected) {
        map.Erase(number, recordOf(0) == record ? nullptr : recordOf(0));
        EXPECT_EQ(map.Find(number), record) << "another record's erase leaves " << number;
        map.Erase(number, record);
        EXPECT_EQ(map.Find(number), nullptr) << number;
    }
}

std::vector<std::int32_t> Run(std::int32_t first, std::int32_t last)
{
    std::vector<std::int32_t> numbers;
    for (std::int32_t n = first; n <= last; ++n)
        numbers.push_back(n);
    return numbers;
}

std::vector<std::int32_t> Joined(std::vector<std::int32_t> a, const std::vector<std::int32_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

/// Copies of one numbering, copy k's numbers raised by k x 1,000,000.
std::vector<std::int32_t> Copies(std::int32_t copies, std::int32_t each)
{
    std::vector<std::int32_t> numbers;
    for (std::int32_t k = 0; k < copies; ++k)
        numbers = Joined(numbers, Run(k * 1000000 + 1, k * 1000000 + each));
    return numbers;
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, RecordNumberMapTest,
    ::testing::Values(NumberMapCase{"Dense", Run(1, 3000)},
                      NumberMapCase{"FromZero", Joined(Run(0, 40), {0, 40, 41})},
                      NumberMapCase{"Descending", {3000, 2999, 5, 4, 3, 2, 1}},
                      NumberMapCase{"Far", {1, 2000000000, 2147483647, 2}},
                      NumberMapCase{"FarThenCovered", Joined({5000, 5000}, Run(1, 6000))},
                      NumberMapCase{"Repeats", {7, 7, 2000000000, 2000000000, 1, 7}},
                      NumberMapCase{"Copies", Joined(Copies(6, 700), {1000001, 5000700})},
                      NumberMapCase{"ThousandsOfPages", Copies(400, 600)},
                      NumberMapCase{"PagedThenCovered",
                                    Joined(Joined(Run(1, 300), Run(2000, 4000)), {2000, 2100})},
                      NumberMapCase{"Scattered", Joined(Copies(40, 1), Run(1, 50))},
                      // Numbers that went to the hash map while pages were refused, then pages
                      // made around them once the records filled up, and one of them repeated
                      // right after its page was last used.
                      NumberMapCase{
                          "FarThenPaged",
                          Joined(Copies(40, 1), Joined(Copies(40, 300), {39000002, 39000001}))}),
    [](const auto& info) { return std::string(info.param.name); });

struct TextIdCase {
    const char* name;
    std::vector<std::string> texts; // inserted in this order; a repeat must be refused
};

class RecordTextIdsTest : public ::testing::TestWithParam<TextIdCase> {};

TEST_P(RecordTextIdsTest, EveryTextFindsItsFirstRecordUntilErased)
{
    const TextIdCase& c = GetParam();
    std::vector<int> records(c.texts.size());
    const auto recordOf = [&](std::size_t i) {
        return reinterpret_cast<CRecordNode*>(&records[i]);
    };
    std::map<std::string, CRecordNode*> expected;
    CRecordTextIds ids;
    for (std::size_t i = 0; i < c.texts.size(); ++i) {
        const bool fresh = expected.emplace(c.texts[i], recordOf(i)).second;
        EXPECT_EQ(ids.Insert(c.texts[i], recordOf(i)), fresh) << c.texts[i];
    }
    for (const auto& [text, record] : expected)
        EXPECT_EQ(ids.Find(text), record) << text;
    EXPECT_EQ(ids.Find("C0_I0"), nullptr);
    EXPECT_EQ(ids.Find("none"), nullptr);
    std::map<std::string, CRecordNode*> visited;
    ids.ForEach([&visited](std::string_view text, CRecordNode* record) {
        EXPECT_TRUE(visited.emplace(std::string(text), record).second) << text;
    });
    EXPECT_EQ(visited, expected);
    for (const auto& [text, record] : expected) {
        ids.Erase(record);
        EXPECT_EQ(ids.Find(text), nullptr) << text;
    }
    EXPECT_TRUE(ids.Empty());
    EXPECT_TRUE(ids.Insert(c.texts.front(), recordOf(0))) << "an erased text can come again";
    ids.Clear();
    EXPECT_EQ(ids.Find(c.texts.front()), nullptr);
}

TEST_P(RecordTextIdsTest, AHeldTextFindsWhatItsTextFinds)
{
    // Links hold their texts before and after the records come (a record may be read after the
    // links to it), and must find the record the text finds, whichever form each took.
    const TextIdCase& c = GetParam();
    std::vector<int> records(c.texts.size());
    CRecordTextIds ids;
    std::vector<std::pair<std::string, std::uint64_t>> held;
    for (std::size_t i = 0; i < c.texts.size(); ++i) {
        const std::string& text = c.texts[i];
        if (i % 2 == 0)
            held.emplace_back(text, ids.Hold(text));
        ids.Insert(text, reinterpret_cast<CRecordNode*>(&records[i]));
        held.emplace_back(text + "9", ids.Hold(text + "9"));
        held.emplace_back(text, ids.Hold(text));
    }
    for (const auto& [text, word] : held) {
        EXPECT_EQ(word & 3, 0u);
        EXPECT_EQ(ids.FindHeld(word), ids.Find(text)) << text;
        std::string kept = "@";
        EXPECT_TRUE(ids.AppendHeldText(word, kept));
        EXPECT_EQ(kept, "@" + text);
    }
    ids.Clear();
    std::string kept;
    EXPECT_FALSE(ids.AppendHeldText(held.front().second, kept));
    EXPECT_EQ(ids.FindHeld(held.front().second), nullptr);
}

TEST_P(RecordTextIdsTest, TheInlineMatchOfTheLastGroupAgreesWithInsertAndHold)
{
    // A load's records and links try the group met last inline first and take the general way
    // only when that fails; both ways must map and hold every text alike.
    const TextIdCase& c = GetParam();
    std::vector<int> records(c.texts.size());
    CRecordTextIds general;
    CRecordTextIds inlined;
    for (std::size_t i = 0; i < c.texts.size(); ++i) {
        const std::string& text = c.texts[i];
        auto* record = reinterpret_cast<CRecordNode*>(&records[i]);
        std::int32_t number = 0;
        const bool matched = inlined.MatchLastGroup(text, 0, 0, number);
        EXPECT_EQ(matched ? inlined.InsertInLastGroup(text, number, record)
                          : inlined.Insert(text, record),
                  general.Insert(text, record))
            << text;
        for (const std::string& link : {text, text + "9", text + "0"}) {
            const std::uint64_t word = inlined.MatchLastGroup(link, 0, 0, number)
                                           ? inlined.HeldInLastGroup(number)
                                           : inlined.Hold(link);
            EXPECT_EQ(word, general.Hold(link)) << link;
        }
    }
    for (const std::string& text : c.texts)
        EXPECT_EQ(inlined.Find(text), general.Find(text)) << text;
}

TEST(RecordTextIdsMatch, AGroupWithTheStandardPrefixIsNeverMatchedInline)
{
    int record = 0;
    CRecordTextIds ids;
    ASSERT_TRUE(ids.Insert("I5", reinterpret_cast<CRecordNode*>(&record)));
    std::int32_t number = 0;
    EXPECT_FALSE(ids.MatchLastGroup("I1234", 'I', 1, number));
    EXPECT_TRUE(ids.MatchLastGroup("I1234", 'J', 1, number));
    EXPECT_EQ(number, 1234);
    EXPECT_TRUE(ids.MatchLastGroup("I1234", 'I', 2, number));
}

/// Texts "prefix" + 1 .. count.
std::vector<std::string> Numbered(const std::string& prefix, int count)
{
    std::vector<std::string> texts;
    for (int n = 1; n <= count; ++n)
        texts.push_back(prefix + std::to_string(n));
    return texts;
}

std::vector<std::string> JoinedTexts(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

/// One text each with a prefix of its own ("A1", "B1", ... then "AA1", ...).
std::vector<std::string> OwnPrefixes(int count)
{
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i)
        texts.push_back(std::string(std::size_t(1 + i / 26), char('A' + i % 26)) + "1");
    return texts;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RecordTextIdsTest,
    ::testing::Values(
        TextIdCase{"Copies", JoinedTexts(JoinedTexts(Numbered("C0_I", 600), Numbered("C1_I", 600)),
                                         {"C0_I7", "C1_I600", "C2_F1"})},
        TextIdCase{"LeadingZerosAreOtherTexts",
                   {"I12", "I012", "I0012", "I0", "I00", "I", "12", "012", "I12", "I012"}},
        TextIdCase{"TenDigits", {"X1234567890", "X234567890", "X1234567890", "1234567890"}},
        TextIdCase{"Long",
                   {std::string(1000, 'x'), std::string(999, 'x') + "7", std::string(1000, 'x'),
                    std::string(70000, 'y') + "1"}},
        TextIdCase{"ManyPrefixes", JoinedTexts(OwnPrefixes(300), OwnPrefixes(300))},
        TextIdCase{"Mixed", {"P-1", "@", "C0_I1", "P-1", "C0_I1", "abc", "C0_I2"}},
        // Texts that start like the group met last: only its prefix followed by one to nine
        // digits, the first not a zero, joins it; a repeat is refused.
        TextIdCase{"AfterAGroup",
                   {"Person_1", "Person_12345678", "Person_123456789", "Person_0123", "Person_12a4",
                    "Person_1234567890", "Persom_12", "Person12", "Person_1x", "Person_",
                    "Person_7", "Person_12345678", "Person_0123", "Person12"}},
        // The same for texts shorter than eight bytes, read as two words that may overlap.
        TextIdCase{"ShortAfterAGroup",
                   {"P_1", "P_12", "P_1234", "P_12345", "P_0", "P_01", "P_1a", "Q_12", "P_", "P12",
                    "PP_1", "P_12", "P_123456", "Q_1", "Q_2", "P_3", "Q_12"}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- The tools ----------------------------------------------------------------------------

class RecordIdToolTest : public CRecordTest {
protected:
    std::vector<std::int32_t> Numbers(int listIndex)
    {
        std::vector<std::int32_t> numbers;
        for (CDataNode* node = GetRecordTypeRoot(listIndex)->GetFirstChild(); node;
             node = node->GetNextSibling())
            numbers.push_back(static_cast<CRecordNode*>(node)->GetRecordNumber());
        return numbers;
    }
    void AddRefn(CRecordNode* record, const char* value)
    {
        record->CreateChildById(FIELD_REFN)->SetText(value);
    }
};

TEST_F(RecordIdToolTest, RenumberGivesOneToNInListOrder)
{
    for (const char* id : {"I40", "I7", "I12"})
        LoadRecord(kIndi, id);
    FinishLoadedRecordIds();
    EXPECT_TRUE(RenumberRecordIds(kIndi));
    EXPECT_EQ(Numbers(kIndi), (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(GetRecordIdState(kIndi)->m_counter, 3);
    EXPECT_EQ(m_observer.m_hints, std::vector<LPARAM>{kHintViewsRedrawn});
}

TEST_F(RecordIdToolTest, RenumberWithoutRecordsSaysSoAndChangesNothing)
{
    GetRecordIdState(kRepo)->m_counter = 9;
    const EngineOutcome outcome = RenumberRecordIds(kRepo);
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.message, "There are no records of this type");
    EXPECT_EQ(GetRecordIdState(kRepo)->m_counter, 9);
    EXPECT_TRUE(m_observer.m_hints.empty());
}

TEST_F(RecordIdToolTest, NumbersKeptByDanglingReferencesAreNeverGiven)
{
    CRecordNode* individual = LoadRecord(kIndi, "I1");
    LoadLink(individual, "FAMS", "@F2@");
    LoadRecord(kFam, "F5");
    LoadRecord(kFam, "F6");
    ResolveLinkTargets(nullptr, nullptr, nullptr);
    FinishLoadedRecordIds();
    EXPECT_TRUE(RenumberRecordIds(kFam));
    EXPECT_EQ(Numbers(kFam), (std::vector<std::int32_t>{1, 3}));
}

TEST_F(RecordIdToolTest, CopyWritesEachNumberIntoTheField)
{
    CRecordNode* first = NewRecord(kIndi);
    CRecordNode* second = NewRecord(kIndi);
    AddRefn(second, "old");
    NotifyChanges();
    m_observer.m_hints.clear();
    EXPECT_TRUE(CopyRecordIdsToField(kIndi, FIELD_REFN));
    std::string text;
    first->FindChild(nullptr, FIELD_REFN)->GetText(text, 0);
    EXPECT_EQ(text, "1");
    second->FindChild(nullptr, FIELD_REFN)->GetText(text, 0);
    EXPECT_EQ(text, "2");
    EXPECT_EQ(second->CountChildren(FIELD_REFN), 1);
    EXPECT_EQ(m_observer.m_hints, std::vector<LPARAM>{kHintRecordsEdited});
}

TEST_F(RecordIdToolTest, ACopyCutShortIsStillAnnounced)
{
    // Sources have no ABBR under individuals: the first individual is given one by hand, the
    // second cannot take one.
    CRecordNode* first = NewRecord(kIndi);
    NewRecord(kIndi);
    first->AppendChild(CreateNodeFromDef(test_support::DefByPath("SOUR.ABBR"), false, nullptr),
                       false);
    NotifyChanges();
    m_observer.m_hints.clear();
    EXPECT_FALSE(CopyRecordIdsToField(kIndi, FIELD_ABBR));
    std::string text;
    first->FindChild(nullptr, FIELD_ABBR)->GetText(text, 0);
    EXPECT_EQ(text, "1");
    EXPECT_EQ(m_observer.m_hints, std::vector<LPARAM>{kHintRecordsEdited});
}

TEST_F(RecordIdToolTest, GenerateTakesUsableValuesAndNumbersTheRestAbove)
{
    const char* values[] = {"5", "5", "abc", nullptr, "  42", "1000000001"};
    for (const char* value : values) {
        CRecordNode* record = NewRecord(kIndi);
        if (value)
            AddRefn(record, value);
    }
    const EngineOutcome asked = GenerateRecordIds(kIndi, FIELD_REFN, false);
    const EngineOutcome done = GenerateRecordIds(kIndi, FIELD_REFN, true);
    EXPECT_TRUE(done);
    EXPECT_EQ(Numbers(kIndi), (std::vector<std::int32_t>{5, 43, 44, 45, 42, 46}));
    EXPECT_EQ(GetRecordIdState(kIndi)->m_counter, 46);
    EXPECT_EQ(asked.question,
              "Warning: 3 record(s) have no Custom Id field value (or the value is not numeric).  "
              "A further 1 record(s) have a numeric Custom Id field value but it is a duplicate "
              "of another Custom Id field value and cannot be used.  Ardenvel will ensure that "
              "each record is assigned a unique record id, by generating them for records which "
              "have no usable Custom Id field value.  Press OK to confirm that you wish to "
              "proceed.");
    EXPECT_EQ(done.message, "Record Ids have been generated successfully.");
}

TEST_F(RecordIdToolTest, GenerateUnconfirmedAsksAndChangesNothing)
{
    CRecordNode* record = NewRecord(kIndi);
    AddRefn(record, "8");
    const EngineOutcome outcome = GenerateRecordIds(kIndi, FIELD_REFN, false);
    EXPECT_FALSE(outcome);
    EXPECT_EQ(record->GetRecordNumber(), 1);
    EXPECT_EQ(outcome.question, "Press to confirm that you wish to proceed");
}

TEST_F(RecordIdToolTest, GenerateTreatsAReservedNumberAsTaken)
{
    CRecordNode* individual = LoadRecord(kIndi, "I1");
    LoadLink(individual, "FAMS", "@F3@");
    ResolveLinkTargets(nullptr, nullptr, nullptr);
    FinishLoadedRecordIds();
    AddRefn(NewRecord(kFam), "3");
    EXPECT_FALSE(GenerateRecordIds(kFam, FIELD_NAME, true)) << "only REFN and RIN are offered";
    const EngineOutcome asked = GenerateRecordIds(kFam, FIELD_REFN, false);
    EXPECT_TRUE(GenerateRecordIds(kFam, FIELD_REFN, true));
    EXPECT_EQ(Numbers(kFam), std::vector<std::int32_t>{1});
    EXPECT_EQ(GetRecordIdState(kFam)->m_counter, 3);
    EXPECT_EQ(asked.question.substr(0, 60),
              "Warning: Although all records have a numeric Custom Id field");
}

} // namespace
