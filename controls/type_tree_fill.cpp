// controls/type_tree_fill.cpp: filling the chooser: record types, fields, the grouped layouts of
// individuals and families, relation shortcuts, qualifier leaves and linked records.
#include "controls/type_tree.h"

#include "database/dictionary/field_def.h"
#include "database/dictionary/qualifier_table.h"
#include "database/dictionary/record_type_table.h"
#include "database/fields/custom_attr_node.h"
#include "database/nodes/custom_event_node.h"
#include "database/records/record_id_state.h"

#include <cctype>
#include <set>

namespace {

constexpr std::uint32_t kAllQualifiers = 0xFFFFFFFF;
constexpr std::uint32_t kRelations[] = {TTI_FATHER, TTI_MOTHER, TTI_SPOUSE, TTI_CHILD};

bool IsLink(const CFieldDef* def)
{
    return def && def->GetDataType() == FDT_LINK && def->GetLinkTarget();
}

bool QualifiersFit(const CFieldDef* def)
{
    int position = 0;
    return def && GetNextQualifier(def, kAllQualifiers, position) != 0;
}

bool IsLds(const CFieldDef* def)
{
    return def->IsLds() || def->GetSource()->IsLds();
}

/// "MULTIMEDIA_LINK" (or "@MULTIMEDIA_LINK") as "Multimedia Link".
std::string StructureLabel(const std::string& name)
{
    std::string label;
    bool wordStart = true;
    for (const char c : name) {
        if (c == '@')
            continue;
        if (c == '_') {
            label += ' ';
            wordStart = true;
            continue;
        }
        const auto u = static_cast<unsigned char>(c);
        label += char(wordStart ? std::toupper(u) : std::tolower(u));
        wordStart = false;
    }
    return label;
}

std::vector<std::string> CustomTypeNames(const CFieldDef* recordDef, bool events)
{
    std::vector<std::string> individuals, families;
    if (events)
        CollectCustomEventNames(&individuals, &families);
    else
        CollectCustomAttrNames(&individuals, &families);
    return recordDef == GetRecordTypeDef(RECORD_LIST_FAM) ? families : individuals;
}

} // namespace

bool CTypeTree::FillRecordTypes(std::uint32_t mask)
{
    DeleteAllItems();
    m_fixedDef = nullptr;
    std::vector<CTreeBoxNode*> tops;
    for (const CRecordType& row : GetRecordTypeTable().Rows()) {
        if (!(row.m_typeBit & mask) || !row.m_topDef)
            continue;
        if (m_singleType) {
            if (m_fixedDef) {
                DeleteAllItems();
                m_fixedDef = nullptr;
                return false;
            }
            m_fixedDef = row.m_topDef;
            FillChildren(nullptr, row.m_topDef, 0);
            continue;
        }
        CBitmap* image = RecordImage(row.m_topDef);
        tops.push_back(InsertItem(nullptr, kInsertLast,
                                  {.state = CTreeBoxNode::kCollapsed,
                                   .image = image,
                                   .selectedImage = image,
                                   .data = reinterpret_cast<std::uintptr_t>(row.m_topDef)}));
    }
    if (m_expandAll) {
        for (CTreeBoxNode* top : tops)
            ExpandItem(top, true, 1);
    }
    return true;
}

void CTypeTree::FillTypeTree(CTreeBoxNode* item)
{
    const CFieldDef* def = ItemDef(item);
    const std::uint32_t word = ItemWord(item);
    if (!def || (word & TTI_QUALIFIER))
        return;
    FillChildren(item, def, 0);
    if (m_showQualifiers)
        AddQualifiers(item, GetLastChild(item));
    if (m_showLinked && IsLink(def) && !(word & TTI_RELATION))
        FillChildren(item, def->GetLinkTarget(), TTI_LINKED);
}

void CTypeTree::FillChildren(CTreeBoxNode* parent, const CFieldDef* def, std::uint32_t mark)
{
    if (def == GetRecordTypeDef(RECORD_LIST_INDI) || def == GetRecordTypeDef(RECORD_LIST_FAM)) {
        FillRecordLayout(parent, def, mark);
        return;
    }
    for (const CFieldDef* child = def->GetFirstChild(); child; child = child->GetNextSibling()) {
        if (!child->IsHidden())
            AddField(parent, child, mark);
    }
}

void CTypeTree::FillRecordLayout(CTreeBoxNode* parent, const CFieldDef* recordDef,
                                 std::uint32_t mark)
{
    const bool individual = recordDef == GetRecordTypeDef(RECORD_LIST_INDI);
    const std::vector<int> firstIds =
        individual ? std::vector<int>{FIELD_NAME, FIELD_SEX, FIELD_FAMC, FIELD_FAMS}
                   : std::vector<int>{FIELD_HUSB, FIELD_WIFE, FIELD_CHIL};
    std::set<const CFieldDef*> shown;
    for (const int id : firstIds) {
        const CFieldDef* def = recordDef->FindChildById(id);
        if (def && !def->IsHidden()) {
            AddField(parent, def, mark);
            shown.insert(def);
        }
    }
    FillFactGroup(AddGroup(parent, "Attributes", mark), recordDef, FDF_ATTRIBUTE, mark);
    FillFactGroup(AddGroup(parent, "Events", mark), recordDef, FDF_EVENT, mark);
    CTreeBoxNode* misc = AddGroup(parent, "Miscellaneous", mark);
    CTreeBoxNode* sources = AddGroup(parent, "Sources", mark);
    CTreeBoxNode* notes = AddGroup(parent, "Notes", mark);
    CTreeBoxNode* lds = nullptr;
    std::map<const CFieldDef*, CTreeBoxNode*> structures; // by structure reference
    for (const CFieldDef* def = recordDef->GetFirstChild(); def; def = def->GetNextSibling()) {
        if (def->HasFlag(FDF_EVENT | FDF_ATTRIBUTE) || def->IsHidden() || shown.count(def))
            continue;
        const int id = def->GetFieldId();
        CTreeBoxNode* group = misc;
        if (IsLds(def))
            group = lds ? lds : (lds = AddGroup(parent, "Lds", mark));
        else if (id == FIELD_SOUR || id == FIELD_SOUR_TEXT)
            group = sources;
        else if (id == FIELD_NOTE || id == FIELD_NOTE_TEXT)
            group = notes;
        else if (const CFieldDef* reference = def->GetCopyReference()) {
            CTreeBoxNode*& structure = structures[reference];
            if (!structure)
                structure = AddGroup(misc, StructureLabel(reference->GetTag()), mark);
            group = structure;
        }
        AddField(group, def, mark);
    }
    if (!individual)
        return;
    for (const std::uint32_t relation : kRelations)
        InsertItem(parent, kInsertLast,
                   {.state = CTreeBoxNode::kCollapsed,
                    .image = &m_relationImage,
                    .selectedImage = &m_relationImage,
                    .data = reinterpret_cast<std::uintptr_t>(recordDef),
                    .data2 = std::uintptr_t(relation | mark)});
}

void CTypeTree::FillFactGroup(CTreeBoxNode* group, const CFieldDef* recordDef, std::uint32_t flag,
                              std::uint32_t mark)
{
    const bool events = flag == FDF_EVENT;
    const int customId = events ? FIELD_EVEN : FIELD_CUSTOM_ATTR;
    const CFieldDef* custom = nullptr;
    for (const CFieldDef* def = recordDef->GetFirstChild(); def; def = def->GetNextSibling()) {
        if (!def->HasFlag(flag) || def->IsHidden())
            continue;
        if (def->GetFieldId() == customId)
            custom = def;
        else
            AddField(group, def, mark);
    }
    if (!custom)
        return;
    for (const std::string& name : CustomTypeNames(recordDef, events))
        AddField(group, custom, TTI_CUSTOM_TYPE | mark, name);
    AddField(group, custom, mark, events ? "(All Custom Events)" : "(All Custom Attributes)");
}

void CTypeTree::AddQualifiers(CTreeBoxNode* item, CTreeBoxNode* after)
{
    const CFieldDef* def = ItemDef(item);
    int position = 0;
    for (int id = GetNextQualifier(def, kAllQualifiers, position); id != 0;
         id = GetNextQualifier(def, kAllQualifiers, position)) {
        after =
            CreateNode(item, after,
                       {.data = reinterpret_cast<std::uintptr_t>(def), .data2 = std::uint32_t(id)});
    }
}

CTreeBoxNode* CTypeTree::AddField(CTreeBoxNode* parent, const CFieldDef* def, std::uint32_t word,
                                  const std::string& text)
{
    return InsertItem(parent, kInsertLast,
                      {.state = ButtonState(def, word),
                       .text = text,
                       .data = reinterpret_cast<std::uintptr_t>(def),
                       .data2 = std::uintptr_t(word)});
}

CTreeBoxNode* CTypeTree::AddGroup(CTreeBoxNode* parent, const std::string& text, std::uint32_t mark)
{
    // A group gets its button with its first child, so a group left empty shows none.
    return InsertItem(parent, kInsertLast,
                      {.text = text,
                       .image = &m_closedFolder,
                       .selectedImage = &m_openFolder,
                       .data2 = std::uintptr_t(mark)});
}

int CTypeTree::ButtonState(const CFieldDef* def, std::uint32_t word) const
{
    if (word & TTI_QUALIFIER)
        return CTreeBoxNode::kLeaf;
    if ((word & TTI_RELATION) || def->GetFirstChild() || (m_showQualifiers && QualifiersFit(def)) ||
        (m_showLinked && IsLink(def)))
        return CTreeBoxNode::kCollapsed;
    return CTreeBoxNode::kLeaf;
}
