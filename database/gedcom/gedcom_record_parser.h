// database/gedcom/gedcom_record_parser.h: one record of a GEDCOM file built from its lines through
// the field-definition dictionary, with every line it cannot place reported.
#pragma once

#include "database/gedcom/gedcom_line_reader.h"
#include "database/gedcom/gedcom_record_parser_index.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CDataNode;
class CFieldDef;
class CRecordNode;

/// The definition of a line tagged tag with value under node: 0 with def set, or a skip reason of
/// exception_report.h. continuation is FIELD_CONC or FIELD_CONT for a continuation line that
/// node's definition allows (def is then node's own), 0 otherwise. A tag without a definition
/// gets a user-defined one unless the preferences exclude it: "Exclude Gedcom Extensions" for
/// tags that begin with "_" (kSkipExtension), "Exclude Non Std Tags" for the others
/// (kSkipNotGedcom55). A pointer form read with a value that is no cross-reference resolves to
/// its local form. A field already present as often as its definition allows gives
/// kSkipExceedsMax.
int ResolveChildDefinition(const CDataNode& node, std::string_view tag, std::string_view value,
                           const CFieldDef*& def, int& continuation);

/// Whether a GEDCOM value is a cross-reference: one identifier between two at signs, alone
/// but for blanks around it. Text that merely holds an at sign (an e-mail address, "@@", a date
/// escape such as "@#DJULIAN@") is none.
bool IsPointerValue(std::string_view value);

/// Builds records from their lines. One parser serves a whole load; it keeps the chain of nodes
/// from the record down to the line read last.
class CGedcomRecordParser final {
public:
    /// Builds the record of kind (a list index) whose level-0 line is in line, from recordDef,
    /// reading on up to the next level-0 line or the end. The record is not yet in the data set;
    /// record is null when none was made (its level-0 value was refused). Lines that cannot be
    /// placed, values that cannot be read and keys that a value list does not know are written to
    /// the exception report. Returns the status of the line that ended the record: kGedcomLineReady
    /// with a level-0 line in line, or kGedcomInputEnd.
    int ParseRecord(int kind, const CFieldDef* recordDef, GedcomLine& line, int& lineCounter,
                    CRecordNode*& record);
    /// Whether the record read last was given a change field (CHAN) of its own, which the
    /// loader then looks for.
    bool ReadChangeField() const { return m_readChange; }

private:
    /// A field read with a value that a save may leave out: one that has sub-fields only ("1 CONL
    /// Y", "1 CHAN") and no sub-field that writes something, or one read without a value ("2
    /// DATE"). Whether it is left out is known once its branch has ended; it is then reported.
    /// Its line is copied, since the reader reuses its text for the lines after it.
    struct CheckedField {
        CDataNode* node;
        CDataNode* prev; // the sibling before it, which stays while it is checked; null: first
        std::size_t level;
        int lineNumber;
        std::string xref;
        std::string tag;
        std::string value;
        /// Whether it writes its line exactly when a sub-field writes one (a field that has
        /// sub-fields only); written then tells whether one does. Any other field is asked.
        bool structure;
        bool written = false;
        /// Where its own line and the lines below it start in m_branchLines (its own line is
        /// there only when a field above it keeps lines too).
        std::size_t ownLine;
        std::size_t firstBranchLine;
    };
    /// A line kept while a field is checked that would take the lines below it along.
    struct BranchLine {
        int lineNumber;
        std::size_t level;
        std::string xref;
        std::string tag;
        std::string value;
    };

    /// One node of the chain from the record down, with what the parser knows of its children:
    /// the last one and the highest sibling order among them, brought up to date (CatchUp) from
    /// the last child known, since reading a value may make children of its own; and, once it
    /// has many, their index.
    struct PathNode {
        CDataNode* node;
        const CFieldDef* def; // the node's own, kept at hand: a line reads it for its children
        int order;            // def's sibling order
        int maxChildOrder = -1;
        CDataNode* lastChild = nullptr; // null while it has none
        CChildIndex* index = nullptr;
    };

    /// Puts node at level of the path (at most its depth), which then ends there.
    void EndPathWith(std::size_t level, const PathNode& node)
    {
        // Compared as places, not as a count, which would divide by the entry's size.
        if (m_path.begin() + std::ptrdiff_t(level) < m_path.end())
            m_path[level] = node;
        else
            m_path.push_back(node);
        m_depth = level + 1;
    }
    /// Takes the lines below the record from line on; returns the status of the first line it
    /// leaves: not ready (the end, an invalid line) or of level 0.
    int TakeLine(GedcomLine& line, int& lineCounter);
    /// Takes one line below the record; returns the status of the next line to handle. Inlined
    /// into TakeLine's loop.
    [[gnu::always_inline]] inline int TakeOneLine(GedcomLine& line, int& lineCounter);
    /// Links a new node of def under parent (after sibling, the node of the line's level read
    /// last under the same parent, unless the record's children are out of order) and reads its
    /// value; false (node freed) when the value is refused. prev: the child it follows.
    /// Inlined into TakeOneLine, its one caller, as is FindChildDef: a call for every line saved
    /// and wrote back the registers they share.
    [[gnu::always_inline]] inline bool AddNode(PathNode& parent, const PathNode* sibling,
                                               const CFieldDef* def, const GedcomLine& line,
                                               int lineCounter, CDataNode*& node, CDataNode*& prev);
    /// How many children of def parent has: counted while it has few, from its index after.
    int CountChildren(PathNode& parent, const CFieldDef* def);
    /// The child of parent after which a new child of that order goes by the rule of definition
    /// order (CDataNode::InsertChild's): before the first child of a higher order, else last.
    CDataNode* PlaceByOrder(PathNode& parent, int order);
    /// The child of parent after which a new child of that order goes when it is to stand after
    /// sibling (CDataNode::InsertChild's rule: there when the orders around allow it).
    CDataNode* PlaceAfter(PathNode& parent, CDataNode* sibling, int order);
    /// The index of parent's children, made on first use.
    CChildIndex& IndexOf(PathNode& parent);
    /// Links node under parent after prev (first when null) or takes it out, telling the index.
    void Link(PathNode& parent, CDataNode* node, CDataNode* prev);
    void Unlink(PathNode& parent, CDataNode* node, CDataNode* prev);
    /// Takes into parent the children linked after the last one it knows.
    static void CatchUp(PathNode& parent);
    /// Notes a field of def just read from line as node, whose value is value: one that a save
    /// may leave out is checked when its branch ends, and a field that a save writes is noted
    /// in the checked field it stands under.
    void NoteField(CDataNode* node, CDataNode* prev, const CFieldDef* def, int dataType,
                   std::string_view value, const GedcomLine& line, int lineCounter);
    /// Ends the checks of the fields of level and deeper: each that a save leaves out is
    /// reported, with the lines below it that go with it.
    void CloseCheckedFields(std::size_t level);
    /// Puts in place of a structure read with a value ("1 CONL Y") that a save would leave out a
    /// user-defined field of its tag that keeps the line as read; false when the preferences
    /// exclude it or none can be made.
    bool KeepAsUserDefined(const CheckedField& field);
    /// Takes a field a save leaves out, reported, out of the record with what it holds, so that
    /// the record shows what a save writes.
    void RemoveLeftOut(const CheckedField& field);
    /// FindChildByGedcomTag through a small cache: a file repeats the same few tags under the
    /// same few definitions, and the definitions themselves are seldom in the processor's cache
    /// while a large file is read. A definition once found stays the one found (definitions
    /// added while loading go after the others), so only tags that were found are kept.
    /// readable: how many bytes from the tag's first one may be read (the rest of the line).
    [[gnu::always_inline]] inline const CFieldDef*
    FindChildDef(const CFieldDef* parent, std::string_view tag, std::size_t readable);

    struct DefCacheEntry {
        const CFieldDef* parent = nullptr;
        std::uint64_t key = 0; // the tag's bytes
        std::size_t size = 0;
        const CFieldDef* def = nullptr;
    };

    /// m_path[level]: the node of that level on the current line, up to m_depth; the vector
    /// only grows, so that ending the path is one store.
    std::vector<PathNode> m_path;
    std::size_t m_depth = 0;
    bool m_outOfOrder = false; // a line of this record came after a later-ordered sibling
    bool m_readChange = false; // a CHAN field joined this record
    std::vector<CheckedField> m_checked;
    std::vector<BranchLine> m_branchLines;
    std::size_t m_keepingBranch = 0; // checked fields that keep the lines below them
    std::array<DefCacheEntry, 1024> m_defCache{};
    std::vector<std::unique_ptr<CChildIndex>> m_indexes; // of this record's path nodes
};
