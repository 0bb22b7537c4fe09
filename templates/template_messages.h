// templates/template_messages.h: the texts the template compiler reports, as the text page of the
// diagram options shows them; "%d" is a 1-based character position within the line.
#pragma once

namespace template_messages {

/// String 61457: a condition block that is not understood.
inline constexpr const char* kBadCondition =
    "You appear to be adding a condition to the line, but the format is not correct.  "
    "Conditions appear at the start of a line, and must follow an exact format.  For example, "
    "\"{if male}\" at the start of a line will ensure that the line only appears when "
    "displaying text for males.  Lines beginning with a curly bracket '{' are always "
    "interpreted as special instructions, such as conditions; so if you don't want to add a "
    "condition, but want your text to start with a curly bracket, you should add \"{}\" (a null "
    "condition) before your text.  See Help for more details.";
/// String 61460: a picture marker with anything else on its line.
inline constexpr const char* kPictureNotAlone =
    "A Picture Marker, \"{picture}\", cannot be combined with any other text.  It can only "
    "appear on a line on its own.";
/// String 61462: conditions that contradict each other.
inline constexpr const char* kConflictingConditions =
    "Line contains an invalid combination of conditions.  For example, {if male & female} is an "
    "invalid condition.";

inline constexpr const char* kLinePrefix = "Error in line %d of text template.\n\n";
inline constexpr const char* kSecondPicture = "You may not have more than one Picture Marker.";

inline constexpr const char* kReferenceTooLong =
    "The Data Reference at position %d is too long and is not valid.  See Help for more details.";
inline constexpr const char* kReferenceEmpty =
    "The Data Reference at position %d is not valid.  See Help for more details.";
inline constexpr const char* kReferenceUnterminated =
    "The Data Reference at position %d is not terminated correctly and is not valid.  See Help "
    "for more details.";
inline constexpr const char* kSubstitutionTooLong =
    "The substitution expression at position %d is too long and is not valid.  See Help for "
    "more details.";
inline constexpr const char* kSubstitutionUnterminated =
    "The substitution expression at position %d is not terminated correctly and is not valid.  "
    "See Help for more details.";
inline constexpr const char* kSecondSubstitution =
    "The substitution expression at position %d is not valid.  Only one substitution expression "
    "allowed per template.  See Help for more details.";
inline constexpr const char* kBadFunction =
    "The expression at position %d is not a valid Function. See Help for more details.";
inline constexpr const char* kFunctionTooLong =
    "The Function specifier at position %d is too long and is not valid.  See Help for more "
    "details.";
inline constexpr const char* kBadBackslash =
    "The use of the '\\' character at position %d is not valid.  See Help for details on how "
    "this character can be used.";
inline constexpr const char* kLiteralTooLong =
    "The constant text at position %d is too long and hence is not valid.  See Help for more "
    "details.";
/// "%s": "Function" or "Data Reference".
inline constexpr const char* kNotRecognised =
    "The expression at position %d is not a recognised %s.  See Help for more details.";
inline constexpr const char* kTooManyTokens =
    "The text at position %d is not valid: a line may hold at most 15 items of text, Data "
    "References, Functions and line breaks.  Split the line, or see Help for more details.";

} // namespace template_messages
