// tests/database/gedcom/gedcom_loader_test.cpp: whole GEDCOM files read into the data set: records,
// fields, identifiers, change dates, multimedia chains, and what the exception report lists.
#include "common/blob_encoding.h"
#include "database/fields/custom_attr_node.h"
#include "database/fields/text_value_node.h"
#include "database/gedcom/exception_report.h"
#include "database/kin/ind_rec.h"
#include "database/multimedia/obj_rec.h"
#include "database/records/assoc_link_table.h"
#include "database/records/assoc_node.h"
#include "platform/base/progress.h"
#include "platform/base/text.h"
#include "tests/database/gedcom/gedcom_test_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

namespace {

using gedcom_test::CrLf;
using namespace std::string_literals;

const std::vector<std::string> kHeader = {"0 HEAD",     "1 SOUR TEST",           "1 GEDC",
                                          "2 VERS 5.5", "2 FORM LINEAGE-LINKED", "1 CHAR UTF-8"};

/// A file of the header, body and the trailer, with CR LF line ends.
std::string GedcomText(const std::vector<std::string>& body, bool trailer = true)
{
    std::string text;
    for (const std::string& line : kHeader)
        text += line + "\r\n";
    for (const std::string& line : body)
        text += line + "\r\n";
    return trailer ? text + "0 TRLR\r\n" : text;
}

/// The whole value of a text field, line breaks included.
std::string ValueOf(const CDataNode* node)
{
    const auto* text = dynamic_cast<const CTextValueNode*>(node);
    return text ? std::string(text->GetValue()) : "NO TEXT FIELD";
}

CRecordNode* FirstRecord(int listIndex)
{
    return static_cast<CRecordNode*>(GetRecordTypeRoot(listIndex)->GetFirstChild());
}

int CountRecords(int listIndex)
{
    int count = 0;
    for (const CDataNode* r = GetRecordTypeRoot(listIndex)->GetFirstChild(); r;
         r = r->GetNextSibling())
        ++count;
    return count;
}

std::string ChildTags(const CDataNode* node)
{
    std::string tags;
    for (const CDataNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
        tags += (tags.empty() ? "" : " ") + std::string(child->GetFieldDef()->GetGedcomTag());
    return tags;
}

class GedcomLoaderTest : public gedcom_test::CGedcomTest {};

// ---- What the exception report lists ------------------------------------------------------

struct ReportCase {
    const char* name;
    std::string file;
    std::vector<std::string> expected; // lines of the report
    bool excludeExtensions = false;
    bool excludeNonStandard = false;
    // The opening of the question that offers the report; null for the skipped-lines question.
    const char* question = nullptr;
};

constexpr const char* kSkippedOpening =
    "This GEDCOM file contains some data lines which have been skipped (ie. not loaded).";
constexpr const char* kKeptOpening =
    "Some values in this GEDCOM file could not be read as what their fields hold (dates, ages, "
    "numbers, values from a list, lines in a form GEDCOM 5.5 does not have) and have been kept "
    "as text; such a date is kept as a date phrase and saved in parentheses.";
constexpr const char* kNotedOpening =
    "Some data in this GEDCOM file has been noted in the exception report.";
constexpr const char* kNoTrailerOpening =
    "This GEDCOM file ends without a trailer line (0 TRLR): it may be incomplete.";
constexpr const char* kControlOpening =
    "Some lines of this GEDCOM file hold control characters, which no GEDCOM line may hold; "
    "they have been kept as they stand.";
constexpr const char* kZeroBytesOpening =
    "Some lines of this GEDCOM file held zero bytes (NUL characters), which no GEDCOM line may "
    "hold; they have been removed and the rest of each line loaded.";

class GedcomLoaderReportTest : public gedcom_test::CGedcomTest,
                               public testing::WithParamInterface<ReportCase> {};

TEST_P(GedcomLoaderReportTest, ListsWhatWasNotLoadedWithItsReason)
{
    const ReportCase& c = GetParam();
    Prefs().m_excludeGedcomExtensions = c.excludeExtensions;
    Prefs().m_excludeNonStdTags = c.excludeNonStandard;
    ASSERT_TRUE(Load(File("in.ged", c.file)));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].report, GetLoadExceptionReport()) << "Yes opens the report";
    const std::string& question = m_messages[0].question;
    EXPECT_TRUE(question.starts_with(c.question ? c.question : kSkippedOpening)) << question;
    EXPECT_TRUE(question.ends_with(c.question ? "Would you like to see the exception report?"
                                              : "Would you like to see a listing of the "
                                                "excluded data?"))
        << question;
    if (c.question) {
        EXPECT_EQ(question.find("skipped"), std::string::npos) << "nothing was skipped";
    }
    const std::string report = Report();
    EXPECT_TRUE(report.starts_with("Ardenvel Exception Report - "));
    for (const std::string& line : c.expected)
        EXPECT_NE(report.find("\r\n" + line + "\r\n"), std::string::npos) << line << "\nin\n"
                                                                          << report;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GedcomLoaderReportTest,
    testing::Values(
        ReportCase{"ExcludedExtension",
                   GedcomText({"0 @I1@ INDI", "1 _UID 9F2A", "2 _SUB x"}),
                   {"Record Type=Individual Id=I1",
                    "l.8 - Skipped extension to gedcom    : \"1  _UID 9F2A\"",
                    "    l.9 - Skipped branch line        : \"2  _SUB x\""},
                   true},
        ReportCase{"ExcludedNonStandardTag",
                   GedcomText({"0 @I1@ INDI", "1 FOO bar"}),
                   {"l.8 - Skipped - not gedcom 5.5       : \"1  FOO bar\""},
                   false,
                   true},
        ReportCase{"SecondSexExceedsItsMaximum",
                   GedcomText({"0 @I1@ INDI", "1 SEX M", "1 SEX F"}),
                   {"l.9 - Skipped invalid (exceeds max)  : \"1  SEX F\""}},
        ReportCase{"ValueTheFieldRefusesPastItsMaximumIsKeptAndALinkIsNot",
                   GedcomText({"0 @F1@ FAM", "1 HUSB @I1@", "1 HUSB John", "1 HUSB @I2@",
                               "0 @I1@ INDI", "0 @I2@ INDI"}),
                   {"l.9 - Kept as user-defined field     : \"1  HUSB John\"",
                    "l.10 - Skipped invalid (exceeds max)  : \"1  HUSB @I2@\""}},
        ReportCase{"MalformedTagIsKeptAsAUserDefinedField",
                   GedcomText({"0 @I1@ INDI", "1 NAME* z"}),
                   {"l.8 - Kept as user-defined field     : \"1  NAME* z\""},
                   false,
                   false,
                   kKeptOpening},
        ReportCase{"MalformedTagExcludedAsNonStandard",
                   GedcomText({"0 @I1@ INDI", "1 NAME* z"}),
                   {"l.8 - Skipped - not gedcom 5.5       : \"1  NAME* z\""},
                   false,
                   true},
        ReportCase{"SecondHeaderExceedsItsMaximum",
                   GedcomText({"0 HEAD", "1 SOUR X"}),
                   {"l.7 - Skipped invalid (exceeds max)  : \"0  HEAD \"",
                    "    l.8 - Skipped branch line        : \"1  SOUR X\""}},
        ReportCase{"UnknownRecordWithItsBranch",
                   GedcomText({"0 @X1@ FOO", "1 BAR baz"}),
                   {"l.7 - Skipped invalid line           : \"0 X1 FOO \"",
                    "    l.8 - Skipped branch line        : \"1  BAR baz\""}},
        ReportCase{"LevelJumpFromZeroToNine",
                   GedcomText({"0 @I1@ INDI", "9 FOO bar"}),
                   {"l.8 - Invalid line level. Branch ignored: \"9  FOO bar\""}},
        ReportCase{"LineThatIsNoGedcomLine",
                   GedcomText({"0 @I1@ INDI", "this is no line"}),
                   {"l.8 - Skipped invalid line           : \"this is no line\""}},
        ReportCase{"ValueTheFieldRefusesIsKeptAsAUserDefinedField",
                   GedcomText({"0 @I1@ INDI", "1 BIRT yes"}),
                   {"l.8 - Kept as user-defined field     : \"1  BIRT yes\""},
                   false,
                   false,
                   kKeptOpening},
        ReportCase{"GedcomFiveFiveOneFormsAreKeptAsUserDefinedFields",
                   GedcomText({"0 @I1@ INDI", "1 EVEN Emigrated", "2 TYPE Emigration",
                               "1 ALIA Ann Lee", "1 ANCI interested"}),
                   {"l.8 - Kept as user-defined field     : \"1  EVEN Emigrated\"",
                    "l.10 - Kept as user-defined field     : \"1  ALIA Ann Lee\"",
                    "l.11 - Kept as user-defined field     : \"1  ANCI interested\""},
                   false,
                   false,
                   kKeptOpening},
        ReportCase{"RefusedValueOfATagExcludedAsNonStandard",
                   GedcomText({"0 @I1@ INDI", "1 EVEN Emigrated", "2 TYPE Emigration"}),
                   {"l.8 - Skipped - not gedcom 5.5       : \"1  EVEN Emigrated\"",
                    "    l.9 - Skipped branch line        : \"2  TYPE Emigration\""},
                   false,
                   true},
        ReportCase{"EmptyFieldsASaveLeavesOut",
                   GedcomText({"0 @I1@ INDI", "1 BIRT", "2 DATE", "2 PLAC", "1 OBJE", "2 FILE"}),
                   {"l.9 - Skipped empty field            : \"2  DATE \"",
                    "l.10 - Skipped empty field            : \"2  PLAC \"",
                    "l.12 - Skipped empty field            : \"2  FILE \"",
                    "l.11 - Skipped empty field            : \"1  OBJE \""}},
        ReportCase{"EmptyFieldTakesTheLinesBelowItAlong",
                   GedcomText({"0 @I1@ INDI", "1 BIRT", "2 DATE", "3 _SEEN church book",
                               "4 _PAGE 4", "2 PLAC Rome"}),
                   {"l.9 - Skipped empty field            : \"2  DATE \"",
                    "    l.10 - Skipped branch line        : \"3  _SEEN church book\"",
                    "    l.11 - Skipped branch line        : \"4  _PAGE 4\""}},
        ReportCase{"LinksWithoutTheirCrossReferenceAreEmptyFields",
                   GedcomText({"0 @I1@ INDI", "1 FAMC", "2 PEDI birth", "1 FAMS  ", "0 @F1@ FAM",
                               "1 HUSB", "1 CHIL", "1 MARR", "2 SOUR", "3 PAGE 12"}),
                   {"l.8 - Skipped empty field            : \"1  FAMC \"",
                    "    l.9 - Skipped branch line        : \"2  PEDI birth\"",
                    "l.10 - Skipped empty field            : \"1  FAMS  \"",
                    "Record Type=Family Id=F1",
                    "l.12 - Skipped empty field            : \"1  HUSB \"",
                    "l.13 - Skipped empty field            : \"1  CHIL \""}},
        ReportCase{"ValuedFieldWhoseSubFieldsAreAllEmpty",
                   GedcomText({"0 @I1@ INDI", "1 CONL Y", "2 DATE"}),
                   {"l.9 - Skipped empty field            : \"2  DATE \"",
                    "l.8 - Kept as user-defined field     : \"1  CONL Y\""}},
        ReportCase{"ControlCharactersAreKeptAndListed",
                   GedcomText({"0 @I1@ INDI", "1 NOTE ring\x07the bell", "1 CONT tab\tis fine",
                               "1 OCCU a\x1B"}),
                   {"l.8 - Kept control characters        : \"1  NOTE ring\\x07the bell\"",
                    "l.10 - Kept control characters        : \"1  OCCU a\\x1B\""},
                   false,
                   false,
                   kControlOpening},
        ReportCase{"KeyNotInTheValueList",
                   GedcomText({"0 @I1@ INDI", "1 SEX X"}),
                   {"l.8 - Kept value not in value list   : \"1  SEX X\""},
                   false,
                   false,
                   kKeptOpening},
        ReportCase{"DateNoGrammarReads",
                   GedcomText({"0 @I1@ INDI", "1 BIRT", "2 DATE sometime in spring"}),
                   {"l.9 - Kept unreadable value as text  : \"2  DATE sometime in spring\""},
                   false,
                   false,
                   kKeptOpening},
        ReportCase{"ValuedStructureWithoutSubFieldsIsKeptAsAUserDefinedField",
                   GedcomText({"0 @I1@ INDI", "1 CONL Y"}),
                   {"l.8 - Kept as user-defined field     : \"1  CONL Y\""},
                   false,
                   false,
                   kKeptOpening},
        ReportCase{"ValuedStructureWithoutSubFieldsOfATagExcludedAsNonStandard",
                   GedcomText({"0 @I1@ INDI", "1 CONL Y"}),
                   {"l.8 - Skipped field without details  : \"1  CONL Y\""},
                   false,
                   true},
        ReportCase{"UnreadableEmbeddedData",
                   GedcomText({"0 @O1@ OBJE", "1 FORM bmp", "1 BLOB", "2 CONT not blob text"}),
                   {"* Multimedia record @O1@: its embedded data (BLOB) cannot be read; it is "
                    "kept as read."},
                   false,
                   false,
                   kNotedOpening},
        ReportCase{"ReferenceToAMissingRecord",
                   GedcomText({"0 @I1@ INDI", "1 FAMC @F9@"}),
                   {"* Reference to a missing record kept: FAMC @F9@ in Individual @I1@."},
                   false,
                   false,
                   kNotedOpening},
        ReportCase{"TextBeforeTheHeader",
                   "garbage line\r\n1 SOUR x\r\n" + GedcomText({}),
                   {"l.1 - Skipped line before header     : \"garbage line\"",
                    "l.2 - Skipped line before header     : \"1  SOUR x\""}},
        ReportCase{"LinesAfterTheTrailer",
                   GedcomText({}) + "0 @I9@ INDI\r\nmore text\r\n",
                   {"l.8 - Skipped line after trailer     : \"0 I9 INDI \"",
                    "l.9 - Skipped line after trailer     : \"more text\""}},
        ReportCase{"BytesTheCharacterSetCannotRead",
                   GedcomText({"0 @I1@ INDI", "1 NAME Ren\xE9 /B/"}),
                   {"* Bytes not valid in the file's character set (UTF-8): 1; they were read as "
                    "UTF-8 where they form UTF-8 characters, else each as its Windows-1252 "
                    "character."},
                   false,
                   false,
                   kNotedOpening},
        ReportCase{"AnselByteWithoutCharacter",
                   "0 HEAD\r\n1 CHAR ANSEL\r\n0 @I1@ INDI\r\n1 NAME A\xAF\xBB /B/\r\n0 TRLR\r\n",
                   {"* Bytes not valid in the file's character set (ANSEL): 2; they were read as "
                    "UTF-8 where they form UTF-8 characters, else each as its Windows-1252 "
                    "character."},
                   false,
                   false,
                   kNotedOpening},
        ReportCase{"NoTrailer",
                   GedcomText({"0 @I1@ INDI"}, false),
                   {"* The file ends without a trailer line (0 TRLR): it may be incomplete."},
                   false,
                   false,
                   kNoTrailerOpening},
        ReportCase{
            "ZeroBytesInRecordFieldAndContinuationLines",
            GedcomText({"0 @N1@ NOTE a\0b"s, "1 CONC c\0d"s, "0 @I1@ INDI", "1 NAME A\0\0 /B/"s}),
            {"Record Type=Note Id=N1", "l.7 - Removed zero bytes (NUL)       : \"0 N1 NOTE ab\"",
             "l.8 - Removed zero bytes (NUL)       : \"1  CONC cd\"",
             "Record Type=Individual Id=I1",
             "l.10 - Removed zero bytes (NUL)       : \"1  NAME A /B/\""},
            false,
            false,
            kZeroBytesOpening},
        ReportCase{"ZeroBytesInAKeptValue",
                   GedcomText({"0 @I1@ INDI", "1 SEX \0X"s}),
                   {"l.8 - Removed zero bytes (NUL)       : \"1  SEX X\"",
                    "l.8 - Kept value not in value list   : \"1  SEX X\""},
                   false,
                   false,
                   kKeptOpening},
        ReportCase{"ZeroBytesInASkippedLineAreNotReportedTwice",
                   GedcomText({"0 @I1@ INDI", "1 SEX M", "1 SEX F\0"s}),
                   {"l.9 - Skipped invalid (exceeds max)  : \"1  SEX F\""}},
        ReportCase{"KeptValueAndNoTrailer",
                   GedcomText({"0 @I1@ INDI", "1 SEX X"}, false),
                   {"l.8 - Kept value not in value list   : \"1  SEX X\""},
                   false,
                   false,
                   kKeptOpening}),
    [](const testing::TestParamInfo<ReportCase>& info) { return info.param.name; });

TEST_F(GedcomLoaderTest, FileWithNothingSkippedWritesNoReportAndAsksNothing)
{
    ASSERT_TRUE(Load(File("in.ged", GedcomText({"0 @I1@ INDI", "1 NAME A /B/", "1 _UID 9F"}))));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(GetLoadExceptionReport().empty());
    EXPECT_EQ(ChildTags(FirstRecord(0)), "NAME _UID");
}

TEST_F(GedcomLoaderTest, DuplicateIdsKeepBothRecordsAndShowTheWarning)
{
    ASSERT_TRUE(Load(File("in.ged", GedcomText({"0 @I5@ INDI", "0 @I5@ INDI"}))));
    EXPECT_EQ(CountRecords(0), 2);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].report, GetLoadExceptionReport()) << "opened unasked";
    EXPECT_TRUE(m_messages[0].message.starts_with("This GEDCOM file contains one or more sets of "
                                                  "duplicate record ids"));
    EXPECT_NE(Report().find("* Serious error: Duplicate record id found in file.  Id=5. Record "
                            "Type=Individual.\r\n"),
              std::string::npos);
}

TEST_F(GedcomLoaderTest, NonStandardIdsTakeTheNextFreeNumbersAndLinksFollowThem)
{
    ASSERT_TRUE(Load(File("in.ged", GedcomText({"0 @P5@ INDI", "1 SEX M", "1 SEX M", "0 @I2@ INDI",
                                                "0 @F1@ FAM", "1 HUSB @I2@"}))));
    const CRecordNode* second = static_cast<CRecordNode*>(FirstRecord(0)->GetNextSibling());
    EXPECT_EQ(FirstRecord(0)->GetRecordNumber(), 5);
    EXPECT_EQ(second->GetRecordNumber(), 6);
    EXPECT_EQ(FirstRecord(1)->GetFirstChild()->GetLinkTarget(), second);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(m_messages[0].question.find("*** Please note: some record ids in the file were in a "
                                          "non-standard format"),
              std::string::npos);
}

TEST_F(GedcomLoaderTest, LoadedRecordsAreChainedUnderTheirRootAsRecordsPlacedOneByOne)
{
    ASSERT_TRUE(Load(File("in.ged", GedcomText({"0 @I1@ INDI", "0 @F1@ FAM", "0 @I2@ INDI",
                                                "0 @F2@ FAM", "0 @I3@ INDI", "0 @I4@ INDI"}))));
    CDataNode* root = GetRecordTypeRoot(0);
    std::vector<CRecordNode*> people;
    const CDataNode* prev = nullptr;
    for (CDataNode* r = root->GetFirstChild(); r; prev = r, r = r->GetNextSibling()) {
        EXPECT_EQ(r->GetParent(), root);
        EXPECT_EQ(r->GetPrevSibling(), prev);
        people.push_back(static_cast<CRecordNode*>(r));
    }
    ASSERT_EQ(people.size(), 4u);
    EXPECT_EQ(root->CountChildren(), 4u);
    EXPECT_EQ(people[3]->GetRecordNumber(), 4);

    // Taking one out and adding one rely on the root's kept last record and count.
    SetChangeTracking(true);
    CDataNode::DeleteNode(people[2]);
    EXPECT_EQ(people[3]->GetPrevSibling(), people[1]);
    CDataNode::DeleteNode(people[3]);
    CDataNode* added = root->CreateChild(nullptr);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->GetPrevSibling(), people[1]);
    EXPECT_EQ(added->GetNextSibling(), nullptr);
    EXPECT_EQ(root->CountChildren(), 3u);
    EXPECT_EQ(GetRecordTypeRoot(1)->CountChildren(), 2u);
    // ... and so does the note that the records stand in number order.
    EXPECT_TRUE(static_cast<CRootNode*>(root)->RecordsAscend());
    SetChangeTracking(false);

    ASSERT_TRUE(Load(File("in.ged", GedcomText({"0 @I1@ INDI", "0 @I3@ INDI", "0 @I2@ INDI"}))));
    EXPECT_FALSE(static_cast<CRootNode*>(GetRecordTypeRoot(0))->RecordsAscend());
}

TEST_F(GedcomLoaderTest, FileWithoutAnyRecordIsNoGedcomFile)
{
    EXPECT_FALSE(Load(File("letter.txt", "Dear John,\r\nI hope you are well.\r\n")));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(LoadErrorMessage("/x/letter.txt"),
              "Error loading file /x/letter.txt.  File may be corrupt or of incorrect type.");
}

TEST_F(GedcomLoaderTest, MissingOrEmptyFileCannotBeOpened)
{
    for (const std::string& path : {PathOf("missing.ged"), File("empty.ged", "")}) {
        EXPECT_FALSE(Load(path));
        ASSERT_EQ(m_messages.size(), 1u) << path;
        EXPECT_EQ(m_messages[0].message, "Unable to open file.");
    }
}

TEST_F(GedcomLoaderTest, ChangeDateGoesIntoTheStampAndComesBackOnSave)
{
    ASSERT_TRUE(Load(File(
        "in.ged", GedcomText({"0 @I1@ INDI", "1 CHAN", "2 DATE 3 MAR 2001", "3 TIME 10:61:05"}))));
    const CRecordNode* record = FirstRecord(0);
    EXPECT_EQ(record->GetChangeStamp().Format("%d %m %Y %H:%M:%S"), "03 03 2001 10:00:00");
    EXPECT_EQ(record->FindChild(nullptr, FIELD_CHAN), nullptr);
    EXPECT_NE(Save(PathOf("out.ged"))
                  .find("0 @I1@ INDI\r\n1 CHAN\r\n2 DATE 3 MAR 2001\r\n"
                        "3 TIME 10:00:00\r\n"),
              std::string::npos);

    ASSERT_TRUE(Load(File("fraction.ged", GedcomText({"0 @I1@ INDI", "1 CHAN", "2 DATE 4 MAR 2001",
                                                      "3 TIME 12:34:56.789"}))));
    EXPECT_EQ(FirstRecord(0)->GetChangeStamp().Format("%d %m %Y %H:%M:%S"), "04 03 2001 12:34:56")
        << "the seconds stand before the fraction";
}

TEST_F(GedcomLoaderTest, ChangeDateTheStampCannotHoldIsKept)
{
    ASSERT_TRUE(Load(File(
        "in.ged", GedcomText({"0 @I1@ INDI", "1 CHAN", "2 DATE MAR 2001", "2 NOTE Checked"}))));
    EXPECT_NE(FirstRecord(0)->GetChangeStamp().GetStatus(), COleDateTime::valid);
    EXPECT_NE(Save(PathOf("out.ged")).find("1 CHAN\r\n2 DATE MAR 2001\r\n2 NOTE Checked\r\n"),
              std::string::npos);
}

TEST_F(GedcomLoaderTest, LinksToADiscardedRecordAreKeptAsReferencesToAMissingRecord)
{
    ASSERT_TRUE(
        Load(File("in.ged", GedcomText({"0 @I1@ INDI a value no record takes", "1 NAME Gone /Away/",
                                        "0 @O1@ OBJE", "1 OBJE @O2@", "0 @O2@ OBJE", "0 @F1@ FAM",
                                        "1 HUSB @I1@", "1 OBJE @O2@"}))));
    EXPECT_EQ(CountRecords(0), 0);
    EXPECT_EQ(CountRecords(7), 1);
    const CDataNode* family = FirstRecord(1);
    for (const CDataNode* link = family->GetFirstChild(); link; link = link->GetNextSibling())
        EXPECT_EQ(link->GetLinkTarget(), nullptr) << link->GetFieldDef()->GetTag();
    const std::string report = Report();
    EXPECT_NE(report.find("l.7 - Skipped invalid line           : \"0 I1 INDI a value no record "
                          "takes\""),
              std::string::npos);
    EXPECT_NE(report.find("* Reference to a missing record kept: HUSB @I1@ in Family @F1@."),
              std::string::npos);
    EXPECT_NE(report.find("* Reference to a missing record kept: OBJE @O2@ in Family @F1@."),
              std::string::npos);
    EXPECT_NE(Save(PathOf("out.ged")).find("0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 OBJE @O2@\r\n"),
              std::string::npos);
}

// A text field naming a record the load skipped was once saved as text ("@@P200@@"). It stays a
// link where no record of the saved file can take its identifier, and goes with the lines below
// it where one can ("I200" could name a later individual).
TEST_F(GedcomLoaderTest, LinksToASkippedRecordStayLinksOrGoWithTheirRecord)
{
    ASSERT_TRUE(
        Load(File("in.ged", GedcomText({"0 @I1@ INDI", "1 BIRT", "2 PLAC @P200@", "1 _SEEN @I200@",
                                        "2 _NOTE below it", "1 _PLACE @P200@", "0 @P200@ _PLAC",
                                        "1 NAME Paris", "0 @I200@ _PLAC"}))));
    EXPECT_EQ(ChildTags(FirstRecord(0)), "BIRT _PLACE");
    const std::string report = Report();
    for (const char* entry :
         {"* Reference to a skipped record kept: PLAC @P200@ in Individual @I1@.\r\n"
          "* Reference to a skipped record left out with the lines below it: _SEEN @I200@ in "
          "Individual @I1@.\r\n"
          "* Reference to a skipped record kept: _PLACE @P200@ in Individual @I1@.\r\n",
          "l.13 - Skipped invalid line           : \"0 P200 _PLAC \""})
        EXPECT_NE(report.find(entry), std::string::npos) << entry << "\nin\n" << report;
    EXPECT_NE(Save(PathOf("out.ged")).find("1 BIRT\r\n2 PLAC @P200@\r\n1 _PLACE @P200@\r\n"),
              std::string::npos);
}

TEST_F(GedcomLoaderTest, ContinuationVolumesAreReadUpToTheTrailer)
{
    const std::string tree = File("tree.ged", CrLf({"0 HEAD", "0 @I1@ INDI"}));
    File("tree.G00", CrLf({"0 @I2@ INDI", "0 TRLR"}));
    ASSERT_TRUE(Load(tree));
    EXPECT_EQ(CountRecords(0), 2);
    EXPECT_TRUE(GetLoadExceptionReport().empty());

    const std::string saved = PathOf("tree.ged");
    ASSERT_FALSE(Save(saved).starts_with("FAILED"));
    ASSERT_TRUE(Load(saved)) << "the volume left beside the saved file is not read again";
    EXPECT_EQ(CountRecords(0), 2);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(GedcomLoaderTest, ConcAndContRejoinIntoOneValue)
{
    ASSERT_TRUE(
        Load(File("in.ged", GedcomText({"0 @N1@ NOTE First", "1 CONC part", "1 CONT Second line",
                                        "0 @I1@ INDI", "1 NOTE In place", "2 CONT  indented"}))));
    EXPECT_EQ(ValueOf(FirstRecord(2)->GetFirstChild()), "Firstpart\nSecond line");
    EXPECT_EQ(ValueOf(FirstRecord(0)->GetFirstChild()), "In place\n indented");
}

// A blank left on the sex or the date would make them a key the list lacks and a date phrase,
// which the load would report and ask about.
TEST_F(GedcomLoaderTest, BlanksAroundAValueAreDroppedExceptFromText)
{
    ASSERT_TRUE(Load(
        File("in.ged", GedcomText({"0 @I1@ INDI", "1 SEX  M\t", "1 BIRT  ", "2 DATE \t1 JAN 1900 ",
                                   "1 NOTE  kept  ", "0 @F1@ FAM", "1 HUSB  @I1@ "}))));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(CountSkippedExceptionLines(), 0);
    EXPECT_EQ(ChildTags(FirstRecord(0)), "SEX BIRT NOTE");
    const CDataNode* birth = FirstRecord(0)->GetFirstChild()->GetNextSibling();
    EXPECT_EQ(ChildTags(birth), "DATE");
    EXPECT_EQ(ValueOf(birth->GetNextSibling()), " kept  ");
    EXPECT_EQ(FirstRecord(1)->GetFirstChild()->GetLinkTarget(), FirstRecord(0));
}

// Some files align their values with runs of spaces, which are passed eight at a time: a run
// of any length, with a tab in it or a blank value after it, leaves the value as read alone.
TEST_F(GedcomLoaderTest, RunsOfBlanksBeforeAValueAreDroppedWhateverTheirLength)
{
    std::vector<std::string> body = {"0 @I1@ INDI", "1 RESI", "2 DATE 13 MAR 1951"};
    const std::vector<std::string> runs = {std::string(7, ' '),          std::string(8, ' '),
                                           std::string(9, ' '),          std::string(16, ' '),
                                           std::string(8, ' ') + "\t  ", std::string(17, ' ')};
    for (const std::string& run : runs)
        body.insert(body.end(), {"1 RESI" + run, "2 DATE " + run + "13 MAR 1951" + run});
    ASSERT_TRUE(Load(File("in.ged", GedcomText(body))));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(CountSkippedExceptionLines(), 0);
    const auto dateOf = [](const CDataNode* residence) {
        std::string text;
        residence->GetFirstChild()->GetText(text, 0);
        return text;
    };
    const CDataNode* first = FirstRecord(0)->GetFirstChild();
    ASSERT_NE(first, nullptr);
    const std::string read = dateOf(first);
    EXPECT_NE(read.find("13"), std::string::npos) << read;
    std::size_t residences = 0;
    for (const CDataNode* residence = first; residence;
         residence = residence->GetNextSibling(), ++residences) {
        ASSERT_EQ(ChildTags(residence), "DATE") << residences;
        EXPECT_EQ(dateOf(residence), read) << residences;
    }
    EXPECT_EQ(residences, runs.size() + 1);
}

// Many files write an at sign in text as it is, not doubled: such a note or source text is
// text, and only a value that is one cross-reference and nothing else links to a record.
TEST_F(GedcomLoaderTest, TextHoldingAnAtSignIsTextAndOnlyALoneCrossReferenceLinks)
{
    const std::vector<std::string> values = {"Email me at x@y.z", "@ leading at sign",
                                             "@N1@ and more text", "@#DJULIAN@ 1700", "@"};
    std::vector<std::string> body = {"0 @N1@ NOTE Shared", "0 @I1@ INDI", "1 NOTE  @N1@ "};
    for (const std::string& value : values)
        body.push_back("1 NOTE " + value);
    body.push_back("1 SOUR Letter from a@b.c");
    ASSERT_TRUE(Load(File("in.ged", GedcomText(body))));
    EXPECT_TRUE(m_messages.empty());
    const CDataNode* link = FirstRecord(0)->GetFirstChild();
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->GetFieldId(), FIELD_NOTE);
    EXPECT_EQ(link->GetLinkTarget(), FirstRecord(2));
    const CDataNode* text = link->GetNextSibling();
    for (const std::string& value : values) {
        ASSERT_NE(text, nullptr) << value;
        EXPECT_EQ(text->GetFieldId(), FIELD_NOTE_TEXT) << value;
        EXPECT_EQ(ValueOf(text), value);
        text = text->GetNextSibling();
    }
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(ValueOf(text), "Letter from a@b.c");
    const std::string saved = Save(PathOf("out.ged"));
    EXPECT_NE(saved.find("1 NOTE Email me at x@@y.z\r\n1 NOTE @@ leading at sign\r\n"),
              std::string::npos);
    ASSERT_TRUE(Load(PathOf("out.ged")));
    EXPECT_EQ(ValueOf(FirstRecord(0)->GetFirstChild()->GetNextSibling()), values[0]);
}

TEST_F(GedcomLoaderTest, ZeroBytesLeaveTheRestOfTheirValuesAndAreNotSavedBack)
{
    ASSERT_TRUE(Load(File(
        "in.ged", GedcomText({"0 @N1@ NOTE Fi\0rst"s, "1 CONC pa\0rt"s, "1 CONT \0Second line"s,
                              "\0\0"s, "0 @I1@ INDI", "1 NOTE In pla\0ce"s}))));
    EXPECT_EQ(ValueOf(FirstRecord(2)->GetFirstChild()), "Firstpart\nSecond line");
    EXPECT_EQ(ValueOf(FirstRecord(0)->GetFirstChild()), "In place");
    EXPECT_EQ(CountChangedExceptionLines(), 4) << "the line of zero bytes alone holds nothing";
    EXPECT_EQ(CountSkippedExceptionLines(), 0);
    const std::string saved = Save(PathOf("saved.ged"));
    EXPECT_EQ(saved.find('\0'), std::string::npos) << saved;
    EXPECT_NE(saved.find("In place"), std::string::npos) << saved;
    EXPECT_EQ(Report().find('\0'), std::string::npos);
}

TEST_F(GedcomLoaderTest, LinesOutOfOrderTakeTheirPlaceInDefinitionOrder)
{
    ASSERT_TRUE(Load(File("in.ged", GedcomText({"0 @I1@ INDI", "1 FAMS @F1@", "1 NAME A /B/",
                                                "1 SEX M", "0 @F1@ FAM", "1 HUSB @I1@"}))));
    EXPECT_EQ(ChildTags(FirstRecord(0)), "NAME SEX FAMS");
}

/// Fields of these definitions placed one at a time by the rule of definition order: each goes
/// before the first placed earlier whose definition comes later in the order, else last; one
/// whose definition has as many placed as its maximum count allows is refused (refused counts
/// them), and a null definition (a field a save leaves out) is never placed. Their tags, joined.
std::string PlacedByDefinitionOrder(const std::vector<const CFieldDef*>& defs, int* refused)
{
    std::vector<std::pair<int, std::string>> placed;
    std::map<const CFieldDef*, int> counts;
    for (const CFieldDef* def : defs) {
        if (!def)
            continue;
        const int maximum = std::int16_t(def->GetMaxCount());
        if (maximum >= 0 && counts[def] >= maximum) {
            ++*refused;
            continue;
        }
        ++counts[def];
        const int order = def->GetSiblingOrder();
        const auto later = std::find_if(placed.begin(), placed.end(),
                                        [order](const auto& p) { return p.first > order; });
        placed.insert(later, {order, std::string(def->GetGedcomTag())});
    }
    std::string joined;
    for (const auto& [order, tag] : placed)
        joined += (joined.empty() ? "" : " ") + tag;
    return joined;
}

/// The same for children of parent given by their tags, none of them refused.
std::string PlacedByDefinitionOrder(const CFieldDef* parent, const std::vector<std::string>& tags)
{
    std::vector<const CFieldDef*> defs;
    for (const std::string& tag : tags)
        defs.push_back(parent->FindChildByGedcomTag(tag));
    int refused = 0;
    const std::string placed = PlacedByDefinitionOrder(defs, &refused);
    EXPECT_EQ(refused, 0);
    return placed;
}

// A load links a child last at once while the file follows definition order; children that
// come out of order, at any level and in any mix with ordered ones, must land exactly where
// placing them one at a time would put them.
TEST_F(GedcomLoaderTest, ChildrenInAnyOrderLandWhereOneByOnePlacingPutsThem)
{
    const std::vector<std::string> recordTags = {"OCCU", "NAME", "BIRT", "SEX",  "NOTE", "NAME",
                                                 "TITL", "DEAT", "OCCU", "BURI", "BAPM", "CHR"};
    const std::vector<std::string> birthTags = {"NOTE", "PLAC", "DATE", "NOTE", "AGE", "NOTE"};
    const std::vector<std::string> deathTags = {"DATE", "PLAC", "NOTE"};
    std::vector<std::string> lines = {"0 @I1@ INDI"};
    for (const std::string& tag : recordTags) {
        const bool event =
            tag == "BIRT" || tag == "DEAT" || tag == "BURI" || tag == "CHR" || tag == "BAPM";
        lines.push_back("1 " + tag +
                        (tag == "SEX"    ? " M"
                         : tag == "NAME" ? " A /B/"
                         : event         ? ""
                                         : " v"));
        const auto& sub = tag == "BIRT"   ? birthTags
                          : tag == "DEAT" ? deathTags
                                          : std::vector<std::string>{};
        for (const std::string& subTag : sub)
            lines.push_back("2 " + subTag +
                            (subTag == "DATE"  ? " 1900"
                             : subTag == "AGE" ? " 5y"
                                               : " w"));
    }
    ASSERT_TRUE(Load(File("in.ged", GedcomText(lines))));
    const CRecordNode* person = FirstRecord(0);
    const std::string placed = PlacedByDefinitionOrder(person->GetFieldDef(), recordTags);
    EXPECT_EQ(ChildTags(person), placed);
    EXPECT_NE(placed.substr(0, 5), "OCCU "); // the file's order is not the definitions'
    const CDataNode* birth =
        person->FindChildByDef(person->GetFieldDef()->FindChildByGedcomTag("BIRT"));
    const CDataNode* death =
        person->FindChildByDef(person->GetFieldDef()->FindChildByGedcomTag("DEAT"));
    ASSERT_TRUE(birth && death);
    EXPECT_EQ(ChildTags(birth), PlacedByDefinitionOrder(birth->GetFieldDef(), birthTags));
    EXPECT_EQ(ChildTags(death), PlacedByDefinitionOrder(death->GetFieldDef(), deathTags));
    EXPECT_TRUE(m_messages.empty());
}

// A record may hold a great many lines (a hostile file gives one a hundred thousand); those
// are placed and counted against their maximum through an index of the record's children
// rather than by walking them. Whatever the mix, they must land as the rule puts them one by
// one and be refused as it refuses them, as must fields taken out or kept as user-defined ones
// among them: an interleaving of a field with one past its maximum, a block of each, and a
// random mix, in the record and below an event.
TEST_F(GedcomLoaderTest, ManyChildrenLandWhereOneByOnePlacingPutsThem)
{
    std::vector<std::string> interleaved;
    std::vector<std::string> blocks(150, "NAME A /B/");
    for (int i = 0; i < 150; ++i) {
        interleaved.insert(interleaved.end(), {"NAME A /B/", "SEX M"});
        blocks.push_back("SEX M");
    }
    // Left out ("TITL" and "RESI" without anything) and kept as user-defined fields ("CONL Y",
    // which a save would leave out, and "BIRT xyz", a value an event cannot take) among the others.
    const std::vector<std::string> pool = {"NAME A /B/", "SEX M",  "OCCU v", "TITL v",
                                           "TITL",       "CONL Y", "NOTE v", "BIRT xyz",
                                           "RESI",       "EDUC v", "AFN 1",  "RESN locked"};
    std::mt19937 random(11);
    std::vector<std::string> mixed;
    for (int i = 0; i < 600; ++i)
        mixed.push_back(pool[random() % pool.size()]);
    // Fields taken out and kept right after many in order, while the index has not yet taken
    // in the last of them.
    std::vector<std::string> blocksThenKept = blocks;
    blocksThenKept.insert(blocksThenKept.end(),
                          {"CONL Y", "NAME A /B/", "TITL", "BIRT xyz", "SEX F", "CONL Y"});
    for (const auto& lines : {interleaved, blocks, blocksThenKept, mixed}) {
        std::vector<std::string> file = {"0 @I1@ INDI"};
        for (const std::string& line : lines)
            file.push_back("1 " + line);
        file.push_back("1 BIRT");
        for (int i = 0; i < 100; ++i)
            file.insert(file.end(), {"2 NOTE w", "2 DATE 1900", "2 PLAC p"});
        ASSERT_TRUE(Load(File("in.ged", GedcomText(file))));
        const CRecordNode* person = FirstRecord(0);
        const CFieldDef* personDef = person->GetFieldDef();
        const auto userDefined = [personDef](std::string_view tag) {
            for (const CFieldDef* def = personDef->GetFirstChild(); def;
                 def = def->GetNextSibling()) {
                if (def->HasFlag(FDF_USER_DEFINED) && def->GetGedcomTag() == tag)
                    return def;
            }
            return static_cast<const CFieldDef*>(nullptr);
        };
        std::vector<const CFieldDef*> defs;
        for (const std::string& line : lines) {
            const std::string tag = line.substr(0, line.find(' '));
            defs.push_back(line == "TITL" || line == "RESI" ? nullptr
                           : line == "CONL Y" || line == "BIRT xyz"
                               ? userDefined(tag)
                               : personDef->FindChildByGedcomTag(tag));
        }
        defs.push_back(personDef->FindChildByGedcomTag("BIRT"));
        int refused = 0;
        EXPECT_EQ(ChildTags(person), PlacedByDefinitionOrder(defs, &refused));
        const CDataNode* birth = person->GetFirstChild();
        while (birth && birth->GetFieldDef() != defs.back())
            birth = birth->GetNextSibling();
        ASSERT_NE(birth, nullptr);
        std::vector<const CFieldDef*> birthDefs;
        for (int i = 0; i < 100; ++i) {
            for (const char* tag : {"NOTE", "DATE", "PLAC"})
                birthDefs.push_back(birth->GetFieldDef()->FindChildByGedcomTag(tag));
        }
        EXPECT_EQ(ChildTags(birth), PlacedByDefinitionOrder(birthDefs, &refused));
        const std::string report = Report();
        int reported = 0;
        for (std::size_t at = report.find("(exceeds max)"); at != std::string::npos;
             at = report.find("(exceeds max)", at + 1))
            ++reported;
        EXPECT_EQ(reported, refused);
        EXPECT_GT(refused, 0);
    }
}

// What the report lists as skipped is not in the record either, and lines after it land where
// they would without it; what it lists as kept is there as a user-defined field.
TEST_F(GedcomLoaderTest, FieldsASaveLeavesOutAreTakenOutAndKeptOnesStay)
{
    ASSERT_TRUE(
        Load(File("in.ged", GedcomText({"0 @I1@ INDI", "1 SEX", "1 NAME A /B/", "1 TITL", "1 BIRT",
                                        "2 DATE", "3 TIME 10:00", "2 PLAC P", "1 CONL Y", "2 DATE",
                                        "1 OCCU", "1 OCCU Smith", "1 _FLAG"}))));
    const CRecordNode* person = FirstRecord(0);
    // User-defined fields come last, in the order their definitions were made.
    const std::string tags = ChildTags(person);
    EXPECT_TRUE(tags == "NAME BIRT OCCU _FLAG CONL" || tags == "NAME BIRT OCCU CONL _FLAG") << tags;
    const CDataNode* birth = person->GetFirstChild()->GetNextSibling();
    EXPECT_EQ(ChildTags(birth), "PLAC");
    const CDataNode* kept = person->GetFirstChild();
    while (kept && kept->GetFieldDef()->GetGedcomTag() != "CONL")
        kept = kept->GetNextSibling();
    ASSERT_TRUE(kept);
    EXPECT_TRUE(kept->GetFieldDef()->HasFlag(FDF_USER_DEFINED));
    EXPECT_EQ(ValueOf(kept), "Y");
}

// A note record's value makes a child of the record before its lines are read: the lines
// join it, in order and out of it, and none takes its place.
TEST_F(GedcomLoaderTest, ChildrenMadeByAValueStayWhenTheLinesJoinThem)
{
    ASSERT_TRUE(Load(File("in.ged", GedcomText({"0 @N1@ NOTE first", "1 REFN r", "1 CONT more",
                                                "1 REFN q", "1 SOUR @S1@", "1 RIN 5", "1 SOUR @S1@",
                                                "0 @S1@ SOUR", "1 TITL t"}))));
    const CRecordNode* note = FirstRecord(2);
    const CDataNode* text = note->FindChild(nullptr, FIELD_TEXT);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(ValueOf(text), "first\nmore");
    std::string tags = ChildTags(note);
    std::erase(tags, ' ');
    EXPECT_EQ(tags.size(), std::string("TEXTREFNREFNSOURSOURRIN").size()) << ChildTags(note);
}

// A tag's definition is found through a cache keyed by the tag's bytes, read eight at a time
// where the line is that long, four at a time where a short line's tag is no longer: tags that
// begin alike, and a value that continues a shorter tag's bytes, must still find their own
// definitions.
TEST_F(GedcomLoaderTest, TagsThatBeginAlikeKeepTheirOwnFields)
{
    ASSERT_TRUE(Load(
        File("in.ged",
             GedcomText({"0 @I1@ INDI", "1 _AB CDEFGH", "1 _ABC DEFGH", "1 _ABCDEFG long value",
                         "1 _ABCDEF G", "1 _AB", "1 _ABC x", "1 NAME A /B/", "1 NAM", "1 NAMEX y",
                         "1 _XY a", "1 _XY b", "1 _XZ c", "1 _X d", "1 _X e", "1 _XZ"}))));
    std::string fields;
    for (const CDataNode* child = FirstRecord(0)->GetFirstChild()->GetNextSibling(); child;
         child = child->GetNextSibling())
        fields += std::string(child->GetFieldDef()->GetGedcomTag()) + "=" + ValueOf(child) + ";";
    EXPECT_EQ(ChildTags(FirstRecord(0)).substr(0, 5), "NAME ");
    EXPECT_EQ(fields, "_AB=CDEFGH;_ABC=DEFGH;_ABCDEFG=long value;_ABCDEF=G;_AB=;_ABC=x;NAM=;"
                      "NAMEX=y;_XY=a;_XY=b;_XZ=c;_X=d;_X=e;_XZ=;");
}

TEST_F(GedcomLoaderTest, EveryRecordTypeGoesToItsRoot)
{
    ASSERT_TRUE(
        Load(File("in.ged", GedcomText({"0 @U1@ SUBM", "1 NAME S", "0 @B1@ SUBN", "0 @I1@ INDI",
                                        "0 @F1@ FAM", "0 @N1@ NOTE n", "0 @S1@ SOUR", "0 @R1@ REPO",
                                        "0 @O1@ OBJE", "1 FORM jpg"}))));
    for (int listIndex = 0; listIndex < RECORD_TYPE_COUNT; ++listIndex) {
        EXPECT_EQ(CountRecords(listIndex), 1) << listIndex;
        EXPECT_EQ(FirstRecord(listIndex)->GetRecordNumber(), listIndex == 8 ? 0 : 1);
    }
}

/// Emptying the data set frees the node memory whole; what nodes kept beside it (links, kept
/// identifiers, custom attributes, dates' second values, unreadable ages, long keys, BLOB
/// texts, multimedia) goes with it, so that the next load reads the same file to the same
/// bytes. The sanitizer build's leak check covers what a count cannot see.
TEST_F(GedcomLoaderTest, AFileLoadsTheSameAfterTheDataSetIsEmptiedWhole)
{
    for (const char* name : {"gedcom/TGC551.ged", "gedcom/age-invalid.ged", "gedcom/enum-ext.ged",
                             "gedcom/date-all.ged", "gedcom/obje-1.ged", "gedcom/xref-case.ged"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(Load(test_support::DataPath(name)));
        const std::string first = Save(PathOf("saved.ged"));
        DeleteAllRecords();
        EXPECT_EQ(CAssocLinkTable::Count(), 0u);
        EXPECT_EQ(CAssocNode::CountKeptTexts(), 0u);
        EXPECT_EQ(CCustomAttrNode::GetFirstCustomAttr(), nullptr);
        EXPECT_EQ(CIndRec::GetLiveCount(), 0);
        EXPECT_EQ(CObjRec::GetLiveCount(), 0);
        ASSERT_TRUE(Load(test_support::DataPath(name)));
        EXPECT_EQ(Save(PathOf("saved.ged")), first) << "the file saved again";
        DeleteAllRecords();
    }
}

TEST_F(GedcomLoaderTest, ChainedMultimediaRecordsJoinIntoTheFirst)
{
    std::string content;
    for (int i = 0; i < 200; ++i)
        content += char(i * 7);
    const std::string blob = EncodeBlob(content);
    ASSERT_GT(blob.size(), 144u);
    ASSERT_TRUE(Load(
        File("in.ged",
             GedcomText({"0 @O1@ OBJE", "1 FORM bmp", "1 BLOB", "2 CONT " + blob.substr(0, 72),
                         "1 OBJE @O2@", "0 @O2@ OBJE", "1 BLOB", "2 CONT " + blob.substr(72, 72),
                         "1 OBJE @O3@", "0 @O3@ OBJE", "1 BLOB", "2 CONT " + blob.substr(144)}))));
    ASSERT_EQ(CountRecords(7), 1);
    const auto* object = dynamic_cast<const CObjRec*>(FirstRecord(7));
    ASSERT_NE(object, nullptr);
    std::ifstream file(object->GetWorkingFile(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), content);
    EXPECT_EQ(GetRecordIdState(7)->m_counter, 1);
}

TEST_F(GedcomLoaderTest, ProgressRunsOverTheFileThenOverTheLinks)
{
    const std::string path =
        File("in.ged", GedcomText({"0 @I1@ INDI", "1 FAMS @F1@", "0 @F1@ FAM", "1 HUSB @I1@"}));
    CProgressRecorder progress;
    ASSERT_TRUE(LoadGedcomFile(path, &progress, nullptr));
    const std::vector<CProgressRecorder::Call> calls = progress.TakeCalls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front(),
              (CProgressRecorder::Call{CProgressRecorder::Call::Begin,
                                       long(std::filesystem::file_size(path)), "Loading file..."}));
    EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const CProgressRecorder::Call& c) {
        return c.kind == CProgressRecorder::Call::Reset && c.value == 2 &&
               c.text == "Initialising data...";
    }));
    EXPECT_EQ(calls.back().kind, CProgressRecorder::Call::End);
}

class CFileLinksDialogFake final : public IFileLinksDialog {
public:
    bool ShowMovedFile(const std::string& newPath, const std::string& previousPath) override
    {
        m_shown.push_back(newPath + " | " + previousPath);
        return m_changes;
    }
    std::vector<std::string> m_shown;
    bool m_changes = true;
};

TEST_F(GedcomLoaderTest, FileLinksDialogOpensOnlyForAFileWithMultimediaThatMoved)
{
    CFileLinksDialogFake dialog;
    SetFileLinksDialog(&dialog);
    const std::string moved = PathOf("moved.ged");
    const std::string stayed = PathOf("stayed.ged");
    const auto file = [&](const std::string& path, const std::string& stored) {
        std::vector<std::string> lines = kHeader;
        lines.insert(lines.begin() + 2, "1 FILE " + stored);
        lines.insert(lines.end(), {"0 @O1@ OBJE", "1 FORM jpg", "0 TRLR"});
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        return test_support::WriteFile(path, text);
    };
    bool linksChanged = false;
    ASSERT_TRUE(LoadGedcomFile(file(moved, "C:\\Old\\moved.ged"), nullptr, &linksChanged));
    EXPECT_TRUE(linksChanged);
    ASSERT_TRUE(LoadGedcomFile(file(stayed, text::ToUpper(stayed)), nullptr, &linksChanged));
    EXPECT_FALSE(linksChanged);
    // Shown, but closed with no stored name changed: nothing is marked changed.
    dialog.m_changes = false;
    ASSERT_TRUE(LoadGedcomFile(file(moved, "C:\\Old\\moved.ged"), nullptr, &linksChanged));
    EXPECT_FALSE(linksChanged);
    SetFileLinksDialog(nullptr);
    EXPECT_EQ(dialog.m_shown, std::vector<std::string>(2, moved + " | C:\\Old\\moved.ged"));
}

} // namespace
