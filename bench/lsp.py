#!/usr/bin/env python3
"""Time from a one-character edit to the diagnostics the language server publishes.

Starts `scenario_tool lsp`, opens a route's two source files as an editor would, then
edits one digit of a record in the service file, again and again, each time waiting
for the diagnostics of that version. Prints the median and the worst time.

    lsp.py SCENARIO_TOOL SOURCE_FOLDER [EDITS]
"""
import os
import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tools"))
from sessione_lsp import Client  # noqa: E402

LINEA = "QUMA-DORVIA_MIRELO_linea.txt"
SERVIZIO = "QUMA-DORVIA_MIRELO_brezane-.txt"


def main():
    tool, folder = sys.argv[1], Path(sys.argv[2]).resolve()
    edits = int(sys.argv[3]) if len(sys.argv) > 3 else 40
    s = Client([tool])
    s.request("initialize", {"processId": os.getpid(), "rootUri": folder.as_uri(), "capabilities": {}})
    s.notify("initialized", {})
    texts = {}
    for name in (LINEA, SERVIZIO):
        uri = (folder / name).as_uri()
        texts[uri] = (folder / name).read_bytes().decode("cp1252")
        s.open(uri, texts[uri])
        s.diagnostics(uri, 1)
    # The edit: the last digit of the first station's line, turned into another digit
    # and back, so that every other version is the file as it was.
    uri = (folder / SERVIZIO).as_uri()
    original = texts[uri]
    start = original.index("\nstazione,") + 1
    end = original.index("\n", start)
    digit = max(i for i in range(start, end) if original[i].isdigit())
    edited = original[:digit] + ("1" if original[digit] != "1" else "2") + original[digit + 1:]
    times = []
    for version in range(2, edits + 2):
        text = edited if version % 2 == 0 else original
        t0 = time.perf_counter()
        s.notify("textDocument/didChange",
                 {"textDocument": {"uri": uri, "version": version}, "contentChanges": [{"text": text}]})
        s.diagnostics(uri, version)
        times.append((time.perf_counter() - t0) * 1000)
        time.sleep(0.05)
    s.close()
    size = sum(len(t.encode("cp1252")) for t in texts.values())
    print(f"language server, edit to diagnostics ({size // 1024} KiB of sources, {edits} edits): "
          f"median {statistics.median(times):.1f} ms, worst {max(times):.1f} ms")


if __name__ == "__main__":
    main()
