// database/nodes/data_node_menu.cpp: The context menu and the citation choice list of CDataNode.
#include "database/nodes/data_node.h"

#include "database/nodes/node_choice_list.h"
#include "database/nodes/node_menu.h"
#include "platform/base/text.h"

#include <cstdint>

namespace {

constexpr std::size_t kChoicePathBytes = 100;

std::string LinkPopupTitle(const CFieldDef* def)
{
    std::string label = def->GetLabel();
    const std::size_t record = label.find("Record");
    if (record != std::string::npos)
        label.erase(record);
    return "Add " + text::TrimRight(label);
}

std::string TargetLabel(const CFieldDef* def)
{
    const CFieldDef* target = def->GetLinkTarget();
    return target ? target->GetLabel() : std::string();
}

bool Offered(const CFieldDef* def)
{
    return !def->IsHidden() && !def->IsNotInAddMenu();
}

} // namespace

bool CDataNode::IsAtMaxCount(const CFieldDef* def) const
{
    const auto max = static_cast<std::int16_t>(def->GetMaxCount());
    return max > 0 && CountChildrenByDef(def) >= max;
}

bool CDataNode::AddLinkMenuItems(const CFieldDef* def, INodeMenu& menu, bool asPopup,
                                 bool& skipNext, bool plainWording)
{
    skipNext = false;
    std::unique_ptr<INodeMenu> popup = asPopup ? menu.NewPopup() : nullptr;
    INodeMenu& target = popup ? *popup : menu;
    const bool greyed = !plainWording && IsAtMaxCount(def);
    const std::string record = TargetLabel(def) + " Record";
    target.AppendItem(def->GetCommandId(true),
                      (plainWording ? "Link to New " : "Add Link to New ") + record, greyed);
    target.AppendItem(def->GetCommandId(false),
                      (plainWording ? "Link to Existing " : "Add Link to Existing ") + record,
                      greyed);
    const CFieldDef* local = def->GetNextSibling();
    if (!plainWording && def->HasFlag(FDF_POINTER_FORM) && local) {
        target.AppendItem(local->GetCommandId(false),
                          "Add " + local->GetLabel() + " to this Record", IsAtMaxCount(local));
        skipNext = true;
    }
    if (popup)
        menu.AppendPopup(std::move(popup), LinkPopupTitle(def));
    return true;
}

const CFieldDef* CDataNode::AddGroupMenuItems(const CFieldDef* first, INodeMenu& menu, bool asPopup)
{
    const CFieldDef* reference = first->GetCopyReference();
    std::unique_ptr<INodeMenu> popup = asPopup ? menu.NewPopup() : nullptr;
    INodeMenu& target = popup ? *popup : menu;
    const CFieldDef* def = first;
    for (; def && def->GetCopyReference() == reference; def = def->GetNextSibling()) {
        if (!Offered(def))
            continue;
        if (def->GetDataType() == FDT_LINK) {
            bool skipNext = false;
            AddLinkMenuItems(def, target, true, skipNext, false);
            if (skipNext && def->GetNextSibling() &&
                def->GetNextSibling()->GetCopyReference() == reference)
                def = def->GetNextSibling();
            continue;
        }
        target.AppendItem(def->GetCommandId(false), def->GetLabel(), IsAtMaxCount(def));
    }
    if (popup && popup->GetItemCount() > 0)
        menu.AppendPopup(std::move(popup), "Add " + reference->GetLabel());
    return def;
}

bool CDataNode::AddContextMenu(INodeMenu& menu)
{
    if (!GetFieldDef())
        return false;
    const int before = menu.GetItemCount();
    std::unique_ptr<INodeMenu> lds = menu.NewPopup();
    const CFieldDef* def = GetFieldDef()->GetFirstChild();
    while (def) {
        const CFieldDef* reference = def->GetCopyReference();
        if (reference && !reference->GetLabel().empty()) {
            def = AddGroupMenuItems(def, reference->IsLds() ? *lds : menu, true);
            continue;
        }
        INodeMenu& target = def->IsLds() ? *lds : menu;
        if (Offered(def) && def->GetDataType() == FDT_LINK) {
            bool skipNext = false;
            AddLinkMenuItems(def, target, true, skipNext, false);
            def = def->GetNextSibling();
            if (skipNext && def)
                def = def->GetNextSibling();
            continue;
        }
        if (Offered(def) && !def->HasFlag(FDF_USER_DEFINED))
            target.AppendItem(def->GetCommandId(false), "Add " + def->GetLabel(),
                              IsAtMaxCount(def));
        def = def->GetNextSibling();
    }
    if (lds->GetItemCount() > 0)
        menu.AppendPopup(std::move(lds), "LDS");
    return menu.GetItemCount() > before;
}

void CDataNode::FillChoiceList(INodeChoiceList& list, bool restricted)
{
    const CDataNode* citation = FindChild(nullptr, FIELD_SOUR, true);
    if (!citation)
        citation = FindChild(nullptr, FIELD_SOUR_TEXT, true);
    const bool listed = citation || (!restricted && CanHaveSourceCitation());
    if (listed) {
        std::string item;
        if (IsRecord()) {
            item = "<whole record>";
        } else {
            item = GetPathText(kChoicePathBytes);
            const int instance = GetSiblingIndex() + 1;
            if (instance > 1)
                item += "[" + std::to_string(instance) + "]";
        }
        if (citation) {
            item += "*";
            const bool editable = !restricted && citation->GetFieldDef() &&
                                  !citation->GetFieldDef()->HasFlag(FDF_NO_CITATION);
            if (!editable)
                item = "(" + item + ")";
        }
        list.AddChoice(item, this);
    }
    for (CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        const bool childRestricted =
            restricted || (child->GetFieldDef() && child->GetFieldDef()->HasFlag(FDF_NO_CITATION));
        child->FillChoiceList(list, childRestricted);
    }
}
