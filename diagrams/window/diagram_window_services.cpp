// diagrams/window/diagram_window_services.cpp: the installed diagram defaults and change feed of
// new windows.
#include "diagrams/window/diagram_window_services.h"

#include <stdexcept>

namespace {

CDiagramDefaults* g_defaults = nullptr;
CDiagramChangeFeed* g_changes = nullptr;

} // namespace

void SetDiagramWindowDefaults(CDiagramDefaults* defaults)
{
    g_defaults = defaults;
}

bool HasDiagramWindowDefaults()
{
    return g_defaults != nullptr;
}

CDiagramDefaults& DiagramWindowDefaults()
{
    if (!g_defaults)
        throw std::logic_error("A Diagram window was made with no diagram defaults installed.");
    return *g_defaults;
}

void SetDiagramWindowChanges(CDiagramChangeFeed* changes)
{
    g_changes = changes;
}

CDiagramChangeFeed* DiagramWindowChanges()
{
    return g_changes;
}
