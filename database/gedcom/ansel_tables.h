// database/gedcom/ansel_tables.h: the ANSEL character set of GEDCOM files as tables: its special
// characters, its combining marks, and the Latin letters that Unicode composes of a letter and
// such marks.
#pragma once

namespace ansel {

/// The character of a special (spacing) byte 0xA1 to 0xCF; 0 for any other byte.
char32_t SpecialChar(unsigned char byte);
/// The Unicode combining mark of a mark byte 0xE0 to 0xFE; 0 for any other byte.
char32_t MarkChar(unsigned char byte);
/// The byte of a special character; 0 when c is not one. Both 0xC7 and 0xCF read as the sharp
/// s; it is written as 0xCF, the GEDCOM 5.5 form.
unsigned char SpecialByte(char32_t c);
/// The byte of a combining mark; 0 when ANSEL has no such mark.
unsigned char MarkByte(char32_t c);

/// The precomposed character of base followed by mark; 0 when Unicode has none among the
/// letters that ANSEL can write.
char32_t Compose(char32_t base, char32_t mark);
/// Splits a precomposed letter into the character it is built on and its last mark; false when
/// c is not one of the letters that ANSEL can write.
bool Decompose(char32_t c, char32_t& base, char32_t& mark);

} // namespace ansel
