// platform/base/wait_cursor.cpp: the counted wait cursor. It is used on the window thread only.
#include "platform/base/wait_cursor.h"

namespace {

IWaitCursorSink* g_sink = nullptr;
int g_depth = 0;

} // namespace

void SetWaitCursorSink(IWaitCursorSink* sink)
{
    g_sink = sink;
}

void BeginWaitCursor()
{
    if (++g_depth == 1 && g_sink)
        g_sink->ShowWaitCursor(true);
}

void EndWaitCursor()
{
    if (g_depth == 0)
        return;
    if (--g_depth == 0 && g_sink)
        g_sink->ShowWaitCursor(false);
}

int WaitCursorDepth()
{
    return g_depth;
}
