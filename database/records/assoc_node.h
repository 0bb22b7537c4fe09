// database/records/assoc_node.h: record links: fields whose value is another record (FAMC, FAMS,
// CHIL, HUSB, WIFE, NOTE, SOUR, OBJE, REPO, SUBM, SUBN, ...), kept two-way between individuals and
// families, and the resolution of a loaded file's cross-references.
#pragma once

#include "database/nodes/data_node.h"
#include "database/nodes/node_pool.h"
#include "database/records/assoc_link_table.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CLoadedTargetFinder;
class IProgress;
struct CRecordIdState;

/// A link field. Its definition names the target record type and, in its value list, the tags
/// of the reciprocal link the target holds back (none for one-way links; CHIL for an
/// individual's FAMC, FAMC for a family's CHIL, FAMS for HUSB and WIFE, HUSB then WIFE for an
/// individual's FAMS, chosen by the individual's sex).
///
/// While a file loads, a link holds the cross-reference it was read with: the record number
/// when the identifier is in the type's standard form, else the identifier's text. Resolution
/// turns it into the target record. A cross-reference that no record answers (a dangling
/// reference) is kept: the link has no target but writes its cross-reference back, and its
/// number stays reserved in the type's identifier state so that no other record takes it.
///
/// Every link is on one process-wide chain, newest first (the table of assoc_link_table.h, which
/// a link leaves at once when it is freed). Every link with a target is also on its target's
/// list, the index by target (FirstLinkTo, GetNextLinkToTarget), kept wherever the target is set
/// or dropped, so finding the links to a record costs what those links are. Emptying the whole
/// data set frees links and records in any order without keeping the lists.
class CAssocNode : public CDataNode {
public:
    /// Joins the chain; may throw when no memory is left for it. Inline, as a load makes one
    /// for every link line.
    CAssocNode() : m_slot(CAssocLinkTable::Add(SlotIndex())) {}
    /// Leaves the chain and frees a kept text; the target is not touched (whole trees are freed
    /// at once when the data set is cleared).
    ~CAssocNode() override;

    const CRuntimeClass* GetRuntimeClass() const override;

    // The node operations.
    /// Shows the target through the data control: its text selected, scrolled into view,
    /// focused. Null when no control was made.
    CDataCtl* ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner, DWORD style,
                            UINT id, DWORD flags) override;
    /// Links are never read back from a control: false when saving, true otherwise.
    bool UpdateFromControl(CDataCtl* control, bool save, bool notify) override;
    /// Its own changed bit, or the target record's IsChanged.
    bool IsChanged() const override;
    /// Drops the target and the target's reciprocal link; the lists by target follow.
    void ClearLink() override;
    /// True without a target (a dangling reference counts as empty).
    bool IsEmpty() const override;
    /// format 1: the field's label and ": " first; then the target's text, or "<none>".
    bool GetText(std::string& text, int format) const override;
    CRecordNode* GetLinkTarget() const override;
    /// Reads a GEDCOM cross-reference ("@I12@") into the pending reference; false, and nothing
    /// stored, when the text is shorter than 3 characters or not enclosed in at-signs.
    bool SetText(std::string_view text) override;
    /// Links to the other link's target (with its reciprocal link); nothing for another
    /// definition or the node itself.
    CDataNode* CopyValueFrom(const CDataNode* other) override;
    /// The same target; or, given the merge's record map (CMergeRecordMap), targets that the
    /// merge matched.
    bool IsEqual(const CDataNode* other, const void* options) const override;
    /// With no qualifier and the operator "is" (2): whether the target is record.
    bool MatchRecord(int qualifier, int op, const CRecordNode* record) const override;
    /// "level TAG @X12@" and the sub-fields; nothing at all when the target has no number. A
    /// dangling reference writes the cross-reference it was read with.
    bool WriteGedcom(int level, std::string& line) const override;
    /// A family link asks for the family clean-up; the link is cleared, then deleted.
    void ScheduleDelete() override;
    /// Checks the record without showing errors (asking questions unless noQuestions), then
    /// links to it with its reciprocal link. 0 when refused, else 1.
    int SetLink(CRecordNode* record, bool noQuestions) override;

    // Targets.
    /// Points at record without any check or reciprocal link; the lists by target follow.
    void SetTarget(CRecordNode* record);
    /// Points at record (the caller cleared any old target), sets the sex decided by CheckLink
    /// in the target or in the own record, and creates the reciprocal link in the target.
    /// Aborts (ThrowAbort) when a field cannot be created, or when a two-tag reciprocal link
    /// needs a sex that is not recorded.
    void SetTargetWithBackLink(CRecordNode* record, bool sexInTarget, bool sexInOwnRecord, int sex);
    /// Whether record may be linked (see ValidateFamilyLink): refusals are told when asked
    /// (InformUser), questions asked unless noQuestions (ConfirmWithUser), an unknown sex decided
    /// or asked (ISexQuestion). 1 to go on, 0 to stop.
    int CheckLink(CRecordNode* record, bool& sexInTarget, bool& sexInOwnRecord, int& sex,
                  bool showErrors, bool noQuestions);
    /// Creates a record of the target type and links to it; null (and the record deleted again)
    /// when it cannot be made or the check refuses it. created tells whether one was made.
    CRecordNode* LinkToNewRecord(bool& created);
    /// The target's reciprocal link: its first link child of a back-link tag whose target is
    /// this link's record; null when none.
    CAssocNode* FindBackLink() const;
    /// The list index (INDI 0, FAM 1, ...) of the target record type; -1 when the definition
    /// names none.
    int GetTargetTypeIndex() const;

    // Cross-references of a load.
    /// Whether the link holds a cross-reference without a target: one read and not yet
    /// resolved, or a dangling one kept after resolution.
    bool HasCrossReference() const;
    /// The kept record number (0 when the reference is text or there is none).
    std::int32_t GetReferenceNumber() const;
    /// The cross-reference as it is written: "@F12@" for a target or a kept number, "@" and the
    /// kept text and "@" for a non-standard one; empty when there is none.
    std::string GetXrefText() const;
    /// The non-standard identifier the link keeps (without "@") once the load's links are
    /// resolved; nothing when it keeps none.
    std::optional<std::string_view> GetKeptText() const { return KeptText(); }
    /// The number of links that keep a non-standard identifier, so that a load whose links all
    /// found their targets walks none of them to look for one.
    static std::size_t CountKeptTexts();
    /// Every link that still names a non-standard identifier held by the type's identifier
    /// maps (its load ended before its links were resolved) keeps a copy of the text instead,
    /// so that emptying the maps takes nothing from it. Nothing to do (no walk) when none does.
    static void KeepHeldTexts();
    /// Forgets every link without freeing it: the link table and the counts of kept texts are
    /// emptied, for the node pool freed whole (the links and their texts are its blocks).
    static void ForgetAllLinks() noexcept;
    /// Keeps the record number instead of the kept identifier (a dangling reference renumbered
    /// at the end of a load).
    void KeepNumberInstead(std::int32_t number) { SetNumberValue(number, GetTargetTypeIndex()); }
    /// Turns a pending cross-reference into its target, given the record the type's identifier
    /// maps answer for it (what FindPendingTarget answers while the maps stay as they are): the
    /// link joins the target's list; without one the link keeps its cross-reference and
    /// reserves its number. True when a target was given or nothing was pending.
    bool ResolvePendingReference(CRecordNode* record);
    /// The record the type's identifier maps answer for the pending cross-reference; null when
    /// none does or nothing is pending.
    CRecordNode* FindPendingTarget() const;
    /// Asks the processor to fetch the link itself for writing: both ends, since a link may span
    /// two cache lines and resolving it reads its definition and writes its value word.
    void PrefetchLink() const;

    // The index by target.
    /// The first link whose target is record; null when none. The links of one target come in
    /// no set order.
    static CAssocNode* FirstLinkTo(const CRecordNode* record);
    /// The next link with the same target; null after the last.
    CAssocNode* GetNextLinkToTarget() const;
    /// record is being freed outside the emptying of the data set: every link still pointing at
    /// it is left without a target (and off the list), so none points at freed memory.
    static void DropLinksTo(CRecordNode* record) noexcept;

    // The chain of all links.
    static CAssocNode* GetFirstLink();
    CAssocNode* GetNextLink() const;
    /// The link's place in the chain (CAssocLinkTable).
    std::uint32_t GetChainSlot() const { return m_slot; }

private:
    // The value word: a target record (tag 0; 0 for an empty link), a record number read from
    // a file (tag 1: the number in the high 32 bits and the target type's list index in bits 2
    // to 5, so that resolving it needs no definition), an owned cross-reference text (tag 2, a
    // node-pool block holding the text's length and then its bytes) or, while a load runs, a
    // non-standard identifier held by the target type's identifier maps (tag 3, the word
    // CRecordTextIds::Hold gives, with the type's list index in bits 2 to 5 as for a number),
    // so that a file of non-standard identifiers costs no memory per link. Records and blocks
    // are at least 4-aligned.
    static constexpr std::uintptr_t kValueTags = 3;
    static constexpr std::uintptr_t kNumberTag = 1;
    static constexpr std::uintptr_t kTextTag = 2;
    static constexpr std::uintptr_t kHeldTag = 3;
    static constexpr int kNumberTypeShift = 2;
    static constexpr std::uintptr_t kNumberTypeMask = 0xF;
    static_assert(sizeof(std::uintptr_t) == sizeof(std::uint64_t));

    /// The kept cross-reference text; nothing when the value is not one.
    std::optional<std::string_view> KeptText() const;
    /// Appends the cross-reference as GetXrefText gives it; false, with nothing appended, when
    /// there is none.
    bool AppendXrefText(std::string& line) const;
    /// Keeps a record number (at least 1) of the type of list index listIndex (-1 for none).
    void SetNumberValue(std::int32_t number, int listIndex);
    /// The value word that keeps such a number.
    static std::uintptr_t NumberValue(std::int32_t number, int listIndex)
    {
        const auto type = std::uintptr_t(listIndex) & kNumberTypeMask; // -1 keeps the mask
        return (std::uintptr_t(std::uint32_t(number)) << 32) | (type << kNumberTypeShift) |
               kNumberTag;
    }
    /// Empties the value word: a target is dropped (SetTarget), a kept text freed.
    [[gnu::noinline]] void DropValue();
    /// The list index kept with a record number or a held identifier; -1 when it names no type.
    int NumberTypeIndex() const;
    void SetTextValue(std::string_view text);
    /// Holds a non-standard identifier in the maps of state, the identifier state of the
    /// target type (list index listIndex); false when there is none or no load runs (the text is
    /// then kept by SetTextValue).
    bool SetHeldValue(CRecordIdState* state, int listIndex, std::string_view text);
    /// Keeps a word CRecordTextIds::Hold gave for the target type of list index listIndex.
    void SetHeldWord(std::uint64_t held, int listIndex);
    /// FindPendingTarget for a held identifier or a kept text: out of line, so that the common
    /// case, a number, costs the walk over a load's links no more than it needs.
    [[gnu::noinline]] CRecordNode* FindPendingTextTarget() const;
    /// ResolvePendingReference when no record answered: a held identifier becomes a kept text, a
    /// kept number is reserved. Always false.
    [[gnu::noinline]] bool KeepUnresolved();
    /// The record a held identifier names (null when none), and the text itself.
    CRecordNode* FindHeldTarget() const;
    bool AppendHeldText(std::string& text) const;
    /// A held identifier becomes an owned copy of its text.
    void KeepHeldText();
    /// Frees a kept text and empties the value word; inline while it holds none (a number or a
    /// target, as every link of a load does).
    void ClearValue()
    {
        static_assert((kTextTag & kHeldTag) != 0 && (kNumberTag & kTextTag) == 0);
        if (m_value & kTextTag) // a kept text, owned or held
            ReleaseKeptText();
        else if (m_value != 0 && (m_value & kValueTags) == 0) // a target
            LeaveTargetList();
        m_value = 0;
    }
    /// Frees the kept text of the value word (ClearValue).
    void ReleaseKeptText();
    /// The node-pool index that the link's slot holds; a link made outside the pool, which no
    /// slot could name, ends the program.
    std::uint32_t SlotIndex() const
    {
        const std::uint32_t index = CNodePool::IndexOf(static_cast<const CDataNode*>(this));
        if (index == 0)
            std::abort();
        return index;
    }
    /// Sets the target without counting (the value word is emptied first); the link joins the
    /// target's list.
    void StoreTarget(CRecordNode* record);
    /// Sets the target of an empty value word as a load resolves it: the link goes first on the
    /// target's list without the old first link being read, and the list is marked as waiting
    /// for its previous links.
    void JoinLoadedTargetList(CRecordNode* record);
    /// Takes the link off its target's list (the value word holds a target); a list that waits
    /// for its previous links gets them first, in one walk.
    void LeaveTargetList() noexcept;
    /// The link of a node-pool index (null for 0).
    static CAssocNode* LinkAt(std::uint32_t index) noexcept
    {
        return static_cast<CAssocNode*>(static_cast<CDataNode*>(CNodePool::BlockAt(index)));
    }
    /// In a record's first-link word: the list's previous links are not set yet. A pool index
    /// leaves the two high bits free.
    static constexpr std::uint32_t kPrevLinksUnset = std::uint32_t(1) << 31;
    friend class CAssocLinkTable;
    friend class CLoadedTargetFinder; // reads the value words of a load's links

    // First, so that it packs into the tail of the CDataNode part: a link is 32 bytes.
    std::uint32_t m_slot; // in CAssocLinkTable
    std::uintptr_t m_value = 0;
};

inline CAssocNode* CAssocLinkTable::At(std::uint32_t slot) noexcept
{
    return static_cast<CAssocNode*>(static_cast<CDataNode*>(CNodePool::BlockAt(SlotAt(slot).link)));
}

/// A family's CHIL link: changed also when its target record is in the changed-records list.
class CAssocChilNode final : public CAssocNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;
    bool IsChanged() const override;
};

/// An individual's FAMC link: changed also when its target record is in the changed-records
/// list.
class CAssocFamcNode final : public CAssocNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;
    bool IsChanged() const override;
};

/// Told of every cross-reference that a load could not resolve; the loader writes it to the
/// exception report.
class IDanglingLinkSink {
public:
    virtual ~IDanglingLinkSink() = default;
    /// link keeps the cross-reference xref ("@F9@") that no record of its type answered.
    virtual void OnDanglingLink(const CAssocNode& link, std::string_view xref) = 0;
};

/// Resolves the cross-references of the links from the chain's head up to (not including)
/// stopLink (every link when null): the links a load made, since each joins at the head. With
/// progress, the bar is reset to the number of links with "Initialising data..." and moved per
/// hundredth. Dangling references are kept (see CAssocNode) and told to sink, when given, in
/// the order the file holds them. The identifier maps are read, not emptied. Answers the number
/// of dangling references.
int ResolveLinkTargets(CAssocNode* stopLink, IProgress* progress, IDanglingLinkSink* sink);

/// The numbers that dangling references to records of a type (list index) keep, in no order.
std::vector<std::int32_t> CollectReservedNumbers(int listIndex);

/// Result codes of ValidateFamilyLink.
enum FamilyLinkCheck : int {
    FLC_LINK = 0,       // link as asked
    FLC_ASK = 1,        // link when the user agrees to the question in the message
    FLC_SET_MALE = 2,   // link, and the individual becomes male
    FLC_SET_FEMALE = 3, // link, and the individual becomes female
    FLC_ASK_SEX = 4,    // link, and the individual's sex is asked
    FLC_REFUSED = 5,    // refused; the message says why
};

/// The rules for linking selected (a record) by a link of fieldId whose target type's record
/// definition is targetDef, held by holder (the link's parent); message gets the text to show.
int ValidateFamilyLink(const CFieldDef* targetDef, const CDataNode* holder,
                       const CRecordNode* selected, int fieldId, std::string& message);

/// The question to ask before a field of fieldId is added under parent, with nothing changed
/// yet: a second FAMC of an individual asks "This Individual record already has a Family (as
/// child).  Are you sure you want to add another one?" (the field is added unless the user says
/// No); empty when nothing need be asked.
std::string AddParentFamilyQuestion(int fieldId, const CDataNode* parent);

/// The target of the next link child of holder with fieldId after `after` (the first when
/// null), each target once: links are taken in order, and a target that an earlier link
/// already names is passed over, so a walk that feeds each answer back always ends. Null after
/// the last and when no link names `after`.
CRecordNode* GetNextLinkTarget(const CDataNode* holder, int fieldId, const CRecordNode* after);

/// Told of each link that points at a record.
class ILinkVisitor {
public:
    virtual ~ILinkVisitor() = default;
    virtual void OnLink(CRecordNode* target, CAssocNode* link, CRecordNode* holder) = 0;
};

/// Calls visitor for every link whose target is record, held by a record of typeDef (any
/// type when null), through the index by target: the links are taken first, and one whose
/// target an earlier visit changed is passed over.
void EnumLinksTo(CRecordNode* record, ILinkVisitor* visitor, const CFieldDef* typeDef);

/// The filter label that the record-selection dialog offers for link ("Parentless Individuals
/// Only", "No Females", ...); empty when the link has no filter.
std::string GetLinkFilterLabel(const CAssocNode& link);
/// The records of the link's target type that suit the link, in record order, without
/// excluded; all records of the type when the link has no filter.
std::vector<CRecordNode*> CollectFilteredLinkChoices(const CAssocNode& link,
                                                     const CRecordNode* excluded);
/// The same for a link of fieldId that holder (a record or a field) would hold, the records
/// taken from root.
std::string GetLinkFilterLabel(int fieldId, const CDataNode* holder);
std::vector<CRecordNode*> CollectFilteredLinkChoices(int fieldId, const CDataNode* holder,
                                                     const CDataNode* root,
                                                     const CRecordNode* excluded);

/// The question of an individual's unknown sex (the ask-sex dialog of the record windows):
/// 0 male, 1 female, -1 cancelled. Installed by the window layer.
class ISexQuestion {
public:
    virtual ~ISexQuestion() = default;
    virtual int AskSex(const std::string& individualText) = 0;
};
void SetSexQuestion(ISexQuestion* question);
ISexQuestion* GetSexQuestion();
