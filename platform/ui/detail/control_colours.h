// platform/ui/detail/control_colours.h: a control asks its parent window for its colours before it
// paints.
#pragma once

class QRect;
class QWidget;

namespace ui_detail {

/// Called as the control starts painting area of widget (empty when the paint is its viewport's):
/// sends the control's colour request to its parent window and paints with the answer: the text
/// in the device context's text colour (when the parent changed it), the background in the
/// colour of the brush returned (a hollow or null brush keeps the usual one). Edits, statics,
/// check boxes, radio buttons, group boxes and list boxes ask; other controls are left alone.
void AskControlColours(QWidget& widget, const QRect& area);

} // namespace ui_detail
