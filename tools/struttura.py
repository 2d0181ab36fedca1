#!/usr/bin/env python3
"""The shape of the code, checked: what the build's layer check cannot see.

- Modules (a header and the source files of the same name, `x.h` with `x.cpp` and
  `x_posix.cpp` or `x_windows.cpp`; tests and test helpers aside) include each other
  without a loop, inside a folder too: a loop of includes between modules is a loop of
  calls between their files.
- No C++ function, and no function of the view's page script, is over 60 lines (from
  the first line of its signature to its closing brace); no C++ file is over 500 lines.

- With `--oggetti BUILD_DIR`, the object files of a build show the calls themselves: a
  module that calls a function defined in another's source file depends on it, and these
  dependencies have no loop either (two files sharing one header may otherwise call each
  other unseen).

Run from the source folder: `python3 tools/struttura.py` prints what it finds and exits 1
if anything breaks a rule; `--dot FILE` also writes the modules' includes as a Graphviz
graph, one cluster per folder, and `--dot-cartelle FILE` the folders' (`dot -Tsvg`).
"""
import argparse
import re
import subprocess
import sys
from pathlib import Path

CARTELLE = ["model", "platform", "loader", "compiler", "decoder", "reference", "sources", "documents",
            "drawing", "view", "lsp", "driver", "tool", "editors", "fuzz", "bench"]
MASSIMO_FUNZIONE = 60
MASSIMO_FILE = 500
INCLUSIONE = re.compile(r'^\s*#\s*include\s*"([a-z_+]+/[a-z0-9_]+)\.(h|inc)"', re.M)


def modulo(percorso: Path) -> str:
    nome = re.sub(r"_(posix|windows|x11)$", "", percorso.stem)
    return f"{percorso.parent.name}/{nome}"


def di_prova(percorso: Path) -> bool:
    return percorso.stem.endswith("_test") or percorso.stem.endswith("_prova")


def file_cpp(radice: Path):
    for cartella in CARTELLE:
        for f in sorted((radice / cartella).glob("*")):
            if f.suffix in (".h", ".cpp") and f.is_file():
                yield f


def senza_commenti_e_testi(testo: str) -> str:
    """The text with comments, strings and character literals blanked, lines kept."""
    fuori = []
    i, n = 0, len(testo)
    while i < n:
        c = testo[i]
        if testo.startswith("//", i):
            j = testo.find("\n", i)
            j = n if j < 0 else j
            fuori.append(" " * (j - i))
            i = j
        elif testo.startswith("/*", i):
            j = testo.find("*/", i + 2)
            j = n if j < 0 else j + 2
            fuori.append(re.sub(r"[^\n]", " ", testo[i:j]))
            i = j
        elif c == "R" and testo.startswith('R"', i) and (i == 0 or not (testo[i - 1].isalnum() or testo[i - 1] == "_")):
            k = testo.find("(", i)
            delimitatore = testo[i + 2:k]
            j = testo.find(")" + delimitatore + '"', k)
            j = n if j < 0 else j + len(delimitatore) + 2
            fuori.append('""' + re.sub(r"[^\n]", " ", testo[i + 2:j]))
            i = j
        elif c in "\"'":
            j = i + 1
            while j < n and testo[j] != c and testo[j] != "\n":
                j += 2 if testo[j] == "\\" else 1
            fuori.append(c + " " * (j - i - 1) + (c if j < n else ""))
            i = j + 1
        else:
            fuori.append(c)
            i += 1
    return "".join(fuori)


PAROLE_BLOCCO = re.compile(r"\b(if|for|while|switch|catch|do|else|try)\b\s*(\(|$)")


def funzioni_cpp(testo: str):
    """(name, first line, last line) of every function body at namespace or class scope."""
    pulito = senza_commenti_e_testi(testo)
    pila = []  # the open braces: a function as (kind, first line, name), else its kind
    inizio_intestazione = 0  # where the text before the next brace begins
    risultati = []
    riga_di = lambda k: pulito.count("\n", 0, k) + 1
    for k, c in enumerate(pulito):
        if c in ";}" or c == "{":
            if c == "{":
                intestazione = pulito[inizio_intestazione:k]
                testa = intestazione.strip()
                if any(isinstance(aperta, tuple) or aperta == "blocco" for aperta in pila):
                    tipo = "blocco"
                elif re.search(r"\bnamespace\b", testa) or testa.startswith('extern "C"') or testa == 'extern ""':
                    tipo = "namespace"
                elif re.search(r"\b(class|struct|union|enum)\b[^()]*$", testa):
                    tipo = "classe"
                elif "(" in testa and not re.search(r"(=|return)\s*[\w:<>]*\s*$", testa):
                    tipo = "funzione"
                else:
                    tipo = "altro"
                if tipo == "funzione":
                    primo = inizio_intestazione + (len(intestazione) - len(intestazione.lstrip()))
                    nome = re.findall(r"([~\w:]+|operator\S+)\s*\(", testa)
                    pila.append(("funzione", riga_di(primo), nome[0] if nome else testa[:40]))
                else:
                    pila.append(tipo)
            elif c == "}" and pila:
                aperta = pila.pop()
                if isinstance(aperta, tuple):
                    risultati.append((aperta[2], aperta[1], riga_di(k)))
            inizio_intestazione = k + 1
        elif c == ":" and pulito.startswith("public:", k - 6) or pulito.startswith("private:", k - 7) or \
                pulito.startswith("protected:", k - 9):
            inizio_intestazione = k + 1
    return risultati


def funzioni_js(testo: str):
    """(name, first line, last line) of every function of a page's script."""
    risultati = []
    righe = testo.split("\n")
    for i, riga in enumerate(righe):
        m = re.search(r"(?:function\s+(\w+)\s*\(|(\w+)\s*=\s*(?:async\s*)?\([^)]*\)\s*=>\s*\{|(\w+)\s*\([^)]*\)\s*\{\s*$)",
                      riga)
        if not m or re.match(r"\s*(if|for|while|switch|catch)\b", riga):
            continue
        nome = m.group(1) or m.group(2) or m.group(3)
        profondita, iniziato = 0, False
        for j in range(i, len(righe)):
            for c in senza_commenti_e_testi(righe[j]) if j > i else senza_commenti_e_testi(righe[j])[m.start():]:
                if c == "{":
                    profondita += 1
                    iniziato = True
                elif c == "}":
                    profondita -= 1
            if iniziato and profondita <= 0:
                risultati.append((nome, i + 1, j + 1))
                break
    return risultati


def cicli(archi):
    """Every loop of the graph, as found by a depth-first search (one per back edge)."""
    trovati, stato, pila = [], {}, []

    def visita(n):
        stato[n] = 1
        pila.append(n)
        for m in sorted(archi.get(n, ())):
            if stato.get(m) == 1:
                trovati.append(pila[pila.index(m):] + [m])
            elif m not in stato:
                visita(m)
        pila.pop()
        stato[n] = 2

    for n in sorted(archi):
        if n not in stato:
            visita(n)
    return trovati


def chiamate(cartella_build: Path):
    """Module -> the modules whose source files define a function or object it uses."""
    oggetti = [o for o in cartella_build.glob("CMakeFiles/scenario_*.dir/*/*.o")
               if o.parent.name in CARTELLE and not di_prova(Path(o.stem))]
    definito_in, usati = {}, {}
    for o in oggetti:
        m = modulo(Path(o.parent.name) / Path(o.stem).stem)
        uscita = subprocess.run(["nm", "-g", str(o)], capture_output=True, text=True, check=True).stdout
        for riga in uscita.splitlines():
            parti = riga.split()
            if len(parti) == 2 and parti[0] == "U":
                usati.setdefault(m, set()).add(parti[1])
            elif len(parti) == 3 and parti[1] in "TDBR":
                definito_in[parti[2]] = m
        usati.setdefault(m, set())
    return {m: {definito_in[s] for s in simboli if s in definito_in and definito_in[s] != m}
            for m, simboli in usati.items()}


def main():
    sys.setrecursionlimit(10000)
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--dot", help="write the modules' includes as a Graphviz graph")
    p.add_argument("--dot-cartelle", help="write the folders' includes as a Graphviz graph, the layers at a glance")
    p.add_argument("--oggetti", help="a build folder whose object files show the calls between modules")
    a = p.parse_args()
    radice = Path(__file__).resolve().parent.parent
    sbagli = []
    archi = {}
    for f in file_cpp(radice):
        testo = f.read_text(encoding="utf-8", errors="replace")
        nome = f.relative_to(radice).as_posix()
        if testo.count("\n") > MASSIMO_FILE:
            sbagli.append(f"{nome}: {testo.count(chr(10))} lines, over {MASSIMO_FILE}")
        for funzione, primo, ultimo in funzioni_cpp(testo):
            if ultimo - primo + 1 > MASSIMO_FUNZIONE:
                sbagli.append(f"{nome}:{primo}: {funzione} is {ultimo - primo + 1} lines, over {MASSIMO_FUNZIONE}")
        if di_prova(f):
            continue
        da = modulo(f)
        archi.setdefault(da, set())
        for incluso, _ in INCLUSIONE.findall(testo):
            a_modulo = modulo(Path(incluso))
            if a_modulo != da and not a_modulo.split("/")[1].endswith(("_test", "_prova")):
                archi[da].add(a_modulo)
    for pagina in [radice / "view" / "pagina.html"]:
        if pagina.exists():
            for funzione, primo, ultimo in funzioni_js(pagina.read_text(encoding="utf-8")):
                if ultimo - primo + 1 > MASSIMO_FUNZIONE:
                    sbagli.append(f"view/pagina.html:{primo}: {funzione} is {ultimo - primo + 1} lines, "
                                  f"over {MASSIMO_FUNZIONE}")
    for ciclo in cicli(archi):
        sbagli.append("a loop of includes: " + " -> ".join(ciclo))
    if a.oggetti:
        for ciclo in cicli(chiamate(Path(a.oggetti))):
            sbagli.append("a loop of calls: " + " -> ".join(ciclo))
    if a.dot:
        with open(a.dot, "w", encoding="utf-8") as d:
            d.write("digraph moduli {\n  rankdir=BT; node [shape=box, fontsize=10];\n")
            for cartella in CARTELLE:
                nodi = [n for n in archi if n.startswith(cartella + "/")]
                if nodi:
                    d.write(f'  subgraph "cluster_{cartella}" {{ label="{cartella}/";\n')
                    d.writelines(f'    "{n}" [label="{n.split("/")[1]}"];\n' for n in nodi)
                    d.write("  }\n")
            for n in sorted(archi):
                d.writelines(f'  "{n}" -> "{m}";\n' for m in sorted(archi[n]) if m in archi)
            d.write("}\n")
    if a.dot_cartelle:
        tra_cartelle = sorted({(n.split("/")[0], m.split("/")[0]) for n in archi for m in archi[n]
                               if m in archi and n.split("/")[0] != m.split("/")[0]})
        with open(a.dot_cartelle, "w", encoding="utf-8") as d:
            d.write("digraph cartelle {\n  rankdir=BT; node [shape=box];\n")
            d.writelines(f"  {n} -> {m};\n" for n, m in tra_cartelle)
            d.write("}\n")
    for s in sbagli:
        print(s)
    print(f"{len(archi)} modules, {len(sbagli)} faults")
    return 1 if sbagli else 0


if __name__ == "__main__":
    sys.exit(main())
