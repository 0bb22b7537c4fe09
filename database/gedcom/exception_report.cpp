// database/gedcom/exception_report.cpp: the exception report file, its entries and the branch
// skipper.
#include "database/gedcom/exception_report.h"

#include "database/gedcom/gedcom_line_reader.h"

#include "platform/base/ole_date_time.h"
#include "platform/base/temp_files.h"
#include "platform/base/text.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

/// Collected text is written once it reaches this size.
constexpr std::size_t kBlockSize = 4000;
/// Passes of the branch skipper after the first, from a repeat count of 0.
constexpr int kMaxSkipRepeats = 9;

constexpr std::string_view kKindNames[] = {
    "Individual", "Family",     "Note",       "Source", "Repository",
    "Submitter",  "Submission", "Multimedia", "Header",
};

constexpr std::string_view kHeading =
    "Ardenvel Exception Report - %s\r\n\r\nNote\r\n----\r\nIndented lines in the report "
    "beginning\r\n'Skipped branch line' represent data lines which are not\r\nnecessarily invalid "
    "in themselves but which have had to\r\nbe skipped as a consequence of skipping other lines "
    "which\r\nare invalid.\r\n";

struct ReportState {
    bool m_enabled = false;
    /// Making or writing the file failed: nothing more is tried until the next load.
    bool m_failed = false;
    /// An entry of this load could not be written.
    bool m_lost = false;
    std::string m_path;
    /// The file written until the load ends, when it takes m_path's place whole.
    std::string m_tempPath;
    int m_fd = -1;
    std::string m_buffer;
    int m_kind = -1;
    /// The current record's identifier, set for every record read: one of a valid line fits
    /// in place, and is copied there without the string's checks; a longer one is kept in
    /// m_longId.
    std::array<char, kGedcomMaxXrefLength> m_currentId{};
    std::size_t m_currentSize = 0;
    std::string m_longId;
    std::string m_lastId;
    /// Entries of this load for lines not loaded, for values kept as text, and for lines
    /// loaded changed.
    int m_skippedLines = 0;
    int m_keptValues = 0;
    int m_changedLines = 0;
    int m_controlLines = 0;
};

ReportState& Report()
{
    static ReportState state;
    return state;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

std::string_view CurrentId(const ReportState& r)
{
    return r.m_currentSize <= r.m_currentId.size()
               ? std::string_view(r.m_currentId.data(), r.m_currentSize)
               : std::string_view(r.m_longId);
}

/// Copies an identifier that fits the current record's buffer into it, in words that may
/// overlap instead of through a call: every record read copies its identifier so.
void CopyIdInPlace(ReportState& r, std::string_view xref)
{
    char* out = r.m_currentId.data();
    const char* in = xref.data();
    const std::size_t n = xref.size();
    if (n >= 8) {
        for (std::size_t i = 0; i + 8 < n; i += 8)
            std::memcpy(out + i, in + i, 8);
        std::memcpy(out + n - 8, in + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(out, in, 4);
        std::memcpy(out + n - 4, in + n - 4, 4);
    } else {
        for (std::size_t i = 0; i < n; ++i)
            out[i] = in[i];
    }
}

/// Keeps an identifier too long for a valid line; apart, so that setting the others saves no
/// registers.
[[gnu::noinline]] void KeepLongId(ReportState& r, std::string_view xref)
{
    r.m_longId = xref;
}

/// The report is open for entries, opening it first when needed.
bool ReadyForEntry(ReportState& r)
{
    if (!r.m_enabled)
        return false;
    if (r.m_fd >= 0 || OpenExceptionReport())
        return true;
    r.m_lost = true;
    return false;
}

/// A byte that keeps the report from being plain text: a control character other than tab (and,
/// unless keepLineEnds, other than CR and LF), or DEL.
bool IsHiddenByte(unsigned char c, bool keepLineEnds)
{
    if (c == 0x7F)
        return true;
    if (c >= 0x20 || c == '\t')
        return false;
    return !keepLineEnds || (c != '\r' && c != '\n');
}

/// Appends text with each control character written visibly, as "\x" and two hexadecimal
/// digits ("\x1B"); every other byte, a backslash among them, as it is.
void AppendVisible(std::string& out, std::string_view text, bool keepLineEnds = false)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!IsHiddenByte(c, keepLineEnds))
            continue;
        out.append(text.substr(plain, i - plain));
        const char escape[] = {'\\', 'x', kDigits[c >> 4], kDigits[c & 15]};
        out.append(escape, sizeof escape);
        plain = i + 1;
    }
    out.append(text.substr(plain));
}

void WriteOutWhenFull(ReportState& r)
{
    if (r.m_buffer.size() >= kBlockSize)
        FlushExceptionReport();
}

/// One entry, as WriteExceptionLine describes it.
void WriteEntry(ReportState& r, int lineNumber, std::string_view reason, const GedcomLine& line,
                bool raw, bool indented);

/// Counts one entry of a kind (the counter named) and writes it, when the report is on.
void CountAndWriteEntry(int ReportState::*counter, int lineNumber, std::string_view reason,
                        const GedcomLine& line, bool raw, bool indented)
{
    ReportState& r = Report();
    if (!r.m_enabled)
        return;
    ++(r.*counter);
    WriteEntry(r, lineNumber, reason, line, raw, indented);
}

/// Reports every line up to the next valid line of level 0 as a branch line.
int SkipToNextRecord(int status, GedcomLine& line, int& lineCounter)
{
    while (status != kGedcomInputEnd && !(status == kGedcomLineReady && line.level == 0)) {
        WriteExceptionLine(lineCounter, kSkippedBranchLine, line, status == kGedcomLineInvalid,
                           true);
        status = ReadGedcomLine(line, lineCounter);
    }
    return status;
}

} // namespace

void BeginExceptionReport()
{
    CloseExceptionReport();
    ReportState& r = Report();
    r.m_enabled = true;
    r.m_lost = false;
    SetExceptionRecord(-1, {});
    r.m_lastId.clear();
    r.m_skippedLines = 0;
    r.m_keptValues = 0;
    r.m_changedLines = 0;
    r.m_controlLines = 0;
}

std::string EndExceptionReport()
{
    ReportState& r = Report();
    r.m_enabled = false;
    std::string path;
    if (FlushExceptionReport()) {
        // Readers in other processes see the old report or this one whole; a crash may lose a
        // report of the temporary folder, so it is not synced to the device.
        const bool closed = ::close(r.m_fd) == 0;
        r.m_fd = -1;
        if (closed && ::rename(r.m_tempPath.c_str(), r.m_path.c_str()) == 0) {
            r.m_tempPath.clear();
            path = r.m_path;
        } else {
            r.m_lost = true;
        }
    }
    CloseExceptionReport();
    return path;
}

bool ExceptionReportLostEntries()
{
    return Report().m_lost;
}

void SetExceptionRecord(int kind, std::string_view xref)
{
    ReportState& r = Report();
    r.m_kind = kind;
    r.m_currentSize = xref.size();
    if (xref.size() > r.m_currentId.size())
        KeepLongId(r, xref);
    else
        CopyIdInPlace(r, xref);
}

std::string_view ExceptionRecordKindName(int kind)
{
    return kind >= 0 && kind < int(std::size(kKindNames)) ? kKindNames[kind] : "<unrecognised>";
}

std::string_view ExceptionReasonText(int reason)
{
    switch (reason) {
    case kSkipExtension:
        return "Skipped extension to gedcom    ";
    case kSkipNotGedcom55:
        return "Skipped - not gedcom 5.5       ";
    case kSkipExceedsMax:
        return "Skipped invalid (exceeds max)  ";
    case kSkipEmptyField:
        return kSkippedEmptyField;
    default:
        return "Skipped invalid line           ";
    }
}

bool OpenExceptionReport()
{
    ReportState& r = Report();
    if (r.m_fd >= 0)
        return true;
    if (r.m_failed)
        return false;
    const std::string folder = temp_files::RunFolder();
    const std::string path = folder + "/" + std::string(kExceptionReportName);
    // Written beside the report and put in its place whole when the load ends, so that a report
    // being read is never rewritten under its reader by another load, in this run or another.
    std::string temp = folder + "/." + std::string(kExceptionReportName) + ".ardenvel-XXXXXX";
    r.m_fd = folder.empty() ? -1 : ::mkostemp(temp.data(), O_CLOEXEC);
    if (r.m_fd < 0) {
        r.m_failed = true;
        return false;
    }
    r.m_path = path;
    r.m_tempPath = temp;
    r.m_buffer = text::Format(kHeading, COleDateTime::GetCurrentTime().Format("%A %d %b %Y"));
    return true;
}

void AppendExceptionText(std::string_view text)
{
    ReportState& r = Report();
    if (!ReadyForEntry(r))
        return;
    AppendVisible(r.m_buffer, text, true);
    WriteOutWhenFull(r);
}

void WriteExceptionLine(int lineNumber, std::string_view reason, const GedcomLine& line, bool raw,
                        bool indented)
{
    CountAndWriteEntry(&ReportState::m_skippedLines, lineNumber, reason, line, raw, indented);
}

void WriteKeptValueLine(int lineNumber, std::string_view reason, const GedcomLine& line)
{
    CountAndWriteEntry(&ReportState::m_keptValues, lineNumber, reason, line, false, false);
}

void WriteChangedLine(int lineNumber, std::string_view reason, const GedcomLine& line)
{
    CountAndWriteEntry(&ReportState::m_changedLines, lineNumber, reason, line, false, false);
}

void WriteControlCharacterLine(int lineNumber, std::string_view reason, const GedcomLine& line)
{
    CountAndWriteEntry(&ReportState::m_controlLines, lineNumber, reason, line, false, false);
}

int CountSkippedExceptionLines()
{
    return Report().m_skippedLines;
}

int CountKeptExceptionValues()
{
    return Report().m_keptValues;
}

int CountChangedExceptionLines()
{
    return Report().m_changedLines;
}

int CountControlCharacterLines()
{
    return Report().m_controlLines;
}

namespace {

void WriteEntry(ReportState& r, int lineNumber, std::string_view reason, const GedcomLine& line,
                bool raw, bool indented)
{
    if (!ReadyForEntry(r))
        return;
    std::string& out = r.m_buffer;
    if (const std::string_view current = CurrentId(r); current != r.m_lastId) {
        r.m_lastId = current;
        out += "\r\nRecord Type=";
        out += ExceptionRecordKindName(r.m_kind);
        out += " Id=";
        AppendVisible(out, r.m_lastId.empty() ? std::string_view("<none>") : r.m_lastId);
        out += "\r\n";
    }
    if (indented)
        out += "    ";
    out += text::Format("l.%d - ", lineNumber);
    out += reason;
    out += ": \"";
    if (!raw) {
        out += text::Format("%d ", line.level);
        AppendVisible(out, line.xref);
        out += ' ';
        AppendVisible(out, line.tag);
        out += ' ';
    }
    AppendVisible(out, line.value);
    out += "\"\r\n";
    WriteOutWhenFull(r);
}

} // namespace

bool FlushExceptionReport()
{
    ReportState& r = Report();
    if (r.m_fd < 0)
        return false;
    if (!WriteAll(r.m_fd, r.m_buffer)) {
        ::close(r.m_fd);
        r.m_fd = -1;
        r.m_failed = true;
        r.m_lost = true;
        r.m_buffer.clear();
        return false;
    }
    r.m_buffer.clear();
    return true;
}

void CloseExceptionReport()
{
    ReportState& r = Report();
    if (r.m_fd >= 0)
        ::close(r.m_fd);
    r.m_fd = -1;
    if (!r.m_tempPath.empty())
        ::unlink(r.m_tempPath.c_str());
    r.m_tempPath.clear();
    r.m_buffer.clear();
    r.m_failed = false;
    r.m_path.clear();
}

const std::string& GetExceptionReportPath()
{
    return Report().m_path;
}

int SkipGedcomBranch(bool rawFirst, GedcomLine& line, int& lineCounter, int repeatCount, int reason)
{
    bool raw = rawFirst;
    while (true) {
        WriteExceptionLine(lineCounter, ExceptionReasonText(reason), line, raw, false);
        const int level = line.level;
        int status = ReadGedcomLine(line, lineCounter);
        if (level < 1)
            return SkipToNextRecord(status, line, lineCounter);
        while (status != kGedcomInputEnd && line.level > level) {
            WriteExceptionLine(lineCounter, kSkippedBranchLine, line, status == kGedcomLineInvalid,
                               true);
            status = ReadGedcomLine(line, lineCounter);
        }
        if (status != kGedcomLineInvalid)
            return status;
        if (line.level < 1 || repeatCount >= kMaxSkipRepeats)
            return SkipToNextRecord(status, line, lineCounter);
        ++repeatCount;
        raw = true;
        reason = kSkipInvalidLine;
    }
}
