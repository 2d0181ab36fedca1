// The bundled client loads outside VS Code, with a stand-in for the vscode module, and
// picks its program as documented: the setting scenario.toolPath, else bin/ in the
// extension's folder, else scenario_tool from PATH.
//
//   node test/prova_client.js   (after npm run build)
'use strict';

const assert = require('assert');
const fs = require('fs');
const Module = require('module');
const os = require('os');
const path = require('path');

let impostato = '';
// Every name of the stand-in is a class whose every property is again one: the client
// library extends some of vscode's classes as it loads.
const qualunque = () =>
  new Proxy(class {}, { get: (classe, nome) => (nome in classe ? classe[nome] : qualunque()) });
const finto = new Proxy(
  { workspace: { getConfiguration: () => ({ get: (_nome, predefinito) => impostato || predefinito }) } },
  { get: (oggetto, nome) => (nome in oggetto ? oggetto[nome] : qualunque()) },
);
const risolvi = Module._resolveFilename;
Module._resolveFilename = function (richiesta, ...resto) {
  return richiesta === 'vscode' ? 'vscode' : risolvi.call(this, richiesta, ...resto);
};
require.cache.vscode = { id: 'vscode', filename: 'vscode', loaded: true, exports: finto };

const estensione = require('../dist/extension.js');
assert.strictEqual(typeof estensione.activate, 'function');
assert.strictEqual(typeof estensione.deactivate, 'function');

const cartella = fs.mkdtempSync(path.join(os.tmpdir(), 'scenario-client-'));
try {
  const contesto = { extensionPath: cartella };
  const nome = process.platform === 'win32' ? 'scenario_tool.exe' : 'scenario_tool';
  const casi = [
    { bin: false, impostazione: '', atteso: 'scenario_tool' },
    { bin: true, impostazione: '', atteso: path.join(cartella, 'bin', nome) },
    { bin: true, impostazione: '  /opt/x/scenario_tool ', atteso: '/opt/x/scenario_tool' },
  ];
  for (const c of casi) {
    fs.rmSync(path.join(cartella, 'bin'), { recursive: true, force: true });
    if (c.bin) {
      fs.mkdirSync(path.join(cartella, 'bin'));
      fs.writeFileSync(path.join(cartella, 'bin', nome), '');
    }
    impostato = c.impostazione;
    assert.strictEqual(estensione.programma(contesto), c.atteso, JSON.stringify(c));
  }
  console.log(`client: the bundle loads; ${casi.length} choices of the program as documented`);
} finally {
  fs.rmSync(cartella, { recursive: true, force: true });
}
