// tests/database/gedcom/gedcom_hostile_test.cpp: files no program should have written: each gives a
// clear result, never a crash (the sanitizer build runs these too).
#include "database/fields/text_value_node.h"
#include "tests/database/gedcom/gedcom_test_support.h"

#include <random>
#include <string_view>

namespace {

using gedcom_test::CrLf;

struct HostileCase {
    const char* name;
    std::string (*make)();
    bool loads;              // the result of the load
    int individuals;         // how many individuals it holds then
    std::size_t notices;     // how many notices it tells
    std::string reportHolds; // a text the report holds; empty: any report or none
};

std::string Truncated()
{
    const std::string whole =
        test_support::ReadFile(test_support::DataPath("gedcom/roundtrip-records.ged"));
    return whole.substr(0, whole.find("1 NAME Anne") + 9);
}

std::string RandomBytes()
{
    std::mt19937 random(7);
    std::string bytes(1 << 18, '\0');
    for (char& c : bytes)
        c = char(random() & 0xFF);
    return bytes;
}

std::string HundredThousandCharacterLine()
{
    return CrLf({"0 HEAD", "0 @I1@ INDI", "1 NOTE " + std::string(100000, 'x'), "0 TRLR"});
}

std::string HugeLevelsAndIdentifiers()
{
    return CrLf({"0 HEAD", "0 @I1@ INDI", "99999999999999999999 FOO bar", "1 NAME A /B/",
                 "0 @" + std::string(51, 'I') + "@ INDI", "0 @@ INDI", "0 @I2147483648@ INDI",
                 "1 FAMS @F99999999999999@", "0 TRLR"});
}

std::string CrossReferenceLoop()
{
    return CrLf({"0 HEAD", "0 @I1@ INDI", "1 FAMS @F1@", "1 FAMC @F1@", "1 ALIA @I1@", "0 @F1@ FAM",
                 "1 HUSB @I1@", "1 CHIL @I1@", "0 @N1@ NOTE n", "1 SOUR @S1@", "0 @S1@ SOUR",
                 "1 NOTE @N1@", "0 @O1@ OBJE", "1 OBJE @O2@", "0 @O2@ OBJE", "1 OBJE @O1@",
                 "0 @O3@ OBJE", "1 OBJE @O3@", "0 TRLR"});
}

std::string TenThousandRecordsWithOneId()
{
    std::string text = "0 HEAD\r\n";
    for (int i = 0; i < 10000; ++i)
        text += "0 @I1@ INDI\r\n1 NAME A /B/\r\n";
    return text + "0 TRLR\r\n";
}

std::string ZeroBytesAndControlCharacters()
{
    using namespace std::string_view_literals;
    return std::string("0 HEAD\r\n0 @I1@ INDI\r\n1 NOTE a\0b\x01\x7F\r\n\0\0\r\n0 TRLR\r\n\x1A"sv);
}

class GedcomHostileTest : public gedcom_test::CGedcomTest,
                          public testing::WithParamInterface<HostileCase> {};

TEST_P(GedcomHostileTest, GivesAClearResult)
{
    const HostileCase& c = GetParam();
    const std::string in = File("hostile.ged", c.make());
    EXPECT_EQ(Load(in), c.loads);
    EXPECT_EQ(m_messages.size(), c.notices);
    int individuals = 0;
    for (const CDataNode* r = GetRecordTypeRoot(0)->GetFirstChild(); r; r = r->GetNextSibling())
        ++individuals;
    EXPECT_EQ(individuals, c.individuals);
    if (!c.reportHolds.empty()) {
        EXPECT_NE(Report().find(c.reportHolds), std::string::npos) << Report().substr(0, 2000);
    }
    if (!c.loads)
        return;
    const std::string first = gedcom_test::DumpDataSet();
    const std::string out = PathOf("saved.ged");
    ASSERT_FALSE(Save(out).starts_with("FAILED"));
    ASSERT_TRUE(Load(out));
    EXPECT_EQ(gedcom_test::FirstDifference(first, gedcom_test::DumpDataSet()), "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GedcomHostileTest,
    testing::Values(
        HostileCase{"TruncatedFile", &Truncated, true, 3, 1,
                    "* The file ends without a trailer line"},
        HostileCase{"RandomBytes", &RandomBytes, false, 0, 0, ""},
        HostileCase{"HundredThousandCharacterLine", &HundredThousandCharacterLine, true, 1, 0, ""},
        HostileCase{"HugeLevelsAndIdentifiers", &HugeLevelsAndIdentifiers, true, 3, 1,
                    "Invalid line level. Branch ignored: \"2147483647  FOO bar\""},
        HostileCase{"CrossReferenceLoop", &CrossReferenceLoop, true, 1, 0, ""},
        HostileCase{"TenThousandRecordsWithOneId", &TenThousandRecordsWithOneId, true, 10000, 1,
                    "Id=1. Record Type=Individual."},
        HostileCase{"ZeroBytesAndControlCharacters", &ZeroBytesAndControlCharacters, true, 1, 1,
                    "Removed zero bytes (NUL)       : \"1  NOTE ab\\x01\\x7F\""}),
    [](const testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

TEST_F(GedcomHostileTest, LongLineComesBackWholeThroughShortLines)
{
    ASSERT_TRUE(Load(File("long.ged", HundredThousandCharacterLine())));
    const auto* note =
        dynamic_cast<const CTextValueNode*>(GetRecordTypeRoot(0)->GetFirstChild()->GetFirstChild());
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->GetValue().size(), 100000u);
    const std::string saved = Save(PathOf("saved.ged"));
    std::size_t longest = 0;
    for (std::size_t start = 0, end; (end = saved.find("\r\n", start)) != std::string::npos;
         start = end + 2)
        longest = std::max(longest, end - start);
    EXPECT_LE(longest, 252u);
}

TEST_F(GedcomHostileTest, DuplicatesOfOneIdAreAllListed)
{
    ASSERT_TRUE(Load(File("dup.ged", TenThousandRecordsWithOneId())));
    const std::string report = Report();
    std::size_t listed = 0;
    for (std::size_t at = report.find("* Serious error"); at != std::string::npos;
         at = report.find("* Serious error", at + 1))
        ++listed;
    EXPECT_EQ(listed, 9999u);
}

} // namespace
