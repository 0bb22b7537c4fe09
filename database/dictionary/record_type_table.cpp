// database/dictionary/record_type_table.cpp: the nine GEDCOM record types in their two fixed
// orders, with their tags, record definitions, root nodes, type bits, id letters and display names.
#include "database/dictionary/record_type_table.h"

#include "database/nodes/data_node.h"

#include <cctype>

namespace {

// List index to table index.
constexpr int kListOrder[RECORD_TYPE_COUNT] = {2, 1, 4, 6, 5, 7, 8, 3, 0};
// Page template ids of the record properties box, by list index.
constexpr int kPageIds[RECORD_TYPE_COUNT] = {345, 346, 347, 348, 349, 0, 0, 350, 0};

constexpr int kHeadPages[] = {321, 173};
constexpr int kFamPages[] = {298, 176, 302, 173};
constexpr int kIndiPages[] = {172, 183, 298, 176, 302, 173};
constexpr int kObjePages[] = {227, 173};
constexpr int kNotePages[] = {187, 173};
constexpr int kRepoPages[] = {181, 176, 173};
constexpr int kSourPages[] = {180, 176, 302, 173};
constexpr int kSubmPages[] = {317, 173};
constexpr int kSubnPages[] = {316, 173};
// By table index.
constexpr std::span<const int> kPages[RECORD_TYPE_COUNT] = {
    kHeadPages, kFamPages,  kIndiPages, kObjePages, kNotePages,
    kRepoPages, kSourPages, kSubmPages, kSubnPages,
};

bool IsIndex(int i)
{
    return i >= 0 && i < RECORD_TYPE_COUNT;
}

} // namespace

CRecordTypeTable::CRecordTypeTable()
    : m_rows{
          {"HEAD", 0x100, {136, 137, 302}, 'H', "header", "Headers", true, 8, nullptr, nullptr},
          {"FAM", 0x002, {138, 139, 303}, 'F', "family", "Families", false, 1, nullptr, nullptr},
          {"INDI",
           0x001,
           {140, 141, 304},
           'I',
           "individual",
           "Individuals",
           false,
           0,
           nullptr,
           nullptr},
          {"OBJE",
           0x080,
           {142, 143, 305},
           'O',
           "multimedia",
           "Multimedia",
           false,
           7,
           nullptr,
           nullptr},
          {"NOTE", 0x004, {144, 145, 306}, 'N', "note", "Notes", false, 2, nullptr, nullptr},
          {"REPO",
           0x010,
           {146, 147, 307},
           'R',
           "repository",
           "Repositories",
           false,
           4,
           nullptr,
           nullptr},
          {"SOUR", 0x008, {148, 149, 308}, 'S', "source", "Sources", false, 3, nullptr, nullptr},
          {"SUBM",
           0x020,
           {150, 151, 309},
           'U',
           "submitter",
           "Submitters",
           false,
           5,
           nullptr,
           nullptr},
          {"SUBN",
           0x040,
           {152, 153, 310},
           'B',
           "submission",
           "Submissions",
           true,
           6,
           nullptr,
           nullptr},
      }
{
}

const CRecordType* CRecordTypeTable::RowByCode(int code) const
{
    return IsIndex(code) ? &m_rows[code] : nullptr;
}

const CRecordType* CRecordTypeTable::RowByListIndex(int listIndex) const
{
    return IsIndex(listIndex) ? &m_rows[kListOrder[listIndex]] : nullptr;
}

const CRecordType* CRecordTypeTable::RowForDef(const CFieldDef* def) const
{
    if (!def)
        return nullptr;
    // A definition tops one row at most, so the row found last is the one while it still has def.
    if (const CRecordType* last = m_lastFound.load(std::memory_order_relaxed);
        last && last->m_topDef == def)
        return last;
    for (const CRecordType& row : m_rows) {
        if (row.m_topDef == def) {
            m_lastFound.store(&row, std::memory_order_relaxed);
            return &row;
        }
    }
    return nullptr;
}

CRecordType* CRecordTypeTable::MutableRowByCode(int code)
{
    return IsIndex(code) ? &m_rows[code] : nullptr;
}

void CRecordTypeTable::Clear()
{
    for (CRecordType& row : m_rows) {
        row.m_topDef = nullptr;
        row.m_root = nullptr;
    }
}

CRecordTypeTable& GetRecordTypeTable()
{
    static CRecordTypeTable table;
    return table;
}

bool InitRecordTypeTable(int version)
{
    if (version != RECORD_TYPE_TABLE_VERSION)
        return false;
    GetRecordTypeTable().Clear();
    return true;
}

void FreeRecordTypeTable(int version)
{
    if (version == RECORD_TYPE_TABLE_VERSION)
        GetRecordTypeTable().Clear();
}

int GetRecordTypeOrder(int listIndex)
{
    return IsIndex(listIndex) ? kListOrder[listIndex] : -1;
}

int GetRecordTypeCount()
{
    return RECORD_TYPE_COUNT;
}

void SetRecordTypeRoot(CDataNode* root, int code)
{
    if (CRecordType* row = GetRecordTypeTable().MutableRowByCode(code))
        row->m_root = root;
}

CDataNode* GetRecordTypeRoot(int listIndex)
{
    const CRecordType* row = GetRecordTypeTable().RowByListIndex(listIndex);
    return row ? row->m_root : nullptr;
}

CDataNode* GetRecordTypeRootForDef(const CFieldDef* topDef)
{
    const CRecordType* row = GetRecordTypeTable().RowForDef(topDef);
    return row ? row->m_root : nullptr;
}

std::string GetRecordTypeName(int code)
{
    const CRecordType* row = GetRecordTypeTable().RowByCode(code);
    return row ? row->m_singular : "";
}

std::string GetRecordTypePluralName(int listIndex)
{
    const CRecordType* row = GetRecordTypeTable().RowByListIndex(listIndex);
    return row ? row->m_plural : "";
}

const CFieldDef* GetRecordTypeDef(int listIndex)
{
    const CRecordType* row = GetRecordTypeTable().RowByListIndex(listIndex);
    return row ? row->m_topDef : nullptr;
}

void FormatRecordTypeName(int listIndex, bool plural, bool capital, std::string& text)
{
    text.clear();
    const CRecordType* row = GetRecordTypeTable().RowByListIndex(listIndex);
    if (!row)
        return;
    text = plural ? row->m_plural : row->m_singular;
    const auto first = static_cast<unsigned char>(text[0]);
    text[0] = static_cast<char>(capital ? std::toupper(first) : std::tolower(first));
}

int GetRecordTypeBitmap(const CFieldDef* topDef, bool first, bool second)
{
    const CRecordType* row = GetRecordTypeTable().RowForDef(topDef);
    if (!row)
        return 0;
    return row->m_bitmaps[first ? 0 : (second ? 2 : 1)];
}

std::uint32_t GetRecordTypeMask(const CFieldDef* topDef)
{
    const CRecordType* row = GetRecordTypeTable().RowForDef(topDef);
    return row ? row->m_typeBit : 0;
}

int GetRecordTypeCode(const CFieldDef* topDef)
{
    const CRecordTypeTable& table = GetRecordTypeTable();
    const CRecordType* row = table.RowForDef(topDef);
    return row ? static_cast<int>(row - table.Rows().data()) : -1;
}

int GetRecordTypeIndex(const CFieldDef* topDef)
{
    const CRecordType* row = GetRecordTypeTable().RowForDef(topDef);
    return row ? row->m_listIndex : -1;
}

std::uint32_t RecordTypeIndexToMask(int listIndex)
{
    return IsIndex(listIndex) ? 1u << listIndex : 0;
}

int RecordTypeIndexToPageId(int listIndex)
{
    return IsIndex(listIndex) ? kPageIds[listIndex] : 0;
}

int CompareRecordTypeOrder(const CFieldDef* a, const CFieldDef* b)
{
    if (a == b)
        return 0;
    for (const CRecordType& row : GetRecordTypeTable().Rows().subspan(1)) {
        if (!row.m_topDef)
            continue;
        if (row.m_topDef == a)
            return -1;
        if (row.m_topDef == b)
            return 1;
    }
    return 0;
}

bool HasOnlyHeader()
{
    for (const CRecordType& row : GetRecordTypeTable().Rows().subspan(1)) {
        if (row.m_root && row.m_root->GetFirstChild())
            return false;
    }
    return true;
}

std::span<const int> GetRecordPageTemplates(const CFieldDef* topDef)
{
    const int code = GetRecordTypeCode(topDef);
    return code < 0 ? std::span<const int>() : kPages[code];
}
