// diagrams/window/title_look.cpp: a title record as a title block's look.
#include "diagrams/window/title_look.h"

#include "diagrams/diagram_settings.h"

TitleBlockLook LookOfTitle(const CDiagramTitle& title)
{
    TitleBlockLook look;
    look.rect = title.frame;
    look.text = title.text;
    look.frame = title.showFrame;
    look.textColour = title.textColour.colour;
    look.backColour = title.backgroundColour.colour;
    look.transparent =
        title.backgroundColour.transparencyAllowed && title.backgroundColour.transparent;
    look.font = title.font;
    look.xMargin = title.marginX;
    look.yMargin = title.marginY;
    return look;
}
