// app/shell/load_notices.h: the message boxes in which a load tells the user what it met, and the
// opening of its exception report on the desktop.
#pragma once

/// From start-up: every load (an opened file, the second file of a merge) tells through
/// message boxes: an OK box, or a Yes/No question, then the exception report opened on the
/// desktop where the load asks for it (an exclamation box names it when nothing opens it).
void InstallLoadNotices();
/// At exit: loads tell nothing again.
void UninstallLoadNotices();
