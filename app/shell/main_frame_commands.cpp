// app/shell/main_frame_commands.cpp: the main frame's menus of saved files with their commands, and
// its help, web-page and tutorial commands.
#include "app/shell/main_frame.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "app/shell/help_commands.h"
#include "app/shell/shell_app.h"
#include "app/shell/sub_view.h"

#include "common/shell_open.h"
#include "platform/base/prompt.h"
#include "platform/ui/frames/mdi_child_wnd.h"
#include "platform/ui/frames/menu.h"

void CMainFrame::MapFileAndHelpCommands()
{
    MapCommandRange(ID_SAVED_FILES_FIRST, ID_SAVED_FILES_LAST,
                    [this](UINT id) { OnSavedFile(id); });
    // The items keep the state their menu was filled with.
    MapUpdateRange(ID_SAVED_FILES_FIRST, ID_SAVED_FILES_LAST, [](CCmdUI*) {});
    // The user manual's pages stand for a help file: the contents, or the topic of the window
    // in use.
    for (UINT id : {ID_HELP_FINDER, ID_DEFAULT_HELP})
        MapCommand(id, [] { OpenHelpTopic(kHelpContentsPage); });
    for (UINT id : {ID_HELP, ID_CONTEXT_HELP})
        MapCommand(id, [this] { OpenHelpTopic(ActiveHelpTopic()); });
    MapCommand(ID_VISIT_WEB_SITE, [] { ReportNoWebSite(); });
    MapCommand(ID_PDF_READER, [] {
        if (const ShellOpenOutcome opened = OpenInBrowser(kPdfReaderPage); !opened)
            MessageBox(opened.failure, MB_OK | MB_ICONEXCLAMATION);
    });
    for (UINT id : {ID_TUTORIAL_1, ID_TUTORIAL_4, ID_TUTORIAL_5, ID_TUTORIAL_6, ID_TUTORIAL_9,
                    ID_TUTORIAL_10, ID_TUTORIAL_13, ID_TUTORIAL_15})
        MapCommand(id, [id] { OpenTutorialFile(id); });
}

std::string CMainFrame::ActiveHelpTopic() const
{
    std::string caption;
    std::string windowClass;
    // A dialog or property sheet over the frame (whose Help button sent the command) comes
    // first; else the active window's kind.
    if (CWnd* active = CWnd::GetActiveWindow(); active && active != this) {
        active->GetWindowText(caption);
        windowClass = active->GetRuntimeClass()->m_lpszClassName;
    }
    int kind = kSubViewNone;
    if (CMDIChildWnd* child = MDIGetActive())
        if (auto* view = dynamic_cast<CAvView*>(child->GetActiveView()))
            if (CSubView* pane = view->GetSubView())
                kind = pane->GetSubViewType();
    return HelpTopic(caption, kind, windowClass);
}

void CMainFrame::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
{
    if (popup && !sysMenu) {
        const IShellApp* app = GetShellApp();
        m_savedFiles.Fill(*popup, [app](SavedFileKind kind) {
            if (!app || !app->CanOpenSavedFile(kind))
                return false;
            CIndRec* individual = nullptr;
            CFamRec* family = nullptr;
            // A saved diagram is drawn for the selected individual.
            return kind != SavedFileKind::kDiagram ||
                   (app->GetSelectedIndividual(&individual, &family) && individual);
        });
    }
    CMDIFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
}

void CMainFrame::OnSavedFile(UINT id)
{
    SavedFileKind kind = SavedFileKind::kDiagram;
    std::string path;
    IShellApp* app = GetShellApp();
    if (app && m_savedFiles.FileForCommand(id, kind, path))
        app->OpenSavedFile(kind, path);
}
