// The problem matcher of package.json against the real output of scenario_tool: the
// built-in sources, with a misspelt keyword, an unreadable number and an unknown
// header, are checked in text (what the matcher reads) and in JSON; every diagnostic
// the matcher takes from the text must be one of the JSON's, file, line, column,
// severity and code, and none may be missed. Then compile, which prints its codes the
// same way on standard error.
//
//   node test/prova_matcher.js PATH/TO/scenario_tool
'use strict';

const assert = require('assert');
const { execFileSync, spawnSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const strumento = path.resolve(process.argv[2] || 'scenario_tool');
const matcher = require('../package.json').contributes.problemMatchers.find((m) => m.name === 'scenario');
const { pattern } = matcher;
const espressione = new RegExp(pattern.regexp);

function leggi(righe) {
  const trovati = [];
  for (const riga of righe.split(/\r?\n/)) {
    const m = espressione.exec(riga);
    if (!m) continue;
    trovati.push({
      file: m[pattern.file],
      line: Number(m[pattern.line]),
      column: Number(m[pattern.column]),
      severity: m[pattern.severity],
      code: m[pattern.code] === undefined ? undefined : String(m[pattern.code]),
      message: m[pattern.message],
    });
  }
  return trovati;
}

const cartella = fs.mkdtempSync(path.join(os.tmpdir(), 'scenario-matcher-'));
try {
  const sorgenti = path.join(cartella, 'sorgenti');
  execFileSync(strumento, ['sources', sorgenti]);
  // The files are Windows-1252: edited as bytes (latin1 keeps every byte).
  const guasta = (nome, da, a) => {
    const file = path.join(sorgenti, nome);
    const testo = fs.readFileSync(file, 'latin1');
    assert(testo.includes(da), `${nome} holds ${da}`);
    fs.writeFileSync(file, testo.replace(da, a), 'latin1');
  };
  guasta('QUMA-DORVIA_MIRELO_brezane-.txt', '\r\nsegnale,', '\r\nsegnal,');
  guasta('QUMA-DORVIA_MIRELO_brezane-.txt', '[codici]', '[codice]');
  guasta('QUMA-DORVIA_MIRELO_linea.txt', 'curvad3,  1000,', 'curvad3,  1O00,');

  const testo = spawnSync(strumento, ['check', '--caret=never', sorgenti], { encoding: 'utf8' });
  const json = spawnSync(strumento, ['check', '--format', 'json', sorgenti], { encoding: 'utf8' });
  assert.strictEqual(testo.status, 1, testo.stderr);
  const attesi = [];
  for (const riga of json.stdout.split('\n').filter((r) => r.trim())) {
    const d = JSON.parse(riga);
    attesi.push({ file: d.file, line: d.line, column: d.column, severity: d.severity, code: String(d.code) });
    for (const n of d.notes) attesi.push({ file: n.file, line: n.line, column: n.column, severity: 'note' });
  }
  const letti = leggi(testo.stdout + testo.stderr).map(({ message, code, ...resto }) => {
    assert(message.length > 0 && !message.endsWith(']'), `a message without its code: ${message}`);
    return code === undefined ? resto : { ...resto, code };
  });
  assert(attesi.length >= 3, `at least the three faults: ${json.stdout}`);
  assert.deepStrictEqual(letti, attesi);
  const codici = letti.map((d) => d.code);
  for (const c of ['25', 'unknown-keyword', 'unknown-section']) assert(codici.includes(c), `${c} in ${codici}`);
  for (const d of letti) assert(path.isAbsolute(d.file) && fs.existsSync(d.file), `${d.file} is a file`);

  const compilato = spawnSync(strumento, ['compile', sorgenti, path.join(cartella, 'compilato')], {
    encoding: 'utf8',
  });
  assert.strictEqual(compilato.status, 1, compilato.stderr);
  const errori = leggi(compilato.stderr)
    .filter((d) => d.severity === 'error')
    .map(({ message, ...resto }) => resto);
  assert.deepStrictEqual(errori, [letti.find((d) => d.code === '25')]);
  console.log(`problem matcher: ${letti.length} diagnostics of check and ${errori.length} of compile read as scenario_tool reports them`);
} finally {
  fs.rmSync(cartella, { recursive: true, force: true });
}
