// tests/queries/window/test_query_row.h: a filter row for tests of runs on the worker thread: it
// waits there until the run is cancelled, or abandons the evaluation as a value of the wrong type
// does.
#pragma once

#include "common/abort.h"
#include "queries/query_filter.h"

#include <chrono>
#include <thread>

class CTestQueryRow final : public CAvFilter {
public:
    enum class Mode { WaitForCancel, Throw };
    CTestQueryRow(CQueryDef* owner, Mode mode) : CAvFilter(owner), m_mode(mode) {}
    std::string Describe() const override { return "test"; }
    void Apply(CQueryRecordSets&, const std::atomic<bool>& cancelled) override
    {
        if (m_mode == Mode::Throw)
            ThrowAbort();
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!cancelled.load() && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    bool RefersTo(long) const override { return false; }
    bool Save(std::string&) const override { return false; }
    bool NeedsParameter() const override { return false; }
    bool GetParameterPrompt(CParameterPrompt&) const override { return false; }
    bool SetParameter(const CTypedValue&) override { return false; }

private:
    Mode m_mode;
};
