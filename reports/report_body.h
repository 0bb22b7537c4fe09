// reports/report_body.h: the elements every report body is made of (headings, tables, rows of
// text, rows of labelled runs, field rows, source rows, entry starts), their levels and parts,
// and a recorded body that can be written again to any export writer.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

/// Element levels: record (entry) heading, section, subsection.
inline constexpr int kRptLevelRecord = 0, kRptLevelSection = 1, kRptLevelSubsection = 2;
/// Element parts.
inline constexpr int kRptHeadingPart = 0, kRptLabelPart = 1, kRptDataPart = 2;

/// The font slot (0-6) of an element: 0 for level 0, 1 + part for level 1, 4 + part for level 2.
int RptFontSlot(int level, int part);
/// The style number of an element: its heading style level + 1 for part 0, 2 × level + 2 for a
/// label, 2 × level + 3 for data (RTF \s1-\s7; the HTML classes use level + 1).
int RptStyleNumber(int level, int part);

/// One run of a row: a text with its part (label or data) and citation marks ("1,2,3").
struct CRptRun {
    std::string m_text;
    int m_part = kRptDataPart;
    std::string m_marks;
};

/// A row of text: a table cell when a table is open, else a paragraph. indentKind 0 indents by
/// column, 1 and 2 by indent × their step; in a table, indent is the cell's column.
struct CRptTextRow {
    std::string m_text;
    int m_indentKind = 0;
    int m_indent = 0;
    int m_level = kRptLevelSection;
    int m_part = kRptDataPart;
    std::string m_marks;
    bool m_endLine = true;      // plain text: end the line after the paragraph
    bool m_superscript = false; // RTF: the text set in superscript (a source's number)
};

/// One element of a recorded body.
struct CRptElement {
    enum Kind {
        kHeading,    // m_level, m_text, m_pageBreak
        kBeginTable, // m_level, m_columns, m_widths (0: the default), m_tableFlag
        kEndTable,
        kNextEntry,
        kRow,       // m_row
        kRuns,      // m_level, m_runs (1-4)
        kFieldRow,  // m_level, m_label, m_text (the value), m_marks
        kSourceRow, // m_number, m_superscript
    };
    Kind m_kind = kNextEntry;
    int m_level = kRptLevelSection;
    std::string m_text;
    bool m_pageBreak = false;
    int m_columns = 0;
    std::array<int, 4> m_widths{};
    bool m_tableFlag = false;
    CRptTextRow m_row;
    std::vector<CRptRun> m_runs;
    std::string m_label;
    std::string m_marks;
    int m_number = 0;
    bool m_superscript = false;
};

/// A body kept as elements, in order.
class CRptBody {
public:
    void Heading(int level, std::string_view text, bool pageBreak = false);
    /// widths: percentages of the columns (HTML); empty for the default widths.
    void BeginTable(int level, int columns, std::vector<int> widths = {}, bool tableFlag = false);
    void EndTable();
    void NextEntry();
    void Row(CRptTextRow row);
    void Runs(int level, std::vector<CRptRun> runs);
    void FieldRow(int level, std::string_view label, std::string_view value,
                  std::string_view marks = {});
    void SourceRow(int number, bool superscript);

    const std::vector<CRptElement>& Elements() const { return m_elements; }

private:
    std::vector<CRptElement> m_elements;
};
