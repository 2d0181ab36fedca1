// Service files of the largest size a source may have (16 MiB), their added lines all
// faulty, in the shapes that cost a check most: for showing that a check's time and
// memory follow the source's size, whatever its lines look like.
#pragma once

#include <string>
#include <vector>

// The shapes by name, each with the line repeated:
// - "lunghe": one unknown word of 6000 characters a line;
// - "medie": one of 600;
// - "corte": `xxxx, 1, 2`, an unknown word and two values;
// - "vuoti": `orologio,,,`, a record of three empty numeric fields;
// - "illeggibili": `velocita,  x,  1`, a record whose position is no number.
struct forma_grande {
  std::string nome;
  std::string riga;
};
const std::vector<forma_grande>& forme_grandi();

// The built-in service file with `forma`'s line repeated before its end marker, as
// often as fits in 16 MiB.
std::string servizio_grande(const forma_grande& forma, const std::string& servizio_incorporato);
