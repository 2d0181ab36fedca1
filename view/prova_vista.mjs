// Browser tests of `scenario_tool view`, in the system's Chromium driven by
// playwright-core (no browser is downloaded).
//
//   node prova_vista.mjs [SCENARIO_TOOL [SCREENSHOT_DIR]]
//
// SCENARIO_TOOL defaults to build/scenario_tool of the source tree, SCREENSHOT_DIR to
// build/vista. The screenshots of the built-in route, of a route with an error and of a
// route whose every text is hostile HTML are left there to be looked at. Exit status 1
// when a check fails.
import { chromium } from "playwright-core";
import { execFileSync, spawn } from "node:child_process";
import http from "node:http";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const radice = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "..");
const strumento = path.resolve(process.argv[2] || path.join(radice, "build/scenario_tool"));
const foto = path.resolve(process.argv[3] || path.join(radice, "build/vista"));
const browser = process.env.CHROMIUM || "/usr/bin/chromium";

let fallite = 0;
function verifica(condizione, cosa) {
  console.log((condizione ? "ok    " : "FAIL  ") + cosa);
  if (!condizione) fallite++;
}

// The built-in sources, and the same with a second signal on the cell of the one at
// 100400 m: the compile stops there (code 16), and the signals after it are not loaded.
const lavoro = fs.mkdtempSync(path.join(os.tmpdir(), "vista-"));
const sorgenti = path.join(lavoro, "sorgenti"), errata = path.join(lavoro, "errata");
execFileSync(strumento, ["sources", sorgenti]);
fs.cpSync(sorgenti, errata, { recursive: true });
const servizio = path.join(errata, "QUMA-DORVIA_MIRELO_brezane-.txt");
const righe = fs.readFileSync(servizio, "latin1").split("\r\n");
const doppia = righe.findIndex(r => r.startsWith("segnale,  100400,"));
righe.splice(doppia + 1, 0, righe[doppia]);
fs.writeFileSync(servizio, righe.join("\r\n"), "latin1");
// The built-in sources again with every text they can hold made of HTML that would end
// or comment out the page's script or run one of its own: the route's and the train's
// names (their files' names too), station names, signboard texts, remarks (one on each
// station's line, so that the line goes with the data), and a line that names no
// record, which a warning quotes.
const ostile = { cartella: path.join(lavoro, "ostile"), linea: "<!--<script>&\u2028", treno: "<!--<b>&amp;" };
function scriviOstile() {
  fs.mkdirSync(ostile.cartella);
  const leggi = nome => fs.readFileSync(path.join(sorgenti, nome), "latin1");
  const scrivi = (nome, testo) => fs.writeFileSync(path.join(ostile.cartella, nome), testo, "latin1");
  let n = 0;
  scrivi(`${ostile.linea}_linea.txt`, leggi("QUMA-DORVIA_MIRELO_linea.txt")
    .replace(/\(GALLERIA[^)]*\)\([^)]*\)\([^)]*\)/g, "(<!--<script>)(</script>)(&amp; ]]>)")
    .replace("[curve]\r\n", "[curve]\r\n-- <!--<script> --\r\n<img src=x onerror=alert(1)>\r\n"));
  scrivi(`${ostile.linea}_${ostile.treno}-.txt`, leggi("QUMA-DORVIA_MIRELO_brezane-.txt")
    .replace(/^(stazione,.*, )[^,\r\n]+(?=\r$)/gm, (_, record) => record + `<!--<script>${++n}</script>,-- </script><!-- --`)
    .replace("[stazioni]\r\n", "[stazioni]\r\n<img src=x onerror=alert(2)>\r\n"));
  return n;
}
const stazioni_ostili = scriviOstile();
const nomi_ostili = ["--line", ostile.linea, "--train", ostile.treno];
const pagina = path.join(lavoro, "view.html"), pagina_errata = path.join(lavoro, "errata.html");
const pagina_ostile = path.join(lavoro, "ostile.html");
execFileSync(strumento, ["view", sorgenti, "-o", pagina]);
execFileSync(strumento, ["view", errata, "-o", pagina_errata]);
execFileSync(strumento, ["view", ostile.cartella, ...nomi_ostili, "-o", pagina_ostile]);
fs.mkdirSync(foto, { recursive: true });

// A fresh profile of its own (playwright gives it to Chromium as --user-data-dir).
const b = await chromium.launchPersistentContext(path.join(lavoro, "profilo"), {
  executablePath: browser,
  headless: true,
  viewport: { width: 1500, height: 950 },
  args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync"],
});
try {
  const page = b.pages()[0] || await b.newPage();
  const richieste = [];
  page.on("request", r => richieste.push(r.url()));
  const errori = [];
  page.on("pageerror", e => errori.push(String(e)));
  page.on("console", m => { if (m.type() === "error") errori.push(m.text()); });
  const indirizzo = pathToFileURL(pagina).href;
  await page.goto(indirizzo);
  await page.waitForTimeout(300);
  verifica(richieste.length === 1 && richieste[0] === indirizzo, "the page makes no request outside itself: " + JSON.stringify(richieste.filter(u => u !== indirizzo)));
  verifica(errori.length === 0, "no script error: " + errori.join("; "));

  // Every layer draws something on the built-in route.
  const conta = await page.evaluate(() => ({
    stazioni: document.querySelectorAll("#profile .station").length,
    segnali: document.querySelectorAll("#plan .signal").length,
    limiti: document.querySelectorAll("#profile .speed").length,
    pendenze: document.querySelectorAll("#profile .gradient").length,
    piano: document.querySelector("#plan-line").getAttribute("d").length,
  }));
  verifica(conta.stazioni === 26 && conta.segnali > 100 && conta.limiti > 20 && conta.pendenze > 50 && conta.piano > 1000,
           "the plan and the profile are drawn with their layers: " + JSON.stringify(conta));
  await page.screenshot({ path: path.join(foto, "vista-incorporata.png") });

  // A station's tooltip: its values and its source line.
  await page.evaluate(() => window.vista.centreOn(15300));
  const area = await page.locator('#profile .station[data-name="VALMERINO"] rect').boundingBox();
  await page.mouse.move(area.x + 4, area.y + area.height - 4);
  const tip = await page.locator("#tip").innerText();
  verifica(/station VALMERINO/.test(tip) && /area\s+15050 to 15550 m/.test(tip) && /length\s+500 m/.test(tip) &&
           /QUMA-DORVIA_MIRELO_brezane-\.txt:43/.test(tip) && /stazione,\s+15300/.test(tip),
           "the tooltip of a station shows its values and its source line");
  await page.screenshot({ path: path.join(foto, "vista-tooltip.png") });

  // Zoom on the plan moves the profile.
  await page.evaluate(() => window.vista.setView(0, 228000));
  const prima = await page.evaluate(() => [window.vista.view.m0, window.vista.view.m1, document.querySelector("#profile-body").innerHTML.length]);
  const piano = await page.locator("#plan").boundingBox();
  await page.mouse.move(piano.x + piano.width / 2, piano.y + piano.height / 2);
  for (let i = 0; i < 5; i++) await page.mouse.wheel(0, -100);
  await page.waitForTimeout(100);
  const dopo = await page.evaluate(() => [window.vista.view.m0, window.vista.view.m1, document.querySelector("#profile-body").innerHTML.length]);
  const tacca = await page.evaluate(() => document.querySelector("#profile > text").textContent);
  verifica(dopo[1] - dopo[0] < (prima[1] - prima[0]) / 2 && tacca !== "0.0 km",
           `the wheel on the plan zooms the profile: ${prima[0]}-${prima[1]} m to ${Math.round(dopo[0])}-${Math.round(dopo[1])} m, first tick ${tacca}`);

  // Jumping to a station centres it on the profile.
  await page.fill("#where", "castel torbio");
  await page.press("#where", "Enter");
  await page.waitForTimeout(100);
  const centro = await page.evaluate(() => {
    const linea = document.querySelector('#profile .station[data-name="CASTEL TORBIO"] line');
    const corpo = document.querySelector("#profile clipPath rect");
    return [+linea.getAttribute("x1"), +corpo.getAttribute("x") + +corpo.getAttribute("width") / 2];
  });
  verifica(Math.abs(centro[0] - centro[1]) < 2, `jumping to a station centres it: at x ${centro[0].toFixed(1)}, centre ${centro[1].toFixed(1)}`);
  await page.screenshot({ path: path.join(foto, "vista-salto.png") });

  // An address with #km=K (the language server's) centres there, on load and on a change.
  await page.goto(indirizzo + "#km=15.3");
  await page.waitForTimeout(200);
  const caricata = await page.evaluate(() => (window.vista.view.m0 + window.vista.view.m1) / 2);
  await page.evaluate(() => { location.hash = "#km=100.4"; });
  await page.waitForTimeout(200);
  const cambiata = await page.evaluate(() => (window.vista.view.m0 + window.vista.view.m1) / 2);
  verifica(Math.abs(caricata - 15300) < 1 && Math.abs(cambiata - 100400) < 1,
           `#km= centres the view: loaded with #km=15.3 at ${Math.round(caricata)} m, then #km=100.4 at ${Math.round(cambiata)} m`);

  // A route with an error: the stop is marked, and what was loaded before it drawn.
  await page.goto(pathToFileURL(pagina_errata).href);
  await page.waitForTimeout(300);
  const errata_vista = await page.evaluate(() => ({
    arresto: document.querySelector("#stop").innerText,
    segno: !!document.querySelector("#profile-stop"),
    diagnostiche: document.querySelector("#diagnostics").innerText,
    segnali: document.querySelectorAll("#plan .signal").length,
  }));
  verifica(/stopped at QUMA-DORVIA_MIRELO_brezane-\.txt:126/.test(errata_vista.arresto) && errata_vista.segno &&
           /code 16/.test(errata_vista.diagnostiche) && errata_vista.segnali > 40 && errata_vista.segnali < 100,
           "a route that stops: the stop is marked and listed, the signals before it drawn: " + JSON.stringify(errata_vista));
  await page.screenshot({ path: path.join(foto, "vista-errore.png") });
  await page.evaluate(() => window.vista.centreOn(100400));
  await page.screenshot({ path: path.join(foto, "vista-errore-zoom.png") });
  verifica(errori.length === 0, "no script error on either page: " + errori.join("; "));

  await provaOstile(page, pathToFileURL(pagina_ostile).href, "view -o", "vista-ostile.png");

  // The live page: a saved change of a station's length is drawn in under a second,
  // with the zoom kept. (Only where scenario_tool was built with --serve.)
  const aiuto = execFileSync(strumento, ["view", "--help"]).toString();
  if (aiuto.includes("--serve")) await provaDalVivo(b);
} finally {
  await b.close();
  fs.rmSync(lavoro, { recursive: true, force: true });
}
// A route whose every text is hostile HTML: the page runs its script and draws the
// route, shows each text as it was written, and runs nothing of the route's own.
async function provaOstile(page, indirizzo, come, immagine) {
  const errori = [], dialoghi = [];
  page.on("pageerror", e => errori.push(String(e)));
  page.on("dialog", d => { dialoghi.push(d.message()); d.dismiss(); });
  await page.goto(indirizzo);
  await page.waitForTimeout(300);  // a live page: the stream's first event, the same data
  const visto = await page.evaluate(() => ({
    script: !!window.vista,
    titolo: document.title,
    intestazione: document.querySelector("#title").textContent,
    stazioni: [...new Set([...document.querySelectorAll("#profile .station")].map(g => g.getAttribute("data-name")))],
    segnali: document.querySelectorAll("#plan .signal").length,
    cartelli: window.vista ? window.vista.data.objects.filter(o => o.kind === "signboard").map(o => o.what) : [],
    diagnostiche: document.querySelector("#diagnostics").innerText,
    elementi: [document.querySelectorAll("img, b").length, document.scripts.length],
  }));
  const nomi = Array.from({ length: stazioni_ostili }, (_, i) => `<!--<script>${i + 1}</script>`);
  verifica(visto.script && errori.length === 0 && dialoghi.length === 0 && visto.elementi.join() === "0,2",
           `hostile texts, ${come}: the page's script runs, and nothing of the route's (errors ${JSON.stringify(errori)}, ` +
           `dialogs ${JSON.stringify(dialoghi)}, img and b elements, scripts: ${visto.elementi})`);
  verifica(visto.titolo === `${ostile.linea} \u2014 ${ostile.treno}` && visto.intestazione.startsWith(visto.titolo + ", 228") &&
           visto.stazioni.join() === nomi.join() && visto.segnali > 100 &&
           visto.cartelli.length === 8 && visto.cartelli.every(t => t.includes("(<!--<script>)(</script>)(&amp; ]]>)")),
           `hostile texts, ${come}: the route is drawn, every name and signboard as written: ` +
           JSON.stringify({ ...visto, stazioni: visto.stazioni.length + " stations, the 3rd " + visto.stazioni[2],
                            cartelli: visto.cartelli.length + " signboards, the 1st " + visto.cartelli[0], diagnostiche: undefined }));
  verifica(/"<img src=x onerror=alert\(1\)>" names no record/.test(visto.diagnostiche) &&
           /"<img src=x onerror=alert\(2\)>" names no record/.test(visto.diagnostiche),
           `hostile texts, ${come}: the warnings that quote them are listed as written`);
  await page.evaluate(() => window.vista && window.vista.centreOn(15300));
  const area = await page.locator('#profile .station[data-name="<!--<script>3</script>"] rect').boundingBox();
  if (area) await page.mouse.move(area.x + 4, area.y + area.height - 4);
  const tip = area ? await page.locator("#tip").innerText() : "";
  verifica(tip.includes("station <!--<script>3</script>") && tip.includes("<!--<script>3</script>,-- </script><!-- --"),
           `hostile texts, ${come}: a station's tooltip shows its name and its line as written`);
  await page.evaluate(() => window.vista && window.vista.setView(0, 228000));
  await page.screenshot({ path: path.join(foto, immagine) });
}

// `view --serve` on `cartella`; its address once it listens, and how to stop it.
async function avviaServitore(cartella, altri = []) {
  const servitore = spawn(strumento, ["view", "--serve", "--port", "0", ...altri, cartella], { stdio: ["ignore", "pipe", "inherit"] });
  const indirizzo = await new Promise((fatto, fallito) => {
    servitore.stdout.once("data", d => fatto(String(d).trim()));
    servitore.once("exit", () => fallito(new Error("the server ended")));
  });
  const ferma = async () => {
    const uscito = new Promise(fatto => servitore.once("exit", codice => fatto(codice)));
    servitore.kill("SIGINT");
    return await uscito;
  };
  return { indirizzo, ferma };
}

async function provaDalVivo(b) {
  const ostile_vivo = await avviaServitore(ostile.cartella, nomi_ostili);
  try {
    const page = await b.newPage();
    await provaOstile(page, ostile_vivo.indirizzo, "--serve", "vista-ostile-dal-vivo.png");
    await page.close();
  } finally {
    await ostile_vivo.ferma();
  }
  const { indirizzo, ferma } = await avviaServitore(sorgenti);
  try {
    const page = await b.newPage();
    const richieste = [];
    page.on("request", r => richieste.push(r.url()));
    await page.goto(indirizzo);
    await page.waitForFunction(() => window.vista && window.vista.data.stations.length === 26);
    await page.evaluate(() => window.vista.centreOn(15300));
    await page.waitForTimeout(300);  // the stream's first event, the same data
    const prima = await page.evaluate(() => [window.vista.view.m0, window.vista.view.m1]);
    const t0 = Date.now();
    const file = path.join(sorgenti, "QUMA-DORVIA_MIRELO_brezane-.txt");
    const testo = fs.readFileSync(file, "latin1");
    fs.writeFileSync(file, testo.replace("stazione,   15300,  4,  500,", "stazione,   15300,  4,  700,"), "latin1");
    await page.waitForFunction(() => window.vista.data.stations[2].to === 15650, null, { timeout: 5000 });
    const tempo = Date.now() - t0;
    const dopo = await page.evaluate(() => [window.vista.view.m0, window.vista.view.m1,
      document.querySelector('#profile .station[data-name="VALMERINO"] rect').getAttribute("width")]);
    verifica(tempo < 1000 && dopo[0] === prima[0] && dopo[1] === prima[1],
             `a saved station length is drawn in ${tempo} ms, the view kept at ${Math.round(dopo[0])}-${Math.round(dopo[1])} m`);
    const origine = new URL(indirizzo).origin;
    verifica(richieste.every(u => u.startsWith(origine + "/")), "the live page asks only its own server: " + JSON.stringify(richieste));
    await page.screenshot({ path: path.join(foto, "vista-dal-vivo.png") });
    // Its page and stream only, to loopback names only, from its own origin only.
    const stato = async (percorso, intestazioni = {}) => (await fetch(new URL(percorso, indirizzo), { headers: intestazioni })).status;
    // Node's own client: a browser's fetch may not set Host, nor send "/../x" as it is.
    const grezza = (percorso, intestazioni = {}) => new Promise(fatto => {
      http.get({ host: "127.0.0.1", port: new URL(indirizzo).port, path: percorso, headers: intestazioni }, r => {
        let corpo = "";
        r.on("data", d => { corpo += d; });
        r.on("end", () => fatto([r.statusCode, corpo.length]));
      });
    });
    const risposte = [await grezza("/../x"), await grezza("/", { Host: "example.com" }),
                      await grezza("/", { Origin: "http://example.com" }), await grezza("/x")];
    verifica(risposte.every(([codice, lunghezza]) => codice >= 400 && lunghezza === 0) && await stato("/") === 200,
             "another path, a foreign Host or another origin gets no content: " + JSON.stringify(risposte));
    await page.close();
  } finally {
    const codice = await ferma();
    verifica(codice === 0, "the server stops cleanly on Ctrl-C (SIGINT), exit status " + codice);
  }
}

console.log(fallite ? `${fallite} checks failed` : "every check passed");
process.exit(fallite ? 1 : 0);
