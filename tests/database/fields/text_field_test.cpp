// tests/database/fields/text_field_test.cpp: Tests of the single-line and multi-line text fields:
// reading and writing GEDCOM values with their continuation lines, the data control, display forms,
// search and output texts.
#include "tests/database/fields/text_field_test_support.h"

#include "database/dictionary/field_dictionary.h"
#include "database/dictionary/qualifier_table.h"
#include "database/fields/custom_attr_node.h"
#include "database/fields/edit_multi_node.h"
#include "database/gedcom/gedcom_line_reader.h"
#include "database/multimedia/frame_note_record.h"
#include "database/multimedia/obj_note_node.h"
#include "platform/base/text.h"

#include <algorithm>

namespace text_field_test {
namespace {

/// The physical lines of written GEDCOM, without their CR LF.
std::vector<std::string> Lines(const std::string& written)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < written.size();) {
        const std::size_t end = written.find("\r\n", start);
        lines.push_back(written.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

/// Reads written lines back as the loader does: each line split by the line grammar, the first
/// value through SetText, each CONC or CONT piece through AppendText.
void ReadBack(CDataNode& node, const std::vector<std::string>& lines)
{
    GedcomLine line;
    ASSERT_EQ(ParseGedcomLine(lines[0], line), kGedcomParsedValid) << lines[0];
    node.SetText(line.value);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        ASSERT_EQ(ParseGedcomLine(lines[i], line), kGedcomParsedValid) << lines[i];
        ASSERT_TRUE(line.tag == "CONT" || line.tag == "CONC") << lines[i];
        ASSERT_TRUE(node.AppendText(line.value, line.tag == "CONT" ? FIELD_CONT : FIELD_CONC));
    }
}

/// Words and blanks with an "@" now and then, length bytes long, ending in a letter.
std::string Words(std::size_t length)
{
    std::string text;
    for (int i = 0; text.size() < length; ++i)
        text += (i % 7 == 0 ? "word@" : "lorem") + std::to_string(i) + " ";
    text.resize(length);
    text.back() = 'z';
    return text;
}

/// Every line at most the limit long and, unless the text leaves no such place, no CONC piece
/// starting or ending beside a blank.
void ExpectWithinLimit(const std::vector<std::string>& lines, bool cutsBesideBlanks)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(text::Utf8Length(lines[i]), std::size_t(kMaxGedcomLine)) << lines[i];
        if (i == 0 || lines[i].substr(2, 4) != "CONC" || cutsBesideBlanks)
            continue;
        EXPECT_FALSE(text::IsSpace(lines[i][7])) << lines[i];
        EXPECT_FALSE(text::IsSpace(lines[i - 1].back())) << lines[i - 1];
    }
}

struct WriteCase {
    const char* name;
    const char* path;
    std::string value;
    std::vector<std::string> lines; // the exact lines, or the line count when lineCount is set
    std::size_t lineCount;          // 0: compare lines exactly
    std::string readBack;           // the value read back; "=" for the value itself
    bool cutsBesideBlanks = false;  // the text has no place between two non-blanks to cut at
};

class TextWriteTest : public CTextFieldTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(TextWriteTest, WritesLinesAndReadsThemBack)
{
    const WriteCase& c = GetParam();
    auto* node = NewField<CTextValueNode>(c.path);
    ASSERT_NE(node, nullptr);
    node->SetValue(c.value);
    const std::vector<std::string> lines = Lines(WrittenLines(*node, 1));
    if (lines.empty()) {
        EXPECT_EQ(c.readBack, "") << "nothing written";
        return;
    }
    if (c.lineCount) {
        EXPECT_EQ(lines.size(), c.lineCount);
        ExpectWithinLimit(lines, c.cutsBesideBlanks);
    } else {
        EXPECT_EQ(lines, c.lines);
    }
    auto* reread = NewField<CTextValueNode>(c.path);
    ReadBack(*reread, lines);
    EXPECT_EQ(reread->GetValue(), c.readBack == "=" ? c.value : c.readBack);
}

/// The text with every "@" doubled, as the line sink writes a value.
std::string AtsDoubled(std::string_view text)
{
    std::string out;
    for (const char c : text)
        out += c == '@' ? "@@" : std::string(1, c);
    return out;
}

const std::string kNote = Words(600);
const std::string kAts(300, '@');
const std::string kAddress = Words(300);
std::string Repeated(std::string_view piece, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += piece;
    return text;
}
const std::string kSpaced = Repeated("a ", 300);
const std::string kBlankRuns = Repeated("word    ", 75);
const std::string kMarked = Repeated("e\u0301", 300);
std::string WithBreaksRemoved(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextWriteTest,
    ::testing::Values(
        WriteCase{"AtDoubledInTheValueOnly", "INDI.NOTE2", "me@home", {"1 NOTE me@@home"}, 0, "="},
        WriteCase{"EmptyLineIsAnEmptyCont",
                  "INDI.NOTE2",
                  "a\n\nb",
                  {"1 NOTE a", "2 CONT", "2 CONT b"},
                  0,
                  "="},
        WriteCase{
            "TrailingBreakIsAnEmptyCont", "INDI.NOTE2", "abc\n", {"1 NOTE abc", "2 CONT"}, 0, "="},
        WriteCase{"OnlyEmptyLines", "INDI.NOTE2", "\n\n", {"1 NOTE", "2 CONT", "2 CONT"}, 0, "="},
        WriteCase{"BlanksAroundKept", "INDI.NOTE2", "  a  ", {"1 NOTE   a  "}, 0, "="},
        WriteCase{"OnlyBlanks", "INDI.NOTE2", "   ", {"1 NOTE    "}, 0, "="},
        WriteCase{"LongRunOfBlanks", "INDI.NOTE2", std::string(600, ' '), {}, 3, "=", true},
        WriteCase{"NoPlaceBetweenNonBlanks", "INDI.NOTE2", kSpaced, {}, 3, "=", true},
        WriteCase{"BlanksAtEveryJoin", "INDI.NOTE2", kBlankRuns, {}, 3, "=", true},
        WriteCase{"MarksStayWithTheirLetters", "INDI.NOTE2", kMarked, {}, 3, "="},
        WriteCase{"CrLfIsOneBreak", "INDI.NOTE2", "a\r\nb", {"1 NOTE a", "2 CONT b"}, 0, "a\nb"},
        WriteCase{"LongNoteIsOneLinePlusTwoConc", "INDI.NOTE2", kNote, {}, 3, "="},
        WriteCase{"AtSignsCountTwice", "INDI.NOTE2", kAts, {}, 3, "="},
        WriteCase{"EmptyValueWritesNothing", "INDI.NOTE2", "", {}, 0, ""},
        WriteCase{"LongPlaceStaysOnOneLine",
                  "INDI.BIRT.PLAC",
                  Words(600),
                  {"1 PLAC " + AtsDoubled(Words(600))},
                  0,
                  "="},
        WriteCase{"BreakInOneLineBecomesBlank",
                  "INDI.BIRT.PLAC",
                  "York\nEngland",
                  {"1 PLAC York England"},
                  0,
                  "York England"}),
    [](const auto& info) { return std::string(info.param.name); });

using TextFieldTest = CTextFieldTest;

TEST_F(TextFieldTest, AddressWithoutConcContinuesInContAndReadsBackWithBreaks)
{
    auto* address = NewField<CEditMultiNode>("REPO.ADDR");
    address->SetValue(kAddress);
    const std::vector<std::string> lines = Lines(WrittenLines(*address, 1));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].substr(0, 7), "2 CONT ");
    ExpectWithinLimit(lines, false);
    auto* reread = NewField<CEditMultiNode>("REPO.ADDR");
    ReadBack(*reread, lines);
    EXPECT_EQ(WithBreaksRemoved(std::string(reread->GetValue())), kAddress);
}

TEST_F(TextFieldTest, SingleLineValueSplitsWithConcOnlyWhereTheDefinitionAllowsIt)
{
    CFieldDictionary dictionary;
    const std::string ids = text::Format(
        "id FIELD_HEAD %d\nid FIELD_PLAC %d\nid FIELD_TITL %d\nid STRUCT_LDS_INDI_ORDINANCES %d\n",
        FIELD_HEAD, FIELD_PLAC, FIELD_TITL, STRUCT_LDS_INDI_ORDINANCES);
    ASSERT_TRUE(dictionary.Load(ids + "struct @LDS_INDI_ORDINANCES\n"
                                      "HEAD Record 1:1 \"Header\"\n"
                                      "  PLAC Edit 0:1 \"Place\" CONC\n"
                                      "  TITL Edit 0:1 \"Title\"\n",
                                nullptr))
        << dictionary.GetError();
    const CFieldDef* head = dictionary.FindRecordDef("HEAD");
    ASSERT_NE(head, nullptr);
    ASSERT_NE(head->FindChildById(FIELD_PLAC), nullptr);
    auto* place = Own(CreateNodeFromDef(head->FindChildById(FIELD_PLAC), false, nullptr));
    const std::string value = Words(600);
    place->SetText(value);
    const std::vector<std::string> lines = Lines(WrittenLines(*place, 1));
    EXPECT_EQ(lines.size(), 3u);
    ExpectWithinLimit(lines, false);
    auto* reread = Own(CreateNodeFromDef(head->FindChildById(FIELD_PLAC), false, nullptr));
    ReadBack(*reread, lines);
    std::string text;
    reread->GetText(text, 0);
    EXPECT_EQ(text, value);
    auto* title = Own(CreateNodeFromDef(head->FindChildById(FIELD_TITL), false, nullptr));
    ASSERT_NE(title, nullptr);
    EXPECT_FALSE(title->AppendText("more", FIELD_CONC)) << "no CONC read where none is written";
    EXPECT_FALSE(place->AppendText("more", FIELD_CONT));
}

TEST_F(TextFieldTest, SetTextReplacesTheValueWhateverItHeld)
{
    const struct {
        const char* path;
        const char* first;
        const char* second;
        const char* value;
    } rows[] = {{"INDI.BIRT.PLAC", "old", "new", "new"},
                {"INDI.BIRT.PLAC", "old", "a@@b", "a@b"},
                {"INDI.BIRT.PLAC", "old", "", ""},
                {"INDI.NOTE2", "line", "m@@n", "m@n"},
                {"INDI.NOTE2", "line", "m@n", "m@n"}};
    for (const auto& row : rows) {
        auto* node = NewField<CTextValueNode>(row.path);
        node->SetText(row.first);
        node->SetText(row.second);
        EXPECT_EQ(node->GetValue(), row.value) << row.path << " " << row.second;
    }
}

TEST_F(TextFieldTest, ControlShowsAndTakesTheValue)
{
    CRecordNode* person = NewRecord("INDI");
    auto* place = static_cast<CEditNode*>(person->AddTextChild(FIELD_OCCU, "Leeds"));
    ASSERT_EQ(place->ShowInControl(nullptr, RECT{}, nullptr, 0, 0, 0), m_control.Handle());
    EXPECT_EQ(m_control.m_class, "CDataCtlEdit");
    EXPECT_EQ(m_control.m_text, "Leeds");
    EXPECT_EQ(m_control.m_selection, std::make_pair(0, -1)) << "whole text selected";
    EXPECT_TRUE(m_control.m_shown && m_control.m_focused);
    m_control.m_text = "York";
    EXPECT_TRUE(place->UpdateFromControl(m_control.Handle(), true, true));
    EXPECT_EQ(place->GetValue(), "York");
    EXPECT_EQ(m_observer.m_notices, 1);
    EXPECT_TRUE(place->UpdateFromControl(m_control.Handle(), true, true));
    EXPECT_EQ(m_observer.m_notices, 1) << "an unchanged text is no edit";
    m_control.m_readable = false;
    m_control.m_text = "Hull";
    EXPECT_FALSE(place->UpdateFromControl(m_control.Handle(), true, true));
    EXPECT_EQ(place->GetValue(), "York");
}

TEST_F(TextFieldTest, MultiLineControlUsesCrLfAndStartsAtTheTop)
{
    auto* note = NewField<CEditMultiNode>("INDI.NOTE2");
    note->SetValue("a\nb");
    note->ShowInControl(nullptr, RECT{}, nullptr, 0, 0, 0);
    EXPECT_EQ(m_control.m_class, "CDataCtlEditMulti");
    EXPECT_EQ(m_control.m_text, "a\r\nb");
    EXPECT_EQ(m_control.m_selection, std::make_pair(0, 0));
    EXPECT_FALSE(m_control.m_modified);
    m_control.m_text = "x\r\ny\rz";
    m_control.m_modified = true;
    EXPECT_TRUE(note->UpdateFromControl(m_control.Handle(), true, false));
    EXPECT_EQ(note->GetValue(), "x\ny\nz");
    EXPECT_FALSE(m_control.m_modified);
    EXPECT_EQ(m_observer.m_notices, 0) << "no notice without the notify flag";
}

TEST_F(TextFieldTest, NoteShowsItsFirstLine)
{
    auto* note = NewField<CEditMultiNode>("INDI.NOTE2");
    note->SetValue(std::string(300, 'x'));
    std::string text;
    note->GetText(text, 0);
    EXPECT_EQ(text, std::string(255, 'x') + "...");
    note->SetValue("short\nmore");
    note->GetText(text, 1);
    EXPECT_EQ(text, "Note: short...");
    note->SetValue("a\r\n\r\nb c\nd");
    note->GetTextAsOneLine(text, false);
    EXPECT_EQ(text, "a b c d");
}

TEST_F(TextFieldTest, OutputKeepsOrDropsPrivatePassages)
{
    const struct {
        const char* value;
        bool keepPrivate;
        bool strip;
        const char* output;
    } rows[] = {{"x[[aside]]y", false, false, "xy"},
                {"x[[aside]]y", true, true, "xasidey"},
                {"x[[aside]]y", true, false, "x[[aside]]y"},
                {"a[[b]]c[[d]]e", false, true, "ace"},
                {"a[[rest", false, false, "a"},
                {"a[[rest", true, true, "arest"}};
    auto* note = NewField<CEditMultiNode>("INDI.NOTE2");
    for (const auto& row : rows) {
        note->SetValue(row.value);
        std::string out = "stale";
        note->GetOutputText(out, row.keepPrivate, row.strip);
        EXPECT_EQ(out, row.output) << row.value << " " << row.keepPrivate << row.strip;
    }
}

TEST_F(TextFieldTest, NoteConditionsTestTheWholeValue)
{
    const struct {
        int op;
        bool caseSensitive;
        const char* operand;
        bool matches;
    } rows[] = {{COND_BEGINS, false, "born", true},
                {COND_BEGINS, true, "born", false},
                {COND_ENDS, false, "YORK", true},
                {COND_ENDS, false, "xBorn in Leeds\nBuried in York", false},
                {COND_CONTAINS, false, "LEEDS\nbur", true}};
    auto* note = NewField<CEditMultiNode>("INDI.NOTE2");
    note->SetValue("Born in Leeds\nBuried in York");
    for (const auto& row : rows)
        EXPECT_EQ(note->MatchText(QUAL_NONE, row.op, row.caseSensitive, row.operand), row.matches)
            << row.op << " " << row.operand;
}

TEST_F(TextFieldTest, SearchNeedsEveryTermInTheValueOrInAChild)
{
    CRecordNode* person = NewRecord("INDI");
    CDataNode* occupation = person->AddTextChild(FIELD_OCCU, "Master Mason");
    occupation->AddTextChild(FIELD_PLAC, "Leeds");
    const CSearchTerm mason{"mason", "mason", "MASON"};
    const CSearchTerm master{"Master", "master", "MASTER"};
    const CSearchTerm leeds{"leeds", "leeds", "LEEDS"};
    const std::vector<CSearchTerm> both{mason, master};
    EXPECT_TRUE(occupation->ContainsText(both, false, false));
    EXPECT_FALSE(occupation->ContainsText(both, true, false)) << "\"mason\" differs in case";
    EXPECT_FALSE(occupation->ContainsText(std::vector{leeds}, false, false));
    EXPECT_TRUE(occupation->ContainsText(std::vector{leeds}, false, true));
}

TEST_F(TextFieldTest, NumericTextSortsAndShowsAsANumber)
{
    auto* height = NewField<CEditNode>("INDI._ATTR");
    auto* other = NewField<CEditNode>("INDI._ATTR");
    auto* place = NewField<CEditNode>("INDI.BIRT.PLAC");
    const auto order = [&](const char* a, const char* b) {
        height->SetText(a);
        other->SetText(b);
        const int result = height->Compare(other, QUAL_NUMERIC);
        return (result > 0) - (result < 0);
    };
    EXPECT_EQ(order(" 12", "9"), 1);
    EXPECT_EQ(order("abc", "3"), -1) << "a text that is no number sorts first";
    EXPECT_EQ(order("abc", "xyz"), 0);
    EXPECT_EQ(order("42 cm", "42"), 0);
    height->SetText("  1234 cm");
    place->SetText("  1234 cm");
    EXPECT_TRUE(height->SupportsQualifier(QUAL_NUMERIC));
    EXPECT_FALSE(place->SupportsQualifier(QUAL_NUMERIC));
    char buffer[8];
    EXPECT_EQ(height->GetTextBuf(buffer, sizeof buffer, QUAL_NUMERIC), 4);
    EXPECT_STREQ(buffer, "1234");
    EXPECT_EQ(height->GetTextBuf(buffer, 4, QUAL_NUMERIC), 0) << "no room for four digits";
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(place->GetTextBuf(buffer, sizeof buffer, QUAL_NUMERIC), 7);
}

TEST_F(TextFieldTest, CustomAttributeNamesAreCollectedOnce)
{
    CRecordNode* first = NewRecord("INDI");
    CRecordNode* second = NewRecord("INDI");
    first->CreateChildById(FIELD_CUSTOM_ATTR)->AddTextChild(FIELD_TYPE, "Height");
    second->CreateChildById(FIELD_CUSTOM_ATTR)->AddTextChild(FIELD_TYPE, "height");
    CDataNode* eyes = second->CreateChildById(FIELD_CUSTOM_ATTR);
    eyes->AddTextChild(FIELD_TYPE, "Eyes");
    second->CreateChildById(FIELD_CUSTOM_ATTR);
    std::vector<std::string> individuals;
    std::vector<std::string> families;
    CollectCustomAttrNames(&individuals, &families);
    EXPECT_EQ(individuals, (std::vector<std::string>{"Eyes", "height"})) << "newest first";
    EXPECT_TRUE(families.empty());
    second->UnlinkChild(eyes, false);
    eyes->DeleteChildren();
    delete eyes;
    individuals.clear();
    CollectCustomAttrNames(&individuals, nullptr);
    EXPECT_EQ(individuals, std::vector<std::string>{"height"}) << "a deleted attribute leaves";
}

/// A record whose display text is known.
class CNamedRecord final : public CRecordNode {
public:
    bool GetText(std::string& text, int) const override
    {
        text = "Mary Lee";
        return true;
    }
};

/// A multimedia record that knows one link to its frame 2.
class CFrameRecord final : public CRecordNode, public IFrameNoteRecord {
public:
    CRecordNode* FindLinkingRecord(const CDataNode* numberField) const override
    {
        std::string number;
        numberField->GetText(number, 0);
        return number == "2" ? s_linking : nullptr;
    }
    static CRecordNode* s_linking;
};
CRecordNode* CFrameRecord::s_linking = nullptr;

TEST_F(TextFieldTest, FrameNoteNamesItsRecordAndComparesItsFrame)
{
    Install("CObjRec", &MakeNode<CFrameRecord>);
    CRecordNode* person = Own(new CNamedRecord);
    CFrameRecord::s_linking = person;
    CRecordNode* media = NewRecord("OBJE");
    CDataNode* note = media->AddTextChild(FIELD_NOTE_TEXT, "Mary at ten\nmore");
    std::string text;
    note->GetText(text, 0);
    EXPECT_EQ(text, "\"Mary at ten...\"") << "no frame number, no linking record";
    note->AddTextChild(FIELD_OBJE_LINK_NUMBER, "2");
    note->GetText(text, 1);
    EXPECT_EQ(text, "Frame Note: Mary Lee (\"Mary at ten...\")");
    EXPECT_EQ(FindLinkingRecordOf(note), person);
    auto* loose = NewField<CObjNoteNode>("OBJE.NOTE2");
    loose->SetValue("Mary at ten");
    loose->GetText(text, 0);
    EXPECT_EQ(text, "Mary at ten") << "outside a multimedia record, a plain note";
    CFrameRecord::s_linking = nullptr;
    CDataNode* a = media->AddTextChild(FIELD_NOTE_TEXT, "Face");
    CDataNode* b = media->AddTextChild(FIELD_NOTE_TEXT, "FACE");
    EXPECT_TRUE(a->IsEqual(b, nullptr));
    a->AddTextChild(FIELD_OBJE_FRAME, "{1,2,3,4}");
    EXPECT_FALSE(a->IsEqual(b, nullptr));
    b->AddTextChild(FIELD_OBJE_FRAME, "{1,2,3,5}");
    EXPECT_FALSE(a->IsEqual(b, nullptr));
    b->FindChild(nullptr, FIELD_OBJE_FRAME)->SetText("{1,2,3,4}");
    EXPECT_TRUE(a->IsEqual(b, nullptr));
    CRect frame;
    int number = -1;
    GetFrame(*note, frame, number);
    EXPECT_EQ(number, 2);
    EXPECT_TRUE(frame.IsRectEmpty()) << "a note without a frame rectangle";
    GetFrame(*a, frame, number);
    EXPECT_EQ(frame, CRect(2, 1, 4, 3)) << "{top,left,bottom,right}";
    EXPECT_EQ(number, 0);
}

} // namespace
} // namespace text_field_test
