// tests/queries/query_file_test.cpp: Query files: every key read and written, descriptions that
// survive any text, the failures a load reports, and saves that never lose the file that was there.
#include "queries/query_def.h"

#include "common/folder_settings.h"
#include "database/dictionary/qualifier_table.h"
#include "platform/base/safe_file.h"
#include "tests/queries/query_test_family.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class QueryFileTest : public CQueryFamilyTest {
protected:
    /// The file text a query saved under name has.
    std::string SavedText(CQueryDef& query, const std::string& name)
    {
        EXPECT_TRUE(query.Save(&name, true));
        return CustomFile(name);
    }
    /// A new custom query of individuals saved under name; null with the refusal in m_refusal.
    std::shared_ptr<CQueryDef> NewQuery(const std::string& name)
    {
        return NewCustomQuery(name, Rec("John")->GetFieldDef(), m_refusal);
    }

    std::string m_refusal;
};

constexpr const char* kFamilyOfTheRoot = R"x([Ardenvel Query]
VERSION=1.0
TYPE=INDI
DESC=
Descendants of a chosen person, with spouses
.
TITLE="Family of ""the root"""
SUBTITLE="%#x"
ORIENTATION=LANDSCAPE
MULTIPAGE_HANDLING=DOWN_FIRST
TAG="Name","INDI.NAME"
TAG="Dates","=LifeDates()",,ASC,80
FILTER=REL,ADD,IF,Y,"Person",DESC,ORG,SP,2
FILTER=LST,EXC,IF,N,"","Done"
)x";

TEST_F(QueryFileTest, HandWrittenFileLoadsSelectsAndSavesBackTheSameLines)
{
    const std::string withComments = std::string("; comments and blank lines may stand anywhere\r\n"
                                                 "\r\n") +
                                     kFamilyOfTheRoot + "; the end\n";
    auto query = LoadText(withComments, "family");
    ASSERT_TRUE(query);
    EXPECT_EQ(query->GetRecordType(), Rec("John")->GetFieldDef());
    EXPECT_EQ(query->GetDescription(), "Descendants of a chosen person, with spouses");
    EXPECT_EQ(query->Title().GetText(), "Family of \"the root\"");
    EXPECT_EQ(query->GetHeadingText(1), "%#x");
    EXPECT_EQ(query->GetOrientation(), QOR_LANDSCAPE);
    ASSERT_EQ(query->GetColumnCount(false), 2);
    EXPECT_EQ(query->GetColumn(1, false)->m_sort, QCS_ASCENDING);
    ASSERT_EQ(query->GetFilterCount(), 2);
    EXPECT_FALSE(query->IsNew());
    EXPECT_FALSE(query->IsReadOnly());

    CTypedValue john;
    john.SetRecord(Rec("John"));
    ASSERT_TRUE(query->GetFilter(0)->SetParameter(john));
    ASSERT_TRUE(EvaluateQuery(*query));
    EXPECT_EQ(Ids(query->GetResult().GetRecords()), "I4 I6 I1 I2 I3");
    query->SetInverted(true);
    ASSERT_TRUE(EvaluateQuery(*query));
    EXPECT_EQ(Ids(query->GetResult().GetRecords()), "I5 I7");

    const std::string name = "family";
    ASSERT_TRUE(query->Save(&name, false));
    EXPECT_EQ(CustomFile(name), kFamilyOfTheRoot);
}

TEST_F(QueryFileTest, DescriptionsReadBackExactly)
{
    const std::string piece(75, 'a');
    const std::string descriptions[] = {
        std::string(160, 'x'),
        "First paragraph\r\nSecond paragraph",
        "\r\nafter an empty paragraph\r\n",
        ".",
        "..",
        piece + ".",
        piece + "." + piece,
        ";not a comment\r\n\r\nstill here  ",
        std::string(74, 'e') + "\xc3\xa9" + "end",
    };
    int saved = 0;
    for (const std::string& description : descriptions) {
        auto query = CQueryDef::Create();
        query->SetDescription(description);
        const std::string name = "described " + std::to_string(++saved);
        SavedText(*query, name);
        auto again = CQueryDef::Create();
        std::string error;
        ASSERT_TRUE(again->Load(name, true, error)) << error;
        EXPECT_EQ(again->GetDescription(), description);
    }
}

TEST_F(QueryFileTest, LongParagraphsAreWrittenInPiecesOf75)
{
    auto query = CQueryDef::Create();
    query->SetDescription(std::string(160, 'x') + "\nnext");
    const std::string text = SavedText(*query, "pieces");
    EXPECT_NE(text.find("DESC=\n" + std::string(75, 'x') + "\n" + std::string(75, 'x') + "\n" +
                        std::string(10, 'x') + "\n.\nDESC=\nnext\n.\n"),
              std::string::npos)
        << text;
}

TEST_F(QueryFileTest, LoadFailuresSayWhy)
{
    const std::pair<const char*, const char*> cases[] = {
        {"[Ardenvel Query]\nTYPE=XYZ\n", "Invalid data in query - cannot load"},
        {"TYPE=INDI\n[Ardenvel Query]\n", "File is not a valid Ardenvel Query file"},
        {"", "File is not a valid Ardenvel Query file"},
    };
    for (const auto& [content, message] : cases) {
        test_support::WriteFile(m_folder + "/Custom/bad.avq", content);
        auto query = CQueryDef::Create();
        std::string error;
        EXPECT_FALSE(query->Load("bad", true, error)) << content;
        EXPECT_EQ(error, message) << content;
        EXPECT_EQ(query->GetFilterCount(), 0);
    }
    auto query = CQueryDef::Create();
    std::string error;
    EXPECT_FALSE(query->Load("missing", true, error));
    EXPECT_EQ(error, "Unable to open query 'missing'.");
}

TEST_F(QueryFileTest, AFolderOrAPipeNamedAsAQueryIsRefusedWithoutWaiting)
{
    ASSERT_TRUE(paths::MakeDirectories(m_folder + "/Custom/folder.avq"));
    const std::string pipe = test_support::MakePipe(m_folder + "/Custom/pipe.avq");
    for (const char* name : {"folder", "pipe"}) {
        auto query = CQueryDef::Create();
        std::string error;
        bool loaded = true;
        EXPECT_TRUE(test_support::ReturnsWithoutWaitingOnPipe(pipe, [&] {
            loaded = query->Load(name, true, error);
        })) << name;
        EXPECT_FALSE(loaded) << name;
        EXPECT_EQ(error, std::string("Unable to open query '") + name + "'.");
    }
}

TEST_F(QueryFileTest, KeysAreReadLeniently)
{
    auto query = LoadText("[ardenvel query]\n"
                          "version = 2.7\n"
                          "type=FAM\n"
                          "attr = READ_ONLY, please\n"
                          "TITLE=\"a \"\"b\"\"\" ignored\n"
                          "SUBTITLE=unquoted\n"
                          "orientation=portrait\n"
                          "MULTIPAGE_HANDLING=ACROSS_ONE_MAX\n"
                          "UNKNOWN=1\n"
                          "TAG no equals sign\n"
                          "TAG=\"h\",\"\"\n"
                          "TAG=\"h\",\"FAM.HUSB\",HIDE\n"
                          "TAG=\"w\" , \"FAM.WIFE\" , hidden , desc , 120\n"
                          "FILTER=GEN,ADD,IF,N,\"\",\"NOSUCH\",,\"null\"\n");
    ASSERT_TRUE(query);
    EXPECT_EQ(query->GetVersionMajor(), 2);
    EXPECT_EQ(query->GetVersionMinor(), 7);
    EXPECT_EQ(query->GetRecordType(), Rec("F1")->GetFieldDef());
    EXPECT_TRUE(query->IsReadOnly());
    EXPECT_EQ(query->Title().GetText(), "a \"b\"");
    EXPECT_EQ(query->Subtitle().GetText(), "");
    EXPECT_EQ(query->GetOrientation(), QOR_PORTRAIT);
    EXPECT_EQ(query->GetMultiPage(), QMP_ACROSS_ONE_MAX);
    ASSERT_EQ(query->GetColumnCount(false), 1);
    EXPECT_EQ(query->GetColumnCount(true), 0);
    const CQueryColumn* column = query->GetColumn(0, false);
    EXPECT_EQ(column->m_sort, QCS_DESCENDING);
    EXPECT_EQ(column->m_width, 120);
    EXPECT_EQ(query->GetFilterCount(), 0);
    ASSERT_TRUE(EvaluateQuery(*query));
    EXPECT_EQ(Ids(query->GetResult().GetRecords()), "F2 F1") << "by the wife, descending";
}

TEST_F(QueryFileTest, ColumnsWriteTheirExtraFieldsOnlyWhenNeeded)
{
    auto query = CQueryDef::Create();
    auto plain = std::make_unique<CQueryColumn>();
    plain->m_heading = "Name";
    ASSERT_TRUE(plain->m_ref.SetText("INDI.NAME"));
    auto hidden = std::make_unique<CQueryColumn>();
    hidden->m_heading = "Born \"when\"";
    ASSERT_TRUE(hidden->m_ref.SetText("INDI.BIRT.DATE:YEAR"));
    hidden->m_hidden = true;
    hidden->m_sort = QCS_DESCENDING;
    hidden->m_width = 120;
    auto wide = std::make_unique<CQueryColumn>();
    wide->m_heading = "Dates";
    ASSERT_TRUE(wide->m_ref.SetText("=LifeDates()"));
    wide->m_width = 0;
    query->AddColumn(std::move(plain));
    query->AddColumn(std::move(hidden));
    query->AddColumn(std::move(wide));
    const std::string text = SavedText(*query, "columns");
    EXPECT_NE(text.find("TAG=\"Name\",\"INDI.NAME\"\n"
                        "TAG=\"Born \"\"when\"\"\",\"INDI.BIRT.DATE:YEAR\",HIDDEN,DESC,120\n"
                        "TAG=\"Dates\",\"=LifeDates()\",,,0\n"),
              std::string::npos)
        << text;
}

TEST_F(QueryFileTest, EveryKindOfRowRoundTripsThroughAFile)
{
    const std::string rows =
        R"x(FILTER=GEN,ADD,IF,N,"","INDI.NAME:SURNAME",,"=",TEXT,"Smith"
FILTER=GEN,EXC,UNLESS,Y,"Born after","INDI.BIRT.DATE",,">",DATE,"1 JAN 1899"
FILTER=GEN,ADD,IF,N,"","INDI.SEX",,"=",ENUM,"M"
FILTER=GEN,ADD,IF,N,"","INDI.BIRT.DATE:MONTH_AND_DAY",,"<",MMDD,6/1
FILTER=GEN,ADD,IF,N,"","=ChildCount()",,">",NUMBER,1
FILTER=GEN,ADD,IF,N,"","=Name()",MC,"contains",TEXT,"Sm"
FILTER=GEN,ADD,UNLESS,N,"","INDI.DEAT",,"null"
FILTER=LST,EXC,IF,N,"","Done"
FILTER=REL,ADD,IF,Y,"Person",ANC,ORG,SP,3
FILTER=REL,EXC,UNLESS,N,"",SPOUSE,,
)x";
    auto query = LoadText("[Ardenvel Query]\nTYPE=INDI\n" + rows, "rows");
    ASSERT_TRUE(query);
    ASSERT_EQ(query->GetFilterCount(), 10);
    std::vector<std::string> descriptions;
    for (int i = 0; i < query->GetFilterCount(); ++i)
        descriptions.push_back(query->GetFilter(i)->Describe());

    const std::string text = SavedText(*query, "rows again");
    EXPECT_NE(text.find("MULTIPAGE_HANDLING=DOWN_FIRST\n" + rows), std::string::npos) << text;
    auto again = CQueryDef::Create();
    std::string error;
    ASSERT_TRUE(again->Load("rows again", true, error)) << error;
    ASSERT_EQ(again->GetFilterCount(), 10);
    for (int i = 0; i < again->GetFilterCount(); ++i)
        EXPECT_EQ(again->GetFilter(i)->Describe(), descriptions[std::size_t(i)]);
}

TEST_F(QueryFileTest, StandardQueriesAreReadOnlyAndSaveAsCustomWithoutTheMark)
{
    test_support::WriteFile(m_folder + "/Standard/supplied.avq",
                            "[Ardenvel Query]\nTYPE=INDI\nATTR=READ_ONLY\n");
    test_support::WriteFile(m_folder + "/Standard/plain.avq", "[Ardenvel Query]\nTYPE=INDI\n");
    std::string error;
    auto supplied = FindOrLoadQuery("supplied", false, error);
    auto plain = FindOrLoadQuery("plain", false, error);
    ASSERT_TRUE(supplied && plain);
    EXPECT_TRUE(supplied->IsReadOnly());
    EXPECT_TRUE(plain->IsReadOnly());
    EXPECT_FALSE(plain->IsCustom());
    EXPECT_FALSE(plain->Delete());
    EXPECT_EQ(FindOrLoadQuery("plain", false, error), plain);
    EXPECT_EQ(FindLoadedQuery("Plain", false), nullptr);

    const std::string name = "mine";
    ASSERT_TRUE(supplied->Save(&name, true));
    EXPECT_TRUE(supplied->IsCustom());
    EXPECT_FALSE(supplied->IsReadOnly());
    EXPECT_EQ(CustomFile(name).find("ATTR"), std::string::npos);
    EXPECT_TRUE(paths::Exists(m_folder + "/Standard/supplied.avq"));
}

TEST_F(QueryFileTest, AnEditedStandardQueryStaysInMemoryUntilSavedUnderANewName)
{
    const std::string supplied = "[Ardenvel Query]\nTYPE=INDI\n";
    test_support::WriteFile(m_folder + "/Standard/supplied.avq", supplied);
    std::string error;
    auto query = FindOrLoadQuery("supplied", false, error);
    ASSERT_TRUE(query) << error;
    query->SetDescription("edited");
    EXPECT_TRUE(query->CommitChange());
    EXPECT_TRUE(query->IsDirty());
    EXPECT_EQ(test_support::ReadFile(m_folder + "/Standard/supplied.avq"), supplied);
    EXPECT_TRUE(paths::ListFolder(m_folder + "/Custom", "*").empty());

    const std::string name = "edited copy";
    ASSERT_TRUE(query->Save(&name, true));
    EXPECT_FALSE(query->IsDirty());
    EXPECT_NE(CustomFile(name).find("DESC=\nedited\n.\n"), std::string::npos) << CustomFile(name);
}

TEST_F(QueryFileTest, WithoutAFolderSettingQueriesLiveInTheUsersDataFolder)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    RegDeleteValue(key, "Queries Directory");
    RegCloseKey(key);
    const std::string folder = paths::Join(paths::DataHome(), "ardenvel/Queries");
    EXPECT_EQ(GetQueriesFolder(), folder);
    EXPECT_EQ(BuildQueryFolderPath(false, false),
              paths::Join(paths::ProgramFolder(), "Queries/Standard"))
        << "the supplied queries are found beside the program";
    EXPECT_FALSE(paths::Exists(folder + "/Custom/first.avq"));
    ASSERT_TRUE(NewQuery("first"));
    EXPECT_TRUE(paths::IsFile(folder + "/Custom/first.avq")) << "the folders are made when needed";
    std::string error;
    EXPECT_TRUE(CQueryDef::Create()->Load("first", true, error)) << error;
    paths::RemoveFile(folder + "/Custom/first.avq");
}

TEST_F(QueryFileTest, NamesAlreadyTakenAreRefusedExceptForACaseChange)
{
    auto query = NewQuery("Mine");
    ASSERT_TRUE(query);
    EXPECT_FALSE(query->IsNew());
    EXPECT_EQ(CustomFile("Mine"), "[Ardenvel Query]\nVERSION=1.0\nTYPE=INDI\n"
                                  "TITLE=\"New Custom Query\"\nSUBTITLE=\"%#x\"\n"
                                  "ORIENTATION=LANDSCAPE\nMULTIPAGE_HANDLING=DOWN_FIRST\n"
                                  "TAG=\"Individual\",\"INDI\"\n");
    EXPECT_FALSE(NewQuery("Mine"));
    EXPECT_EQ(m_refusal, "A query with this name already exists.  Please choose another name.");

    const std::string sameName = "MINE";
    EXPECT_TRUE(query->Save(&sameName, false));
    EXPECT_EQ(query->GetName(), "MINE");
}

TEST_F(QueryFileTest, AFailedSaveKeepsTheOldFileAndSaysSo)
{
    auto query = NewQuery("kept");
    ASSERT_TRUE(query);
    const std::string before = CustomFile("kept");
    auto row = std::make_unique<CAvFilterGen>(query.get());
    ASSERT_TRUE(row->DataRef().SetText("INDI.NAME"));
    row->SetOperator(COND_EQUAL);
    CTypedValue value;
    value.SetText("line\nbreak");
    row->SetValue(value);
    query->AddFilter(std::move(row));

    EXPECT_EQ(query->CommitChange().message,
              "An error has occurred - cannot save changes to query");
    EXPECT_TRUE(query->IsDirty());
    EXPECT_EQ(CustomFile("kept"), before);
    EXPECT_EQ(paths::ListFolder(m_folder + "/Custom", "*").size(), 1u);

    ASSERT_TRUE(query->RemoveFilter(query->GetFilter(0)));
    // A file where the folder should be: no file can be made in it.
    const std::string custom = m_folder + "/Custom";
    std::filesystem::rename(custom, custom + ".away");
    test_support::WriteFile(custom, "");
    const std::string other = "other";
    const QueryFileOutcome saved = query->Save(&other, false);
    std::filesystem::remove(custom);
    std::filesystem::rename(custom + ".away", custom);
    EXPECT_FALSE(saved);
    EXPECT_EQ(saved.message, "Unable to save changes to query 'other'.");
    EXPECT_EQ(query->GetName(), "kept");
}

TEST_F(QueryFileTest, ANameWithASlashIsRefusedBeforeAnyFileIsWritten)
{
    auto query = NewQuery("kept");
    ASSERT_TRUE(query);
    const std::string refusal =
        "A query name cannot contain the character \"/\".  Please choose another name.";
    for (const std::string name : {"a/b", "../Standard/Mine", "/tmp/x", "trailing/", "\t/x"}) {
        EXPECT_EQ(query->Save(&name, true).message, refusal) << name;
        EXPECT_EQ(query->GetName(), "kept");
        EXPECT_FALSE(NewQuery(name)) << name;
        EXPECT_EQ(m_refusal, refusal);
    }
    EXPECT_FALSE(paths::Exists(m_folder + "/Standard/Mine.avq"));
    EXPECT_EQ(paths::ListFolder(m_folder + "/Custom", "*").size(), 1u);
    for (const std::string_view name : {"a\\b: *?", "..", " tab\there. "})
        EXPECT_EQ(QueryNameProblem(name), "") << "only a slash cannot stand in a file name";
}

TEST_F(QueryFileTest, ANameTooLongForAFileIsRefusedBeforeAnyFileIsTried)
{
    auto query = NewQuery("kept");
    ASSERT_TRUE(query);
    const std::string refusal =
        "This query name is too long to name a file.  Please choose a shorter name.";
    // The longest name that saves: its file name, and that of the file written beside it, fit.
    const std::string longest(CSafeFile::LongestFileName() - 4, 'k');
    const std::string tooLong = longest + "k";
    const std::string wide = std::string(120, 'x') + "\xc3\xa9"; // 120 letters and one of 2 bytes
    // Nothing else a query name may hold hides that it is too long.
    for (const std::string& name : {tooLong, std::string(300, 'k'), wide + wide,
                                    std::string(300, '.'), "\xff" + tooLong, "\t" + tooLong}) {
        EXPECT_EQ(query->Save(&name, true).message, refusal) << name.size();
        EXPECT_EQ(query->GetName(), "kept");
        EXPECT_FALSE(NewQuery(name));
        EXPECT_EQ(m_refusal, refusal);
    }
    EXPECT_EQ(paths::ListFolder(m_folder + "/Custom", "*").size(), 1u);

    EXPECT_TRUE(query->Save(&longest, true));
    EXPECT_EQ(query->GetName(), longest);
    EXPECT_TRUE(paths::IsFile(m_folder + "/Custom/" + longest + ".avq"));
    EXPECT_EQ(QueryNameProblem(wide), "");
}

TEST_F(QueryFileTest, AFileChangedOnDiskSinceItWasReadIsReplacedOnlyWhenTheUserSaysSo)
{
    auto query = LoadText(kFamilyOfTheRoot, "shared");
    ASSERT_TRUE(query);
    const std::string path = m_folder + "/Custom/shared.avq";
    // Another program (or another copy of this one) writes its own version meanwhile.
    const std::string theirs = std::string(kFamilyOfTheRoot) + "TAG=\"Theirs\",\"INDI.SEX\"\n";
    test_support::WriteFile(path + ".new", theirs);
    std::filesystem::rename(path + ".new", path);
    ASSERT_TRUE(query->RemoveFilter(query->GetFilter(1)));

    const QueryFileOutcome asked = query->CommitChange();
    EXPECT_FALSE(asked);
    EXPECT_TRUE(asked.replaceQuestion);
    EXPECT_TRUE(query->IsDirty());
    EXPECT_EQ(asked.message, "The query file " + path +
                                 " has been changed by another program since it was read.\n\n"
                                 "Do you want to replace it with this query?  If you answer "
                                 "No, the file is kept as it is and this change is not saved "
                                 "to it.");
    EXPECT_EQ(test_support::ReadFile(path), theirs);

    EXPECT_TRUE(query->CommitChange(true));
    EXPECT_FALSE(query->IsDirty());
    EXPECT_EQ(CustomFile("shared").find("Theirs"), std::string::npos);

    // Its own saves since do not count as changes.
    ASSERT_TRUE(query->RemoveFilter(query->GetFilter(0)));
    EXPECT_TRUE(query->CommitChange());
    // Nor does a file that is gone: there is nothing to lose.
    std::filesystem::remove(path);
    query->Title().SetText("Alone");
    EXPECT_TRUE(query->CommitChange());
    EXPECT_NE(CustomFile("shared").find("Alone"), std::string::npos);
}

} // namespace
