// platform/ui/detail/rc_names.h: the style names and virtual-key names that resource scripts may
// use, with their classic numeric values.
#pragma once

#include "platform/base/types.h"

#include <optional>
#include <string_view>

/// The value of a style name of the families WS_ (with WS_EX_), DS_, ES_, BS_, SS_, CBS_, LBS_,
/// SBS_, TCS_, UDS_ and LVS_; none for a name that is not one. Names are case-sensitive.
std::optional<DWORD> RcStyleValue(std::string_view name);

/// The code of a VK_ key name; none for a name that is not one.
std::optional<WORD> RcVirtualKey(std::string_view name);
