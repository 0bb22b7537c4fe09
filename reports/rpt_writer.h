// reports/rpt_writer.h: the export writer: turns each report element into HTML, RTF or plain
// text and hands it to a sink. The frame around the body is rpt_document.h's.
//
// The writer keeps a value's lines and a paragraph's markup in buffers of its own, so a long export
// allocates little per row; any change there must leave every golden file byte for byte. HTML table
// cells write the lines of a value joined by <br>; plain text writes line breaks as LF. Exports are
// set out on a US Letter page (kRptPageWidth); the RTF table width and column edges come from the
// margins and "Col Start" values, the RTF label cell from "Col Start 2". Indents of deep
// generations stop where the page's do (half the content width), in all three formats.
#pragma once

#include "reports/report_body.h"
#include "reports/rpt_settings.h"
#include "reports/rpt_sink.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CRptWriter {
public:
    /// A writer of the sink's kind with the plain defaults: text line width 80 and label width
    /// 20, no RTF formatting tables (headings then use the short form), no RTF indent steps.
    explicit CRptWriter(CRptSink& sink);

    int Kind() const { return m_sink.Kind(); }
    CRptSink& Sink() { return m_sink; }

    /// Everything taken from the settings: RTF formatting arrays, indent steps, table width and
    /// column positions from the fonts, heading styles and layout; the heading styles; whether
    /// citation links name their entry ("Sources End Entry").
    void UseSettings(const CRptSettings& settings);
    void SetHeadingStyles(const std::array<CRptHeadingStyle, kRptHeadingLevelCount>& styles)
    {
        m_headingStyles = styles;
    }
    void SetSourcesEndEntry(bool on) { m_sourcesEndEntry = on; }
    void SetLineWidth(int lineWidth) { m_lineWidth = lineWidth; }
    void SetTextWidths(int lineWidth, int labelWidth)
    {
        m_lineWidth = lineWidth;
        m_labelWidth = labelWidth;
    }
    /// The label cell spans the first two columns (HTML colspan; RTF rows one column less).
    void SetMergedLabel(bool on) { m_mergedLabel = on; }
    int EntryCounter() const { return m_entryCounter; }

    /// A heading of level 0-2.
    void Heading(int level, std::string_view text, bool pageBreak = false);
    /// Opens a table of 1-4 columns; widths are percentages (HTML), an empty span the defaults.
    void BeginTable(int level, int columns, std::span<const int> widths = {},
                    bool tableFlag = false);
    /// Closes the open row and the table.
    void EndTable();
    /// Counts a new report entry (HTML anchors of per-entry sources use it).
    void NextEntry() { ++m_entryCounter; }
    /// A cell of the open table, else a paragraph.
    void Row(const CRptTextRow& row);
    /// A row of 1-4 runs: run i in column i of the open table (paragraphs when none is open); in
    /// plain text the line ends after the last run.
    void Runs(int level, std::span<const CRptRun> runs);
    /// A labelled field: one line "label  value[marks]" in plain text, else a row of two runs.
    void FieldRow(int level, std::string_view label, std::string_view value,
                  std::string_view marks = {});
    /// Starts a row of the sources list with the anchor of citation number (HTML); the other
    /// formats write the number as the row's first cell, RTF in superscript when asked.
    void SourceRow(int number, bool superscript);
    /// A rule line of plain text: line width characters, "_" for level 0, else "-".
    void RuleLine(int level);

    void Write(const CRptElement& element);
    void Write(const CRptBody& body);

private:
    void HtmlCell(const CRptTextRow& row);
    void HtmlParagraph(const CRptTextRow& row, int indent);
    void HtmlEndRow();
    void HtmlLinks(std::string_view marks);
    void RtfCell(const CRptTextRow& row);
    void RtfParagraph(const CRptTextRow& row, int indentKind, int indent);
    void RtfEndRow();
    void RtfLines(std::string_view text);
    /// A row's text, then its marks raised.
    void RtfTextAndMarks(const CRptTextRow& row);
    void TextCell(const CRptTextRow& row);
    void TextParagraph(const CRptTextRow& row, int indentKind, int indent);
    void EndRow();
    /// A paragraph's indent of kind 1 or 2, kept to the deepest the page allows; a table
    /// cell's column as it is.
    int KeptIndent(const CRptTextRow& row) const;
    int TwipsOf(int hundredths) const;
    const std::string& CharFormat(int slot) const;

    CRptSink& m_sink;
    int m_lineWidth = 80;
    int m_labelWidth = 20;
    int m_columns = 0; // 0: no table open
    std::array<int, 4> m_widths{};
    bool m_firstRow = false;
    int m_currentCell = 0; // 0: no row open
    bool m_mergedLabel = false;
    int m_entryCounter = 0;
    int m_tableLevel = 0;
    bool m_tableFlag = false;
    bool m_sourcesEndEntry = false;
    // RTF geometry, twips and hundredths of an inch.
    int m_tableWidth = 0;
    int m_tableLeft = 0;
    std::array<int, 4> m_columnStarts{};
    int m_rtfLabelWidth = 0;
    std::array<int, 2> m_indentSteps{};
    // The deepest paragraph indents of kinds 1 and 2 (-1: no limit): each step as wide as on
    // pages, no deeper than half the page's content width.
    std::array<int, 2> m_deepestIndents{-1, -1};
    bool m_hasFormatting = false;
    std::array<std::string, 3> m_headingFormats;
    std::array<std::string, 3> m_rowFormats;
    std::array<std::string, 7> m_charFormats;
    std::array<CRptHeadingStyle, kRptHeadingLevelCount> m_headingStyles{};
    // Buffers reused row after row: the lines of a value, a paragraph's markup, the nesting of
    // HTML paragraphs.
    std::vector<std::string_view> m_lines;
    std::string m_openMarkup;
    std::string m_quotes, m_unquotes;
};
