// A step of a program run to its end or to a failure: a failed file operation, or any
// other failure, becomes exit status 2 and one line on standard error that names the
// file and the system's reason.
#pragma once

#include <functional>
#include <ostream>

// 0 when `passo` ends normally; 2 after the line "PROGRAMMA: PATH: REASON" (or
// "PROGRAMMA: WHAT") on `errori`. A folder that cannot be written into is named as
// such, followed by `consiglio`, what to do, where there is one.
int esegui_passo(const std::function<void()>& passo, std::ostream& errori, const char* programma,
                 const char* consiglio = nullptr);
