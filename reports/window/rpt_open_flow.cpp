// reports/window/rpt_open_flow.cpp: a report opened by name, from its file to its window.
#include "reports/window/rpt_open_flow.h"

#include "platform/base/prompt.h"
#include "platform/base/wait_cursor.h"
#include "reports/rpt_gen.h"
#include "reports/rpt_select.h"

#include <new>
#include <string>
#include <vector>

namespace {

constexpr const char* kDisplayError = "An error has occurred - unable to display report";

void Tell(const std::string& text)
{
    MessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

/// The record type (0-7) whose records a report of type is about; -1 for a List report, -2 for
/// a type or record type not known.
int SubjectRecordType(int type, int recordType)
{
    switch (type) {
    case kRptTypeInd:
    case kRptTypeDesc:
    case kRptTypeAnc:
        return 0;
    case kRptTypeFam:
        return 1;
    case kRptTypeSrc:
        return 3;
    case kRptTypeRec:
        return recordType >= 0 && recordType <= 7 ? recordType : -2;
    case kRptTypeList:
        return -1;
    default:
        return -2;
    }
}

} // namespace

CRptOpenFlow::CRptOpenFlow(IRptSelector& selector, RptGenMaker maker, RptWindowOpener show,
                           std::function<void()> idle)
    : m_selector(selector), m_maker(std::move(maker)), m_show(std::move(show)),
      m_idle(std::move(idle))
{
}

bool CRptOpenFlow::OpenReport(std::string_view name, bool custom) const
{
    int type = -1, recordType = -1;
    std::string refusal;
    if (!LocateReport(name, custom, m_idle, type, recordType, refusal)) {
        Tell(refusal);
        return false;
    }
    return DisplayReport(type, name, custom, recordType);
}

bool CRptOpenFlow::DisplayReport(int type, std::string_view name, bool custom, int recordType) const
{
    const int selectType = SubjectRecordType(type, recordType);
    if (selectType < -1) {
        Tell(kRptTypeNotRecognised);
        return false;
    }
    std::vector<CRecordNode*> chosen;
    RptGenRequest request{
        type, std::string(name), custom, type == kRptTypeRec ? recordType : -1, {}};
    if (type == kRptTypeList ? !m_selector.SelectNamedList(request.listName)
                             : !m_selector.SelectRecords(selectType, chosen))
        return false;
    bool shown = false;
    // A report of many records can run out of memory: that is told like any report the window
    // cannot take. Other exceptions are faults and go through.
    try {
        CWaitCursor wait;
        std::unique_ptr<CRptGen> report = m_maker ? m_maker(request) : nullptr;
        if (report) {
            if (type == kRptTypeList)
                report->PrepareEntries();
            else
                report->TakeSelectedRecords(chosen);
            shown = m_show && m_show(std::move(report));
        }
    } catch (const std::bad_alloc&) {
        shown = false;
    }
    if (!shown)
        Tell(kDisplayError);
    return shown;
}
