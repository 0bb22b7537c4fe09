// database/paths/data_path_find.cpp: Resolving a parsed path against a record's field tree, and the
// direct resolution of path text.
#include "database/paths/data_path.h"

#include "database/dictionary/field_def.h"
#include "database/dictionary/qualifier_table.h"
#include "database/fields/text_value_node.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/data_node.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"

#include <algorithm>

namespace {

constexpr std::size_t kMaxTag = 32;

/// The relative a relation step names from an individual, through its family navigation.
CDataNode* FindRelative(CDataNode* node, const CDataPathStep& step)
{
    const CIndRec* person = dynamic_cast<const CIndRec*>(node);
    if (!person)
        return nullptr;
    switch (step.m_kind) {
    case DPS_FATHER:
        return person->GetParent(true, step.m_instance, step.m_upTo);
    case DPS_MOTHER:
        return person->GetParent(false, step.m_instance, step.m_upTo);
    case DPS_SPOUSE:
        return person->GetSpouse(step.m_instance, step.m_upTo);
    case DPS_CHILD:
        return person->GetChild(step.m_instance, step.m_upTo);
    case DPS_FIELD:
        break;
    }
    return nullptr;
}

/// Whether a child's definition is the step's. Right after a shared structure's name (bySource)
/// the step names the structure's member, and the child's definition is a copy made from it.
bool MatchesStep(const CDataNode& child, const CDataPathStep& step, bool bySource)
{
    const CFieldDef* def = child.GetFieldDef();
    const bool sameDef =
        def == step.m_def || (bySource && def && def->GetSource() == step.m_def->GetSource());
    if (!sameDef)
        return false;
    return step.m_typeName.empty() || MakeAlnumUpperKey(child.GetTypeText()) == step.m_typeName;
}

/// The definition under which a child of parent is made for the step.
const CFieldDef* DefToCreate(const CDataNode& parent, const CDataPathStep& step, bool bySource)
{
    if (!bySource)
        return step.m_def;
    const CFieldDef* parentDef = parent.GetFieldDef();
    for (const CFieldDef* def = parentDef ? parentDef->GetFirstChild() : nullptr; def;
         def = def->GetNextSibling()) {
        if (def->GetSource() == step.m_def->GetSource())
            return def;
    }
    return nullptr;
}

/// A new child of def under parent; a custom event or attribute gets its TYPE.
CDataNode* CreateField(CDataNode& parent, const CFieldDef* def, const std::string& typeName)
{
    CDataNode* field = def ? parent.CreateChild(def) : nullptr;
    if (!field || typeName.empty())
        return field;
    CDataNode* type = field->FindChild(nullptr, FIELD_TYPE);
    if (!type)
        type = field->CreateChildById(FIELD_TYPE);
    if (!type)
        return nullptr;
    SetTextValue(type, typeName);
    return field;
}

/// The instance-th child of parent that matches the step (with up-to the last match when there
/// are fewer). With create, missing instances are made up to the one asked for, except links
/// that the path follows.
CDataNode* FindField(CDataNode& parent, const CDataPathStep& step, bool bySource, bool create)
{
    CDataNode* last = nullptr;
    int count = 0;
    for (CDataNode* child = parent.GetFirstChild(); child; child = child->GetNextSibling()) {
        if (!MatchesStep(*child, step, bySource))
            continue;
        if (count++ == step.m_instance)
            return child;
        last = child;
    }
    if (step.m_upTo && last)
        return last;
    if (!create || step.m_follow)
        return nullptr; // a link made here would lead nowhere: records are never made
    const CFieldDef* def = DefToCreate(parent, step, bySource);
    const int wanted = step.m_upTo ? 1 : step.m_instance + 1;
    CDataNode* made = nullptr;
    for (; count < wanted; ++count) {
        made = CreateField(parent, def, step.m_typeName);
        if (!made)
            return nullptr;
    }
    return made;
}

CDataNode* Follow(CDataNode* node, const CDataPathStep& step)
{
    if (!node || !step.m_follow || step.m_kind != DPS_FIELD)
        return node;
    return node->GetLinkTarget();
}

} // namespace

CDataNode* CDataPath::FindNode(CDataNode* node, bool amongChildren, bool skipQualifierTest) const
{
    CDataNode* found = Resolve(node, amongChildren, false);
    if (found && m_qualifier > 0 && !skipQualifierTest && !found->SupportsQualifier(m_qualifier))
        return nullptr;
    return found;
}

CDataNode* CDataPath::FindOrCreateNode(CDataNode* record) const
{
    return Resolve(record, false, true);
}

CDataNode* CDataPath::Resolve(CDataNode* node, bool amongChildren, bool create) const
{
    if (m_steps.empty() || !node)
        return nullptr;
    std::size_t i = 0;
    bool bySource = false;
    CDataNode* current = node;
    const CDataPathStep& first = m_steps.front();
    if (first.m_def->GetKind() == FDK_STRUCT_HEAD) {
        bySource = true;
        i = 1;
    } else if (!amongChildren && first.m_kind == DPS_FIELD) {
        if (node->GetFieldDef() != first.m_def)
            return nullptr;
        current = Follow(node, first);
        i = 1;
    }
    for (; current && i < m_steps.size(); ++i) {
        const CDataPathStep& step = m_steps[i];
        CDataNode* next = step.m_kind == DPS_FIELD ? FindField(*current, step, bySource, create)
                                                   : FindRelative(current, step);
        current = Follow(next, step);
        bySource = false;
    }
    return current;
}

CDataNode* FindNodeByText(CDataNode* node, std::string_view text, int* qualifier)
{
    if (qualifier)
        *qualifier = 0;
    std::size_t pos = 0;
    CDataNode* current = node;
    while (current && pos < text.size()) {
        const std::size_t end = std::min(text.find_first_of(".[:>", pos), text.size());
        if (end - pos > kMaxTag)
            return nullptr;
        const std::string_view tag = text.substr(pos, end - pos);
        pos = end;
        long skip = 0;
        bool upTo = false;
        if (pos < text.size() && text[pos] == '[') {
            const std::size_t close = text.find(']', pos);
            if (close == std::string_view::npos)
                return nullptr;
            std::string_view inside = text.substr(pos + 1, close - pos - 1);
            upTo = inside.starts_with('<');
            if (upTo)
                inside.remove_prefix(1);
            skip = std::max(0L, text::ParseLeadingInt(inside));
            pos = close + 1;
        }
        CDataNode* match = nullptr;
        CDataNode* last = nullptr;
        for (CDataNode* child = current->GetFirstChild(); child && !match;
             child = child->GetNextSibling()) {
            if (!child->GetFieldDef() || child->GetFieldDef()->GetTag() != tag)
                continue;
            if (skip-- == 0)
                match = child;
            last = child;
        }
        if (!match && upTo)
            match = last;
        if (!match || pos >= text.size())
            return match;
        const char separator = text[pos++];
        if (separator == ':') {
            if (qualifier)
                *qualifier = FindQualifier(match->GetFieldDef(), text.substr(pos));
            return match;
        }
        if (separator == '>')
            current = match->GetLinkTarget();
        else if (separator == '.')
            current = match;
        else
            return nullptr;
    }
    return current;
}
