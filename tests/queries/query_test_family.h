// tests/queries/query_test_family.h: the expression tests' family with one unrelated man, a
// named list, a private queries folder and helpers that load, run and save query files.
#pragma once

#include "common/preferences.h"
#include "common/registry_values.h"
#include "platform/base/paths.h"
#include "queries/named_list.h"
#include "queries/query_def.h"
#include "queries/query_eval.h"
#include "tests/queries/expression_test_family.h"

#include <memory>
#include <string>
#include <vector>

/// John Smith (I1, born 1 JAN 1900) and Mary Jones (I2, 1902), parents of Peter (I3, 1925) and
/// Anne (I4); Peter and Sue Brown (I5), parents of Tom (I6); Carl Green (I7, 1880), unrelated.
/// The named list "Done" holds Sue. Queries live in a fresh folder with "Standard" and
/// "Custom" inside.
class CQueryFamilyTest : public CExpressionFamilyTest {
protected:
    void SetUp() override
    {
        CExpressionFamilyTest::SetUp();
        InstallExpressionEngine();
        CIndRec* carl = NewIndividual(SEX_MALE, "Carl /Green/");
        SetField(carl->CreateChildByTag("BIRT"), "DATE", "1880");
        m_records["Carl"] = carl;
        AddToNamedList(GetNamedList("Done", false), Rec("Sue"), false, true);
        NotifyChanges();
        m_folder = test_support::NewFolder("queries");
        ASSERT_TRUE(paths::MakeDirectories(m_folder + "/Standard"));
        ASSERT_TRUE(paths::MakeDirectories(m_folder + "/Custom"));
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, "", 0, KEY_ALL_ACCESS, nullptr,
                                 &key, nullptr),
                  ERROR_SUCCESS);
        RegSetString(key, "Queries Directory", "\"" + m_folder + "\"");
        RegCloseKey(key);
    }

    void TearDown() override
    {
        SetQueryParameterDialog(nullptr);
        ClearNamedLists(true);
        CExpressionFamilyTest::TearDown();
    }

    /// The record ids of records, separated by blanks.
    static std::string Ids(const std::vector<CRecordNode*>& records)
    {
        std::string ids;
        for (const CRecordNode* record : records)
            ids += (ids.empty() ? "" : " ") + record->GetIdText();
        return ids;
    }

    /// Writes content as the custom query name and loads it; null (failing the test) when it
    /// does not load.
    std::shared_ptr<CQueryDef> LoadText(const std::string& content, const std::string& name = "q")
    {
        test_support::WriteFile(m_folder + "/Custom/" + name + ".avq", content);
        auto query = CQueryDef::Create();
        std::string error;
        EXPECT_TRUE(query->Load(name, true, error)) << error;
        return error.empty() ? query : nullptr;
    }

    /// The ids a query of that record type and those filter lines finds.
    std::string Select(const std::string& type, const std::string& filters)
    {
        auto query = LoadText("[Ardenvel Query]\nTYPE=" + type + "\n" + filters);
        if (!query)
            return "<not loaded>";
        return EvaluateQuery(*query) ? Ids(query->GetResult().GetRecords()) : "<failed>";
    }

    /// The custom query file's text with its line ends (carriage return and line feed, which
    /// each line must have) as line feeds.
    std::string CustomFile(const std::string& name) const
    {
        const std::string bytes = test_support::ReadFile(m_folder + "/Custom/" + name + ".avq");
        std::string text;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
                return "<a line without its carriage return>";
            if (bytes[i] != '\r' || i + 1 >= bytes.size() || bytes[i + 1] != '\n')
                text += bytes[i];
        }
        return text;
    }

    std::string m_folder;
};
