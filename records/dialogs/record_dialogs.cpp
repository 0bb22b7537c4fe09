// records/dialogs/record_dialogs.cpp: the record dialogs behind the database's questions.
#include "records/dialogs/record_dialogs.h"

#include "records/dialogs/ask_sex_dlg.h"
#include "records/dialogs/select_family_dlg.h"
#include "records/dialogs/select_record_dlg.h"

#include "database/kin/relative_dialogs.h"
#include "database/records/assoc_node.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/ui/windows/app.h"

namespace {

class CRecordDialogs final : public IRelativeDialogs, public ISexQuestion {
public:
    bool SelectRecord(const CRecordSelectRequest& request, CRecordNode*& selected) override
    {
        CSelectRecordDlg dialog(AfxGetMainWnd());
        dialog.m_root = const_cast<CDataNode*>(request.m_root);
        dialog.m_context = request.m_holder;
        // A record is never its own relative: the record that will hold the link, when it is
        // among those offered, cannot be chosen (an individual as its own parent or child).
        if (request.m_holder && request.m_holder->GetParent() == request.m_root)
            dialog.m_excluded = request.m_holder;
        dialog.m_linkFieldId = request.m_filterFieldId;
        dialog.m_offerLinkFilter = request.m_filterOn;
        dialog.m_title = request.m_title;
        if (dialog.DoModal() != IDOK)
            return false;
        selected = dialog.m_selected;
        return true;
    }
    bool ChooseFamily(int mode, CIndRec* subject, CIndRec* other, CFamilyChoice& choice) override
    {
        CSelectFamilyDlg dialog(AfxGetMainWnd());
        dialog.m_mode = mode;
        dialog.m_a = subject;
        dialog.m_b = other;
        if (dialog.DoModal() != IDOK)
            return false;
        choice.m_useSelected = dialog.m_useListed;
        choice.m_family = dialog.m_useListed ? dialog.m_chosen : nullptr;
        return true;
    }
    RecordListAnswer ChooseFromList(const std::string& title,
                                    const std::vector<CRecordNode*>& records,
                                    CRecordNode*& selected) override
    {
        CSelectRecordListDlg dialog(AfxGetMainWnd());
        dialog.m_title = title;
        dialog.m_rows = records;
        if (dialog.DoModal() != IDOK)
            return RLA_CANCEL;
        selected = dialog.m_selected;
        return RLA_OK;
    }
    void Inform(const std::string& message) override { MessageBox(message, MB_OK); }
    bool Confirm(const std::string& question) override
    {
        return MessageBox(question, MB_YESNO) == IDYES;
    }
    int AskSex(const std::string& individualText) override
    {
        CAskSexDlg dialog(AfxGetMainWnd());
        dialog.m_phrase = individualText;
        return dialog.DoModal() == IDOK && dialog.m_result <= 1 ? dialog.m_result : -1;
    }
};

} // namespace

void InstallRecordDialogs()
{
    static CRecordDialogs dialogs;
    SetRelativeDialogs(&dialogs);
    SetSexQuestion(&dialogs);
}

void UninstallRecordDialogs()
{
    SetSexQuestion(nullptr);
    SetRelativeDialogs(nullptr);
}
