// platform/ui/detail/program_fault.cpp: the message and the end of a program whose handler let a
// fault reach the event loop.
#include "platform/ui/detail/program_fault.h"

#include "platform/base/abandon.h"
#include "platform/base/prompt.h"
#include "platform/ui/windows/test_hooks.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace ui_detail {
namespace {

std::vector<std::string> g_faults;

std::string Describe(const std::exception_ptr& fault)
{
    try {
        std::rethrow_exception(fault);
    } catch (const std::exception& known) {
        return known.what();
    } catch (...) {
        return "an exception of an unknown kind";
    }
}

} // namespace

void HandleEscapedException(const std::exception_ptr& escaped)
{
    try {
        EndAbandonedOperation(escaped);
        return;
    } catch (...) {
    }
    const std::string what = Describe(escaped);
    std::fprintf(stderr, "Program fault: %s\n", what.c_str());
    std::fflush(stderr);
    MessageBox("The program met a fault it cannot recover from: " + what +
                   "\n\nIt will close now without saving, since the open file may have been "
                   "left half changed.  Changes autosaved before the fault are offered when the "
                   "file is next opened.",
               MB_OK | MB_ICONSTOP);
    if (TestHooks::IsEnabled()) {
        g_faults.push_back(what);
        return;
    }
    std::_Exit(kFaultExitCode);
}

std::vector<std::string> TakeProgramFaults()
{
    return std::exchange(g_faults, {});
}

} // namespace ui_detail
