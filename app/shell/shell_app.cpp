// app/shell/shell_app.cpp: the installed application.
#include "app/shell/shell_app.h"

namespace {

IShellApp* g_app = nullptr;

} // namespace

void SetShellApp(IShellApp* app)
{
    g_app = app;
}

IShellApp* GetShellApp()
{
    return g_app;
}
