// reports/window/rpt_open_flow.h: opening a report by name, as the Reports menu and the saved
// report menus do: the report is located in its folder, the user chooses its subject records
// (or its named list), the generator is made and a Report window shows it.
//
// CRptOpenFlow is given what it uses (the selector, the maker of generators, the window that
// shows them and the idle step of the wait for a standard report being restored) and keeps
// nothing else. Messages say what went wrong; Cancel in a selection ends quietly.
//
// Trap: a generator that cannot be made for want of memory is told as a report that cannot be
// displayed; any other exception goes through, as a fault of the program.
#pragma once

#include "reports/rpt_catalogue.h"

#include <functional>
#include <memory>
#include <string_view>

class CRptGen;
class IRptSelector;

/// Makes the generator a request asks for; null when it cannot.
using RptGenMaker = std::function<std::unique_ptr<CRptGen>(const RptGenRequest&)>;
/// Shows a generator in a Report window, which takes it (true) or lets it go.
using RptWindowOpener = std::function<bool(std::unique_ptr<CRptGen>)>;

class CRptOpenFlow {
public:
    /// idle runs over and over while a restored standard report is awaited; none: the wait sleeps.
    CRptOpenFlow(IRptSelector& selector, RptGenMaker maker, RptWindowOpener show,
                 std::function<void()> idle = {});

    /// Opens a report by name from the Standard or Custom folder (LocateReport), then displays
    /// it. False when no report was shown.
    bool OpenReport(std::string_view name, bool custom) const;
    /// Asks for the subject records (or the named list), makes the generator and hands it to the
    /// window. False when cancelled or refused (with its message).
    bool DisplayReport(int type, std::string_view name, bool custom, int recordType) const;

private:
    IRptSelector& m_selector;
    RptGenMaker m_maker;
    RptWindowOpener m_show;
    std::function<void()> m_idle;
};
