// common/sentence_text.cpp: sentence joints, final stops, padding and ordinal suffixes.
#include "common/sentence_text.h"

#include "platform/base/text.h"

#include <cstdlib>

namespace {

void TrimTrailingSpace(std::string& text)
{
    while (!text.empty() && text::IsSpace(text.back()))
        text.pop_back();
}

/// The joint after a text ending in last; may change the last character.
std::string Joint(std::string& text, SentenceJoint mode)
{
    const char last = text.back();
    if (mode == SentenceJoint::Word)
        return " ";
    if (last == '!' || last == '?')
        return "  ";
    if (last == ';')
        return " ";
    const bool sentence = mode == SentenceJoint::Sentence;
    if (last == '.') {
        if (sentence)
            return "  ";
        text.back() = ',';
        return " ";
    }
    if (last == ',') {
        if (!sentence)
            return " ";
        text.back() = '.';
        return "  ";
    }
    return sentence ? ".  " : ", ";
}

} // namespace

void AppendSentence(std::string& text, std::string_view piece, SentenceJoint mode)
{
    TrimTrailingSpace(text);
    if (!text.empty())
        text += Joint(text, mode);
    text += piece;
}

void EnsureFinalStop(std::string& text)
{
    TrimTrailingSpace(text);
    if (!text.empty() && std::string_view("!,.:;?").find(text.back()) == std::string_view::npos)
        text += '.';
}

std::string PadToWidth(std::string_view text, int width, int alignment)
{
    const std::size_t length = text::Utf8Length(text);
    if (width <= 0 || length >= static_cast<std::size_t>(width))
        return std::string(text);
    const std::string blanks(static_cast<std::size_t>(width) - length, ' ');
    return alignment == 1 ? std::string(text) + blanks : blanks + std::string(text);
}

std::string GetOrdinalSuffix(long number, bool lowerCase)
{
    const long value = std::labs(number);
    const char* suffix = "th";
    if ((value / 10) % 10 != 1) {
        switch (value % 10) {
        case 1:
            suffix = "st";
            break;
        case 2:
            suffix = "nd";
            break;
        case 3:
            suffix = "rd";
            break;
        default:
            break;
        }
    }
    return lowerCase ? suffix : text::ToUpper(suffix);
}
