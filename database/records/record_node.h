// database/records/record_node.h: the node at the top of every record.
#pragma once

#include "database/nodes/complex_node.h"
#include "database/nodes/root_node.h"
#include "platform/base/ole_date_time.h"

#include <cstdint>
#include <cstdlib>
#include <string>

class CObjRec;

/// Node flag: a record read from a file keeps a non-standard identifier until the load ends
/// (the flag counts only until then: CRecordNode::HasTextId).
inline constexpr BYTE DNF_TEXT_ID = 0x02;

/// Command id of a record's "Properties" menu item.
inline constexpr UINT ID_RECORD_PROPERTIES = 32802;

/// A record: a complex node that carries the record's number, the first of the link fields that
/// point at it, the time it last changed and its place in the changed-records list. Families,
/// individuals, notes, sources and multimedia records derive from it; header, repository,
/// submitter and submission records are plain records.
class CRecordNode : public CComplexNode {
public:
    CRecordNode() noexcept;
    /// Leaves the load's identifier maps and, while change tracking is on, its root; the
    /// CDataNode part then sees a node that is no longer a record.
    ~CRecordNode() override;

    const CRuntimeClass* GetRuntimeClass() const override;

    /// 1 and above; 0 when the record has none.
    std::int32_t GetRecordNumber() const { return m_recordNumber; }
    /// A record in its root's list lets the root note whether the list stays in number order.
    void SetRecordNumber(std::int32_t number)
    {
        m_recordNumber = number;
        if (CDataNode* root = m_root != 0 ? KeptRoot() : nullptr)
            root->NoteRecordRenumbered(this);
    }
    /// Asks for the memory of the record number ahead of a walk that reads it from many
    /// records at scattered places.
    void PrefetchRecordNumber() const { __builtin_prefetch(&m_recordNumber); }
    /// The number of link fields whose target is this record, counted on the record's list of
    /// them (CAssocNode's index by target): it costs what those links are.
    std::int32_t GetLinkCount() const;
    /// Whether any link field has this record as its target.
    bool HasLinks() const { return m_firstLinkIn != 0; }
    /// When the record last changed; status null when it never did.
    const COleDateTime& GetChangeStamp() const { return m_changeStamp; }
    void SetChangeStamp(const COleDateTime& stamp) { m_changeStamp = stamp; }
    /// The next record in the changed-records list; null for the last or an unlisted record.
    CRecordNode* GetNextChanged() const
    {
        return static_cast<CRecordNode*>(CNodePool::BlockAt(m_nextChanged));
    }
    void SetNextChanged(CRecordNode* next) { m_nextChanged = CNodePool::IndexOf(next); }
    /// Whether the record holds a non-standard identifier of the load being read. The mark
    /// counts only while that load holds its identifiers (HoldTextIds), so that the load ends
    /// every record's mark at once, without visiting a million records.
    bool HasTextId() const { return s_textIdsHeld && HasFlag(DNF_TEXT_ID); }
    void SetTextId(bool on) { SetFlag(DNF_TEXT_ID, on); }
    /// Opens (a load met a non-standard identifier) or ends the time in which the marks count.
    static void HoldTextIds(bool held) { s_textIdsHeld = held; }

    /// The list index of the record's type (INDI 0, FAM 1, ... HEAD 8); -1 when unknown.
    int GetTypeIndex() const;
    /// The record's identifier as the program writes it: the type's id letter and the number
    /// ("I12"); empty when the record has no number or is the header.
    std::string GetIdText() const;

    // The node operations.
    /// The sub-fields' items, then a separator when any were added and "Properties".
    bool AddContextMenu(INodeMenu& menu) override;
    /// With no qualifier and the operator "is" (2): whether record is this record.
    bool MatchRecord(int qualifier, int op, const CRecordNode* record) const override;
    /// "0 @I12@ INDI" (level is not used: a record line is level 0), every child but CHAN at
    /// level 1, then the change date: "1 CHAN", "2 DATE 5 JAN 2003", "3 TIME 14:07:09" and
    /// the other children of a stored CHAN at level 2. False at the first failing line.
    bool WriteGedcom(int level, std::string& line) const override;
    /// A link child is cleared (with its reciprocal link) while it still knows its record, then
    /// deleted as any child.
    void DeleteChild(CDataNode* child) override;
    /// A record others link to first deletes those links, so none keeps pointing at it.
    void ScheduleDelete() override;

    // The record's own operations.
    /// The number of children that count for the record (a family's linked children);
    /// notApplicable tells that the type has none. The base: 0, not applicable.
    virtual int CountLinkedChildren(bool& notApplicable) const;
    /// The two re-order operations; the base does nothing and answers false.
    virtual bool ReorderFirst() { return false; }
    virtual bool SortChildren() { return false; }
    /// Moves the dated facts (events and attributes) into date order; true when one moved.
    virtual bool SortFactsByDate();
    /// The same over the LDS ordinances that are not empty.
    virtual bool SortLdsOrdinancesByDate();
    /// Similarity to another record for merge matching: +20 for each of the first two key
    /// fields equal in both, -30 for each that differs; -999 without key fields.
    virtual int MatchScore(const CRecordNode* other, const void* options) const;
    /// Whether the record's key field holds the terms (multimedia TITL, repository and
    /// submitter NAME, submission FAMF); false for other types.
    virtual bool ContainsKeyText(std::span<const CSearchTerm> terms, bool caseSensitive) const;

    // Walks over the record's children; each takes the previous answer (null to start).
    /// The link fields of the subtree, the record included, that point at record.
    int CountLinksTo(const CRecordNode* record) const;
    using CDataNode::CountLinksTo;
    /// The next event or attribute; with skipEmpty, empty ones whose definition is marked to
    /// be skipped when childless are passed over.
    CDataNode* GetNextFact(const CDataNode* after, bool skipEmpty) const;
    /// The next non-empty note: local NOTE texts and, with includeLinks, NOTE links; fieldId
    /// gets the found child's field id (0 when none).
    CDataNode* GetNextNote(const CDataNode* after, bool includeLinks, int& fieldId) const;
    /// The next multimedia field: OBJE links first, then embedded OBJE fields; with
    /// skipRepeats a link to a record an earlier link already names is passed over.
    CDataNode* GetNextObjectLink(const CDataNode* after, bool skipRepeats) const;
    /// The multimedia record of the next OBJE link after link (null: from the first), with
    /// picturesOnly only one whose object is a picture; link receives the link found. With
    /// frame, the rectangle of the picture frame that the link's number names (empty when
    /// none). Null when there is no further one.
    CObjRec* GetNextLinkedPicture(CDataNode*& link, bool picturesOnly, RECT* frame) const;
    /// Creates an OBJE link to record; a number of 1 or more (a picture frame) goes into its
    /// number sub-field. Null when the link or its number cannot be made.
    CDataNode* AddObjectLink(CObjRec* record, int number);
    /// The next LDS ordinance (BAPL, CONL, ENDL, SLGC, SLGS); with skipEmpty empty ones are
    /// passed over.
    CDataNode* GetNextLdsOrdinance(const CDataNode* after, bool skipEmpty) const;
    /// Runs the re-order operations and sorts that are asked for; with notify, NotifyChanges
    /// when anything moved. True when anything moved.
    bool ReorderData(bool first, bool second, bool sortFacts, bool sortOrdinances, bool notify);

protected:
    /// "0 @I12@ TAG" into line (without a trailing blank).
    void ComposeRecordLine(std::string& line) const;
    /// The children at level 1 except CHAN and skip, then the change date.
    bool WriteChildrenAndChange(std::string& line, const CDataNode* skip) const;
    /// The change date lines (see WriteGedcom); change is the record's first CHAN field, if any.
    bool WriteChangeDate(std::string& line, const CDataNode* change) const;

private:
    friend class CDataNode;
    friend class CAssocNode; // keeps the first link of the index by target

    /// Room for the identifier text: its letter and the digits of any record number.
    static constexpr std::size_t kIdTextRoom = 12;
    /// Puts the identifier text (GetIdText) into id; its size, 0 when the record has none.
    std::size_t PutIdText(char (&id)[kIdTextRoom]) const;

    // The record's parent and the sibling before it, kept here (for CDataNode) since records are
    // many: finding the parent or unlinking one of a million then walks none.
    /// The parent; null when the record is detached.
    CDataNode* KeptRoot() const
    {
        if (m_root & kSlotTag)
            return CRootNode::AtSlot(m_root >> 1);
        return static_cast<CDataNode*>(CNodePool::BlockAt(m_root >> 1));
    }
    /// root is null, a pool node or a record-type root; anything else aborts.
    void SetKeptRoot(const CDataNode* root)
    {
        if (const std::uint32_t index = CNodePool::IndexOf(root); index || !root)
            m_root = index << 1;
        else
            m_root = RootSlot(root) << 1 | kSlotTag;
    }
    CDataNode* KeptPrevSibling() const
    {
        return static_cast<CDataNode*>(CNodePool::BlockAt(m_prevSibling));
    }
    void SetKeptPrevSibling(const CDataNode* prev) { m_prevSibling = CNodePool::IndexOf(prev); }
    /// The slot of a root from outside the pool; aborts for any other node.
    static std::uint32_t RootSlot(const CDataNode* root)
    {
        const std::uint32_t slot = CRootNode::SlotOf(root);
        if (slot == CRootNode::kMaxLive)
            std::abort();
        return slot;
    }

    /// Tags a root word that holds a root's slot (CRootNode::AtSlot) instead of a pool index.
    static constexpr std::uint32_t kSlotTag = 1;

    // The links are 32-bit words rather than pointers: a record is then 48 bytes, not 64, and a
    // large file has a million and more. Records live in the pool (see CDataNode), so the next
    // changed record and the sibling before are pool indexes; the root word holds the parent's
    // pool index, or its root slot with kSlotTag, above the tag bit.
    static inline bool s_textIdsHeld = false;

    std::int32_t m_recordNumber = 0;
    // The pool index of the first link whose target is this record (CAssocNode's index by
    // target); 0 when none.
    std::uint32_t m_firstLinkIn = 0;
    COleDateTime m_changeStamp;
    std::uint32_t m_nextChanged = 0;
    std::uint32_t m_root = 0;
    std::uint32_t m_prevSibling = 0;
};

/// Moves a loaded record's CHAN date and time (changeField, a CHAN child of record) into the
/// record's stamp: the last Gregorian DATE that the stamp can hold (simple, approximate or
/// interpreted, with day and month) and its TIME ("hh:mm:ss", a part out of range zeroed with
/// the parts after it). The DATE fields taken are deleted; one the stamp cannot hold stays, so
/// nothing is lost; a CHAN left with no child is deleted. True when the stamp was set.
bool ParseChangeDate(CRecordNode* record, CDataNode* changeField);

/// Frees a node and its subtree at once, children first (a loaded node discarded before it
/// joins the data set).
void DestroyNodeTree(CDataNode* node);
