// database/gedcom/code_page_tables.h: the two single-byte code pages of GEDCOM files that differ
// from Latin-1 above byte 127: Windows-1252 (CHAR ANSI) and code page 437 (CHAR IBMPC).
#pragma once

namespace code_page {

/// The character of a Windows-1252 byte. Its five undefined bytes (81 8D 8F 90 9D) stand for
/// the C1 controls of the same number, so that every byte reads as some character and writes
/// back as itself.
char32_t Windows1252Char(unsigned char byte);
/// The Windows-1252 byte of c; -1 when the code page has none.
int Windows1252Byte(char32_t c);
constexpr bool IsUndefinedIn1252(unsigned char b)
{
    return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

/// The character of a code page 437 byte; below 128 it is ASCII, controls included.
char32_t Cp437Char(unsigned char byte);
/// The code page 437 byte of c; -1 when the code page has none.
int Cp437Byte(char32_t c);

} // namespace code_page
