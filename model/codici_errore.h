// What each recorded error code means, in words, for the line that reports it.
#pragma once

#include <cstdint>
#include <string>

std::string significato_codice(int32_t codice);
