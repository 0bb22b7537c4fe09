// diagrams/window/tree_opts_colours.h: the colour chooser over a diagram's colour entries.
#pragma once

#include "platform/base/types.h"

class CWnd;
class IDiagramColoursTarget;
struct DiagramColourEntry;

/// Runs the colour chooser over count entries; target (may be null) is told of every change as
/// it happens, and of the entries put back on Cancel. On OK the entries take the chosen colours
/// and transparent flags and TRUE is answered; saveAsDefault receives the chooser's own box,
/// shown only when showSaveAsDefault is set.
BOOL ChooseDiagramColours(CWnd* owner, DiagramColourEntry* entries, int count,
                          IDiagramColoursTarget* target, bool showSaveAsDefault,
                          bool* saveAsDefault);

/// Gives each entry the colour and transparent flag of the built-in row of its key name.
void ResetDiagramColours(DiagramColourEntry* entries, int count);
