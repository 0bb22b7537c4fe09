// reports/rpt_emitter.h: where a report body sends its elements: the pages (laid out through the
// page layout, drawing only the target page) or an export writer (HTML, RTF, text). A body
// written once against IRptEmitter serves both.
//
// Bullets and connector lines (Ancestor and Descendant reports, "Show Graphics" on) are drawn on
// pages only, through GenerationRow: the line's place is settled first (CRptPageLayout::PlaceLine),
// then the connector from the bullet it hangs from, drawn before the line so that a drawing pass
// that stops after the line still has drawn the connector's part on its page, then the bullet, then
// the text after it. Each page draws only its part of a connector that crosses pages. Pictures are
// placed on pages only (exports show neither pictures nor captions), the objects' content loaded
// while their block is placed.
#pragma once

#include "reports/report_body.h"
#include "reports/rpt_canvas.h"
#include "reports/rpt_font_set.h"
#include "reports/rpt_page_settings.h"

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>

class CRptWriter;
class CRptPageLayout;
class CRptFontSet;

/// Where a generation line's bullet stands: its page, and its centre below the content's top and
/// right of the content's left (logical units).
struct RptBulletAt {
    int page = 0, y = 0, x = 0;
};

/// The bullets of a generation list: the fill of the first kind and of the second (females'),
/// each solid or hollow, and the colour of the connector lines and of the bullets' edges.
struct RptBulletStyle {
    std::array<COLORREF, 2> fills{};
    std::array<bool, 2> hollow{};
    COLORREF line = 0;
};

/// A bullet is six hundredths of an inch across; its text stands eight hundredths of an inch
/// after its edge (less on narrow indent steps); lines are half a point wide.
inline constexpr int kRptBulletRadius = 20, kRptBulletGap = 60, kRptConnectorWidth = 5;

class IRptEmitter {
public:
    virtual ~IRptEmitter() = default;
    /// Whether the elements go to an export (tables and entry counts matter only there).
    virtual bool IsExport() const = 0;
    virtual void NextEntry() = 0;
    /// A heading of level 0-2; an empty text places nothing.
    virtual void Heading(int level, std::string_view text, bool pageBreak = false) = 0;
    virtual void BeginTable(int level, int columns, std::span<const int> widths = {}) = 0;
    virtual void EndTable() = 0;
    /// A paragraph (indent kinds as CRptTextRow's). False when the body may stop: the page being
    /// drawn is done.
    virtual bool Row(const CRptTextRow& row) = 0;
    /// A row of 1-4 runs.
    virtual bool Runs(int level, std::span<const CRptRun> runs) = 0;
    /// A labelled value with its citation marks.
    virtual bool FieldRow(int level, std::string_view label, std::string_view value,
                          std::string_view marks = {}) = 0;
    /// A line of a sources section: its number as the label ("12." on pages and in text), then
    /// the text.
    virtual bool SourceRow(int level, int number, std::string_view text) = 0;
    /// A page break (a new page in RTF and on pages; nothing in HTML and text).
    virtual void PageBreak() = 0;
    /// A line of a generation list (indent kind 1, the row's indent its generation) with a
    /// bullet of the second kind or the first before its text, joined to the bullet at from
    /// (when given) by a connector down its column and across; where the bullet stands goes to
    /// at. Drawn on pages only: exports write the row alone. False when the body may stop.
    virtual bool GenerationRow(const CRptTextRow& row, const RptBulletStyle& /*style*/,
                               bool /*second*/, const RptBulletAt* /*from*/, RptBulletAt* /*at*/)
    {
        return Row(row);
    }
    /// The pictures of one subject as a block at level, each placed as placement says within
    /// maxWidth and maxHeight (hundredths of an inch; 0 no limit); with clearSide the text goes
    /// on below them; gaps of their own when given, else the settings' picture gaps. Pages
    /// only: exports show no pictures.
    virtual void Pictures(int /*level*/, std::span<const RptPicture> /*pictures*/,
                          RptPlacement /*placement*/, int /*maxWidth*/, int /*maxHeight*/,
                          bool /*clearSide*/, const RptPictureGaps* /*gaps*/ = nullptr)
    {
    }
};

/// A paragraph row at level and part, indented by kind and indent.
CRptTextRow RptParagraph(std::string_view text, int indentKind, int indent, int level, int part,
                         std::string_view marks = {});

/// Elements to an export writer.
class CRptWriterEmitter final : public IRptEmitter {
public:
    explicit CRptWriterEmitter(CRptWriter& writer) : m_writer(writer) {}
    bool IsExport() const override { return true; }
    void NextEntry() override;
    void Heading(int level, std::string_view text, bool pageBreak) override;
    void BeginTable(int level, int columns, std::span<const int> widths) override;
    void EndTable() override;
    bool Row(const CRptTextRow& row) override;
    bool Runs(int level, std::span<const CRptRun> runs) override;
    bool FieldRow(int level, std::string_view label, std::string_view value,
                  std::string_view marks) override;
    bool SourceRow(int level, int number, std::string_view text) override;
    void PageBreak() override;

private:
    CRptWriter& m_writer;
    bool m_breakNext = false;
};

/// Elements laid out on pages (a pass that counts, or one that draws the context's target page),
/// or written by the context's export writer when it has one.
class CRptLayoutEmitter final : public IRptEmitter {
public:
    CRptLayoutEmitter(CRptPageLayout& layout, CRptFontSet& ctx);
    bool IsExport() const override { return m_export != nullptr; }
    void NextEntry() override;
    void Heading(int level, std::string_view text, bool pageBreak) override;
    void BeginTable(int level, int columns, std::span<const int> widths) override;
    void EndTable() override;
    bool Row(const CRptTextRow& row) override;
    bool Runs(int level, std::span<const CRptRun> runs) override;
    bool FieldRow(int level, std::string_view label, std::string_view value,
                  std::string_view marks) override;
    bool SourceRow(int level, int number, std::string_view text) override;
    void PageBreak() override;
    void Pictures(int level, std::span<const RptPicture> pictures, RptPlacement placement,
                  int maxWidth, int maxHeight, bool clearSide,
                  const RptPictureGaps* gaps = nullptr) override;
    bool GenerationRow(const CRptTextRow& row, const RptBulletStyle& style, bool second,
                       const RptBulletAt* from, RptBulletAt* at) override;

    CRptPageLayout& Layout() { return m_layout; }
    CRptFontSet& Context() { return m_ctx; }

private:
    /// The row's indent, kept to at most half the content's width.
    int KeptIndent(const CRptTextRow& row) const;
    /// The parts of the connector from one bullet to another that lie on the page drawn.
    void DrawConnector(const RptBulletAt& from, const RptBulletAt& to, COLORREF colour);

    CRptPageLayout& m_layout;
    CRptFontSet& m_ctx;
    std::unique_ptr<CRptWriterEmitter> m_export;
};
