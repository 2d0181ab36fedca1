// The client of scenario_tool's language server, and the check and compile tasks.
//
// The program is the one named by the setting scenario.toolPath, else the one shipped
// in the extension's own bin/ folder, else scenario_tool from PATH.
'use strict';

const fs = require('fs');
const path = require('path');
const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');

const LINGUE = ['scenario-linea', 'scenario-servizio'];

let client;

function programma(context) {
  const scelto = vscode.workspace.getConfiguration('scenario').get('toolPath', '').trim();
  if (scelto) return scelto;
  const nome = process.platform === 'win32' ? 'scenario_tool.exe' : 'scenario_tool';
  const incluso = path.join(context.extensionPath, 'bin', nome);
  return fs.existsSync(incluso) ? incluso : 'scenario_tool';
}

async function avvia(context) {
  const comando = programma(context);
  client = new LanguageClient(
    'scenario',
    'Scenario language server',
    { command: comando, args: ['lsp'] },
    {
      documentSelector: LINGUE.map((language) => ({ scheme: 'file', language })),
      initializationOptions: {
        inlayHints: vscode.workspace.getConfiguration('scenario').get('inlayHints', false),
      },
      outputChannelName: 'Scenario language server',
    },
  );
  try {
    await client.start();
  } catch (errore) {
    vscode.window.showErrorMessage(
      `Cannot start "${comando} lsp": ${errore.message || errore}. ` +
        'Set scenario.toolPath to the full path of scenario_tool.',
    );
  }
}

async function ferma() {
  if (!client) return;
  const c = client;
  client = undefined;
  try {
    await c.stop();
  } catch (_) {
    // A server that never started has nothing to stop.
  }
}

// A task of the definition `{ "type": "scenario", "command": "check" | "compile", ... }`.
function compito(context, definizione, ambito) {
  const sorgenti = definizione.sources || '${fileDirname}';
  const argomenti = [definizione.command];
  if (definizione.line) argomenti.push('--line', definizione.line);
  if (definizione.train) argomenti.push('--train', definizione.train);
  if (definizione.command === 'check') {
    argomenti.push('--caret=never', sorgenti);
  } else {
    argomenti.push(sorgenti, definizione.output || path.join(sorgenti, 'compiled'));
  }
  const t = new vscode.Task(
    definizione,
    ambito || vscode.TaskScope.Workspace,
    definizione.command,
    'scenario',
    new vscode.ProcessExecution(programma(context), argomenti),
    '$scenario',
  );
  t.group = definizione.command === 'check' ? vscode.TaskGroup.Test : vscode.TaskGroup.Build;
  t.presentationOptions = { reveal: vscode.TaskRevealKind.Silent, clear: true };
  return t;
}

function activate(context) {
  context.subscriptions.push(
    vscode.tasks.registerTaskProvider('scenario', {
      provideTasks: () => [
        compito(context, { type: 'scenario', command: 'check' }),
        compito(context, { type: 'scenario', command: 'compile' }),
      ],
      resolveTask: (t) =>
        t.definition.command === 'check' || t.definition.command === 'compile'
          ? compito(context, t.definition, t.scope)
          : undefined,
    }),
    vscode.commands.registerCommand('scenario.restartServer', async () => {
      await ferma();
      await avvia(context);
    }),
    // The route's live view in the browser, centred on the record under the cursor:
    // the server's own command (scenario.openView) with the file and the position.
    vscode.commands.registerTextEditorCommand('scenario.openViewHere', (editor) =>
      vscode.commands.executeCommand('scenario.openView', editor.document.uri.toString(), {
        line: editor.selection.active.line,
        character: editor.selection.active.character,
      }),
    ),
    vscode.workspace.onDidChangeConfiguration(async (e) => {
      if (e.affectsConfiguration('scenario.toolPath') || e.affectsConfiguration('scenario.inlayHints')) {
        await ferma();
        await avvia(context);
      }
    }),
  );
  return avvia(context);
}

function deactivate() {
  return ferma();
}

module.exports = { activate, deactivate, programma };
