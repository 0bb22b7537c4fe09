// diagrams/window/rel_tree_custom.cpp: the Diagram window's settings as a whole: Page Setup,
// going back to the installation settings, and saving them as a custom diagram file.
#include "diagrams/window/sub_view_rel_tree.h"

#include "app/shell/save_message.h"
#include "diagrams/window/diag_save_custom_dlg.h"
#include "platform/base/prompt.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/windows/app.h"

namespace {

constexpr const char* kRestoreQuestion =
    "All options for the current diagram will revert to their installation settings.  Do you "
    "wish to save these settings as the default for the Diagram Window?";

CAppProfile* Profile()
{
    CWinApp* app = AfxGetApp();
    return app ? &app->GetProfile() : nullptr;
}

} // namespace

void CSubViewRelTree::PageSetup()
{
    if (m_optionsOpen)
        return;
    m_optionsOpen = true;
    CTreeOptsDlg sheet("Page Setup", m_doc.Settings(), *this, this, CTreeOptsDlg::kPrintPage, true,
                       this, true);
    const auto result = sheet.DoModal();
    m_optionsOpen = false;
    if (result == IDOK)
        CheckSaved(
            GetDefaultSettings().CopySettings(m_doc.Settings(), kSectionPrinting, Profile()));
    ComputePageAvoidance();
    Invalidate();
}

void CSubViewRelTree::RestoreInstallationSettings()
{
    CDiagramSettings& settings = m_doc.Settings();
    const int answer = MessageBox(kRestoreQuestion, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer != IDYES && answer != IDNO)
        return;
    // The window keeps showing the kind of diagram it shows.
    const int type = settings.m_diagramType;
    settings.SetDefaultSettings(kSectionAll);
    settings.SetDiagramType(type);
    if (answer == IDYES) {
        CDiagramSettings& defaults = GetDefaultSettings();
        const int defaultType = defaults.m_diagramType;
        defaults.SetDefaultSettings(kSectionAll);
        defaults.SetDiagramType(defaultType);
        if (CAppProfile* profile = Profile())
            CheckSaved(defaults.SaveSettings(profile, {}, kSectionAll));
    }
    ApplyGeneralOptions(false);
}

void CSubViewRelTree::SaveAsCustomDiagram()
{
    CSaveCustomDiagramDlg dialog(this);
    dialog.m_name = m_doc.CustomName();
    if (dialog.DoModal() != IDOK)
        return;
    // A save that fails has told the user why.
    if (!CheckSaved(m_doc.Settings().SaveSettingsToFile(dialog.m_path)))
        return;
    m_doc.SetCustomName(dialog.m_name);
    if (CFrameWnd* frame = GetSafeHwnd() ? GetParentFrame(this) : nullptr)
        frame->OnUpdateFrameTitle(TRUE);
}
