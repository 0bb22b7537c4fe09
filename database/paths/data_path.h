// database/paths/data_path.h: naming a field relative to a record by a path of tags, as users and
// saved files write it (INDI.NAME[2]:SURNAME, FAM.HUSB>NAME, INDI.~FATH>BIRT.DATE).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CDataNode;
class CFieldDef;

/// What a step of a path names: a field, or a relative of the individual the path has reached.
enum DataPathStepKind : int {
    DPS_FIELD = 0,
    DPS_FATHER = 1, // ~FATH: the husband of a parent family
    DPS_MOTHER = 2, // ~MOTH: the wife of a parent family
    DPS_SPOUSE = 3, // ~SPOU: the partner in a spouse family
    DPS_CHILD = 4,  // ~CHIL: a child, counted across the spouse families in order
};

/// Why a path text did not parse.
enum class DataPathError : int {
    None,
    Empty,               // no text
    EmptyStep,           // nothing between two separators, or after "." or at the start
    TagTooLong,          // a tag of more than 32 characters
    UnknownTag,          // no such field where the step stands, or an unknown ~ relation
    BadTypeName,         // an empty type name, or one on a field that takes none
    BadInstance,         // a bracket without a closing "]" or without a number that fits
    UnexpectedText,      // something other than ".", ">", ":" or the end after a step
    RelationNotAllowed,  // a relation step where the path does not stand at an individual
    RelationNeedsFollow, // a relation step not followed by ">"
    FollowNeedsLink,     // ">" after a field that is no link to a record
    BadQualifier,        // a qualifier keyword the last field does not take
};

/// One step of a path.
struct CDataPathStep {
    /// The field's definition; for a relation step the individual record's definition.
    const CFieldDef* m_def = nullptr;
    /// 0-based instance among the matching fields (or parent families, spouse families,
    /// children); 0 when the text gave none.
    int m_instance = 0;
    /// "[<n]": when fewer than n instances exist, the last existing one is taken.
    bool m_upTo = false;
    /// ">" follows: a field step is a link and the path goes on in the linked record; every
    /// relation step has it.
    bool m_follow = false;
    /// For a custom event or attribute ("EVEN-GRADUATION"): the letters and digits of its TYPE
    /// in upper case; empty when none.
    std::string m_typeName;
    DataPathStepKind m_kind = DPS_FIELD;

    bool operator==(const CDataPathStep&) const = default;
};

/// A path parsed once against the field-definition dictionary and resolved against a record's
/// field tree whenever a value is needed (data controls, query columns and conditions, box
/// texts, report columns). Grammar of the text form:
///   path := step { ("." | ">") step } [ ":" qualifier ]
///   step := TAG [ "-" type-name ] [ "[" [ "<" ] number "]" ] | ~FATH | ~MOTH | ~SPOU | ~CHIL,
///           a relation optionally followed by an instance bracket
/// The first step names the record type unless the parse is given a starting definition; a
/// text beginning with "@" starts at a shared structure. ">" may end the path after a link or
/// relation step, naming the linked record or the relative. A path is a value: copies are deep.
class CDataPath {
public:
    /// Replaces the path by the parsed text; on failure the path is left empty and error (when
    /// given) says why. start: the definition whose children the first step names.
    bool ParseText(std::string_view text, const CFieldDef* start = nullptr,
                   DataPathError* error = nullptr);
    /// The text form; with showFirstIndex an instance 0 is written "[1]" where the field may
    /// occur more than once (not on a first step that is a record). With append the text is
    /// added to text, else it replaces it.
    void Format(std::string& text, bool showFirstIndex = false, bool append = false) const;
    /// The words of the path for labels, joined by ".": Father, Mother, Spouse, Child for
    /// relation steps, the type name of a custom event, Sibling, Father or Mother for the
    /// CHIL, HUSB or WIFE of a parent family, else the field's label; then "(" qualifier ")".
    void FormatRelation(std::string& text, bool skipFirst) const;

    /// The node the path reaches from node, or null. The first step must be node's own
    /// definition (a shared structure's name is not compared: the next step matches node's
    /// children made from that structure), unless amongChildren says the first step names a
    /// child of node. With a qualifier the node reached must support it, unless skipped.
    CDataNode* FindNode(CDataNode* node, bool amongChildren = false,
                        bool skipQualifierTest = false) const;
    /// As FindNode, creating the missing fields up to the instance asked for (a custom event
    /// with its TYPE); relatives, linked records and the links the path follows are never
    /// created. Null when a field cannot be made.
    CDataNode* FindOrCreateNode(CDataNode* record) const;

    /// A one-step path to def; an empty path for null.
    void SetField(const CFieldDef* def);
    /// Same qualifier and the same steps (definition, instance, flags, kind, type name).
    bool IsEqual(const CDataPath& other) const;
    bool IsEmpty() const { return m_steps.empty(); }
    void Clear();

    std::size_t GetStepCount() const { return m_steps.size(); }
    /// The step after step (the first for null); null after the last.
    const CDataPathStep* NextStep(const CDataPathStep* step) const;
    /// The qualifier id of the qualifier table; 0 none.
    int GetQualifier() const { return m_qualifier; }
    /// The last step's definition; null for an empty path.
    const CFieldDef* GetLastField() const;
    /// The record the path ends at: the last definition when it is a record, or with allowLink
    /// the target record of a last link; null otherwise.
    const CFieldDef* GetLeafField(bool allowLink) const;
    /// The result type of the qualifier (with useQualifier, when there is one), else the last
    /// step's data type; 0 for an empty path.
    int GetLeafDataType(bool useQualifier) const;

private:
    CDataNode* Resolve(CDataNode* node, bool amongChildren, bool create) const;

    std::vector<CDataPathStep> m_steps;
    int m_qualifier = 0;
};

/// Resolves path text from node without parsing it against the dictionary: each token (at most
/// 32 characters, ending at ".", "[", ":", ">" or the end) must equal a child's tag; "[n]"
/// skips n matches ("[0]" is the first) and "[<n]" falls back to the last match when there are
/// fewer; "." descends, ">" follows the link to its record, ":" ends the path and gives the
/// qualifier id of the keyword after it (FindQualifier, -1 when the field does not take it).
/// Empty text gives the node itself and qualifier 0. Null when a step finds nothing.
CDataNode* FindNodeByText(CDataNode* node, std::string_view text, int* qualifier);
/// The definition reached from def through dotted tags ("BIRT.DATE"); null when one is missing.
const CFieldDef* FindFieldDefByPath(const CFieldDef* def, std::string_view tags);

/// Letters and digits of text in upper case, everything else dropped.
std::string MakeAlnumUpperKey(std::string_view text);
/// True when both texts hold the same letters and digits in the same order, ignoring case and
/// every other character.
bool CompareAlnumNoCase(std::string_view a, std::string_view b);
