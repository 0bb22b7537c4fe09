// queries/query_run.h: one run of a query on the worker thread, which the interface thread
// starts, may cancel at any moment, and reads the outcome (or the fault) of once the worker has
// ended.
#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <thread>

class CQueryDef;

enum QueryRunOutcome : int {
    QRO_RUNNING = 0,
    QRO_FOUND = 1,     // the result is complete
    QRO_CANCELLED = 2, // the result holds what was found before the cancel; discard it
    QRO_FAILED = 3,    // evaluation failed; the query's error flag is set
};

/// The worker and the interface thread share only the query's cancelled and error flags
/// (atomic) and the finished flag; the worker writes the query's result and any fault, which
/// the interface thread reads only after Wait. The run holds a reference to the query, so closing
/// the window that showed it cannot free it under the worker. Meanwhile the interface thread must
/// leave the query and the data set alone.
class CQueryRun final {
public:
    CQueryRun() = default;
    /// A run still going is cancelled and waited for.
    ~CQueryRun();
    CQueryRun(const CQueryRun&) = delete;
    CQueryRun& operator=(const CQueryRun&) = delete;

    /// Starts EvaluateQuery on a new worker thread, after clearing the query's flags here (so
    /// a Cancel from now on is never lost). Parameters are asked before (AskQueryParameters).
    /// onFinished, when given, is called on the worker thread once the run has ended (to wake
    /// the interface thread's loop). False when a run is going already or there is no query.
    bool Start(std::shared_ptr<CQueryDef> query, std::function<void()> onFinished = {});
    /// Asks the worker to stop; it stops between two records. Harmless when nothing runs.
    void Cancel();
    /// Whether the worker has ended (the interface thread polls it while it keeps painting).
    bool IsFinished() const { return m_finished.load(std::memory_order_acquire); }
    /// Waits for the worker to end; the outcome. QRO_RUNNING only when nothing was started.
    /// A fault of the program that ended the evaluation (anything EvaluateQuery lets through:
    /// not an abandoned operation, which sets the error flag) is thrown on from here, once,
    /// so that the interface thread treats it as a fault of its own; a later Wait answers
    /// QRO_FAILED. A run destroyed with its fault not taken drops it.
    QueryRunOutcome Wait();
    const std::shared_ptr<CQueryDef>& GetQuery() const { return m_query; }

private:
    std::shared_ptr<CQueryDef> m_query;
    std::thread m_worker;
    std::atomic<bool> m_finished = false;
    bool m_found = false;       // written by the worker, read after the join
    std::exception_ptr m_fault; // likewise
};
