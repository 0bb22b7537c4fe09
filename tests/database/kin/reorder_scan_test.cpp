// tests/database/kin/reorder_scan_test.cpp: which kinds of dated items a record holds out of date
// order, and that the record's own re-ordering puts each kind found back in order.
#include "database/kin/reorder_scan.h"

#include "tests/database/gedcom/gedcom_test_support.h"

#include <gtest/gtest.h>

using namespace gedcom_test;

namespace {

constexpr ReorderKinds kAll{true, true, true, true};
constexpr ReorderKinds kNone{};
constexpr ReorderKinds kSpouses{true, false, false, false};
constexpr ReorderKinds kChildren{false, true, false, false};
constexpr ReorderKinds kEvents{false, false, true, false};
constexpr ReorderKinds kLds{false, false, false, true};

struct ScanCase {
    const char* name;
    /// The records after the header, lines separated by "|".
    const char* records;
    const char* checked; // the identifier of the record scanned
    ReorderKinds chosen;
    ReorderKinds expected;
};

std::string GedcomOf(const char* records)
{
    std::string text = "0 HEAD\r\n1 CHAR UTF-8\r\n";
    for (const char* c = records; *c; ++c)
        text += *c == '|' ? std::string("\r\n") : std::string(1, *c);
    return text + "\r\n0 TRLR\r\n";
}

CRecordNode* FindRecord(const std::string& id)
{
    for (int type : {RECORD_LIST_INDI, RECORD_LIST_FAM}) {
        for (CDataNode* node = GetRecordTypeRoot(type)->GetFirstChild(); node;
             node = node->GetNextSibling()) {
            auto* record = static_cast<CRecordNode*>(node);
            if (record->GetIdText() == id)
                return record;
        }
    }
    return nullptr;
}

// Two families of one man, each with a marriage date (or none), for the spouse cases.
#define MAN_OF(f1, f2, f3)                                                                         \
    "0 @I1@ INDI|1 NAME Tom /Hart/|1 SEX M|1 FAMS @F1@|1 FAMS @F2@|1 FAMS @F3@|"                   \
    "0 @F1@ FAM|1 HUSB @I1@" f1 "|0 @F2@ FAM|1 HUSB @I1@" f2 "|0 @F3@ FAM|1 HUSB @I1@" f3

const ScanCase kCases[] = {
    {"SecondMarriageDatedEarlier", MAN_OF("|1 MARR|2 DATE 1850", "|1 MARR|2 DATE 1845", ""), "I1",
     kAll, kSpouses},
    {"UndatedFamilyIsPassedOver", MAN_OF("", "|1 MARR|2 DATE 1845", "|1 MARR|2 DATE 1850"), "I1",
     kAll, kNone},
    {"UndatedFamilyDoesNotHideAnEarlierOne",
     MAN_OF("|1 MARR|2 DATE 1850", "|1 MARR", "|1 MARR|2 DATE 1849"), "I1", kAll, kSpouses},
    {"SpousesNotChosenAreNotReported", MAN_OF("|1 MARR|2 DATE 1850", "|1 MARR|2 DATE 1845", ""),
     "I1", kEvents, kNone},
    {"YoungerChildListedFirst",
     "0 @F1@ FAM|1 CHIL @I1@|1 CHIL @I2@|0 @I1@ INDI|1 BIRT|2 DATE 1880|1 FAMC @F1@|"
     "0 @I2@ INDI|1 BIRT|2 DATE 3 MAR 1875|1 FAMC @F1@",
     "F1", kAll, kChildren},
    {"ChildWithoutBirthOrTargetIsPassedOver",
     "0 @F1@ FAM|1 CHIL @I1@|1 CHIL @I2@|1 CHIL @I9@|1 CHIL @I3@|"
     "0 @I1@ INDI|1 BIRT|2 DATE 1870|1 FAMC @F1@|0 @I2@ INDI|1 DEAT|2 DATE 1860|1 FAMC @F1@|"
     "0 @I3@ INDI|1 BIRT|2 DATE 1871|1 FAMC @F1@",
     "F1", kAll, kNone},
    {"ChildrenAreNotLookedAtInAnIndividual", "0 @I1@ INDI|1 BIRT|2 DATE 1850|1 DEAT|2 DATE 1900",
     "I1", kChildren, kNone},
    {"DeathBeforeBirth", "0 @I1@ INDI|1 BIRT|2 DATE 1850|1 DEAT|2 DATE 1849", "I1", kAll, kEvents},
    {"BeforeAfterThePlainDateIsOutOfOrder", "0 @I1@ INDI|1 BIRT|2 DATE 1850|1 DEAT|2 DATE BEF 1850",
     "I1", kAll, kEvents},
    {"AfterAfterThePlainDateIsInOrder", "0 @I1@ INDI|1 BIRT|2 DATE 1850|1 DEAT|2 DATE AFT 1850",
     "I1", kAll, kNone},
    {"AboutCountsAsThePlainDate", "0 @I1@ INDI|1 BIRT|2 DATE ABT 1850|1 CHR|2 DATE 1850", "I1",
     kAll, kNone},
    {"UndatedEventsNeverBreakTheOrder",
     "0 @I1@ INDI|1 BIRT|2 DATE 1850|1 RESI|2 PLAC York|1 DEAT|2 DATE 1849", "I1", kAll, kEvents},
    {"FamilyEventsOutOfOrder", "0 @F1@ FAM|1 MARR|2 DATE 1850|1 DIV|2 DATE 1840", "F1", kAll,
     kEvents},
    {"OrdinancesOutOfOrder", "0 @I1@ INDI|1 BAPL|2 DATE 1900|1 ENDL|2 DATE 1890", "I1", kAll, kLds},
    {"OrdinancesAloneWhenOnlyTheyAreChosen",
     "0 @I1@ INDI|1 BIRT|2 DATE 1850|1 DEAT|2 DATE 1849|1 BAPL|2 DATE 1900|1 ENDL|2 DATE 1890",
     "I1", kLds, kLds},
};

class ReorderScanTest : public CGedcomTest, public testing::WithParamInterface<ScanCase> {};

TEST_P(ReorderScanTest, FindsTheKindsOutOfOrderAndReorderingPutsThemRight)
{
    const ScanCase& c = GetParam();
    // A link that leads nowhere is reported after loading; the report is declined.
    ASSERT_TRUE(Load(File("scan.ged", GedcomOf(c.records))));
    CRecordNode* record = FindRecord(c.checked);
    ASSERT_NE(record, nullptr);

    const ReorderKinds found = FindOutOfSequenceKinds(*record, c.chosen);

    EXPECT_EQ(found, c.expected);
    if (found.Any()) {
        EXPECT_TRUE(
            record->ReorderData(found.spouses, found.children, found.events, found.lds, false));
        EXPECT_FALSE(FindOutOfSequenceKinds(*record, found).Any());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReorderScanTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

class ReorderScan : public CGedcomTest {};

TEST_F(ReorderScan, IgnoresRecordsOtherThanIndividualsAndFamilies)
{
    ASSERT_TRUE(Load(File("note.ged", GedcomOf("0 @N1@ NOTE Text"))));
    const CDataNode* note = GetRecordTypeRoot(RECORD_LIST_NOTE)->GetFirstChild();
    ASSERT_NE(note, nullptr);
    EXPECT_FALSE(FindOutOfSequenceKinds(*static_cast<const CRecordNode*>(note), kAll).Any());
}

} // namespace
