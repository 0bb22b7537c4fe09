// diagrams/window/tree_opts_font.h: choosing a diagram font in points as it prints: heights are
// kept in diagram units and shown in the font dialog at the size they print on the page.
//
// ChooseDiagramFont and ChooseTitleFont choose in printed points; the printer's page proportions
// are 100 by 100 without a printer.
#pragma once

#include "platform/base/log_font.h"

class CDiagramSettings;
class CWnd;

/// The font dialog over font (height in diagram units). With the program's printer in the
/// settings' orientation, the dialog shows the height as the points it prints at on a page of
/// the settings' page height; on OK the height is converted back (in tenths of a point). With
/// pageScaling the font keeps its height and the page is sized instead so that it prints at
/// the chosen size: the page height changes and the width follows the printer's proportions.
/// Without a printer the font is shown and taken unconverted. True on OK.
bool ChooseDiagramFont(CWnd* parent, LOGFONT& font, CDiagramSettings& settings, bool pageScaling);

/// The same for a title's font, whose height is taken back in whole points.
bool ChooseTitleFont(CWnd* parent, LOGFONT& font, const CDiagramSettings& settings);

/// The printable page of the program's printer in the orientation, in printer pixels; 100 by
/// 100 without a printer.
void GetPrinterPageProportions(bool landscape, int& width, int& height);
