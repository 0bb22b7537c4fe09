// app/backup_restore.h: the Backup and Restore commands and the backup offered when the main
// window closes.
#pragma once

class CWnd;

/// Whether the Backup command can run: the open file has a path.
bool CanBackup();
/// The Backup command: a modified file is offered for saving first (Cancel stops; No backs up
/// the file as it stands on disk), then one backup is made.
void RunBackup(CWnd* owner);
/// Makes one backup of the open file under a name the user chooses: a zip archive for ".zip",
/// a plain copy for ".ged" or, after asking, for any other name. announce says whether success
/// is told. True on success; false on failure or when the user cancels.
bool DoBackup(bool announce, CWnd* owner);
/// The Restore command: the user picks a backup (zip or plain) and names the file to write,
/// which is then offered for opening (or, when it replaced the open file, loaded at once).
void RunRestore(CWnd* owner);
/// Asked when the main window closes, after the save question: when backups are to be offered
/// and the open file has a path and records besides its header, offers a backup and keeps the
/// user's "always prompt" choice. False when the user cancels the closing.
bool OfferBackupOnClose(CWnd* owner);
