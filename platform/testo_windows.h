// Text at the edge of the Windows API: the program holds UTF-8, the system's wide
// functions take UTF-16, and the system's reasons for a failure come back as UTF-16.
#pragma once

#include <string>

// `utf8` as UTF-16; bytes that are not UTF-8 become U+FFFD.
std::wstring in_utf16(const std::string& utf8);

// `utf16` as UTF-8; a lone surrogate becomes U+FFFD.
std::string in_utf8(const std::wstring& utf16);

// The system's text for the error code `codice` (a GetLastError value), in English
// where the system has it, on one line and without the closing period.
std::string motivo_sistema(unsigned long codice);
