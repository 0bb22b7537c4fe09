// queries/window/query_save.h: a query's file saved or removed with the user told: the question
// about a file another program changed is asked first, and a refusal is shown as a warning.
#pragma once

#include <string>

class CQueryDef;

/// CQueryDef::Save, asking whether to replace a file changed by another program; whether the
/// query was saved.
bool SaveQuery(CQueryDef& query, const std::string* newName, bool asCustom);
/// CQueryDef::CommitChange, asking and telling the same way; whether the change was kept.
bool CommitQueryChange(CQueryDef& query);
/// CQueryDef::Delete, telling why the file could not be removed; whether it was.
bool DeleteQueryFile(CQueryDef& query);
