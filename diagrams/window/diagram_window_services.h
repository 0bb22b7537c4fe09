// diagrams/window/diagram_window_services.h: what a Diagram window takes from the program as the
// framework makes it by its class, with no way to be handed anything: the program's diagram
// defaults and the feed of change notices, which it gives its document. The application installs
// them from start-up to exit; tests install their own.
#pragma once

class CDiagramChangeFeed;
class CDiagramDefaults;

/// Installs the defaults that every Diagram window made from now on gives its document; null
/// takes them out.
void SetDiagramWindowDefaults(CDiagramDefaults* defaults);
bool HasDiagramWindowDefaults();
/// The installed defaults; std::logic_error when none are installed.
CDiagramDefaults& DiagramWindowDefaults();

/// Installs the feed whose change notices the document of every Diagram window made from now on
/// follows; null takes it out (and such documents follow nothing).
void SetDiagramWindowChanges(CDiagramChangeFeed* changes);
CDiagramChangeFeed* DiagramWindowChanges();
