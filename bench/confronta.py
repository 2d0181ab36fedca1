#!/usr/bin/env python3
"""Times whole genera_scenario runs against the baseline that only writes the same files.

    confronta.py GENERA_SCENARIO LINEA_BASE SOURCES_DIR [RUNS]

The two programs run alternately, RUNS times each (default 30), in the directory of
genera_scenario; the median wall time of each, their ratio and the peak resident memory
of genera_scenario against the bytes it writes are printed.
"""
import os
import statistics
import subprocess
import sys
import time


def esegui(comando):
    """Wall time of one run, in seconds."""
    inizio = time.perf_counter()
    esito = subprocess.run(comando, stdout=subprocess.DEVNULL)
    durata = time.perf_counter() - inizio
    if esito.returncode != 0:
        sys.exit(f"{comando[0]} failed with status {esito.returncode}")
    return durata


def picco_memoria(comando):
    """Peak resident memory of one run in bytes, as GNU time reports it (a child forked
    from Python would count the Python process's pages too)."""
    esito = subprocess.run(["/usr/bin/time", "-f", "%M"] + comando, stdout=subprocess.DEVNULL,
                           stderr=subprocess.PIPE, text=True, check=True)
    return int(esito.stderr.split()[-1]) * 1024


def main():
    genera, base, sorgenti = sys.argv[1:4]
    volte = int(sys.argv[4]) if len(sys.argv) > 4 else 30
    cartella = os.path.dirname(os.path.abspath(genera))
    esegui([genera])
    lasciati = sorted(n for n in os.listdir(cartella) if n.startswith("QUMA-DORVIA_MIRELO_") and not n.endswith(".txt")
                      or n.endswith("_note.txt") or n.endswith("_rallentamenti.txt") or n.endswith("_scheda_treno.txt"))
    cancellati = ["QUMA-DORVIA_MIRELO_linea.txt", "QUMA-DORVIA_MIRELO_brezane-.txt"]
    dimensioni = {n: os.path.getsize(os.path.join(cartella, n)) for n in lasciati}
    for n in cancellati:
        dimensioni[n] = os.path.getsize(os.path.join(sorgenti, n))
    argomenti = [f"-{n}={dimensioni[n]}" for n in cancellati] + [f"{n}={dimensioni[n]}" for n in lasciati]
    scritti = sum(dimensioni[n] for n in lasciati)

    tempi_genera, tempi_base = [], []
    for _ in range(volte):
        tempi_genera.append(esegui([genera]))
        tempi_base.append(esegui([base, cartella] + argomenti))
    picco = max(picco_memoria([genera]) for _ in range(5))  # also leaves the directory as a run leaves it

    mediana_genera = statistics.median(tempi_genera) * 1000
    mediana_base = statistics.median(tempi_base) * 1000
    print(f"files written: {len(lasciati)} kept ({scritti} bytes) and 2 deleted ({sum(dimensioni[n] for n in cancellati)} bytes)")
    print(f"genera_scenario median {mediana_genera:.2f} ms, baseline median {mediana_base:.2f} ms over {volte} runs each")
    print(f"ratio {mediana_genera / mediana_base:.2f} (target 1.5 or less)")
    print(f"peak resident memory {picco / 1e6:.2f} MB, {picco / scritti:.2f} times the bytes written (target below 2)")


if __name__ == "__main__":
    main()
