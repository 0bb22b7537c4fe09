// database/nodes/data_node_text.cpp: The texts of CDataNode: labels, instance numbers, path texts
// and composed display texts.
#include "database/nodes/data_node.h"

#include "database/paths/data_path.h"
#include "platform/base/text.h"

namespace {

constexpr std::size_t kMaxItemBytes = 1024;

/// The start of the last maxBytes bytes of text, moved forward to a character boundary.
std::size_t TailStart(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return 0;
    std::size_t start = text.size() - maxBytes;
    while (start < text.size() && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
        ++start;
    return start;
}

void AppendLimited(std::string& out, std::string_view piece)
{
    if (out.size() >= kMaxItemBytes)
        return;
    const std::size_t room = kMaxItemBytes - out.size();
    out.append(piece.substr(0, text::Utf8Boundary(piece, room)));
}

/// One key field of a display template.
struct KeyField {
    const CDataNode* node = nullptr; // null when absent
    bool isDate = false;
};

KeyField ResolveKey(const CDataNode* owner, const std::vector<std::string>& items, std::size_t i)
{
    KeyField key;
    if (i >= items.size())
        return key;
    const CDataNode* node = FindNodeByText(const_cast<CDataNode*>(owner), items[i], nullptr);
    if (!node || node == owner || node->IsEmpty())
        return key;
    key.node = node;
    key.isDate = node->GetFieldDef() && node->GetFieldDef()->GetDataType() == FDT_DATE;
    return key;
}

/// Whether an item's condition holds; false also for a condition of no known form.
bool ConditionHolds(std::string_view cond, const KeyField keys[2], bool withoutDates, bool& valid)
{
    valid = true;
    const auto present = [&](int i) { return keys[i].node != nullptr; };
    const auto usable = [&](int i) { return present(i) && !(withoutDates && keys[i].isDate); };
    if (cond.empty())
        return true;
    if (cond == "~")
        return !present(0) && !present(1);
    if (cond == "1" || cond == "2")
        return usable(cond[0] - '1');
    if (cond == "1!" || cond == "2!") {
        const int i = cond[0] - '1';
        return usable(i) && !present(1 - i);
    }
    if (cond == "1&2" || cond == "2&1")
        return usable(0) && usable(1);
    if (cond == "1^2" || cond == "2^1") {
        const bool bothDates = present(0) && present(1) && keys[0].isDate && keys[1].isDate;
        return (present(0) || present(1)) && !(withoutDates && bothDates);
    }
    valid = false;
    return false;
}

} // namespace

std::string CDataNode::GetTypeText() const
{
    std::string type;
    if (const CDataNode* child = FindChild(nullptr, FIELD_TYPE))
        child->GetText(type, 0);
    return type;
}

int CDataNode::GetSiblingIndex() const
{
    const CDataNode* parent = IsRecord() ? nullptr : GetParent();
    if (!parent)
        return 0;
    const bool byType = GetFieldDef() && GetFieldDef()->HasFlag(FDF_TYPED) &&
                        FindChild(nullptr, FIELD_TYPE) != nullptr;
    const std::string type = byType ? GetTypeText() : std::string();
    int index = 0;
    for (const CDataNode* sibling = parent->GetFirstChild(); sibling && sibling != this;
         sibling = sibling->GetNextSibling()) {
        if (sibling->GetFieldDef() != GetFieldDef())
            continue;
        if (!byType || CompareAlnumNoCase(sibling->GetTypeText(), type))
            ++index;
    }
    return index;
}

void CDataNode::GetLabel(std::string& text) const
{
    text.clear();
    if (!GetFieldDef())
        return;
    if (GetFieldDef()->HasFlag(FDF_TYPED) && FindChild(nullptr, FIELD_TYPE)) {
        text = GetTypeText();
        return;
    }
    text = GetFieldDef()->GetLabel();
}

std::string CDataNode::GetPathText(std::size_t maxBytes) const
{
    std::string path;
    std::string label;
    for (const CDataNode* node = this; node && !node->IsRecord() && node->GetParent();
         node = node->GetParent()) {
        node->GetLabel(label);
        path = path.empty() ? label : label + "\\" + path;
    }
    return path.substr(TailStart(path, maxBytes));
}

bool CDataNode::CanHaveSourceCitation() const
{
    if (!FindChildDefById(GetFieldDef(), FIELD_SOUR))
        return false;
    for (const CDataNode* node = this; node; node = node->GetParent()) {
        if (node->GetFieldDef() && node->GetFieldDef()->HasFlag(FDF_NO_CITATION))
            return false;
        if (node->IsRecord())
            break;
    }
    return true;
}

void CDataNode::ComposeText(std::string& text, bool withoutDates) const
{
    text.clear();
    if (!GetFieldDef())
        return;
    const std::vector<std::string>& items = GetFieldDef()->GetValues().m_items;
    const KeyField keys[2] = {ResolveKey(this, items, 0), ResolveKey(this, items, 1)};
    const int type = GetFieldDef()->GetDataType();
    const bool complex = type == FDT_COMPLEX || type == FDT_RECORD;
    const std::string_view tmpl = GetFieldDef()->GetExtraText();
    std::size_t pos = 0;
    while (true) {
        while (pos < tmpl.size() && text::IsSpace(tmpl[pos]))
            ++pos;
        if (pos >= tmpl.size())
            return;
        const std::size_t open = tmpl.find('[', pos);
        if (open == std::string_view::npos)
            return;
        bool valid = false;
        const bool holds = ConditionHolds(tmpl.substr(pos, open - pos), keys, withoutDates, valid);
        const std::size_t close = tmpl.find(']', open + 1);
        if (!valid || close == std::string_view::npos)
            return;
        pos = close + 1;
        if (!holds)
            continue;
        const std::string_view body = tmpl.substr(open + 1, close - open - 1);
        std::string item;
        for (std::size_t i = 0; i < body.size(); ++i) {
            const char next = i + 1 < body.size() ? body[i + 1] : '\0';
            if (body[i] != '#' || next == '\0') {
                AppendLimited(item, body.substr(i, 1));
                continue;
            }
            if ((next == '1' || next == '2') && keys[next - '1'].node) {
                std::string value;
                keys[next - '1'].node->GetText(value, 0);
                AppendLimited(item, value);
            } else if (complex && next != '1' && next != '2') {
                break;
            } else if (next == '0') {
                std::string value;
                GetText(value, 0);
                AppendLimited(item, value);
            } else if (next != '1' && next != '2') {
                AppendLimited(item, body.substr(i, 2));
            }
            ++i;
        }
        text += item;
    }
}

std::string NodeText(const CDataNode* node)
{
    std::string text;
    if (node)
        node->GetText(text, 0);
    return text;
}
