// tests/database/kin/event_order_test.cpp: tests of the orders of the lists of facts and objects:
// lists filled row by row, as the pages and reports fill them, by date, age, text and as stored.
#include "database/kin/event_order.h"

#include "database/dates/date_value.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

/// A row arriving in a list and the name it is known by in the expected order.
struct Arrival {
    std::string name;
    COrderRow row;
};

/// Inserts each row where FindRowPosition puts it and gives the names in list order.
std::vector<std::string> Fill(ERowOrder order, const std::vector<Arrival>& arrivals)
{
    std::vector<COrderRow> rows;
    std::vector<std::string> names;
    for (const Arrival& arrival : arrivals) {
        const std::size_t at = FindRowPosition(order, rows, arrival.row);
        EXPECT_LE(at, rows.size()) << arrival.name;
        rows.insert(rows.begin() + std::ptrdiff_t(at), arrival.row);
        names.insert(names.begin() + std::ptrdiff_t(at), arrival.name);
    }
    return names;
}

/// Rows known by their Age text; "birth" is the individual's own birth without an age.
std::vector<Arrival> Ages(const std::vector<std::string>& texts)
{
    std::vector<Arrival> arrivals;
    for (const std::string& text : texts)
        arrivals.push_back(text == "birth" ? Arrival{text, {nullptr, "", true}}
                                           : Arrival{text, {nullptr, text, false}});
    return arrivals;
}

TEST(EventOrderTest, AgesSortSinglesBeforeRangesAndTheBirthBeforeTheFirstAgeOfZeroOrMore)
{
    struct Case {
        std::vector<std::string> arrivals;
        std::vector<std::string> order;
    };
    const std::vector<Case> cases = {
        {{"23", "23-24", "23"}, {"23", "23", "23-24"}},
        {{"23-24", "23", "23 - 25"}, {"23", "23-24", "23 - 25"}},
        {{"30", "5", "birth", "0"}, {"birth", "0", "5", "30"}},
        {{"birth", "-1", "12"}, {"-1", "birth", "12"}},
        {{"-3", "birth", "200"}, {"-3", "birth", "200"}},
        {{"", "40 (!)", "7", "x"}, {"7", "40 (!)", "", "x"}},
        {{"2", "", "birth"}, {"birth", "2", ""}},
        {{"-1 (!)", "-2 (!)", "1"}, {"-2 (!)", "-1 (!)", "1"}},
        {{"9", "10", "100", "19"}, {"9", "10", "19", "100"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Fill(ERowOrder::Age, Ages(c.arrivals)), c.order) << c.order.front();
}

TEST(EventOrderTest, TwentyEqualAgesKeepTheirOrderOfArrival)
{
    std::vector<Arrival> arrivals;
    std::vector<std::string> expected;
    for (int i = 0; i < 20; ++i) {
        const std::string name = "e" + std::to_string(i);
        arrivals.push_back({name, {nullptr, i % 2 ? "30" : "30 ", false}});
        expected.push_back(name);
    }
    arrivals.insert(arrivals.begin() + 7, {"range", {nullptr, "30-31", false}});
    arrivals.insert(arrivals.begin() + 3, {"younger", {nullptr, "29", false}});
    expected.push_back("range");
    expected.insert(expected.begin(), "younger");
    EXPECT_EQ(Fill(ERowOrder::Age, arrivals), expected);
}

TEST(EventOrderTest, AgeTextsReadFromTheirFirstDigit)
{
    struct Case {
        const char* text;
        bool hasAge;
        int age;
        bool range;
    };
    const std::vector<Case> cases = {
        {"", false, 0, false},     {"(!)", false, 0, false},    {"-3", true, -3, false},
        {"200", true, 200, false}, {"29 -30", true, 29, true},  {"29 (!)", true, 29, false},
        {"abt 7", true, 7, false}, {"-1 (!)", true, -1, false}, {"7-", true, 7, true},
        {"x-4", true, -4, false},  {"4 - 5", true, 4, true},    {"04", true, 4, false},
    };
    for (const Case& c : cases) {
        const std::optional<CAgeText> age = ParseAgeText(c.text);
        ASSERT_EQ(age.has_value(), c.hasAge) << c.text;
        if (age) {
            EXPECT_EQ(age->m_age, c.age) << c.text;
            EXPECT_EQ(age->m_range, c.range) << c.text;
        }
    }
    const std::optional<CAgeText> huge = ParseAgeText("99999999999999");
    ASSERT_TRUE(huge.has_value());
    EXPECT_GT(huge->m_age, 0) << "a long run of digits does not overflow";
}

COrderRow Dated(const CDateValue* date)
{
    COrderRow row;
    row.m_date = date;
    return row;
}

CDateValue Year(int value)
{
    CDateValue date;
    date.SetValid(true);
    date.SetYear(value);
    return date;
}

TEST(EventOrderTest, DatedRowsStayInOrderAfterEqualDatesAndBeforeUndatedOnes)
{
    const CDateValue y1850 = Year(1850), y1900 = Year(1900), y1900b = Year(1900),
                     y2000 = Year(2000), y1700 = Year(1700);
    struct Case {
        std::vector<Arrival> arrivals;
        std::vector<std::string> order;
    };
    const std::vector<Case> cases = {
        {{{"1900", Dated(&y1900)},
          {"none", {}},
          {"1850", Dated(&y1850)},
          {"1900b", Dated(&y1900b)}},
         {"1850", "1900", "1900b", "none"}},
        {{{"none1", {}}, {"2000", Dated(&y2000)}, {"none2", {}}, {"1700", Dated(&y1700)}},
         {"1700", "2000", "none1", "none2"}},
        {{{"2000", Dated(&y2000)}, {"1850", Dated(&y1850)}, {"1700", Dated(&y1700)}},
         {"1700", "1850", "2000"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Fill(ERowOrder::Date, c.arrivals), c.order) << c.order.front();
}

TEST(EventOrderTest, TwentyEqualDatesKeepTheirOrderOfArrival)
{
    const CDateValue y1900 = Year(1900), y1899 = Year(1899);
    std::vector<Arrival> arrivals;
    std::vector<std::string> expected;
    for (int i = 0; i < 20; ++i) {
        arrivals.push_back({"e" + std::to_string(i), Dated(&y1900)});
        expected.push_back(arrivals.back().name);
    }
    arrivals.insert(arrivals.begin() + 11, {"earlier", Dated(&y1899)});
    expected.insert(expected.begin(), "earlier");
    EXPECT_EQ(Fill(ERowOrder::Date, arrivals), expected);
}

TEST(EventOrderTest, TextsSortWithoutRegardToCaseAndKeepTheirArrivalAmongEquals)
{
    auto texts = [](const std::vector<std::string>& names) {
        std::vector<Arrival> arrivals;
        for (const std::string& name : names)
            arrivals.push_back({name, {nullptr, name, false}});
        return arrivals;
    };
    struct Case {
        std::vector<std::string> arrivals;
        std::vector<std::string> order;
    };
    const std::vector<Case> cases = {
        {{"Census", "burial", "Baptism", "birth", "Adoption"},
         {"Adoption", "Baptism", "birth", "burial", "Census"}},
        {{"Residence at the old mill", "Residence at the old farm", "Residence at the old MILL"},
         {"Residence at the old farm", "Residence at the old mill", "Residence at the old MILL"}},
        {{"Birth", "BIRTH", "birth", "Birth of son Al"},
         {"Birth", "BIRTH", "birth", "Birth of son Al"}},
        {{"", "Death", ""}, {"", "", "Death"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Fill(ERowOrder::Text, texts(c.arrivals)), c.order) << c.order.front();

    std::vector<std::string> equal;
    for (int i = 0; i < 20; ++i)
        equal.push_back(i % 3 == 0   ? "Occupation: Miller"
                        : i % 3 == 1 ? "OCCUPATION: MILLER"
                                     : "occupation: miller");
    std::vector<Arrival> arrivals = texts(equal);
    for (int i = 0; i < 20; ++i)
        arrivals[std::size_t(i)].name += std::to_string(i);
    std::vector<std::string> expected;
    for (const Arrival& arrival : arrivals)
        expected.push_back(arrival.name);
    EXPECT_EQ(Fill(ERowOrder::Text, arrivals), expected) << "twenty equal texts";
}

TEST(EventOrderTest, TheStoredOrderAppendsWhateverTheKeys)
{
    const CDateValue y1850 = Year(1850);
    EXPECT_EQ(Fill(ERowOrder::Stored,
                   {{"b", {nullptr, "2", false}}, {"a", {&y1850, "1", true}}, {"c", {}}}),
              (std::vector<std::string>{"b", "a", "c"}));
}

} // namespace
