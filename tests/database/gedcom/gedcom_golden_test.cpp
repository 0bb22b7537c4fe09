// tests/database/gedcom/gedcom_golden_test.cpp: files in every character set and identifier form,
// built by the test, load to the same records, the same exception report and the same saved bytes
// as they did when the hashes below were taken. A speed change to the loader or the writer must
// leave every hash as it is; change one only with a deliberate change to what is read or written.
#include "bench/copies/real_file_copies.h"
#include "tests/database/gedcom/gedcom_test_support.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace {

/// FNV-1a, 64 bits, as 16 hex digits.
std::string Hash(std::string_view bytes)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

/// The text with a path of this run's files (ASCII) replaced by a name of its own, in UTF-8 and
/// in both forms of UTF-16.
std::string WithoutPath(std::string text, const std::string& path, std::string_view name)
{
    const auto replace = [&text](const std::string& what, std::string_view by) {
        for (std::size_t at; (at = text.find(what)) != std::string::npos;)
            text.replace(at, what.size(), by);
    };
    replace(path, name);
    std::string little, big;
    for (const char c : path) {
        little += {c, '\0'};
        big += {'\0', c};
    }
    replace(little, name);
    replace(big, name);
    return text;
}

/// The report less its first line, which carries the day.
std::string WithoutDay(std::string report)
{
    return report.erase(0, std::min(report.size(), report.find('\n')));
}

/// What a file loaded to and saved as: hashes of the records (their dump), the exception
/// report and the saved bytes.
struct Golden {
    const char* name;
    std::string records, report, saved;
};

std::ostream& operator<<(std::ostream& out, const Golden& g)
{
    return out << "{\"" << g.name << "\", \"" << g.records << "\", \"" << g.report << "\", \""
               << g.saved << "\"}";
}

/// A file that mixes standard and non-standard identifiers in several record types, a record
/// without one, and references to records the file lacks; in ANSEL, with a mark that ends a
/// line and belongs to the letter that starts the next.
const std::string& MixedIdFile()
{
    static const std::string text = gedcom_test::CrLf({
        "0 HEAD",
        "1 CHAR ANSEL",
        "1 GEDC",
        "2 VERS 5.5",
        "0 @I1@ INDI",
        "1 NAME Ann /Alder/",
        "1 FAMS @F1@",
        "0 @X7@ INDI",
        "1 NAME B\xE2"
        "eatrix /Birch/",
        "1 FAMC @F1@",
        "0 @I3@ INDI",
        "1 NAME Carl /Cedar/",
        "1 FAMS @FAM_B@",
        "1 ASSO @P5@",
        "0 @P5@ INDI",
        "1 NAME D\xF0"
        "ora /Dogwood/",
        "0 @I2@ INDI",
        "1 NAME Ed /Elm/",
        "0 @17@ INDI",
        "1 NAME Fay /Fir/",
        "1 FAMC @F9@",
        "0 INDI",
        "1 NAME Gil /Gum/",
        "0 @F1@ FAM",
        "1 HUSB @I1@",
        "1 CHIL @X7@",
        "1 NOTE @N_one@",
        "0 @FAM_B@ FAM",
        "1 WIFE @I3@",
        "1 CHIL @I99@",
        "0 @F2@ FAM",
        "1 HUSB @I2@",
        "0 @N_one@ NOTE Text of the first note, its mark at the line's end: caf\xE2",
        "1 CONC e au lait",
        "0 @N2@ NOTE Second note",
        "1 CONT with two lines",
        "0 @S1@ SOUR",
        "1 TITL Register",
        "1 NOTE @N2@",
        "0 TRLR",
    });
    return text;
}

class GedcomGoldenTest : public gedcom_test::CGedcomTest {
protected:
    /// Loads the file (every question answered by default) and saves it in its own format.
    Golden Take(const char* name, const std::string& path)
    {
        Golden golden{name, {}, {}, {}};
        if (!Load(path))
            return golden;
        golden.records = Hash(gedcom_test::DumpDataSet());
        golden.report = Hash(WithoutPath(WithoutDay(Report()), path, "IN"));
        const std::string out = PathOf("saved.ged");
        golden.saved = Hash(WithoutPath(Save(out), out, "OUT"));
        return golden;
    }

    /// The copies of a sample in a variant, in the test's folder.
    std::string Copies(const std::string& sample, std::int32_t copies, CopyVariant variant)
    {
        std::ostringstream bytes;
        WriteRealFileCopies(bytes,
                            test_support::ReadFile(test_support::DataPath("gedcom/" + sample)),
                            copies, variant);
        return File(sample + "-" + CopyVariantName(variant) + ".ged", bytes.str());
    }

    static void ExpectAsBefore(const Golden& taken, const Golden& expected)
    {
        EXPECT_EQ(taken.records, expected.records) << "records of " << taken;
        EXPECT_EQ(taken.report, expected.report) << "report of " << taken;
        EXPECT_EQ(taken.saved, expected.saved) << "saved bytes of " << taken;
    }
};

TEST_F(GedcomGoldenTest, EveryCharacterSetAndIdentifierFormLoadsAndSavesAsBefore)
{
    const Golden expected[] = {
        {"royal92 utf8", "be1c6b0b218b1e4c", "26e38ef36b1cd68a", "2b1ce14d32e1d65f"},
        {"royal92 ansel", "be1c6b0b218b1e4c", "26e38ef36b1cd68a", "abf171754ecf0aae"},
        {"royal92 ansel-text-ids", "d27fb5d587f01653", "77ebf3046485b66e", "4414ef6b344e470b"},
        {"royal92 utf16", "be1c6b0b218b1e4c", "26e38ef36b1cd68a", "b45dbfb1bd47a7b9"},
        {"ansel sample utf8", "ba778738597ff4a5", "cbf29ce484222325", "b8be691f4f624bf1"},
        {"ansel sample ansel", "ba778738597ff4a5", "cbf29ce484222325", "4093da9f965cb133"},
        {"ansel sample ansel-text-ids", "f8e382e009510de7", "cbf29ce484222325", "72c6546696c63555"},
        {"ansel sample utf16", "ba778738597ff4a5", "cbf29ce484222325", "8f8fb31f192839b2"},
        {"windows-1252", "72b4917d8549ebe5", "66c8235867cf1253", "eb9b381a8b23cf2a"},
        {"utf-16 big-endian", "47074042334d3107", "cbf29ce484222325", "aafddf6bfc9cc206"},
        {"mixed identifiers", "405ae1e1cf87e8c4", "925618d0a24590a8", "e8c5bd9aa7e1d32a"},
    };
    const CopyVariant variants[] = {CopyVariant::Utf8Numbered, CopyVariant::AnselNumbered,
                                    CopyVariant::AnselTextIds, CopyVariant::Utf16Numbered};
    std::vector<Golden> taken;
    for (const CopyVariant variant : variants)
        taken.push_back(Take(expected[taken.size()].name, Copies("royal92.ged", 2, variant)));
    for (const CopyVariant variant : variants)
        taken.push_back(
            Take(expected[taken.size()].name, Copies("roundtrip-ansel.ged", 3, variant)));
    for (const char* sample : {"irish-kings-ftm17-cp1252.ged", "555SAMPLE16BE.GED"})
        taken.push_back(Take(expected[taken.size()].name,
                             test_support::DataPath("gedcom/" + std::string(sample))));
    taken.push_back(Take(expected[taken.size()].name, File("mixed.ged", MixedIdFile())));
    for (std::size_t i = 0; i < taken.size(); ++i)
        ExpectAsBefore(taken[i], expected[i]);
}

TEST_F(GedcomGoldenTest, AFileOfSeveralMegabytesLoadsAndSavesAsBefore)
{
    // From 4 MiB on, a load has the node pool commit its memory on a thread of its own.
    const std::string path = Copies("royal92.ged", 9, CopyVariant::Utf8Numbered);
    ASSERT_GE(std::filesystem::file_size(path), std::uintmax_t(4) << 20);
    const Golden expected{"royal92 utf8, 9 copies", "851caaed8ca31ef8", "e79c6f057fa968de",
                          "4b4efa57b77b9ac1"};
    ExpectAsBefore(Take(expected.name, path), expected);
}

TEST_F(GedcomGoldenTest, MixedIdentifiersAreRenumberedAsBefore)
{
    ASSERT_TRUE(Load(File("mixed.ged", MixedIdFile())));
    EXPECT_EQ(gedcom_test::RecordIds(), "I1 I100 I3 I101 I2 I102 I103 F1 F10 F2 N3 N2 S1");
}

} // namespace
