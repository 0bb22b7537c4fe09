// database/gedcom/gedcom_loader.cpp: the load sequence: the data set emptied, the file read record
// by record, the records finished, the exception report offered through the installed notices.
#include "database/gedcom/gedcom_loader.h"

#include "common/abort.h"
#include "database/dictionary/record_type_table.h"
#include "database/gedcom/buffered_file.h"
#include "database/gedcom/exception_report.h"
#include "database/gedcom/gedcom_line_reader.h"
#include "database/gedcom/gedcom_load_steps.h"
#include "database/gedcom/gedcom_record_parser.h"
#include "database/gedcom/merge_data_set.h"
#include "database/multimedia/obj_rec.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_model.h"
#include "database/nodes/named_list_store.h"
#include "database/nodes/node_pool.h"
#include "database/records/assoc_node.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/progress.h"
#include "platform/base/text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

constexpr std::string_view kBeforeHeader = "Skipped line before header     ";
constexpr std::string_view kAfterTrailer = "Skipped line after trailer     ";
static_assert(kBeforeHeader.size() == 31 && kAfterTrailer.size() == 31);
constexpr std::string_view kNoTrailer =
    "* The file ends without a trailer line (0 TRLR): it may be incomplete.\r\n";

constexpr const char* kSkippedQuestion =
    "This GEDCOM file contains some data lines which have been skipped (ie. not loaded).  This "
    "could be either because it contains data which you have elected to exclude (see "
    "Preferences) or because it contains data lines which are not in a recognised format and "
    "which cannot be loaded.";
constexpr const char* kRenumberedNote =
    "*** Please note: some record ids in the file were in a non-standard format and have been "
    "assigned new unique record ids.  Consequently, the record ids in the exception report may "
    "not match the record ids displayed in Ardenvel's Records Window.";
constexpr const char* kSeeListing = "Would you like to see a listing of the excluded data?";
constexpr const char* kKeptValuesNote =
    "Some values in this GEDCOM file could not be read as what their fields hold (dates, ages, "
    "numbers, values from a list, lines in a form GEDCOM 5.5 does not have) and have been kept "
    "as text; such a date is kept as a date "
    "phrase and saved in parentheses.";
constexpr const char* kZeroBytesNote =
    "Some lines of this GEDCOM file held zero bytes (NUL characters), which no GEDCOM line may "
    "hold; they have been removed and the rest of each line loaded.";
constexpr const char* kControlCharactersNote =
    "Some lines of this GEDCOM file hold control characters, which no GEDCOM line may hold; "
    "they have been kept as they stand.  Such a character may show as a box or not at all, and "
    "may upset other programs that read the text.";
constexpr const char* kNoTrailerNote =
    "This GEDCOM file ends without a trailer line (0 TRLR): it may be incomplete.";
constexpr const char* kNotedDataNote =
    "Some data in this GEDCOM file has been noted in the exception report.";
constexpr const char* kSeeReport = "Would you like to see the exception report?";
constexpr const char* kListingLost =
    "This GEDCOM file contains some data lines which have been skipped (ie. not loaded), but the "
    "listing of them could not be written: the temporary folder cannot be used.  Saving the file "
    "will not keep the skipped lines.";
constexpr const char* kDuplicateMessage =
    "This GEDCOM file contains one or more sets of duplicate record ids, which means that the "
    "file as a whole is effectively corrupt.  IF POSSIBLE YOU SHOULD AVOID USING IT.  An "
    "Exception Report will be generated that will list all the duplicate record ids in the "
    "file.  If you have no choice and have to use this file, you should do the following:\n"
    "(1) Save or print the Exception Report for future reference.\n"
    "(2) Using the information provided in the Exception Report, locate all records, of all "
    "record types, which have a duplicate id and delete all of them (e.g. if three family "
    "records have id 26, all three family records should be deleted).\n\n"
    "Ardenvel cannot correct the errors in these records.\n\n"
    "Tip:  the easiest way to search for a given Record Id is to click on the 'Record Id' "
    "column in the appropriate tab of the Records Window.  This sorts the records by Record Id, "
    "making it easy to find the one you want.";

/// A status of the record loop besides those of the line reader: reading failed.
constexpr int kLoadFailed = 2;
/// Files from this size on load with the node pool committed ahead on another processor: their
/// nodes take tens of megabytes or more, and a smaller file loads before a thread would start.
constexpr std::int64_t kCommitAheadFileBytes = 4 << 20;

GedcomFileFormat g_loadedFormat;
std::string g_loadReport;
IFileLinksDialog* g_fileLinksDialog = nullptr;
ILoadNotices* g_loadNotices = nullptr;

/// The progress bar of a load: over the bytes read, moved once per hundredth.
class CLoadProgress final {
public:
    CLoadProgress(IProgress* progress, std::int64_t size)
        : m_progress(progress), m_step(std::max<std::int64_t>(1, size / 100)), m_next(m_step)
    {
        if (m_progress)
            m_progress->BeginProgress(long(size), "Loading file...");
    }
    ~CLoadProgress()
    {
        if (m_progress)
            m_progress->EndProgress();
    }
    CLoadProgress(const CLoadProgress&) = delete;
    CLoadProgress& operator=(const CLoadProgress&) = delete;

    void Update()
    {
        if (!m_progress)
            return;
        const std::int64_t position = GetBufferedFilePosition();
        if (position <= m_next)
            return;
        m_progress->SetProgressPos(long(position));
        m_next += m_step;
    }

private:
    IProgress* m_progress;
    std::int64_t m_step;
    std::int64_t m_next;
};

/// Records made while a load runs take no number from the counters.
struct NumberingSuspended {
    NumberingSuspended() { SuspendRecordNumbering(true); }
    ~NumberingSuspended() { SuspendRecordNumbering(false); }
};

/// Whether tag is the record tag rowTag, compared where they stand.
bool IsRowTag(std::string_view tag, const char* rowTag)
{
    std::size_t i = 0;
    for (; i < tag.size(); ++i) {
        if (rowTag[i] == '\0' || rowTag[i] != tag[i])
            return false;
    }
    return rowTag[i] == '\0';
}

/// A tag of one to four bytes as one word: its bytes in order from the low one, and its size
/// above them, so that two tags are the same exactly when their words are; 0 for any other tag.
/// Every record of a file has its tag compared, and record tags are this short.
std::uint64_t ShortTagKey(std::string_view tag)
{
    if (tag.empty() || tag.size() > 4)
        return 0;
    std::uint64_t key = std::uint64_t(tag.size()) << 32;
    for (std::size_t i = 0; i < tag.size(); ++i)
        key |= std::uint64_t(static_cast<unsigned char>(tag[i])) << (8 * i);
    return key;
}

/// The record types' table rows and definitions by list index, found once for a load: every
/// record of a file needs its type's.
class CRecordKinds {
public:
    CRecordKinds()
    {
        for (int kind = 0; kind < RECORD_TYPE_COUNT; ++kind) {
            m_rows[std::size_t(kind)] = GetRecordTypeTable().RowByListIndex(kind);
            m_defs[std::size_t(kind)] = GetRecordTypeDef(kind);
            m_keys[std::size_t(kind)] = ShortTagKey(m_rows[std::size_t(kind)]->m_tag);
        }
    }
    /// The list index of a record tag (exactly as written); -1 for any other tag. The kind found
    /// last is tried first: a file's records come in runs of one type.
    int Find(std::string_view tag)
    {
        const std::uint64_t key = ShortTagKey(tag);
        if (key == 0)
            return FindLong(tag);
        if (m_last >= 0 && m_keys[std::size_t(m_last)] == key)
            return m_last;
        for (int kind = 0; kind < RECORD_TYPE_COUNT; ++kind) {
            if (m_keys[std::size_t(kind)] == key)
                return m_last = kind;
        }
        return -1;
    }
    const CRecordType& Row(int kind) const { return *m_rows[std::size_t(kind)]; }
    const CFieldDef* Def(int kind) const { return m_defs[std::size_t(kind)]; }

private:
    /// Find for a tag that has no short key.
    int FindLong(std::string_view tag) const
    {
        for (int kind = 0; kind < RECORD_TYPE_COUNT; ++kind) {
            if (IsRowTag(tag, m_rows[std::size_t(kind)]->m_tag))
                return kind;
        }
        return -1;
    }

    std::array<const CRecordType*, RECORD_TYPE_COUNT> m_rows{};
    std::array<const CFieldDef*, RECORD_TYPE_COUNT> m_defs{};
    std::array<std::uint64_t, RECORD_TYPE_COUNT> m_keys{}; // ShortTagKey of each row's tag
    int m_last = -1;
};

CRecordNode* FirstRecord(int kind)
{
    const CDataNode* root = GetRecordTypeRoot(kind);
    return root ? static_cast<CRecordNode*>(root->GetFirstChild()) : nullptr;
}

/// A line that only pads the end of a file (end-of-file marks, zero bytes).
bool IsEndPadding(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == '\x1A' || c == 0; });
}

/// Reports the lines before the first level-0 line; returns the status of that line.
int SkipToFirstRecord(GedcomLine& line, int& lineCounter)
{
    int status = ReadGedcomLine(line, lineCounter);
    while (status == kGedcomLineInvalid || (status == kGedcomLineReady && line.level != 0)) {
        WriteExceptionLine(lineCounter, kBeforeHeader, line, status == kGedcomLineInvalid, false);
        status = ReadGedcomLine(line, lineCounter);
    }
    return status;
}

/// Reports every line after the trailer in the file that holds it. A continuation volume
/// after it is not read: a file saved from several volumes is one file, and a volume left
/// beside it holds lines already saved.
void ReportLinesAfterTrailer(GedcomLine& line, int& lineCounter)
{
    SetExceptionRecord(-1, {});
    const int volume = GetGedcomInputVolume();
    for (int status; (status = ReadGedcomLine(line, lineCounter)) != kGedcomInputEnd &&
                     GetGedcomInputVolume() == volume;) {
        const bool invalid = status == kGedcomLineInvalid;
        if (!invalid || !IsEndPadding(line.value))
            WriteExceptionLine(lineCounter, kAfterTrailer, line, invalid, false);
    }
}

/// Puts a record just read under its type's root and takes its change date into its stamp (when
/// the parser gave it a change field).
void AddRecord(CDataNode* root, CRecordNode* record, bool readChange)
{
    root->AppendLoadedRecord(record);
    if (!readChange)
        return;
    if (CDataNode* change = record->FindChild(nullptr, FIELD_CHAN))
        ParseChangeDate(record, change);
}

/// The record loop; records counts the records that joined the data set, and noTrailer tells
/// whether the file ended without a trailer after some; texts learns the identifier of every
/// record skipped. Returns the status of the last line read (kGedcomInputEnd).
int ReadRecords(CLoadProgress& bar, CCrossReferenceTexts& texts, int& records, bool& noTrailer)
{
    GedcomLine line;
    int lineCounter = 0;
    int status = SkipToFirstRecord(line, lineCounter);
    CGedcomRecordParser parser;
    CMultimediaChains chains;
    CRecordKinds kinds;
    std::string objectXref; // the identifier of the multimedia record read last
    while (status == kGedcomLineReady) {
        bar.Update();
        if (line.tag == "TRLR") {
            ReportLinesAfterTrailer(line, lineCounter);
            return kGedcomInputEnd;
        }
        const int kind = kinds.Find(line.tag);
        if (kind < 0 || (kinds.Row(kind).m_singleInstance && FirstRecord(kind))) {
            SetExceptionRecord(kind, kind < 0 ? std::string_view() : std::string_view(line.xref));
            texts.NoteSkippedRecord(line.xref);
            status = SkipGedcomBranch(false, line, lineCounter, 0,
                                      kind < 0 ? kSkipInvalidLine : kSkipExceedsMax);
            continue;
        }
        // ParseRecord names the record in the exception report before anything is reported.
        if (kind == kLoadKindMultimedia)
            objectXref = line.xref;
        CRecordNode* record = nullptr;
        status = parser.ParseRecord(kind, kinds.Def(kind), line, lineCounter, record);
        if (!record)
            continue;
        auto* object = kind == kLoadKindMultimedia ? dynamic_cast<CObjRec*>(record) : nullptr;
        if (object && !chains.Take(*object, objectXref))
            continue;
        AddRecord(kinds.Row(kind).m_root, record, parser.ReadChangeField());
        ++records;
    }
    noTrailer = records > 0;
    if (noTrailer)
        AppendExceptionText(kNoTrailer);
    return status;
}

/// Everything that follows the last line: links, multimedia, named lists.
/// A merge load leaves the named lists of its header where they are: the program's named lists
/// are not the second file's.
void FinishRecords(IProgress* progress, bool merge, CAssocNode* stopLink)
{
    SetExceptionRecord(-1, {});
    DeletePendingNodes();
    ResolveLoadedLinks(progress, stopLink);
    FinishMultimediaRecords();
    if (!merge)
        LoadNamedListsFromHeader();
    DeletePendingNodes();
}

/// Notes in the report how many bytes the file's character set could not read, which were
/// read by the fallback (UTF-8 where they form it, else Windows-1252; broken UTF-16 as U+FFFD),
/// so that the characters guessed at are not taken silently for the file's own.
void NoteUnreadableBytes(GedcomCharset set)
{
    const std::size_t count = GetGedcomInputFallbackCount();
    if (count == 0)
        return;
    if (set == GedcomCharset::Utf16Le || set == GedcomCharset::Utf16Be)
        AppendExceptionText(text::Format("* Broken UTF-16 characters in the file: %zu; each was "
                                         "read as the replacement character (U+FFFD).\r\n",
                                         count));
    else
        AppendExceptionText(text::Format(
            "* Bytes not valid in the file's character set (%s): %zu; they were read as UTF-8 "
            "where they form UTF-8 characters, else each as its Windows-1252 character.\r\n",
            GedcomCharsetName(set), count));
}

bool AnyDuplicateIds()
{
    for (int kind = 0; kind < RECORD_TYPE_COUNT; ++kind) {
        if (GetRecordIdState(kind)->m_duplicateFound)
            return true;
    }
    return false;
}

/// Tells the user through the installed notices, if any.
void Tell(const LoadNotice& notice)
{
    if (g_loadNotices)
        g_loadNotices->Tell(notice);
}

/// The offer of the exception report written at path. Duplicate identifiers are told, and the
/// report opened, unasked. The question says that lines were skipped only when some were; a
/// report that holds only values kept as text, notes or a missing trailer says what it holds.
LoadNotice ReportOffer(const std::string& path, bool duplicates, bool renumbered, bool noTrailer)
{
    if (duplicates)
        return {kDuplicateMessage, {}, path};
    const bool skipped = CountSkippedExceptionLines() > 0;
    std::string question;
    if (skipped)
        question = kSkippedQuestion;
    if (CountKeptExceptionValues() > 0)
        question += std::string(question.empty() ? "" : "\n\n") + kKeptValuesNote;
    if (CountChangedExceptionLines() > 0)
        question += std::string(question.empty() ? "" : "\n\n") + kZeroBytesNote;
    if (CountControlCharacterLines() > 0)
        question += std::string(question.empty() ? "" : "\n\n") + kControlCharactersNote;
    if (noTrailer)
        question += std::string(question.empty() ? "" : "\n\n") + kNoTrailerNote;
    if (question.empty())
        question = kNotedDataNote;
    if (renumbered)
        question += std::string("\n\n") + kRenumberedNote;
    question += std::string("\n\n") + (skipped ? kSeeListing : kSeeReport);
    return {{}, std::move(question), path};
}

/// The program's data set set aside while a merge load reads a second file: the second data
/// set's roots stand in the record-type table, and the identifier states start afresh; at the
/// end the program's roots, identifier states and file format are put back, however the load
/// ends. The program's records, named lists and links are not touched.
class CMergeLoadScope final {
public:
    explicit CMergeLoadScope(const CMergeDataSet& target)
        : m_format(g_loadedFormat), m_report(g_loadReport)
    {
        for (int code = 0; code < RECORD_TYPE_COUNT; ++code) {
            m_roots[std::size_t(code)] = GetRecordTypeTable().RowByCode(code)->m_root;
            SetRecordTypeRoot(target.Root(code), code);
        }
        for (int kind = 0; kind < RECORD_TYPE_COUNT; ++kind) {
            CRecordIdState& state = *GetRecordIdState(kind);
            m_ids[std::size_t(kind)] = {
                state.m_prefixLearned,   state.m_noPrefix, {},
                state.m_prefixLength,    state.m_counter,  state.m_duplicateFound,
                state.m_nonStandardFound};
            std::copy(std::begin(state.m_prefix), std::end(state.m_prefix),
                      m_ids[std::size_t(kind)].prefix);
            state.Reset();
        }
    }
    ~CMergeLoadScope()
    {
        for (int code = 0; code < RECORD_TYPE_COUNT; ++code)
            SetRecordTypeRoot(m_roots[std::size_t(code)], code);
        for (int kind = 0; kind < RECORD_TYPE_COUNT; ++kind) {
            CRecordIdState& state = *GetRecordIdState(kind);
            const SavedIds& saved = m_ids[std::size_t(kind)];
            state.Reset();
            state.m_prefixLearned = saved.prefixLearned;
            state.m_noPrefix = saved.noPrefix;
            std::copy(std::begin(saved.prefix), std::end(saved.prefix), state.m_prefix);
            state.m_prefixLength = saved.prefixLength;
            state.m_counter = saved.counter;
            state.m_duplicateFound = saved.duplicateFound;
            state.m_nonStandardFound = saved.nonStandardFound;
        }
        g_loadedFormat = m_format;
        g_loadReport = m_report;
    }
    CMergeLoadScope(const CMergeLoadScope&) = delete;
    CMergeLoadScope& operator=(const CMergeLoadScope&) = delete;

private:
    struct SavedIds {
        bool prefixLearned;
        bool noPrefix;
        char prefix[4];
        std::uint8_t prefixLength;
        std::int32_t counter;
        bool duplicateFound;
        bool nonStandardFound;
    };
    std::array<CDataNode*, RECORD_TYPE_COUNT> m_roots{};
    std::array<SavedIds, RECORD_TYPE_COUNT> m_ids{};
    GedcomFileFormat m_format;
    std::string m_report;
};

/// Whether the header of the data set just read names another file location than path (both
/// in lower case); only a file with multimedia records asks.
bool NamesOtherLocation(const std::string& path)
{
    if (!FirstRecord(kLoadKindMultimedia))
        return false;
    const CRecordNode* header = FirstRecord(kLoadKindHeader);
    const CDataNode* file = header ? header->FindChild(nullptr, FIELD_FILE) : nullptr;
    std::string stored;
    return file && file->GetText(stored, 0) && !stored.empty() &&
           text::ToLower(stored) != text::ToLower(path);
}

/// The load sequence; merge (null for an ordinary load) is the second data set a merge load
/// reads into, and stopLink the newest link made before it.
bool LoadInto(const std::string& path, IProgress* progress, CMergeDataSet* merge,
              CAssocNode* stopLink, bool* otherLocation, bool quiet = false)
{
    const NumberingSuspended numbering;
    if (!merge)
        DeleteAllRecords();
    SetChangeTracking(false);
    ResetChangeTracking();
    g_loadedFormat = GedcomFileFormat();
    g_loadReport.clear();
    if (!OpenGedcomInput(path, false, true)) {
        Tell({std::string(kUnableToOpenFile), {}, {}});
        SetChangeTracking(true);
        return false;
    }
    g_loadedFormat.encoding = GetGedcomInputEncoding();
    g_loadedFormat.lineEnd = DetectGedcomLineEnd(path, g_loadedFormat.encoding);
    CLoadProgress bar(progress, GetGedcomInputFileSize());
    BeginExceptionReport();
    CCrossReferenceTexts crossReferenceTexts;
    int status = kLoadFailed;
    int records = 0;
    bool noTrailer = false;
    {
        std::optional<CNodePool::CCommitAhead> commitAhead;
        if (GetGedcomInputFileSize() >= kCommitAheadFileBytes)
            commitAhead.emplace(CNodePool::Nodes());
        try {
            status = ReadRecords(bar, crossReferenceTexts, records, noTrailer);
        } catch (...) {
            status = kLoadFailed;
            EndAbandonedOperation();
        }
        try {
            FinishRecords(progress, merge != nullptr, stopLink);
        } catch (...) {
            status = kLoadFailed;
            EndAbandonedOperation();
        }
    }
    // A read that failed ended the input early: the load fails, so that the part loaded is not
    // saved over the whole file.
    if (GetGedcomInputReadError() != 0)
        status = kLoadFailed;
    NoteUnreadableBytes(g_loadedFormat.encoding.charset);
    CloseGedcomInput();
    crossReferenceTexts.Collect();
    const bool renumbered = FinishLoadedRecordIds();
    NumberDanglingTextReferences(stopLink);
    crossReferenceTexts.Renumber();
    if (merge && otherLocation)
        *otherLocation = NamesOtherLocation(path);
    g_loadReport = EndExceptionReport();
    // A copy the program wrote itself offers nothing: the load of its file offered it before.
    if (!quiet && ExceptionReportLostEntries() && records > 0)
        Tell({kListingLost, {}, {}});
    else if (!quiet && !g_loadReport.empty() && records > 0)
        Tell(ReportOffer(g_loadReport, AnyDuplicateIds(), renumbered, noTrailer));
    SetChangeTracking(true);
    return status == kGedcomInputEnd && records > 0;
}

} // namespace

bool LoadGedcomFile(const std::string& path, IProgress* progress, bool* linksChanged)
{
    if (linksChanged)
        *linksChanged = false;
    const bool loaded = LoadInto(path, progress, nullptr, nullptr, nullptr);
    if (FirstRecord(kLoadKindMultimedia) && CheckFileLinksAfterLoad(path) && linksChanged)
        *linksChanged = true;
    return loaded;
}

bool ReloadGedcomFile(const std::string& path)
{
    return LoadInto(path, nullptr, nullptr, nullptr, nullptr, true);
}

bool LoadGedcomFileForMerge(const std::string& path, CMergeDataSet& target, IProgress* progress,
                            bool* otherLocation)
{
    if (otherLocation)
        *otherLocation = false;
    const bool tracking = IsChangeTrackingOn();
    CAssocNode* stopLink = CAssocNode::GetFirstLink();
    bool loaded = false;
    {
        const CMergeLoadScope scope(target);
        loaded = LoadInto(path, progress, &target, stopLink, otherLocation);
    }
    SetChangeTracking(tracking);
    return loaded;
}

std::string LoadErrorMessage(const std::string& path)
{
    return "Error loading file " + path + ".  File may be corrupt or of incorrect type.";
}

const GedcomFileFormat& GetLoadedFileFormat()
{
    return g_loadedFormat;
}

const std::string& GetLoadExceptionReport()
{
    return g_loadReport;
}

void SetLoadNotices(ILoadNotices* notices)
{
    g_loadNotices = notices;
}

ILoadNotices* GetLoadNotices()
{
    return g_loadNotices;
}

void SetFileLinksDialog(IFileLinksDialog* dialog)
{
    g_fileLinksDialog = dialog;
}

IFileLinksDialog* GetFileLinksDialog()
{
    return g_fileLinksDialog;
}

bool CheckFileLinksAfterLoad(const std::string& path)
{
    const CRecordNode* header = FirstRecord(kLoadKindHeader);
    const CDataNode* file = header ? header->FindChild(nullptr, FIELD_FILE) : nullptr;
    std::string stored;
    if (!file || !file->GetText(stored, 0) || stored.empty() ||
        text::ToLower(stored) == text::ToLower(path) || !g_fileLinksDialog)
        return false;
    return g_fileLinksDialog->ShowMovedFile(path, stored);
}

void LoadNamedListsFromHeader()
{
    CRecordNode* header = FirstRecord(kLoadKindHeader);
    INamedListStore* store = GetNamedListStore();
    if (!header || !store)
        return;
    try {
        CDataNode* next = nullptr;
        for (CDataNode* list = header->FindChild(nullptr, FIELD_EXT_LIST); list; list = next) {
            next = header->FindChild(list, FIELD_EXT_LIST);
            store->ReadListField(*list);
            header->DeleteChild(list);
        }
    } catch (...) {
        EndAbandonedOperation();
    }
}
