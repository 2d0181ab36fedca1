// Writes dist/THIRD_PARTY_NOTICES.txt: the licence of every npm package that esbuild
// bundled into dist/extension.js, read from the metafile of the build.
'use strict';

const fs = require('fs');
const path = require('path');

const meta = JSON.parse(fs.readFileSync(path.join(__dirname, 'dist', 'meta.json'), 'utf8'));
// A package's folder, nested ones included: node_modules/a/node_modules/b.
const pacchetti = new Set();
for (const ingresso of Object.keys(meta.inputs)) {
  const m = /^(.*node_modules\/(?:@[^/]+\/)?[^/]+)\//.exec(ingresso);
  if (m) pacchetti.add(m[1]);
}
let testo = 'The client in extension.js bundles these npm packages, under these licences.\n';
for (const relativa of [...pacchetti].sort()) {
  const cartella = path.join(__dirname, relativa);
  const info = JSON.parse(fs.readFileSync(path.join(cartella, 'package.json'), 'utf8'));
  const licenza = fs.readdirSync(cartella).find((f) => /^licen[cs]e(\.|$)/i.test(f));
  if (!licenza) throw new Error(`${relativa} has no licence file`);
  testo += `\n${'='.repeat(78)}\n${info.name} ${info.version} (${info.license})\n${'='.repeat(78)}\n\n`;
  testo += fs.readFileSync(path.join(cartella, licenza), 'utf8').trim() + '\n';
}
fs.writeFileSync(path.join(__dirname, 'dist', 'THIRD_PARTY_NOTICES.txt'), testo);
fs.rmSync(path.join(__dirname, 'dist', 'meta.json'));
console.log(`THIRD_PARTY_NOTICES.txt: ${pacchetti.size} packages`);
