// tests/database/gedcom/gedcom_writer_test.cpp: the save driver: the header kept, the file's
// character set and line ends kept, record order, and saves that fail without harming the file.
#include "database/fields/text_value_node.h"
#include "tests/database/gedcom/gedcom_test_support.h"
#include "tests/support/file_size_limit.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

using gedcom_test::CrLf;

class GedcomWriterTest : public gedcom_test::CGedcomTest {};

TEST_F(GedcomWriterTest, HeaderIsKeptAndItsFileNamesThePathSavedTo)
{
    const std::string in = File(
        "in.ged", CrLf({"0 HEAD", "1 SOUR OTHER", "2 VERS 3.1", "1 DEST ANY", "1 DATE 1 JAN 2020",
                        "1 FILE C:\\old\\in.ged", "1 GEDC", "2 VERS 5.5", "2 FORM LINEAGE-LINKED",
                        "1 CHAR UTF-8", "1 NOTE About this file", "0 TRLR"}));
    ASSERT_TRUE(Load(in));
    const std::string out = PathOf("out.ged");
    EXPECT_EQ(Save(out),
              CrLf({"0 HEAD", "1 SOUR OTHER", "2 VERS 3.1", "1 DEST ANY", "1 DATE 1 JAN 2020",
                    "1 FILE " + out, "1 GEDC", "2 VERS 5.5", "2 FORM LINEAGE-LINKED",
                    "1 CHAR UTF-8", "1 NOTE About this file", "0 TRLR"}));
}

TEST_F(GedcomWriterTest, MissingFileLineTakesItsPlaceInTheHeader)
{
    ASSERT_TRUE(Load(File("in.ged", CrLf({"0 HEAD", "1 SOUR OTHER", "1 GEDC", "2 VERS 5.5",
                                          "2 FORM LINEAGE-LINKED", "1 CHAR UTF-8", "0 TRLR"}))));
    const std::string out = PathOf("out @ home.ged");
    EXPECT_EQ(Save(out),
              CrLf({"0 HEAD", "1 SOUR OTHER", "1 FILE " + PathOf("out @@ home.ged"), "1 GEDC",
                    "2 VERS 5.5", "2 FORM LINEAGE-LINKED", "1 CHAR UTF-8", "0 TRLR"}));
}

TEST_F(GedcomWriterTest, ANoteRecordsTextFillsItsLinesToTheLimitAndNeverPastIt)
{
    // "0 @N1@ NOTE " takes 12 characters; the text is read in two pieces and written in as few
    // lines as the limit allows.
    for (const int length : {kMaxGedcomLine - 13, kMaxGedcomLine - 12, kMaxGedcomLine - 11}) {
        SCOPED_TRACE(length);
        const std::string text(std::size_t(length), 'n');
        ASSERT_TRUE(Load(File("in.ged", CrLf({"0 HEAD", "0 @N1@ NOTE " + text.substr(0, 100),
                                              "1 CONC " + text.substr(100), "0 TRLR"}))));
        const std::string saved = Save(PathOf("out.ged"));
        const std::size_t start = saved.find("0 @N1@ NOTE ");
        ASSERT_NE(start, std::string::npos);
        std::string joined;
        std::size_t lines = 0;
        for (std::size_t at = start; at < saved.size() && (at == start || saved[at] != '0');) {
            const std::size_t end = saved.find("\r\n", at);
            const std::string line = saved.substr(at, end - at);
            EXPECT_LE(int(line.size()), kMaxGedcomLine) << line;
            joined += line.substr(at == start ? 12 : 7); // after "0 @N1@ NOTE " or "1 CONC "
            ++lines;
            at = end + 2;
        }
        EXPECT_EQ(joined, text);
        EXPECT_EQ(lines, length <= kMaxGedcomLine - 12 ? 1u : 2u);
    }
}

TEST_F(GedcomWriterTest, DataSetWithoutHeaderGetsOneOfItsOwn)
{
    const std::string out = PathOf("new.ged");
    GedcomFileFormat format;
    std::string error;
    ASSERT_TRUE(SaveGedcomFile(out, format, error)) << error;
    EXPECT_EQ(test_support::ReadFile(out),
              CrLf({"0 HEAD", "1 SOUR ARDENVEL", "2 NAME Ardenvel", "1 FILE " + out, "1 GEDC",
                    "2 VERS 5.5", "2 FORM LINEAGE-LINKED", "1 CHAR UTF-8", "0 TRLR"}));
}

TEST_F(GedcomWriterTest, FamiliesComeFirstWhenThePreferenceSaysSo)
{
    ASSERT_TRUE(Load(File("in.ged", CrLf({"0 HEAD", "0 @N1@ NOTE n", "0 @I1@ INDI", "1 FAMS @F1@",
                                          "0 @F1@ FAM", "1 HUSB @I1@", "0 TRLR"}))));
    const std::string normal = Save(PathOf("normal.ged"));
    EXPECT_LT(normal.find("0 @I1@ INDI"), normal.find("0 @F1@ FAM"));
    EXPECT_LT(normal.find("0 @F1@ FAM"), normal.find("0 @N1@ NOTE"));
    Prefs().m_familiesFirst = true;
    const std::string familiesFirst = Save(PathOf("families.ged"));
    EXPECT_LT(familiesFirst.find("0 @F1@ FAM"), familiesFirst.find("0 @I1@ INDI"));
    EXPECT_LT(familiesFirst.find("0 @I1@ INDI"), familiesFirst.find("0 @N1@ NOTE"));
}

// ---- Character sets and line ends ---------------------------------------------------------

struct FormatCase {
    const char* name;
    std::string in;
    std::vector<std::string> expected; // byte strings the saved file holds
    std::vector<std::string> absent;   // byte strings it must not hold
};

class GedcomWriterFormatTest : public gedcom_test::CGedcomTest,
                               public testing::WithParamInterface<FormatCase> {};

TEST_P(GedcomWriterFormatTest, KeepsTheFileFormatWhereEveryCharacterFits)
{
    ASSERT_TRUE(Load(File("in.ged", GetParam().in)));
    const std::string saved = Save(PathOf("out.ged"));
    for (const std::string& bytes : GetParam().expected)
        EXPECT_NE(saved.find(bytes), std::string::npos) << bytes;
    for (const std::string& bytes : GetParam().absent)
        EXPECT_EQ(saved.find(bytes), std::string::npos) << bytes;
}

std::string Utf16Le(std::string_view ascii)
{
    std::string out;
    for (const char c : ascii)
        out += std::string{c, '\0'};
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GedcomWriterFormatTest,
    testing::Values(
        FormatCase{"AnselKeepsItsBytes",
                   "0 HEAD\n1 CHAR ANSEL\n0 @I1@ INDI\n1 NAME Jos\xE2"
                   "e /M\xE8uller/\n0 TRLR\n",
                   {"1 CHAR ANSEL\n", "1 NAME Jos\xE2"
                                      "e /M\xE8uller/\n"},
                   {"\r"}},
        FormatCase{"AnsiKeepsItsBytes",
                   "0 HEAD\r1 CHAR ANSI\r0 @I1@ INDI\r1 NAME Ren\xE9\r0 TRLR\r",
                   {"1 CHAR ANSI\r", "1 NAME Ren\xE9\r"},
                   {"\n"}},
        FormatCase{"AsciiWithALetterOutsideItBecomesUtf8",
                   "0 HEAD\n\r1 CHAR ASCII\n\r0 @I1@ INDI\n\r1 NAME Ren\xE9\n\r0 TRLR\n\r",
                   {"1 CHAR UTF-8\n\r", "1 NAME Ren\xC3\xA9\n\r"},
                   {"ASCII"}},
        FormatCase{"FileWithoutCharStaysWithoutIt",
                   "0 HEAD\r\n0 @I1@ INDI\r\n0 TRLR\r\n",
                   {"0 HEAD\r\n1 FILE "},
                   {"CHAR"}},
        FormatCase{"Utf16KeepsItsByteOrderAndMark",
                   "\xFF\xFE" + Utf16Le("0 HEAD\r\n1 CHAR UNICODE\r\n0 @I1@ INDI\r\n0 TRLR\r\n"),
                   {"\xFF\xFE" + Utf16Le("0 HEAD\r\n"), Utf16Le("1 CHAR UNICODE\r\n"),
                    Utf16Le("0 @I1@ INDI\r\n0 TRLR\r\n")},
                   {}}),
    [](const testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

TEST_F(GedcomWriterTest, SaveAfterASwitchToUtf8ReportsTheNewFormat)
{
    ASSERT_TRUE(Load(File("in.ged", "0 HEAD\r\n1 CHAR ASCII\r\n0 @I1@ INDI\r\n1 NAME Ren\xE9\r\n"
                                    "0 TRLR\r\n")));
    EXPECT_NE(Report().find("* Bytes not valid in the file's character set (ASCII): 1;"),
              std::string::npos)
        << "the letter outside ASCII was read by a guess";
    GedcomFileFormat format = GetLoadedFileFormat();
    EXPECT_EQ(format.encoding.charset, GedcomCharset::Ascii);
    std::string error;
    ASSERT_TRUE(SaveGedcomFile(PathOf("out.ged"), format, error)) << error;
    EXPECT_EQ(format.encoding.charset, GedcomCharset::Utf8);
}

// ---- Failed saves -------------------------------------------------------------------------

struct FailureCase {
    const char* name;
    std::string target; // relative to the test's folder unless absolute
    std::string reason; // the error the save gives; empty: any error
    bool targetExists;  // an older file stands at the target
    bool fullDisk;      // writes past a few bytes fail
};

class GedcomWriterFailureTest : public gedcom_test::CGedcomTest,
                                public testing::WithParamInterface<FailureCase> {};

TEST_P(GedcomWriterFailureTest, LeavesTheTargetAsItWasAndSaysWhy)
{
    const FailureCase& c = GetParam();
    ASSERT_TRUE(Load(File("in.ged", CrLf({"0 HEAD", "0 @I1@ INDI",
                                          "1 NAME A long name /To "
                                          "Write/",
                                          "1 NOTE " + std::string(300, 'n'), "0 TRLR"}))));
    const std::string target = c.target.starts_with('/') ? c.target : PathOf(c.target);
    if (c.targetExists)
        test_support::WriteFile(target, "the only copy");
    const std::string folder = std::filesystem::path(target).parent_path();
    const std::string name = std::filesystem::path(target).filename();
    // Only names that hold the target's name count: a temporary file beside it carries it, and
    // a folder such as /proc changes on its own while other tests run.
    const auto entries = [&] {
        std::error_code ignored;
        std::ptrdiff_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
            count += entry.path().filename().string().find(name) != std::string::npos;
        return count;
    };
    const auto before = entries();
    GedcomFileFormat format = GetLoadedFileFormat();
    std::string error;
    bool saved = true;
    if (c.fullDisk) {
        const FileSizeLimit limit(64);
        saved = SaveGedcomFile(target, format, error);
    } else {
        saved = SaveGedcomFile(target, format, error);
    }
    EXPECT_FALSE(saved);
    if (c.reason.empty()) {
        EXPECT_FALSE(error.empty());
    } else {
        EXPECT_EQ(error, c.reason);
    }
    if (c.targetExists) {
        EXPECT_EQ(test_support::ReadFile(target), "the only copy");
    }
    EXPECT_EQ(entries(), before) << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GedcomWriterFailureTest,
    testing::Values(
        FailureCase{"FolderMissing", "no such folder/out.ged", std::strerror(ENOENT), false, false},
        FailureCase{"FolderNotWritable", "/proc/ardenvel-save-test.ged", "", false, false},
        FailureCase{"TargetIsAFolder", ".", std::strerror(EISDIR), false, false},
        FailureCase{"WriteFailsPartWay", "out.ged", std::strerror(EFBIG), true, true}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

} // namespace
