// diagrams/diagram_settings_fields.h: the keys of the settings block with their defaults and
// ranges, shared by the block's reset and copy and by its load and save. Not for other files.
#pragma once

#include "diagrams/diagram_settings.h"

#include <span>

namespace diagram_fields {

/// How a value read from a store is brought into its range: a choice out of range takes its
/// default, a measure is moved to the nearer end of its range.
enum class Range { Choice, Measure, Flag };

/// One integer or boolean key of the "Diagram Options" section. The default is both the value a
/// missing key loads and the installation value (the type has no installation value).
struct Field {
    const char* key;
    int CDiagramSettings::*number;
    bool CDiagramSettings::*flag;
    int defaultValue;
    Range range;
    int low;
    int high;
};

/// The general keys before the generation pairs, in store order.
std::span<const Field> GeneralFields();
/// The four All Relatives options, after the generation pairs.
std::span<const Field> AllRelativesFields();
std::span<const Field> PictureFields();
std::span<const Field> DimensionFields();
/// Print flags, page lines and numbers, page size and origin (the margins are doubles).
std::span<const Field> PrintFields();

inline constexpr const char* kOptionsSection = "Diagram Options";
inline constexpr const char* kColoursSection = "Diagram Colours";
inline constexpr const char* kTypeSections[4] = {
    "Diagram Options - Ancestors", "Diagram Options - Descendants",
    "Diagram Options - Ancestors and Descendants", "Diagram Options - All Relatives"};
inline constexpr GenerationPair kDefaultGenerations[4] = {{5, 5}, {5, 5}, {3, 3}, {3, 3}};
inline constexpr int kDefaultPageWidth = 2106, kDefaultPageHeight = 1440;
/// The built-in frame of title 1 to 4 (index 0 to 3).
CRect BuiltInTitleFrame(int index);

int Get(const CDiagramSettings& settings, const Field& field);
void Set(CDiagramSettings& settings, const Field& field, int value);
/// The fields of a span copied from source.
void Copy(CDiagramSettings& target, const CDiagramSettings& source, std::span<const Field> fields);
/// The fields of a span at their defaults (the type excepted).
void Reset(CDiagramSettings& settings, std::span<const Field> fields);

} // namespace diagram_fields
