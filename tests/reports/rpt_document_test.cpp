// tests/reports/rpt_document_test.cpp: whole reports written to files in each format: golden
// files byte for byte, independent readers (tidy for HTML, unrtf for RTF) that find every name
// and note, and saves that fail without damaging the file that was there.
#include "reports/rpt_document.h"

#include "platform/base/text.h"
#include "reports/rpt_writer.h"
#include "tests/reports/export_checks.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

namespace {

using rpt_test::RunTool;
using rpt_test::ToolRun;

/// Names and notes with every character that HTML or RTF treats specially, and letters beyond
/// ASCII.
const std::vector<std::string>& AwkwardTexts()
{
    static const std::vector<std::string> texts = {
        "Zoë <Ødegård> & Søn", "{Smith} \\ Jones",   "Ελένη Παπαδοπούλου",   "李小龍",
        "a < b && c > d",      "Ann \"Nan\" O'Hara", "Brûlé family {draft}", "C:\\Users\\zoë"};
    return texts;
}

CRptBody AwkwardBody()
{
    const auto& t = AwkwardTexts();
    CRptBody body;
    body.NextEntry();
    body.Heading(kRptLevelRecord, t[0]);
    body.BeginTable(kRptLevelSection, 2);
    body.FieldRow(kRptLevelSection, "Name:", t[0], "1");
    body.FieldRow(kRptLevelSection, "Also known as:", t[1], "1,2");
    body.FieldRow(kRptLevelSection, "Sex:", "Female");
    body.EndTable();
    body.Heading(kRptLevelSection, "Events & {facts}");
    body.BeginTable(kRptLevelSubsection, 4);
    body.Runs(kRptLevelSubsection, {{"b.", kRptLabelPart, {}},
                                    {"1 Jan 1900", kRptDataPart, {}},
                                    {"at", kRptLabelPart, {}},
                                    {t[6], kRptDataPart, "2"}});
    body.EndTable();
    body.Heading(kRptLevelSubsection, "Notes");
    CRptTextRow note;
    note.m_text = t[4] + "\r\n\r\n" + t[3];
    note.m_level = kRptLevelSubsection;
    note.m_part = kRptDataPart;
    note.m_indentKind = 1;
    note.m_indent = 1;
    note.m_marks = "2";
    body.Row(note);
    body.Heading(kRptLevelSection, "Sources");
    body.BeginTable(kRptLevelSection, 2);
    body.SourceRow(1, true);
    CRptTextRow source;
    source.m_text = t[7];
    source.m_indent = 1;
    body.Row(source);
    body.SourceRow(2, true);
    source.m_text = t[5];
    body.Row(source);
    body.EndTable();
    body.NextEntry();
    body.Heading(kRptLevelRecord, t[2], true);
    body.BeginTable(kRptLevelSection, 2);
    body.FieldRow(kRptLevelSection, "Name:", t[2]);
    body.EndTable();
    return body;
}

/// The UTF-8 of a code point the reader wrote as a number.
std::string Utf8Of(unsigned long code)
{
    std::string out;
    text::AppendUtf8(out, char32_t(code));
    return out;
}

/// The named entities unrtf writes, from its own table (a code line, then the entity line).
std::map<std::string, std::string> UnrtfEntities()
{
    std::map<std::string, std::string> entities = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}, {"&quot;", "\""}, {"&nbsp;", " "}};
    std::istringstream table(test_support::ReadFile("/usr/share/unrtf/html.conf"));
    std::string line, code;
    while (std::getline(table, line)) {
        const std::string entity = line.empty() ? "" : line.substr(1);
        if (!code.empty() && line.starts_with("\t&") && entity.ends_with(";"))
            entities.emplace(entity, Utf8Of(std::stoul(code)));
        code = !line.empty() && std::isdigit(static_cast<unsigned char>(line[0])) ? line : "";
    }
    return entities;
}

/// The text of unrtf's HTML output: tags left out, entities decoded.
std::string UnrtfHtmlText(const std::string& html)
{
    const auto body = html.find("<body>");
    const std::map<std::string, std::string> entities = UnrtfEntities();
    std::string text;
    for (std::size_t i = body == std::string::npos ? 0 : body; i < html.size(); ++i) {
        if (html[i] == '<') {
            i = html.find('>', i);
            if (i == std::string::npos)
                break;
        } else if (html[i] == '&') {
            const std::size_t end = html.find(';', i);
            const std::string entity = html.substr(i, end - i + 1);
            if (entity.starts_with("&#"))
                text += Utf8Of(std::stoul(entity.substr(2)));
            else if (entities.count(entity))
                text += entities.at(entity);
            else
                text += entity;
            i = end;
        } else {
            text += html[i];
        }
    }
    return text;
}

bool HasTool(const std::string& name)
{
    return RunTool("command -v " + name + " >/dev/null 2>&1 && echo yes").output == "yes\n";
}

class RptDocumentTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_folder = test_support::NewFolder("exports");
        test_support::Prompt().TakeMessages();
    }

    std::string Export(int kind, const std::string& name)
    {
        const std::string path = m_folder + "/" + name;
        const CRptSettings settings;
        EXPECT_TRUE(
            WriteReportFile(path, kind, "Family of " + AwkwardTexts()[0], settings, AwkwardBody()));
        return path;
    }

    std::string m_folder;
};

TEST_F(RptDocumentTest, EachFormatWritesItsGoldenFile)
{
    struct Case {
        int kind;
        const char* file;
    } const cases[] = {{kRptHtml, "report_awkward.html"},
                       {kRptRtf, "report_awkward.rtf"},
                       {kRptText, "report_awkward.txt"}};
    for (const Case& c : cases) {
        EXPECT_EQ(test_support::ReadFile(Export(c.kind, c.file)),
                  test_support::ReadFile(test_support::DataPath(std::string("expected/") + c.file)))
            << c.file;
    }
}

TEST_F(RptDocumentTest, HtmlPassesTidyWithoutErrors)
{
    ASSERT_TRUE(HasTool("tidy")) << "tidy is missing: scripts/install-deps installs it";
    const std::string path = Export(kRptHtml, "report.html");
    // Status 2 means errors; warnings (such as tables without a summary) are allowed.
    const ToolRun run = RunTool("tidy -errors -quiet '" + path + "' 2>&1");
    EXPECT_LT(run.status, 2) << run.output;
    EXPECT_EQ(run.output.find("Error"), std::string::npos) << run.output;
}

TEST_F(RptDocumentTest, RtfReadBackHoldsEveryNameAndNote)
{
    ASSERT_TRUE(HasTool("unrtf")) << "unrtf is missing: scripts/install-deps installs it";
    const std::string path = Export(kRptRtf, "report.rtf");
    // The reader's text output has no Unicode; its HTML output has, as entities.
    const ToolRun run = RunTool("unrtf --html '" + path + "' 2>/dev/null");
    ASSERT_EQ(run.status, 0);
    const std::string text = UnrtfHtmlText(run.output);
    for (const std::string& name : AwkwardTexts())
        EXPECT_NE(text.find(name), std::string::npos) << name << "\n" << text;
    for (const char* heading : {"Events & {facts}", "Notes", "Sources", "Also known as:"})
        EXPECT_NE(text.find(heading), std::string::npos) << heading;
}

TEST_F(RptDocumentTest, FailedWriteSaysSoAndKeepsTheOldFile)
{
    const std::string missing = m_folder + "/no such folder/report.html";
    EXPECT_EQ(WriteReportFile(missing, kRptHtml, "t", CRptSettings(), CRptBody()).failure,
              "Unable to save the report in file " + missing + ".  No such file or directory.");
    EXPECT_FALSE(std::filesystem::exists(missing));

    // A read-only report is refused, as a read-only GEDCOM or settings file is.
    const std::string locked = test_support::WriteFile(m_folder + "/locked.txt", "kept\n");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    EXPECT_EQ(WriteReportFile(locked, kRptText, "t", CRptSettings(), CRptBody()).failure,
              "Unable to save the report in file " + locked + ".  Permission denied.");
    EXPECT_EQ(test_support::ReadFile(locked), "kept\n");
    std::filesystem::remove(locked);

    // A body that fails half-way leaves the earlier report in place and no temporary file.
    const std::string path = test_support::WriteFile(m_folder + "/kept.txt", "earlier report\n");
    EXPECT_THROW(WriteReportFile(path, kRptText, "t", CRptSettings(),
                                 [](CRptWriter& writer) {
                                     writer.Heading(0, "begun");
                                     throw std::runtime_error("stopped");
                                 }),
                 std::runtime_error);
    EXPECT_EQ(test_support::ReadFile(path), "earlier report\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(RptDocumentTest, WriteReplacesAnEarlierFile)
{
    const std::string path = test_support::WriteFile(m_folder + "/r.txt", "old");
    CRptBody body;
    body.Heading(2, "new");
    EXPECT_TRUE(WriteReportFile(path, kRptText, "t", CRptSettings(), body));
    EXPECT_EQ(test_support::ReadFile(path), "\nnew\n");
}

} // namespace
