// database/nodes/data_node.h: one node of the data set: a record-type root, a record or a field.
#pragma once

#include "database/dictionary/field_def.h"
#include "database/nodes/node_pool.h"
#include "platform/base/object.h"
#include "platform/base/types.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CDataCtl;
class CDataNode;
class CDateValue;
class CRecordNode;
class CWnd;
class IDataCtlOwner;
class INodeChoiceList;
class INodeMenu;
struct RECT;

// Bits of a node's flag byte. 0x02 is left to the subclasses.
inline constexpr BYTE DNF_RECORD = 0x01;         // set by the record classes
inline constexpr BYTE DNF_PENDING_DELETE = 0x04; // deleted; freed by the next NotifyChanges
inline constexpr BYTE DNF_CHANGED = 0x08;        // changed by the current edit
inline constexpr BYTE DNF_NEW = 0x10;            // created or moved by the current edit
inline constexpr BYTE DNF_PAIRED = 0x20;         // paired by a merge (kinship marks use a map)
inline constexpr BYTE DNF_MARK = 0x40;           // to be discarded by a merge
inline constexpr BYTE DNF_MERGE = 0x80;          // from the file a merge brings in

/// How CreateChild makes a child and where it puts it.
struct CreateOptions {
    /// An empty childless child of the same definition serves instead of a new one.
    bool reuseEmpty = false;
    /// The new child goes beside this one, before it unless `after` is set. Without a sibling it
    /// goes in definition order; a record goes last under its root, or first with `after`.
    CDataNode* sibling = nullptr;
    bool after = false;
    /// The default children that its definition lists are made with it.
    bool withChildren = true;
};

/// One term of a text search, in the forms the text fields compare with.
struct CSearchTerm {
    std::string m_text;
    std::string m_lower;
    std::string m_upper;
};

/// The base of every node of the data set. A node owns its children (first child, then each
/// child's next sibling); the parent a node finds at the end of its sibling chain does not own
/// it. It points to its field definition, which is shared by every node of that field, and its
/// subclass (chosen by the definition) holds the value.
/// Nodes come from a block pool (see node_pool.h) and name each other by their 32-bit pool
/// index and its definition by the definition's index: a plain node is 24 bytes, and a
/// subclass's first members of alignment 4 or less pack into the last 4 of them.
class CDataNode : public CObject {
public:
    CDataNode() noexcept = default;
    CDataNode(const CDataNode&) = delete;
    CDataNode& operator=(const CDataNode&) = delete;
    /// While change tracking is on, unlinks the node from its parent and detaches its children
    /// (which it does not free); with tracking off (a reset freeing whole trees) it does neither.
    ~CDataNode() override;

    static void* operator new(std::size_t size)
    {
        // A larger node would come from the heap, where no pool index can name it.
        if (size > CNodePool::kMaxPooled)
            NotInPool();
        return CNodePool::Nodes().Allocate(size);
    }
    static void operator delete(void* block, std::size_t size) noexcept;

    const CRuntimeClass* GetRuntimeClass() const override;
    /// The run-time class factory of the base node: a new empty node.
    static CObject* CreateObject();

    // Place in the tree.
    /// The parent; null for a root, a detached node and a node waiting for deletion. A record
    /// keeps its root; a field finds its parent at the end of its sibling chain (see below).
    CDataNode* GetParent() const;
    CDataNode* GetFirstChild() const { return NodeAt(m_firstChild); }
    /// The number of children: kept by a record-type root, counted for any other node.
    std::size_t CountChildren() const;
    CDataNode* GetNextSibling() const
    {
        return (m_link & kLinkTags) ? nullptr : NodeAt(m_link >> kLinkShift);
    }
    const CFieldDef* GetFieldDef() const { return CFieldDef::FromIndex(m_defIndex); }
    void SetFieldDef(const CFieldDef* def) { m_defIndex = def ? def->GetIndex() : 0; }
    /// The definition's field id; 0 without a definition.
    int GetFieldId() const
    {
        const CFieldDef* def = GetFieldDef();
        return def ? def->GetFieldId() : 0;
    }
    BYTE GetFlags() const { return BYTE(m_flags); }
    bool HasFlag(BYTE flag) const { return (m_flags & flag) != 0; }
    void SetFlag(BYTE flag, bool on)
    {
        m_flags = on ? BYTE(m_flags | flag) : BYTE(m_flags & ~flag);
    }
    bool IsRecord() const { return HasFlag(DNF_RECORD); }
    bool IsPendingDeletion() const { return HasFlag(DNF_PENDING_DELETE); }
    /// The record the node belongs to (the first node with the record bit from the node up,
    /// the node included); null for a root or a detached field.
    CRecordNode* GetRecord() const;

    // Virtual operations, most of which the field classes override.
    /// Creates the data control of the definition's control class for this node through the
    /// installed control host; null when the definition names no control or creation fails.
    virtual CDataCtl* ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner,
                                    DWORD style, UINT id, DWORD flags);
    /// Takes the control's value into the node (save) or the node's into the control.
    virtual bool UpdateFromControl(CDataCtl* control, bool save, bool notify);
    virtual bool IsChanged() const { return HasFlag(DNF_CHANGED); }
    /// A link field drops its target and the target's reciprocal link.
    virtual void ClearLink() {}
    virtual bool IsEmpty() const { return false; }
    virtual bool CanModifyChild(const CDataNode* child, std::string& reason) const;
    virtual bool CanDeleteChild(const CDataNode* child, std::string& reason) const;
    /// Marks the later siblings of the same definition changed (their instance numbers move),
    /// unlinks the child and schedules its subtree for deletion at the next NotifyChanges.
    virtual void DeleteChild(CDataNode* child);
    virtual bool GetDefaultText(std::string& text) const { return GetText(text, 0); }
    /// The value as text in a format (a qualifier id; 0 none); false and no text in the base.
    virtual bool GetText(std::string& text, int format) const;
    /// The display text in a format; the base copies GetText with format 0 (the second
    /// argument of GetText is a flag for some classes), cut to size - 1 bytes on a character
    /// boundary and terminated. The length copied.
    virtual int GetTextBuf(char* buffer, int size, int format) const;
    virtual CRecordNode* GetLinkTarget() const { return nullptr; }
    /// Sets the value from its GEDCOM text; false when the text is refused.
    virtual bool SetText(std::string_view text);
    /// Appends a continuation: kind FIELD_CONC joins, FIELD_CONT starts a new line.
    virtual bool AppendText(std::string_view text, int continuationKind);
    /// Copies another node's value (of the same class); answers this node.
    virtual CDataNode* CopyValueFrom(const CDataNode* other);
    /// Negative, 0 or positive; the base compares the display texts without regard to case.
    virtual int Compare(const CDataNode* other, int format) const;
    /// The display text of a node cut as GetTextBuf cuts it (300 bytes).
    std::string GetCompareText(int format) const;
    /// Whether the value can be given under that qualifier of the qualifier table.
    virtual bool SupportsQualifier(int qualifier) const;
    /// Adds the items that offer this node's sub-fields; true when anything was added.
    virtual bool AddContextMenu(INodeMenu& menu);
    /// options: the merge's record maps, or null.
    virtual bool IsEqual(const CDataNode* other, const void* options) const;
    /// Lists the places of the subtree that carry or may take a source citation.
    virtual void FillChoiceList(INodeChoiceList& list, bool restricted);
    /// A file-name child tells its multimedia object that the file changed.
    virtual void OnChildFileChanged() {}
    // Typed query-condition tests; false in the base.
    virtual bool MatchEnum(int qualifier, int op, int value) const;
    virtual bool MatchRecord(int qualifier, int op, const CRecordNode* record) const;
    /// The display text read as a decimal integer against value: op 3 equal, 4 greater, 5 less.
    virtual bool MatchNumber(int format, int op, long value) const;
    virtual bool MatchDate(int qualifier, int op, const CDateValue& value) const;
    virtual bool MatchMonthDay(int qualifier, int op, int month, int day) const;
    virtual bool MatchSpan(int qualifier, int op, int years, int months, int days) const;
    /// The display text against the operand: 3 equal, 4 sorts after, 5 before, 6 begins with,
    /// 7 ends with, 8 contains; false for any other operator and when there is no operand.
    virtual bool MatchText(int format, int op, bool caseSensitive,
                           std::optional<std::string_view> operand) const;
    /// The base searches no value of its own; with recursive, the visible children's.
    virtual bool ContainsText(std::span<const CSearchTerm> terms, bool caseSensitive,
                              bool recursive) const;
    /// Writes the node's GEDCOM lines at level through the line sink (WriteGedcomLine), using
    /// line as scratch; false when the sink failed.
    virtual bool WriteGedcom(int level, std::string& line) const;
    /// Flags the subtree for deletion and parks it on the pending-deletion list.
    virtual void ScheduleDelete();
    /// Points a link field at a record; 0 when refused (always for a node that is no link).
    virtual int SetLink(CRecordNode* record, bool noQuestions);

    // Reading the tree.
    /// The next child after `after` (from the first when null) with the field id (0: any);
    /// with skipEmpty, empty children are passed over. Null when `after` is not a child.
    CDataNode* FindChild(const CDataNode* after, int fieldId, bool skipEmpty = false) const;
    /// The same by definition; a null definition gives the next child.
    CDataNode* FindChildByDef(const CFieldDef* def, const CDataNode* after = nullptr) const;
    int CountChildren(int fieldId) const;
    int CountChildrenByDef(const CFieldDef* def) const;
    CDataNode* GetPrevSibling() const;
    /// The next non-empty SOUR link or SOUR text child.
    CDataNode* GetNextCitation(const CDataNode* after) const;
    /// The next NOTE child: a link gives the note record's TEXT (local false), a NOTE text
    /// itself (local true); with skipEmpty, empty links and texts are passed over.
    CDataNode* GetNextNoteText(const CDataNode* after, bool& local, CDataNode*& textNode,
                               bool skipEmpty) const;
    bool HasVisibleChildren() const;
    bool LinksTo(const CRecordNode* record, bool recursive) const;
    /// Adds the link fields of the subtree, the node included, that point at the record.
    void CountLinksTo(const CRecordNode* record, int& counter) const;
    CDataNode* FindLinkChild(int fieldId, const CRecordNode* record) const;
    /// The earlier siblings of the same definition (of the same TYPE for a C-flagged one).
    int GetSiblingIndex() const;
    void GetLabel(std::string& text) const;
    /// The text of the TYPE child; empty when there is none.
    std::string GetTypeText() const;
    /// The labels from the record down to the node, joined by "\"; a text longer than maxBytes
    /// keeps its end.
    std::string GetPathText(std::size_t maxBytes) const;
    /// The display text of a complex field or record from its definition's display template.
    void ComposeText(std::string& text, bool withoutDates) const;
    /// GetText format 0 into a buffer, always terminated; the length copied.
    int CopyNodeText(char* buffer, int size) const;
    bool CanHaveSourceCitation() const;

    // Context-menu pieces that the record classes use for their own menus too.
    /// A link's items: "Add Link to New ..." and "Add Link to Existing ..." (with plainWording
    /// "Link to New ..." and "Link to Existing ...", never greyed), in a popup when asked, and
    /// for a pointer form its local form's item, which skipNext tells the caller not to offer.
    bool AddLinkMenuItems(const CFieldDef* def, INodeMenu& menu, bool asPopup, bool& skipNext,
                          bool plainWording);
    /// The members of the shared structure that the copy first was made from, by their labels,
    /// in an "Add <reference label>" popup when asked; answers the definition after the group.
    const CFieldDef* AddGroupMenuItems(const CFieldDef* first, INodeMenu& menu, bool asPopup);

    // Changing the tree; every change is marked for change tracking.
    /// Creates a child of def (for a root, def null makes a record of the root's type) as the
    /// options say and applies the automatic citation. Null when nothing can be made.
    CDataNode* CreateChild(const CFieldDef* def, const CreateOptions& options = {});
    CDataNode* CreateChildById(int fieldId, const CreateOptions& options = {});
    /// As CreateChildById; the class is what the caller expects the definition to name and is
    /// not checked.
    CDataNode* CreateChildOfClass(const CNodeClass* nodeClass, int fieldId,
                                  const CreateOptions& options = {});
    CDataNode* CreateChildByTag(std::string_view tag, const CreateOptions& options = {});
    CDataNode* AddTextChild(int fieldId, std::string_view text);
    CDataNode* AddLinkChild(int fieldId, CRecordNode* record);
    void AppendChild(CDataNode* child, bool ordered);
    /// As AppendChild(record, false) for a record that a load read, on a record-type root: the
    /// record goes after the last one with the same links, tally and (none while a load runs)
    /// change marks, without the general path's lookups.
    void AppendLoadedRecord(CRecordNode* record);
    /// Links child after prev (first when prev is null) as a load links the fields it reads:
    /// no order test, no change mark. This node keeps no tally (it is no record-type root): the
    /// caller knows, and knows where the child goes. A record goes through LinkAfter, which
    /// keeps its links.
    void LinkLoadedChild(CDataNode* child, CDataNode* prev)
    {
        if (child->IsRecord()) {
            LinkAfter(child, prev);
        } else if (prev) {
            child->m_link = prev->m_link;
            prev->m_link = SiblingLink(child);
        } else {
            child->m_link = m_firstChild ? m_firstChild << kLinkShift : ParentLink(this);
            SetFirstChild(child);
        }
    }
    /// Takes child out of the chain as a load takes out a field it read: prev is the child
    /// before it (null when it is the first), so no walk finds it; the conditions of
    /// LinkLoadedChild hold.
    void UnlinkLoadedChild(CDataNode* child, CDataNode* prev)
    {
        if (child->IsRecord()) {
            UnlinkChild(child, true);
            return;
        }
        if (prev)
            prev->m_link = child->m_link;
        else
            SetFirstChild(child->GetNextSibling());
        child->m_link = 0;
    }
    void InsertChild(CDataNode* child, CDataNode* sibling, bool before);
    /// The number of child, a record of this node, changed: a node that keeps a tally notes
    /// whether its records still stand in number order.
    void NoteRecordRenumbered(const CDataNode* child);
    /// Takes the child out of the chain; a child not in it aborts unless tolerant.
    void UnlinkChild(CDataNode* child, bool tolerant);
    void MoveTo(CDataNode* newParent, CDataNode* sibling, bool before);
    /// Swap with the previous or next sibling of the same order group; false when it cannot.
    bool MoveUp();
    bool MoveDown();
    void DeleteChildrenById(int fieldId);
    /// Deletes through the parent's DeleteChild (a parentless node at once), then notifies.
    static void DeleteNode(CDataNode* node);
    /// Frees every child subtree at once (children first), without change tracking: the
    /// data set's reset and shutdown.
    void DeleteChildren();
    /// Deletes every descendant that carries the mark; true when anything went.
    bool DeleteMarkedChildren();

    // Merge marks.
    /// On the subtree: clears the paired bit, and sets the mark (on) or clears it.
    void SetSubtreeMark(bool on);
    void SetSubtreeMergeFlag(bool on);
    /// Over the unpaired, visible nodes of the subtree: whether one lacks the mark and whether
    /// one carries it; stops once both are known (a caller may preset one).
    void GetSubtreeMarks(bool& hasUnmarked, bool& hasMarked) const;
    /// Pairs this node with its counterpart in the other data set, and their children.
    void PairSubtrees(CDataNode* counterpart, const void* maps);
    /// The node of the other record at this node's place; the other record for a record.
    CDataNode* FindCounterpart(CDataNode* otherRecord) const;
    /// Takes the counterpart's kept sub-fields into this node (see the merge rules).
    void MergeChildren(CDataNode* counterpart, CRecordNode* sourceRecord, bool annotate);
    /// Cites the source record on this node, or (climb) on the nearest ancestor that can carry
    /// the citation, with a note naming the fields passed; path collects their labels.
    CDataNode* CiteMergeSource(CRecordNode* sourceRecord, bool climb, std::string& path);

    /// Equal tags; with the prefix rule a local form's stored tag is compared without its last
    /// character.
    static bool FieldDefMatchesTag(const CFieldDef* def, std::string_view tag, bool prefixRule);

protected:
    /// What a node with very many children keeps of them, so that appending one of a million
    /// records or counting them walks none.
    struct ChildTally {
        CDataNode* last = nullptr;
        std::size_t count = 0;
        /// Every child is a record numbered above the one before it (and above 0): the chain
        /// is in record number order. Kept where a child is linked or renumbered; taking one
        /// out keeps it. Once broken it stays so until the chain is emptied.
        bool ascending = true;
    };
    /// The tally of a node that keeps one; null for other nodes.
    virtual ChildTally* KeptTally() { return nullptr; }
    /// Unlinks every child that pick chooses and schedules it for deletion, in one walk of the
    /// chain; for a parentless node whose class keeps the base DeleteChild.
    void DeleteChildrenWhere(const std::function<bool(const CDataNode*)>& pick);
    /// Forgets every child without freeing it (the node pool frees them, whole).
    void ForgetChildren() noexcept
    {
        SetFirstChild(nullptr);
        if (ChildTally* tally = KeptTally())
            *tally = ChildTally();
    }
    /// One more bit of the node's own, beside the flag byte's 0x02, left to the subclasses;
    /// it costs no space, since it takes a bit of the definition index's word.
    bool HasClassBit() const { return m_classBit != 0; }
    void SetClassBit(bool on) { m_classBit = on ? 1u : 0u; }
    /// A node of a class that holds memory outside the node pool (a heap text, a picture, a
    /// working file) is one of the pool's owners for its whole life (see CNodePool::KeepOwner):
    /// freeing the whole pool runs its destructor. Called by its constructor and destructor.
    void KeepAsPoolOwner() noexcept;
    void DropAsPoolOwner() noexcept { CNodePool::Nodes().DropOwner(this); }

private:
    friend void PushPendingDeletion(CDataNode* node);
    friend void DeletePendingNodes();
    friend CDataNode* CreateNodeFromDef(const CFieldDef* def, bool withChildren,
                                        std::vector<CDataNode*>* made);

    /// Links child after prev (first when prev is null), without change marks.
    void LinkAfter(CDataNode* child, CDataNode* prev);
    /// Links child in definition order (ordered) or last, without change marks.
    void LinkOrdered(CDataNode* child, bool ordered);
    /// Makes node's mandatory and default children, for CreateNodeFromDef: apart from it, so
    /// that making a node alone, as a load does for every line, stays short.
    [[gnu::noinline]] static void AddDefaultChildren(CDataNode* node, const CFieldDef* def,
                                                     std::vector<CDataNode*>* made);
    /// The tally of a parentless node that keeps one.
    ChildTally* RootTally() { return m_link == 0 ? KeptTally() : nullptr; }
    /// The parent a last sibling's link names; null for any other node, and for a last sibling
    /// whose parent is not in the pool (a record-type root: a record keeps its root itself).
    CDataNode* ChainParent() const
    {
        return (m_link & kParentTag) ? NodeAt(m_link >> kLinkShift) : nullptr;
    }
    bool IsLastSibling() const { return (m_link & kParentTag) != 0; }
    static CDataNode* NodeAt(std::uint32_t index)
    {
        return static_cast<CDataNode*>(CNodePool::BlockAt(index));
    }
    /// The pool index of a node that becomes a child; aborts for a node from outside the pool,
    /// which no link could name.
    static std::uint32_t ChildIndex(const CDataNode* child)
    {
        const std::uint32_t index = CNodePool::IndexOf(child);
        if (child && index == 0)
            NotInPool();
        return index;
    }
    [[noreturn]] static void NotInPool();
    void SetFirstChild(CDataNode* child) { m_firstChild = ChildIndex(child); }
    static std::uint32_t SiblingLink(const CDataNode* next)
    {
        return ChildIndex(next) << kLinkShift;
    }
    static std::uint32_t ParentLink(const CDataNode* parent)
    {
        return CNodePool::IndexOf(parent) << kLinkShift | kParentTag;
    }
    /// Takes the node out of any chain: no sibling, no parent (a record forgets its root).
    void Detach();
    /// Tells a record (node) which sibling comes before it; nothing for other nodes.
    static void SetRecordPrev(CDataNode* node, CDataNode* prev);
    bool CanStandBeside(const CDataNode* child, const CDataNode* sibling, bool before) const;
    CDataNode* FindReusableChild(const CFieldDef* def) const;
    /// Whether the node already has as many children of def as its maximum count allows
    /// (a maximum that reads negative as a signed 16-bit number is unbounded).
    bool IsAtMaxCount(const CFieldDef* def) const;

    // The link word threads the sibling chain: the pool index of the next sibling; for the last
    // sibling its parent's, tagged with kParentTag; for a node waiting for deletion the next such
    // node's, tagged with kPendingTag; 0 for a root or a detached node. The index sits above
    // the two tag bits. Keeping no separate parent pointer, and indexes instead of pointers,
    // saves 16 bytes a node.
    static constexpr std::uint32_t kParentTag = 1;
    static constexpr std::uint32_t kPendingTag = 2;
    static constexpr std::uint32_t kLinkTags = kParentTag | kPendingTag;
    static constexpr int kLinkShift = 2;

    std::uint32_t m_firstChild = 0; // pool index
    std::uint32_t m_link = 0;
    std::uint32_t m_defIndex : CFieldDef::kIndexBits = 0; // CFieldDef::GetIndex
    std::uint32_t m_flags : 8 = 0;
    std::uint32_t m_classBit : 1 = 0; // HasClassBit
};

/// The node factory: a node of def's class with def set, numbered when it is a record, added to
/// made (when given), and with its mandatory and default children when withChildren is set.
/// Null when def has no node class; aborts when the class cannot make the node.
CDataNode* CreateNodeFromDef(const CFieldDef* def, bool withChildren,
                             std::vector<CDataNode*>* made);

/// The node's text in format 0; empty for no node.
std::string NodeText(const CDataNode* node);
