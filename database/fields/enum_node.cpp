// database/fields/enum_node.cpp: a field whose value is one entry of its definition's value list
// (data type 3), such as an individual's SEX.
#include "database/fields/enum_node.h"

#include "database/dictionary/qualifier_table.h"
#include "database/gedcom/gedcom_line_sink.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_control_access.h"

#include "common/gedcom_value.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

static_assert(sizeof(CEnumNode) == sizeof(CDataNode), "the key packs into the node's tail");

namespace {

/// The long keys that no value list holds, by node; made on first use and never destroyed, so
/// that nodes freed late at exit still find it.
std::unordered_map<const CEnumNode*, std::string>& KeptKeys()
{
    static auto* keys = new std::unordered_map<const CEnumNode*, std::string>;
    return *keys;
}

/// A node's kept key freed with the node pool freed whole.
void ReleaseKeptKey(void* node) noexcept
{
    KeptKeys().erase(static_cast<const CEnumNode*>(node));
}

} // namespace

CEnumNode::~CEnumNode()
{
    ForgetKey();
}

const CRuntimeClass* CEnumNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CEnumNode>();
}

CDataCtl* CEnumNode::ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner,
                                   DWORD style, UINT id, DWORD flags)
{
    return PresentControl(*this, CDataNode::ShowInControl(parent, rect, owner, style, id, flags),
                          true, ControlSelection::Unchanged);
}

bool CEnumNode::UpdateFromControl(CDataCtl* control, bool save, bool notify)
{
    IDataControlAccess* access = GetDataControlAccess();
    if (!control || !access)
        return false;
    if (!save) {
        const int index = GetValueIndex();
        access->SetCurSel(*control, index < access->GetCount(*control) ? index : -1);
        return true;
    }
    int position = -1;
    if (!access->GetCurSel(*control, position))
        return false;
    if (position < 0 && !IsEmpty() && GetValueIndex() < 0)
        return true;
    if (KeyOfIndex(position) != GetKey())
        StoreIndex(position, notify);
    return true;
}

bool CEnumNode::GetText(std::string& text, int withLabel) const
{
    text.clear();
    if (withLabel) {
        GetLabel(text);
        text += ": ";
    }
    const int index = GetValueIndex();
    text += index >= 0 ? GetEnumValue(GetFieldDef(), index, true) : std::string(GetKey());
    return true;
}

bool CEnumNode::SetText(std::string_view text)
{
    // A key without "@" (every listed one) is its own text: only "@@" needs a copy to undo, and
    // leaves an "@", so no "<noval>". Keys are short, and a plain look at each byte costs less
    // than a call to search memory.
    if (std::find(text.begin(), text.end(), '@') != text.end()) {
        std::string unescaped;
        AppendGedcomValue(unescaped, text);
        StoreKey(unescaped);
        return true;
    }
    StoreKey(text == kEnumNoValueKey ? std::string_view() : text);
    return true;
}

CDataNode* CEnumNode::CopyValueFrom(const CDataNode* other)
{
    const auto* source = dynamic_cast<const CEnumNode*>(other);
    if (!source || source == this || source->GetFieldDef() != GetFieldDef())
        return this;
    StoreKey(std::string(source->GetKey()));
    MarkChanged(this);
    return this;
}

bool CEnumNode::IsEqual(const CDataNode* other, const void*) const
{
    const auto* theirs = dynamic_cast<const CEnumNode*>(other);
    return theirs && theirs->GetKey() == GetKey();
}

bool CEnumNode::MatchEnum(int qualifier, int op, int value) const
{
    return qualifier == QUAL_NONE && op == COND_EQUAL && GetValueIndex() == value;
}

bool CEnumNode::WriteGedcom(int level, std::string& line) const
{
    const CFieldDef* def = GetFieldDef();
    if (!def || (IsEmpty() && !GetFirstChild()))
        return true;
    if (!WriteGedcomTagLine(level, def->GetGedcomTag(), IsEmpty() ? "" : " ", GetKey()))
        return false;
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        if (!child->WriteGedcom(level + 1, line))
            return false;
    }
    return true;
}

std::string_view CEnumNode::GetKey() const
{
    if (m_keyForm == kListedKey)
        return GetEnumValue(GetFieldDef(), ListedIndex(), false);
    if (m_keyForm == kKeptKey) {
        const auto found = KeptKeys().find(this);
        return found != KeptKeys().end() ? std::string_view(found->second) : std::string_view();
    }
    return {reinterpret_cast<const char*>(m_keyBytes), m_keyForm};
}

int CEnumNode::GetValueIndex() const
{
    if (m_keyForm == kListedKey)
        return ListedIndex();
    return IsEmpty() ? -1 : FindEnumValue(GetFieldDef(), GetKey(), false);
}

void CEnumNode::SetValueIndex(int index)
{
    StoreKey(KeyOfIndex(index));
    MarkChanged(this);
}

void CEnumNode::StoreKey(std::string_view key)
{
    const CFieldDef* def = GetFieldDef();
    const int index = key.empty() || !def ? -1 : def->FindEnumValue(key, false);
    if (index >= 0 && index <= 0xFFFF) {
        if (m_keyForm == kKeptKey)
            ForgetKey();
        const auto listed = std::uint16_t(index);
        std::memcpy(m_keyBytes, &listed, sizeof listed);
        m_keyForm = kListedKey;
    } else if (key.size() <= kInlineKeyBytes) {
        ForgetKey();
        std::memcpy(m_keyBytes, key.data(), key.size());
        m_keyForm = static_cast<unsigned char>(key.size());
    } else {
        KeptKeys()[this] = std::string(key);
        if (m_keyForm != kKeptKey)
            CNodePool::Nodes().KeepOwner(this, &ReleaseKeptKey);
        m_keyForm = kKeptKey;
    }
}

void CEnumNode::ForgetKey() noexcept
{
    if (m_keyForm == kKeptKey) {
        KeptKeys().erase(this);
        CNodePool::Nodes().DropOwner(this);
    }
    m_keyForm = 0;
}

std::uint16_t CEnumNode::ListedIndex() const
{
    std::uint16_t index;
    std::memcpy(&index, m_keyBytes, sizeof index);
    return index;
}

std::string CEnumNode::KeyOfIndex(int index) const
{
    if (index < 0 || index >= GetEnumValueCount(GetFieldDef()))
        return {};
    const std::string& key = GetEnumValue(GetFieldDef(), index, false);
    return key == kEnumNoValueKey ? std::string() : key;
}

void CEnumNode::StoreIndex(int index, bool notify)
{
    SetValueIndex(index);
    if (notify)
        NotifyChanges();
}
