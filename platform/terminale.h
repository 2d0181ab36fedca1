// Whether a standard stream is a terminal, so that output meant for a person (the
// source line and marker under a diagnostic) is shown there and never in a pipe.
#pragma once

enum class flusso_standard { uscita, errori };

bool e_terminale(flusso_standard f);
