// database/gedcom/exception_report.h: the exception report, a text file that lists every GEDCOM
// line a load skipped and every duplicate record identifier it met.
#pragma once

#include <string>
#include <string_view>

struct GedcomLine;

/// The report's file name; it lives in this run's own temporary folder (temp_files::RunFolder),
/// so that programs running at once never write over each other's report.
inline constexpr std::string_view kExceptionReportName = "Ardenvel Exception File.txt";

// Skip reasons.
inline constexpr int kSkipInvalid = 0;
inline constexpr int kSkipExtension = 1;
inline constexpr int kSkipNotGedcom55 = 2;
inline constexpr int kSkipExceedsMax = 3;
inline constexpr int kSkipInvalidLine = 4;
/// A standard field without a value that it cannot be without (a link without its
/// cross-reference, "1 FAMC"): an empty field, which a save would leave out.
inline constexpr int kSkipEmptyField = 5;

/// The reason text of a line below a skipped line.
inline constexpr std::string_view kSkippedBranchLine = "Skipped branch line        ";
/// The reason text of an empty field a save would leave out.
inline constexpr std::string_view kSkippedEmptyField = "Skipped empty field            ";

// The report is written only while a load has it enabled, and its file is made anew at the
// load's first entry, so a load that skips nothing leaves no file and an empty path. The file
// is opened without following a symbolic link; its lines end with CR LF and it is UTF-8 plain
// text: a control character that a line of the GEDCOM file holds (any but tab, and DEL) is
// written as "\x" and two hexadecimal digits ("\x1B"), a backslash as it stands. Text
// is collected and written in blocks of about 4000 bytes; an entry longer than a block is
// written whole. A report that cannot be made or written is given up for the rest of the load,
// which goes on.

/// Starts a load's report: enables it, forgets the previous load's state, and sets the current
/// record to none.
void BeginExceptionReport();
/// Ends a load's report: disables it, writes what is collected and closes the file. Returns the
/// report's path, empty when nothing was written.
std::string EndExceptionReport();
/// Whether an entry of the current (or last) load could not be written: the report could not
/// be made, for want of a usable temporary folder, or a write to it failed.
bool ExceptionReportLostEntries();

/// The record whose lines are being read: its list-order kind (INDI 0, FAM 1, NOTE 2, SOUR 3,
/// REPO 4, SUBM 5, SUBN 6, OBJE 7, HEAD 8; -1 none) and identifier (empty when none). An entry
/// for a record other than the last one reported is preceded by a heading naming the record.
void SetExceptionRecord(int kind, std::string_view xref);
/// The name the report gives a kind ("Individual" ... "Header"; "<unrecognised>" otherwise).
std::string_view ExceptionRecordKindName(int kind);
/// The text of a skip reason (reasons 0 and 4 and any unknown one: "Skipped invalid line").
std::string_view ExceptionReasonText(int reason);

/// Creates the report file and writes its heading, dated today; false (and the report is given
/// up) when it cannot be created.
bool OpenExceptionReport();
/// Appends text as it is (the loader's duplicate-identifier lines); opens the report first.
void AppendExceptionText(std::string_view text);
/// Appends one entry for a line not loaded: four spaces when indented, "l.", the line number, " -
/// ", the reason, ": ", and in double quotes either the line as read (raw) or the level,
/// identifier, tag and value separated by single blanks.
void WriteExceptionLine(int lineNumber, std::string_view reason, const GedcomLine& line, bool raw,
                        bool indented);
/// Appends an entry, as WriteExceptionLine does, for a line that was loaded but whose value
/// could not be read as its field's kind and is kept as text.
void WriteKeptValueLine(int lineNumber, std::string_view reason, const GedcomLine& line);
/// Appends an entry, as WriteExceptionLine does, for a line that was loaded once the reader
/// had removed bytes from it that no GEDCOM line may hold (zero bytes).
void WriteChangedLine(int lineNumber, std::string_view reason, const GedcomLine& line);
/// Appends an entry, as WriteExceptionLine does, for a line that was loaded as it stands
/// although it holds control characters, which no GEDCOM line may hold.
void WriteControlCharacterLine(int lineNumber, std::string_view reason, const GedcomLine& line);
/// The entries of the current (or last) load for lines not loaded, for values kept as text, for
/// lines loaded changed, and for lines loaded with control characters.
int CountSkippedExceptionLines();
int CountKeptExceptionValues();
int CountChangedExceptionLines();
int CountControlCharacterLines();
/// Writes the collected text; false when the report is given up.
bool FlushExceptionReport();
/// Closes the file and clears the path and the failure.
void CloseExceptionReport();
/// The path of the report written during this load; empty when none was made.
const std::string& GetExceptionReportPath();

/// Reports line (skipped for reason; rawFirst when it is an invalid line) and the lines below
/// it, reading on with ReadGedcomLine, and returns the status of the first line not skipped,
/// which is then in line. A first line of level 0 takes every line up to the next valid line of
/// level 0. An invalid line inside the branch starts another skip of its own (at most ten
/// passes from repeatCount), or, when it has no level above 0, ends the record.
int SkipGedcomBranch(bool rawFirst, GedcomLine& line, int& lineCounter, int repeatCount,
                     int reason);
