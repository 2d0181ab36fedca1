// The explanation of a recorded code for a route author, in the form that tools use for
// source diagnostics:
//
//   FILE:LINE: error CODE: meaning in words, at POSITION m
//   FILE:LINE: note: cell 43 holds the stop of station 3, CASTELNUOVO
//
// FILE and LINE are the source file and the line of the record that the loader was
// handling when it recorded the code (FILE alone where no record was being read). A
// code recorded by the code placement passes is placed at the record of the signal or
// slowdown that it concerns. Each note names what stands in the way, placed at the
// record that put it there when that is known.
#pragma once

#include <ostream>
#include <string>

class Form1;

// Writes the explanation of `form.codice_errore`; `cartella_sorgenti` is the directory
// that FILE is named in.
void spiega_codice(const Form1& form, const std::string& cartella_sorgenti, std::ostream& errori);
