// diagrams/window/title_look.h: what drawing a title block takes from the diagram's title record.
#pragma once

#include "diagrams/window/title_block.h"

struct CDiagramTitle;

/// The title's frame, text, frame switch, colours (the background's transparency too), font and
/// margins.
TitleBlockLook LookOfTitle(const CDiagramTitle& title);
