// records/window/file_links_dlg.h: the "Work with External File Links" dialog: the stored file
// names as a tree, the record that uses the selected one, and moving, renaming and applying them.
#pragma once

#include "records/grid/tag_grid.h"
#include "records/window/file_link_tree.h"

#include "controls/dlg_layout.h"
#include "controls/tree_box.h"
#include "controls/tree_box_owner.h"
#include "database/gedcom/gedcom_loader.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/drawing/bitmap.h"

#include <array>
#include <string>

class CDataNode;

/// DoModal answers IDOK after a successful apply, IDCANCEL, or kGoTo with the chosen link set.
/// In initial-file mode (after a file was opened from another place than its header names) the
/// links that lay beside the old file are moved beside the new one and applied before the
/// dialog shows.
class CFileLinksDlg final : public CDialog, private CTreeBoxOwner {
public:
    static constexpr UINT kTemplate = 305;
    static constexpr int kGoTo = 3;
    static constexpr int kCurrentFile = 1472, kTreePlace = 1470, kGridPlace = 1471,
                         kMoveButton = 1469, kRenameButton = 1473, kRefreshButton = 1476,
                         kExplanation = 1477;

    explicit CFileLinksDlg(CWnd* parent = nullptr);
    ~CFileLinksDlg() override;

    void SetInitialFile(const std::string& newPath, const std::string& oldPath);
    /// The field chosen by Go To.
    CDataNode* GetChosenLink() const { return m_chosen; }
    /// Whether the dialog changed stored file names (on opening in initial-file mode, or on OK).
    bool LinksChanged() const { return m_linksChanged; }
    /// In initial-file mode, the links beside the old file left as they were because their
    /// files are there and not beside the new file.
    const std::vector<FileLinkNode*>& GetKeptLinks() const { return m_kept; }

    CFileLinkTree& GetLinkTree() { return m_links; }
    CTreeBox& GetTreeBox() { return m_tree; }
    CTagGrid& GetWhereUsed() { return m_grid; }
    /// Selects the rows of the nodes (and only them), as clicks would.
    void SelectNodes(const std::vector<FileLinkNode*>& nodes);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    /// Moves the anchored controls.
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;

private:
    /// Anchors the controls at the opening size, which becomes the least size.
    void AnchorControls();
    void BuildTree();
    /// The tree box shows the link tree again, with the nodes selected.
    void ShowTree(const std::vector<FileLinkNode*>& selected);
    std::vector<FileLinkNode*> SelectedNodes() const;
    CBitmap* ImageOf(const FileLinkNode& node);
    void UpdateButtons();
    void OnMove();
    void OnRename();
    void OnRefresh();
    void OnGoTo();
    /// Stores every link's path; false, after telling the user unless quiet, on failure.
    bool Apply(bool quiet);
    /// Moves the links beside the old file beside the new one and applies them; false when a
    /// move failed (nothing is applied then). A link whose file is beside the old file and not
    /// beside the new one keeps its name (m_kept).
    bool MoveToInitialFile();
    /// The opening line in initial-file mode: why the dialog came up, and which links it kept.
    void ExplainInitialFile();

    void OnSelChanged(CTreeBox* box) override;

    CFileLinkTree m_links;
    CTreeBox m_tree;
    CTagGrid m_grid;
    std::array<CBitmap, 6> m_images;
    bool m_changed = false;
    bool m_linksChanged = false;
    std::vector<FileLinkNode*> m_kept;
    CDataNode* m_chosen = nullptr;
    bool m_initialMode = false;
    std::string m_newPath;
    std::string m_oldPath;
    CDlgLayout m_layout;
};

/// The loader's dialog after a file was opened from another place: the file links tool in
/// initial-file mode.
class CMovedFileLinks final : public IFileLinksDialog {
public:
    bool ShowMovedFile(const std::string& newPath, const std::string& previousPath) override;
};
