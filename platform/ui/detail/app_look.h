// platform/ui/detail/app_look.h: what makes every run look and measure alike: the Fusion style,
// the palette of the fixed system colours, and the Liberation and DejaVu font files.
#pragma once

namespace ui_detail {

/// Sets the style and palette of the Qt application; once per application.
void SetUpApplicationLook();
/// Registers the font files found in the usual folders with the Qt application. Only for an
/// application that ends before the program does: Qt drops the fonts again when the
/// application ends, which fails once the program's statics are gone (the test programs' ends
/// with them, and finds the same files through the system's font configuration).
void RegisterFontFiles();

} // namespace ui_detail
