// tests/common/backup_archive_test.cpp: backup archives checked by an independent zip reader, read
// back, damaged and forged; plain copies; the names a backup and a restore propose.
#include "common/backup_archive.h"

#include "platform/base/ole_date_time.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using testing::AnyOf;
using testing::HasSubstr;

/// Some GEDCOM text and bytes of every value, long enough to take many read pieces.
std::string SampleContent()
{
    std::string content = "0 HEAD\r\n1 CHAR UTF-8\r\n0 @I1@ INDI\r\n1 NAME Ann /Lee/\r\n";
    std::uint32_t state = 12345;
    for (int i = 0; i < 30000; ++i) {
        state = state * 1103515245u + 12345u;
        content += char(state >> 24);
    }
    return content + "0 TRLR\r\n";
}

/// The standard output of a shell command, and its exit status.
std::string RunCommand(const std::string& command, int& status)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return out;
    }
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, got);
    status = pclose(pipe);
    return out;
}

bool HaveUnzip()
{
    return std::system("command -v unzip >/dev/null 2>&1") == 0;
}

std::string Quoted(const std::string& path)
{
    return "'" + path + "'";
}

/// The files of a folder and its subfolders, as paths relative to it.
std::vector<std::string> FilesUnder(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (!entry.is_directory())
            names.push_back(std::filesystem::relative(entry.path(), folder).string());
    std::sort(names.begin(), names.end());
    return names;
}

void Put32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + std::size_t(i)] = char((value >> (8 * i)) & 0xFF);
}

void Put16(std::string& bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

class BackupArchiveTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_folder = test_support::NewFolder("backup");
        m_source = test_support::WriteFile(Path("Smith.ged"), SampleContent());
    }

    std::string Path(const std::string& name) const { return m_folder + "/" + name; }

    /// A backup archive of the source, its entry's name then changed to entryName.
    std::string MakeArchive(const std::string& entryName, const std::string& name = "b.zip")
    {
        const std::string archive = Path(name);
        const std::string source = test_support::WriteFile(
            Path("." + std::string(entryName.size() - 1, 'n')), SampleContent());
        EXPECT_EQ(WriteZipBackup(source, archive), ZipBackupResult::Ok);
        std::filesystem::remove(source);
        std::string bytes = test_support::ReadFile(archive);
        bytes.replace(30, entryName.size(), entryName);
        bytes.replace(bytes.rfind("PK\x01\x02") + 46, entryName.size(), entryName);
        return test_support::WriteFile(archive, bytes);
    }

    /// Restores the first entry of archive to target; the stored name goes to storedName.
    RestoreResult Restore(const std::string& archive, const std::string& target,
                          std::string* storedName = nullptr)
    {
        CZipBackupReader reader;
        if (reader.Open(archive) != CZipBackupReader::OpenResult::Ok) {
            ADD_FAILURE() << "the archive does not open";
            return RestoreResult::EntryUnreadable;
        }
        std::string name;
        EXPECT_EQ(reader.GoToFirstEntry(name), CZipBackupReader::EntryResult::Ok);
        if (storedName)
            *storedName = name;
        return reader.ExtractEntryTo(target);
    }

    std::string m_folder;
    std::string m_source;
};

TEST_F(BackupArchiveTest, AnIndependentReaderFindsOneDeflatedEntryWithTheComment)
{
    if (!HaveUnzip())
        GTEST_SKIP() << "the unzip program is not installed";
    // A time that differs in every field from midnight of the first day a zip entry can hold.
    std::tm changed{};
    changed.tm_sec = 58, changed.tm_min = 34, changed.tm_hour = 15, changed.tm_mday = 6;
    changed.tm_mon = 11, changed.tm_year = 126, changed.tm_isdst = -1;
    const std::time_t changedAt = std::mktime(&changed);
    const timespec times[2] = {{changedAt, 0}, {changedAt, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, m_source.c_str(), times, 0), 0);
    const std::string archive = Path("b.zip");
    ASSERT_EQ(WriteZipBackup(m_source, archive), ZipBackupResult::Ok);
    int status = 0;

    EXPECT_EQ(RunCommand("unzip -Z1 " + Quoted(archive), status), "Smith.ged\n");
    const std::string details = RunCommand("unzip -Z -v " + Quoted(archive), status);
    EXPECT_THAT(details, HasSubstr("file last modified on (DOS date/time):          "
                                   "2026 Dec 6 15:34:58"));
    EXPECT_THAT(details, HasSubstr("Unix file attributes (100644 octal):            -rw-r--r--"));
    EXPECT_THAT(details, HasSubstr("There is no zipfile comment."));
    EXPECT_THAT(details, HasSubstr("compression method:                             deflated"));
    EXPECT_THAT(details, HasSubstr("length of extra field:                          0 bytes"));
    EXPECT_THAT(details, HasSubstr("file comment begins ----------------------------\n"
                                   "Ardenvel Backup\n"));
    RunCommand("unzip -tq " + Quoted(archive) + " >/dev/null 2>&1", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(RunCommand("unzip -p " + Quoted(archive), status), SampleContent());
}

TEST_F(BackupArchiveTest, RestoreWritesTheFirstEntryBackAndGivesItsStoredName)
{
    const std::string archive = MakeArchive("D:\\Trees\\Smith.ged");
    std::string storedName;

    EXPECT_EQ(Restore(archive, Path("restored.ged"), &storedName), RestoreResult::Ok);

    EXPECT_EQ(storedName, "D:\\Trees\\Smith.ged");
    EXPECT_EQ(test_support::ReadFile(Path("restored.ged")), SampleContent());
}

TEST_F(BackupArchiveTest, ABackupThatCannotBeMadeSaysWhyAndLeavesTheOldArchive)
{
    const std::string archive = test_support::WriteFile(Path("old.zip"), "the old archive");
    test_support::WriteFile(Path("empty.ged"), "");
    struct Case {
        std::string source, archive;
        ZipBackupResult expected;
    } cases[] = {
        {Path("empty.ged"), archive, ZipBackupResult::SourceUnreadable},
        {Path("missing.ged"), archive, ZipBackupResult::SourceUnreadable},
        {m_source, Path("no such folder/b.zip"), ZipBackupResult::ArchiveUnopenable},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WriteZipBackup(c.source, c.archive), c.expected) << c.source;
    int error = 0;
    {
        const FileSizeLimit limit(4096);
        EXPECT_EQ(WriteZipBackup(m_source, archive, &error), ZipBackupResult::Failed);
    }
    EXPECT_EQ(error, EFBIG) << "the reason is told";
    EXPECT_EQ(test_support::ReadFile(archive), "the old archive");
    // A read-only archive is refused, not replaced.
    std::filesystem::permissions(archive, std::filesystem::perms::owner_read);
    EXPECT_EQ(WriteZipBackup(m_source, archive, &error), ZipBackupResult::ArchiveUnopenable);
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(test_support::ReadFile(archive), "the old archive");
    EXPECT_EQ(FilesUnder(m_folder),
              (std::vector<std::string>{"Smith.ged", "empty.ged", "old.zip"}));
}

TEST_F(BackupArchiveTest, APipeIsNeitherBackedUpNorRestoredAndNothingWaitsOnIt)
{
    const std::string pipe = test_support::MakePipe(Path("family.zip"));
    CZipBackupReader reader;
    auto opened = CZipBackupReader::OpenResult::Ok;
    EXPECT_TRUE(
        test_support::ReturnsWithoutWaitingOnPipe(pipe, [&] { opened = reader.Open(pipe); }));
    EXPECT_EQ(opened, CZipBackupReader::OpenResult::Unreadable);
    auto backedUp = ZipBackupResult::Ok;
    EXPECT_TRUE(test_support::ReturnsWithoutWaitingOnPipe(
        pipe, [&] { backedUp = WriteZipBackup(pipe, Path("b.zip")); }));
    EXPECT_EQ(backedUp, ZipBackupResult::SourceUnreadable);
    EXPECT_FALSE(std::filesystem::exists(Path("b.zip")));
}

TEST_F(BackupArchiveTest, AnArchiveWithoutEntriesIsToldApartFromOtherFiles)
{
    std::string empty(22, '\0');
    Put32(empty, 0, 0x06054b50);
    std::string commented = empty + "a comment";
    Put16(commented, 20, 9);
    std::string listsOne = empty;
    Put16(listsOne, 8, 1);
    Put16(listsOne, 10, 1);
    using Open = CZipBackupReader::OpenResult;
    const std::pair<std::string, Open> cases[] = {
        {test_support::WriteFile(Path("empty.zip"), empty), Open::NoEntry},
        {test_support::WriteFile(Path("commented.zip"), commented), Open::NoEntry},
        {test_support::WriteFile(Path("lists-one.zip"), listsOne), Open::Unreadable},
        {Path("missing.zip"), Open::Unreadable},
        {m_source, Open::Unreadable},
    };
    for (const auto& [path, expected] : cases) {
        CZipBackupReader reader;
        EXPECT_EQ(reader.Open(path), expected) << path;
        std::string name = "left over";
        EXPECT_EQ(reader.GoToFirstEntry(name), CZipBackupReader::EntryResult::NoEntry);
        EXPECT_EQ(name, "");
        EXPECT_EQ(reader.ExtractEntryTo(Path("out.ged")), RestoreResult::EntryUnreadable);
    }
    EXPECT_FALSE(std::filesystem::exists(Path("out.ged")));
}

/// A change made to the bytes of a good archive, and what restoring from it must give.
struct Damage {
    const char* name;
    std::function<void(std::string& bytes, std::size_t central)> apply;
    std::vector<RestoreResult> allowed;
};

class BackupArchiveDamageTest : public BackupArchiveTest,
                                public testing::WithParamInterface<Damage> {};

// Offsets in the local header (at 0) and in the central directory entry.
constexpr std::size_t kLocalMethod = 8, kLocalCrc = 14, kLocalSize = 22;
constexpr std::size_t kCentralMethod = 10, kCentralCrc = 16, kCentralSize = 24;

const Damage kDamages[] = {
    {"FlippedDataByte",
     [](std::string& bytes, std::size_t) { bytes[30 + 40 + 100] ^= 0x5A; },
     {RestoreResult::DataError}},
    {"WrongChecksum",
     [](std::string& bytes, std::size_t central) {
         Put32(bytes, kLocalCrc, 0x12345678);
         Put32(bytes, central + kCentralCrc, 0x12345678);
     },
     {RestoreResult::DataError}},
    {"DeclaredSizeTooSmall",
     [](std::string& bytes, std::size_t central) {
         Put32(bytes, kLocalSize, 1000);
         Put32(bytes, central + kCentralSize, 1000);
     },
     {RestoreResult::DataError}},
    {"DeclaredSizeHuge",
     [](std::string& bytes, std::size_t central) {
         Put32(bytes, kLocalSize, 0xFFFFFFF0u);
         Put32(bytes, central + kCentralSize, 0xFFFFFFF0u);
     },
     {RestoreResult::NoSpace, RestoreResult::DataError}},
    {"UnknownMethod",
     [](std::string& bytes, std::size_t central) {
         Put16(bytes, kLocalMethod, 99);
         Put16(bytes, central + kCentralMethod, 99);
     },
     {RestoreResult::EntryUnreadable}},
};

TEST_P(BackupArchiveDamageTest, RestoreFailsAndLeavesTheTargetAsItWas)
{
    // An entry name of 40 bytes puts the data at 70.
    const std::string name = "/home/someone/trees/a-fairly-long.ged";
    const std::string archive = MakeArchive(name + std::string(40 - name.size(), 'x'));
    std::string bytes = test_support::ReadFile(archive);
    const std::size_t central = bytes.find("PK\x01\x02");
    ASSERT_NE(central, std::string::npos);
    GetParam().apply(bytes, central);
    test_support::WriteFile(archive, bytes);
    const std::string target = test_support::WriteFile(Path("target.ged"), "the good file");

    const RestoreResult result = Restore(archive, target);

    EXPECT_THAT(GetParam().allowed, testing::Contains(result));
    EXPECT_EQ(test_support::ReadFile(target), "the good file");
    EXPECT_EQ(FilesUnder(m_folder), (std::vector<std::string>{"Smith.ged", "b.zip", "target.ged"}));
}

INSTANTIATE_TEST_SUITE_P(Damages, BackupArchiveDamageTest, testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BackupArchiveTest, ForgedEntryNamesWriteOnlyTheChosenFileOrNothing)
{
    const std::string inside = Path("inside");
    std::filesystem::create_directory(inside);
    // An absolute name, which every unzip program takes as one inside its folder, restores.
    EXPECT_EQ(Restore(MakeArchive("/tmp/escaped-absolute.ged", "forged.zip"), inside + "/a.ged"),
              RestoreResult::Ok);
    EXPECT_EQ(test_support::ReadFile(inside + "/a.ged"), SampleContent());
    std::filesystem::remove(inside + "/a.ged");
    for (const char* forged : {"../../escaped.ged", "..", "C:\\..\\escaped.ged"}) {
        CZipBackupReader reader;
        ASSERT_EQ(reader.Open(MakeArchive(forged, "forged.zip")), CZipBackupReader::OpenResult::Ok);
        std::string name;
        EXPECT_EQ(reader.GoToFirstEntry(name), CZipBackupReader::EntryResult::OutsideFolder)
            << forged;
        EXPECT_EQ(name, forged);
        EXPECT_EQ(reader.ExtractEntryTo(inside + "/chosen.ged"), RestoreResult::EntryUnreadable);
    }
    EXPECT_FALSE(std::filesystem::exists("/tmp/escaped-absolute.ged"));
    EXPECT_EQ(FilesUnder(m_folder), (std::vector<std::string>{"Smith.ged", "forged.zip"}));
}

TEST_F(BackupArchiveTest, ArchivesOfOtherWritersRestoreTheirFileOrSayWhyNot)
{
    const std::string content =
        "0 HEAD\r\n1 CHAR UTF-8\r\n0 @I1@ INDI\r\n1 NAME Ann /Lee/\r\n0 TRLR\r\n";
    struct Case {
        const char* archive;
        CZipBackupReader::EntryResult entry;
        const char* storedName;
    };
    for (const Case c :
         {Case{"zip64.zip", CZipBackupReader::EntryResult::Ok, "Smith.ged"},
          Case{"directory-first.zip", CZipBackupReader::EntryResult::Ok, "trees/Smith.ged"},
          Case{"empty-entry.zip", CZipBackupReader::EntryResult::Empty, ""}}) {
        const std::string target = test_support::WriteFile(Path("target.ged"), "kept");
        CZipBackupReader reader;
        ASSERT_EQ(reader.Open(test_support::DataPath(std::string("backup/") + c.archive)),
                  CZipBackupReader::OpenResult::Ok)
            << c.archive;
        std::string name;
        ASSERT_EQ(reader.GoToFirstEntry(name), c.entry) << c.archive;
        if (c.entry != CZipBackupReader::EntryResult::Ok) {
            EXPECT_EQ(reader.ExtractEntryTo(target), RestoreResult::EntryUnreadable);
            EXPECT_EQ(test_support::ReadFile(target), "kept");
            continue;
        }
        EXPECT_EQ(name, c.storedName);
        EXPECT_EQ(reader.ExtractEntryTo(target), RestoreResult::Ok) << c.archive;
        EXPECT_EQ(test_support::ReadFile(target), content) << c.archive;
    }
}

TEST_F(BackupArchiveTest, ACopyReplacesTheTargetOnlyWhenComplete)
{
    const std::string target = test_support::WriteFile(Path("copy.ged"), "older copy");
    EXPECT_FALSE(CopyFileSafely(Path("missing.ged"), target));
    int error = 0;
    {
        const FileSizeLimit limit(4096);
        EXPECT_FALSE(CopyFileSafely(m_source, target, &error));
    }
    EXPECT_EQ(error, EFBIG) << "the reason is told";
    EXPECT_EQ(test_support::ReadFile(target), "older copy");
    // A read-only target is refused, not replaced.
    std::filesystem::permissions(target, std::filesystem::perms::owner_read);
    EXPECT_FALSE(CopyFileSafely(m_source, target, &error));
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(test_support::ReadFile(target), "older copy");
    std::filesystem::permissions(target, std::filesystem::perms::owner_all);
    EXPECT_EQ(FilesUnder(m_folder), (std::vector<std::string>{"Smith.ged", "copy.ged"}));
    EXPECT_TRUE(CopyFileSafely(m_source, target));
    EXPECT_EQ(test_support::ReadFile(target), SampleContent());
}

struct NameCase {
    const char* folder;
    const char* file;
    const char* expected;
};

class DefaultBackupNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(DefaultBackupNameTest, JoinsFolderTitleAndDate)
{
    const COleDateTime now(2026, 12, 6, 14, 30, 0);
    EXPECT_EQ(DefaultBackupName(GetParam().folder, GetParam().file, now), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DefaultBackupNameTest,
    testing::Values(NameCase{"/backups", "/trees/Smith.ged", "/backups/Smith - 06 Dec 2026"},
                    NameCase{"/backups/", "/trees/Smith.ged", "/backups/Smith - 06 Dec 2026"},
                    NameCase{"D:\\Backups\\", "D:\\Trees\\Smith.ged",
                             "D:\\Backups\\Smith - 06 Dec 2026"},
                    NameCase{"", "/trees/my.tree.ged", "my.tree - 06 Dec 2026"}));

struct ProposalCase {
    const char* stored;
    const char* folder;
    const char* title;
};

class ProposeRestoreTargetTest : public testing::TestWithParam<ProposalCase> {};

/// The cases run with HOME set to a folder of the test's own ("~" in a case stands for it),
/// which holds the folder "trees".
TEST_P(ProposeRestoreTargetTest, ProposesOnlyFoldersOfTheUsersOwn)
{
    const std::string home = std::filesystem::canonical(test_support::NewFolder("home")).string();
    std::filesystem::create_directory(home + "/trees");
    const auto withHome = [&home](std::string text) {
        if (const std::size_t at = text.find('~'); at != std::string::npos)
            text.replace(at, 1, home);
        return text;
    };
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", home.c_str(), 1);
    const RestoreProposal proposal = ProposeRestoreTarget(withHome(GetParam().stored));
    setenv("HOME", savedHome.c_str(), 1);
    EXPECT_EQ(proposal.folder, withHome(GetParam().folder));
    EXPECT_EQ(proposal.title, GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProposeRestoreTargetTest,
                         testing::Values(ProposalCase{"~/trees/Smith.ged", "~/trees", "Smith"},
                                         ProposalCase{"~/missing/Smith.ged", "", "Smith"},
                                         ProposalCase{"/etc/Smith.ged", "", "Smith"},
                                         ProposalCase{"/tmp/Smith.ged", "", "Smith"},
                                         ProposalCase{"D:\\Trees\\Smith.ged", "", "Smith"},
                                         ProposalCase{"trees/Smith.ged", "", "Smith"},
                                         ProposalCase{"Smith.ged", "", "Smith"},
                                         ProposalCase{"~/trees/../../etc/passwd", "", "passwd"},
                                         ProposalCase{"..\\..\\Smith.ged", "", "Smith"},
                                         ProposalCase{"/home/ann/..", "", ""}));

} // namespace
