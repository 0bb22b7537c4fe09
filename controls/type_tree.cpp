// controls/type_tree.cpp: the chooser's window, its item texts, tool tips and path texts, and
// switching qualifiers and linked records on a filled tree.
#include "controls/type_tree.h"

#include "database/dictionary/field_def.h"
#include "database/dictionary/qualifier_table.h"
#include "database/dictionary/record_type_table.h"
#include "database/paths/data_path.h"
#include "database/records/record_id_state.h"
#include "platform/ui/resources/resources.h"

#include <vector>

namespace {

// Bitmap resources of the items.
constexpr UINT kClosedFolderBitmap = 197;
constexpr UINT kOpenFolderBitmap = 198;
constexpr UINT kRelationBitmap = 349;
constexpr int kImageSize = 16;
// The tree box's creation flags: a tree whose texts come from its owner, kept in the order the
// items are inserted.
constexpr DWORD kBoxFlags = TBF_TREE | TBF_OWNER_TEXT | TBF_TEXT_ORDER;

struct RelationWords {
    std::uint32_t word;
    const char* label;
    const char* step;
    const char* tip;
};

constexpr RelationWords kRelationWords[] = {
    {TTI_FATHER, "Father", "~FATH", "Shortcut to Father Record"},
    {TTI_MOTHER, "Mother", "~MOTH", "Shortcut to Mother Record"},
    {TTI_SPOUSE, "Spouse", "~SPOU", "Shortcut to Spouse Record"},
    {TTI_CHILD, "Child", "~CHIL", "Shortcut to Child Record"},
};
constexpr RelationWords kUnknownRelation = {0, "<unknown>", "~UNRE", "<unknown shortcut>"};

const RelationWords& RelationOf(std::uint32_t word)
{
    for (const RelationWords& relation : kRelationWords) {
        if ((word & ~TTI_LINKED) == relation.word)
            return relation;
    }
    return kUnknownRelation;
}

bool IsRelation(std::uint32_t word)
{
    return (word & TTI_RELATION) != 0;
}

int QualifierOf(std::uint32_t word)
{
    return IsRelation(word) ? 0 : int(word & TTI_QUALIFIER);
}

bool MayRepeat(const CFieldDef* def)
{
    return def->IsUnbounded() || def->GetMaxCount() > 1;
}

/// The item and its ancestors, top first.
std::vector<const CTreeBoxNode*> Chain(const CTreeBoxNode* item)
{
    std::vector<const CTreeBoxNode*> chain;
    for (const CTreeBoxNode* node = item; node; node = node->m_parent)
        chain.insert(chain.begin(), node);
    return chain;
}

} // namespace

CTypeTree::CTypeTree() = default;

CTypeTree::~CTypeTree()
{
    // The box tells its owner of every node it frees: free them while the owner still exists,
    // telling the host nothing.
    m_listener = nullptr;
    DeleteAllItems();
    if (GetSafeHwnd())
        DestroyWindow();
}

bool CTypeTree::Create(CWnd* parent, const RECT& rect, UINT id, DWORD style, DWORD flags,
                       std::uint32_t typeMask, CTypeTreeListener* listener)
{
    m_listener = listener;
    m_relationImage.LoadBitmap(kRelationBitmap);
    m_closedFolder.LoadBitmap(kClosedFolderBitmap);
    m_openFolder.LoadBitmap(kOpenFolderBitmap);
    m_expandAll = (flags & TTF_EXPAND_ALL) != 0;
    m_singleType = (flags & TTF_SINGLE_TYPE) != 0;
    m_showQualifiers = (flags & TTF_QUALIFIERS) != 0;
    m_showLinked = (flags & TTF_LINKED_RECORDS) != 0;
    const DWORD boxFlags = kBoxFlags | ((flags & TTF_CAPTURE_CLICKS) ? TBF_CAPTURE_ON_CLICK : 0);
    if (!CTreeBox::Create(boxFlags, style, rect, parent, id, this, kImageSize, kImageSize, nullptr))
        return false;
    if (const CFieldDef* family = GetRecordTypeDef(RECORD_LIST_FAM)) {
        m_husbandDef = family->FindChildById(FIELD_HUSB);
        m_wifeDef = family->FindChildById(FIELD_WIFE);
        m_childDef = family->FindChildById(FIELD_CHIL);
    }
    return FillRecordTypes(typeMask);
}

CBitmap* CTypeTree::RecordImage(const CFieldDef* topDef)
{
    const int id = GetRecordTypeBitmap(topDef, true, false);
    std::unique_ptr<CBitmap>& image = m_recordImages[id];
    if (!image) {
        image = std::make_unique<CBitmap>();
        image->LoadBitmap(UINT(id));
    }
    return image->GetSafeHandle() ? image.get() : nullptr;
}

// The box's questions.

bool CTypeTree::OnExpanding(CTreeBox* /*box*/, CTreeBoxNode* node, bool expand)
{
    if (expand && !node->m_firstChild)
        FillTypeTree(node);
    return true;
}

bool CTypeTree::OnDoubleClick(CTreeBox* /*box*/, CTreeBoxNode* node, int part)
{
    // One level at a time: the relation and link branches never end.
    if (!node)
        return false;
    if (node->m_state != CTreeBoxNode::kLeaf)
        ExpandItem(node, node->m_state != CTreeBoxNode::kExpanded, 1);
    else if (part == TBP_TEXT && ItemDef(node) && m_listener)
        m_listener->OnTypeTreeItemActivated(this, node);
    return false;
}

void CTypeTree::OnSelChanged(CTreeBox* /*box*/)
{
    if (m_listener)
        m_listener->OnTypeTreeSelChanged(this);
}

std::string CTypeTree::GetItemText(CTreeBox* /*box*/, CTreeBoxNode* node, std::uintptr_t /*data*/,
                                   int /*column*/, bool /*measure*/, CDC* /*dc*/, CSize* /*size*/)
{
    return GetItemLabel(node);
}

// Texts.

std::string CTypeTree::GetItemLabel(const CTreeBoxNode* item) const
{
    if (!item->m_text.empty())
        return item->m_text;
    const std::uint32_t word = ItemWord(item);
    const CFieldDef* def = ItemDef(item);
    if (IsRelation(word))
        return RelationOf(word).label;
    if (const int qualifier = QualifierOf(word))
        return std::string(":") + GetQualifierKeyword(qualifier);
    if (!def)
        return {};
    const CTreeBoxNode* parent = item->m_parent;
    if (parent && ItemDef(parent) && ItemDef(parent)->GetFieldId() == FIELD_FAMC) {
        if (def == m_husbandDef)
            return "Father>>";
        if (def == m_wifeDef)
            return "Mother>>";
        if (def == m_childDef)
            return "Sibling>>";
    }
    return def->GetLabel() + (def->GetDataType() == FDT_LINK ? ">>" : "");
}

void CTypeTree::GetShortcutTip(const CTreeBoxNode* item, std::string& text) const
{
    text.clear();
    const CFieldDef* def = item ? ItemDef(item) : nullptr;
    if (!def)
        return;
    const std::uint32_t word = ItemWord(item);
    if (IsRelation(word))
        text = RelationOf(word).tip;
    else if (const int qualifier = QualifierOf(word))
        AppResources().LoadString(UINT(GetQualifierCommandId(qualifier)), text);
    else
        AppResources().LoadString(UINT(def->GetCommandId(false)), text);
}

bool CTypeTree::BuildDataRefPath(const CTreeBoxNode* item, std::string& text, bool addLinkMark,
                                 bool showFirstIndex) const
{
    text.clear();
    if (!item || !ItemDef(item))
        return false;
    if (m_singleType && m_fixedDef)
        text = m_fixedDef->GetTag() + ".";
    bool linked = false; // a linked-record item stands between this step and the last
    for (const CTreeBoxNode* node : Chain(item)) {
        const CFieldDef* def = ItemDef(node);
        const std::uint32_t word = ItemWord(node);
        linked = linked || (word & TTI_LINKED);
        if (!def)
            continue;
        if (!node->m_parent && !m_singleType) {
            text = def->GetTag();
            continue;
        }
        const int qualifier = QualifierOf(word);
        const bool afterFollow = !text.empty() && text.back() == '>';
        if (qualifier)
            text += ":";
        else if (!afterFollow && !text.empty() && text.back() != '.')
            text += linked ? ">" : ".";
        linked = false;
        if (qualifier) {
            text += GetQualifierKeyword(qualifier);
        } else if (IsRelation(word)) {
            text += RelationOf(word).step;
            text += showFirstIndex ? "[1]>" : ">";
        } else {
            text += def->GetTag();
            if (word & TTI_CUSTOM_TYPE)
                text += "-" + MakeAlnumUpperKey(node->m_text.str());
            if (showFirstIndex && MayRepeat(def))
                text += "[1]";
            if (addLinkMark && node == item && def->GetDataType() == FDT_LINK)
                text += ">";
        }
    }
    return true;
}

bool CTypeTree::GetRelationText(const CTreeBoxNode* item, std::string& text) const
{
    text.clear();
    std::string pathText;
    CDataPath path;
    if (!BuildDataRefPath(item, pathText, false, false) || !path.ParseText(pathText))
        return false;
    for (const CDataPathStep* step = path.NextStep(nullptr); step; step = path.NextStep(step)) {
        if (step->m_kind != DPS_FIELD) {
            path.FormatRelation(text, true);
            return true;
        }
    }
    return false;
}

// Switching qualifiers and linked records.

bool CTypeTree::IsFilled(const CTreeBoxNode* item)
{
    return item->m_firstChild || item->m_state == CTreeBoxNode::kExpanded;
}

void CTypeTree::ShowQualifiers(bool on)
{
    if (m_showQualifiers == on)
        return;
    m_showQualifiers = on;
    std::vector<CTreeBoxNode*> items;
    for (CTreeBoxNode* node = GetFirstItem(); node; node = node->m_nextInOrder) {
        const std::uint32_t word = ItemWord(node);
        const bool leaf = QualifierOf(word) != 0;
        if (on ? (!leaf && ItemDef(node) && !IsRelation(word) && IsFilled(node)) : leaf)
            items.push_back(node);
    }
    for (CTreeBoxNode* node : items) {
        if (!on) {
            DeleteItem(node, false);
            continue;
        }
        // The leaves go after the item's own fields, before its linked record.
        CTreeBoxNode* after = nullptr;
        for (CTreeBoxNode* child = node->m_firstChild; child && !(ItemWord(child) & TTI_LINKED);
             child = child->m_nextSibling)
            after = child;
        AddQualifiers(node, after);
    }
    UpdateButtons();
}

void CTypeTree::ShowLinkedRecords(bool on)
{
    if (m_showLinked == on)
        return;
    m_showLinked = on;
    std::vector<CTreeBoxNode*> items;
    CTreeBoxNode* node = GetFirstItem();
    while (node) {
        const std::uint32_t word = ItemWord(node);
        if (!on && (word & TTI_LINKED)) {
            items.push_back(node); // its subtree goes with it
            node = GetNextAfterSubtree(node);
            continue;
        }
        const CFieldDef* def = ItemDef(node);
        if (on && def && def->GetDataType() == FDT_LINK && def->GetLinkTarget() &&
            !IsRelation(word) && !QualifierOf(word) && IsFilled(node))
            items.push_back(node);
        node = node->m_nextInOrder;
    }
    for (CTreeBoxNode* item : items) {
        if (on)
            FillChildren(item, ItemDef(item)->GetLinkTarget(), TTI_LINKED);
        else
            DeleteItem(item, false);
    }
    UpdateButtons();
}

void CTypeTree::UpdateButtons()
{
    for (CTreeBoxNode* node = GetFirstItem(); node; node = node->m_nextInOrder) {
        const CFieldDef* def = ItemDef(node);
        if (!def || node->m_firstChild)
            continue;
        const int state = ButtonState(def, ItemWord(node));
        if (state != node->m_state)
            SetItem(node, {.state = state});
    }
    RedrawAll();
}
