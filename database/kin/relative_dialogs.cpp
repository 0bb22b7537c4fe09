// database/kin/relative_dialogs.cpp: the dialogs through which adding, linking and unlinking
// relatives asks the user to pick a record or a family, confirms a link and tells why one was
// refused; the window layer installs them, tests script them.
#include "database/kin/relative_dialogs.h"

#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/records/assoc_node.h"
#include "database/records/record_id_state.h"

namespace {

IRelativeDialogs* g_relativeDialogs = nullptr;

} // namespace

void SetRelativeDialogs(IRelativeDialogs* dialogs)
{
    g_relativeDialogs = dialogs;
}

IRelativeDialogs* GetRelativeDialogs()
{
    return g_relativeDialogs;
}

void InformUser(const std::string& message)
{
    if (IRelativeDialogs* dialogs = GetRelativeDialogs())
        dialogs->Inform(message);
}

bool ConfirmWithUser(const std::string& question)
{
    IRelativeDialogs* dialogs = GetRelativeDialogs();
    return dialogs && dialogs->Confirm(question);
}

int AskSexOf(const std::string& text)
{
    ISexQuestion* question = GetSexQuestion();
    const int answer = question ? question->AskSex(text) : -1;
    return answer == 0 || answer == 1 ? answer : -1;
}

bool SelectIndividual(const CRecordNode& holder, const CFamRec* family, std::string title,
                      int filterFieldId, bool filterOn, CIndRec*& chosen)
{
    chosen = nullptr;
    if (!g_relativeDialogs)
        return false;
    CRecordSelectRequest request;
    request.m_root = GetRecordTypeRoot(RECORD_LIST_INDI);
    request.m_family = family;
    request.m_filterFieldId = filterFieldId;
    request.m_filterOn = filterOn;
    request.m_holder = &holder;
    request.m_title = std::move(title);
    CRecordNode* selected = nullptr;
    if (!g_relativeDialogs->SelectRecord(request, selected))
        return false;
    chosen = AsIndividual(selected);
    return true;
}
