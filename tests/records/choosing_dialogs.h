// tests/records/choosing_dialogs.h: the record-selection dialog answered from the test, with
// what it was asked.
#pragma once

#include "database/kin/relative_dialogs.h"
#include "platform/base/prompt.h"

namespace records_test {

/// Answers the record-selection dialog with m_answer, or cancels it when that is null; the
/// other dialogs cancel.
class CChoosingDialogs final : public IRelativeDialogs {
public:
    bool SelectRecord(const CRecordSelectRequest& request, CRecordNode*& selected) override
    {
        ++m_asked;
        m_root = request.m_root;
        selected = m_answer;
        return m_answer != nullptr;
    }
    bool ChooseFamily(int, CIndRec*, CIndRec*, CFamilyChoice&) override { return false; }
    RecordListAnswer ChooseFromList(const std::string&, const std::vector<CRecordNode*>&,
                                    CRecordNode*&) override
    {
        return RLA_CANCEL;
    }
    void Inform(const std::string& message) override { MessageBox(message, MB_OK); }
    bool Confirm(const std::string& question) override
    {
        return MessageBox(question, MB_YESNO) == IDYES;
    }

    CRecordNode* m_answer = nullptr;
    const CDataNode* m_root = nullptr;
    int m_asked = 0;
};

} // namespace records_test
