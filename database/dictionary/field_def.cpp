// database/dictionary/field_def.cpp: one definition of the field-definition dictionary: which tag
// may stand where, how often, with which value type, node class, label, values and field id.
#include "database/dictionary/field_def.h"

#include <cstring>
#include <new>

namespace {

const std::string kEmpty;
const CFieldValues kNoValues;
/// Children from which on a definition hashes its children's tags.
constexpr std::size_t kHashedChildren = 8;

/// Indexes given back by destroyed definitions, and the next never given. Never destroyed, so
/// that definitions freed late at exit still find it.
std::vector<std::uint32_t>& FreeIndexes()
{
    static auto* freed = new std::vector<std::uint32_t>;
    return *freed;
}
std::uint32_t g_nextIndex = 1;

} // namespace

const CFieldDef* CFieldDef::s_firstIndexBlock[kIndexBlockSize] = {};
const CFieldDef** CFieldDef::s_indexBlocks[kIndexBlocks] = {s_firstIndexBlock};

CFieldDef::CFieldDef()
{
    std::vector<std::uint32_t>& freed = FreeIndexes();
    if (!freed.empty()) {
        m_index = freed.back();
        freed.pop_back();
    } else {
        if (g_nextIndex >> kIndexBits)
            throw std::bad_alloc();
        const CFieldDef**& block = s_indexBlocks[g_nextIndex >> kIndexBlockShift];
        if (!block)
            block = new const CFieldDef*[kIndexBlockSize]();
        // Room for every index given, so that the destructor adds to the list without failing.
        if (freed.capacity() < g_nextIndex)
            freed.reserve(2 * std::size_t(g_nextIndex));
        m_index = g_nextIndex++;
    }
    s_indexBlocks[m_index >> kIndexBlockShift][m_index & (kIndexBlockSize - 1)] = this;
}

CFieldDef::~CFieldDef()
{
    s_indexBlocks[m_index >> kIndexBlockShift][m_index & (kIndexBlockSize - 1)] = nullptr;
    FreeIndexes().push_back(m_index);
}

std::string_view CFieldDef::GetGedcomTag() const
{
    std::string_view tag = m_tag;
    if ((m_flags & FDF_LOCAL_FORM) && !tag.empty())
        tag.remove_suffix(1);
    return tag;
}

const CFieldValues& CFieldDef::GetValues() const
{
    return m_values ? *m_values : kNoValues;
}

int CFieldDef::GetEnumValueCount() const
{
    return m_dataType == FDT_ENUM ? static_cast<int>(GetValues().m_enum.size()) : 0;
}

const std::string& CFieldDef::GetEnumValue(int i, bool wantText) const
{
    if (i < 0 || i >= GetEnumValueCount())
        return kEmpty;
    const auto& entry = GetValues().m_enum[static_cast<std::size_t>(i)];
    return wantText ? entry.second : entry.first;
}

int CFieldDef::FindEnumValue(std::string_view text, bool byText) const
{
    if (m_dataType != FDT_ENUM)
        return -1;
    const auto& entries = GetValues().m_enum;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = byText ? entries[i].second : entries[i].first;
        // The size and the first byte settle most entries, and one-letter keys (SEX) entirely,
        // without a call to compare the bytes: every enumerated value of a file is looked up.
        if (entry.size() != text.size() || (!text.empty() && entry[0] != text[0]))
            continue;
        if (text.size() <= 1 ||
            std::memcmp(entry.data() + 1, text.data() + 1, text.size() - 1) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

std::uint64_t CFieldDef::TagKey(std::string_view tag)
{
    std::uint64_t key = 0;
    std::memcpy(&key, tag.data(), tag.size() < sizeof key ? tag.size() : sizeof key);
    return key;
}

std::size_t CFieldDef::TagSlot(std::uint64_t key) const
{
    return std::size_t((key * 0x9E3779B97F4A7C15ull) >> 40) & (m_tagSlots.size() - 1);
}

void CFieldDef::RebuildIndex()
{
    m_childIndex.clear();
    for (const CFieldDef* child = m_firstChild; child; child = child->m_nextSibling)
        m_childIndex.push_back({TagKey(child->m_tag), child->m_fieldId, child});
    m_tagSlots.clear();
    if (m_childIndex.size() < kHashedChildren || m_childIndex.size() >= 0x7FFF)
        return;
    std::size_t slots = 16;
    while (slots < 2 * m_childIndex.size())
        slots *= 2;
    m_tagSlots.assign(slots, 0);
    // Entries go in definition order, so of two children with one key the earlier is met
    // first on the probe path, as a scan in order would meet it.
    for (std::size_t i = 0; i < m_childIndex.size(); ++i) {
        std::size_t at = TagSlot(m_childIndex[i].key);
        while (m_tagSlots[at] != 0)
            at = (at + 1) & (slots - 1);
        m_tagSlots[at] = std::uint16_t(i + 1);
    }
}

const CFieldDef* CFieldDef::FindChildByTag(std::string_view tag) const
{
    const std::uint64_t key = TagKey(tag);
    const bool longTag = tag.size() > sizeof key;
    const auto matches = [&](const IndexEntry& entry) {
        return entry.key == key && entry.def->m_tag.size() == tag.size() &&
               (!longTag || entry.def->m_tag == tag);
    };
    const CFieldDef* source = GetSource();
    if (source->m_tagSlots.empty()) {
        for (const IndexEntry& entry : source->m_childIndex) {
            if (matches(entry))
                return entry.def;
        }
        return nullptr;
    }
    const std::size_t mask = source->m_tagSlots.size() - 1;
    for (std::size_t at = source->TagSlot(key); source->m_tagSlots[at] != 0; at = (at + 1) & mask) {
        const IndexEntry& entry = source->m_childIndex[source->m_tagSlots[at] - 1u];
        if (matches(entry))
            return entry.def;
    }
    return nullptr;
}

const CFieldDef* CFieldDef::FindChildByGedcomTag(std::string_view tag) const
{
    if (const CFieldDef* def = FindChildByTag(tag))
        return def;
    for (const IndexEntry& entry : GetSource()->m_childIndex) {
        if ((entry.def->m_flags & FDF_LOCAL_FORM) && entry.def->GetGedcomTag() == tag)
            return entry.def;
    }
    return nullptr;
}

const CFieldDef* CFieldDef::FindChildById(int fieldId) const
{
    if (fieldId == 0)
        return nullptr;
    for (const IndexEntry& entry : GetSource()->m_childIndex) {
        if (entry.fieldId == fieldId)
            return entry.def;
    }
    return nullptr;
}

const CFieldDef* CFieldDef::FindChildByCommand(int command, bool* isAlternative) const
{
    for (const IndexEntry& entry : GetSource()->m_childIndex) {
        if (entry.def->IsCommand(command, isAlternative))
            return entry.def;
    }
    return nullptr;
}

int CFieldDef::GetCommandId(bool alternative) const
{
    if (alternative && m_dataType == FDT_LINK)
        return m_fieldId + FIELD_ALT_COMMAND_OFFSET;
    return m_fieldId + FIELD_COMMAND_OFFSET;
}

bool CFieldDef::IsCommand(int command, bool* isAlternative) const
{
    const bool alternative = m_dataType == FDT_LINK && command == GetCommandId(true);
    if (!alternative && command != GetCommandId(false))
        return false;
    if (isAlternative)
        *isAlternative = alternative;
    return true;
}

int CFieldDef::GetControlId() const
{
    return (m_flags & FDF_USER_DEFINED) ? FIELD_CONTROL_USER_DEFINED
                                        : m_fieldId + FIELD_CONTROL_OFFSET;
}

const CFieldDef* FindChildDefByTag(const CFieldDef* def, std::string_view tag)
{
    return def ? def->FindChildByTag(tag) : nullptr;
}

const CFieldDef* FindChildDefById(const CFieldDef* def, int fieldId)
{
    return def ? def->FindChildById(fieldId) : nullptr;
}

const CFieldDef* GetCopyReference(const CFieldDef* def, bool firstOnly)
{
    if (!def || !def->IsCopy())
        return nullptr;
    const CFieldDef* reference = def->GetCopyReference();
    if (firstOnly && reference->GetFirstCopy() != def)
        return nullptr;
    return reference;
}

const CFieldDef* GetStructRefTarget(const CFieldDef* def)
{
    return def && def->GetKind() == FDK_STRUCT_REF ? def->GetFirstCopy() : nullptr;
}

const CFieldDef* GetFirstOwnChildDef(const CFieldDef* def)
{
    const CFieldDef* child = GetStructRefTarget(def);
    while (child && child->GetCopyReference() == def)
        child = child->GetNextSibling();
    return child;
}

const CFieldDef* GetNextCopySibling(const CFieldDef* def)
{
    if (!def || !def->IsCopy())
        return nullptr;
    const CFieldDef* next = def->GetNextSibling();
    return next && next->GetCopyReference() == def->GetCopyReference() ? next : nullptr;
}

int GetEnumValueCount(const CFieldDef* def)
{
    return def ? def->GetEnumValueCount() : 0;
}

const std::string& GetEnumValue(const CFieldDef* def, int i, bool wantText)
{
    return def ? def->GetEnumValue(i, wantText) : kEmpty;
}

int FindEnumValue(const CFieldDef* def, std::string_view text, bool byText)
{
    return def ? def->FindEnumValue(text, byText) : -1;
}

int GetFieldCommandId(const CFieldDef* def, bool alternative)
{
    return def ? def->GetCommandId(alternative) : 0;
}

const CFieldDef* FindChildDefByCommand(const CFieldDef* def, int command, bool* isAlternative)
{
    return def ? def->FindChildByCommand(command, isAlternative) : nullptr;
}

bool IsFieldCommand(const CFieldDef* def, int command, bool* isAlternative)
{
    return def && def->IsCommand(command, isAlternative);
}

int GetFieldControlId(const CFieldDef* def)
{
    return def ? def->GetControlId() : 0;
}
