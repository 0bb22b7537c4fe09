// reports/rpt_gen.cpp: the report generator base: its entries, the rebuild on the printer's page,
// drawing and printing pages, and purging records that are being deleted.
#include "reports/rpt_gen.h"

#include "database/dates/date_format.h"
#include "database/dates/date_node.h"
#include "database/nodes/change_tracking.h"
#include "database/records/record_node.h"
#include "platform/base/ole_date_time.h"
#include "platform/base/wait_cursor.h"
#include "reports/rpt_catalogue.h"
#include "reports/rpt_select.h"
#include "reports/rpt_writer.h"
#include "templates/settings_store.h"

#include <algorithm>
#include <new>

namespace {

/// Clears a flag on every way out of the scope.
class CFlagRelease {
public:
    explicit CFlagRelease(bool& flag) : m_flag(flag) { m_flag = true; }
    ~CFlagRelease() { m_flag = false; }
    CFlagRelease(const CFlagRelease&) = delete;
    CFlagRelease& operator=(const CFlagRelease&) = delete;

private:
    bool& m_flag;
};

} // namespace

CRptRow::~CRptRow()
{
    for (const CRptAttached& item : m_attached)
        if (item.m_owned)
            delete item.m_field;
}

CRecordNode* CRptRow::GetRecord() const
{
    return m_kind == kRptRowRecord ? static_cast<CRecordNode*>(m_object) : nullptr;
}

void CRptRow::RemoveAttached(std::size_t index)
{
    if (index >= m_attached.size())
        return;
    const CRptAttached item = m_attached[index];
    m_attached.erase(m_attached.begin() + std::ptrdiff_t(index));
    if (item.m_owned)
        delete item.m_field;
}

CRptGen::CRptGen(int type, std::string name, bool custom)
    : m_type(type), m_name(std::move(name)), m_custom(custom)
{
    const std::string path = GetReportFilePath(m_name, m_custom);
    if (!path.empty())
        m_settings.Load(CSettingsStore(path));
}

CRptGen::~CRptGen() = default;

bool CRptGen::WasStopped() const
{
    return m_layout && m_layout->WasStopped();
}

std::string CRptGen::GetStoppedText() const
{
    return m_layout ? m_layout->GetStoppedText() : std::string();
}

std::string CRptGen::TodayText() const
{
    return FormatDateText(COleDateTime::GetCurrentTime(), m_settings.m_format.m_dateFormat,
                          GetDateLocale());
}

void CRptGen::PrintPage(IRptCanvas& canvas, int page)
{
    if (m_layout && page >= 0 && page < m_pageCount)
        m_layout->PrintPage(*this, canvas, page);
}

bool CRptGen::Build(IRptDevice& device, bool paginateOnly)
{
    if (m_building)
        return false;
    CFlagRelease building(m_building);
    CWaitCursor wait;
    bool result = false;
    try {
        CompactRecordEntries();
        PrepareEntries();
        m_citations.reset();
        m_paginationOnly = false;
        m_pageCount = 0;
        m_layout = std::make_unique<CRptPageLayout>(m_settings.GetPageSettings());
        std::unique_ptr<IRptCanvas> canvas =
            device.CreatePrinterCanvas(m_settings.m_layout.m_landscape, true);
        if (!canvas)
            return false;
        if (MeasurePage(*canvas) && PrepareHeaderFooter()) {
            if (paginateOnly) {
                m_paginationOnly = true;
            } else if (m_settings.SourceFlag(kRptIncludeSources) &&
                       !m_settings.SourceFlag(kRptSourcesEndEntry)) {
                m_citations = CreateCitationList();
                m_entries.push_back(std::make_unique<CRptRow>(kRptRowSources, nullptr));
            }
            CRptFontSet ctx;
            ctx.Create(m_layout->Settings(), canvas.get());
            result = ComputeMetrics(ctx) && Paginate(ctx);
        }
        m_stale = false;
    } catch (const std::bad_alloc&) {
        // A report of many pages can run out of memory: the build fails and says so. Any other
        // exception is a fault of the program and goes through.
        result = false;
    }
    return result;
}

bool CRptGen::MeasurePage(IRptCanvas& canvas)
{
    m_device = canvas.GetDevicePage();
    return m_layout->MeasurePage(canvas);
}

bool CRptGen::PrepareHeaderFooter()
{
    m_layout->PrepareHeaderFooter(m_name, TodayText());
    return true;
}

bool CRptGen::ComputeMetrics(CRptFontSet& ctx)
{
    m_layout->ComputeMetrics(ctx);
    return true;
}

bool CRptGen::Paginate(CRptFontSet& ctx)
{
    const RptBuildResult result =
        m_layout->Paginate(*this, ctx, m_monitor.progress, m_monitor.stop);
    m_pageCount = m_layout->GetPageCount();
    const std::vector<RptEntryStart>& starts = m_layout->GetEntryStarts();
    for (std::size_t i = 0; i < m_entries.size() && i < starts.size(); ++i) {
        m_entries[i]->m_startPage = starts[i].page;
        m_entries[i]->m_startOffset = starts[i].offset;
        m_entries[i]->m_firstCitation = starts[i].firstCitation;
    }
    return result != RptBuildResult::Failed;
}

void CRptGen::PrepareEntries() {}

void CRptGen::PurgeDeletedRecords()
{
    // Restart points hold the records of a walk, which an edit may unlink or delete: the walk
    // runs from its entry's start again.
    if (m_layout)
        m_layout->ForgetRestarts();
    if (HasNoDeletedChanges())
        return;
    for (const std::unique_ptr<CRptRow>& entry : m_entries) {
        for (std::size_t i = entry->m_attached.size(); i-- > 0;) {
            const CDataNode* field = entry->m_attached[i].m_field;
            if (field && field->IsPendingDeletion())
                entry->RemoveAttached(i);
        }
        if (entry->m_kind == kRptRowRecord && entry->m_object &&
            entry->m_object->IsPendingDeletion())
            entry->m_object = nullptr;
    }
    if (m_citations)
        m_citations->PurgeDeleted();
}

bool CRptGen::SelectRecords(IRptSelector& selector)
{
    if (m_recordType < 0 || m_recordType > 7)
        return false;
    // The dialog starts with the report's own records, in their order.
    std::vector<CRecordNode*> current, chosen;
    for (const std::unique_ptr<CRptRow>& entry : m_entries)
        if (entry->m_kind == kRptRowRecord)
            if (CRecordNode* record = entry->GetRecord())
                current.push_back(record);
    if (!selector.SelectRecordsFrom(m_recordType, current, chosen))
        return false;
    TakeSelectedRecords(chosen);
    return true;
}

void CRptGen::SetupMapping(IRptCanvas& canvas)
{
    if (m_layout && m_layout->Metrics().pageWidth > 0)
        canvas.SetupMapping(m_layout->Metrics().pageWidth, m_layout->Metrics().pageHeight);
}

bool CRptGen::CanPrint(bool /*preview*/)
{
    return true;
}

bool CRptGen::PrintCurrentPage(IRptCanvas& canvas, int page)
{
    if (page < 1 || page > m_pageCount)
        return false;
    PrintPage(canvas, page - 1);
    return true;
}

void CRptGen::OnBeginPrinting() {}

void CRptGen::OnEndPrinting() {}

void CRptGen::OnEndPrintPreview() {}

int CRptGen::SetPrintPageRange(int& maxPage)
{
    maxPage = m_pageCount;
    return 1;
}

bool CRptGen::BuildBody(CRptFontSet& /*ctx*/, int /*index*/)
{
    return true;
}

bool CRptGen::WriteReportSources(CRptFontSet& /*ctx*/, int /*index*/)
{
    return true;
}

bool CRptGen::WriteListRow(CRptFontSet& /*ctx*/, int /*index*/)
{
    return true;
}

std::unique_ptr<IRptCitationList> CRptGen::CreateCitationList()
{
    return nullptr;
}

void CRptGen::TakeSelectedRecords(std::span<CRecordNode* const> records)
{
    m_entries.clear();
    m_entries.reserve(records.size());
    for (CRecordNode* record : records)
        m_entries.push_back(std::make_unique<CRptRow>(kRptRowRecord, record));
}

void CRptGen::CompactRecordEntries()
{
    std::vector<CRecordNode*> records;
    records.reserve(m_entries.size());
    for (const std::unique_ptr<CRptRow>& entry : m_entries)
        if (CRecordNode* record = entry->GetRecord())
            records.push_back(record);
    TakeSelectedRecords(records);
}

void CRptGen::Reset(bool stale)
{
    m_entries.clear();
    m_layout.reset();
    m_device = {};
    m_pageCount = 0;
    m_stale = stale;
}

void CRptGen::CheckPrinterChanged(IRptDevice& device)
{
    if (m_stale)
        return;
    std::unique_ptr<IRptCanvas> canvas =
        device.CreatePrinterCanvas(m_settings.m_layout.m_landscape, true);
    if (!canvas) {
        m_stale = true;
        return;
    }
    const RptDevicePage now = canvas->GetDevicePage();
    if (now.dpiX < 1 || now.dpiY < 1) {
        m_stale = true;
        return;
    }
    const auto points = [](int pixels, int dpi) { return dpi > 0 ? 72 * pixels / dpi : 0; };
    m_stale =
        now.physicalWidth != m_device.physicalWidth ||
        now.physicalHeight != m_device.physicalHeight ||
        points(now.physicalWidth, now.dpiX) != points(m_device.physicalWidth, m_device.dpiX) ||
        points(now.physicalHeight, now.dpiY) != points(m_device.physicalHeight, m_device.dpiY);
}

bool CRptGen::GetMargins(int& top, int& bottom, int& left, int& right) const
{
    const RptPageMetrics metrics = m_layout ? m_layout->Metrics() : RptPageMetrics{};
    top = metrics.marginTop;
    bottom = metrics.marginBottom;
    left = metrics.marginLeft;
    right = metrics.marginRight;
    return true;
}

int CRptGen::GetEntryCount() const
{
    return int(m_entries.size());
}

bool CRptGen::RunEntry(int index, CRptPageLayout& /*layout*/, CRptFontSet& ctx)
{
    switch (m_entries[std::size_t(index)]->m_kind) {
    case kRptRowRecord:
        return BuildBody(ctx, index);
    case kRptRowSources:
        return WriteReportSources(ctx, index);
    case kRptRowList:
        return WriteListRow(ctx, index);
    default:
        return true;
    }
}

bool CRptGen::StopRequested(const CRptFontSet& ctx) const
{
    if (!ctx.writer && ctx.Counting() && m_monitor.pageReached)
        m_monitor.pageReached(ctx.page + 1);
    return (ctx.writer || ctx.Counting()) && m_monitor.stop && m_monitor.stop();
}

bool CRptGen::EntryExists(int index) const
{
    const CRptRow& entry = *m_entries[std::size_t(index)];
    return entry.m_kind != kRptRowRecord || entry.m_object != nullptr;
}

std::string CRptGen::GetEntryTitle(int index) const
{
    std::string title;
    if (index >= 0 && index < int(m_entries.size()))
        GetEntryTitle(*m_entries[std::size_t(index)], title);
    return title;
}
