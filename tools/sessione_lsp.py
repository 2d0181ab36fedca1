#!/usr/bin/env python3
"""A scripted editor session with `scenario_tool lsp`, over its standard streams.

Opens a route's two source files from a folder as an editor would, the service file
with one keyword misspelt in the unsaved buffer, and checks what an author sees: the
diagnostic at the exact range (the misspelling holds an è, one UTF-16 unit and one byte
on the disk, two in UTF-8), its fix, the partner file's diagnostics, the link to the
reference, hover on a station, completion in the signals' section, the stations in the
outline, that a file whose name holds an encoded slash (ws/..%2Foutside%2FNAME) reads
nothing outside its folder (a partner planted there is never quoted), and a clean exit. Run on Linux, and under Wine with the Windows build:

    sessione_lsp.py FOLDER COMMAND...     e.g.  sessione_lsp.py src wine scenario_tool.exe
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

LINEA = "QUMA-DORVIA_MIRELO_linea.txt"
SERVIZIO = "QUMA-DORVIA_MIRELO_brezane-.txt"


class Client:
    """A language server's client: framed JSON-RPC over the server's standard streams."""

    def __init__(self, command):
        self.p = subprocess.Popen(command + ["lsp"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self.next_id = 0
        self.notifications = []

    def send(self, message):
        body = json.dumps(dict(message, jsonrpc="2.0")).encode()
        self.p.stdin.write(b"Content-Length: %d\r\n\r\n" % len(body) + body)
        self.p.stdin.flush()

    def notify(self, method, params):
        self.send({"method": method, "params": params})

    def request(self, method, params):
        self.next_id += 1
        self.send({"id": self.next_id, "method": method, "params": params})
        while True:
            m = self.read()
            if m.get("id") == self.next_id:
                if "error" in m:
                    raise SystemExit(f"{method}: {m['error']}")
                return m["result"]
            self.notifications.append(m)

    def read(self):
        length = None
        while True:
            line = self.p.stdout.readline()
            if not line:
                raise SystemExit("the server closed its output")
            if line in (b"\r\n", b"\n"):
                break
            name, _, value = line.decode("ascii").partition(":")
            if name.lower() == "content-length":
                length = int(value)
        if length is None:
            raise SystemExit("a message without Content-Length")
        return json.loads(self.p.stdout.read(length))

    def diagnostics(self, uri, version):
        """The diagnostics published for `uri` at `version`."""
        while True:
            for m in self.notifications:
                params = m.get("params", {})
                if m.get("method") == "textDocument/publishDiagnostics" and params.get("uri") == uri \
                        and params.get("version") == version:
                    self.notifications.remove(m)
                    return params["diagnostics"]
            self.notifications.append(self.read())

    def open(self, uri, text, version=1):
        self.notify("textDocument/didOpen",
                    {"textDocument": {"uri": uri, "languageId": "scenario", "version": version, "text": text}})

    def close(self):
        self.request("shutdown", None)
        self.notify("exit", None)
        return self.p.wait(timeout=30)


def check(condition, what, got=None):
    if not condition:
        raise SystemExit(f"FAILED: {what}" + (f"\n  got: {json.dumps(got)[:2000]}" if got is not None else ""))
    print(f"ok: {what}")


def fuori_dalla_cartella(c, folder, linea, servizio):
    """A service file opened as ws/..%2Foutside%2FNAME, with a line file planted in
    outside/ whose misspelt keyword a diagnostic would quote: nothing of it shows."""
    radice = Path(tempfile.mkdtemp(dir=folder))
    try:
        (radice / "ws").mkdir()
        (radice / "outside").mkdir()
        piantato = linea.replace("pendenza,  1350", "segretofuori,  1350", 1)
        (radice / "outside" / LINEA).write_bytes(piantato.encode("cp1252"))
        ws = (radice / "ws").as_uri() + "/"
        c.notifications.clear()
        aperti = [ws + "..%2Foutside%2F" + SERVIZIO, ws + LINEA]
        # The line file alone in ws/, opened after it, is checked after it too.
        for uri, testo in zip(aperti, (servizio, linea)):
            c.open(uri, testo)
        c.diagnostics(aperti[1], 1)
        pubblicati = {m["params"]["uri"] for m in c.notifications if m.get("method") == "textDocument/publishDiagnostics"}
        check("segretofuori" not in json.dumps(c.notifications) and pubblicati <= set(aperti),
              "a name with an encoded slash reads nothing outside its folder", c.notifications)
    finally:
        shutil.rmtree(radice)


def main():
    folder = Path(sys.argv[1]).resolve()
    c = Client(sys.argv[2:])
    c.request("initialize", {"processId": os.getpid(), "rootUri": folder.as_uri(), "capabilities": {}})
    c.notify("initialized", {})
    uri_l, uri_s = ((folder / n).as_uri() for n in (LINEA, SERVIZIO))
    linea = (folder / LINEA).read_bytes().decode("cp1252")
    servizio = (folder / SERVIZIO).read_bytes().decode("cp1252")
    righe = servizio.split("\r\n") if "\r\n" in servizio else servizio.split("\n")
    riga = next(i for i, r in enumerate(righe) if r.startswith("segnale,"))
    servizio_modificato = servizio.replace(righe[riga], "segnalè" + righe[riga][len("segnale"):], 1)
    c.open(uri_l, linea)
    c.open(uri_s, servizio_modificato)

    d = c.diagnostics(uri_s, 1)
    parola = [x for x in d if x.get("code") == "unknown-keyword"]
    check(len(parola) == 1, "one unknown-keyword diagnostic from the unsaved buffer", d)
    x = parola[0]
    check(x["range"] == {"start": {"line": riga, "character": 0}, "end": {"line": riga, "character": 7}},
          f"its range is the 7 characters of 'segnalè' on line {riga + 1}", x)
    href = x.get("codeDescription", {}).get("href", "")
    check(href.startswith("file:") and href.endswith("#unknown-keyword"), "it links to its reference", x)
    check(c.diagnostics(uri_l, 1) == [], "the line file, checked with it, is clean")
    azioni = c.request("textDocument/codeAction", {"textDocument": {"uri": uri_s}, "range": x["range"],
                                                   "context": {"diagnostics": [x]}})
    check([e["newText"] for a in azioni for e in a["edit"]["changes"][uri_s]] == ["segnale"],
          "its fix writes 'segnale'", azioni)

    stazione = next(i for i, r in enumerate(righe) if r.startswith("stazione,"))
    h = c.request("textDocument/hover", {"textDocument": {"uri": uri_s},
                                         "position": {"line": stazione, "character": 3}})
    check("station" in h["contents"]["value"].lower() and h["contents"]["value"].count("\n") > 10,
          "hover on 'stazione' describes the record and its fields", h)
    completamento = c.request("textDocument/completion", {"textDocument": {"uri": uri_s},
                                                          "position": {"line": riga + 1, "character": 0}})
    voci = completamento["items"] if isinstance(completamento, dict) else completamento
    check(any(v["label"] == "segnale" for v in voci), "completion in [segnali] offers 'segnale'",
          [v["label"] for v in voci])
    simboli = c.request("textDocument/documentSymbol", {"textDocument": {"uri": uri_s}})
    nomi = json.dumps(simboli)
    check("QUMA" in nomi and "km" in nomi, "the outline lists the stations with their km", simboli[:2])
    fuori_dalla_cartella(c, folder, linea, servizio)
    check(c.close() == 0, "shutdown and exit: status 0")


if __name__ == "__main__":
    main()
