// database/nodes/complex_node.cpp: a field that holds only sub-fields: events, structures and
// records.
#include "database/nodes/complex_node.h"

#include "database/gedcom/gedcom_line_sink.h"
#include "database/paths/data_path.h"
#include "platform/base/text.h"

namespace {

/// The number of display-template key fields that equality compares.
constexpr std::size_t kKeyFields = 2;

} // namespace

const CRuntimeClass* CComplexNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CComplexNode>();
}

bool CComplexNode::IsEmpty() const
{
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        if (!child->IsEmpty())
            return false;
    }
    return true;
}

bool CComplexNode::GetText(std::string& text, int) const
{
    ComposeText(text, false);
    return true;
}

bool CComplexNode::SetText(std::string_view text)
{
    std::string_view value = text; // without the blanks after it, read in place
    while (!value.empty() && text::IsSpace(value.back()))
        value.remove_suffix(1);
    const bool bare = value.empty();
    if (!bare && value != "Y" && value != "y")
        return false;
    if (!IsRecord()) {
        SetFlag(DNF_READ_BARE, bare);
        SetClassBit(!bare);
    }
    return true;
}

bool CComplexNode::IsEqual(const CDataNode* other, const void* options) const
{
    const CFieldDef* def = GetFieldDef();
    if (!def || !other || !def->HasFlag(FDF_KEY_COMPARED))
        return true;
    const std::vector<std::string>& keys = def->GetValues().m_items;
    for (std::size_t i = 0; i < keys.size() && i < kKeyFields; ++i) {
        const CDataNode* mine = FindNodeByText(const_cast<CComplexNode*>(this), keys[i], nullptr);
        const CDataNode* theirs = FindNodeByText(const_cast<CDataNode*>(other), keys[i], nullptr);
        if (mine && theirs && mine != this && theirs != other && !mine->IsEqual(theirs, options))
            return false;
    }
    return true;
}

bool CComplexNode::WriteGedcom(int level, std::string& line) const
{
    const CFieldDef* def = GetFieldDef();
    if (!def)
        return true;
    if (GetFirstChild()) {
        HoldGedcomTagLine(level, def->GetGedcomTag(), WasReadWithY() ? " Y" : "");
        bool written = true;
        for (const CDataNode* child = GetFirstChild(); child && written;
             child = child->GetNextSibling())
            written = child->WriteGedcom(level + 1, line);
        if (ReleaseGedcomTagLine() || !written)
            return written;
    }
    if (def->HasFlag(FDF_SKIP_WHEN_CHILDLESS))
        return true;
    const bool bare = HasFlag(DNF_READ_BARE) && !IsRecord();
    return WriteGedcomTagLine(level, def->GetGedcomTag(), bare ? "" : " Y");
}
