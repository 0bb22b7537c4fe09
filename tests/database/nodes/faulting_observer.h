// tests/database/nodes/faulting_observer.h: a change-notice observer that meets a program fault at
// the next notice, for tests that a fault passing through a broadcast leaves nothing half set.
#pragma once

#include "database/nodes/data_observer.h"

#include <stdexcept>

namespace node_test {

/// Throws std::logic_error (a fault of the program, not an abandoned operation) at the next
/// notice while armed, disarming itself; every other notice goes on to next.
class CFaultingObserver final : public IDataObserver {
public:
    explicit CFaultingObserver(IDataObserver& next) : m_next(next) {}
    void OnDataChanged(CObject* sender, LPARAM hint, CObject* object, bool modify) override
    {
        if (m_armed) {
            m_armed = false;
            throw std::logic_error("injected fault");
        }
        m_next.OnDataChanged(sender, hint, object, modify);
    }
    bool m_armed = true;

private:
    IDataObserver& m_next;
};

} // namespace node_test
