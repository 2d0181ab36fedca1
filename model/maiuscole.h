// Letter case of the system's single-byte code page (Windows-1252), for the keyword
// tests that ignore case and for the checksums.
#pragma once

#include <string>
#include <string_view>

// The lower-case form of one byte: A-Z, the capitals 0xC0-0xDE except 0xD7, and the
// four capitals 0x8A, 0x8C, 0x8E, 0x9F of the code page.
char minuscola(char c);

std::string minuscolo(std::string_view testo);

// Substring tests: `contiene` exact, `contiene_senza_maiuscole` ignoring letter case
// (`cosa` is given in lower case).
inline bool contiene(std::string_view campo, std::string_view cosa) { return campo.find(cosa) != std::string_view::npos; }
bool contiene_senza_maiuscole(std::string_view campo, std::string_view cosa);
