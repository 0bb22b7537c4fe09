// tests/database/gedcom/user_defined_reload_test.cpp: the user-defined fields a file makes are
// hidden while another file is open and offered again when a later load uses them, whichever way
// the loader reaches them: a tag the table lacks, a value the table's field refuses, a line past
// its field's maximum, a structure's line with a value. The file in between is the torture file,
// which makes user-defined fields of its own.
#include "database/records/record_id_state.h"
#include "tests/database/gedcom/gedcom_test_support.h"

namespace gedcom_test {
namespace {

struct ReloadCase {
    const char* name;
    std::vector<std::string> lines; // the file's records
    int listIndex;                  // of the record holding the field
    const char* tag;                // the user-defined field's tag
};

void PrintTo(const ReloadCase& c, std::ostream* os)
{
    *os << c.name;
}

/// The user-defined field of tag under the first record of listIndex; null when none.
const CDataNode* UserDefinedField(int listIndex, std::string_view tag)
{
    const CDataNode* record = GetRecordTypeRoot(listIndex)->GetFirstChild();
    for (const CDataNode* child = record ? record->GetFirstChild() : nullptr; child;
         child = child->GetNextSibling()) {
        const CFieldDef* def = child->GetFieldDef();
        if (def->HasFlag(FDF_USER_DEFINED) && def->GetGedcomTag() == tag)
            return child;
    }
    return nullptr;
}

class UserDefinedReload : public CGedcomTest, public testing::WithParamInterface<ReloadCase> {
protected:
    std::string FileOf(const ReloadCase& c)
    {
        std::string text = CrLf({"0 HEAD", "1 SOUR TEST", "1 GEDC", "2 VERS 5.5",
                                 "2 FORM LINEAGE-LINKED", "1 CHAR UTF-8"});
        for (const std::string& line : c.lines)
            text += line + "\r\n";
        return File("own.ged", text + "0 TRLR\r\n");
    }
};

TEST_P(UserDefinedReload, AFieldUsedAgainIsShownAgain)
{
    const ReloadCase& c = GetParam();
    const std::string own = FileOf(c);
    ASSERT_TRUE(Load(own));
    const CDataNode* field = UserDefinedField(c.listIndex, c.tag);
    ASSERT_NE(field, nullptr) << "the line is kept in a user-defined field";
    const CFieldDef* def = field->GetFieldDef();
    EXPECT_FALSE(def->IsHidden());

    DeleteAllRecords();
    ASSERT_TRUE(Load(test_support::DataPath("gedcom/TGC551.ged")));
    EXPECT_TRUE(def->IsHidden()) << "the torture file does not use it";

    DeleteAllRecords();
    ASSERT_TRUE(Load(own));
    field = UserDefinedField(c.listIndex, c.tag);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->GetFieldDef(), def) << "the field made before is used again";
    EXPECT_FALSE(def->IsHidden());
}

INSTANTIATE_TEST_SUITE_P(
    Loads, UserDefinedReload,
    testing::Values(
        ReloadCase{"TagTheTableLacks", {"0 @I1@ INDI", "1 _MINE kept"}, RECORD_LIST_INDI, "_MINE"},
        ReloadCase{"EventWithAValue",
                   {"0 @I1@ INDI", "1 NAME A /B/", "1 EVEN Emigrated"},
                   RECORD_LIST_INDI,
                   "EVEN"},
        ReloadCase{"FamilyEventWithAValue", {"0 @F1@ FAM", "1 DIV N"}, RECORD_LIST_FAM, "DIV"},
        ReloadCase{"SecondHusbandAsText",
                   {"0 @I1@ INDI", "0 @F1@ FAM", "1 HUSB @I1@", "1 HUSB John"},
                   RECORD_LIST_FAM,
                   "HUSB"}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace gedcom_test
