// diagrams/text_scheme_table.h: the built-in text schemes, as template source texts.
//
// The 19 built-in schemes are made of 61 template lines.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Box types 0 to 5: default, ancestor, descendant, spouse, duplicate, proxy.
inline constexpr int kBoxTypeCount = 6;
inline constexpr int kBuiltInSchemeCount = 19;

/// A built-in scheme: its name and, per box type, its template text (lines joined by CR LF) or
/// nothing when it has no template of its own for that type.
struct BuiltInScheme {
    std::string name;
    std::array<std::optional<std::string>, kBoxTypeCount> templates;
};

/// The 19 built-in schemes in table order, made once.
const std::vector<BuiltInScheme>& BuiltInSchemes();
/// The built-in scheme of exactly that name (case counts); null when there is none.
const BuiltInScheme* FindBuiltInScheme(std::string_view name);
