// tests/queries/window/test_query_row.h: a filter row for tests of runs on the worker thread: it
// waits there until the run is cancelled (idle, or reading the records through the query's
// columns all the while), abandons the evaluation as a value of the wrong type does, or meets a
// fault of the program.
#pragma once

#include "common/abort.h"
#include "queries/query_def.h"
#include "queries/query_filter.h"
#include "queries/query_record_sets.h"

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

class CTestQueryRow final : public CAvFilter {
public:
    enum class Mode { WaitForCancel, ReadUntilCancel, Throw, Fault };
    /// What the row's fault says.
    static constexpr const char* kFaultText = "a row met a state it cannot be in";

    CTestQueryRow(CQueryDef* owner, Mode mode) : CAvFilter(owner), m_mode(mode) {}
    std::string Describe() const override { return "test"; }
    void Apply(CQueryRecordSets& sets, const std::atomic<bool>& cancelled) override
    {
        if (m_mode == Mode::Throw)
            ThrowAbort();
        if (m_mode == Mode::Fault)
            throw std::logic_error(kFaultText);
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::string text;
        while (!cancelled.load() && std::chrono::steady_clock::now() < limit) {
            if (m_mode == Mode::WaitForCancel) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            for (std::size_t i = 0; i < sets.GetCount(); ++i)
                for (const auto& column : GetOwner()->GetColumns())
                    column->m_ref.Evaluate(text, sets.GetRecord(i));
            std::this_thread::yield();
        }
    }
    bool RefersTo(long) const override { return false; }
    bool Save(std::string&) const override { return false; }
    bool NeedsParameter() const override { return false; }
    bool GetParameterPrompt(CParameterPrompt&) const override { return false; }
    bool SetParameter(const CTypedValue&) override { return false; }

private:
    Mode m_mode;
};
