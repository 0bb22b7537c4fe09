// common/sentence_text.h: joining report phrases into sentences, ordinal suffixes and
// padding to a width.
#pragma once

#include <string>
#include <string_view>

/// How AppendSentence joins a piece to the text before it.
enum class SentenceJoint {
    Clause = 0,   // after a phrase ", ", a "." becoming ","
    Sentence = 1, // after a phrase ".  ", a "," becoming "."
    Word = 2,     // always one blank
};

/// Trims trailing white space of text; an empty text simply takes the piece. Otherwise adds the
/// joint that the text's last character and the mode call for, then the piece:
/// after "!" or "?" two blanks (one for Word); after ";" one blank; after "." and "," see
/// SentenceJoint; after anything else ", ", ".  " or " ".
void AppendSentence(std::string& text, std::string_view piece, SentenceJoint mode);
/// Trims trailing white space and, unless the text is empty or ends in "!", ",", ".", ":", ";"
/// or "?", appends ".".
void EnsureFinalStop(std::string& text);
/// The text padded with blanks to width characters: after it for alignment 1, before it for any
/// other; a text at least as long as width unchanged.
std::string PadToWidth(std::string_view text, int width, int alignment);
/// "st", "nd" or "rd" for last digits 1, 2 and 3 unless the tens digit is 1, else "th"; upper
/// case unless lowerCase.
std::string GetOrdinalSuffix(long number, bool lowerCase);
