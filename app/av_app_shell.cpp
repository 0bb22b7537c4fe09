// app/av_app_shell.cpp: the application's commands of the user manual and the web pages, and the
// backup it offers as the main window closes.
#include "app/av_app.h"

#include "app/backup_restore.h"
#include "app/shell/app_ids.h"
#include "app/shell/help_commands.h"

void CAvApp::MapHelpCommands()
{
    MapCommand(ID_USER_MANUAL, [] { OpenUserManual(); });
    MapCommand(ID_WEB_PAGES, [] { ReportNoWebSite(); });
}

bool CAvApp::OfferBackupOnClose(CWnd* owner)
{
    return ::OfferBackupOnClose(owner);
}
