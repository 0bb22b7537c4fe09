// records/dialogs/record_dialogs.h: installs the record dialogs as the database's way to ask
// the user for a record, a family or a sex.
#pragma once

/// From start-up: the select-record, family-choice and record-list dialogs answer the
/// database's IRelativeDialogs, and the ask-sex dialog its ISexQuestion.
void InstallRecordDialogs();
/// At exit: the database is left without dialogs again.
void UninstallRecordDialogs();
