// tests/database/fields/enum_node_test.cpp: Tests of enumerated fields (SEX and the like), format
// fields of multimedia objects and the picture format codes.
#include "tests/database/fields/text_field_test_support.h"

#include "database/dictionary/qualifier_table.h"
#include "database/fields/enum_edit_node.h"
#include "database/fields/sex_node.h"
#include "database/multimedia/format_node.h"
#include "database/multimedia/media_format_holder.h"
#include "database/multimedia/picture_format.h"
#include "database/nodes/complex_node.h"

namespace text_field_test {
namespace {

struct EnumCase {
    const char* name;
    const char* gedcom;
    int index;
    const char* display;
    const char* written;
};

class EnumRoundTripTest : public CTextFieldTest, public ::testing::WithParamInterface<EnumCase> {};

TEST_P(EnumRoundTripTest, KeepsEveryValueTheFileHolds)
{
    const EnumCase& c = GetParam();
    auto* sex = NewField<CSexNode>("INDI.SEX");
    ASSERT_NE(sex, nullptr);
    EXPECT_TRUE(sex->SetText(c.gedcom));
    EXPECT_EQ(sex->GetValueIndex(), c.index);
    EXPECT_EQ(sex->MatchEnum(QUAL_NONE, COND_EQUAL, c.index), true);
    std::string text;
    sex->GetText(text, 0);
    EXPECT_EQ(text, c.display);
    EXPECT_EQ(WrittenLines(*sex, 1), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EnumRoundTripTest,
    ::testing::Values(EnumCase{"Male", "M", 0, "Male", "1 SEX M\r\n"},
                      EnumCase{"Female", "F", 1, "Female", "1 SEX F\r\n"},
                      EnumCase{"Unknown", "U", 2, "Unknown", "1 SEX U\r\n"},
                      EnumCase{"UnlistedKept", "X", -1, "X", "1 SEX X\r\n"},
                      EnumCase{"OtherCaseKept", "m", -1, "m", "1 SEX m\r\n"},
                      EnumCase{"LongUnlistedKept", "NEUTER", -1, "NEUTER", "1 SEX NEUTER\r\n"},
                      EnumCase{"AtsRoundTrip", "a@@b", -1, "a@b", "1 SEX a@@b\r\n"},
                      EnumCase{"Empty", "", -1, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

using EnumNodeTest = CTextFieldTest;

TEST_F(EnumNodeTest, ControlSelectsTheEntryAndTakesTheChoice)
{
    CRecordNode* person = NewRecord("INDI");
    auto* sex = static_cast<CSexNode*>(person->AddTextChild(FIELD_SEX, "M"));
    m_control.m_count = 3;
    ASSERT_EQ(sex->ShowInControl(nullptr, RECT{}, nullptr, 0, 0, 0), m_control.Handle());
    EXPECT_EQ(m_control.m_class, "CDataCtlSex");
    EXPECT_EQ(m_control.m_curSel, 0);
    EXPECT_TRUE(m_control.m_shown);
    m_control.m_curSel = 1;
    EXPECT_TRUE(sex->UpdateFromControl(m_control.Handle(), true, true));
    EXPECT_EQ(sex->GetKey(), "F");
    EXPECT_EQ(m_observer.m_notices, 1);
    sex->SetText("X");
    sex->UpdateFromControl(m_control.Handle(), false, false);
    EXPECT_EQ(m_control.m_curSel, -1) << "an unlisted value selects nothing";
    EXPECT_TRUE(sex->UpdateFromControl(m_control.Handle(), true, true));
    EXPECT_EQ(sex->GetKey(), "X") << "and is kept while nothing is chosen";
    m_control.m_readable = false;
    EXPECT_FALSE(sex->UpdateFromControl(m_control.Handle(), true, true));
}

TEST_F(EnumNodeTest, EditableChoiceKeepsAListedEntryAsItsKeyAndShowsItsWords)
{
    auto* restriction = NewField<CEnumEditNode>("INDI.RESN");
    ASSERT_NE(restriction, nullptr);
    m_control.m_text = "Privacy";
    EXPECT_TRUE(restriction->UpdateFromControl(m_control.Handle(), true, true));
    EXPECT_EQ(restriction->GetValue(), "privacy");
    EXPECT_EQ(WrittenLines(*restriction, 1), "1 RESN privacy\r\n");
    std::string text;
    restriction->GetText(text, 0);
    EXPECT_EQ(text, "Privacy");
    m_control.m_text.clear();
    restriction->UpdateFromControl(m_control.Handle(), false, false);
    EXPECT_EQ(m_control.m_text, "Privacy");

    restriction->SetText("sealed");
    restriction->UpdateFromControl(m_control.Handle(), false, false);
    EXPECT_EQ(m_control.m_text, "sealed") << "text of no entry shows as it stands";
    EXPECT_TRUE(restriction->UpdateFromControl(m_control.Handle(), true, true));
    EXPECT_EQ(WrittenLines(*restriction, 1), "1 RESN sealed\r\n");
}

TEST_F(EnumNodeTest, EditableChoiceMatchesAQueryForItsEntryByKeyOrWords)
{
    auto* restriction = NewField<CEnumEditNode>("INDI.RESN");
    ASSERT_NE(restriction, nullptr);
    const CFieldDef* def = restriction->GetFieldDef();
    const int privacy = def->FindEnumValue("privacy", false);
    const int locked = def->FindEnumValue("locked", false);
    ASSERT_GE(privacy, 0);
    ASSERT_GE(locked, 0);
    restriction->SetText("privacy");
    EXPECT_TRUE(restriction->MatchEnum(QUAL_NONE, COND_EQUAL, privacy));
    EXPECT_FALSE(restriction->MatchEnum(QUAL_NONE, COND_EQUAL, locked));
    EXPECT_FALSE(restriction->MatchEnum(QUAL_NONE, COND_GREATER, privacy));
    EXPECT_FALSE(restriction->MatchEnum(QUAL_NONE, COND_EQUAL, 99));
    restriction->SetText("Privacy"); // the words, as older saves held them
    EXPECT_TRUE(restriction->MatchEnum(QUAL_NONE, COND_EQUAL, privacy));
    restriction->SetText("secret");
    EXPECT_FALSE(restriction->MatchEnum(QUAL_NONE, COND_EQUAL, privacy));
}

TEST_F(EnumNodeTest, SexOfASpouseCannotChangeThroughTheControl)
{
    CRecordNode* person = NewRecord("INDI");
    auto* sex = static_cast<CSexNode*>(person->AddTextChild(FIELD_SEX, "M"));
    CDataNode* spouse = person->CreateChildById(FIELD_FAMS);
    m_control.m_curSel = 1;
    EXPECT_TRUE(sex->UpdateFromControl(m_control.Handle(), true, false))
        << "a family link without a family does not count";
    sex->SetSex(0);
    spouse->SetLink(NewRecord("FAM"), true);
    EXPECT_FALSE(sex->UpdateFromControl(m_control.Handle(), true, false));
    EXPECT_EQ(sex->GetKey(), "M");
    m_control.m_curSel = 0;
    EXPECT_TRUE(sex->UpdateFromControl(m_control.Handle(), true, false)) << "no change, no refusal";
    sex->SetSex(7);
    EXPECT_TRUE(sex->IsEmpty());
}

/// A multimedia object as a FORM field's parent sees it.
class CTestMediaObject final : public CComplexNode, public IMediaFormatHolder {
public:
    bool IsEmbedded() const override { return m_embedded; }
    int GetUseCount() const override { return m_useCount; }
    void SetFormat(std::string_view format) override { m_formats.emplace_back(format); }

    bool m_embedded = false;
    int m_useCount = 0;
    std::vector<std::string> m_formats;
};

class FormatNodeTest : public CTextFieldTest {
protected:
    void SetUp() override
    {
        CTextFieldTest::SetUp();
        test_support::Prompt().TakeMessages();
        m_object = Own(new CTestMediaObject);
        m_object->SetFieldDef(test_support::DefByPath("OBJE"));
        m_format = static_cast<CFormatNode*>(m_object->CreateChildById(FIELD_FORM));
        ASSERT_NE(m_format, nullptr);
    }

    CTestMediaObject* m_object = nullptr;
    CFormatNode* m_format = nullptr;
};

TEST_F(FormatNodeTest, NewFormatIsStoredInLowerCaseAndPassedOn)
{
    m_control.m_text = "JPG";
    EXPECT_TRUE(m_format->UpdateFromControl(m_control.Handle(), true, true));
    EXPECT_EQ(m_format->GetValue(), "jpg");
    EXPECT_EQ(m_object->m_formats, std::vector<std::string>{"jpg"});
    EXPECT_TRUE(test_support::Prompt().TakeMessages().empty());
    m_format->SetText("PNG");
    EXPECT_EQ(m_format->GetValue(), "PNG") << "a file's format keeps its case";
    EXPECT_EQ(m_object->m_formats.back(), "png");
    EXPECT_TRUE(m_format->SetFormat("PNG")) << "unchanged";
    EXPECT_EQ(m_object->m_formats.size(), 2u);
    EXPECT_TRUE(m_format->SetFormat("TIFF"));
    EXPECT_EQ(m_format->GetValue(), "tiff");
}

struct RefusalCase {
    const char* name;
    bool embedded;
    int useCount;
    const char* message;
};

class FormatRefusalTest : public FormatNodeTest,
                          public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(FormatRefusalTest, RefusesWithAMessageAndShowsTheOldValue)
{
    const RefusalCase& c = GetParam();
    m_format->SetText("png");
    m_object->m_formats.clear();
    m_object->m_embedded = c.embedded;
    m_object->m_useCount = c.useCount;
    m_control.m_text = "JPG";
    EXPECT_FALSE(m_format->UpdateFromControl(m_control.Handle(), true, true));
    EXPECT_EQ(m_format->GetValue(), "png");
    EXPECT_EQ(m_control.m_text, "png");
    EXPECT_TRUE(m_control.m_focused);
    EXPECT_EQ(m_control.m_refusals, std::vector<std::string>{c.message});
    const EngineOutcome outcome = m_format->SetFormat("gif");
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.message, c.message);
    EXPECT_TRUE(m_object->m_formats.empty());
    EXPECT_EQ(m_observer.m_notices, 0);

    // The format as the file wrote it, shown and left untouched, is no change to refuse.
    m_format->SetText("PNG");
    m_control.m_text = "PNG";
    EXPECT_TRUE(m_format->UpdateFromControl(m_control.Handle(), true, true));
    EXPECT_EQ(m_format->GetValue(), "PNG");
    EXPECT_TRUE(test_support::Prompt().TakeMessages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormatRefusalTest,
    ::testing::Values(RefusalCase{"Embedded", true, 0, "Cannot change format of embedded objects."},
                      RefusalCase{"InUse", false, 1, "Cannot change format.  Object is in use."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureFormatTest, ReadsWordsAndExtensions)
{
    const struct {
        const char* text;
        int fromName;
        int fromExtension;
    } rows[] = {{"PNG", PICTURE_FORMAT_PNG, 0},
                {"gif", 0, 0},
                {"", 0, 0},
                {"psd", PICTURE_FORMAT_PSD, 0},
                {"JPG", PICTURE_FORMAT_JPEG, 0},
                {"tif", PICTURE_FORMAT_TIFF, 0},
                {"a.jpeg ", 0, PICTURE_FORMAT_JPEG},
                {"x.TGA", 0, PICTURE_FORMAT_TGA},
                {"scan.psd", 0, PICTURE_FORMAT_PSD},
                {"x.emf", 0, PICTURE_FORMAT_EMF},
                {"dir.v2/file", 0, 0},
                {"x.gif", 0, 0}};
    for (const auto& row : rows) {
        EXPECT_EQ(PictureFormatFromName(row.text), row.fromName) << row.text;
        EXPECT_EQ(PictureFormatFromExtension(row.text), row.fromExtension) << row.text;
    }
}

TEST(PictureFormatTest, EveryWordReadsBackToItsCode)
{
    for (int code = 0; code < 30; ++code) {
        const std::string_view word = PictureFormatName(code);
        if (!word.empty()) {
            EXPECT_EQ(PictureFormatFromName(word), code) << word;
        }
    }
    EXPECT_EQ(PictureFormatName(PICTURE_FORMAT_EMF), "");
    EXPECT_EQ(PictureFormatName(PICTURE_FORMAT_TIFF), "tiff");
}

} // namespace
} // namespace text_field_test
