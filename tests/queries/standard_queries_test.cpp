// tests/queries/standard_queries_test.cpp: the standard queries supplied with the program: each
// loads from the folder beside the program as a read-only query, is written in the form the
// program writes, and finds what it should in royal92.ged with its questions answered.
#include "queries/query_def.h"

#include "common/preferences.h"
#include "common/registry_values.h"
#include "platform/base/paths.h"
#include "queries/expression.h"
#include "queries/query_eval.h"
#include "queries/query_filter.h"
#include "queries/typed_value.h"
#include "tests/database/gedcom/gedcom_test_support.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

/// royal92.ged has no notes and no sources: the queries on them also run on this file, where
/// I1's note and note record N1 hold "mill", and source S2 is cited by I1 while S1 is not.
constexpr const char* kNotesAndSources =
    "0 HEAD\n1 CHAR ASCII\n"
    "0 @I1@ INDI\n1 NAME Ann /Miller/\n1 NOTE Worked at the Mill\n"
    "1 SOUR @S2@\n"
    "0 @I2@ INDI\n1 NAME Ben /Miller/\n1 NOTE Farmer\n"
    "0 @N1@ NOTE Sold the mill in 1850\n"
    "0 @N2@ NOTE Farm accounts\n"
    "0 @S1@ SOUR\n1 TITL Parish register\n"
    "0 @S2@ SOUR\n1 TITL Census\n0 TRLR\n";

struct StandardQueryCase {
    const char* name;
    /// The answers to the query's parameters in the order of its rows, in the saved form of a
    /// value ("TEXT,..." or "DATE,...").
    std::vector<const char*> answers;
    std::size_t found;
    /// What it finds in kNotesAndSources with the same answers.
    std::size_t foundInNotesAndSources;
};

void PrintTo(const StandardQueryCase& c, std::ostream* out)
{
    *out << c.name;
}

const StandardQueryCase kStandardQueries[] = {
    {"Families married in a date range", {"DATE,\"31 DEC 1899\"", "DATE,\"31 DEC 1949\""}, 97, 0},
    {"Families without a marriage date", {}, 866, 0},
    {"Families without children", {}, 451, 0},
    {"Individuals born in a date range", {"DATE,\"31 DEC 1899\"", "DATE,\"31 DEC 1949\""}, 301, 0},
    {"Individuals born in a place", {"TEXT,\"London\""}, 66, 0},
    {"Individuals by surname", {"TEXT,\"windsor\""}, 29, 0},
    {"Individuals possibly living", {"DATE,\"1 JAN 1900\""}, 1285, 2},
    {"Individuals with a note containing a word", {"TEXT,\"mill\""}, 0, 1},
    {"Individuals without a birth date", {}, 1275, 2},
    {"Individuals without a family", {}, 3, 2},
    {"Individuals without parents", {}, 992, 2},
    {"Notes containing a word", {"TEXT,\"mill\""}, 0, 1},
    {"Sources never cited", {}, 0, 1},
};

std::string StandardQueryPath(const std::string& name)
{
    return paths::Join(ARDENVEL_TEST_STANDARD_QUERIES, name + ".avq");
}

class StandardQueriesTest : public gedcom_test::CGedcomTest,
                            public testing::WithParamInterface<StandardQueryCase> {
protected:
    void SetUp() override
    {
        CGedcomTest::SetUp();
        InstallExpressionEngine();
    }

    /// Loads the standard query as the program does and runs it on the file at path with the
    /// case's answers; the number of records found.
    std::size_t Run(const std::string& file)
    {
        const StandardQueryCase& c = GetParam();
        EXPECT_TRUE(Load(file));
        auto query = CQueryDef::Create();
        std::string error;
        const std::string path = StandardQueryPath(c.name);
        EXPECT_TRUE(query->Load(c.name, false, error, &path)) << error;
        EXPECT_TRUE(query->IsReadOnly());
        EXPECT_FALSE(query->IsCustom());
        EXPECT_GT(query->GetColumnCount(false), 0);
        std::size_t answered = 0;
        for (int i = 0; i < query->GetFilterCount(); ++i) {
            CAvFilter& filter = *query->GetFilter(i);
            if (!filter.IsParameter())
                continue;
            if (answered == c.answers.size()) {
                ADD_FAILURE() << "an unanswered question: " << filter.Describe();
                return 0;
            }
            CParameterPrompt prompt;
            CTypedValue answer;
            std::size_t position = 0;
            EXPECT_TRUE(filter.GetParameterPrompt(prompt) &&
                        answer.Parse(c.answers[answered++], position, prompt.m_context) &&
                        filter.SetParameter(answer))
                << filter.Describe();
        }
        EXPECT_EQ(answered, c.answers.size()) << "answers left over";
        EXPECT_TRUE(EvaluateQuery(*query));
        const std::size_t found = query->GetResult().GetCount();
        query.reset();
        DeleteAllRecords();
        return found;
    }
};

TEST_P(StandardQueriesTest, LoadsReadOnlyAndFindsWhatItAsks)
{
    EXPECT_EQ(Run(test_support::DataPath("gedcom/royal92.ged")), GetParam().found);
    EXPECT_EQ(Run(File("notes.ged", kNotesAndSources)), GetParam().foundInNotesAndSources)
        << "in a file of notes and sources";
}

TEST_P(StandardQueriesTest, IsWrittenAsTheProgramWritesIt)
{
    const std::string folder = test_support::NewFolder("queries");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, "", 0, KEY_ALL_ACCESS, nullptr,
                             &key, nullptr),
              ERROR_SUCCESS);
    RegSetString(key, "Queries Directory", "\"" + folder + "\"");
    RegCloseKey(key);
    const std::string name = GetParam().name;
    auto query = CQueryDef::Create();
    std::string error;
    const std::string path = StandardQueryPath(name);
    ASSERT_TRUE(query->Load(name, false, error, &path)) << error;
    ASSERT_TRUE(query->Save(&name, true));
    // Saved as the user's own query, the only line it loses is the read-only mark.
    std::string supplied = test_support::ReadFile(path);
    const std::string mark = "ATTR=READ_ONLY\r\n";
    ASSERT_NE(supplied.find(mark), std::string::npos);
    supplied.erase(supplied.find(mark), mark.size());
    EXPECT_EQ(test_support::ReadFile(paths::Join(folder, "Custom/" + name + ".avq")), supplied);
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    RegDeleteValue(key, "Queries Directory");
    RegCloseKey(key);
}

INSTANTIATE_TEST_SUITE_P(Supplied, StandardQueriesTest, testing::ValuesIn(kStandardQueries),
                         [](const testing::TestParamInfo<StandardQueryCase>& info) {
                             std::string name = info.param.name;
                             std::erase(name, ' ');
                             return name;
                         });

TEST(StandardQueriesFolderTest, EverySuppliedQueryHasItsCase)
{
    std::vector<std::string> names;
    for (const StandardQueryCase& c : kStandardQueries)
        names.push_back(std::string(c.name) + ".avq");
    EXPECT_EQ(paths::ListFolder(ARDENVEL_TEST_STANDARD_QUERIES, "*.avq"), names);
}

} // namespace
