// diagrams/window/rel_tree_custom.cpp: the Diagram window's settings as a whole: Page Setup,
// going back to the installation settings, and opening and saving a custom diagram file. The
// document takes the settings; the window asks the questions and shows what went wrong.
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
    if (m_options.SheetOpen())
        return;
    const int result = m_options.OpenSheet("Page Setup", CTreeOptsDlg::kPrintPage, true, true);
    if (result == IDOK)
        CheckSaved(m_doc.SaveAsDefaults(kSectionPrinting, Profile()));
    ComputePageAvoidance();
    Invalidate();
}

void CSubViewRelTree::RestoreInstallationSettings()
{
    const int answer = MessageBox(kRestoreQuestion, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer != IDYES && answer != IDNO)
        return;
    // The window keeps showing the kind of diagram it shows.
    CheckSaved(m_doc.RestoreInstallationSettings(answer == IDYES, Profile()));
    m_options.ApplyGeneralOptions(false);
}

bool CSubViewRelTree::OpenCustomDiagram(const std::string& path, CIndRec* person,
                                        const std::string& name)
{
    const auto openOnDefaults = [&](const std::string& why) {
        MessageBox(why + "  The diagram opens with the default settings instead.",
                   MB_OK | MB_ICONEXCLAMATION);
        m_doc.TakeDefaults();
        return Build(person, nullptr, true, m_doc.Settings().m_diagramType, false, name);
    };
    if (!m_doc.LoadSettingsFromFile(path))
        return openOnDefaults("The custom diagram file \"" + path +
                              "\" is damaged or is not a custom diagram.");
    if (Build(person, nullptr, true, m_doc.Settings().m_diagramType, false, name, false))
        return true;
    return openOnDefaults("The diagram that the custom diagram \"" + name +
                          "\" describes cannot be shown; it may be too large.");
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
