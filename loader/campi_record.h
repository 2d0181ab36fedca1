// The shape of every record of the two source files: its keyword as the built-in
// files write it, and the meaning of each of its fields after the keyword, in order.
// The field reader names a field by it when the field cannot be read; the loader
// counts the fields of a record by it; `explain` and the docs show it.
#pragma once

#include <span>

#include "loader/lettore_campi.h"
#include "loader/parole_chiave.h"

const forma_record& forma(record_generale r);
const forma_record& forma(record_corpo r);
const forma_record& forma(record_servizio r);

// Every keyword as written, for the suggestions of a misspelt one.
std::span<const char* const> parole_scritte_linea();
std::span<const char* const> parole_scritte_servizio();
