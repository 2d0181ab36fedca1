// The texts of the compiled files are single-byte Windows-1252; a terminal and JSON want
// Unicode. The five byte values that the code page leaves undefined stand for the
// control characters of the same number, as is usual.
#pragma once

#include <string>
#include <string_view>

char32_t carattere_unicode(unsigned char c);

// The one reader of UTF-8: the length of the well-formed sequence that begins at
// `t[i]` (1 for an ASCII byte), with its character in `c`; 0 where none begins there
// (a stray byte, an overlong form, a surrogate, a sequence cut short).
size_t sequenza_utf8(std::string_view t, size_t i, char32_t& c);

// A text fit for JSON and for an editor: its well-formed UTF-8 kept, every other byte
// taken as Windows-1252.
std::string utf8_sicuro(std::string_view testo);

// The text in UTF-8, for printing.
std::string in_utf8(std::string_view testo);

// The text in double quotes for a line of text output: UTF-8, with the quote, the
// backslash and every control character written as \", \\ and \xNN.
std::string tra_virgolette(std::string_view testo);

// True when the text holds at least one byte above 0x7F and every such byte belongs to
// a well-formed UTF-8 sequence: most likely a text written as UTF-8 where a
// single-byte text was due.
bool sembra_utf8(std::string_view testo);
