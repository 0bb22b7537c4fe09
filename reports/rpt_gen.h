// reports/rpt_gen.h: the common base of the report generators: one report's name, settings,
// chosen records and page layout; rebuilding it, drawing its pages and exporting it.
//
// Build runs compaction, PrepareEntries, the citation list and closing sources entry, the printer's
// canvas (the IRptDevice the window side passes), MeasurePage, PrepareHeaderFooter,
// ComputeMetrics and Paginate, in that order, refusing to nest and releasing its flag on every way
// out. The work list holds CRptRow entries: kind 3 a subject record (BuildBody), 4 the closing
// sources section (WriteReportSources), 6 a list's single item (WriteListRow). Bodies emit through
// EmitHeading, EmitRow, EmitRuns, WriteFieldRow, BeginTable, EndTable and NextEntry: laid out on
// pages, or written by the context's export writer (CRptFontSet::writer). SetMonitor gives a build
// or export its progress and the stop check (the window's CRptBuildStop).
//
// Traps: an export has a page layout of its own: the pages the window shows stay as built. A
// stopped export leaves the target file as it was; a stopped build keeps the pages laid out,
// entries after the stop have start page -1, and GetStoppedText says so. PurgeDeletedRecords must
// run before a repaint after records were deleted: it clears the records and attached fields being
// deleted, which pages then leave out.
#pragma once

#include "reports/report_body.h"
#include "reports/rpt_page_layout.h"
#include "reports/rpt_settings.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

/// What an export came to: written, or the message that tells the user why not (none when a
/// build was under way). A stopped export is told as information, a file that could not be
/// written as a warning.
struct RptExportOutcome {
    bool written = false;
    std::string failure;
    bool stopped = false;

    explicit operator bool() const { return written; }
};

class CDataNode;
class CRecordNode;
class CRptWriter;
class IProgress;
class IRptSelector;

/// Report type codes, fixed for the life of a generator.
enum RptType : int {
    kRptTypeInd = 0,
    kRptTypeFam = 1,
    kRptTypeSrc = 2,
    kRptTypeDesc = 3,
    kRptTypeAnc = 4,
    kRptTypeList = 5,
    kRptTypeRec = 6,
};

/// Entry kinds: one subject record, the closing sources section, the single work item of a list.
inline constexpr unsigned kRptRowRecord = 3, kRptRowSources = 4, kRptRowList = 6;

/// A field node attached to an entry; an owned node is freed with the entry.
struct CRptAttached {
    CDataNode* m_field = nullptr;
    bool m_owned = false;
};

/// One entry of a report's work list.
class CRptRow {
public:
    CRptRow() = default;
    CRptRow(unsigned kind, CDataNode* object) : m_kind(kind), m_object(object) {}
    virtual ~CRptRow();
    CRptRow(const CRptRow&) = delete;
    CRptRow& operator=(const CRptRow&) = delete;

    /// The subject record of a kind 3 entry; null for other kinds and once the record has gone.
    CRecordNode* GetRecord() const;
    /// Unlinks (and frees when owned) the attached item at index.
    void RemoveAttached(std::size_t index);

    unsigned m_kind = 0;
    /// The record for kind 3, otherwise the object of the kind (may be null).
    CDataNode* m_object = nullptr;
    int m_startPage = -1;
    int m_firstCitation = -1;
    int m_startOffset = 0;
    std::vector<CRptAttached> m_attached;
};

/// The report-wide list of the sources cited, which the closing sources section writes.
class IRptCitationList {
public:
    virtual ~IRptCitationList() = default;
    /// Forgets every citation whose node is being deleted.
    virtual void PurgeDeleted() = 0;
};

/// Where builds get their device: a canvas over the printer (the screen when no printer can be
/// had and allowScreen is set); null when none. The window side passes one; tests a fake.
class IRptDevice {
public:
    virtual ~IRptDevice() = default;
    virtual std::unique_ptr<IRptCanvas> CreatePrinterCanvas(bool landscape, bool allowScreen) = 0;
};

/// How the rebuild of a long report is watched: progress shown per entry, and a check asked
/// between entries that ends the build early (Escape in the report window).
struct RptBuildMonitor {
    IProgress* progress = nullptr;
    std::function<bool()> stop;
    /// Told the page (1-based) a build's pagination has reached each time a body asks stop: a
    /// report of a few long entries shows its progress in pages.
    std::function<void(int page)> pageReached = {};
};

class CRptGen : private IRptBody {
public:
    /// Stores the arguments and loads the settings from the report's file in the Standard or
    /// Custom reports folder (defaults when the name is refused or the file is missing).
    CRptGen(int type, std::string name, bool custom);
    ~CRptGen() override;
    CRptGen(const CRptGen&) = delete;
    CRptGen& operator=(const CRptGen&) = delete;

    int GetType() const { return m_type; }
    const std::string& GetName() const { return m_name; }
    bool IsCustom() const { return m_custom; }
    /// 0-7, or -1 for a report without subject records.
    int GetRecordType() const { return m_recordType; }
    CRptSettings& Settings() { return m_settings; }
    const CRptSettings& Settings() const { return m_settings; }
    std::vector<std::unique_ptr<CRptRow>>& Entries() { return m_entries; }
    const std::vector<std::unique_ptr<CRptRow>>& Entries() const { return m_entries; }
    int GetPageCount() const { return m_pageCount; }
    bool IsBuilding() const { return m_building; }
    bool IsStale() const { return m_stale; }
    /// The page layout of the last build (its metrics and entry starts); null before one.
    const CRptPageLayout* GetLayout() const { return m_layout.get(); }
    IRptCitationList* GetCitations() const { return m_citations.get(); }
    bool IsPaginationOnly() const { return m_paginationOnly; }
    /// Whether the last build was stopped by the user, and the sentence that says so (empty
    /// when it ran to the end).
    bool WasStopped() const;
    std::string GetStoppedText() const;
    void SetMonitor(RptBuildMonitor monitor) { m_monitor = std::move(monitor); }

    // The operations of every generator, in their order.
    /// Draws one page on canvas (fonts made, mapping set); nothing beyond the page count.
    virtual void PrintPage(IRptCanvas& canvas, int page);
    /// Rebuilds the whole report on the page of device's printer; false when a build runs
    /// already, no canvas can be had, the page cannot be measured or the build failed (memory
    /// ran out included). A build stopped by the user answers true with the pages laid out so
    /// far (WasStopped).
    virtual bool Build(IRptDevice& device, bool paginateOnly);
    virtual bool MeasurePage(IRptCanvas& canvas);
    virtual bool PrepareHeaderFooter();
    virtual bool ComputeMetrics(CRptFontSet& ctx);
    virtual bool Paginate(CRptFontSet& ctx);
    virtual void PrepareEntries();
    virtual void PurgeDeletedRecords();
    /// Asks selector (the Select Records dialog) for the subject records; false on Cancel or for
    /// a report without a record type, the entries then unchanged.
    virtual bool SelectRecords(IRptSelector& selector);
    virtual void SetupMapping(IRptCanvas& canvas);
    virtual bool CanPrint(bool preview);
    /// Draws page (1-based, as print jobs count) when it lies within the report; false beyond
    /// the page count, which ends the job.
    virtual bool PrintCurrentPage(IRptCanvas& canvas, int page);
    virtual void OnBeginPrinting();
    virtual void OnEndPrinting();
    virtual void OnEndPrintPreview();
    /// Puts the page count into maxPage; returns 1.
    virtual int SetPrintPageRange(int& maxPage);
    /// The body of one kind 3 entry; false when the pass may stop (drawing has passed its page).
    virtual bool BuildBody(CRptFontSet& ctx, int index);
    /// The closing sources section (kind 4 entry).
    virtual bool WriteReportSources(CRptFontSet& ctx, int index);
    /// The single entry of a List report (kind 6).
    virtual bool WriteListRow(CRptFontSet& ctx, int index);
    /// What "=Record()" shows for an entry: a kind 3 entry's record text, else empty.
    virtual void GetEntryTitle(const CRptRow& entry, std::string& out) const = 0;

    /// Replaces the entries by one kind 3 entry per record, in the order given.
    void TakeSelectedRecords(std::span<CRecordNode* const> records);
    /// Keeps only the kind 3 entries that still hold a record, in order.
    void CompactRecordEntries();
    /// Drops the entries and the page geometry; the layout is stale when asked.
    void Reset(bool stale);
    /// Marks the layout stale when the page or resolution of device's printer changed or no
    /// printer context can be had.
    void CheckPrinterChanged(IRptDevice& device);
    bool GetMargins(int& top, int& bottom, int& left, int& right) const;

    /// Writes the whole report to path as HTML, RTF or text (kRptHtml, kRptRtf, kRptText),
    /// beside it and then renamed over it. A stopped or failed export leaves path as it was, and
    /// the outcome says which and in what words. A text file's rule lines are textWidth
    /// characters wide (0: the writer's 80).
    RptExportOutcome Export(const std::string& path, int kind, int textWidth = 0);

    // The elements bodies emit: laid out on pages, or written by the context's export writer.
    void EmitHeading(CRptFontSet& ctx, int level, std::string_view text, int minHeight = 0,
                     bool defer = false, bool pageBreak = false);
    bool EmitRow(CRptFontSet& ctx, std::string_view text, std::string_view marks, int indentKind,
                 int indent, int level, int part);
    bool EmitRuns(CRptFontSet& ctx, int level, std::span<const RptRun> runs,
                  bool keepTogether = false);
    /// A labelled row: one line in plain text, else a label run and a value run.
    bool WriteFieldRow(CRptFontSet& ctx, int level, std::string_view label, std::string_view value,
                       std::string_view marks = {});
    /// Tables and entry starts mean something only to an export writer.
    void BeginTable(CRptFontSet& ctx, int level, int columns, std::span<const int> widths = {},
                    bool tableFlag = false);
    void EndTable(CRptFontSet& ctx);
    void NextEntry(CRptFontSet& ctx);

protected:
    /// The report-wide citation list a build makes when sources close the report; none here.
    virtual std::unique_ptr<IRptCitationList> CreateCitationList();
    /// The page layout built from the settings for the build that runs.
    CRptPageLayout& Layout() { return *m_layout; }
    /// Whether the user asked the build or export that ctx serves to stop (Escape): a body asks
    /// between its lines, so that one long entry ends early too. Drawing a page never stops.
    bool StopRequested(const CRptFontSet& ctx) const;

    int m_recordType = -1;

private:
    int GetEntryCount() const override;
    bool RunEntry(int index, CRptPageLayout& layout, CRptFontSet& ctx) override;
    bool EntryExists(int index) const override;
    std::string GetEntryTitle(int index) const override;
    /// Today's date in the settings' date format.
    std::string TodayText() const;
    /// Runs every entry through the context's export writer.
    void WriteEntries(CRptFontSet& ctx);

    int m_type;
    std::string m_name;
    bool m_custom;
    std::vector<std::unique_ptr<CRptRow>> m_entries;
    std::unique_ptr<CRptPageLayout> m_layout;
    RptDevicePage m_device;
    int m_pageCount = 0;
    bool m_building = false;
    bool m_stale = false;
    CRptSettings m_settings;
    std::unique_ptr<IRptCitationList> m_citations;
    bool m_paginationOnly = false;
    RptBuildMonitor m_monitor;
};
