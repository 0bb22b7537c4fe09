// app/shell/autosave.cpp: the autosaved copy beside the open file.
#include "app/shell/autosave.h"

#include "database/gedcom/gedcom_writer.h"
#include "platform/base/open_file_lock.h"
#include "platform/base/paths.h"
#include "platform/base/safe_file.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* kCopyExtension = ".autosave";
/// What a copy records of its source lies beside it, with this added to its name.
constexpr const char* kSourceExtension = ".from";

std::string SourceRecordOf(const std::string& copy)
{
    return copy + kSourceExtension;
}

/// What the copy records of its source: nothing when it records nothing, an identity of a file
/// that was not there (exists false) for an untitled or new file.
std::optional<FileIdentity> ReadSourceRecord(const std::string& copy)
{
    std::ifstream in(SourceRecordOf(copy));
    std::string line;
    if (!in || !std::getline(in, line))
        return std::nullopt;
    return FileIdentity::FromText(line);
}

/// The process id that ends a copy name of another run's ("name.autosave-1234"); 0 when name
/// is no such copy of fileName.
int OtherRunOf(const std::string& name, const std::string& fileName)
{
    const std::string prefix = fileName + kCopyExtension + "-";
    if (!name.starts_with(prefix) || name.size() == prefix.size() ||
        name.size() > prefix.size() + 9)
        return 0;
    const std::string digits = name.substr(prefix.size());
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(c); }))
        return 0;
    return std::stoi(digits);
}

/// The copies of path that no running program writes.
std::vector<std::string> UnwrittenCopies(const std::string& path)
{
    std::vector<std::string> copies;
    if (!COpenFileLock::OtherHolder(path))
        copies.push_back(RecoveryPathFor(path));
    const std::string folder = paths::Folder(path);
    const std::string fileName = paths::FileName(path);
    for (const std::string& name :
         paths::ListFolder(folder.empty() ? "." : folder, fileName + kCopyExtension + "-*")) {
        const int pid = OtherRunOf(name, fileName);
        if (pid > 0 && (pid == ::getpid() || !COpenFileLock::IsRunning(pid)))
            copies.push_back(paths::Join(folder, name));
    }
    return copies;
}

} // namespace

std::string RecoveryPathFor(const std::string& path)
{
    return path + kCopyExtension;
}

std::string OtherRunRecoveryPathFor(const std::string& path)
{
    return path + kCopyExtension + "-" + std::to_string(::getpid());
}

bool WriteRecoveryCopy(const std::string& copy, const GedcomFileFormat& format,
                       const std::optional<FileIdentity>& source, std::string& error)
{
    std::error_code ignored; // a folder that cannot be made fails the save, which says so
    fs::create_directories(fs::path(copy).parent_path(), ignored);
    // The record goes first: a copy is never newer than what it says of its source.
    const std::string recordPath = SourceRecordOf(copy);
    std::optional<std::string> previous;
    if (std::ifstream in(recordPath, std::ios::binary); in)
        previous.emplace(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const std::string record = source.value_or(FileIdentity{}).ToText() + "\n";
    if (int code = 0; !CSafeFile::WriteWhole(recordPath, record, &code)) {
        error = code ? std::strerror(code) : "The data could not be written.";
        return false;
    }
    GedcomFileFormat written = format;
    if (SaveGedcomFile(copy, written, error))
        return true;
    // The copy is as it was, and so is what it records: nothing is left beside no copy.
    if (previous && paths::IsFile(copy))
        CSafeFile::WriteWhole(recordPath, *previous);
    else
        fs::remove(recordPath, ignored);
    return false;
}

void RemoveRecoveryCopyFile(const std::string& copy)
{
    std::error_code ignored;
    fs::remove(copy, ignored);
    fs::remove(SourceRecordOf(copy), ignored);
}

void RemoveRecoveryCopy(const std::string& path)
{
    RemoveRecoveryCopyFile(RecoveryPathFor(path));
}

std::optional<RecoveryCopy> FindRecoveryCopy(const std::string& path)
{
    std::optional<RecoveryCopy> found;
    fs::file_time_type foundTime;
    for (const std::string& copy : UnwrittenCopies(path)) {
        std::error_code failed;
        const fs::file_time_type copyTime = fs::last_write_time(copy, failed);
        if (failed || !fs::is_regular_file(copy, failed))
            continue;
        RecoveryCopy candidate{copy, ReadSourceRecord(copy)};
        if (candidate.source) {
            candidate.fileChangedSince =
                candidate.source->exists && paths::Exists(path) && !candidate.source->Matches(path);
        } else {
            // A copy that records nothing is judged by the times alone.
            const fs::file_time_type fileTime = fs::last_write_time(path, failed);
            if (!failed && copyTime <= fileTime)
                continue;
        }
        if (!found || copyTime > foundTime) {
            found = std::move(candidate);
            foundTime = copyTime;
        }
    }
    return found;
}

std::string OpenElsewhereQuestion(const std::string& path, int pid)
{
    return path + " is open in another window of the program (process " + std::to_string(pid) +
           ").  If both save changes to it, you are asked before one overwrites the other's, "
           "and each keeps its own autosaved copy.\n\nDo you want to open it here too?";
}

std::string RecoveryQuestion(const std::string& path, bool fileChangedSince)
{
    std::string question = "An autosaved copy of " + path +
                           " was found.  It holds changes that were not saved when the program "
                           "last closed.";
    if (fileChangedSince)
        question += "\n\nThe file has been changed since the copy was made.  If you open the "
                    "copy and save it, those changes are replaced by the copy's.";
    return question + "\n\nDo you want to open the autosaved copy?  If you answer No, the file "
                      "is opened as it was last saved and the autosaved copy is deleted.";
}

std::string UnreadableRecoveryCopyMessage(const std::string& path, const std::string& copyPath)
{
    const std::string copy = "The autosaved copy " +
                             (copyPath.empty() ? RecoveryPathFor(path) : copyPath) +
                             " cannot be read.  ";
    if (path == UntitledRecoveryName())
        return copy + "It is kept, and offered again at the next start.";
    return copy + "The file is opened as it was last saved; the autosaved copy is kept, and "
                  "offered again when the file is next opened.";
}

std::string UntitledRecoveryName()
{
    return paths::DataHome() + "/ardenvel/Untitled.ged";
}

std::string UntitledRecoveryQuestion()
{
    return "An autosaved copy of an untitled file was found.  It holds changes that were not "
           "saved when the program last closed.\n\nDo you want to open the autosaved copy?  If "
           "you answer No, the autosaved copy is deleted.";
}
