// platform/base/flag_guard.h: a flag raised for the length of a scope, such as "committing" or
// "broadcasting", and lowered again however the scope is left, an exception included.
#pragma once

/// Sets flag to value for its lifetime and then puts back the value the flag had before, so that a
/// fault passing through the guarded work never leaves the flag raised, and a guard inside another
/// guard of the same flag leaves it as the outer one set it.
class CFlagGuard {
public:
    explicit CFlagGuard(bool& flag, bool value = true) : m_flag(flag), m_before(flag)
    {
        m_flag = value;
    }
    ~CFlagGuard() { m_flag = m_before; }
    CFlagGuard(const CFlagGuard&) = delete;
    CFlagGuard& operator=(const CFlagGuard&) = delete;

private:
    bool& m_flag;
    const bool m_before;
};
