// controls/rename_dlg.h: the dialog that asks for a new name for a drive, folder or file part of
// the external file links, and checks it.
#pragma once

#include "platform/ui/dialogs/dialog.h"

#include <string>

class CTreeBox;
struct CTreeBoxNode;

/// The file-links tree holds the drives as top-level items, their folders and files below
/// them; an item's text is its name. The caller sets the label, the name, the kind, the tree
/// and the item, runs the dialog, and after OK reads the new name, trimmed.
class CRenameDlg final : public CDialog {
public:
    explicit CRenameDlg(CWnd* parent = nullptr);

    /// "Drive Name:", "Folder Name:" or "File Name:".
    std::string m_label;
    std::string m_name;
    /// kRenameDrive, kRenameFolder, or any other value for a file.
    int m_kind = 1;
    const CTreeBox* m_tree = nullptr;
    const CTreeBoxNode* m_item = nullptr;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    /// Checks the name; a name refused keeps the dialog open with the focus in the edit.
    void OnOK() override;

private:
    /// Whether another item beside the item, or the item itself, already has the name, compared
    /// without regard to case.
    bool IsNameInUse() const;
    /// False after telling the user why the name cannot be used (or, for a file name in use,
    /// when the user did not agree to share it).
    bool CheckName();
};
