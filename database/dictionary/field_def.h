// database/dictionary/field_def.h: one definition of the field-definition dictionary: which tag may
// stand where, how often, with which value type, node class, label, values and field id.
#pragma once

#include "database/dictionary/field_class.h"
#include "database/dictionary/field_ids.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/// The data-type codes of field definitions; queries, qualifiers and data controls are chosen
/// by them. 13 and 14 are value types of the query vocabulary that no field definition has.
enum FieldDataType : int {
    FDT_NONE = 0,       // the type name was not recognised
    FDT_TEXT = 1,       // one line of text
    FDT_MULTI_TEXT = 2, // multi-line text
    FDT_ENUM = 3,
    FDT_LINK = 4,    // a link to a record
    FDT_COMPLEX = 5, // sub-fields only
    FDT_RECORD = 6,
    FDT_DATE = 7,
    FDT_NAME = 8, // personal name
    FDT_NUMBER = 9,
    FDT_RECT = 10,
    FDT_AGE = 11,
    FDT_BLOB = 12, // binary block; also "computed value" in the condition-operator table
    FDT_MONTH_DAY = 13,
    FDT_SPAN = 14,
};

/// What a definition is in the definition trees.
enum FieldDefKind : int {
    FDK_FIELD = 0,       // a field or record definition
    FDK_STRUCT_REF = 1,  // a placeholder naming a shared structure by its tag
    FDK_COPY = 2,        // made by expanding a reference; reads its source's children
    FDK_STRUCT_HEAD = 3, // the top of a shared structure
};

// Bits of the flag word: the letters E, A, C (label and instance numbering from the TYPE
// sub-field), U (no automatic source citation) and '!' (compared by its key sub-fields); a field
// added while loading a GEDCOM file; the class value (1: a link whose next sibling is its local
// form; 2: a local form, whose stored tag ends in one character GEDCOM does not see); and the bit
// set on every definition but those of type "ComplexY" (a childless field is not written).
inline constexpr std::uint32_t FDF_EVENT = 0x01;
inline constexpr std::uint32_t FDF_ATTRIBUTE = 0x02;
inline constexpr std::uint32_t FDF_TYPED = 0x04;
inline constexpr std::uint32_t FDF_NO_CITATION = 0x08;
inline constexpr std::uint32_t FDF_USER_DEFINED = 0x10;
inline constexpr std::uint32_t FDF_POINTER_FORM = 0x20;
inline constexpr std::uint32_t FDF_LOCAL_FORM = 0x40;
inline constexpr std::uint32_t FDF_KEY_COMPARED = 0x80;
inline constexpr std::uint32_t FDF_SKIP_WHEN_CHILDLESS = 0x100;
/// A value the program writes itself: shown, never edited (the attribute "readonly").
inline constexpr std::uint32_t FDF_READ_ONLY = 0x200;

/// The maximum count that means "any number".
inline constexpr std::uint16_t FIELD_COUNT_UNBOUNDED = 65535;
/// Menu command ids: field id + 22006, a link's alternative form field id + 22149.
inline constexpr int FIELD_COMMAND_OFFSET = 22006;
inline constexpr int FIELD_ALT_COMMAND_OFFSET = 22149;
inline constexpr int FIELD_COMMAND_FIRST = 25007; // field id 3001
inline constexpr int FIELD_COMMAND_LAST = 25149;  // field id 3143
inline constexpr int FIELD_ALT_COMMAND_FIRST = 25150;
inline constexpr int FIELD_ALT_COMMAND_LAST = 25292;
/// Dialog control ids: field id + 999; every user-defined field shares one.
inline constexpr int FIELD_CONTROL_OFFSET = 999;
inline constexpr int FIELD_CONTROL_USER_DEFINED = 32775;
/// The ids handed to fields that a GEDCOM file brings and the table lacks.
inline constexpr int FIELD_USER_FIRST = 1001;
inline constexpr int FIELD_USER_LAST = 3000;

/// The values of a definition: (key, text) pairs for an enumeration; for a complex or record
/// definition the default sub-fields and key fields of its display template; for a link the
/// tags of the reciprocal link in the target record. Shared by a definition and its copies.
struct CFieldValues {
    std::vector<std::pair<std::string, std::string>> m_enum; // enumerations only
    std::vector<std::string> m_items;                        // every other type
};

/// One node of the field-definition dictionary. Definitions are made once at start-up (and
/// when a GEDCOM file brings a tag the table lacks), owned by their dictionary, and shared
/// read-only by every data node of the field: a node holds only its definition's index.
class CFieldDef final {
public:
    /// Takes the first free index; throws std::bad_alloc when every index is taken.
    CFieldDef();
    ~CFieldDef();
    CFieldDef(const CFieldDef&) = delete;
    CFieldDef& operator=(const CFieldDef&) = delete;

    /// Every existing definition has an index of 23 bits, never 0, which a data node keeps
    /// instead of a pointer, beside its flags in one word; the index of a destroyed definition
    /// is given again.
    static constexpr std::uint32_t kIndexBits = 23;
    std::uint32_t GetIndex() const { return m_index; }
    /// The definition with the index; null for 0.
    static const CFieldDef* FromIndex(std::uint32_t index)
    {
        return s_indexBlocks[index >> kIndexBlockShift][index & (kIndexBlockSize - 1)];
    }

    // Place in the definition trees.
    FieldDefKind GetKind() const { return m_kind; }
    bool IsCopy() const { return m_kind == FDK_COPY; }
    /// The definition this one stands under (for a copy, the one that received the expansion).
    const CFieldDef* GetParent() const { return m_parent; }
    /// The first sub-field definition; a copy answers its source's.
    const CFieldDef* GetFirstChild() const { return GetSource()->m_firstChild; }
    const CFieldDef* GetNextSibling() const { return m_nextSibling; }
    /// For a copy the definition it copies (never itself a copy once the dictionary is
    /// finished); every other definition answers itself.
    const CFieldDef* GetSource() const { return m_source ? m_source : this; }
    /// For a copy the structure reference it was made from; null otherwise.
    const CFieldDef* GetCopyReference() const { return m_reference; }
    /// For a structure reference, the structure head it was resolved to; null otherwise.
    const CFieldDef* GetStructHead() const { return m_structHead; }
    /// For a structure reference, the first copy made from it (null before expansion).
    const CFieldDef* GetFirstCopy() const { return m_firstCopy; }
    /// For a link (FDT_LINK), the record definition it points to.
    const CFieldDef* GetLinkTarget() const { return m_linkTarget; }

    // What the field is.
    /// The stored tag; for a structure head or reference the structure's name. A local form
    /// (FDF_LOCAL_FORM) stores one trailing character that GEDCOM does not see.
    const std::string& GetTag() const { return m_tag; }
    /// The tag as GEDCOM writes it.
    std::string_view GetGedcomTag() const;
    const std::string& GetLabel() const { return m_label; }
    /// A link's target record tag, or the display template of a record, complex field or fact.
    const std::string& GetExtraText() const { return m_extraText; }
    int GetDataType() const { return m_dataType; }
    int GetFieldId() const { return m_fieldId; }
    std::uint16_t GetMinCount() const { return m_minCount; }
    std::uint16_t GetMaxCount() const { return m_maxCount; }
    bool IsUnbounded() const { return m_maxCount == FIELD_COUNT_UNBOUNDED; }
    /// Whether CONT lines (line breaks) and CONC lines (joined pieces) may continue the value.
    bool AllowsCont() const { return m_contWord != 0; }
    bool AllowsConc() const { return m_concWord != 0; }
    std::int16_t GetSizeValue() const { return m_sizeValue; }
    bool IsStructFlagged() const { return m_structFlag; }
    /// The position among its siblings; copies of one event or ordinance group share one.
    std::uint8_t GetSiblingOrder() const { return m_siblingOrder; }

    // Flags.
    std::uint32_t GetFlags() const { return m_flags; }
    /// True when any bit of flag is set.
    bool HasFlag(std::uint32_t flag) const { return (m_flags & flag) != 0; }
    bool IsHidden() const { return m_hidden; }
    bool IsReadOnly() const { return HasFlag(FDF_READ_ONLY); }
    bool IsNotInAddMenu() const { return m_notInAddMenu; } // letter R
    bool IsLds() const { return m_lds; }                   // letter L
    /// A record definition whose records carry a change stamp (it has a CHAN child).
    bool HasChangeStamp() const { return m_hasChangeStamp; }

    // Classes.
    const CNodeClass* GetNodeClass() const { return m_nodeClass; }
    const CControlClass* GetControlClass() const { return m_controlClass; }

    // Values.
    /// Never null once the definition is read; empty for definitions without values.
    const CFieldValues& GetValues() const;
    int GetEnumValueCount() const;
    /// The key, or with wantText the text, of entry i; empty outside the list.
    const std::string& GetEnumValue(int i, bool wantText) const;
    /// The index whose key (or with byText, text) equals text exactly; -1 when none.
    int FindEnumValue(std::string_view text, bool byText) const;

    // Lookups among the children (the source's for a copy); null when nothing fits.
    const CFieldDef* FindChildByTag(std::string_view tag) const;
    const CFieldDef* FindChildById(int fieldId) const;
    /// The child for a tag read from GEDCOM: the one with that stored tag, else the first local
    /// form written with that tag (a local form may stand without its pointer form).
    const CFieldDef* FindChildByGedcomTag(std::string_view tag) const;
    /// The child whose plain or alternative command id is command; isAlternative tells which.
    const CFieldDef* FindChildByCommand(int command, bool* isAlternative) const;

    // Ids derived from the field id.
    int GetCommandId(bool alternative) const;
    bool IsCommand(int command, bool* isAlternative) const;
    int GetControlId() const;

private:
    friend class CFieldDictionary;

    // The definitions by index, in blocks that never move (so that a reader on another thread
    // never sees a table being copied). Block 0 always exists and its slot 0 stays null.
    static constexpr unsigned kIndexBlockShift = 12;
    static constexpr std::uint32_t kIndexBlockSize = std::uint32_t(1) << kIndexBlockShift;
    static constexpr std::uint32_t kIndexBlocks = std::uint32_t(1)
                                                  << (kIndexBits - kIndexBlockShift);
    static const CFieldDef* s_firstIndexBlock[kIndexBlockSize];
    static const CFieldDef** s_indexBlocks[kIndexBlocks];

    struct IndexEntry {
        std::uint64_t key; // the tag's first eight bytes
        int fieldId;
        const CFieldDef* def;
    };
    static std::uint64_t TagKey(std::string_view tag);
    /// The home slot of a tag key in m_tagSlots.
    std::size_t TagSlot(std::uint64_t key) const;
    void RebuildIndex();

    CFieldDef* m_parent = nullptr;
    CFieldDef* m_firstChild = nullptr;
    CFieldDef* m_nextSibling = nullptr;
    const CFieldDef* m_source = nullptr;     // copies
    const CFieldDef* m_reference = nullptr;  // copies
    const CFieldDef* m_structHead = nullptr; // references
    const CFieldDef* m_firstCopy = nullptr;  // references
    const CFieldDef* m_linkTarget = nullptr;
    std::string m_tag;
    std::string m_label;
    std::string m_extraText;
    std::shared_ptr<const CFieldValues> m_values;
    CNodeClass* m_nodeClass = nullptr;
    CControlClass* m_controlClass = nullptr;
    std::vector<IndexEntry> m_childIndex; // children in definition order, for fast lookups
    // With many children, a hash of m_childIndex by tag key (linear probing, 1 + the position in
    // m_childIndex, 0 for an empty slot), so a tag is found without a scan of every child.
    std::vector<std::uint16_t> m_tagSlots;
    FieldDefKind m_kind = FDK_FIELD;
    int m_dataType = FDT_NONE;
    int m_fieldId = 0;
    std::uint32_t m_flags = FDF_SKIP_WHEN_CHILDLESS;
    std::uint16_t m_minCount = 0;
    std::uint16_t m_maxCount = 0;
    std::uint16_t m_contWord = 0;
    std::uint16_t m_concWord = 0;
    std::int16_t m_sizeValue = -1;
    std::uint8_t m_siblingOrder = 0;
    bool m_structFlag = false;
    bool m_hidden = false;
    bool m_notInAddMenu = false;
    bool m_lds = false;
    bool m_hasChangeStamp = false;
    std::uint32_t m_index = 0;
};

/// Both lookups read the source's children for a copy; null when def is null or nothing fits.
const CFieldDef* FindChildDefByTag(const CFieldDef* def, std::string_view tag);
const CFieldDef* FindChildDefById(const CFieldDef* def, int fieldId);

/// For a copy, the reference it was made from (with firstOnly, only when it is the first copy
/// of that reference); null for any other definition.
const CFieldDef* GetCopyReference(const CFieldDef* def, bool firstOnly);
/// For a structure reference, its first copy.
const CFieldDef* GetStructRefTarget(const CFieldDef* def);
/// For a structure reference, the first definition after its copies in the chain.
const CFieldDef* GetFirstOwnChildDef(const CFieldDef* def);
/// For a copy, its next sibling when that was made from the same reference; null otherwise.
const CFieldDef* GetNextCopySibling(const CFieldDef* def);

int GetEnumValueCount(const CFieldDef* def);
const std::string& GetEnumValue(const CFieldDef* def, int i, bool wantText);
int FindEnumValue(const CFieldDef* def, std::string_view text, bool byText);

int GetFieldCommandId(const CFieldDef* def, bool alternative);
const CFieldDef* FindChildDefByCommand(const CFieldDef* def, int command, bool* isAlternative);
bool IsFieldCommand(const CFieldDef* def, int command, bool* isAlternative);
int GetFieldControlId(const CFieldDef* def);
