// tests/reports/rpt_writer_test.cpp: the export writer's markup for each format, element by
// element, into string sinks, and the escaping of report text.
#include "reports/rpt_writer.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct WriterCase {
    const char* name;
    int kind;
    std::function<void(CRptWriter&)> emit;
    std::string expected;
};

std::string Written(int kind, const std::function<void(CRptWriter&)>& emit)
{
    CRptStringSink sink(kind);
    CRptWriter writer(sink);
    emit(writer);
    return sink.Str();
}

CRptTextRow Text(std::string text, int level, int part, int indentKind = 0, int indent = 0,
                 std::string marks = {})
{
    CRptTextRow row;
    row.m_text = std::move(text);
    row.m_level = level;
    row.m_part = part;
    row.m_indentKind = indentKind;
    row.m_indent = indent;
    row.m_marks = std::move(marks);
    return row;
}

std::array<CRptHeadingStyle, 3> LinedStyles()
{
    std::array<CRptHeadingStyle, 3> styles{};
    for (CRptHeadingStyle& style : styles)
        style = {1, 1, 0, 0, 100, 0};
    return styles;
}

TEST(RptWriterTest, ElementsWriteTheirMarkupExactly)
{
    const std::string kTable2 =
        "<table width=\"75%\" border=\"0\" cellpadding=\"0\" "
        "cellspacing=\"0\">\n<col width=\"20%\" valign=top "
        "class=\"AvLbl2\"><col width=\"80%\" valign=top class=\"AvDat2\">\n";
    const WriterCase cases[] = {
        {"html two-column table of field rows", kRptHtml,
         [](CRptWriter& w) {
             w.BeginTable(1, 2);
             w.FieldRow(1, "Name:", "John Smith");
             w.FieldRow(1, "Sex:", "Male");
             w.EndTable();
         },
         kTable2 + "<tr><td width=\"20%\">Name:<td width=\"80%\">John Smith</tr>\n"
                   "<tr><td>Sex:<td>Male</tr>\n</table>\n"},
        {"html three columns without widths", kRptHtml,
         [](CRptWriter& w) {
             w.BeginTable(2, 3);
             w.EndTable();
         },
         "<table width=\"75%\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\">\n"
         "<col width=\"20%\" valign=top class=\"AvLbl3\"><col width=\"30%\" valign=top "
         "class=\"AvDat3\"><col width=\"50%\" valign=top class=\"AvDat3\">\n</table>\n"},
        {"html cell past the open one ends the row and pads", kRptHtml,
         [](CRptWriter& w) {
             w.BeginTable(1, 3);
             w.Row(Text("a", 1, 2, 0, 1));
             w.Row(Text("b", 1, 2, 0, 0));
             w.EndTable();
         },
         "<table width=\"75%\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\">\n"
         "<col width=\"20%\" valign=top class=\"AvLbl2\"><col width=\"30%\" valign=top "
         "class=\"AvDat2\"><col width=\"50%\" valign=top class=\"AvDat2\">\n"
         "<tr><td width=\"20%\"><td width=\"30%\">a<td width=\"50%\"></tr>\n"
         "<tr><td>b<td><td></tr>\n</table>\n"},
        {"html merged label spans two columns", kRptHtml,
         [](CRptWriter& w) {
             w.SetMergedLabel(true);
             w.BeginTable(1, 3);
             w.Row(Text("Label", 1, 1, 0, 0));
             w.Row(Text("Data", 1, 2, 0, 2));
             w.EndTable();
         },
         "<table width=\"75%\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\">\n"
         "<col width=\"20%\" valign=top class=\"AvLbl2\"><col width=\"30%\" valign=top "
         "class=\"AvDat2\"><col width=\"50%\" valign=top class=\"AvDat2\">\n"
         "<tr><td colspan=2>Label<td>Data</tr>\n</table>\n"},
        {"html record heading", kRptHtml, [](CRptWriter& w) { w.Heading(0, "John Smith"); },
         "<p class=\"AvHdg1\">John Smith</p>\n"},
        {"html data paragraph over two lines with a blank line between", kRptHtml,
         [](CRptWriter& w) { w.Row(Text("Line one\r\n\r\nLine two", 1, 2, 1, 1, "3")); },
         "<blockquote><p class=\"AvDat2\">Line one</p></blockquote>\n"
         "<blockquote><p class=\"AvDat2\">Line two<sup><a href=\"#Src3\">3</a></sup></p>"
         "</blockquote>\n"},
        {"html empty data paragraph writes nothing, not even its links", kRptHtml,
         [](CRptWriter& w) { w.Row(Text("", 1, 2, 1, 0, "1,2")); }, ""},
        {"html label and heading paragraphs", kRptHtml,
         [](CRptWriter& w) {
             w.Row(Text("Label", 2, 1, 1, 1));
             w.Row(Text("Head", 1, 0, 1, 0));
         },
         "<blockquote><p class=\"AvLbl3\">Label</p>\n</blockquote>\n"
         "<p class=\"AvHdg2\">Head</p>\n"},
        {"html links name the entry with sources at its end", kRptHtml,
         [](CRptWriter& w) {
             w.SetSourcesEndEntry(true);
             w.NextEntry();
             w.NextEntry();
             w.NextEntry();
             w.Row(Text("x", 1, 2, 1, 0, "1,2"));
         },
         "<p class=\"AvDat2\">x<sup><a href=\"#Src3-1\">1</a>,<a href=\"#Src3-2\">2</a></sup>"
         "</p>\n"},
        {"html source rows", kRptHtml,
         [](CRptWriter& w) {
             w.BeginTable(1, 2);
             w.SourceRow(1, true);
             w.Row(Text("Parish register", 1, 2, 0, 1));
             w.SourceRow(2, false);
             w.EndTable();
         },
         kTable2 + "<tr><td><a name=\"Src1\"><sup>1</sup></a><td width=\"80%\">Parish register"
                   "</tr>\n<tr><td><a name=\"Src2\">2</a><td></tr>\n</table>\n"},
        {"rtf heading without formatting tables", kRptRtf,
         [](CRptWriter& w) { w.Heading(1, "Events"); }, "\\pard\\plain\\s2 Events\\par\n"},
        {"rtf paragraph joins lines and sets marks", kRptRtf,
         [](CRptWriter& w) { w.Row(Text("one\n\n  two", 2, 2, 0, 0, "4,5")); },
         "\\pard \\li0\\widctlpar\\adjustright \\s7 one\\par two\\super 4,5\\nosupersub \\par "},
        {"rtf merged label row has one column less and drops columns beyond", kRptRtf,
         [](CRptWriter& w) {
             w.SetMergedLabel(true);
             w.BeginTable(1, 3);
             w.Row(Text("L", 1, 1, 0, 0));
             w.Row(Text("gone", 1, 2, 0, 2));
             w.Row(Text("D", 1, 2, 0, 1));
             w.EndTable();
         },
         "\\trowd\\trgaph108\\trleft-108\\clvertalt\\cltxlrtb\\cellx-108 "
         "\\clvertalt\\cltxlrtb\\cellx-108 \\pard \\widctlpar\\intbl\\adjustright {"
         "\\s4 L\\cell \\s5 D\\cell } \\pard \\widctlpar\\intbl\\adjustright {\\row }\n"},
        {"rtf table row end fills missing cells", kRptRtf,
         [](CRptWriter& w) {
             w.BeginTable(2, 2);
             w.Row(Text("L", 2, 1, 0, 0));
             w.EndTable();
         },
         "\\trowd\\trgaph108\\trleft-108\\clvertalt\\cltxlrtb\\cellx-108 "
         "\\clvertalt\\cltxlrtb\\cellx-108 \\pard \\widctlpar\\intbl\\adjustright {"
         "\\s6 L\\cell \\s7 \\cell } \\pard \\widctlpar\\intbl\\adjustright {\\row }\n"},
        {"text field row pads the label in front", kRptText,
         [](CRptWriter& w) {
             w.FieldRow(1, "Name:", "John Smith");
             w.FieldRow(1, "Name:", "John Smith", "1,2");
             w.FieldRow(1, "A label of 25 characters:", "x");
         },
         "             Name:  John Smith\n             Name:  John Smith[1,2]\n"
         "A label of 25 characters:  x\n"},
        {"text headings with rule lines", kRptText,
         [](CRptWriter& w) {
             w.SetTextWidths(10, 20);
             w.SetHeadingStyles(LinedStyles());
             w.Heading(1, "Events");
             w.Heading(0, "John Smith");
         },
         "\n\n----------\nEvents\n----------\n\n\n\n__________\n\nJohn Smith\n__________\n\n"},
        {"text heading without lines", kRptText, [](CRptWriter& w) { w.Heading(2, "Notes"); },
         "\nNotes\n"},
        {"text table cells are tab separated", kRptText,
         [](CRptWriter& w) {
             w.BeginTable(1, 3);
             w.Row(Text("a", 1, 1, 0, 0));
             w.Row(Text("c", 1, 2, 0, 2, "7"));
             w.Row(Text("d", 1, 2, 0, 1));
             w.EndTable();
         },
         "a\t\tc[7]\n\td\t\n"},
        {"text paragraphs indent by tabs with kind 1 only", kRptText,
         [](CRptWriter& w) {
             w.Row(Text("one", 1, 2, 1, 2));
             w.Row(Text("two", 1, 2, 2, 2, "1"));
         },
         "\t\tone\ntwo[1]\n"},
        {"text runs without a table share one line", kRptText,
         [](CRptWriter& w) {
             const CRptRun runs[] = {{"b.", kRptLabelPart, {}}, {"1900", kRptDataPart, "2"}};
             w.Runs(1, runs);
         },
         "b.\t1900[2]\n"},
    };
    for (const WriterCase& c : cases)
        EXPECT_EQ(Written(c.kind, c.emit), c.expected) << c.name;
}

TEST(RptWriterTest, EndingATableAlwaysClosesItsRow)
{
    for (const int kind : {kRptHtml, kRptRtf, kRptText}) {
        const std::string written = Written(kind, [](CRptWriter& w) {
            w.BeginTable(1, 2);
            w.Row(Text("only label", 1, 1, 0, 0));
            w.EndTable();
            w.Heading(1, "After");
        });
        const std::size_t heading = written.find("After");
        ASSERT_NE(heading, std::string::npos) << kind;
        const std::string before = written.substr(0, heading);
        if (kind == kRptHtml) {
            EXPECT_NE(before.find("</tr>\n</table>\n"), std::string::npos);
        } else if (kind == kRptRtf) {
            EXPECT_NE(before.find("{\\row }\n"), std::string::npos);
        } else {
            EXPECT_EQ(before, "only label\t\n\n\n");
        }
    }
}

TEST(RptWriterTest, RecordedBodyWritesAsTheDirectCalls)
{
    CRptBody body;
    body.NextEntry();
    body.Heading(0, "Ann");
    body.BeginTable(1, 2);
    body.FieldRow(1, "Born:", "1900", "1");
    body.Runs(1, {{"Died:", kRptLabelPart, {}}, {"1980", kRptDataPart, {}}});
    body.SourceRow(1, true);
    body.EndTable();
    body.Row(Text("note", 1, 2, 1, 1));
    for (const int kind : {kRptHtml, kRptRtf, kRptText}) {
        const std::string recorded = Written(kind, [&body](CRptWriter& w) { w.Write(body); });
        const std::string direct = Written(kind, [](CRptWriter& w) {
            w.NextEntry();
            w.Heading(0, "Ann");
            w.BeginTable(1, 2);
            w.FieldRow(1, "Born:", "1900", "1");
            const CRptRun runs[] = {{"Died:", kRptLabelPart, {}}, {"1980", kRptDataPart, {}}};
            w.Runs(1, runs);
            w.SourceRow(1, true);
            w.EndTable();
            w.Row(Text("note", 1, 2, 1, 1));
        });
        EXPECT_EQ(recorded, direct) << kind;
    }
}

TEST(RptWriterTest, DeepIndentsStopWhereThePageDoes)
{
    // Half the content width of the default page (7.5 inches) takes 7 steps of half an inch.
    const CRptSettings settings;
    const auto deep = [&](int kind, int indent) {
        return Written(kind, [&](CRptWriter& w) {
            w.UseSettings(settings);
            w.Row(Text("deep", 1, 2, 1, indent));
        });
    };
    for (const int kind : {kRptHtml, kRptRtf, kRptText}) {
        EXPECT_NE(deep(kind, 6), deep(kind, 7)) << kind;
        EXPECT_EQ(deep(kind, 74), deep(kind, 7)) << kind;
    }
}

TEST(RptWriterTest, SinksEscapeTextButNotMarkup)
{
    struct Case {
        int kind;
        std::string text, expected;
    } const cases[] = {
        {kRptHtml, "<b>Tom & \"Jerry\"</b>", "&lt;b&gt;Tom &amp; &quot;Jerry&quot;&lt;/b&gt;"},
        {kRptHtml, "Zoë Ødegård", "Zoë Ødegård"},
        {kRptHtml, std::string("bell\x07 bad\xff end", 14), "bell bad\xEF\xBF\xBD end"},
        {kRptRtf, "a\\b{c}", "a\\\\b\\{c\\}"},
        {kRptRtf, "Zoë", "Zo\\u235\\'3f"},
        {kRptRtf, "Ω\xE6\x97\xA5", "\\u937\\'3f\\u26085\\'3f"},
        {kRptRtf, "\xF0\x9F\x98\x80", "\\u-10179\\'3f\\u-8704\\'3f"},
        {kRptRtf, "\xEF\xBF\xBF", "\\u-1\\'3f"},
        {kRptRtf, "one\r\ntwo\rthree\tfour", "one\\line two\\line three\\tab four"},
        {kRptRtf, std::string("\xC3", 1), "\\u-3\\'3f"},
        {kRptText, "<{&}>\\ Zoë", "<{&}>\\ Zoë"},
        {kRptText, "a\r\nb\n\rc\rd\n\ne", "a\nb\nc\nd\n\ne"},
        // Runs of plain bytes between escapes, valid and broken UTF-8 in HTML.
        {kRptHtml, "x&y\xE2\x82\xAC<z\t", "x&amp;y\xE2\x82\xAC&lt;z\t"},
        {kRptHtml, "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {kRptHtml,
         "a\xED\xA0\x80"
         "b",
         "a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
         "b"},
        {kRptHtml, "ab\xE6\x97", "ab\xEF\xBF\xBD\xEF\xBF\xBD"},
        {kRptHtml, "\xEF\xBF\xBD\xF0\x9F\x98\x80", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
        {kRptHtml, "line\r\nnext\x7F", "line\r\nnext"},
        {kRptRtf, "plain text, then {one}", "plain text, then \\{one\\}"},
    };
    for (const Case& c : cases) {
        CRptStringSink sink(c.kind);
        sink.Markup("<p>");
        sink.Text(c.text);
        EXPECT_EQ(sink.Str(), "<p>" + c.expected) << c.kind << " " << c.text;
        // A text after an escaped one is written whole, whatever the first left behind.
        sink.Text("tail");
        EXPECT_EQ(sink.Str(), "<p>" + c.expected + "tail") << c.kind << " " << c.text;
    }
}

TEST(RptWriterTest, HeadingsWithFormattingTablesCarryBordersAndPageBreaks)
{
    CRptSettings settings;
    const std::string written = Written(kRptRtf, [&settings](CRptWriter& w) {
        w.UseSettings(settings);
        w.Heading(0, "Ann", true);
        w.Heading(2, "Notes");
    });
    EXPECT_EQ(written, "\\pard\\plain\\s1 \\pagebb \\brdrt\\brdrs\\brdrw20\\brsp20 "
                       "\\brdrb\\brdrs\\brdrw20\\brsp20 \\brdrbtw \\sb480\\sa160\\keepn"
                       "\\plain\\f0\\fs40\\b  Ann\\par\n"
                       "\\pard\\plain\\s3\\brdrbtw \\sb80\\sa0\\keepn\\plain\\f0\\fs16\\b  "
                       "Notes\\par\n");
}

} // namespace
