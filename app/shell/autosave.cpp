// app/shell/autosave.cpp: the autosaved copy beside the open file.
#include "app/shell/autosave.h"

#include "database/gedcom/gedcom_file_format.h"
#include "database/gedcom/gedcom_writer.h"
#include "platform/base/paths.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string RecoveryPathFor(const std::string& path)
{
    return path + ".autosave";
}

bool WriteRecoveryCopy(const std::string& path, std::string& error)
{
    std::error_code ignored; // a folder that cannot be made fails the save, which says so
    fs::create_directories(fs::path(path).parent_path(), ignored);
    GedcomFileFormat format;
    return SaveGedcomFile(RecoveryPathFor(path), format, error);
}

bool HasNewerRecoveryCopy(const std::string& path)
{
    std::error_code failed;
    const fs::file_time_type copyTime = fs::last_write_time(RecoveryPathFor(path), failed);
    if (failed)
        return false;
    const fs::file_time_type fileTime = fs::last_write_time(path, failed);
    return failed || copyTime > fileTime;
}

void RemoveRecoveryCopy(const std::string& path)
{
    std::error_code ignored;
    fs::remove(RecoveryPathFor(path), ignored);
}

std::string RecoveryQuestion(const std::string& path)
{
    return "An autosaved copy of " + path +
           " was found, newer than the file itself.  It holds "
           "changes that were not saved when the program last closed.\n\nDo you want to open "
           "the autosaved copy?  If you answer No, the file is opened as it was last saved and "
           "the autosaved copy is deleted.";
}

std::string UnreadableRecoveryCopyMessage(const std::string& path)
{
    const std::string copy = "The autosaved copy " + RecoveryPathFor(path) + " cannot be read.  ";
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
