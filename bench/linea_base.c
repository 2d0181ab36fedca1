/* The floor of a run: writes files of the sizes a run of genera_scenario leaves, into
 * the same directory, each through a temporary file renamed onto its name, all from one
 * reused 64 KiB buffer; the files marked for deletion (the two source files a run
 * deletes once read) are deleted after the others are written. As a run does, every
 * file is flushed to the disk before its rename and the directory after it.
 *
 *   linea_base DIR [-]NAME=SIZE ...      a leading "-" marks a file to delete
 */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static char blocco[65536];

static int scarica_cartella(const char* cartella) {
  int d = open(cartella, O_RDONLY | O_DIRECTORY);
  if (d < 0) return 1;
  int esito = fsync(d);
  close(d);
  return esito != 0;
}

static int scrivi(const char* cartella, const char* nome, long dimensione) {
  char percorso[4096], temporaneo[4200];
  snprintf(percorso, sizeof percorso, "%s/%s", cartella, nome);
  snprintf(temporaneo, sizeof temporaneo, "%s.tmp~", percorso);
  FILE* f = fopen(temporaneo, "wb");
  if (f == NULL) return 1;
  for (long resto = dimensione; resto > 0; resto -= (long)sizeof blocco) {
    size_t quanti = resto < (long)sizeof blocco ? (size_t)resto : sizeof blocco;
    if (fwrite(blocco, 1, quanti, f) != quanti) return 1;
  }
  if (fflush(f) != 0 || fsync(fileno(f)) != 0) return 1;
  if (fclose(f) != 0) return 1;
  if (rename(temporaneo, percorso) != 0) return 1;
  return scarica_cartella(cartella);
}

int main(int argc, char** argv) {
  if (argc < 2) return 64;
  memset(blocco, 'x', sizeof blocco);
  for (int i = 2; i < argc; ++i) {
    char nome[1024];
    const char* uguale = strchr(argv[i], '=');
    if (uguale == NULL) return 64;
    const char* inizio = argv[i][0] == '-' ? argv[i] + 1 : argv[i];
    snprintf(nome, sizeof nome, "%.*s", (int)(uguale - inizio), inizio);
    if (scrivi(argv[1], nome, atol(uguale + 1)) != 0) return 1;
  }
  for (int i = 2; i < argc; ++i) {
    if (argv[i][0] != '-') continue;
    char percorso[4096];
    const char* uguale = strchr(argv[i], '=');
    snprintf(percorso, sizeof percorso, "%s/%.*s", argv[1], (int)(uguale - argv[i] - 1), argv[i] + 1);
    if (remove(percorso) != 0) return 1;
  }
  return 0;
}
