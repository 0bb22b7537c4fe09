// records/grid/tag_grid_commands.cpp: what a user does in the record list grid: the context
// menus and their commands, deleting, adding fields and links, the in-place editor, keys,
// clicks and moving fields.
#include "records/grid/tag_grid.h"

#include "records/dialogs/delete_choice_dlg.h"
#include "records/grid/main_window_keys.h"
#include "records/grid/tag_grid_opts_dlg.h"

#include "database/dictionary/field_def.h"
#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/kin/relative_dialogs.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_node.h"
#include "database/nodes/node_menu.h"
#include "database/records/assoc_node.h"
#include "database/records/record_node.h"
#include "platform/base/flag_guard.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/frames/menu.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/cmd_ui.h"

#include <cctype>

namespace {

/// The control id of the in-place editor.
constexpr UINT kEditorId = 1001;

/// A node's context-menu items, appended to a real menu.
class CMenuFill final : public INodeMenu {
public:
    /// Fills a pop-up of its own.
    CMenuFill() : m_menu(m_own) { m_own.CreatePopupMenu(); }
    explicit CMenuFill(CMenu& menu) : m_menu(menu) {}

    void AppendItem(UINT command, std::string_view text, bool greyed) override
    {
        m_menu.AppendMenu(MF_STRING | (greyed ? MF_GRAYED : MF_ENABLED), command,
                          std::string(text).c_str());
    }
    void AppendSeparator() override { m_menu.AppendMenu(MF_SEPARATOR); }
    std::unique_ptr<INodeMenu> NewPopup() override { return std::make_unique<CMenuFill>(); }
    void AppendPopup(std::unique_ptr<INodeMenu> popup, std::string_view text) override
    {
        auto& fill = static_cast<CMenuFill&>(*popup);
        m_menu.AppendMenu(MF_POPUP, UINT_PTR(fill.m_own.Detach()), std::string(text).c_str());
    }
    int GetItemCount() const override { return m_menu.GetMenuItemCount(); }

private:
    CMenu m_own;
    CMenu& m_menu;
};

std::string TextOf(const CDataNode* node)
{
    std::string text;
    if (node)
        node->GetText(text, 0);
    return text;
}

/// The label of a record's type ("Individual"), or of the type a link points to.
std::string TypeLabelOf(const CDataNode* node)
{
    if (!node || !node->GetFieldDef())
        return {};
    const CFieldDef* def = node->GetFieldDef();
    if (!node->IsRecord() && def->GetDataType() == FDT_LINK)
        def = def->GetLinkTarget();
    std::string label;
    if (const int listIndex = GetRecordTypeIndex(def); listIndex >= 0)
        FormatRecordTypeName(listIndex, false, true, label);
    else if (def)
        label = def->GetLabel();
    return label;
}

bool IsLinkField(const CDataNode* node)
{
    return node && !node->IsRecord() && node->GetFieldDef() &&
           node->GetFieldDef()->GetDataType() == FDT_LINK;
}

/// The field id of a family link, whose rules and filter the record choice applies; else 0.
int FilterFieldOf(const CFieldDef* def)
{
    const int id = def ? def->GetFieldId() : 0;
    return id == FIELD_HUSB || id == FIELD_WIFE || id == FIELD_CHIL || id == FIELD_FAMS ||
                   id == FIELD_FAMC
               ? id
               : 0;
}

/// Whether a field of fieldId may be added under parent: true unless the user says No to the
/// question the addition asks.
bool MayAddField(int fieldId, const CDataNode* parent)
{
    const std::string question = AddParentFamilyQuestion(fieldId, parent);
    return question.empty() || MessageBox(question, MB_YESNO) != IDNO;
}

} // namespace

bool CanEditInPlace(const CDataNode* node)
{
    return node && !node->IsRecord() && node->GetFieldDef() &&
           node->GetFieldDef()->GetControlClass() && !IsLinkField(node);
}

CDataNode* FindFirstEmptyField(CDataNode* node)
{
    // Iterative, in document order: a record of many fields never nests the walk.
    if (!node)
        return nullptr;
    CDataNode* child = node->GetFirstChild();
    while (child) {
        if (CanEditInPlace(child) && child->IsEmpty() && !child->GetFieldDef()->IsHidden())
            return child;
        if (child->GetFirstChild() && !IsLinkField(child)) {
            child = child->GetFirstChild();
            continue;
        }
        while (child && !child->GetNextSibling()) {
            child = child->GetParent();
            if (child == node)
                return nullptr;
        }
        child = child ? child->GetNextSibling() : nullptr;
    }
    return nullptr;
}

// ---- Menus ------------------------------------------------------------------------------------

CPoint CTagGrid::MenuPoint(CTreeBoxNode* row, int x)
{
    CRect rect;
    CPoint point(x, 0);
    if (GetBox().GetItemRect(row, rect, 5, true))
        point.y = rect.bottom;
    GetBox().ClientToScreen(&point);
    return point;
}

void CTagGrid::TrackMenu(CMenu& menu, CPoint point)
{
    const UINT command = UINT(menu.TrackPopupMenu(TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD,
                                                  point.x, point.y, this));
    if (command)
        OnMenuCommand(command);
    m_menuTarget = nullptr;
    m_menuKind = kMenuNone;
}

void CTagGrid::ShowNewMenu(CTreeBoxNode* row, CDataNode* target, CPoint point)
{
    if (m_mode != kModeRecordSet || !m_shown)
        return;
    if (CTreeBoxNode* selected = row ? row : GetBox().GetFirstItem())
        SelectRow(selected, false, true);
    CMenu menu;
    menu.CreatePopupMenu();
    if (m_editable) {
        menu.AppendMenu(MF_STRING, kCmdNewRecord, ("New " + TypeLabelOf(m_shown)).c_str());
        menu.AppendMenu(MF_SEPARATOR);
    }
    menu.AppendMenu(MF_STRING, kCmdOptions, "Options...");
    m_menuTarget = target ? target : m_shown;
    m_menuKind = kMenuNew;
    TrackMenu(menu, point);
}

void CTagGrid::ShowRowMenu(CTreeBoxNode* row, CDataNode* node, CPoint point)
{
    if (!row || !node)
        return;
    if (!m_editable && !(row->m_state == CTreeBoxNode::kExpanded && m_rowMenuOnExpanded))
        return;
    SelectRow(row, false, true);
    CMenu menu;
    menu.CreatePopupMenu();
    CMenuFill fill(menu);
    const bool added = node->AddContextMenu(fill);
    CDataNode* parent = node->GetParent();
    if (!m_editable) {
        menu.AppendMenu(MF_STRING, kCmdProperties, "Properties");
    } else if (!node->IsRecord() && parent) {
        // A field can be deleted from its menu when its record lets it go.
        std::string reason;
        const bool allowed = m_deleteAllowed && parent->CanModifyChild(node, reason);
        if (added)
            menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING | (allowed ? MF_ENABLED : MF_GRAYED), kCmdDeleteNode,
                        "Delete Field");
    } else if (!added) {
        menu.AppendMenu(MF_STRING | MF_GRAYED, kCmdEmpty, "<Empty>");
    }
    m_menuTarget = node;
    m_menuKind = kMenuRow;
    TrackMenu(menu, point);
}

void CTagGrid::ShowLinkMenu(CTreeBoxNode* row, CPoint point, bool onTarget)
{
    CDataNode* link = NodeOf(row);
    if (!m_editable || !IsLinkField(link))
        return;
    SelectRow(row, true, true);
    CRecordNode* target = link->GetLinkTarget();
    CMenu menu;
    menu.CreatePopupMenu();
    if (target && onTarget && row->m_state == CTreeBoxNode::kExpanded) {
        CMenuFill fill(menu);
        if (!target->AddContextMenu(fill))
            menu.AppendMenu(MF_STRING | MF_GRAYED, kCmdEmpty, "<Empty>");
        m_menuTarget = target;
        m_menuKind = kMenuRow;
        TrackMenu(menu, point);
        return;
    }
    const CFieldDef* def = link->GetFieldDef();
    const std::string record = TypeLabelOf(link) + " Record";
    if (!target) {
        menu.AppendMenu(MF_STRING, def->GetCommandId(true), ("Add Link to New " + record).c_str());
        menu.AppendMenu(MF_STRING, def->GetCommandId(false),
                        ("Add Link to Existing " + record).c_str());
    } else {
        menu.AppendMenu(MF_STRING, kCmdClearLink, "Clear Link");
        CMenu replace;
        replace.CreatePopupMenu();
        replace.AppendMenu(MF_STRING, def->GetCommandId(true), ("Link to New " + record).c_str());
        replace.AppendMenu(MF_STRING, def->GetCommandId(false),
                           ("Link to Existing " + record).c_str());
        menu.AppendMenu(MF_POPUP, UINT_PTR(replace.Detach()), "Replace Link With...");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING |
                            (m_deleteAllowed && target->GetParent() ? MF_ENABLED : MF_GRAYED),
                        kCmdDeleteLinked, ("Delete Linked " + record).c_str());
    }
    m_menuTarget = link;
    m_menuKind = kMenuLink;
    TrackMenu(menu, point);
}

void CTagGrid::OnCtlContextMenu(CDataCtl* control, int kind, int x, int y)
{
    CDataNode* link = control ? control->GetNode() : nullptr;
    if (kind != 1 || !IsLinkField(link))
        return;
    const std::string label = TypeLabelOf(link);
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(
        MF_STRING, kCmdCreateLinked,
        (label.empty() ? std::string("Create record") : "Create " + label + " record").c_str());
    m_menuTarget = link;
    m_menuKind = kMenuLink;
    TrackMenu(menu, CPoint(x, y));
}

void CTagGrid::OnMenuCommand(UINT id)
{
    if (m_menuTarget && m_menuTarget->IsPendingDeletion())
        return;
    switch (id) {
    case kCmdEmpty:
        return;
    case kCmdDeleteNode:
        if (m_menuTarget && m_menuTarget->GetParent()) {
            const CWaitCursor wait;
            m_menuTarget->GetParent()->DeleteChild(m_menuTarget);
            NotifyChanges();
        }
        return;
    case kCmdNewRecord:
        NewRecord();
        return;
    case kCmdDeleteLinked:
        DeleteLinkedRecord();
        return;
    case kCmdCreateLinked:
        CreateLinkedRecord();
        return;
    case kCmdClearLink:
        ClearTargetLink();
        return;
    case kCmdOptions:
        OnOptions();
        return;
    case kCmdProperties:
        OnProperties();
        return;
    default:
        if (id >= UINT(FIELD_COMMAND_FIRST) && id <= UINT(FIELD_ALT_COMMAND_LAST))
            AddField(id);
        return;
    }
}

void CTagGrid::OnProperties()
{
    if (CWnd* main = AfxGetMainWnd())
        main->SendMessage(WM_COMMAND, kCmdProperties, 0);
}

void CTagGrid::OnOptions()
{
    RunRecWndOptionsDialog("Record Window Options", this);
}

// ---- The menu commands ------------------------------------------------------------------------

void CTagGrid::NewRecord()
{
    CDataNode* root = m_menuTarget;
    CDataNode* below = nullptr;
    while (root && root->GetParent() && root != m_shown) {
        if (root->IsRecord())
            below = root;
        root = root->GetParent();
    }
    if (!root)
        return;
    const CWaitCursor wait;
    CDataNode* record = root->CreateChild(nullptr);
    if (record && record->IsRecord() && root == m_shown && !FindRowByRecord(record)) {
        // The new row goes just before the row of the record the menu was opened on.
        AddRowBefore(record, below ? FindRowByRecord(below) : nullptr, false);
    }
    if (record) {
        m_restoreRow = GetBox().GetFocusItem();
        m_pendingKind = kPendingNewRecord;
        m_pendingNode = record;
    }
    NotifyChanges();
}

void CTagGrid::DeleteLinkedRecord()
{
    CDataNode* target = m_menuTarget;
    if (target && !target->IsRecord())
        target = target->GetLinkTarget();
    if (!target || !target->GetParent())
        return;
    const std::string label = TypeLabelOf(target);
    if (MessageBox("Careful! You have elected to delete not just the link to the " + label +
                       " record, but also the actual " + label +
                       " record itself.  Are you sure that this is what you want to do?",
                   MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    target->GetParent()->DeleteChild(target);
    NotifyChanges();
}

void CTagGrid::ClearTargetLink()
{
    CDataNode* link = m_menuTarget;
    if (!link || !link->GetLinkTarget())
        return;
    const CWaitCursor wait;
    CTreeBoxNode* caret = GetBox().GetFocusItem();
    if (caret && (caret->m_data2 & kRowLinkMode))
        GetBox().SetItemSelected(caret, false, false);
    link->ClearLink();
    NotifyChanges();
}

void CTagGrid::CreateLinkedRecord()
{
    auto* link = dynamic_cast<CAssocNode*>(m_menuTarget);
    if (!link || link->IsRecord())
        return;
    CloseEditor(false);
    const CWaitCursor wait;
    m_restoreRow = GetBox().GetFocusItem();
    if (link->GetLinkTarget())
        link->ClearLink();
    bool created = false;
    if (link->LinkToNewRecord(created)) {
        m_pendingKind = kPendingNewLinked;
        m_pendingNode = link;
    }
    NotifyChanges();
}

void CTagGrid::AddField(UINT command)
{
    CDataNode* target = m_menuTarget;
    if (!target)
        return;
    const CFieldDef* def = nullptr;
    bool linkForm = false;
    CDataNode* parent = nullptr;
    CDataNode* field = nullptr;
    if (m_menuKind == kMenuLink) {
        def = target->GetFieldDef();
        if (!IsFieldCommand(def, int(command), &linkForm))
            return;
        parent = target->GetParent();
        if (!target->GetLinkTarget() && !MayAddField(def->GetFieldId(), parent))
            return;
        field = target;
    } else {
        parent = target;
        if (!parent->IsRecord() && parent->GetLinkTarget())
            parent = parent->GetLinkTarget();
        def = FindChildDefByCommand(parent->GetFieldDef(), int(command), &linkForm);
        if (!def)
            return;
        if (def->GetDataType() == FDT_LINK && !MayAddField(def->GetFieldId(), parent))
            return;
    }
    if (!parent)
        return;
    m_restoreRow = GetBox().GetFocusItem();
    GetBox().HideFocusMark();
    PendingKind pending = kPendingField;
    if (def->GetDataType() == FDT_LINK && !linkForm) {
        CRecordSelectRequest request;
        request.m_root = GetRecordTypeRootForDef(def->GetLinkTarget());
        request.m_holder = parent->GetRecord();
        request.m_filterFieldId = FilterFieldOf(def);
        request.m_filterOn = request.m_filterFieldId != 0;
        IRelativeDialogs* dialogs = GetRelativeDialogs();
        CRecordNode* chosen = nullptr;
        if (!request.m_root || !dialogs || !dialogs->SelectRecord(request, chosen) || !chosen) {
            GetBox().ShowFocusMark();
            return;
        }
        const bool created = !field;
        if (field)
            field->ClearLink();
        else
            field = parent->CreateChild(def);
        if (field && !field->SetLink(chosen, true)) {
            if (created)
                parent->DeleteChild(field);
            field = nullptr;
        }
        pending = kPendingLink;
    } else if (def->GetDataType() == FDT_LINK) {
        if (field && field->GetLinkTarget())
            field->ClearLink();
        else if (!field)
            field = parent->CreateChild(def);
        bool created = false;
        if (auto* link = dynamic_cast<CAssocNode*>(field); !link || !link->LinkToNewRecord(created))
            field = nullptr;
        pending = kPendingNewLinked;
    } else {
        field = parent->CreateChild(def);
    }
    if (field) {
        m_pendingKind = pending;
        m_pendingNode = field;
    }
    NotifyChanges();
    GetBox().ShowFocusMark();
}

// ---- Pending selection ------------------------------------------------------------------------

CTreeBoxNode* CTagGrid::FindChildRow(CTreeBoxNode* parent, const CDataNode* node) const
{
    if (!parent)
        return FindRowByRecord(node);
    for (CTreeBoxNode* row = parent->m_firstChild; row; row = row->m_nextSibling)
        if (NodeOf(row) == node)
            return row;
    return nullptr;
}

namespace {

/// The nodes from node up to (not including) top; empty when top is no ancestor of node.
std::vector<CDataNode*> ChainBelow(CDataNode* node, const CDataNode* top)
{
    std::vector<CDataNode*> chain;
    for (CDataNode* n = node; n; n = n->GetParent()) {
        if (n == top)
            return {chain.rbegin(), chain.rend()};
        chain.push_back(n);
    }
    return {};
}

} // namespace

CTreeBoxNode* CTagGrid::RevealNode(CDataNode* node)
{
    // From the restore row or one of its ancestors, else from the top-level row of the
    // node's record, opening the rows down to the node.
    std::vector<CTreeBoxNode*> starts;
    for (CTreeBoxNode* row = m_restoreRow; row; row = row->m_parent)
        starts.push_back(row);
    if (CTreeBoxNode* top = FindRowByRecord(node->GetRecord()))
        starts.push_back(top);
    for (CTreeBoxNode* start : starts) {
        if (NodeOf(start) == node)
            return start;
        const std::vector<CDataNode*> chain = ChainBelow(node, ExpansionSource(NodeOf(start)));
        if (chain.empty())
            continue;
        CTreeBoxNode* row = start;
        for (CDataNode* step : chain) {
            if (row->m_state == CTreeBoxNode::kCollapsed)
                GetBox().ExpandItem(row, true, 1);
            row = FindChildRow(row, step);
            if (!row)
                break;
        }
        if (row)
            return row;
    }
    return nullptr;
}

void CTagGrid::ActOnPendingSelection()
{
    const PendingKind kind = m_pendingKind;
    CDataNode* node = m_pendingNode;
    m_pendingKind = kPendingNone;
    m_pendingNode = nullptr;
    if (kind == kPendingNone || !node || node->IsPendingDeletion())
        return;
    CTreeBoxNode* row = RevealNode(node);
    m_restoreRow = nullptr;
    if (!row)
        return;
    switch (kind) {
    case kPendingNewRecord:
    case kPendingNewLinked: {
        CDataNode* owner = kind == kPendingNewLinked ? node->GetLinkTarget() : node;
        CDataNode* empty = FindFirstEmptyField(owner);
        m_restoreRow = row;
        CTreeBoxNode* emptyRow = empty ? RevealNode(empty) : nullptr;
        m_restoreRow = nullptr;
        if (emptyRow)
            OpenEditor(emptyRow);
        else
            SelectRow(row, kind == kPendingNewLinked, true);
        return;
    }
    case kPendingLink:
        SelectRow(row, true, true);
        return;
    default:
        OpenEditor(row);
        return;
    }
}

// ---- The in-place editor ----------------------------------------------------------------------

bool CTagGrid::GetValueCellRect(CTreeBoxNode* row, CRect& rect)
{
    CRect line;
    if (!GetBox().GetItemRect(row, line, 5, true))
        return false;
    const int ox = -GetBox().GetHorizontalPos();
    rect = CRect(ox + GetHeader().GetColumnRight(0), line.top, ox + GetHeader().GetColumnRight(1),
                 line.bottom);
    return true;
}

void CTagGrid::OpenEditor(CTreeBoxNode* row)
{
    CDataNode* node = NodeOf(row);
    if (!node)
        return;
    CloseEditor(true);
    if (IsLinkField(node)) {
        SelectRow(row, true, true);
        if (node->GetLinkTarget() && row->m_state == CTreeBoxNode::kCollapsed)
            GetBox().ExpandItem(row, true, 1);
        GetBox().SetFocus();
        return;
    }
    if (!m_editable || !CanEditInPlace(node))
        return;
    SelectRow(row, false, true);
    CRect cell;
    if (!GetValueCellRect(row, cell))
        return;
    GetBox().HideFocusMark();
    m_editor = node->ShowInControl(&GetBox(), cell, this, WS_CHILD | WS_VISIBLE, kEditorId, 0);
    if (!m_editor) {
        GetBox().ShowFocusMark();
        return;
    }
    m_editorRow = row;
    m_editor->GetWnd().SetFocus();
}

void CTagGrid::CloseEditor(bool keep)
{
    CDataCtl* editor = m_editor;
    if (!editor)
        return;
    m_editor = nullptr;
    m_editorRow = nullptr;
    if (!editor->GetNode() || editor->GetNode()->IsPendingDeletion())
        keep = false;
    editor->DestroyCtl(keep);
    if (GetBox().GetSafeHwnd())
        GetBox().ShowFocusMark();
}

void CTagGrid::OnCtlDestroyed(CDataCtl* control)
{
    if (control == m_editor) {
        m_editor = nullptr;
        m_editorRow = nullptr;
    }
}

void CTagGrid::OnCtlKey(CDataCtl* control, UINT key)
{
    if (control != m_editor)
        return;
    switch (key) {
    case VK_TAB:
        MoveEditorToNextField(GetKeyState(VK_SHIFT) < 0);
        return;
    case VK_ESCAPE:
        CloseEditor(false);
        GetBox().SetFocus();
        return;
    case VK_RETURN:
        CloseEditor(true);
        GetBox().SetFocus();
        return;
    default:
        return;
    }
}

void CTagGrid::OnCtlKillFocus(CDataCtl* control, CWnd* newFocus, BOOL forced)
{
    if (!control || control->IsDestroying() || control != m_editor)
        return;
    if (forced) {
        if (CDataNode* node = control->GetNode())
            node->UpdateFromControl(control, true, true);
        return;
    }
    for (CWnd* wnd = newFocus; wnd; wnd = wnd->GetParent())
        if (wnd == &control->GetWnd())
            return;
    CloseEditor(true);
}

void CTagGrid::MoveEditorToNextField(bool backwards)
{
    CTreeBoxNode* from = m_editorRow ? m_editorRow : GetBox().GetFocusItem();
    CDataNode* node = NodeOf(from);
    if (!node) {
        MessageBeep();
        return;
    }
    const CRecordNode* record = node->GetRecord();
    const auto next = [&](CTreeBoxNode* row) {
        return backwards ? GetBox().GetRelative(row, CTreeBox::kRowAbove) : row->m_nextRow;
    };
    for (CTreeBoxNode* row = next(from); row; row = next(row)) {
        const CDataNode* candidate = NodeOf(row);
        if (candidate && candidate->IsRecord() && row->m_level == 0)
            break;
        if (candidate && candidate->GetRecord() == record && CanEditInPlace(candidate)) {
            OpenEditor(row);
            return;
        }
    }
    MessageBeep();
}

// ---- Delete -----------------------------------------------------------------------------------

void CTagGrid::OnDeleteRecordOrLink()
{
    if (!m_deleteAllowed || (m_owner && !m_owner->MayDelete(this)))
        return;
    CTreeBoxNode* caret = GetBox().GetFocusItem();
    if (!caret || !caret->m_selected)
        return;
    CDataNode* node = NodeOf(caret);
    if (!node)
        return;
    CloseEditor(true);
    if (caret->m_data2 & kRowLinkMode) {
        CRecordNode* target = node->GetLinkTarget();
        if (!target)
            return;
        const std::string label = TypeLabelOf(target);
        if (caret->m_state == CTreeBoxNode::kExpanded) {
            CDeleteChoiceDlg dialog(this);
            dialog.m_title = "Delete Record or Delete Link?";
            dialog.m_linkText = "Delete link to " + label + " record: " + TextOf(target);
            dialog.m_recordText = "Delete the record (" + TextOf(target) + ") itself";
            dialog.m_choice = TRUE;
            if (dialog.DoModal() != IDOK)
                return;
            if (dialog.m_choice) {
                GetBox().SetItemSelected(caret, false, false);
                node->ClearLink();
            } else if (target->GetParent()) {
                target->GetParent()->DeleteChild(target);
            }
            NotifyChanges();
            return;
        }
        if (MessageBox("Delete link to " + label + " record?", MB_OKCANCEL) != IDOK)
            return;
        GetBox().SetItemSelected(caret, false, false);
        node->ClearLink();
        NotifyChanges();
        return;
    }
    CDataNode* parent = node->GetParent();
    if (!parent)
        return;
    if (node->IsRecord()) {
        if (MessageBox("Careful!  Are you sure you want to delete the " + TypeLabelOf(node) +
                           " record: " + TextOf(node) + "?",
                       MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        const CWaitCursor wait;
        parent->DeleteChild(node);
        NotifyChanges();
        return;
    }
    std::string reason;
    if (!parent->CanModifyChild(node, reason)) {
        MessageBox(reason, MB_OK);
        return;
    }
    const char* warning =
        node->GetFirstChild()
            ? "The selected field and all of its 'child' fields (in this record) will be deleted."
            : "The selected field will be deleted.";
    if (MessageBox(warning, MB_OKCANCEL) != IDOK)
        return;
    parent->DeleteChild(node);
    NotifyChanges();
}

// ---- Moving fields ----------------------------------------------------------------------------

bool CTagGrid::CanMove(bool up, CCmdUI* state)
{
    bool result = false;
    if (!m_owner || !m_owner->CanMove(this, up ? kMoveUp : kMoveDown, result)) {
        CTreeBoxNode* caret = GetBox().GetFocusItem();
        const CDataNode* node = caret && caret->m_selected ? NodeOf(caret) : nullptr;
        if (node && !node->IsRecord() && node->GetFieldDef()) {
            const CDataNode* sibling = up ? node->GetPrevSibling() : node->GetNextSibling();
            result =
                sibling && sibling->GetFieldDef() &&
                sibling->GetFieldDef()->GetSiblingOrder() == node->GetFieldDef()->GetSiblingOrder();
        }
    }
    if (state)
        state->Enable(result);
    else if (CUButton& button = GetButton(up ? 0 : 1); button.GetSafeHwnd())
        button.EnableWindow(result);
    return result;
}

bool CTagGrid::CanMoveUp(CCmdUI* state)
{
    return CanMove(true, state);
}

bool CTagGrid::CanMoveDown(CCmdUI* state)
{
    return CanMove(false, state);
}

void CTagGrid::UpdateMoveButtons()
{
    CanMove(true, nullptr);
    CanMove(false, nullptr);
}

void CTagGrid::Move(bool up)
{
    if (m_owner && !m_owner->BeforeMove(this, up ? kMoveUp : kMoveDown))
        return;
    CTreeBoxNode* caret = GetBox().GetFocusItem();
    CDataNode* node = caret && caret->m_selected ? NodeOf(caret) : nullptr;
    if (!node || node->IsRecord())
        return;
    CloseEditor(true);
    CTreeBoxNode* parentRow = caret->m_parent;
    if (!(up ? node->MoveUp() : node->MoveDown()))
        return;
    NotifyChanges();
    if (CTreeBoxNode* row = FindChildRow(parentRow, node)) {
        SelectRow(row, false, true);
    }
    UpdateMoveButtons();
}

void CTagGrid::MoveFieldUp()
{
    Move(true);
}

void CTagGrid::MoveFieldDown()
{
    Move(false);
}

// ---- Keys and clicks --------------------------------------------------------------------------

void CTagGrid::TypeAhead(UINT key)
{
    CTreeBoxNode* caret = GetBox().GetFocusItem();
    while (caret && caret->m_parent)
        caret = caret->m_parent;
    const int wanted = std::toupper(int(key));
    CTreeBoxNode* first = GetBox().GetFirstItem();
    CTreeBoxNode* start = caret && caret->m_nextSibling ? caret->m_nextSibling : first;
    for (CTreeBoxNode* row = start; row;) {
        const std::string label = GetRelationLabel(row);
        if (!label.empty() && std::toupper(static_cast<unsigned char>(label[0])) == wanted) {
            SelectRow(row, false, true);
            return;
        }
        row = row->m_nextSibling ? row->m_nextSibling : first;
        if (row == start)
            return;
    }
}

BOOL CTagGrid::PreTranslateMessage(MSG* msg)
{
    if (m_editor && msg->wParam != VK_F5 && MainWindowKeyCommand(*msg) &&
        GetTopLevelFrame(this) == AfxGetMainWnd()) {
        CloseEditor(true);
        GetBox().SetFocus();
    }
    return CTreeGrid::PreTranslateMessage(msg);
}

bool CTagGrid::OnKeyDown(CTreeBox* box, UINT virtKey, UINT repeatCount, UINT flags)
{
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    CTreeBoxNode* caret = box->GetFocusItem();
    CDataNode* node = NodeOf(caret);
    switch (virtKey) {
    case VK_TAB:
        if (caret)
            MoveEditorToNextField(GetKeyState(VK_SHIFT) < 0);
        return false;
    case VK_RETURN:
        if (caret && caret->m_state != CTreeBoxNode::kLeaf)
            OnNodeExpand(caret);
        return false;
    case VK_ESCAPE:
        if (caret && (caret->m_data2 & kRowLinkMode) && node && !node->GetLinkTarget())
            box->SetItemSelected(caret, false, false);
        return false;
    case VK_SPACE:
        if (caret) {
            const CFlagGuard selecting(m_selecting);
            box->SetItemSelected(caret, !caret->m_selected, false);
        }
        return false;
    case VK_LEFT:
        if (!ctrl)
            return true;
        if (caret && caret->m_state == CTreeBoxNode::kExpanded)
            OnNodeExpand(caret);
        return false;
    case VK_RIGHT:
        if (ctrl && caret && IsLinkField(node) && node->GetLinkTarget()) {
            if (caret->m_state == CTreeBoxNode::kCollapsed)
                OnNodeExpand(caret);
            return false;
        }
        return true;
    case VK_DELETE:
        if (m_deleteAllowed)
            OnDeleteRecordOrLink();
        return false;
    case VK_F2:
        if (m_editable && !m_editor && caret) {
            if (IsLinkField(node)) {
                CRect cell;
                if (GetValueCellRect(caret, cell))
                    ShowLinkMenu(caret, MenuPoint(caret, cell.left), node->GetLinkTarget());
            } else {
                OpenEditor(caret);
            }
        }
        return false;
    default:
        if (!ctrl && virtKey < 0x80 && std::isalnum(int(virtKey))) {
            TypeAhead(virtKey);
            return false;
        }
        return CTreeGrid::OnKeyDown(box, virtKey, repeatCount, flags);
    }
}

bool CTagGrid::OnButtonDown(CTreeBox* box, CTreeBoxNode* node, UINT, int x, int, int& part)
{
    CloseEditor(true);
    CDataNode* data = NodeOf(node);
    if (!node || !data || part == TBP_BUTTON)
        return true;
    const int cx = x + box->GetHorizontalPos();
    if (cx < GetHeader().GetColumnRight(0) || cx >= GetHeader().GetColumnRight(1))
        return true;
    if (node->m_level == 0 && m_mode == kModeRecordSet)
        return true;
    if (IsLinkField(data)) {
        if (data->GetLinkTarget()) {
            SelectRow(node, true, true);
        } else if (node == box->GetFocusItem() && node->m_selected &&
                   (node->m_data2 & kRowLinkMode)) {
            box->SetItemSelected(node, false, false);
        } else if (m_editable) {
            CRect cell;
            if (GetValueCellRect(node, cell))
                ShowLinkMenu(node, MenuPoint(node, cell.left), false);
        } else {
            return true;
        }
        return false;
    }
    if (!CanEditInPlace(data))
        return true;
    SelectRow(node, false, true);
    if (m_editable)
        OpenEditor(node);
    return false;
}

bool CTagGrid::OnRightClick(CTreeBox* box, CTreeBoxNode* node, CWnd*, UINT, int x, int y, int)
{
    CloseEditor(true);
    CPoint point(x, y);
    box->ClientToScreen(&point);
    CDataNode* data = NodeOf(node);
    const int cx = x + box->GetHorizontalPos();
    const bool onValue = cx >= GetHeader().GetColumnRight(0) && cx < GetHeader().GetColumnRight(1);
    if (data && onValue && IsLinkField(data)) {
        SelectRow(node, false, true);
        bool onTarget = false;
        if (data->GetLinkTarget()) {
            CClientDC dc(box);
            const int textRight = -box->GetHorizontalPos() + GetHeader().GetColumnRight(0) + 2 +
                                  int(dc.GetTextExtent(GetValueText(node)).cx);
            onTarget = x < textRight;
        }
        ShowLinkMenu(node, MenuPoint(node, x), onTarget);
    } else if (data) {
        if (onValue) {
            SelectRow(node, false, true);
        }
        ShowRowMenu(node, data, point);
    } else {
        ShowNewMenu(nullptr, m_shown, point);
    }
    return false;
}
