// records/properties/box_placement.h: where the record properties box moves so that it does not
// cover a rectangle the caller wants to keep in sight.
#pragma once

#include "platform/base/geometry.h"

/// The gap kept between the box and the rectangle or the screen's edge.
inline constexpr int kAvoidMargin = 20;

/// The box's new screen rectangle. A box that does not meet avoid stays. Otherwise it goes
/// above avoid when its centre is above avoid's centre and it fits there, else below when it
/// fits, else above when it fits, and else to the top of the screen when avoid's centre is in
/// the lower half, to the bottom otherwise. Above, it moves a further gap up when its top stays
/// at least a gap below the screen's top; below, a further gap down when a gap remains under
/// it.
CRect PlaceAvoiding(const CRect& box, const CRect& avoid, int screenHeight);
