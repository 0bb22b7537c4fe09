// platform/base/wait_cursor.h: the busy cursor shown while long work runs, counted so that
// nested users show it once; the window layer installs the sink that changes the cursor.
#pragma once

class IWaitCursorSink {
public:
    virtual ~IWaitCursorSink() = default;
    /// Called with true when the first wait begins and false when the last one ends.
    virtual void ShowWaitCursor(bool show) = 0;
};

/// Without a sink the calls are only counted.
void SetWaitCursorSink(IWaitCursorSink* sink);

void BeginWaitCursor();
/// An End without a Begin does nothing.
void EndWaitCursor();
/// The number of waits begun and not yet ended.
int WaitCursorDepth();

/// Shows the wait cursor for its lifetime.
class CWaitCursor {
public:
    CWaitCursor() { BeginWaitCursor(); }
    ~CWaitCursor() { EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
