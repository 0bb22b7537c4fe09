// controls/rename_dlg.cpp: the rename dialog of the file links.
#include "controls/rename_dlg.h"

#include "common/rename_rules.h"

#include "controls/tree_box.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/dialogs/edit.h"

namespace {

constexpr UINT kTemplate = 306;
constexpr int kLabel = 1002, kNameEdit = 1395;

constexpr const char* kEnterName = "Please enter a name";
constexpr const char* kBadDrive =
    "There are 2 valid forms for drive names.  A local drive's name will consist of a letter "
    "followed by a colon.  For example, \"A:\" and \"C:\" (without the quotation marks) are "
    "both valid names for local drives.  Network drive names can have a similar form, or they "
    "can use the Universal Naming Convention: \"\\\\server\\share\".  For example, a share name "
    "'pics' on server 'Fred' would be written as \"\\\\Fred\\pics\" (again, without the "
    "quotation marks).  The name supplied does not conform to either of these two forms.";
constexpr const char* kBadChars = "A filename cannot contain any of the following characters:";
constexpr const char* kFolderInUse =
    "Invalid name.  This name is already in use.\n\nIf you wish to merge 2 drives or "
    "directories you can do this by 'moving' the contents of the first drive or directory into "
    "the second.\n\nReminder: the 'moving' and 'renaming' in question relates to the "
    "construction of file names used in file links.  Actual files and directories are not "
    "affected.";
constexpr const char* kFileInUse =
    "The name you have specified is already in use.  If you use this name, two or more links "
    "will share the same file name.  Proceed anyway?";

} // namespace

CRenameDlg::CRenameDlg(CWnd* parent) : CDialog(kTemplate, parent)
{
    MapNotify(kNameEdit, EN_CHANGE, [this] {
        GetDlgItem(IDOK)->EnableWindow(GetDlgItem(kNameEdit)->GetWindowTextLength() > 0);
    });
}

BOOL CRenameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    GetDlgItem(IDOK)->EnableWindow(!m_name.empty());
    return TRUE;
}

void CRenameDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(kLabel, m_label);
    dx.Text(kNameEdit, m_name);
}

void CRenameDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_name = text::Trim(m_name);
    SetDlgItemText(kNameEdit, m_name);
    if (!CheckName()) {
        GotoDlgCtrl(GetDlgItem(kNameEdit));
        return;
    }
    EndDialog(IDOK);
}

bool CRenameDlg::CheckName()
{
    if (m_name.empty()) {
        MessageBox(kEnterName, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (m_kind == kRenameDrive && !IsValidDriveName(m_name)) {
        MessageBox(kBadDrive, MB_OK | MB_ICONSTOP);
        return false;
    }
    if (m_kind != kRenameDrive && HasForbiddenNameChar(m_name)) {
        MessageBox(std::string(kBadChars) + "\n" + std::string(kForbiddenNameChars),
                   MB_OK | MB_ICONSTOP);
        return false;
    }
    if (!m_item || m_name == m_item->m_text || !IsNameInUse())
        return true;
    if (m_kind == kRenameDrive || m_kind == kRenameFolder) {
        MessageBox(kFolderInUse, MB_OK | MB_ICONSTOP);
        return false;
    }
    return MessageBox(kFileInUse, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

bool CRenameDlg::IsNameInUse() const
{
    if (m_item->m_parent)
        return m_item->m_parent->FindItemByText(m_name) != nullptr;
    return m_tree && m_tree->FindChildByText(m_name) != nullptr;
}
