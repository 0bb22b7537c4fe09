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
    const std::string value = text::TrimRight(text);
    return value.empty() || value == "Y" || value == "y";
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
    const CDataNode* child = GetFirstChild();
    if (!def || (!child && def->HasFlag(FDF_SKIP_WHEN_CHILDLESS)))
        return true;
    if (!WriteGedcomTagLine(level, def->GetGedcomTag(), child ? "" : " Y"))
        return false;
    for (; child; child = child->GetNextSibling()) {
        if (!child->WriteGedcom(level + 1, line))
            return false;
    }
    return true;
}
