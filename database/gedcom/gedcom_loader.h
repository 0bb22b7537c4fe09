// database/gedcom/gedcom_loader.h: reading a whole GEDCOM file (with its continuation volumes) into
// the data set.
#pragma once

#include "database/gedcom/gedcom_file_format.h"

#include <string>
#include <string_view>

class CMergeDataSet;
class IProgress;

/// Empties the data set and reads the file at path into it: one record per level-0 line, each a
/// tree of fields chosen by the field-definition dictionary; cross-references resolved once
/// every line is read, chained multimedia records joined, change dates taken into the records'
/// stamps, the header's named lists handed to the named-list store, non-standard record
/// identifiers renumbered. Every line that is not loaded, every value kept without being read,
/// every duplicate identifier and every reference to a missing record goes to the exception
/// report, which the user is then offered (through the installed ILoadNotices). With progress,
/// the bar runs over the file ("Loading file...", then "Initialising data..."). linksChanged
/// (may be null) becomes true when the external file links dialog changed stored file names.
/// False when the file cannot be opened (kUnableToOpenFile is told), when it holds no
/// record at all (it is no GEDCOM file; the caller shows LoadErrorMessage), or when reading
/// failed part-way (what was read stays).
bool LoadGedcomFile(const std::string& path, IProgress* progress, bool* linksChanged);

/// Reads a file the program wrote itself (a copy it keeps to put the data set back) as
/// LoadGedcomFile does, offering no exception report and checking no file links.
bool ReloadGedcomFile(const std::string& path);

/// Reads the file at path into target, a data set beside the program's, as LoadGedcomFile reads
/// the program's: the program's roots, record identifiers and counters, named lists, the
/// format a save keeps and the links it holds stay as they are (the named lists of the file's
/// header stay in its header). otherLocation (may be null) becomes true when the file holds
/// multimedia and its header names another file location than path. False as for
/// LoadGedcomFile; what was read stays in target.
bool LoadGedcomFileForMerge(const std::string& path, CMergeDataSet& target, IProgress* progress,
                            bool* otherLocation);

/// What a load says of a file the system does not let it read.
inline constexpr std::string_view kUnableToOpenFile = "Unable to open file.";

/// "Error loading file " + path + ".  File may be corrupt or of incorrect type."
std::string LoadErrorMessage(const std::string& path);

/// The format of the file read by the last LoadGedcomFile; a save keeps it.
const GedcomFileFormat& GetLoadedFileFormat();
/// The path of the exception report the last LoadGedcomFile wrote; empty when it wrote none.
const std::string& GetLoadExceptionReport();

/// What a load tells the user: the file cannot be opened, or, once every record is read (the
/// progress bar still up, before the file links dialog), what its exception report holds.
/// Either message (an OK box) or question (a Yes/No box) is set. report, when not empty, is
/// the exception report, which is opened on the desktop after the message, or when the
/// question is answered Yes.
struct LoadNotice {
    std::string message;
    std::string question;
    std::string report;
};

/// Shows what a load tells, as it tells it; the application installs the message boxes, tests
/// a recorder. Without one nothing is shown and no report is opened.
class ILoadNotices {
public:
    virtual ~ILoadNotices() = default;
    virtual void Tell(const LoadNotice& notice) = 0;
};
void SetLoadNotices(ILoadNotices* notices);
ILoadNotices* GetLoadNotices();

/// The external file links dialog, shown after a file is loaded from another place than the
/// one its header names; the records window installs it.
class IFileLinksDialog {
public:
    virtual ~IFileLinksDialog() = default;
    /// True when the dialog changed stored file names; closing it with nothing changed leaves
    /// the file as loaded.
    virtual bool ShowMovedFile(const std::string& newPath, const std::string& previousPath) = 0;
};
void SetFileLinksDialog(IFileLinksDialog* dialog);
IFileLinksDialog* GetFileLinksDialog();

/// When the header's FILE field differs (ignoring case) from path, shows the external file links
/// dialog with both and answers whether it changed stored file names; false when they are
/// equal, the header has no FILE, or no dialog is installed.
bool CheckFileLinksAfterLoad(const std::string& path);

/// Hands every "_LIST" field of the header record to the named-list store, which rebuilds the
/// list from it, and deletes the field from the header; the save writes the lists back.
void LoadNamedListsFromHeader();
