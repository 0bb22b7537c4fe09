// platform/base/abandon.cpp: the causes of abandoned operations.
#include "platform/base/abandon.h"

#include <new>
#include <stdexcept>
#include <utility>

namespace {

std::function<void(const std::string&)>& OutOfMemoryReport()
{
    static std::function<void(const std::string&)> report;
    return report;
}

} // namespace

AbandonCause CauseOfAbandon()
{
    try {
        throw;
    } catch (const COperationAborted&) {
        return AbandonCause::Aborted;
    } catch (const std::bad_alloc&) {
        return AbandonCause::OutOfMemory;
    } catch (const std::length_error&) {
        return AbandonCause::OutOfMemory;
    }
}

AbandonCause EndAbandonedOperation()
{
    const AbandonCause cause = CauseOfAbandon();
    if (cause == AbandonCause::OutOfMemory)
        ReportOutOfMemory();
    return cause;
}

AbandonCause CauseOfAbandon(const std::exception_ptr& kept)
{
    try {
        std::rethrow_exception(kept);
    } catch (...) {
        return CauseOfAbandon();
    }
}

AbandonCause EndAbandonedOperation(const std::exception_ptr& kept)
{
    const AbandonCause cause = CauseOfAbandon(kept);
    if (cause == AbandonCause::OutOfMemory)
        ReportOutOfMemory();
    return cause;
}

void ReportOutOfMemory()
{
    if (const auto& report = OutOfMemoryReport())
        report("Memory error");
}

void SetOutOfMemoryReport(std::function<void(const std::string&)> report)
{
    OutOfMemoryReport() = std::move(report);
}
