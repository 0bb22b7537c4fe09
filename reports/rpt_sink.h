// reports/rpt_sink.h: where an export writer's output goes. Markup passes unchanged; text is
// escaped for the format, so names and notes can never break the file or inject markup.
//
// Trap: text is escaped only in the sink: a writer must pass names and notes through Text, never
// Markup. Text writes a text with nothing to escape as it stands, copies runs of plain bytes and
// valid UTF-8 whole, and escapes into a buffer it reuses. RTF characters beyond ASCII are \uN with
// the fallback \'3f, not a bare "?", which some readers take as the start of a word to skip.
#pragma once

#include <string>
#include <string_view>

/// Writer kinds.
inline constexpr int kRptHtml = 1, kRptRtf = 2, kRptText = 3;

class CRptSink {
public:
    explicit CRptSink(int kind) : m_kind(kind) {}
    virtual ~CRptSink() = default;
    CRptSink(const CRptSink&) = delete;
    CRptSink& operator=(const CRptSink&) = delete;

    int Kind() const { return m_kind; }
    /// Format words, written as given.
    void Markup(std::string_view markup) { Put(markup); }
    /// Text of the report (UTF-8). HTML: "&", "<", ">" and """ become entities. RTF: "\", "{"
    /// and "}" are escaped, a line break becomes \line, every character beyond ASCII \uN (with
    /// \'3f, "?", for readers without Unicode). Both drop control characters other than tab and
    /// line breaks, and write bytes that are not UTF-8 as U+FFFD. Plain text passes unchanged
    /// but for line breaks, which become LF.
    void Text(std::string_view text);

protected:
    virtual void Put(std::string_view bytes) = 0;

private:
    int m_kind;
    std::string m_escaped; // reused by Text, so that a long export does not allocate per text
};

/// Keeps everything in a string.
class CRptStringSink final : public CRptSink {
public:
    explicit CRptStringSink(int kind) : CRptSink(kind) {}
    const std::string& Str() const { return m_text; }

protected:
    void Put(std::string_view bytes) override { m_text += bytes; }

private:
    std::string m_text;
};

/// Appends number in decimal, as "%d" writes it: markup numbers of a long export are written
/// without formatting.
void AppendRptNumber(std::string& out, int number);

/// The escaped form of text for the format.
std::string EscapeRptText(int kind, std::string_view text);
