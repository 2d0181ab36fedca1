#!/usr/bin/env python3
"""Builds the built-in scenario content of the route QUMA-DORVIA_MIRELO and the train brezane.

    python3 tools/genera_contenuto.py [--text DIR]

From the repository root. It builds the five line lists (line description, service
description, notes, slowdown order, train card), checks as it builds every rule the
content must keep (counts, distributions, spacing, order, cross-relations, each object
on a 50 m grid cell of its own), then checks the two source files with the real
compiler: `scenario_tool check` must report nothing on them, and a compile of them
gives the code points that the compiler's passes place. It prints a short summary of
those checks and writes the five C++ files that hold the lines as literals:

    sources/dati_linea.cpp  sources/dati_treno.cpp
    documents/dati_note.cpp  documents/dati_rallentamenti.cpp  documents/dati_scheda.cpp

The compiler is the built `scenario_tool` given with --tool PATH, or else the one in
build/ (or build-release/) of this repository. Without one the compiler's check is
skipped, and the summary says so. When a check fails nothing is written.

With --text DIR it also writes the five text files, byte for byte as the program writes
them (CR LF after every line, Windows-1252), into DIR, and runs the content checker on
DIR when it finds it.

Everything is deterministic: the few irregular choices (curve gaps, gradient values)
come from a fixed linear congruential sequence, not from the clock.
"""

import argparse
import json
import math
import re
import subprocess
import sys
import tempfile
from collections import Counter
from fractions import Fraction
from pathlib import Path

RADICE = Path(__file__).resolve().parent.parent

NOME_LINEA = "QUMA-DORVIA_MIRELO"
NOME_TRENO = "brezane"
FINE_RIGHE = "riferimento fine del file"

LUNGHEZZA_PERCORSO = 228000
N_CELLE = round(Fraction(LUNGHEZZA_PERCORSO + 7000, 50))   # 4700, the grid's last index

controlli = []          # the text of every check made while building (all passed)


def verifica(condizione, testo):
    """Record one check; stop at once when it fails, saying what broke."""
    controlli.append(testo)
    if not condizione:
        raise SystemExit(f"genera_contenuto: check failed: {testo}")


class Sequenza:
    """A small linear congruential sequence, the same on every machine and version."""

    def __init__(self, seme):
        self.x = seme

    def prossimo(self, n):
        self.x = (self.x * 1103515245 + 12345) % 2147483648
        return (self.x >> 8) % n


def a50(x):
    """Nearest multiple of 50 (ties up; only used on design values, never on loader values)."""
    return int(math.floor(x / 50 + 0.5)) * 50


# ===========================================================================
# Names chosen for this scenario: stations, tunnels, documents
# ===========================================================================

# The 26 stations, in order: service name (capitals), card name (mixed case, None when
# the card leaves the station out), reference point P, kind, length, and the card's own
# kilometre (the card reads kilometre posts that lie a few hundred metres off the
# progressives, never more than 1 km).
STAZIONI = [
    # name                card name         P       kind  L     card km
    ("QUMA",           "Quma",            0,       8,  500,  0),
    ("BIVIO ORSANA",   None,              11050,  27,  300,  None),
    ("VALMERINO",      "Valmerino",       15300,   4,  500,  15100),
    ("CASTEL TORBIO",  "Castel Torbio",   24600,   4,  600,  24350),
    ("PRAVOLE",        "Pravole",         31900,  12,  500,  31700),
    ("SAN LUCERIO",    "San Lucerio",     41200,   2,  600,  40800),
    ("FONTESCURA",     "Fontescura",      49800,   4,  500,  49650),
    ("BORGO ALTINE",   "Borgo Altine",    57300,   4,  600,  57500),
    ("MOLLENA",        None,              64900,  12,  400,  None),
    ("RIVASCO",        "Rivasco",         72500,   4,  500,  72240),
    ("CERVANO",        "Cervano",         84600,   2,  600,  84900),
    ("PIEVE DI SOLTA", "Pieve di Solta",  101300,  4,  600,  101050),
    ("ROCCAFERA",      "Roccafera",       109700, 22,  700,  109400),
    ("TAVERNOLE",      "Tavernole",       121900,  4,  500,  121600),
    ("DORVIA",         "Dorvia",          128700,  2,  600,  128420),
    ("MONTALBERO",     "Montalbero",      139400,  4,  600,  139100),
    ("SELVANICO",      "Selvanico",       147300, 12,  500,  147000),
    ("LUPIGNANO",      "Lupignano",       153600,  4,  500,  153350),
    ("CASALMORO",      "Casalmoro",       162100,  2,  600,  161800),
    ("ORBENZANO",      "Orbenzano",       170500,  4,  600,  170250),
    ("POGGIO MARLE",   "Poggio Marle",    178200, 12,  500,  177900),
    ("TERRAVILLE",     "Terraville",      185400,  4,  600,  185100),
    ("ACQUAFELLA",     "Acquafella",      195200,  2, 1000,  194900),
    ("SAN GEMOLO",     "San Gemolo",      201700,  4,  500,  201400),
    ("MARZANA-SELVE",  "Marzana-Selve",   207300,  2,  600,  207000),
    ("MIRELO C.",      "Mirelo C.",       214050,  6,  600,  213500),
]

# Fields 4 to 13 of the station rows that differ from the common pattern
# (field 4 0, 5 0, 6 0, 7 1, 8 1, 9 0, 10 4, 11 1, 12 1, 13 0).
CAMPI_STAZIONE = {
    "QUMA": {13: 1},
    "BIVIO ORSANA": {7: 0, 8: 0, 10: 0, 11: 0, 12: 0},
    "CASTEL TORBIO": {5: 1},
    "MOLLENA": {10: 2},
    "CERVANO": {4: 1},
    "ROCCAFERA": {7: 3, 10: 2, 13: 105},
    "DORVIA": {5: 1},
    "CASALMORO": {5: 1},
    "ACQUAFELLA": {4: 1, 5: 1},
    "MIRELO C.": {7: 0, 8: 0},
}

# The eight tunnels that have a signboard, in the order of the mountain rows 2 to 9:
# signboard name, the name on the card, and the length shown to the driver (three of
# them read the surveyed length, which differs from the stretch laid on the grid).
GALLERIE = [
    ("COLLETTA",    None,          None),
    ("ROVENTINO",   None,          1386),
    ("MONTE GRIGO", "Monte Grigo", 7412),
    ("CALVARELLO",  "Calvarello",  None),
    ("VALSORDA",    None,          None),
    ("SERRAVOLTA",  None,          3346),
    ("FAGGIOLO",    None,          None),
    ("MIRELO",      None,          None),
]

NOTE_PAESE = "Pontelargo (VR)"
NOTE_POSTA = "tessimo.linee@example.org"


# ===========================================================================
# Line description
# ===========================================================================

GENERALE_LINEA = [
    "lunghezza percorso,    228000",
    "progressiva chilometrica uno,    0,    0,    0",
    "progressiva chilometrica due,    0,    0,    0",
    "progressiva chilometrica tre,    0,    0,    0",
    "sfondo uno,    1",
    "sfondo due,    62000",
    "sfondo tre,    84000",
    "ripetizione segnali 9 codici,    650,    213000",
]

MONTAGNE = [
    (9500, 9550, 2), (78000, 78800, 2), (78900, 80300, 2),
    (89100, 96500, 11), (114600, 119050, 11), (125650, 128350, 11),
    (132350, 135700, 11), (155850, 157650, 11), (192100, 194300, 12),
]


def costruisci_curve():
    """95 curves: (side, class, start, length).

    Five curves are fixed; the other 90 fill the three stretches between them. Gentle
    classes go to the plain, sharp ones to the mountains; longer curves to the gentler
    classes. Exactly six curves end where the next one begins."""
    fisse = [("d", 3, 1000, 500), ("s", 2, 26500, 600), ("s", 3, 27100, 700),
             ("s", 6, 127950, 350), ("s", 3, 212450, 1000)]
    classi = [1] * 2 + [2] * 16 + [3] * 35 + [4] * 28 + [5] * 9          # with the fixed ones: 2/17/38/28/9/1
    lati = ["d"] * 49 + ["s"] * 41                                        # with the fixed ones: 50 d, 45 s
    lunghezze = ([400] * 24 + [500] * 20 + [300] * 16 + [50] + [100] * 2 + [150] * 2 + [200] * 4 + [250] * 3
                 + [350] * 2 + [450] * 2 + [550] * 2 + [600] * 3 + [650] + [700] * 2 + [750] * 2 + [800] * 2
                 + [900] + [1000])
    verifica(len(classi) == len(lati) == len(lunghezze) == 90, "90 free curves to lay")

    # Three stretches between the fixed curves: (from, to, number of curves, touching gaps).
    tratti = [(1500, 26500, 10, (4,)), (27800, 127950, 43, (9, 22)), (128300, 212450, 37, (12, 27))]
    seq = Sequenza(20240607)

    def rimescola(lista):
        lista = list(lista)
        for i in range(len(lista) - 1, 0, -1):
            j = seq.prossimo(i + 1)
            lista[i], lista[j] = lista[j], lista[i]
        return lista

    lati = rimescola(lati)
    # Classes by scenery: the route climbs from the plain (up to 62 km) through the hills
    # into the mountains (84 km on) and drops again before Mirelo.
    def asprezza(indice):
        # an index 0..89 stands for a point along the route, roughly
        km = 1.5 + indice * (212.4 - 1.5) / 89
        return 0 if km < 62 else 1 if km < 84 else 3 if km < 200 else 2

    ordine = sorted(range(90), key=lambda i: (asprezza(i), seq.prossimo(1000)))
    classe_di = {}
    for i, c in zip(ordine, sorted(classi)):
        classe_di[i] = c
    # Gentler classes get the longer curves, with some mixing inside each class.
    per_classe = sorted(range(90), key=lambda i: (classe_di[i], seq.prossimo(1000)))
    lunghe = sorted(lunghezze, reverse=True)
    # interleave: take lengths in blocks of six and mix each block
    mescolate = []
    for k in range(0, 90, 6):
        mescolate += rimescola(lunghe[k:k + 6])
    lunghezza_di = dict(zip(per_classe, mescolate))

    curve = [fisse[0]]
    indice = 0
    for n_tratto, (da, a, quante, contigue) in enumerate(tratti):
        ls = [lunghezza_di[indice + k] for k in range(quante)]
        spazio = a - da - sum(ls)
        # quante + 1 gaps: those in `contigue` are 0, the others share the space by weight
        pesi = [0 if g in contigue else 2 + seq.prossimo(5) for g in range(quante + 1)]
        unita = spazio // 50
        somma = sum(pesi)
        parti = [max(1, (unita * p) // somma) if p else 0 for p in pesi]
        resto = unita - sum(parti)
        g = 0
        while resto != 0:
            if pesi[g % len(pesi)]:
                passo = 1 if resto > 0 else -1
                if parti[g % len(pesi)] + passo >= 1:
                    parti[g % len(pesi)] += passo
                    resto -= passo
            g += 1
        pos = da
        for k in range(quante):
            pos += parti[k] * 50
            curve.append((lati[indice + k], classe_di[indice + k], pos, ls[k]))
            pos += ls[k]
        pos += parti[quante] * 50
        verifica(pos == a, f"curve stretch {n_tratto + 1} fills {da} to {a} exactly")
        # the fixed curves that close this stretch
        curve += [fisse[1], fisse[2]] if n_tratto == 0 else [fisse[3]] if n_tratto == 1 else [fisse[4]]
        indice += quante
    return curve


def riga_curva(c):
    lato, classe, inizio, lunghezza = c
    return f"curva{lato}{classe},  {inizio},  {lunghezza}"


def costruisci_pendenze():
    """99 gradient changes: (position, per mille).

    The plain is nearly level, the hills roll, the mountains climb and fall steeply up to
    the summit tunnels and the line drops towards Mirelo at the end."""
    pos = [0, 1350, 4000]
    seq = Sequenza(1957)
    passo = (213700 - 4000) / 96
    for i in range(1, 96):
        pos.append(a50(4000 + i * passo + (seq.prossimo(13) - 6) * 50))
    pos.append(213700)
    pend = [0, -2, -1]
    # Zero stretches: every third change in the middle rows is level, plus a few more.
    zeri_extra = {5, 14, 85}
    tavole = [
        (62000, [1, -1, 2, -2, 1, -3, 3, -1, 2, -2]),
        (84000, [3, -2, 4, -3, 5, -4, 2, -5, 4, -1]),
        (200000, [6, -4, 7, 5, -6, 10, -5, 4, -8, 6, -3, 7, -6, 5, -4, 3, -8, 6, -5, 4]),
        (213700, [-4, -3, -2, -1, -3, -2]),
    ]
    indici = {t[0]: 0 for t in tavole}
    for i in range(3, 98):
        p = pos[i]
        if i % 3 == 0 or i in zeri_extra:
            pend.append(0)
            continue
        for limite, valori in tavole:
            if p < limite:
                pend.append(valori[indici[limite] % len(valori)])
                indici[limite] += 1
                break
    pend.append(0)
    return list(zip(pos, pend))


def riga_pendenza(p):
    posizione, valore = p
    if posizione == 0:
        return f"pendenza,   {posizione},    {valore}"
    return f"pendenza,  {posizione},   {valore}"


# Line speed limits: (position, km/h). Each is also a row of the train card, except the
# 60 km/h over the points at Quma.
LIMITI = [
    (0, 30), (500, 60), (750, 155), (4200, 180), (10300, 160), (12600, 180), (24600, 165),
    (34900, 180), (47200, 175), (57300, 180), (66700, 160), (76500, 140), (84600, 130),
    (96500, 145), (105000, 180), (114600, 140), (121900, 115), (130200, 140), (139400, 160),
    (146100, 140), (150500, 180), (158200, 140), (167400, 160), (181900, 140), (190800, 130),
    (205600, 115), (211200, 95),
]

# The three speeds A, B, C of a speed-indicator board, by the line speed it announces.
TERNE = {
    155: [(140, 145, 155)],
    180: [(140, 160, 180)],
    175: [(140, 160, 175)],
    165: [(135, 150, 165)],
    160: [(130, 145, 160)],
    145: [(120, 135, 145)],
    140: [(110, 125, 140), (115, 130, 140)],
    130: [(100, 115, 130)],
    115: [(90, 105, 115)],
}


def costruisci_indicatori():
    """27 speed-indicator boards: one 50 m after each line speed change from 750 m on
    (but the last), and three on the approach to Mirelo, two of them striped."""
    uso = Counter()
    tabelle = []
    for posizione, v in LIMITI[2:-1]:
        terne = TERNE[v]
        terna = terne[uso[v] % len(terne)]
        uso[v] += 1
        tabelle.append((posizione + 50, *terna, 0))
    tabelle += [(208800, 80, 90, 95, 2), (209400, 80, 90, 95, 2), (209950, 80, 90, 95, 0)]
    return tabelle


def riga_indicatore(t):
    posizione, a, b, c, strisce = t
    return f"indicatori_vmax,  {posizione},  {a},  {b},  {c},  {strisce},  ,  ,  ,  0"


def costruisci_cartelli():
    """One signboard 50 m before each tunnel but the first (the 50 m stretch at 9500)."""
    cartelli = []
    for (inizio, fine, _), (nome, _, mostrata) in zip(MONTAGNE[1:], GALLERIE):
        metri = mostrata if mostrata is not None else fine - inizio
        testi = ["GALLERIA", nome, f"M. {metri}"]
        larghezza = max(len(t) for t in testi)
        cartelli.append((inizio - 50, [t.ljust(larghezza) for t in testi]))
    return cartelli


def riga_cartello(c):
    posizione, testi = c
    return f"cartello_indicatore,  {posizione},   " + "".join(f"({t})" for t in testi)


# ===========================================================================
# Service description
# ===========================================================================

GENERALE_TRENO = [
    "numero vetture,    12",
    "percentuale massa frenata,    135",
    "sabbia,    200",
    "orologio,    10" + " " * 14 + "29" + " " * 12 + "30 ",
]
ADERENZE = [(0, 80), (89000, 70), (96400, 80), (114950, 75), (118200, 80)]
RALLENTAMENTI = [(19450, 40, 300), (37300, 50, 200), (119250, 40, 200), (194800, 80, 750)]
TEMPI_SEGNALE = {37100: 220, 163300: 255, 171400: 210, 173600: 130, 212800: 230}


def area_stazione(p, kind, lunghezza, campo6=0):
    if kind in (5, 6):
        return p - lunghezza, p + 150
    if kind in (7, 8):
        return p - lunghezza, p + lunghezza
    return p - lunghezza // 2, p + lunghezza // 2 + (50 if campo6 else 0)


def campi_stazione(nome):
    campi = {4: 0, 5: 0, 6: 0, 7: 1, 8: 1, 9: 0, 10: 4, 11: 1, 12: 1, 13: 0}
    campi.update(CAMPI_STAZIONE.get(nome, {}))
    return campi


def riga_stazione(s, primo, ultimo):
    nome, _, p, kind, lunghezza, _ = s
    campi = campi_stazione(nome)
    ora = (10, 30, 0) if primo else (12, 17, 0) if ultimo else (0, 0, 0)
    valori = [p, kind, lunghezza] + [campi[k] for k in range(4, 14)] + list(ora)
    larghezze = (8, 3, 5, 3, 2, 2, 3, 1, 1, 3, 1, 1, 5, 4, 2, 2)
    return "stazione," + "".join(f"{v:>{w}}," for v, w in zip(valori, larghezze)) + " " + nome


# Signal aspects (sx, s1, s2, s3) by role.
ASPETTI_INGRESSO = [(2, 4, 1, 1)] * 20 + [(2, 4, 3, 1)] * 2 + [(2, 3, 1, 1)] * 2
ASPETTI_USCITA = [(1, 4, 1, 1)] * 19 + [(2, 3, 0, 0)] * 3 + [(2, 4, 0, 0)] * 2
ASPETTO_BLOCCO = (2, 4, 0, 0)


def distribuisci(lista, quanti):
    """Spread the items of `lista` evenly over `quanti` slots: each slot takes the item
    that is furthest behind its even share so far (the commonest item on a tie)."""
    totale = Counter(lista)
    usati = Counter()
    ordine = sorted(totale, key=lambda v: -totale[v])
    fuori = []
    for i in range(quanti):
        voce = max(ordine, key=lambda v: totale[v] * (i + 1) / quanti - usati[v])
        usati[voce] += 1
        fuori.append(voce)
    verifica(usati == totale, "aspects spread without loss")
    return fuori


class Griglia:
    """The track grid as the loader lays it, for choosing where objects go: a kind per
    cell. The code point passes are the compiler's own; `scenario_tool check` runs them."""

    def __init__(self):
        self.tipo = [0] * (N_CELLE + 1)
        self.chi = [""] * (N_CELLE + 1)
        self.errori = []

    def libera(self, k):
        return 0 <= k <= N_CELLE and self.tipo[k] in (0, 11)

    def metti(self, k, tipo, chi, codice_rifiuto):
        if not self.libera(k):
            self.errori.append(f"{chi}: cell {k} taken by {self.chi[k] if 0 <= k <= N_CELLE else 'nothing'} "
                               f"(code {codice_rifiuto})")
            return False
        if k == 1:
            self.errori.append(f"{chi}: cell 1 holds the grid's header values")
        self.tipo[k], self.chi[k] = tipo, chi
        return True


def cella_di(p):
    return round(Fraction(p, 50) + 1)


def cella_che_tiene(p):
    return round(Fraction(p, 50))


def posa_linea(g, indicatori, cartelli):
    """Mountains, speed-indicator boards and signboards, as the line loader lays them."""
    segni = []
    for inizio, fine, tipo in MONTAGNE:
        marca = tipo > 10
        primo, ultimo = round(Fraction(inizio, 50)), round(Fraction(fine, 50) - 1)
        for n, k in enumerate(range(primo, ultimo + 1), 1):
            if marca and n % 4 == 0 and g.tipo[k] == 0:
                g.tipo[k], g.chi[k] = 11, f"tunnel mark of {inizio}"
                segni.append(k)
    for t in indicatori:
        g.metti(cella_di(t[0]), 6, f"speed-indicator board at {t[0]}", 21)
    celle_cartelli = []
    for posizione, _ in cartelli:
        k = cella_di(posizione)
        g.metti(k, 14, f"signboard at {posizione}", 6)
        celle_cartelli.append(k)
    return segni, celle_cartelli


def posa_stazioni(g):
    prec = None
    for n, s in enumerate(STAZIONI, 1):
        nome, _, p, kind, lunghezza, _ = s
        inizio, fine = area_stazione(p, kind, lunghezza)
        verifica(p % 50 == 0 and lunghezza % 100 == 0, f"station {nome}: position and length on the grid")
        verifica((p + 800) / 50 <= N_CELLE, f"station {nome}: inside the grid")
        if kind < 25:
            q = Fraction(fine, 50) - 1
            verifica(q > 1, f"station {nome}: its area ends after 100 m")
            g.metti(round(q), 10, f"stop cell of {nome}", 10)
        if prec is not None:
            verifica(inizio - 350 >= prec,
                     f"station {nome}: area {inizio}-{fine} 350 m or more after the previous ends")
        prec = fine


def posa_rallentamenti(g):
    for x, v, l in RALLENTAMENTI:
        chi = f"slowdown at {x}"
        if x > 1500:
            g.metti(cella_di(x - 1200), 4, chi + " (warning)", 17)
        g.metti(cella_di(x), 3, chi + " (start)", 18)
        g.metti(cella_di(x + l), 2, chi + " (end)", 19)
        if x > 1500:
            t = cella_che_tiene(x - 1200)
            for i in range(4):
                g.metti(t - i, 5, chi + " (approach)", 20)


def costruisci_segnali(g):
    """112 signals: the exit signal of every station, the entry signal of every station but
    the first, and block signals between them, 800 to 4200 m apart.

    Fixed points: the first signal 2100 (the exit of Quma), the five signals with a time
    value, the last signal 212800 (the entry of Mirelo C.), and the two block signals
    300 m after the first and the last code reduction. A station's entry signal stands
    600 m before its area and its exit signal 250 m after it, unless a fixed signal
    stands close by, which then takes that role."""
    fissi = {2100: "uscita", 13450: "blocco", 37100: "blocco", 163300: "uscita", 171400: "uscita",
             173600: "blocco", 210250: "blocco", 212800: "ingresso"}
    voci = []     # (position, role, station, fixed)
    for n, s in enumerate(STAZIONI):
        nome, _, p, kind, lunghezza, _ = s
        inizio, fine = area_stazione(p, kind, lunghezza)
        if n > 0:
            voluto = inizio - 600
            vicino = [f for f, r in fissi.items() if r == "ingresso" and abs(f - voluto) <= 1200]
            if not vicino:
                voci.append((voluto, "ingresso", nome, False))
        if n < len(STAZIONI) - 1:
            voluto = fine + 250
            vicino = [f for f, r in fissi.items() if r == "uscita" and abs(f - voluto) <= 1500]
            if not vicino:
                voci.append((voluto, "uscita", nome, False))
    voci += [(f, r, None, True) for f, r in fissi.items()]
    voci.sort()

    # Block signals in the gaps: at least what the 4200 m spacing needs, the rest where
    # the signals stand furthest apart.
    blocchi_fissi = sum(1 for v in voci if v[1] == "blocco")
    da_mettere = 62 - blocchi_fissi
    vuoti = [[a[0], b[0], 0] for a, b in zip(voci, voci[1:])]
    for v in vuoti:
        v[2] = math.ceil((v[1] - v[0]) / 4200) - 1
    verifica(all(v[1] - v[0] >= 800 for v in vuoti), "station signals and fixed signals 800 m or more apart")
    extra = da_mettere - sum(v[2] for v in vuoti)
    verifica(extra >= 0, "room for the block signals")
    for _ in range(extra):
        v = max(vuoti, key=lambda v: (v[1] - v[0]) / (v[2] + 1))
        v[2] += 1
    for a, b, n in vuoti:
        for j in range(1, n + 1):
            voci.append((a50(a + j * (b - a) / (n + 1)), "blocco", None, False))
    voci.sort()

    # Lay them, moving a signal by up to 300 m when its cell or a neighbour is taken.
    posati = []
    for posizione, ruolo, nome, fisso in voci:
        scelta = None
        for scarto in ([0] if fisso else [0, 50, -50, 100, -100, 150, -150, 200, -200, 250, -250, 300, -300]):
            p = posizione + scarto
            k = cella_di(p)
            # a cell of its own, clear of its neighbours, and not on a tunnel mark
            if g.tipo[k] != 0 or any(g.tipo[c] not in (0, 11) for c in range(k - 2, k + 3)):
                continue
            if posati and p - posati[-1][0] < 800:
                continue
            scelta = p
            break
        verifica(scelta is not None, f"room for the {ruolo} signal near {posizione}")
        g.metti(cella_di(scelta), 1, f"signal at {scelta}", 16)
        posati.append((scelta, ruolo, nome))

    # Aspects by role.
    ingressi = [s for s in posati if s[1] == "ingresso" and s[0] != 212800]
    uscite = [s for s in posati if s[1] == "uscita" and s[0] != 2100]
    verifica(len(ingressi) == 24 and len(uscite) == 24, "24 entry and 24 exit signals besides the first and last")
    aspetto = {}
    for s, a in zip(ingressi, distribuisci(ASPETTI_INGRESSO, 24)):
        aspetto[s[0]] = a
    # exits with a time value keep sx 2
    uscite_tempo = [s for s in uscite if s[0] in TEMPI_SEGNALE]
    altre = [s for s in uscite if s[0] not in TEMPI_SEGNALE]
    resto = list(ASPETTI_USCITA)
    for s, a in zip(uscite_tempo, [(2, 3, 0, 0), (2, 3, 0, 0)]):
        aspetto[s[0]] = a
        resto.remove(a)
    for s, a in zip(altre, distribuisci(resto, len(altre))):
        aspetto[s[0]] = a
    aspetto[2100] = (2, 3, 1, 1)
    aspetto[212800] = (2, 2, 4, 3)
    segnali = []
    for p, ruolo, _ in posati:
        sx, s1, s2, s3 = aspetto.get(p, ASPETTO_BLOCCO)
        segnali.append((p, sx, s1, s2, s3, TEMPI_SEGNALE.get(p, 0)))
    return segnali


def riga_segnale(s):
    p, sx, s1, s2, s3, tempo = s
    return f"segnale,{p:>8},   {sx}, {s1}, {s2},  {s3}, 0,    0,  0,0,0, {tempo}"


def costruisci_abbattimenti(g, segnali):
    """26 code reductions, each 300 m before a signal: the first before the block signal
    at 13450, the last (code 180) before the one at 210250, and 24 spread evenly over the
    signals between them."""
    posizioni = [s[0] for s in segnali]
    i0, i1 = posizioni.index(13450), posizioni.index(210250)
    scelti = [posizioni[i0]]
    candidati = posizioni[i0 + 1:i1]
    presi = 0
    for j in range(24):
        voluto = round((j + 0.5) * len(candidati) / 24)
        # the nearest signal from the wanted one on whose approach the reduction fits
        for scarto in (0, 1, -1, 2, -2, 3, -3):
            idx = voluto + scarto
            if 0 <= idx < len(candidati) and candidati[idx] not in scelti:
                p = candidati[idx] - 300
                k = cella_che_tiene(p)
                if g.tipo[k] == 0 and all(g.tipo[c] in (0, 11) for c in range(k - 2, k + 3)):
                    scelti.append(candidati[idx])
                    presi += 1
                    break
    scelti.append(posizioni[i1])
    verifica(presi == 24, "24 code reductions found room between the first and the last")
    scelti.sort()
    codici = [270] + [280, 270] * 11 + [280, 280] + [180]
    abbattimenti = []
    for p, c in zip(scelti, codici):
        abbattimenti.append((p - 300, c))
        g.metti(cella_che_tiene(p - 300), 12, f"code reduction at {p - 300}", 7)
    return abbattimenti


def riga_abbattimento(a):
    return f"abbattimento,{a[0]:>8},{a[1]:>6}"


# ===========================================================================
# Crew documents
# ===========================================================================

def documento_note():
    return [
        "Autore: Tessimo ",
        NOTE_PAESE,
        NOTE_POSTA,
        "La linea  \u00e8, fino alla stazione di Dorvia riprodotta fedelmente al vero ( Segnali, velocita, ecc. )",
        "mentre oltre tale stazione ho cercato di uniformarlo al tratto precedente, mentre le stazioni ",
        "sono disposte pressoch\u00e8 come al vero.",
        " ",
    ]


def nome_misto(nome_servizio):
    return next(s[1] for s in STAZIONI if s[0] == nome_servizio)


# The stations that bound each slowdown (the fourth lies inside the one station named).
TRATTI_RALLENTAMENTO = [("VALMERINO", "CASTEL TORBIO"), ("PRAVOLE", "SAN LUCERIO"),
                        ("ROCCAFERA", "TAVERNOLE"), ("ACQUAFELLA",)]


def documento_rallentamenti():
    riga_vuota = " |   |" + " " * 28 + "|            |          |         |            |"
    fondo = " |___|" + "_" * 28 + "|" + "_" * 12 + "|" + "_" * 10 + "|" + "_" * 9 + "|" + "_" * 12 + "|"
    righe = [
        "",
        " " * 31 + "Modulo M. 3",
        " " * 27 + "ORDINE DI RALLENTAMENTO",
        " " + "_" * 80,
        "  Linea  Quma Dorvia Mirelo",
        "",
        "  Si ordina al macchinista del treno Brezane di effettura i seguenti rallentamenti",
        "  " + "_" * 79,
        " |   |" + " " * 28 + "|Inizio dopo |          |         |            |",
        " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
        " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
        fondo,
    ]
    for n, ((x, v, l), stazioni) in enumerate(zip(RALLENTAMENTI, TRATTI_RALLENTAMENTO), 1):
        luogo = " " + " - ".join(nome_misto(s) for s in stazioni)
        km = f"Km {x // 1000}.{x % 1000:03}"
        righe.append(f" | {n} |{luogo:<28}|{km:<12}|  {v} Km/h |   {l}   |" + " " * 12 + "|")
    righe += [riga_vuota] * 23
    righe += [
        fondo,
        "",
        " " * 14 + "Prescrizioni specifiche",
        " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
        " B - Interessa anche la stazione di.......",
        " D - Rallentamneto N. ... e N. ...  sono contigui",
        " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
        "     i giorni esclusi i seguenti:.........",
    ]
    return righe


# Speed marked for the train ("Vel. Marc.") by line speed limit.
VEL_MARCIA = {180: 155, 175: 150, 165: 140, 160: 135, 155: 125, 145: 125, 140: 120, 130: 110, 115: 100}

# Card rows other than stations and plain speed changes: (kilometre in metres, name,
# whether it carries the line speed in force there, speed marked).
CIPPI = [(45000, "Cippo", False, 155), (105000, "Cippo", True, None), (160000, "Cippo", False, None)]
# Station recovery times ("Rec"), by service name; stations not listed have none.
RECUPERI = {
    "VALMERINO": "0.5", "CASTEL TORBIO": "1", "SAN LUCERIO": "0.5", "FONTESCURA": "1", "BORGO ALTINE": "0.5",
    "RIVASCO": "1", "CERVANO": "1.5", "PIEVE DI SOLTA": "0.5", "ROCCAFERA": "1", "TAVERNOLE": "0.5",
    "DORVIA": "2.5", "MONTALBERO": "1", "SELVANICO": "0.5", "LUPIGNANO": "1", "CASALMORO": "0.5",
    "ORBENZANO": "1", "TERRAVILLE": "0.5", "ACQUAFELLA": "1.5", "SAN GEMOLO": "1", "MARZANA-SELVE": "0.5",
}
# Card rows where a speed change shares the row of a station or tunnel (by service or
# tunnel name), and the limit they show.
LIMITI_SU_RIGA = {24600: "CASTEL TORBIO", 57300: "BORGO ALTINE", 84600: "CERVANO", 96500: "Sbocco Monte Grigo",
                  105000: "Cippo 105000", 114600: "Imb. Calvarello", 121900: "TAVERNOLE", 139400: "MONTALBERO"}


def orari_scheda():
    """Times at the card's stations: the train leaves Quma at 10.30, is at Dorvia at 11.36
    and reaches Mirelo C. at 12.17; in between the times follow the kilometres."""
    soste = [(0, 10 * 60 + 30), (128420, 11 * 60 + 36), (213500, 12 * 60 + 17)]
    orari = {}
    for s in STAZIONI:
        if s[1] is None:
            continue
        km = s[5]
        for (k0, t0), (k1, t1) in zip(soste, soste[1:]):
            if k0 <= km <= k1:
                orari[s[0]] = t0 + round((km - k0) * (t1 - t0) / (k1 - k0))
                break
    return orari


def documento_scheda():
    righe = [
        "",
        "",
        "  " + "_" * 20 + " " * 36 + "_" * 14,
        " |" + " " * 20 + "|" + " " * 12 + "SCHEDA" + " " * 16 + "|" + " " * 14 + "|",
        " |   TRENO n. Brezane |" + " " * 12 + "da: Quma" + " " * 14 + "|    V200 C    |",
        " |" + "_" * 20 + "|" + " " * 13 + "a: Mirelo" + " " * 12 + "|    135 %     |",
        " " * 57 + "|" + "_" * 14 + "|",
        "  " + "_" * 19 + " " * 16 + "_" * 19,
        " |  CLASSIFICAZIONE  |" + " " * 14 + "|  MASSA BLOCCATA   |" + " " * 7,
        " |      IC           |" + " " * 14 + "|       700T        |",
        " |" + "_" * 19 + "|" + " " * 14 + "|" + "_" * 19 + "|",
        "",
        "  " + "_" * 80,
        "   " + "_" * 79,
        " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
        " | Lim.|Marc.|          |  Rs |                            |                |     |",
    ]
    regola = " |_____|_____|__________|_____|" + "_" * 28 + "|" + "_" * 16 + "|_____|"
    righe.append(regola)

    orari = orari_scheda()
    limite_di = dict(LIMITI)
    dati = []    # (km, name, speed1, speed2, time, rec)
    gia = set()
    for nome, misto, p, kind, lunghezza, km in STAZIONI:
        if misto is None:
            continue
        v1 = v2 = None
        for pos, chi in LIMITI_SU_RIGA.items():
            if chi == nome:
                v1 = limite_di[pos]
                gia.add(pos)
        if nome == "QUMA":
            v1, v2 = 30, 30
            gia.add(0)
        elif v1 is not None:
            v2 = VEL_MARCIA.get(v1)
        dati.append((km, misto, v1, v2, orari[nome], RECUPERI.get(nome)))
    for (inizio, fine, _), (_, misto, _) in zip(MONTAGNE[1:], GALLERIE):
        if misto is None:
            continue
        for km, testo, chiave in ((inizio, "Imb. gall. " if inizio < 100000 else "Imb. Gall. ", "Imb. "),
                                  (fine, "Sbocco gall. ", "Sbocco ")):
            v1 = None
            for pos, chi in LIMITI_SU_RIGA.items():
                if chi == chiave + misto:
                    v1 = limite_di[pos]
                    gia.add(pos)
            dati.append((km, testo + misto, v1, VEL_MARCIA.get(v1) if v1 else None, None, None))
    for km, nome, in_vigore, marcia in CIPPI:
        v1 = None
        if in_vigore:
            v1 = limite_di[km]
            gia.add(km)
            marcia = VEL_MARCIA.get(v1)
        dati.append((km, nome, v1, marcia, None, None))
    for pos, v in LIMITI:
        if pos in gia or pos == 500:
            continue
        dati.append((pos, "", v, VEL_MARCIA.get(v), None, None))
    dati.sort(key=lambda d: d[0])

    for n, (km, nome, v1, v2, ora, rec) in enumerate(dati):
        c1 = f"{v1:>4} " if v1 is not None else " " * 5
        if n == 0:
            c2, c3 = f" {v2}  ", "   0      "
        else:
            c2 = f" {v2:3d} " if v2 is not None else " " * 5
            c3 = f"{km // 1000:>4}.{km % 1000:03}  "
        c5 = f" {nome}".ljust(28) if nome else " " * 28
        c6 = f" {ora // 60:02}.{ora % 60:02}" + " " * 10 if ora is not None else " " * 16
        c7 = f" {rec}".ljust(5) if rec else " " * 5
        righe.append(" |" + "|".join((c1, c2, c3, " " * 5, c5, c6, c7)) + "|")
    righe.append(regola)
    return righe, dati


# ===========================================================================
# Building and checking
# ===========================================================================

def conta(valori):
    return dict(Counter(valori))


def costruisci():
    g = Griglia()

    # --- line description -------------------------------------------------
    curve = costruisci_curve()
    verifica(len(curve) == 95, "95 curve rows")
    verifica(conta(c[0] for c in curve) == {"d": 50, "s": 45}, "curve sides: 50 d, 45 s")
    verifica(conta(c[1] for c in curve) == {1: 2, 2: 17, 3: 38, 4: 28, 5: 9, 6: 1}, "curve classes 2/17/38/28/9/1")
    lung = Counter(c[3] for c in curve)
    verifica(lung[400] == 24 and lung[500] == 21 and lung[300] == 16, "curve lengths: 400 x24, 500 x21, 300 x16")
    verifica(all(n < 16 for l, n in lung.items() if l not in (300, 400, 500)), "400, 500, 300 the commonest lengths")
    verifica(all(50 <= c[3] <= 1000 and c[3] % 50 == 0 and c[2] % 50 == 0 for c in curve),
             "curve lengths 50 to 1000, all on 50 m")
    verifica(min(lung) == 50, "shortest curve 50 m")
    verifica(all(a[2] + a[3] <= b[2] for a, b in zip(curve, curve[1:])), "no curve runs into the next")
    verifica(sum(a[2] + a[3] == b[2] for a, b in zip(curve, curve[1:])) == 6, "six curves end where the next begins")
    verifica(curve[0] == ("d", 3, 1000, 500) and curve[-1] == ("s", 3, 212450, 1000), "first and last curve")

    pendenze = costruisci_pendenze()
    verifica(len(pendenze) == 99, "99 gradient rows")
    verifica(all(b[0] > a[0] for a, b in zip(pendenze, pendenze[1:])), "gradient positions ascending")
    verifica(all(p % 50 == 0 for p, _ in pendenze), "gradient positions on 50 m")
    verifica({v for _, v in pendenze} == {-8, -6, -5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 10},
             "the sixteen gradient values, each used")
    verifica(sum(v == 0 for _, v in pendenze) == 37, "37 level gradient rows")
    verifica(pendenze[-1] == (213700, 0) and (1350, -2) in pendenze, "gradient rows at 1350 and 213700")

    indicatori = costruisci_indicatori()
    verifica(len(indicatori) == 27, "27 speed-indicator boards")
    verifica(all(b[0] > a[0] for a, b in zip(indicatori, indicatori[1:])), "board positions ascending")
    terne = Counter(t[1:4] for t in indicatori)
    verifica(terne[(140, 160, 180)] == 6 and all(n < 6 for t, n in terne.items() if t != (140, 160, 180)),
             "140, 160, 180 the commonest triple, on 6 boards")
    verifica(all(80 <= t[1] <= t[2] <= t[3] <= 180 for t in indicatori), "board speeds 80 to 180, A <= B <= C")
    verifica(indicatori[0] == (800, 140, 145, 155, 0) and indicatori[-1] == (209950, 80, 90, 95, 0),
             "first and last board")

    cartelli = costruisci_cartelli()
    diverse = sum(int(t[2].split()[1]) != fine - inizio for (_, t), (inizio, fine, _) in zip(cartelli, MONTAGNE[1:]))
    verifica(diverse == 3, "three signboards show a length other than their stretch's")
    verifica(all(8 <= len(t[0]) <= 11 for _, t in cartelli), "signboard texts 8 to 11 characters")

    linea = (["[generale]"] + GENERALE_LINEA
             + ["[curve]"] + [riga_curva(c) for c in curve]
             + ["[pendenze]"] + [riga_pendenza(p) for p in pendenze]
             + ["[montagne]"] + [f"montagna,   {a},  {b},  {c}" for a, b, c in MONTAGNE]
             + ["[cartelli]"] + [riga_indicatore(t) for t in indicatori]
             + ["[indicazioni]"] + [riga_cartello(c) for c in cartelli]
             + ["[fine]"])
    verifica(len(linea) == 253, "line description: 253 lines")

    segni, celle_cartelli = posa_linea(g, indicatori, cartelli)
    verifica(len(segni) == 108, "the mountain stretches lay 108 tunnel marks")
    verifica(celle_cartelli == [1560, 1578, 1782, 2292, 2513, 2647, 3117, 3842],
             "signboards on the first cells of their stretches")

    # --- service description ----------------------------------------------
    verifica(len(STAZIONI) == 26, "26 stations")
    verifica(conta(s[3] for s in STAZIONI) == {2: 6, 4: 12, 6: 1, 8: 1, 12: 4, 22: 1, 27: 1}, "station kinds")
    verifica(conta(s[4] for s in STAZIONI) == {300: 1, 400: 1, 500: 10, 600: 12, 700: 1, 1000: 1}, "station lengths")
    attesi = {4: {0: 24, 1: 2}, 5: {0: 22, 1: 4}, 6: {0: 26}, 7: {0: 2, 1: 23, 3: 1}, 8: {0: 2, 1: 24},
              9: {0: 26}, 10: {0: 1, 2: 2, 4: 23}, 11: {0: 1, 1: 25}, 12: {0: 1, 1: 25},
              13: {0: 24, 1: 1, 105: 1}}
    for k, atteso in attesi.items():
        verifica(conta(campi_stazione(s[0])[k] for s in STAZIONI) == atteso, f"station field {k} values")
    verifica(all(re.fullmatch(r"[A-Z][A-Z .-]*", s[0]) and 4 <= len(s[0]) <= 22 and s[0].count("-") <= 1
                 for s in STAZIONI), "station names: 4 to 22 capitals, blanks, full stops, one hyphen at most")
    posa_stazioni(g)

    verifica(len(LIMITI) == 27 and all(b[0] > a[0] for a, b in zip(LIMITI, LIMITI[1:])), "27 speed limits ascending")
    vl = Counter(v for _, v in LIMITI)
    verifica(set(vl) == {30, 60, 95, 115, 130, 140, 145, 155, 160, 165, 175, 180} and vl[140] == 6 and vl[180] == 6,
             "speed limit values, 140 and 180 six times each")

    posa_rallentamenti(g)
    segnali = costruisci_segnali(g)
    verifica(len(segnali) == 112, "112 signals")
    pos_segnali = [s[0] for s in segnali]
    verifica(pos_segnali[0] == 2100 and pos_segnali[-1] == 212800, "signals from 2100 to 212800")
    scarti = [b - a for a, b in zip(pos_segnali, pos_segnali[1:])]
    verifica(min(scarti) >= 800 and max(scarti) <= 4200,
             f"signals 800 to 4200 m apart ({min(scarti)} to {max(scarti)})")
    verifica(conta(s[1:5] for s in segnali) == {(2, 4, 0, 0): 64, (2, 4, 1, 1): 20, (1, 4, 1, 1): 19, (2, 3, 1, 1): 3,
                                               (2, 3, 0, 0): 3, (2, 4, 3, 1): 2, (2, 2, 4, 3): 1},
             "signal aspects")
    verifica(all(s[5] == TEMPI_SEGNALE.get(s[0], 0) for s in segnali) and set(TEMPI_SEGNALE) <= set(pos_segnali),
             "time values at 37100, 163300, 171400, 173600, 212800")
    verifica(all(s[1] == 2 for s in segnali if s[0] in TEMPI_SEGNALE), "signals with a time value have sx 2")

    abbattimenti = costruisci_abbattimenti(g, segnali)
    verifica(len(abbattimenti) == 26 and abbattimenti[0] == (13150, 270) and abbattimenti[-1] == (209950, 180),
             "26 code reductions from 13150 (270) to 209950 (180)")
    verifica(conta(c for _, c in abbattimenti) == {270: 12, 280: 13, 180: 1}, "code values 270 x12, 280 x13, 180 x1")

    verifica(not g.errori, "every object on a cell of its own: " + "; ".join(g.errori[:3]))
    # Only the fixed slowdowns (and the code points the compiler's passes put around
    # them) may take the place of a tunnel mark; the objects chosen here keep off them.
    verifica(all(g.chi[k].startswith("slowdown") for k in segni if g.tipo[k] != 11),
             "no signal, board or code reduction on a tunnel mark")

    prima = STAZIONI[0]
    treno = (["[generale]"] + GENERALE_TRENO
             + ["[aderenze]"] + [f"aderenza,{p:>8},    {v}" for p, v in ADERENZE]
             + ["[vel_limite]"] + ["velocita,   0,    30"] + [f"velocita,{p:>8},{v:>6}" for p, v in LIMITI[1:]]
             + ["[stazioni]"] + [riga_stazione(s, s is prima, s is STAZIONI[-1]) for s in STAZIONI]
             + ["[rallentamenti]"] + [f"rallentamento,{x:>8},{v:>6},{l:>5}, 0,  1,  0" for x, v, l in RALLENTAMENTI]
             + ["[segnali]"] + [riga_segnale(s) for s in segnali]
             + ["[codici]"] + [riga_abbattimento(a) for a in abbattimenti]
             + ["[fine]"])
    verifica(len(treno) == 212, "service description: 212 lines")
    verifica(treno[40].startswith("stazione,       0,  8,  500,  0, 0, 0,  1,1,0,  4,1,1,    1,  10,30, 0,"),
             "first station row")
    verifica("stazione,  128700,  2,  600,  0, 1, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, DORVIA" in treno, "Dorvia row")
    verifica("segnale,    2100,   2, 3, 1,  1, 0,    0,  0,0,0, 0" in treno
             and "segnale,  212800,   2, 2, 4,  3, 0,    0,  0,0,0, 230" in treno, "first and last signal rows")
    verifica("velocita,     750,   155" in treno and "velocita,  211200,    95" in treno, "quoted speed rows")
    massimo = max([c[2] for c in curve] + [p for p, _ in pendenze] + [t[0] for t in indicatori]
                  + [c[0] for c in cartelli] + [p for p, _ in LIMITI] + [s[2] for s in STAZIONI]
                  + pos_segnali + [a[0] for a in abbattimenti] + [r[0] for r in RALLENTAMENTI])
    verifica(massimo == 214050, "no position beyond the last station at 214050")

    # --- crew documents -----------------------------------------------------
    note = documento_note()
    verifica(len(note) == 7, "notes: 7 lines")
    rall = documento_rallentamenti()
    verifica(len(rall) == 47 and all(len(r) == 82 for r in rall[8:40]), "slowdown order: 47 lines, table 82 wide")
    per_nome = {s[0]: s for s in STAZIONI}
    for (x, v, l), stazioni in zip(RALLENTAMENTI, TRATTI_RALLENTAMENTO):
        if len(stazioni) == 2:
            a, b = per_nome[stazioni[0]][2], per_nome[stazioni[1]][2]
            verifica(a < x and x + l < b, f"slowdown {x} between {stazioni[0]} and {stazioni[1]}")
        else:
            s = per_nome[stazioni[0]]
            inizio, fine = area_stazione(s[2], s[3], s[4])
            verifica(inizio <= x and x + l <= fine, f"slowdown {x} inside the area of {stazioni[0]}")
    scheda, dati = documento_scheda()
    verifica(len(scheda) == 66 and all(len(r) == 83 for r in scheda[14:]), "train card: 66 lines, table 83 wide")
    verifica(len(dati) == 48, "train card: 48 data rows")
    stazioni_scheda = [d for d in dati if d[4] is not None]
    verifica(len(stazioni_scheda) == 24, "24 stations on the card")
    verifica(all(b[4] > a[4] for a, b in zip(stazioni_scheda, stazioni_scheda[1:])), "card times increasing")
    verifica(stazioni_scheda[0][4] == 630 and stazioni_scheda[-1][4] == 737, "card times 10.30 to 12.17")
    verifica(conta(d[5] for d in dati if d[5]) == {"0.5": 9, "1": 8, "1.5": 2, "2.5": 1}, "Rec values")
    verifica(sum(d[2] is not None for d in dati) == 26 and sum(d[3] is not None for d in dati) == 26,
             "26 rows with Vel. Lim. and 26 with Vel. Marc.")
    verifica(sum(d[1] == "" for d in dati) == 17 and sum(d[1] == "Cippo" for d in dati) == 3, "17 speed rows, 3 Cippo")
    for km, nome, v1, _, ora, _ in dati:
        if ora is not None:
            s = per_nome[nome.upper()]
            verifica(abs(s[2] - km) <= 1000, f"card station {nome} within 1 km of its position")
        if v1 is not None:
            vicino = {v for p, v in LIMITI if abs(p - km) <= 1000}
            in_vigore = [v for p, v in LIMITI if p <= km][-1]
            verifica(v1 in vicino or v1 == in_vigore, f"card speed {v1} at {km} is a line speed there")
    for telling in (" | 155 | 125 |   0.750  |     |                            |                |     |",
                    " | 180 | 155 | 105.000  |     | Cippo                      |                |     |",
                    " |     |     | 128.420  |     | Dorvia                     | 11.36          | 2.5 |",
                    " |  95 |     | 211.200  |     |                            |                |     |",
                    " |     |     | 213.500  |     | Mirelo C.                  | 12.17          |     |"):
        verifica(telling in scheda, "card row " + telling.split("|")[3].strip())

    rileggi_sorgenti(linea, treno, curve, pendenze, indicatori, cartelli, segnali, abbattimenti)

    return {"linea": linea, "treno": treno, "note": note, "rallentamenti": rall, "scheda": scheda,
            "segnali": segnali, "segni": segni, "abbattimenti": abbattimenti}


# ===========================================================================
# Reading the two source files back the way the loader does
# ===========================================================================

class Lettore:
    """The field reader: one stream of comma-separated fields; a number also ends at a
    blank, an empty number reads 0; blanks before a field are skipped."""

    def __init__(self, righe):
        self.testo = "".join(r + "\r\n" for r in righe)
        self.i = 0

    def fine(self):
        return self.i >= len(self.testo)

    def _salta_blank(self):
        while self.i < len(self.testo) and self.testo[self.i] == " ":
            self.i += 1

    def _chiudi(self):
        if self.testo.startswith(",", self.i):
            self.i += 1
        elif self.testo.startswith("\r\n", self.i):
            self.i += 2

    def testo_campo(self):
        self._salta_blank()
        j = self.i
        while j < len(self.testo) and self.testo[j] not in ",\r":
            j += 1
        campo, self.i = self.testo[self.i:j], j
        self._chiudi()
        return campo

    def numero(self, bit=32, senza_segno=False):
        self._salta_blank()
        m = re.compile(r"-?[0-9]*").match(self.testo, self.i)
        verifica(self.i < len(self.testo), "a record never runs past the end of its file")
        self.i = m.end()
        valore = int(m.group()) if m.group() not in ("", "-") else 0
        self._salta_blank()
        self._chiudi()
        basso, alto = (0, 2 ** bit - 1) if senza_segno else (-2 ** (bit - 1), 2 ** (bit - 1) - 1)
        verifica(basso <= valore <= alto, f"value {valore} fits its {bit}-bit field")
        return valore


def leggi_record(righe, tabella, trattini):
    """Records of a source file after its "[generale]" field, as (keyword, values).

    `tabella`: (test, widths) in the order of the loader's keyword table; a width is
    (bits, unsigned) or "t" for text. Hyphenated fields in keyword position are dropped,
    at most `trattini` in a row."""
    r = Lettore(righe)
    while not r.fine() and "[generale]" not in r.testo_campo().lower():
        pass
    record = []
    while not r.fine():
        campo = r.testo_campo()
        if r.fine():
            break
        for _ in range(trattini):
            if "-" in campo:
                campo = r.testo_campo()
        for nome, prova, larghezze in tabella:
            if prova(campo.lower()):
                record.append((nome, [r.testo_campo() if w == "t" else r.numero(*w) for w in larghezze]))
    return record


L32 = (32, False)
L16 = (16, False)
BYTE = (8, True)


def rileggi_sorgenti(linea, treno, curve, pendenze, indicatori, cartelli, segnali, abbattimenti):
    """Read both source files back as fields and compare with what was meant."""
    # line description: the body, after the "[curve]" header (the general rows are fixed)
    corpo = ["[generale]"] + linea[linea.index("[curve]") + 1:]
    tab_linea = [
        ("pendenza", lambda c: "pendenza" in c, [L32, L32]),
        ("curva", lambda c: "curva" in c, [L32, L32]),
        ("montagna", lambda c: "montagna" in c, [L32, L32, L32]),
        ("indicatori", lambda c: "indicatori_v" in c, [L32] * 9),
        ("cartello", lambda c: "indicat" in c and "cartello" in c, [L32, "t"]),
    ]
    letti = leggi_record(corpo, tab_linea, 2)
    per_tipo = {}
    for nome, valori in letti:
        per_tipo.setdefault(nome, []).append(valori)
    verifica([tuple(v) for v in per_tipo["pendenza"]] == pendenze, "gradient rows read back as written")
    verifica([(c[2], c[3]) for c in curve] == [tuple(v) for v in per_tipo["curva"]], "curve rows read back")
    verifica([tuple(v) for v in per_tipo["montagna"]] == MONTAGNE, "mountain rows read back")
    verifica([(v[0], v[1], v[2], v[3], v[4]) for v in per_tipo["indicatori"]] == indicatori
             and all(v[5:] == [0, 0, 0, 0] for v in per_tipo["indicatori"]), "speed-indicator rows read back")
    verifica([(v[0], v[1]) for v in per_tipo["cartello"]] == [(p, "".join(f"({t})" for t in ts)) for p, ts in cartelli],
             "signboard rows read back")

    tab_treno = [
        ("massa", lambda c: "frenata" in c and "massa" in c, [L32]),
        ("vetture", lambda c: "vetture" in c, [L32]),
        ("velocita", lambda c: "velocit" in c, [L32, L32]),
        ("aderenza", lambda c: "aderenza" in c, [L32, L32]),
        ("orologio", lambda c: "orologio" in c, [L16] * 3),
        ("sabbia", lambda c: "sabbia" in c, [L16]),
        ("segnale", lambda c: "segnale" in c, [L32] * 11),
        ("rallentamento", lambda c: "rallentamento" in c, [L32] * 6),
        ("abbattimento", lambda c: "abbattimento" in c, [L32] * 2),
        ("stazione", lambda c: "stazione" in c,
         [L32, BYTE, L32, BYTE, BYTE, BYTE, L16, L16, BYTE, L16, L16, L16, BYTE, L32, L32, L32, "t"]),
    ]
    letti = leggi_record(treno, tab_treno, 2)
    per_tipo = {}
    for nome, valori in letti:
        per_tipo.setdefault(nome, []).append(valori)
    verifica(per_tipo["massa"] == [[135]] and per_tipo["vetture"] == [[12]] and per_tipo["sabbia"] == [[200]]
             and per_tipo["orologio"] == [[10, 29, 30]], "train general rows read back")
    verifica([tuple(v) for v in per_tipo["aderenza"]] == ADERENZE, "adhesion rows read back")
    verifica([tuple(v) for v in per_tipo["velocita"]] == LIMITI, "speed limit rows read back")
    verifica(all(v[1] / 5 <= 255 for v in per_tipo["velocita"]), "speed limits fit a byte in steps of 5")
    verifica([(v[0], v[1], v[2]) for v in per_tipo["rallentamento"]] == RALLENTAMENTI
             and all(v[3:] == [0, 1, 0] for v in per_tipo["rallentamento"]), "slowdown rows read back")
    verifica([(v[0], v[1], v[2], v[3], v[4], v[10]) for v in per_tipo["segnale"]] == segnali
             and all(v[5:10] == [0] * 5 for v in per_tipo["segnale"]), "signal rows read back")
    verifica([tuple(v) for v in per_tipo["abbattimento"]] == abbattimenti, "code reduction rows read back")
    stazioni = per_tipo["stazione"]
    verifica([(v[0], v[1], v[2], v[16]) for v in stazioni] == [(s[2], s[3], s[4], s[0]) for s in STAZIONI],
             "station rows read back, names whole")
    verifica(len(letti) == 4 + 5 + 27 + 26 + 4 + 112 + 26, "every service row is one record, none more")


# ===========================================================================
# Output
# ===========================================================================

FILE_TESTO = {
    "linea": f"{NOME_LINEA}_linea.txt",
    "treno": f"{NOME_LINEA}_{NOME_TRENO}-.txt",
    "note": f"{NOME_LINEA}_{NOME_TRENO}_note.txt",
    "rallentamenti": f"{NOME_LINEA}_{NOME_TRENO}_rallentamenti.txt",
    "scheda": f"{NOME_LINEA}_{NOME_TRENO}_scheda_treno.txt",
}

FILE_CPP = {
    "linea": ("sources/dati_linea.cpp",
              ["The built-in line description of the route QUMA-DORVIA_MIRELO: its length and general settings,",
               "then the curves, gradients, tunnel stretches, speed-indicator boards and tunnel signboards."],
              "std::string testo_linea() { return testo_righe(righe); }"),
    "treno": ("sources/dati_treno.cpp",
              ["The built-in service description of the train brezane on QUMA-DORVIA_MIRELO: train data, adhesion,",
               "speed limits, the 26 stations, the four slowdowns, the 112 signals and the code reductions."],
              "std::string testo_servizio() { return testo_righe(righe); }"),
    "note": ("documents/dati_note.cpp",
             ["The built-in notes for the driver of the train brezane: the author, and how faithfully the route",
              "is drawn before and after Dorvia."],
             "std::string testo_note() { return testo_righe(righe); }"),
    "rallentamenti": ("documents/dati_rallentamenti.cpp",
                      ["The built-in slowdown order (Modulo M. 3) for the train brezane: the four temporary speed",
                       "restrictions of the route in a ruled table, and the legend of the special prescriptions."],
                      "std::string testo_rallentamenti() { return testo_righe(righe); }"),
    "scheda": ("documents/dati_scheda.cpp",
               ["The built-in train card of the train brezane: the header boxes, then the timetable of stations,",
                "kilometre stones, tunnels and speed changes from Quma to Mirelo C."],
               "std::string testo_scheda() { return testo_righe(righe); }"),
}


# The header that declares each generated function.
INTESTAZIONE = {"linea": "sources/testi_sorgenti.h", "treno": "sources/testi_sorgenti.h",
                "note": "documents/testi_documenti.h", "rallentamenti": "documents/testi_documenti.h",
                "scheda": "documents/testi_documenti.h"}


def in_byte(riga):
    return riga.encode("cp1252")


def letterale(riga):
    """A C++ string literal holding exactly the bytes of the line."""
    dati = in_byte(riga)
    fuori = '"'
    for i, b in enumerate(dati):
        c = chr(b)
        if c == "\\":
            fuori += "\\\\"
        elif c == '"':
            fuori += '\\"'
        elif 0x20 <= b < 0x7F:
            fuori += c
        else:
            fuori += f"\\x{b:02X}"
            if i + 1 < len(dati) and chr(dati[i + 1]) in "0123456789abcdefABCDEF":
                fuori += '" "'
    return fuori + '"'


def sorgente_cpp(chiave, righe):
    _, commento, funzione = FILE_CPP[chiave]
    testo = [f"// {commento[0]}"] + [f"// {c}" for c in commento[1:]]
    testo += [
        "// Generated by tools/genera_contenuto.py; change the generator, not this file.",
        f'#include "{INTESTAZIONE[chiave]}"',
        "",
        '#include "sources/testo_righe.h"',
        "",
        "namespace {",
        "",
        "const char* const righe[] = {",
    ]
    testo += [f"    {letterale(r)}," for r in righe]
    testo += [
        "    fine_righe,",
        "};",
        "",
        "}  // namespace",
        "",
    ]
    testo.append(funzione)
    return "\n".join(testo) + "\n"


def rileggi_letterali(sorgente):
    """Parse the literals of a generated file back into lines of bytes (for the self-check)."""
    corpo = sorgente.split("const char* const righe[] = {", 1)[1].split("fine_righe,", 1)[0]
    righe = []
    for riga in corpo.splitlines():
        riga = riga.strip()
        if not riga:
            continue
        verifica(riga.endswith(","), "each literal line ends with a comma")
        dati = bytearray()
        for pezzo in re.findall(r'"((?:[^"\\]|\\.)*)"', riga[:-1]):
            i = 0
            while i < len(pezzo):
                if pezzo[i] == "\\":
                    if pezzo[i + 1] == "x":
                        m = re.match(r"[0-9A-Fa-f]+", pezzo[i + 2:])
                        dati.append(int(m.group(), 16))
                        i += 2 + len(m.group())
                    else:
                        dati.append(ord(pezzo[i + 1]))
                        i += 2
                else:
                    dati.append(ord(pezzo[i]))
                    i += 1
        righe.append(bytes(dati))
    return righe


def scrivi_testi(contenuto, cartella):
    cartella.mkdir(parents=True, exist_ok=True)
    for chiave, nome in FILE_TESTO.items():
        dati = b"".join(in_byte(r) + b"\r\n" for r in contenuto[chiave])
        (cartella / nome).write_bytes(dati)


def trova_controllore():
    """The content checker, in the shared folder that sits beside the repository."""
    p = RADICE.parent / "shared" / "tools" / "check_content.py"
    return p if p.is_file() else None


def trova_strumento(dato):
    """The built scenario_tool: the one given, else the one in build/ or build-release/."""
    if dato is not None:
        verifica(dato.is_file(), f"--tool {dato}: a built scenario_tool")
        return dato
    for cartella in ("build", "build-release"):
        for nome in ("scenario_tool", "scenario_tool.exe"):
            p = RADICE / cartella / nome
            if p.is_file():
                return p
    return None


def esegui(strumento, *argomenti):
    return subprocess.run([str(strumento), *argomenti], capture_output=True, text=True)


def controlla_col_compilatore(contenuto, strumento):
    """Check the two source files with the real compiler: `scenario_tool check` must
    report no diagnostic at all, warnings included. Then compile them and read the grid
    back through `scenario_tool dump`: the kind of every cell, as the compiler left it
    after its code point passes."""
    nomi = ["--line", NOME_LINEA, "--train", NOME_TRENO]
    with tempfile.TemporaryDirectory(prefix="genera_contenuto.") as cartella:
        sorgenti, compilati = Path(cartella) / "sorgenti", Path(cartella) / "compilati"
        scrivi_testi(contenuto, sorgenti)

        esito = esegui(strumento, "check", *nomi, "--werror", "--format", "json", str(sorgenti))
        diagnostiche = [json.loads(r) for r in esito.stdout.splitlines() if r.strip()]
        primi = [f"{Path(d['file']).name}:{d['line']}:{d['column']}: {d['severity']}: {d['message']} [{d['code']}]"
                 for d in diagnostiche[:3]]
        verifica(esito.returncode == 0 and not diagnostiche,
                 "scenario_tool check reports nothing on the source files: "
                 + "; ".join(primi or [esito.stderr.strip() or f"exit status {esito.returncode}"]))

        esito = esegui(strumento, "compile", *nomi, "--no-plan", str(sorgenti), str(compilati))
        verifica(esito.returncode == 0, "scenario_tool compile compiles the source files: "
                 + (esito.stdout + esito.stderr).strip())
        griglia = compilati / f"{NOME_LINEA}_{NOME_TRENO}.dat"
        esito = esegui(strumento, "dump", "--json", "--all", "--kind", "grid", str(griglia))
        verifica(esito.returncode == 0, "scenario_tool dump reads the compiled grid: " + esito.stderr.strip())
        celle = [json.loads(r) for r in esito.stdout.splitlines()[1:]]
        verifica([c["cell"] for c in celle] == list(range(N_CELLE + 1)), f"the compiled grid has cells 0 to {N_CELLE}")
        return [c["tipo"] for c in celle]


def main(argv=None):
    parser = argparse.ArgumentParser(description="Build the built-in scenario content and its C++ files.")
    parser.add_argument("--text", type=Path, metavar="DIR",
                        help="also write the five text files into DIR and check them")
    parser.add_argument("--tool", type=Path, metavar="PATH",
                        help="the built scenario_tool that checks the source files "
                             "(default: build/scenario_tool or build-release/scenario_tool)")
    args = parser.parse_args(argv)

    contenuto = costruisci()
    sorgenti = {}
    for chiave, (percorso, _, _) in FILE_CPP.items():
        sorgenti[percorso] = sorgente_cpp(chiave, contenuto[chiave])
        riletti = rileggi_letterali(sorgenti[percorso])
        verifica(riletti == [in_byte(r) for r in contenuto[chiave]], f"{percorso}: literals equal the text lines")
        verifica(FINE_RIGHE not in "".join(contenuto[chiave]), f"{percorso}: the end sentinel is never a line")

    strumento = trova_strumento(args.tool)
    tipi = controlla_col_compilatore(contenuto, strumento) if strumento else None

    for percorso, sorgente in sorgenti.items():
        (RADICE / percorso).write_text(sorgente, encoding="ascii", newline="\n")

    print(f"genera_contenuto: {len(controlli)} checks passed")
    print(f"  line description {len(contenuto['linea'])} lines, service description {len(contenuto['treno'])}, "
          f"notes {len(contenuto['note'])}, slowdown order {len(contenuto['rallentamenti'])}, "
          f"train card {len(contenuto['scheda'])}; {len(contenuto['segnali'])} signals, 26 stations")
    if tipi is None:
        print("  NOT checked by the compiler: no built scenario_tool (build it, or give --tool PATH)")
    else:
        # Code points in the compiled grid: the code reductions, and what the passes placed.
        punti = sum(t == 12 for t in tipi) - len(contenuto["abbattimenti"])
        coperti = [k for k in contenuto["segni"] if tipi[k] != 11]
        nome = strumento.resolve()
        nome = nome.relative_to(RADICE) if nome.is_relative_to(RADICE) else strumento
        print(f"  {nome} check reports nothing; compiled, the code point passes place {punti} code points")
        print(f"  108 tunnel marks laid; {len(coperti)} of them lie under the fixed slowdowns' cells "
              f"and code points (cells {', '.join(str(k) for k in coperti)})")
    print("  wrote " + ", ".join(sorgenti))

    if args.text:
        scrivi_testi(contenuto, args.text)
        print(f"  wrote the five text files into {args.text}")
        controllore = trova_controllore()
        if controllore:
            esito = subprocess.run([sys.executable, str(controllore), str(args.text)], capture_output=True, text=True)
            righe = esito.stdout.strip().splitlines()
            for r in righe:
                print("  check_content: " + r)
            return esito.returncode
    return 0


if __name__ == "__main__":
    sys.exit(main())
