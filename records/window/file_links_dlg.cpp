// records/window/file_links_dlg.cpp: the external file links dialog: building and showing the tree,
// its buttons, applying the new names, and the mode after a file was opened from another place.
#include "records/window/file_links_dlg.h"

#include "app/shell/av_doc.h"
#include "app/shell/shell_app.h"
#include "common/abort.h"
#include "common/rename_rules.h"
#include "controls/dlg_layout.h"
#include "controls/rename_dlg.h"
#include "database/fields/file_node.h"
#include "database/multimedia/file_links.h"
#include "database/nodes/change_tracking.h"
#include "database/records/record_node.h"
#include "platform/base/abandon.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/folder_dialog.h"
#include "platform/ui/windows/app.h"

#include <algorithm>

namespace {

constexpr UINT kTreeId = 1480, kGridId = 1481;
constexpr UINT kFirstImage = 420;
enum ImageIndex : std::size_t { kFolder, kMissingFolder, kFloppy, kDrive, kFile, kMissingFile };

constexpr const char* kNotOneFolder =
    "Multiple selection is valid for this action.  But all the selected items must belong to the "
    "same folder, or all must be top-level items.";
constexpr const char* kIncludesDrive =
    "The selection includes one or more drives ('drives' are represented by an icon that "
    "resembles a computer, and typically have names like \"A:\" or \"C:\").  You can move "
    "folders or files contained within a drive, but you cannot move a drive itself.  You can, "
    "however, rename it if you wish to.";
constexpr const char* kIntoItself =
    "Invalid move.  You cannot move a folder to a destination inside itself.";

CRecordNode* RecordOf(CDataNode* node)
{
    while (node && !node->IsRecord())
        node = node->GetParent();
    return static_cast<CRecordNode*>(node);
}

bool IsFloppy(const std::string& name)
{
    return name.size() == 2 && name[1] == ':' &&
           (name[0] == 'A' || name[0] == 'a' || name[0] == 'B' || name[0] == 'b');
}

} // namespace

CFileLinksDlg::CFileLinksDlg(CWnd* parent) : CDialog(kTemplate, parent)
{
    MapCommand(kMoveButton, [this] { OnMove(); });
    MapCommand(kRenameButton, [this] { OnRename(); });
    MapCommand(kRefreshButton, [this] { OnRefresh(); });
    MapCommand(kGoTo, [this] { OnGoTo(); });
}

CFileLinksDlg::~CFileLinksDlg() = default;

void CFileLinksDlg::SetInitialFile(const std::string& newPath, const std::string& oldPath)
{
    m_initialMode = true;
    m_newPath = newPath;
    m_oldPath = oldPath;
}

BOOL CFileLinksDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    try {
        IShellApp* app = GetShellApp();
        const CAvDoc* document = app ? app->GetDocument() : nullptr;
        // While a moved file loads, the document does not know its path yet.
        const std::string path = m_initialMode ? m_newPath
                                 : document    ? document->GetPathName()
                                               : std::string();
        SetDlgItemText(kCurrentFile, path.empty() ? "<New File>" : path);
        CWnd* treePlace = GetDlgItem(kTreePlace);
        CWnd* gridPlace = GetDlgItem(kGridPlace);
        if (!treePlace || !gridPlace)
            ThrowAbort();
        for (std::size_t i = 0; i < m_images.size(); ++i)
            m_images[i].LoadBitmap(kFirstImage + UINT(i));
        std::string empty;
        treePlace->GetWindowText(empty);
        if (!m_tree.Create(TBF_TREE | TBF_MULTI_SELECT,
                           WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                           PlaceInParent(*treePlace), this, kTreeId, this, 16, 16, nullptr))
            ThrowAbort();
        m_tree.SetEmptyText(empty);
        if (!m_grid.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL, PlaceInParent(*gridPlace), this,
                           kGridId, nullptr, 0))
            ThrowAbort();
        m_grid.SetEditable(false);
        BuildTree();
        if (m_initialMode) {
            MoveToInitialFile();
            ExplainInitialFile();
        }
        // The links kept are shown selected, so that the user sees which they are.
        ShowTree(m_kept);
        UpdateButtons();
        AnchorControls();
    } catch (...) {
        if (EndAbandonedOperation() == AbandonCause::Aborted)
            MessageBox("An error has occurred.  Unable to display dialog",
                       MB_OK | MB_ICONEXCLAMATION);
        EndDialog(IDCANCEL);
    }
    return TRUE;
}

void CFileLinksDlg::AnchorControls()
{
    CRect client;
    GetClientRect(&client);
    using L = CDlgLayout;
    // The tree and the where-used grid share the height; the buttons follow the right edge.
    for (const int id : {kCurrentFile, kExplanation})
        m_layout.AddControl(this, GetDlgItem(id), client, L::kNoChange, L::kNoChange, L::kNoChange,
                            L::kToRight);
    m_layout.AddControl(this, &m_tree, client, L::kNoChange, L::kNoChange, L::kProportional,
                        L::kToRight);
    m_layout.AddControl(this, &m_grid, client, L::kProportional, L::kNoChange, L::kToBottom,
                        L::kToRight);
    for (const int id : {kMoveButton, kRenameButton, kRefreshButton, kGoTo})
        m_layout.AddControl(this, GetDlgItem(id), client, L::kNoChange, L::kToRight, L::kNoChange,
                            L::kToRight);
    for (const int id : {IDOK, IDCANCEL})
        m_layout.AddControl(this, GetDlgItem(id), client, L::kToBottom, L::kToRight, L::kToBottom,
                            L::kToRight);
    KeepOpeningSizeAsMinimum();
}

void CFileLinksDlg::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (m_layout.GetCount() > 0)
        m_layout.ApplyLayout(this, cx, cy);
}

void CFileLinksDlg::OnDestroy()
{
    m_layout.DestroyLayout();
    CDialog::OnDestroy();
}

void CFileLinksDlg::BuildTree()
{
    m_links.Clear();
    CollectFileLinks(
        [this](CDataNode& field, const std::string& name) { m_links.AddLink(name, &field); });
}

bool CFileLinksDlg::MoveToInitialFile()
{
    const FileLinkNode* old = m_links.AddLink(m_oldPath, nullptr);
    const FileLinkNode* now = m_links.AddLink(m_newPath, nullptr, true);
    if (!old || !now || !old->m_parent || !now->m_parent ||
        CFileLinkTree::GetItemPath(*old->m_parent) == CFileLinkTree::GetItemPath(*now->m_parent))
        return false;
    // A link never leaves a file that is there for a name under which there is none.
    std::vector<FileLinkNode*> beside;
    for (const auto& child : old->m_parent->m_children) {
        if (child.get() == old)
            continue;
        if (child->m_state == FileLinkNode::kPresent && !m_links.ExistsIn(*now->m_parent, *child))
            m_kept.push_back(child.get());
        else
            beside.push_back(child.get());
    }
    if (beside.empty() || m_links.Move(beside, now->m_parent) != CFileLinkTree::MoveResult::kMoved)
        return false;
    m_links.Refresh();
    return Apply(true);
}

void CFileLinksDlg::ExplainInitialFile()
{
    std::string text =
        "This file was opened from another place than the one it was saved in (" + m_oldPath + ").";
    if (m_linksChanged)
        text += "  Links to files beside the old file now name the files beside this one.";
    if (!m_kept.empty()) {
        text += "  Not found here, so left as they were:";
        for (std::size_t i = 0; i < m_kept.size(); ++i)
            text += (i == 0 ? " " : ", ") + m_kept[i]->m_text;
        text += ".";
    }
    SetDlgItemText(kExplanation, text);
}

CBitmap* CFileLinksDlg::ImageOf(const FileLinkNode& node)
{
    const bool missing = node.m_state == FileLinkNode::kMissing;
    switch (node.m_kind) {
    case FileLinkNode::kDrive:
        return &m_images[IsFloppy(node.m_text) ? kFloppy : kDrive];
    case FileLinkNode::kFile:
        return &m_images[missing ? kMissingFile : kFile];
    default:
        return &m_images[missing ? kMissingFolder : kFolder];
    }
}

void CFileLinksDlg::ShowTree(const std::vector<FileLinkNode*>& selected)
{
    m_tree.DeleteAllItems();
    std::vector<CTreeBoxNode*> rows;
    const auto add = [&](const auto& self, CTreeBoxNode* parent, const FileLinkNode& node) -> void {
        CTreeBoxNode* row = m_tree.InsertItem(
            parent, CTreeBox::kInsertLast,
            {.state = node.m_children.empty() ? CTreeBoxNode::kLeaf : CTreeBoxNode::kCollapsed,
             .text = node.m_text,
             .image = ImageOf(node),
             .data = std::uintptr_t(&node),
             .noRedraw = true});
        if (!row)
            return;
        if (std::find(selected.begin(), selected.end(), &node) != selected.end())
            rows.push_back(row);
        for (const auto& child : node.m_children)
            self(self, row, *child);
    };
    for (const auto& top : m_links.Top())
        add(add, nullptr, *top);
    if (!m_initialMode || !selected.empty())
        for (CTreeBoxNode* top = m_tree.GetFirstItem(); top; top = top->m_nextSibling)
            if (top->m_state == CTreeBoxNode::kCollapsed)
                m_tree.ExpandItem(top, true, 1);
    for (CTreeBoxNode* row : rows) {
        m_tree.ExpandToItem(row);
        m_tree.SetItemSelected(row, true, false);
    }
    m_tree.RedrawAll();
    UpdateButtons();
}

void CFileLinksDlg::SelectNodes(const std::vector<FileLinkNode*>& nodes)
{
    m_tree.ClearSelection(nullptr, false);
    for (CTreeBoxNode* row = m_tree.GetFirstItem(); row; row = row->m_nextInOrder)
        if (std::find(nodes.begin(), nodes.end(), reinterpret_cast<FileLinkNode*>(row->m_data)) !=
            nodes.end()) {
            m_tree.ExpandToItem(row);
            m_tree.SetItemSelected(row, true, false);
        }
    UpdateButtons();
}

std::vector<FileLinkNode*> CFileLinksDlg::SelectedNodes() const
{
    std::vector<FileLinkNode*> nodes;
    for (CTreeBoxNode* row = m_tree.GetNextSelected(nullptr); row;
         row = m_tree.GetNextSelected(row))
        nodes.push_back(reinterpret_cast<FileLinkNode*>(row->m_data));
    return nodes;
}

void CFileLinksDlg::OnSelChanged(CTreeBox*)
{
    UpdateButtons();
}

void CFileLinksDlg::UpdateButtons()
{
    const std::vector<FileLinkNode*> nodes = SelectedNodes();
    const FileLinkNode* file =
        nodes.size() == 1 && nodes.front()->m_kind == FileLinkNode::kFile ? nodes.front() : nullptr;
    if (CWnd* button = GetDlgItem(kMoveButton))
        button->EnableWindow(!nodes.empty());
    if (CWnd* button = GetDlgItem(kRenameButton))
        button->EnableWindow(nodes.size() == 1);
    if (CWnd* button = GetDlgItem(kGoTo))
        button->EnableWindow(file != nullptr);
    if (!m_grid.GetSafeHwnd())
        return;
    m_grid.ClearRecordSet();
    if (CRecordNode* record = file ? RecordOf(file->m_link) : nullptr)
        m_grid.AddRecordRow(record, true, false, false, true);
}

void CFileLinksDlg::OnMove()
{
    const std::vector<FileLinkNode*> nodes = SelectedNodes();
    if (nodes.empty())
        return;
    switch (CFileLinkTree::CheckMovable(nodes)) {
    case CFileLinkTree::MoveResult::kNotOneFolder:
        MessageBox(kNotOneFolder, MB_OK | MB_ICONEXCLAMATION);
        return;
    case CFileLinkTree::MoveResult::kIncludesDrive:
        MessageBox(kIncludesDrive, MB_OK | MB_ICONEXCLAMATION);
        return;
    default:
        break;
    }
    CFolderDialog picker("Select Target Folder");
    if (picker.DoModal() != IDOK)
        return;
    if (picker.GetFolderPath().empty()) {
        MessageBox("Invalid target location - cannot perform action", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    FileLinkNode* target = m_links.FindOrAddFolder(picker.GetFolderPath());
    if (!target) {
        MessageBox("Invalid location - cannot perform action", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_changed = true;
    if (m_links.Move(nodes, target) == CFileLinkTree::MoveResult::kIntoItself)
        MessageBox(kIntoItself, MB_OK | MB_ICONEXCLAMATION);
    m_links.Refresh();
    ShowTree(nodes);
}

void CFileLinksDlg::OnRename()
{
    const std::vector<FileLinkNode*> nodes = SelectedNodes();
    CTreeBoxNode* row = m_tree.GetNextSelected(nullptr);
    if (nodes.size() != 1 || !row)
        return;
    FileLinkNode& node = *nodes.front();
    CRenameDlg rename(this);
    rename.m_label = node.m_kind == FileLinkNode::kDrive    ? "Drive Name:"
                     : node.m_kind == FileLinkNode::kFolder ? "Folder Name:"
                                                            : "File Name:";
    rename.m_name = node.m_text;
    rename.m_kind = node.m_kind == FileLinkNode::kDrive    ? kRenameDrive
                    : node.m_kind == FileLinkNode::kFolder ? kRenameFolder
                                                           : 1;
    rename.m_tree = &m_tree;
    rename.m_item = row;
    if (rename.DoModal() != IDOK)
        return;
    m_changed = true;
    CFileLinkTree::Rename(node, rename.m_name);
    m_links.Refresh();
    ShowTree(nodes);
}

void CFileLinksDlg::OnRefresh()
{
    const std::vector<FileLinkNode*> nodes = SelectedNodes();
    m_links.Refresh();
    ShowTree(nodes);
}

bool CFileLinksDlg::Apply(bool quiet)
{
    bool changed = false;
    try {
        // Only a moved or renamed link is written; every other keeps its stored bytes.
        for (const auto& [field, path] : m_links.ChangedLinks()) {
            auto* file = dynamic_cast<CFileNode*>(field);
            std::string stored;
            if (!file || (file->GetText(stored, 0) && stored == path))
                continue;
            file->SetFileName(path);
            changed = true;
            m_linksChanged = true;
        }
    } catch (...) {
        // What was stored before the failure is announced all the same.
        NotifyChanges();
        if (EndAbandonedOperation() == AbandonCause::Aborted && !quiet)
            MessageBox("An error occurred while attempting to save changes",
                       MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (changed)
        NotifyChanges();
    return true;
}

void CFileLinksDlg::OnOK()
{
    if (Apply(false))
        EndDialog(IDOK);
}

void CFileLinksDlg::OnGoTo()
{
    const std::vector<FileLinkNode*> nodes = SelectedNodes();
    if (nodes.size() != 1 || !nodes.front()->m_link)
        return;
    if (m_changed) {
        const int answer = MessageBox("Save changes?", MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL || (answer == IDYES && !Apply(false)))
            return;
    }
    m_chosen = nodes.front()->m_link;
    EndDialog(kGoTo);
}

bool CMovedFileLinks::ShowMovedFile(const std::string& newPath, const std::string& previousPath)
{
    CFileLinksDlg dialog(AfxGetMainWnd());
    dialog.SetInitialFile(newPath, previousPath);
    if (dialog.DoModal() == CFileLinksDlg::kGoTo)
        if (IShellApp* app = GetShellApp())
            app->ShowRecordInRecordsWindow(RecordOf(dialog.GetChosenLink()), TRUE);
    return dialog.LinksChanged();
}
