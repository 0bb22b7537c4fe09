// tests/queries/query_eval_test.cpp: Query evaluation: what hand-written queries select on a small
// family, sorting, parameters, change notices, and runs on the worker thread with cancels at any
// moment and faults handed to the thread that waits.
#include "database/nodes/change_hint.h"
#include "queries/query_eval.h"

#include "common/abort.h"
#include "database/dictionary/qualifier_table.h"
#include "queries/query_run.h"
#include "tests/queries/query_test_family.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <new>
#include <random>
#include <stdexcept>
#include <thread>

namespace {

struct SelectionCase {
    const char* name;
    const char* type;
    const char* filters;
    const char* found;
};

const SelectionCase kSelections[] = {
    {"NoRowFindsEveryRecordOfTheType", "INDI", "", "I1 I2 I3 I4 I5 I6 I7"},
    {"NoRowOverNotes", "NOTE", "", "N1"},
    {"SurnameWithoutRegardToCase", "INDI",
     R"x(FILTER=GEN,ADD,IF,N,"","INDI.NAME:SURNAME",,"=",TEXT,"smith")x", "I1 I3 I4 I6"},
    {"CaseSensitiveContains", "INDI",
     R"x(FILTER=GEN,ADD,IF,N,"","INDI.NAME",MC,"contains",TEXT,"smith")x", ""},
    {"UnlessNullFindsPresentFields", "INDI",
     R"x(FILTER=GEN,ADD,UNLESS,N,"","INDI.BIRT.DATE",,"null")x", "I1 I2 I3 I7"},
    {"BirthDateRange", "INDI",
     "FILTER=GEN,ADD,IF,N,\"\",\"INDI.BIRT.DATE\",,\">\",DATE,\"1 JAN 1899\"\n"
     "FILTER=GEN,EXC,IF,N,\"\",\"INDI.BIRT.DATE\",,\">\",DATE,\"31 DEC 1910\"\n",
     "I1 I2"},
    {"FirstRowExcludesFromEveryone", "INDI", R"x(FILTER=GEN,EXC,IF,N,"","INDI.SEX",,"=",ENUM,"M")x",
     "I2 I4 I5"},
    {"MonthAndDay", "INDI",
     R"x(FILTER=GEN,ADD,IF,N,"","INDI.BIRT.DATE:MONTH_AND_DAY",,"=",MMDD,1/1)x", "I1"},
    {"NumberOfNoValueIsNotZero", "NOTE",
     R"x(FILTER=GEN,ADD,IF,N,"","=ChildCount()",,"=",NUMBER,0)x", ""},
    {"NumberOfNoValueIsNull", "NOTE", R"x(FILTER=GEN,ADD,IF,N,"","=ChildCount()",,"null")x", "N1"},
    {"NumberComparison", "INDI", R"x(FILTER=GEN,ADD,IF,N,"","=ChildCount()",,">",NUMBER,1)x",
     "I1 I2"},
    {"TextExpression", "INDI", R"x(FILTER=GEN,ADD,IF,N,"","=Name()",,"contains",TEXT,"ANNE")x",
     "I4"},
    {"ListMembers", "INDI", R"x(FILTER=LST,ADD,IF,N,"","done")x", "I5"},
    {"MissingListUnless", "INDI", R"x(FILTER=LST,ADD,UNLESS,N,"","Nope")x", "I1 I2 I3 I4 I5 I6 I7"},
    {"MissingListIf", "INDI", R"x(FILTER=LST,ADD,IF,N,"","Nope")x", ""},
    {"RelativesOfAnEmptyResult", "INDI", R"x(FILTER=REL,ADD,IF,N,"",DESC,,)x", ""},
    {"AncestorsOfTheResult", "INDI",
     "FILTER=GEN,ADD,IF,N,\"\",\"INDI.NAME:SURNAME\",,\"=\",TEXT,\"Smith\"\n"
     "FILTER=REL,ADD,IF,N,\"\",ANC,,\n",
     "I1 I2 I3 I4 I5 I6"},
    {"ChildrenOnly", "INDI",
     "FILTER=GEN,ADD,IF,N,\"\",\"INDI.NAME\",,\"begins\",TEXT,\"John\"\n"
     "FILTER=REL,ADD,IF,N,\"\",DESC,,,1\n",
     "I1 I3 I4"},
    {"SpousesExcluded", "INDI", R"x(FILTER=REL,EXC,IF,N,"",SPOUSE,,)x", "I4 I6 I7"},
    {"NoFamilyIsARelative", "FAM", R"x(FILTER=REL,ADD,UNLESS,N,"",SPOUSE,,)x", "F1 F2"},
    {"ParameterWithoutPersonDoesNothing", "INDI", R"x(FILTER=REL,ADD,IF,Y,"P",DESC,ORG,)x", ""},
};

class QuerySelectionTest : public CQueryFamilyTest,
                           public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(QuerySelectionTest, FindsTheRecordsItsRowsDescribe)
{
    EXPECT_EQ(Select(GetParam().type, GetParam().filters), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(HandWrittenQueries, QuerySelectionTest, ::testing::ValuesIn(kSelections),
                         [](const auto& info) { return std::string(info.param.name); });

/// Answers the parameter dialog and remembers what the rows held when it was shown.
class CScriptedParameters final : public IQueryParameterDialog {
public:
    bool AskParameters(CQueryDef& query) override
    {
        ++m_shown;
        m_targets.clear();
        for (int i = 0; i < query.GetFilterCount(); ++i) {
            if (auto* rels = dynamic_cast<CAvFilterRels*>(query.GetFilter(i)))
                m_targets.push_back(rels->GetTarget());
        }
        return m_answer;
    }

    int m_shown = 0;
    bool m_answer = true;
    std::vector<CIndRec*> m_targets;
};

/// Compiles a heading into one data reference per "|"-separated part.
class CSplitHeadings final : public IHeadingCompiler {
    class CTemplate final : public IHeadingTemplate {
    public:
        std::vector<CDataRef*> GetFunctions() override
        {
            std::vector<CDataRef*> refs;
            for (CDataRef& ref : m_refs)
                refs.push_back(&ref);
            return refs;
        }
        std::string Render() override { return "rendered"; }
        void OnDataChanged(long) override {}
        std::vector<CDataRef> m_refs;
    };

public:
    std::unique_ptr<IHeadingTemplate> Compile(std::string_view text) override
    {
        auto compiled = std::make_unique<CTemplate>();
        for (std::size_t start = 0; start <= text.size();) {
            const std::size_t end = std::min(text.find('|', start), text.size());
            compiled->m_refs.emplace_back();
            compiled->m_refs.back().SetText(text.substr(start, end - start));
            start = end + 1;
        }
        return compiled;
    }
};

class QueryEvalTest : public CQueryFamilyTest {
protected:
    std::string Run(CQueryDef& query)
    {
        return EvaluateQuery(query) ? Ids(query.GetResult().GetRecords()) : "<failed>";
    }
    CScriptedParameters m_dialog;
};

TEST_F(QueryEvalTest, InvertingFindsEverythingElse)
{
    auto all = LoadText("[Ardenvel Query]\nTYPE=INDI\n");
    ASSERT_TRUE(all);
    all->SetInverted(true);
    EXPECT_EQ(Run(*all), "");
    auto smiths = LoadText("[Ardenvel Query]\nTYPE=INDI\n"
                           R"x(FILTER=GEN,ADD,IF,N,"","INDI.NAME:SURNAME",,"=",TEXT,"Smith")x");
    ASSERT_TRUE(smiths);
    smiths->SetInverted(true);
    EXPECT_EQ(Run(*smiths), "I2 I5 I7");
}

TEST_F(QueryEvalTest, SortedColumnsOrderTheResultAndTiesKeepFileOrder)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"x(TAG="Born","INDI.BIRT.DATE",,ASC,80)x", "I4 I5 I6 I7 I1 I2 I3"},
        {R"x(TAG="Born","INDI.BIRT.DATE",,DESC,80)x", "I3 I2 I1 I7 I4 I5 I6"},
        {"TAG=\"Surname\",\"INDI.NAME:SURNAME\",,ASC,80\n"
         "TAG=\"Hidden\",\"INDI.NAME\"\n"
         "TAG=\"Born\",\"INDI.BIRT.DATE\",HIDDEN,DESC,80\n",
         "I5 I7 I2 I3 I1 I4 I6"},
    };
    for (const auto& [columns, order] : cases) {
        auto query = LoadText(std::string("[Ardenvel Query]\nTYPE=INDI\n") + columns);
        ASSERT_TRUE(query);
        EXPECT_EQ(Run(*query), order) << columns;
    }
}

TEST_F(QueryEvalTest, ManyTiesKeepFileOrderInEverySortedColumn)
{
    // Sixty of one name, born in 1900, in 1850 or not at all in turn: far more equal keys than
    // a sort leaves to insertion, in either direction and behind another sorted column.
    std::vector<CRecordNode*> all, undated, older, younger;
    for (int i = 0; i < 60; ++i) {
        CIndRec* person = NewIndividual(SEX_MALE, "Ned /Doe/");
        if (i % 3 != 2)
            SetField(person->CreateChildByTag("BIRT"), "DATE", i % 3 == 0 ? "1900" : "1850");
        (i % 3 == 0 ? younger : i % 3 == 1 ? older : undated).push_back(person);
        all.push_back(person);
    }
    NotifyChanges();
    const auto ids = [](std::initializer_list<const std::vector<CRecordNode*>*> groups) {
        std::vector<CRecordNode*> records;
        for (const auto* group : groups)
            records.insert(records.end(), group->begin(), group->end());
        return Ids(records);
    };
    const std::pair<const char*, std::string> cases[] = {
        {R"x(TAG="Born","INDI.BIRT.DATE",,ASC,80)x", ids({&undated, &older, &younger})},
        {R"x(TAG="Born","INDI.BIRT.DATE",,DESC,80)x", ids({&younger, &older, &undated})},
        {R"x(TAG="Name","INDI.NAME",,DESC,80)x", ids({&all})},
        {"TAG=\"Surname\",\"INDI.NAME:SURNAME\",,ASC,80\n"
         "TAG=\"Born\",\"INDI.BIRT.DATE\",,DESC,80",
         ids({&younger, &older, &undated})},
    };
    for (const auto& [columns, order] : cases) {
        auto query =
            LoadText(std::string("[Ardenvel Query]\nTYPE=INDI\n"
                                 R"x(FILTER=GEN,ADD,IF,N,"","INDI.NAME:SURNAME",,"=",TEXT,"Doe")x"
                                 "\n") +
                     columns + "\n");
        ASSERT_TRUE(query);
        EXPECT_EQ(Run(*query), order) << columns;
    }
}

TEST_F(QueryEvalTest, ARecordGivenToTheRunIsBoundAndShownForConfirmation)
{
    SetQueryParameterDialog(&m_dialog);
    auto query = LoadText("[Ardenvel Query]\nTYPE=INDI\n"
                          "TAG=\"Number\",\"=AhnentafelNumber([\"\"Root\"\"],,1)\"\n"
                          R"x(FILTER=REL,ADD,IF,Y,"Person",DESC,ORG,)x");
    ASSERT_TRUE(query);
    EXPECT_TRUE(query->HasParameters(true));
    ASSERT_TRUE(RunQuery(*query, false, false, Rec("Peter")));
    EXPECT_EQ(m_dialog.m_shown, 1);
    ASSERT_EQ(m_dialog.m_targets.size(), 1u);
    EXPECT_EQ(m_dialog.m_targets[0], Rec("Peter"));
    EXPECT_FALSE(query->HasParameters(true));
    EXPECT_EQ(Ids(query->GetResult().GetRecords()), "I3 I6");

    // Only parameters without a value are asked for again, and there are none.
    ASSERT_TRUE(RunQuery(*query, true, false, nullptr));
    EXPECT_EQ(m_dialog.m_shown, 1);

    m_dialog.m_answer = false;
    EXPECT_FALSE(RunQuery(*query, false, false, nullptr));
    EXPECT_EQ(m_dialog.m_shown, 2);
    EXPECT_EQ(Ids(query->GetResult().GetRecords()), "I3 I6");
}

TEST_F(QueryEvalTest, TheDialogIsShownOnlyForQueriesWithParameters)
{
    auto plain = LoadText("[Ardenvel Query]\nTYPE=INDI\n", "plain");
    auto person = LoadText("[Ardenvel Query]\nTYPE=INDI\n"
                           R"x(FILTER=REL,ADD,IF,Y,"P",DESC,,)x",
                           "person");
    auto family = LoadText("[Ardenvel Query]\nTYPE=FAM\n"
                           R"x(FILTER=GEN,ADD,IF,Y,"Husband","FAM.HUSB",,"is")x",
                           "family");
    ASSERT_TRUE(plain && person && family);
    EXPECT_TRUE(RunQuery(*plain, false, false, Rec("John")));
    EXPECT_FALSE(RunQuery(*person, false, false, nullptr)) << "no dialog to ask with";
    SetQueryParameterDialog(&m_dialog);
    EXPECT_TRUE(RunQuery(*plain, false, false, Rec("John")));
    EXPECT_EQ(m_dialog.m_shown, 0);
    EXPECT_TRUE(RunQuery(*family, false, false, Rec("John")));
    EXPECT_EQ(m_dialog.m_shown, 1) << "a person is no husband's record type";
    EXPECT_TRUE(BindRecordParameters(*family, Rec("F1")));
}

TEST_F(QueryEvalTest, EveryExpressionCallOfAHeadingCanHoldAParameter)
{
    CSplitHeadings compiler;
    SetHeadingCompiler(&compiler);
    auto query = CQueryDef::Create();
    query->Title().SetText("=Name()|=AgeAt(,[\"At\"])");
    EXPECT_TRUE(query->HasParameters(false));
    EXPECT_EQ(query->GetHeadingText(0), "rendered");
    query->Title().SetText("=Name()|=Name()");
    EXPECT_FALSE(query->HasParameters(false));
    SetHeadingCompiler(nullptr);
}

/// Tells every query of each change notice, as the application's broadcast does.
class CQueryNotices final : public IDataObserver {
public:
    void OnDataChanged(CObject*, LPARAM hint, CObject*, bool) override
    {
        NotifyAllQueries(long(hint));
    }
};

TEST_F(QueryEvalTest, DeletedRecordsLeaveTheResultAndItsOrder)
{
    auto query = LoadText("[Ardenvel Query]\nTYPE=INDI\nTAG=\"Born\",\"INDI.BIRT.DATE\",,DESC,80\n"
                          R"x(FILTER=REL,ADD,IF,Y,"P",DESC,ORG,)x");
    ASSERT_TRUE(query);
    CTypedValue john;
    john.SetRecord(Rec("John"));
    ASSERT_TRUE(query->GetFilter(0)->SetParameter(john));
    EXPECT_EQ(Run(*query), "I3 I1 I4 I6");

    CQueryNotices notices;
    SetDataObserver(&notices);
    CRecordNode* peter = Rec("Peter");
    CDataNode::DeleteNode(peter);
    EXPECT_EQ(Ids(query->GetResult().GetRecords()), "I1 I4 I6");
    EXPECT_FALSE(query->GetResult().Contains(peter));

    CDataNode::DeleteNode(Rec("John"));
    EXPECT_EQ(Ids(query->GetResult().GetRecords()), "I4 I6");
    EXPECT_TRUE(query->GetFilter(0)->NeedsParameter());
    NotifyAllQueries(kHintDataSetClearing);
    EXPECT_TRUE(query->GetResult().IsEmpty());
    SetDataObserver(&m_observer);
}

/// The descendants of John, John included, found by a run of the row alone.
class QueryRelativesOrderTest : public QueryEvalTest {
protected:
    std::shared_ptr<CQueryDef> JohnsLine(const std::string& later = "")
    {
        auto query = LoadText("[Ardenvel Query]\nTYPE=INDI\n"
                              R"x(FILTER=REL,ADD,IF,Y,"P",DESC,ORG,)x"
                              "\n" +
                              later);
        CTypedValue john;
        john.SetRecord(Rec("John"));
        EXPECT_TRUE(query && query->GetFilter(0)->SetParameter(john));
        return query;
    }
};

TEST_F(QueryRelativesOrderTest, LaterRowsAndTheInversionSeeTheRelativesAsTheResult)
{
    auto alone = JohnsLine();
    EXPECT_EQ(Run(*alone), "I1 I3 I4 I6");
    alone->SetInverted(true);
    EXPECT_EQ(Run(*alone), "I2 I5 I7");
    auto added = JohnsLine(R"x(FILTER=GEN,ADD,IF,N,"","INDI.NAME:SURNAME",,"=",TEXT,"Green")x");
    EXPECT_EQ(Run(*added), "I1 I3 I4 I6 I7");
    auto taken = JohnsLine(R"x(FILTER=GEN,EXC,IF,N,"","INDI.NAME",,"begins",TEXT,"Peter")x");
    EXPECT_EQ(Run(*taken), "I1 I4 I6");
}

TEST_F(QueryRelativesOrderTest, ARenumberedRecordKeepsItsPlace)
{
    EXPECT_EQ(Run(*JohnsLine()), "I1 I3 I4 I6");
    Rec("Anne")->SetRecordNumber(9);
    EXPECT_EQ(Run(*JohnsLine()), "I1 I3 I9 I6");
}

TEST_F(QueryRelativesOrderTest, AMovedRecordKeepsItsPlace)
{
    Rec("Tom")->MoveTo(Rec("John")->GetParent(), Rec("John"), true);
    EXPECT_EQ(Run(*JohnsLine()), "I6 I1 I3 I4");
}

/// A row that signals when it reaches its first record and then holds the worker there until
/// the run is cancelled.
class CBlockingRow final : public CAvFilter {
public:
    CBlockingRow(const std::atomic<bool>& cancelled) : CAvFilter(nullptr), m_cancelled(cancelled) {}
    std::string Describe() const override { return "blocks"; }
    bool RefersTo(long) const override { return false; }
    bool Save(std::string&) const override { return false; }
    bool NeedsParameter() const override { return false; }
    bool GetParameterPrompt(CParameterPrompt&) const override { return false; }
    bool SetParameter(const CTypedValue&) override { return false; }

    void WaitUntilReached()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_reached; });
    }

protected:
    bool Matches(CRecordNode*) override
    {
        {
            const std::lock_guard lock(m_mutex);
            m_reached = true;
        }
        m_changed.notify_all();
        while (!m_cancelled.load())
            std::this_thread::yield();
        return true;
    }

private:
    const std::atomic<bool>& m_cancelled;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_reached = false;
};

TEST_F(QueryEvalTest, AWorkerRunFindsWhatADirectRunFinds)
{
    auto query = LoadText("[Ardenvel Query]\nTYPE=INDI\n"
                          R"x(FILTER=GEN,ADD,IF,N,"","INDI.NAME:SURNAME",,"=",TEXT,"Smith")x");
    ASSERT_TRUE(query);
    query->CancelledFlag().store(true); // left over from an earlier run
    CQueryRun run;
    ASSERT_TRUE(run.Start(query));
    EXPECT_FALSE(run.Start(query));
    EXPECT_EQ(run.Wait(), QRO_FOUND);
    EXPECT_TRUE(run.IsFinished());
    EXPECT_EQ(Ids(query->GetResult().GetRecords()), "I1 I3 I4 I6");
}

TEST_F(QueryEvalTest, ACancelStopsTheRowAndTheRunHoldsItsQuery)
{
    auto query = CQueryDef::Create();
    auto row = std::make_unique<CBlockingRow>(query->CancelledFlag());
    CBlockingRow* blocking = row.get();
    query->AddFilter(std::move(row));
    std::weak_ptr<CQueryDef> watch = query;
    CQueryRun run;
    ASSERT_TRUE(run.Start(query));
    blocking->WaitUntilReached();
    query.reset(); // the window lets go while the worker runs
    EXPECT_FALSE(watch.expired());
    EXPECT_FALSE(run.IsFinished());
    run.Cancel();
    EXPECT_EQ(run.Wait(), QRO_CANCELLED);
    EXPECT_EQ(Ids(run.GetQuery()->GetResult().GetRecords()), "I1");
}

TEST_F(QueryEvalTest, ACancelAtAnyMomentEndsTheRunWholeOrCancelled)
{
    auto query = LoadText("[Ardenvel Query]\nTYPE=INDI\nTAG=\"Born\",\"INDI.BIRT.DATE\",,ASC,80\n"
                          "FILTER=GEN,EXC,IF,N,\"\",\"INDI.SEX\",,\"=\",ENUM,\"F\"\n"
                          "FILTER=REL,ADD,IF,N,\"\",SPOUSE,,SP\n");
    ASSERT_TRUE(query);
    ASSERT_TRUE(EvaluateQuery(*query));
    const std::string whole = Ids(query->GetResult().GetRecords());
    std::mt19937 random(7);
    int cancelled = 0;
    for (int i = 0; i < 100; ++i) {
        CQueryRun run;
        ASSERT_TRUE(run.Start(query));
        // Every fourth cancel comes as the worker starts, long before it can be done.
        for (std::atomic<unsigned> spin = i % 4 == 0 ? 0 : random() % 20000; spin.load() > 0;)
            spin.fetch_sub(1);
        run.Cancel();
        const QueryRunOutcome outcome = run.Wait();
        ASSERT_TRUE(outcome == QRO_FOUND || outcome == QRO_CANCELLED);
        if (outcome == QRO_FOUND)
            EXPECT_EQ(Ids(query->GetResult().GetRecords()), whole);
        else
            ++cancelled;
    }
    // A run that ignored the cancel would end whole every time.
    EXPECT_GT(cancelled, 0);
}

/// A row that throws what the test gives it at its first record.
class CThrowingRow final : public CAvFilter {
public:
    explicit CThrowingRow(std::function<void()> raise)
        : CAvFilter(nullptr), m_raise(std::move(raise))
    {
    }
    std::string Describe() const override { return "throws"; }
    bool RefersTo(long) const override { return false; }
    bool Save(std::string&) const override { return false; }
    bool NeedsParameter() const override { return false; }
    bool GetParameterPrompt(CParameterPrompt&) const override { return false; }
    bool SetParameter(const CTypedValue&) override { return false; }

protected:
    bool Matches(CRecordNode*) override
    {
        m_raise();
        return true;
    }

private:
    std::function<void()> m_raise;
};

TEST_F(QueryEvalTest, AFaultOnTheWorkerIsThrownOnByWaitWhileAnAbandonedRunFails)
{
    struct Case {
        const char* name;
        std::function<void()> raise;
        const char* fault; // null: the run fails with no fault
    };
    const Case cases[] = {
        {"abort", [] { ThrowAbort(); }, nullptr},
        {"out of memory", [] { throw std::bad_alloc(); }, nullptr},
        {"logic error", [] { throw std::logic_error("row 9 of 2"); }, "row 9 of 2"},
    };
    for (const Case& c : cases) {
        auto query = LoadText("[Ardenvel Query]\nTYPE=INDI\n");
        ASSERT_TRUE(query);
        query->AddFilter(std::make_unique<CThrowingRow>(c.raise));
        CQueryRun run;
        std::atomic<bool> woken = false;
        ASSERT_TRUE(run.Start(query, [&woken] { woken.store(true); })) << c.name;
        std::string thrown;
        QueryRunOutcome outcome = QRO_RUNNING;
        try {
            outcome = run.Wait();
        } catch (const std::logic_error& fault) {
            thrown = fault.what();
        }
        EXPECT_EQ(thrown, c.fault ? c.fault : "") << c.name;
        EXPECT_EQ(outcome, c.fault ? QRO_RUNNING : QRO_FAILED) << c.name;
        // The waiting loop is woken however the run ended, and the fault is handed over once.
        EXPECT_TRUE(woken.load()) << c.name;
        EXPECT_TRUE(run.IsFinished()) << c.name;
        EXPECT_EQ(run.Wait(), QRO_FAILED) << c.name;
    }
}

} // namespace
