// diagrams/window/rel_tree_custom.cpp: CRelTreeCustom, the Diagram window's settings as a whole:
// the installation settings, and custom diagram files opened and saved (rel_tree_custom.h).
#include "diagrams/window/rel_tree_custom.h"

#include "app/shell/save_message.h"
#include "diagrams/diagram_document.h"
#include "diagrams/window/diag_save_custom_dlg.h"
#include "diagrams/window/rel_tree_options.h"
#include "platform/base/prompt.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/wnd.h"

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

CRelTreeCustom::CRelTreeCustom(IRelTreeCustomView& view, CDiagramDocument& doc,
                               CRelTreeOptions& options)
    : m_view(view), m_doc(doc), m_options(options)
{
}

void CRelTreeCustom::RestoreInstallationSettings()
{
    const int answer = MessageBox(kRestoreQuestion, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer != IDYES && answer != IDNO)
        return;
    // The window keeps showing the kind of diagram it shows.
    CheckSaved(m_doc.RestoreInstallationSettings(answer == IDYES, Profile()));
    m_options.ApplyGeneralOptions(false);
}

bool CRelTreeCustom::OpenCustomDiagram(const std::string& path, CIndRec* person,
                                       const std::string& name)
{
    const auto openOnDefaults = [&](const std::string& why) {
        MessageBox(why + "  The diagram opens with the default settings instead.",
                   MB_OK | MB_ICONEXCLAMATION);
        m_doc.TakeDefaults();
        return m_view.Build(person, nullptr, true, m_doc.Settings().m_diagramType, false, name,
                            true);
    };
    if (!m_doc.LoadSettingsFromFile(path))
        return openOnDefaults("The custom diagram file \"" + path +
                              "\" is damaged or is not a custom diagram.");
    if (m_view.Build(person, nullptr, true, m_doc.Settings().m_diagramType, false, name, false))
        return true;
    return openOnDefaults("The diagram that the custom diagram \"" + name +
                          "\" describes cannot be shown; it may be too large.");
}

void CRelTreeCustom::SaveAsCustomDiagram()
{
    CWnd& window = m_view.Window();
    CSaveCustomDiagramDlg dialog(&window);
    dialog.m_name = m_doc.CustomName();
    if (dialog.DoModal() != IDOK)
        return;
    // A save that fails has told the user why.
    if (!CheckSaved(m_doc.Settings().SaveSettingsToFile(dialog.m_path)))
        return;
    m_doc.SetCustomName(dialog.m_name);
    if (CFrameWnd* frame = window.GetSafeHwnd() ? GetParentFrame(&window) : nullptr)
        frame->OnUpdateFrameTitle(TRUE);
}
