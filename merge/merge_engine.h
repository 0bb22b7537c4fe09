// merge/merge_engine.h: the comparison of a second data set with the program's own: rows of paired
// and unpaired records per record type, the user's corrections to them, and the refresh state
// the merge dialog reads.
#pragma once

#include "database/dictionary/record_type_table.h"
#include "database/document/merge_record_map.h"

#include <array>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CDataNode;
class CFieldDef;
class CRecordNode;
class IProgress;

/// The nine record-type roots of a data set, in table order (HEAD 0, FAM 1, INDI 2, OBJE 3,
/// NOTE 4, REPO 5, SOUR 6, SUBM 7, SUBN 8). Every per-type array of the merge is in that order.
using MergeRoots = std::array<CDataNode*, RECORD_TYPE_COUNT>;

/// One line of a record type's comparison: a record of the program's data set, a record of the
/// file being merged, or both (a matched pair).
struct MergeRow {
    CRecordNode* current = nullptr;  // of the program's data set
    CRecordNode* incoming = nullptr; // of the file being merged
    int score = 0;                   // the last similarity score; 0 for an unmatched row
    bool checked = false;            // the user flagged the row as checked

    bool IsMatched() const { return current && incoming; }
};

/// What the merge left in one record type.
struct MergeCounts {
    int merged = 0;       // matched pairs merged, those that changed nothing included
    int deleted = 0;      // current records discarded
    int added = 0;        // records of the file brought in
    int otherUpdated = 0; // current records kept alone that lost fields
};

/// Why an action on the comparison changed nothing, or the question it stops at. The actions
/// check everything before they change anything: a question comes back before any change, and
/// the action goes on when called again with the question accepted (MergeConsent).
enum class MergeRefusal {
    None,
    // Match
    DifferentKinds,  // a record with a field, or two items of different definitions
    FamilyPartners,  // families whose husbands (or wives) are matched with others
    IndividualSexes, // a male with a female
    AlreadyMatched,  // records matched with each other already
    UnpairedParents, // fields whose parents are not counterparts of each other
    LinkTargets,     // links to records not matched with each other
    Failed,          // the match stopped part way (the lists must be refilled)
    SexField,        // the sex of an individual, matched or unmatched
    // Unmatch
    DifferentRows, // the two items are no pair
    NoMatches,     // no matched row among the rows
    ChildLink,     // a family's child link
    // Discard and retain
    NothingToDiscard,  // no row holds one record that is not discarded
    Inseparable,       // a paired field that cannot be parted from its counterpart
    SexDiscard,        // the sex of an individual
    NothingToRetain,   // no row holds one discarded record
    RetainUnderField,  // a field under a discarded field
    RetainUnderRecord, // a field of a discarded record
    SexRetain,         // the sex of an individual
    // Questions (OK goes on)
    UnmatchFamily,     // a family partner's link: the family is unmatched too
    UnmatchedIgnored,  // count rows hold no matched pair
    UndiscardableRows, // count rows cannot be discarded
    DiscardCurrent,    // count current records (and other new ones) will be discarded
    UnretainableRows,  // count rows cannot be retained
};

/// The outcome of an action: what it changed, and its refusal or question with what the words
/// of it need.
struct MergeResult {
    MergeRefusal refusal = MergeRefusal::None;
    int count = 0; // the rows (records, for DiscardCurrent) a counted refusal names
    int other = 0; // the new records of DiscardCurrent
    bool changed = false;

    /// Whether the action waits on a question (it changed nothing yet).
    bool IsQuestion() const { return refusal >= MergeRefusal::UnmatchFamily; }
    bool operator==(const MergeResult&) const = default;
};

/// The questions of an action that the user accepted.
class MergeConsent {
public:
    bool Has(MergeRefusal question) const { return (m_accepted & Bit(question)) != 0; }
    MergeConsent With(MergeRefusal question) const
    {
        MergeConsent consent = *this;
        consent.m_accepted |= Bit(question);
        return consent;
    }

private:
    static unsigned Bit(MergeRefusal question) { return 1u << unsigned(question); }
    unsigned m_accepted = 0;
};

/// Whether Discard or Retain: the two walk the same rows and items.
enum class MergeMark { Discard, Retain };

/// The details of the source record a merge may create, and which records and fields cite it
/// (the source dialog's fields).
struct MergeSourceOptions {
    std::string shortTitle;
    std::string title;
    std::string note;
    /// Per table index: whether records of that type cite the source (the header never does).
    std::array<bool, RECORD_TYPE_COUNT> linkType{};
    bool linkUnchanged = false; // matched records that took nothing
    bool linkNew = true;        // records brought in
    bool linkUpdated = false;   // matched records that took fields
    bool linkNewFields = true;  // fields brought into existing records
    bool annotate = false;      // cite a higher field where the field itself cannot cite
    std::string noteUnchanged = "Record consistent with...";
    std::string noteNew = "Record originated in...";
    std::string noteUpdated = "Record updated from...";
};

/// The source dialog's defaults for the file at path, on the day today (as dates are shown).
MergeSourceOptions DefaultSourceOptions(const std::string& path, const std::string& today);

/// Which field of the source dialog a refusal points at.
enum class MergeSourceField { None, Title, NoteNew, NoteUpdated, NoteUnchanged };

/// Trims every text of options; the refusal of the source dialog's OK (empty when accepted)
/// and the field to focus.
std::string CheckSourceOptions(MergeSourceOptions& options, MergeSourceField& focus);

/// How a merge ended.
enum class MergeOutcome {
    Merged,     // the program's data set took the merge
    NotStarted, // nothing changed (the copy to restore from could not be made); still open
    Failed,     // a step failed: the program's data set was put back as it was; session over
};

/// The question asked before a merge, whether to create a source record (Yes, No, Cancel).
extern const char* const kMergeSourceQuestion;

/// The comparison state of one merge or compare, built once before the dialog opens and kept
/// while it lives. The node flags it sets (paired, discard, from the merged file) are cleared
/// on both data sets when it ends (EndSession or the destructor), whatever the outcome; both
/// data sets must outlive it.
class CMergeEngine {
public:
    using RowList = std::list<std::unique_ptr<MergeRow>>;

    /// current: the program's roots; incoming: the second data set's. Valid only when both hold
    /// nine roots.
    CMergeEngine(const MergeRoots& current, const MergeRoots& incoming);
    virtual ~CMergeEngine();
    CMergeEngine(const CMergeEngine&) = delete;
    CMergeEngine& operator=(const CMergeEngine&) = delete;

    bool IsValid() const { return m_valid; }
    /// Whether the rows may still be shown and acted on: false once the session ended (after a
    /// merge, a failed merge or EndSession).
    bool IsOpen() const { return m_valid && !m_ended; }

    void SetPath(const std::string& path) { m_path = path; }
    const std::string& GetPath() const { return m_path; }

    /// Makes the individuals' compare keys, compares the files (CompareFiles) and frees the
    /// keys. progress may be null; repaint (may be empty) runs at every tenth move of the bar.
    void InitCompareMaps(IProgress* progress, std::function<void()> repaint = {});
    /// Builds the nine row lists and maps: types 8 down to 0, each new record paired with the
    /// current record that scores highest for it (strictly positive; a current record taken
    /// over only by a strictly higher score), then the fields of every pair, then the new
    /// header discarded unless matched, and the new submission unless matched or the only one.
    void CompareFiles(IProgress* progress, std::function<void()> repaint = {});
    /// Pairs the fields of every matched row; retains every record of an unmatched row.
    void PairMatchedRecords();

    const RowList& Rows(int type) const { return m_rows[std::size_t(type)]; }
    /// The row of a record of the program's data set (map A) or of the merged file (map B).
    MergeRow* FindCurrentRow(const CRecordNode* record) const;
    MergeRow* FindIncomingRow(const CRecordNode* record) const;
    /// The row of a record of either side.
    MergeRow* FindRow(const CRecordNode* record, bool currentSide) const;
    /// Which record matches which, as the scores and field comparisons read it.
    const CMergeRecordMap& Matches() const { return m_matches; }
    /// The table index of a record of either side; -1 for a node that is no record of them.
    int TypeOf(const CRecordNode* record) const;
    /// Whether the node lies in the program's data set (as against the merged file's).
    bool IsCurrentSide(const CDataNode* node) const;

    /// The node of the other side paired with node (currentSide: node is of the program's data
    /// set); null when node is not paired. row (may be null) gets the row of node's record.
    CDataNode* GetCounterpart(const CDataNode* node, bool currentSide,
                              MergeRow** row = nullptr) const;

    // The refresh state of the dialog's lists.
    /// An action begins: changes are noted for an incremental refresh.
    void BeginAction();
    void EndAction();
    bool InAction() const { return m_inAction; }
    /// Keeps the nearest common ancestor of the nodes changed since the last refresh; two
    /// changes in different records ask for a full refresh.
    void NoteChangedNode(CDataNode* node);
    void AskFullRefresh() { m_fullRefresh = true; }
    bool FullRefreshAsked() const { return m_fullRefresh; }
    CDataNode* GetChangedNode() const { return m_changedNode; }
    /// Forgets the changes noted (after a refresh).
    void ClearRefreshState();

    // The user's corrections (merge_actions.cpp). Each checks its rules first and changes
    // nothing when it refuses or asks; after the session they do nothing.
    /// Matches a current item with a new one: two records, or two fields under counterparts.
    /// A record matched with another is unmatched from it first.
    MergeResult MatchItems(CDataNode* current, CDataNode* incoming);
    /// Unmatches a pair: two records of a row or two paired fields; either may be null (the
    /// other's counterpart is meant).
    MergeResult UnmatchItems(CDataNode* current, CDataNode* incoming, MergeConsent consent = {});
    /// Unmatches every matched row of rows (at least one must be).
    MergeResult UnmatchRows(const std::vector<MergeRow*>& rows, MergeConsent consent = {});
    /// Discards (or retains) the records of the rows that hold one record not discarded (a
    /// discarded one); the other rows are ignored once the user accepts.
    MergeResult MarkRows(const std::vector<MergeRow*>& rows, MergeMark mark,
                         MergeConsent consent = {});
    /// Discards a record or field of either side, a matched record's row or a paired field's
    /// pair parted first; or retains a discarded one that is not paired.
    MergeResult MarkItem(CDataNode* node, MergeMark mark);
    /// Sets the checked flag of rows; whether any changed.
    bool SetChecked(const std::vector<MergeRow*>& rows, bool checked);

    // The operations under the actions.
    /// Matches two unmatched records (the rules already passed); rows, maps and fields follow.
    void MatchRecords(CRecordNode* current, CRecordNode* incoming);
    void MatchFields(CDataNode* current, CDataNode* incoming);
    /// Splits a matched row: the new record gets a row of its own right after it.
    void UnmatchRecords(MergeRow& row);
    void UnmatchFields(CDataNode* a, CDataNode* b);
    void DiscardRecord(CRecordNode* record);
    /// Flags a field to be discarded; refused (and changed false) when it cannot be.
    MergeResult DiscardField(CDataNode* node);
    void RetainRecord(CRecordNode* record);
    MergeResult RetainField(CDataNode* node);
    /// Whether a pair of fields may be unmatched: None, a refusal, or the question
    /// UnmatchFamily.
    MergeRefusal CanUnmatchFields(const CDataNode* a, const CDataNode* b) const;
    /// Both husbands (and both wives), where both exist, matched with each other.
    bool FamiliesCompatible(const CRecordNode* current, const CRecordNode* incoming) const;
    static bool SexesCompatible(const CRecordNode* current, const CRecordNode* incoming);
    /// The room left for fields of def under a pair of fields: the maximum count (-1 when
    /// unbounded) less the current side's fields not discarded and the new side's unpaired
    /// fields not discarded.
    static int FieldSlotsLeft(const CDataNode* currentParent, const CDataNode* incomingParent,
                              const CFieldDef* def);

    // The merge (merge_run.cpp).
    /// The checked warning: empty when every row of types 1 to 8 is checked.
    std::string UncheckedWarning() const;
    /// What the merge does with retained new records of a type a file holds once (header,
    /// submission) beside a record kept of that type: they are not added. Empty when there are
    /// none.
    std::string SingleRecordWarning() const;
    /// Merges the second data set into the program's (the merge dialog's steps after its
    /// questions): with source, a new source record cited as the options say. Either the
    /// whole merge happens or, after a failure, the program's data set is put back as it was
    /// and MergeFailureText says so; the merge flags are cleared on both data sets either way.
    /// A fault of the program (not a step that gave up) is thrown on once the data is back,
    /// with MergeFailureText already set.
    MergeOutcome Merge(const MergeSourceOptions* source);
    /// What the last Merge that did not merge has for the user; empty after a merge.
    const std::string& MergeFailureText() const { return m_mergeFailure; }
    /// The multimedia frames of every matched multimedia pair made consistent (merge step).
    void ReconcileAllMedia();
    /// Merges the records of one type; the four counts of the type are stored.
    void MergeRecordType(int type, CRecordNode* sourceRecord, const MergeSourceOptions* source);
    /// Cites source on record, with note (when not empty) under the citation, or, where the
    /// record cannot cite, a note field on the record carrying the citation.
    static void AddMergeCitation(CRecordNode* record, CRecordNode* source, const std::string& note);

    const std::array<MergeCounts, RECORD_TYPE_COUNT>& Counts() const { return m_counts; }

    /// Clears the merge flags on every node of both data sets and drops the rows: nothing of
    /// the session is left on the data. Runs once; the destructor runs it when nobody did.
    void EndSession();

protected:
    // For the actions and the merge (merge_actions.cpp, merge_run.cpp).
    RowList& MutableRows(int type) { return m_rows[std::size_t(type)]; }
    /// Records the match of a row's pair in the maps (or its end, when incoming is null).
    void SetRowIncoming(int type, MergeRow& row, CRecordNode* incoming);
    /// Takes a row out of its list and the maps and frees it.
    void RemoveRow(int type, MergeRow* row);
    /// Inserts a row right after `after` (at the end when null) and maps it.
    MergeRow* InsertRowAfter(int type, MergeRow* after, std::unique_ptr<MergeRow> row);
    const MergeRoots& CurrentRoots() const { return m_current; }
    const MergeRoots& IncomingRoots() const { return m_incoming; }
    std::array<MergeCounts, RECORD_TYPE_COUNT>& MutableCounts() { return m_counts; }
    void MarkEnded() { m_ended = true; }
    /// Called as each step of the merge begins (1 to 6); a test makes a step fail here.
    virtual void OnMergeStep(int step) { (void)step; }
    /// Whether the compare takes its shortcuts: only the candidates its indexes give, and no
    /// individual whose best possible score cannot change the pairing (a test compares that
    /// with a plain scan of every pair).
    virtual bool UsesShortcuts() const { return true; }

private:
    /// Pairs the new records of one type with the current ones.
    void CompareType(int type, class CCompareProgress& progress);
    /// After a match of current and incoming: links to either pair up or come back (see the
    /// rules); wasDiscarded tells which of the two records were discarded before.
    void AfterMatch(CRecordNode* current, CRecordNode* incoming, bool currentWasDiscarded,
                    bool incomingWasDiscarded);
    /// Text fields naming records (a user-defined tag, "1 _LINK @I2@") were paired by their
    /// texts: under a matched pair, a pair whose texts name records not matched with each other
    /// is parted, both kept. ids: the records of both data sets by identifier (made
    /// when empty).
    void PartTextReferences(CRecordNode* current, CRecordNode* incoming,
                            std::array<std::unordered_map<std::string, CRecordNode*>, 2>& ids);
    /// Under a pair of individuals whose births cannot be one day (1900 and the year 5, which
    /// the score finds near as two-digit years), flags the new birth to be discarded: the pair
    /// then shows as conflicting, and the user may retain it.
    void MarkBirthConflict(CRecordNode* current, CRecordNode* incoming);
    /// After the user matched two individuals: each family of theirs whose husbands and wives
    /// are now matched with each other, both families unmatched and kept, is matched, as the
    /// compare matches such families.
    void PairFamiliesOf(CRecordNode* current, CRecordNode* incoming);
    void AfterRetain(CRecordNode* record);
    void UnmatchLinksTo(CRecordNode* record);
    void DiscardLinksTo(CRecordNode* record);
    MergeResult DiscardFieldOnce(CDataNode* node, bool followBackLink);
    /// MatchItems on two records, and on two fields.
    MergeResult MatchRecordItems(CRecordNode* current, CRecordNode* incoming);
    MergeResult MatchFieldItems(CDataNode* current, CDataNode* incoming);
    void UnmatchLinkCounterpart(CDataNode* link);
    /// The merge's steps; throws on failure.
    void RunMergeSteps(const MergeSourceOptions* source);
    /// Puts the program's data set back from the copy at path after a failed merge.
    bool RestoreAfterFailure(const std::string& path);

    MergeRoots m_current{};
    MergeRoots m_incoming{};
    bool m_valid = false;
    bool m_ended = false;
    std::string m_path;
    std::string m_mergeFailure;
    std::array<RowList, RECORD_TYPE_COUNT> m_rows;
    std::array<std::unordered_map<const CRecordNode*, MergeRow*>, RECORD_TYPE_COUNT> m_mapA;
    std::array<std::unordered_map<const CRecordNode*, MergeRow*>, RECORD_TYPE_COUNT> m_mapB;
    CMergeRecordMap m_matches;
    std::array<MergeCounts, RECORD_TYPE_COUNT> m_counts{};
    bool m_inAction = false;
    bool m_fullRefresh = false;
    CDataNode* m_changedNode = nullptr;
};
