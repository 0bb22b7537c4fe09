// tests/database/kin/ind_rec_test_support.h: small families built through the node operations, and
// scripted answers for the dialogs that adding and linking relatives opens.
#pragma once

#include "common/preferences.h"
#include "database/dates/date_node.h"
#include "database/kin/relative_dialogs.h"
#include "tests/database/records/record_test_support.h"

#include <deque>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ind_test {

/// Pops the next queued answer; an empty queue fails the test and gives fallback.
template <class T> T Next(std::deque<T>& queue, const T& fallback, const std::string& what)
{
    if (queue.empty()) {
        ADD_FAILURE() << "unexpected dialog: " << what;
        return fallback;
    }
    T answer = queue.front();
    queue.pop_front();
    return answer;
}

/// Answers the dialogs from queues and records what each was asked.
class CScriptedDialogs final : public IRelativeDialogs, public ISexQuestion {
public:
    bool SelectRecord(const CRecordSelectRequest& request, CRecordNode*& selected) override
    {
        m_selectRequests.push_back(request);
        const auto answer = Next(m_selections, {}, request.m_title);
        selected = answer.value_or(nullptr);
        return answer.has_value();
    }
    bool ChooseFamily(int mode, CIndRec* subject, CIndRec*, CFamilyChoice& choice) override
    {
        m_familyModes.push_back(mode);
        m_familySubjects.push_back(subject);
        const auto answer = Next(m_families, {}, "family choice");
        choice = answer.value_or(CFamilyChoice{});
        return answer.has_value();
    }
    RecordListAnswer ChooseFromList(const std::string& title,
                                    const std::vector<CRecordNode*>& records,
                                    CRecordNode*& selected) override
    {
        m_listTitles.push_back(title);
        m_listRows = records;
        const auto [answer, record] = Next(m_lists, {RLA_CANCEL, nullptr}, title);
        selected = record;
        return answer;
    }
    /// Shown as the window shows it, so that the prompt script sees it.
    void Inform(const std::string& message) override { MessageBox(message, MB_OK); }
    bool Confirm(const std::string& question) override
    {
        return MessageBox(question, MB_YESNO) == IDYES;
    }
    int AskSex(const std::string& individualText) override
    {
        m_sexAsked.push_back(individualText);
        return Next(m_sexes, -1, "sex of " + individualText);
    }

    bool AllAnswered() const
    {
        return m_selections.empty() && m_families.empty() && m_lists.empty() && m_sexes.empty();
    }

    // Queued answers: a record or nullopt (Cancel); a choice or nullopt (Cancel); a list
    // answer with its record; 0, 1 or -1 (Cancel).
    std::deque<std::optional<CRecordNode*>> m_selections;
    std::deque<std::optional<CFamilyChoice>> m_families;
    std::deque<std::pair<RecordListAnswer, CRecordNode*>> m_lists;
    std::deque<int> m_sexes;

    std::vector<CRecordSelectRequest> m_selectRequests;
    std::vector<int> m_familyModes;
    std::vector<CIndRec*> m_familySubjects;
    std::vector<std::string> m_listTitles;
    std::vector<CRecordNode*> m_listRows;
    std::vector<std::string> m_sexAsked;
};

/// The record fixture with the scripted dialogs installed and the preferences these tests
/// read set to known values (restored afterwards). Ends with NotifyChanges, so that what the
/// test deleted is freed.
class CIndRecTest : public record_test::CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        m_savedPrefs = Prefs();
        Prefs().m_surnamesInUpperCase = false;
        Prefs().m_stdLifeInYears = 50;
        Prefs().m_autoAddSurnames = true;
        Prefs().m_autoCleanupFamilies = true;
        SetRelativeDialogs(&m_dialogs);
        SetSexQuestion(&m_dialogs);
    }
    void TearDown() override
    {
        NotifyChanges();
        EXPECT_TRUE(m_dialogs.AllAnswered()) << "answers left unused";
        SetRelativeDialogs(nullptr);
        SetSexQuestion(nullptr);
        Prefs() = m_savedPrefs;
        CRecordTest::TearDown();
    }

    CIndRec* Person(int sex, std::string_view name, std::string_view born = {})
    {
        CIndRec* person = NewIndividual(sex, name);
        if (!born.empty())
            Event(person, "BIRT", born);
        return person;
    }
    /// A new event of tag under holder with its DATE.
    CDataNode* Event(CDataNode* holder, std::string_view tag, std::string_view date)
    {
        CDataNode* event = holder->CreateChildByTag(tag);
        EXPECT_NE(event, nullptr) << tag;
        if (event && !date.empty())
            SetField(event, "DATE", date);
        return event;
    }
    /// The FAMS (FAMC) targets of an individual in link order, empty links as null.
    static std::vector<CRecordNode*> Links(const CIndRec* person, int fieldId)
    {
        std::vector<CRecordNode*> targets;
        for (const CDataNode* link = person->FindChild(nullptr, fieldId); link;
             link = person->FindChild(link, fieldId))
            targets.push_back(link->GetLinkTarget());
        return targets;
    }
    static int CountRecords(int listIndex)
    {
        int count = 0;
        for (const CDataNode* record = GetRecordTypeRoot(listIndex)->GetFirstChild(); record;
             record = record->GetNextSibling())
            count += !record->IsPendingDeletion();
        return count;
    }
    static std::string TextOf(const CRecordNode* record)
    {
        std::string text;
        record->GetText(text, 0);
        return text;
    }
    /// The texts of the message boxes shown since the last call.
    static std::vector<std::string> Messages()
    {
        return test_support::TextsOf(test_support::Prompt().TakeMessages());
    }

    CScriptedDialogs m_dialogs;

private:
    Preferences m_savedPrefs;
};

/// The suite name of the individual-record tests.
using IndRecTest = CIndRecTest;

} // namespace ind_test
