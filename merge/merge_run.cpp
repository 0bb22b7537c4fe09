// merge/merge_run.cpp: the merge itself: the source record and its citations, multimedia frames,
// links re-pointed, each record type merged, and the program's data set put back when a step
// fails.
#include "merge/merge_engine.h"

#include "common/abort.h"
#include "database/fields/number_node.h"
#include "database/fields/text_value_node.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/gedcom/gedcom_writer.h"
#include "database/multimedia/obj_note_node.h"
#include "database/multimedia/obj_rec.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_node.h"
#include "database/nodes/data_observer.h"
#include "database/records/assoc_node.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <map>
#include <unistd.h>
#include <unordered_map>

const char* const kMergeSourceQuestion =
    "If you wish, you can create a new Source record to represent the file being merged, and "
    "link record and/or field changes to the new source record.  Do you wish to do that?";

namespace {

constexpr const char* kMergeError = "An error has occurred during the merge.";
constexpr const char* kRestored =
    "An error has occurred during the merge.  The current file has been put back as it was "
    "before the merge.";
constexpr const char* kNotRestored =
    "An error has occurred during the merge, and the current file could not be put back as it "
    "was.  Do not save it over the file you opened.";
constexpr const char* kNeedTitle =
    "You must specify either a title or a short title (or both) for the new source record";
constexpr const char* kNeedNote =
    "You must supply a note if you wish to create record links for Source records, Repository "
    "records, Submission records, Submitter records or Multimedia records.";

constexpr int kHeaderType = 0;
constexpr int kMultimediaType = 3;
/// The types whose records cannot cite a source and take a note carrying the citation instead.
constexpr int kNoteCitingTypes[] = {3, 5, 6, 7, 8};

std::string Trim(const std::string& value)
{
    const auto first = value.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = value.find_last_not_of(" \t\r\n");
    return value.substr(first, last - first + 1);
}

void Broadcast(ChangeHint hint)
{
    if (IDataObserver* observer = GetDataObserver())
        observer->OnDataChanged(nullptr, hint, nullptr, false);
}

/// The root a node lies under (its record's parent); null for a detached node.
const CDataNode* RootOf(const CDataNode* node)
{
    while (node && !node->IsRecord())
        node = node->GetParent();
    return node ? node->GetParent() : nullptr;
}

bool HasRetainedField(CDataNode* record)
{
    bool retained = false;
    bool discarded = true; // only a retained field is looked for
    for (CDataNode* child = record->GetFirstChild(); child && !retained;
         child = child->GetNextSibling())
        child->GetSubtreeMarks(retained, discarded);
    return retained;
}

/// The frame notes of a multimedia record with their number fields.
std::vector<std::pair<CDataNode*, CNumberNode*>> FrameNotes(CDataNode* object)
{
    std::vector<std::pair<CDataNode*, CNumberNode*>> frames;
    for (CDataNode* child = object->GetFirstChild(); child; child = child->GetNextSibling()) {
        if (!dynamic_cast<CObjNoteNode*>(child))
            continue;
        CRectNode* rect = nullptr;
        CNumberNode* number = nullptr;
        GetFrameFields(*child, rect, number);
        if (number && number->GetNumber() > 0)
            frames.emplace_back(child, number);
    }
    return frames;
}

/// The numbers that references of the merged file to records it lacks take in the open data set.
/// Such a reference kept the merged file's identifier, which in the open file may be another
/// record's: it takes a number of the open data set's instead, as a new record would (no record
/// holds it, none will, and a reload keeps it reserved), references to one missing record
/// sharing one. Without a number left to give, the reference is discarded.
class CDanglingNumbers {
public:
    void KeepApart(CAssocNode& link)
    {
        const int listIndex = link.GetTargetTypeIndex();
        CRecordIdState* state = GetRecordIdState(listIndex);
        std::int32_t& number = m_given[{listIndex, link.GetXrefText()}];
        if (number == 0 && state)
            number = state->TakeNextNumber();
        if (number > 0)
            link.KeepNumberInstead(number);
        else
            link.SetSubtreeMark(true);
    }
    /// A text field naming target, a record of the merged file that does not come over: it
    /// becomes plain text, as a load leaves a text naming no record, with the number that the
    /// links to that record would share (or its own text when none is left), so that it names
    /// no record of the open data set, neither now nor after a save and reload.
    void KeepApart(CTextValueNode& text, const CRecordNode& target)
    {
        const int listIndex = target.GetTypeIndex();
        const CRecordType* row = GetRecordTypeTable().RowByListIndex(listIndex);
        CRecordIdState* state = GetRecordIdState(listIndex);
        std::int32_t& number = m_given[{listIndex, "@" + target.GetIdText() + "@"}];
        if (number == 0 && state)
            number = state->TakeNextNumber();
        const std::string value(text.GetValue());
        text.SetValue(number > 0 && row
                          ? "@" + std::string(1, row->m_idLetter) + std::to_string(number) + "@"
                          : value);
    }

private:
    std::map<std::pair<int, std::string>, std::int32_t> m_given;
};

/// The text fields of the merged file that hold a cross-reference (a user-defined or misplaced
/// tag naming a record, "1 _LINK @I2@", a standard tag the table keeps as text, a line kept as
/// read): its load made each name the identifier of its record in that file, which in the open
/// data set is another record's, and only a load renumbers them. Each that comes over is made
/// to name the record it named: the current record that one was matched with, or that record
/// itself under the number it takes when it comes over.
class CTextReferences {
public:
    /// Before any record moves: finds every such field that comes over (not discarded, not
    /// paired: a paired field stays behind, its current counterpart stands).
    void Collect(const CMergeEngine& engine, const MergeRoots& incoming, CDanglingNumbers& dangling)
    {
        std::unordered_map<std::string, CRecordNode*> byId;
        for (CDataNode* root : incoming) {
            for (CDataNode* node = root->GetFirstChild(); node; node = node->GetNextSibling()) {
                auto* record = static_cast<CRecordNode*>(node);
                if (std::string id = record->GetIdText(); !id.empty())
                    byId.emplace(std::move(id), record);
            }
        }
        std::vector<CDataNode*> pending;
        for (CDataNode* root : incoming) {
            for (CDataNode* record = root->GetFirstChild(); record;
                 record = record->GetNextSibling())
                pending.push_back(record);
        }
        while (!pending.empty()) {
            CDataNode* node = pending.back();
            pending.pop_back();
            if (node->HasFlag(DNF_MARK))
                continue;
            for (CDataNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
                pending.push_back(child);
            auto* text = node->IsRecord() || node->HasFlag(DNF_PAIRED)
                             ? nullptr
                             : dynamic_cast<CTextValueNode*>(node);
            if (!text || !text->HoldsCrossReference())
                continue;
            // One naming no record of its file was left by its load as nothing can name.
            const auto found = byId.find(std::string(CrossReferenceIn(text->GetValue())));
            if (found == byId.end())
                continue;
            CRecordNode* target = found->second;
            const MergeRow* row = engine.FindIncomingRow(target);
            if (target->HasFlag(DNF_PAIRED) && row && row->current)
                text->SetCrossReference(row->current->GetIdText());
            else if (!target->HasFlag(DNF_PAIRED) && !target->HasFlag(DNF_MARK))
                m_broughtIn.emplace_back(text, target);
            else
                dangling.KeepApart(*text, *target);
        }
    }
    /// Once the records brought in took their numbers: the fields naming them follow.
    void Renumber()
    {
        for (const auto& [text, record] : m_broughtIn) {
            const std::string id = record->GetIdText();
            if (!id.empty())
                text->SetCrossReference(id);
            else
                text->SetValue(std::string(text->GetValue()));
        }
        m_broughtIn.clear();
    }

private:
    std::vector<std::pair<CTextValueNode*, const CRecordNode*>> m_broughtIn;
};

/// The retained new records of a type a file holds once that the merge does not add: all of
/// them beside a current record kept, else those after the first.
std::vector<CRecordNode*> SurplusSingleRecords(const CMergeEngine& engine, int type)
{
    const CRecordType* kind = GetRecordTypeTable().RowByCode(type);
    if (!kind || !kind->m_singleInstance)
        return {};
    bool kept = false;
    std::vector<CRecordNode*> added;
    for (const auto& row : engine.Rows(type)) {
        kept = kept || (row->current && !row->current->HasFlag(DNF_MARK));
        if (row->incoming && !row->incoming->HasFlag(DNF_PAIRED) &&
            !row->incoming->HasFlag(DNF_MARK))
            added.push_back(row->incoming);
    }
    if (!kept && !added.empty())
        added.erase(added.begin());
    return added;
}

/// A file beside the temporary files that a merge keeps the program's data set in, removed
/// when the merge ends.
class CSnapshotFile {
public:
    CSnapshotFile()
    {
        static std::atomic<int> serial = 0;
        std::error_code error;
        const auto folder = std::filesystem::temp_directory_path(error);
        m_path = (error ? std::filesystem::path(".") : folder) /
                 ("ardenvel-merge-" + std::to_string(::getpid()) + "-" + std::to_string(++serial) +
                  ".ged");
    }
    ~CSnapshotFile()
    {
        std::error_code error;
        std::filesystem::remove(m_path, error);
    }
    CSnapshotFile(const CSnapshotFile&) = delete;
    CSnapshotFile& operator=(const CSnapshotFile&) = delete;
    std::string Path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

} // namespace

MergeSourceOptions DefaultSourceOptions(const std::string& path, const std::string& today)
{
    MergeSourceOptions options;
    options.note = "Merged " + today;
    options.title = "File (merged): " + path;
    options.linkType.fill(true);
    options.linkType[std::size_t(kHeaderType)] = false;
    return options;
}

std::string CheckSourceOptions(MergeSourceOptions& options, MergeSourceField& focus)
{
    focus = MergeSourceField::None;
    for (std::string* text : {&options.shortTitle, &options.title, &options.note,
                              &options.noteUnchanged, &options.noteNew, &options.noteUpdated})
        *text = Trim(*text);
    if (options.shortTitle.empty() && options.title.empty()) {
        focus = MergeSourceField::Title;
        return kNeedTitle;
    }
    const bool noteCiting =
        std::any_of(std::begin(kNoteCitingTypes), std::end(kNoteCitingTypes),
                    [&](int type) { return options.linkType[std::size_t(type)]; });
    if (!noteCiting)
        return {};
    const std::pair<bool, const std::string*> notes[] = {
        {options.linkNew, &options.noteNew},
        {options.linkUpdated, &options.noteUpdated},
        {options.linkUnchanged, &options.noteUnchanged}};
    const MergeSourceField fields[] = {MergeSourceField::NoteNew, MergeSourceField::NoteUpdated,
                                       MergeSourceField::NoteUnchanged};
    for (std::size_t i = 0; i < std::size(notes); ++i) {
        if (notes[i].first && notes[i].second->empty()) {
            focus = fields[i];
            return kNeedNote;
        }
    }
    return {};
}

std::string CMergeEngine::UncheckedWarning() const
{
    std::string lines;
    for (int type = 1; type < RECORD_TYPE_COUNT; ++type) {
        const auto& rows = Rows(type);
        const auto unchecked =
            std::count_if(rows.begin(), rows.end(), [](const auto& row) { return !row->checked; });
        if (unchecked > 0)
            lines += text::Format("Unchecked %s records: %d\n", GetRecordTypeName(type).c_str(),
                                  int(unchecked));
    }
    if (lines.empty())
        return {};
    return "Not all records have been flagged as 'checked'.\n\n" + lines + "\nProceed anyway?";
}

std::string CMergeEngine::SingleRecordWarning() const
{
    std::string lines;
    for (int type = 0; type < RECORD_TYPE_COUNT; ++type) {
        if (SurplusSingleRecords(*this, type).empty())
            continue;
        const std::string name = GetRecordTypeName(type);
        lines += text::Format("A file holds one %s record only: the %s record of the file being "
                              "merged will not be added.  To add it instead, discard the current "
                              "one.\n",
                              name.c_str(), name.c_str());
    }
    return lines.empty() ? lines : lines + "\nProceed anyway?";
}

void CMergeEngine::AddMergeCitation(CRecordNode* record, CRecordNode* source,
                                    const std::string& note)
{
    if (!record || !source)
        return;
    CDataNode* citation = record->FindLinkChild(FIELD_SOUR, source);
    const bool canCite = record->CanHaveSourceCitation();
    if (!citation && canCite)
        citation = record->AddLinkChild(FIELD_SOUR, source);
    if (note.empty())
        return;
    if (citation) {
        citation->AddTextChild(FIELD_NOTE_TEXT, note);
        return;
    }
    if (CDataNode* noteField = record->AddTextChild(FIELD_NOTE_TEXT, note))
        noteField->AddLinkChild(FIELD_SOUR, source);
}

void CMergeEngine::ReconcileAllMedia()
{
    for (const auto& row : Rows(kMultimediaType)) {
        if (!row->IsMatched())
            continue;
        auto* current = dynamic_cast<CObjRec*>(row->current);
        auto* incoming = dynamic_cast<CObjRec*>(row->incoming);
        if (!current || !incoming)
            continue;
        // Frames paired whose linking records are not matched with each other part.
        for (const auto& [note, number] : FrameNotes(incoming)) {
            CDataNode* partner = GetCounterpart(note, false);
            if (!partner)
                continue;
            CRectNode* rect = nullptr;
            CNumberNode* partnerNumber = nullptr;
            GetFrameFields(*partner, rect, partnerNumber);
            const CRecordNode* linkingNew = incoming->FindLinkingRecord(number);
            const CRecordNode* linkingCurrent =
                partnerNumber ? current->FindLinkingRecord(partnerNumber) : nullptr;
            const bool sameLinks = linkingNew || linkingCurrent
                                       ? linkingNew && linkingCurrent &&
                                             Matches().FindMatch(linkingCurrent) == linkingNew
                                       : true;
            if (!sameLinks) {
                UnmatchFields(partner, note);
                continue;
            }
            // The frame stays matched: the current frame's rectangle and number stand.
            for (CDataNode* sub = note->GetFirstChild(); sub; sub = sub->GetNextSibling()) {
                if (!sub->HasFlag(DNF_PAIRED) && (sub->GetFieldId() == FIELD_OBJE_FRAME ||
                                                  sub->GetFieldId() == FIELD_OBJE_LINK_NUMBER))
                    sub->SetSubtreeMark(true);
            }
        }
        // Frames brought in take numbers after the current record's highest.
        std::int32_t highest = 0;
        for (const auto& frame : FrameNotes(current))
            highest = std::max(highest, frame.second->GetNumber());
        std::vector<std::tuple<CNumberNode*, CRecordNode*, std::int32_t>> renumbered;
        for (const auto& [note, number] : FrameNotes(incoming)) {
            if (note->HasFlag(DNF_PAIRED) || note->HasFlag(DNF_MARK))
                continue;
            renumbered.emplace_back(number, incoming->FindLinkingRecord(number),
                                    number->GetNumber());
        }
        for (const auto& [number, linking, old] : renumbered) {
            number->SetNumber(++highest);
            for (CDataNode* link = linking ? linking->FindChild(nullptr, FIELD_OBJE) : nullptr;
                 link; link = linking->FindChild(link, FIELD_OBJE)) {
                if (link->GetLinkTarget() != incoming)
                    continue;
                auto* linkNumber =
                    dynamic_cast<CNumberNode*>(link->FindChild(nullptr, FIELD_OBJE_LINK_NUMBER));
                if (linkNumber && linkNumber->GetNumber() == old) {
                    linkNumber->SetNumber(highest);
                    break;
                }
            }
        }
    }
}

void CMergeEngine::MergeRecordType(int type, CRecordNode* sourceRecord,
                                   const MergeSourceOptions* source)
{
    MergeCounts counts;
    CDataNode* currentRoot = CurrentRoots()[std::size_t(type)];
    CDataNode* incomingRoot = IncomingRoots()[std::size_t(type)];
    const bool cite = sourceRecord && source;
    CDataNode* next = nullptr;
    for (CDataNode* node = currentRoot->GetFirstChild(); node; node = next) {
        next = node->GetNextSibling();
        auto* record = static_cast<CRecordNode*>(node);
        if (record == sourceRecord)
            continue;
        if (record->HasFlag(DNF_MARK)) {
            currentRoot->DeleteChild(record);
            ++counts.deleted;
        } else if (record->HasFlag(DNF_PAIRED)) {
            const MergeRow* row = FindCurrentRow(record);
            CRecordNode* counterpart = row ? row->incoming : nullptr;
            if (!counterpart)
                continue;
            const bool takesFields = cite && (source->linkUnchanged || source->linkUpdated) &&
                                     HasRetainedField(counterpart);
            record->MergeChildren(counterpart,
                                  cite && source->linkNewFields ? sourceRecord : nullptr,
                                  cite && source->annotate);
            ++counts.merged;
            if (cite && !takesFields && source->linkUnchanged)
                AddMergeCitation(record, sourceRecord, source->noteUnchanged);
            else if (cite && takesFields && source->linkUpdated)
                AddMergeCitation(record, sourceRecord, source->noteUpdated);
        } else if (record->DeleteMarkedChildren()) {
            ++counts.otherUpdated;
        }
    }
    for (CDataNode* node = incomingRoot->GetFirstChild(); node; node = next) {
        next = node->GetNextSibling();
        auto* record = static_cast<CRecordNode*>(node);
        if (record->HasFlag(DNF_PAIRED))
            continue;
        if (record->HasFlag(DNF_MARK)) {
            incomingRoot->DeleteChild(record);
            continue;
        }
        record->DeleteMarkedChildren();
        if (CRecordIdState* state = GetRecordIdState(record->GetTypeIndex()))
            record->SetRecordNumber(state->TakeNextNumber());
        if (cite && source->linkNew)
            AddMergeCitation(record, sourceRecord, source->noteNew);
        record->MoveTo(currentRoot, nullptr, true); // last: after the current records
        ++counts.added;
    }
    MutableCounts()[std::size_t(type)] = counts;
}

void CMergeEngine::RunMergeSteps(const MergeSourceOptions* source)
{
    OnMergeStep(1);
    CRecordNode* sourceRecord = nullptr;
    if (source) {
        CDataNode* root = CurrentRoots()[6];
        sourceRecord = dynamic_cast<CRecordNode*>(root->CreateChild(nullptr));
        if (!sourceRecord)
            ThrowAbort();
        if (!source->shortTitle.empty())
            sourceRecord->AddTextChild(FIELD_ABBR, source->shortTitle);
        if (!source->title.empty())
            sourceRecord->AddTextChild(FIELD_TITL, source->title);
        if (!source->note.empty())
            sourceRecord->AddTextChild(FIELD_NOTE_TEXT, source->note);
    }
    OnMergeStep(2);
    for (CDataNode* root : CurrentRoots())
        root->SetSubtreeMergeFlag(false);
    for (CDataNode* root : IncomingRoots())
        root->SetSubtreeMergeFlag(true);
    OnMergeStep(3);
    ReconcileAllMedia();
    // A second record of a type a file holds once is not added (SingleRecordWarning said so),
    // nor the links to it.
    for (int type = 0; type < RECORD_TYPE_COUNT; ++type) {
        for (CRecordNode* record : SurplusSingleRecords(*this, type))
            record->SetSubtreeMark(true);
    }
    OnMergeStep(4);
    // Links brought in point at the current records their targets were matched with; a link
    // whose target will not come over does not come either; one whose target the merged file
    // lacks names nothing in the open data set either.
    CDanglingNumbers dangling;
    for (CAssocNode* link = CAssocNode::GetFirstLink(); link; link = link->GetNextLink()) {
        if (link->IsPendingDeletion() || link->HasFlag(DNF_PAIRED) || link->HasFlag(DNF_MARK) ||
            IsCurrentSide(link) || !RootOf(link))
            continue;
        CRecordNode* target = link->GetLinkTarget();
        if (!target && link->HasCrossReference())
            dangling.KeepApart(*link);
        if (!target || IsCurrentSide(target))
            continue;
        if (target->HasFlag(DNF_PAIRED)) {
            const MergeRow* row = FindIncomingRow(target);
            if (row && row->current)
                link->SetTarget(row->current);
        } else if (target->HasFlag(DNF_MARK)) {
            link->SetSubtreeMark(true);
        }
    }
    CTextReferences texts;
    texts.Collect(*this, IncomingRoots(), dangling);
    OnMergeStep(5);
    for (int type = 0; type < RECORD_TYPE_COUNT; ++type) {
        const bool cites = source && type != kHeaderType && source->linkType[std::size_t(type)];
        MergeRecordType(type, cites ? sourceRecord : nullptr, cites ? source : nullptr);
    }
    texts.Renumber();
    OnMergeStep(6);
    const bool tracking = IsChangeTrackingOn();
    SetChangeTracking(false);
    for (CDataNode* root : IncomingRoots())
        root->DeleteChildren();
    SetChangeTracking(tracking);
}

bool CMergeEngine::RestoreAfterFailure(const std::string& path)
{
    // Nothing may point from one data set into the other once either is freed.
    const auto side = [this](const CDataNode* node) {
        return !RootOf(node) ? -1 : IsCurrentSide(node) ? 0 : 1;
    };
    for (CAssocNode* link = CAssocNode::GetFirstLink(); link; link = link->GetNextLink()) {
        const CRecordNode* target = link->GetLinkTarget();
        if (!link->IsPendingDeletion() && target && side(link) != side(target))
            link->SetTarget(nullptr);
    }
    const bool tracking = IsChangeTrackingOn();
    SetChangeTracking(false);
    for (CDataNode* root : IncomingRoots())
        root->DeleteChildren();
    SetChangeTracking(tracking);
    Broadcast(kHintDataSetClearing);
    const bool loaded = ReloadGedcomFile(path);
    Broadcast(kHintFileLoaded);
    return loaded;
}

MergeOutcome CMergeEngine::Merge(const MergeSourceOptions* source)
{
    m_mergeFailure.clear();
    if (!IsOpen())
        return MergeOutcome::NotStarted;
    const CWaitCursor wait;
    // The copy that a failed merge puts back is made before anything changes.
    const CSnapshotFile snapshot;
    GedcomFileFormat format = GetLoadedFileFormat();
    std::string error;
    bool saved = false;
    try {
        saved = SaveGedcomFile(snapshot.Path(), format, error);
    } catch (...) {
        EndAbandonedOperation();
    }
    if (!saved) {
        m_mergeFailure = kMergeError;
        return MergeOutcome::NotStarted;
    }
    std::exception_ptr failure;
    try {
        RunMergeSteps(source);
    } catch (...) {
        failure = std::current_exception();
    }
    if (failure) {
        const bool restored = RestoreAfterFailure(snapshot.Path());
        EndSession();
        m_mergeFailure = restored ? kRestored : kNotRestored;
        CauseOfAbandon(failure); // a fault of the program goes on once the data is back
        return MergeOutcome::Failed;
    }
    EndSession();
    return MergeOutcome::Merged;
}
