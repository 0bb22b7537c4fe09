// queries/window/query_save.cpp: the query engine's file outcomes put to the user.
#include "queries/window/query_save.h"

#include "platform/base/prompt.h"
#include "queries/query_def.h"

#include <functional>

namespace {

/// Runs save, and again with the replacement accepted when the user answers its question Yes;
/// shows a refusal's message. Whether the save was done.
bool Settle(const std::function<QueryFileOutcome(bool replaceChanged)>& save)
{
    QueryFileOutcome outcome = save(false);
    if (outcome.replaceQuestion) {
        if (MessageBox(outcome.message, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
            return false;
        outcome = save(true);
    }
    if (!outcome && !outcome.message.empty())
        MessageBox(outcome.message, MB_ICONEXCLAMATION);
    return bool(outcome);
}

} // namespace

bool SaveQuery(CQueryDef& query, const std::string* newName, bool asCustom)
{
    return Settle(
        [&](bool replaceChanged) { return query.Save(newName, asCustom, replaceChanged); });
}

bool CommitQueryChange(CQueryDef& query)
{
    return Settle([&](bool replaceChanged) { return query.CommitChange(replaceChanged); });
}

bool DeleteQueryFile(CQueryDef& query)
{
    return Settle([&](bool) { return query.Delete(); });
}
