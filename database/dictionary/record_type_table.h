// database/dictionary/record_type_table.h: the nine GEDCOM record types in their two fixed orders,
// with their tags, record definitions, root nodes, type bits, id letters and display names.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>
#include <string>

class CFieldDef;
class CDataNode;

/// The table's one valid version argument.
inline constexpr int RECORD_TYPE_TABLE_VERSION = 550;
inline constexpr int RECORD_TYPE_COUNT = 9;
/// The further bitmap resource loaded with the table.
inline constexpr int RECORD_TYPE_EXTRA_BITMAP = 322;

/// One record type. The fixed part comes from the table; the top definition is set by the
/// dictionary loader and the root node at data-model start-up.
struct CRecordType {
    const char* m_tag;
    std::uint32_t m_typeBit;
    int m_bitmaps[3]; // bitmap resource ids
    char m_idLetter;
    const char* m_singular; // lower case
    const char* m_plural;   // capitalised
    bool m_singleInstance;  // a file holds at most one record of the type
    int m_listIndex;
    const CFieldDef* m_topDef;
    CDataNode* m_root;
};

/// The record types. Rows stand in table order (HEAD, FAM, INDI, OBJE, NOTE, REPO, SOUR,
/// SUBM, SUBN: the code of a type is its row); the list order (INDI, FAM, NOTE, SOUR, REPO,
/// SUBM, SUBN, OBJE, HEAD) is the order in which types are shown and per-type states indexed.
class CRecordTypeTable final {
public:
    CRecordTypeTable();

    std::span<CRecordType> Rows() { return m_rows; }
    std::span<const CRecordType> Rows() const { return m_rows; }
    /// The row with that table index, or with that list index; null outside 0 to 8.
    const CRecordType* RowByCode(int code) const;
    const CRecordType* RowByListIndex(int listIndex) const;
    /// The row whose top definition is def; null when def tops no row.
    const CRecordType* RowForDef(const CFieldDef* def) const;
    CRecordType* MutableRowByCode(int code);
    /// Forgets the top definitions and the roots.
    void Clear();

private:
    CRecordType m_rows[RECORD_TYPE_COUNT];
    /// The row RowForDef found last, tried first: a load asks for the same few definitions over
    /// and over (every link read asks for its target's type). Atomic, since the query worker
    /// thread asks too.
    mutable std::atomic<const CRecordType*> m_lastFound = nullptr;
};

/// The program's one table.
CRecordTypeTable& GetRecordTypeTable();

/// Prepares the table (top definitions and roots cleared); false unless version is 550.
bool InitRecordTypeTable(int version);
void FreeRecordTypeTable(int version);

/// The table index of the type shown at a list index; -1 outside 0 to 8.
int GetRecordTypeOrder(int listIndex);
int GetRecordTypeCount();

void SetRecordTypeRoot(CDataNode* root, int code);
CDataNode* GetRecordTypeRoot(int listIndex);
CDataNode* GetRecordTypeRootForDef(const CFieldDef* topDef);

/// The singular name of a table index; empty outside 0 to 8.
std::string GetRecordTypeName(int code);
std::string GetRecordTypePluralName(int listIndex);
const CFieldDef* GetRecordTypeDef(int listIndex);
/// The singular name with a capital first letter when capital is set, or the plural name with
/// a lower-case first letter when capital is clear; empty outside 0 to 8.
void FormatRecordTypeName(int listIndex, bool plural, bool capital, std::string& text);
/// The first bitmap's resource id when first is set, else the second's when second is clear,
/// else the third's; 0 when no row has that definition.
int GetRecordTypeBitmap(const CFieldDef* topDef, bool first, bool second);

std::uint32_t GetRecordTypeMask(const CFieldDef* topDef); // 0 when def is no record top
int GetRecordTypeCode(const CFieldDef* topDef);           // the table index, -1 if none
int GetRecordTypeIndex(const CFieldDef* topDef);          // the list index, -1 if none
std::uint32_t RecordTypeIndexToMask(int listIndex);
int RecordTypeIndexToPageId(int listIndex);
/// -1 when a comes first in table order (the header row not considered), 1 when b does, 0
/// when they are equal or neither tops a row.
int CompareRecordTypeOrder(const CFieldDef* a, const CFieldDef* b);

/// True when no record type after the header row has a record (a file of only a header is
/// empty).
bool HasOnlyHeader();

/// The page templates of the record properties box for a record type, in the order they are
/// added; empty for a definition that tops no row.
std::span<const int> GetRecordPageTemplates(const CFieldDef* topDef);
