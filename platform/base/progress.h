// platform/base/progress.h: how long operations report progress without knowing the window
// that shows it.
#pragma once

#include <string>
#include <vector>

class IProgress {
public:
    virtual ~IProgress() = default;
    virtual void BeginProgress(long range, const std::string& text) = 0;
    virtual void SetProgressPos(long pos) = 0;
    virtual void ResetProgress(long range, const std::string& text) = 0;
    virtual void EndProgress() = 0;
};

/// A progress sink that records every call, for tests of code that reports progress.
class CProgressRecorder final : public IProgress {
public:
    struct Call {
        enum Kind { Begin, SetPos, Reset, End };
        Kind kind;
        long value = 0; // the range of Begin and Reset, the position of SetPos
        std::string text;
        bool operator==(const Call&) const = default;
    };

    void BeginProgress(long range, const std::string& text) override;
    void SetProgressPos(long pos) override;
    void ResetProgress(long range, const std::string& text) override;
    void EndProgress() override;

    /// The calls since the last take, in order.
    std::vector<Call> TakeCalls();
    /// Whether a Begin is still waiting for its End.
    bool IsActive() const { return m_active; }

private:
    std::vector<Call> m_calls;
    bool m_active = false;
};
