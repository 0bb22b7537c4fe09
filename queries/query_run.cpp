// queries/query_run.cpp: one run of a query on the worker thread, which the interface thread
// starts, may cancel at any moment, and reads the outcome (or the fault) of once the worker has
// ended.
#include "queries/query_run.h"

#include "queries/query_def.h"
#include "queries/query_eval.h"

#include <utility>

CQueryRun::~CQueryRun()
{
    if (m_worker.joinable()) {
        Cancel();
        m_worker.join();
    }
}

bool CQueryRun::Start(std::shared_ptr<CQueryDef> query, std::function<void()> onFinished)
{
    if (!query || m_worker.joinable())
        return false;
    m_query = std::move(query);
    m_query->CancelledFlag().store(false);
    m_query->ErrorFlag().store(false);
    m_finished.store(false);
    m_found = false;
    m_fault = nullptr;
    CQueryDef* target = m_query.get();
    m_worker = std::thread([this, target, onFinished = std::move(onFinished)] {
        // A fault left to end the thread would end the program through std::terminate,
        // with no word said: it is kept for the interface thread instead.
        try {
            m_found = EvaluateQuery(*target);
        } catch (...) {
            m_fault = std::current_exception();
            target->ErrorFlag().store(true);
        }
        m_finished.store(true, std::memory_order_release);
        if (onFinished)
            onFinished();
    });
    return true;
}

void CQueryRun::Cancel()
{
    if (m_query)
        m_query->CancelledFlag().store(true);
}

QueryRunOutcome CQueryRun::Wait()
{
    if (!m_query)
        return QRO_RUNNING;
    if (m_worker.joinable())
        m_worker.join();
    if (m_fault)
        std::rethrow_exception(std::exchange(m_fault, nullptr));
    if (m_found)
        return QRO_FOUND;
    return m_query->ErrorFlag().load() ? QRO_FAILED : QRO_CANCELLED;
}
