// carica_scenario: the loader's entry. It reads the line description file and then
// the service description file, through the `sorgenti_scenario` handed to it, into a
// scenario (grid, table, plan, mountain lists), and returns that scenario with every
// problem it found, each placed at the record that caused it, and the record that laid
// each cell's object. It deletes each source file once it has read it, as a run does.
//
// A compilation stops the load at the first code (code 15 only ends the line file's
// reading early); a check (`recupera`) goes on after each stop with the next record, so
// that later records are checked too, as long as there is something to check them
// against.
//
// The loader builds on the vocabulary (model/) and the system (platform/) only; the
// compiler (compiler/), the language server (lsp/) and scenario_tool (tool/) use it
// through this function, the result types of loader/esito_caricamento.h and the source
// files of loader/sorgenti_scenario.h. loader/README.md tells how it is laid out inside.
#pragma once

#include "loader/esito_caricamento.h"
#include "loader/sorgenti_scenario.h"

esito_caricamento carica_scenario(const richiesta_caricamento& richiesta, sorgenti_scenario& sorgenti);
