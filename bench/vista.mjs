// Figures of `scenario_tool view`, in the system's Chromium driven by playwright-core
// (the browser tests' own, from view/; no browser is downloaded):
// - the live page: from a saved source file to the page drawn again, over 20 saves of
//   the built-in route's service file, median and worst;
// - the page of `view`: its size, and its load time to the first drawn chart, for the
//   built-in route and a 1000 km synthetic one (median of 5 loads each, after one
//   untimed).
//
//   node bench/vista.mjs SCENARIO_TOOL SCENARIO_BENCH
//
// SCENARIO_BENCH writes the synthetic route's sources (--write-route). Not a test: it
// prints the figures and fails only when something does not work at all.
import { execFileSync, spawn } from "node:child_process";
import { createRequire } from "node:module";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const radice = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "..");
const { chromium } = createRequire(path.join(radice, "view/package.json"))("playwright-core");
const strumento = path.resolve(process.argv[2] || path.join(radice, "build-bench/scenario_tool"));
const banco = path.resolve(process.argv[3] || path.join(radice, "build-bench/scenario_bench"));
const salvataggi = 20, caricamenti = 5;

const lavoro = fs.mkdtempSync(path.join(os.tmpdir(), "vista-banco-"));
const incorporata = path.join(lavoro, "incorporata"), lunga = path.join(lavoro, "lunga");
execFileSync(strumento, ["sources", incorporata]);
fs.mkdirSync(lunga);
execFileSync(banco, ["--write-route", "1000", lunga]);

const mediana = v => { const s = [...v].sort((a, b) => a - b); return s[Math.floor((s.length - 1) / 2)]; };
const b = await chromium.launchPersistentContext(path.join(lavoro, "profilo"), {
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  headless: true,
  viewport: { width: 1500, height: 950 },
  args: ["--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync"],
});
try {
  // The page's size and its load time to the first drawn chart (the plan's line and the
  // profile's stations in the document).
  for (const [nome, cartella] of [["built-in route, 228 km", incorporata], ["synthetic route, 1000 km", lunga]]) {
    const pagina = path.join(lavoro, path.basename(cartella) + ".html");
    execFileSync(strumento, ["view", cartella, "-o", pagina]);
    const tempi = [];
    for (let i = -1; i < caricamenti; i++) {  // the first load, untimed, warms the browser up
      const page = await b.newPage();
      // Timed by the page's own clock, from the start of the navigation to the first
      // animation frame that finds the chart drawn.
      await page.goto(pathToFileURL(pagina).href, { waitUntil: "commit" });
      const fatto = await page.waitForFunction(() => {
        const l = document.querySelector("#plan-line");
        return l && l.getAttribute("d") && l.getAttribute("d").length > 100 &&
               document.querySelectorAll("#profile .station").length > 0 && performance.now();
      }, null, { polling: "raf", timeout: 30000 });
      if (i >= 0) tempi.push(Math.round(await fatto.jsonValue()));
      await page.close();
    }
    const kib = fs.statSync(pagina).size / 1024;
    console.log(`view page, ${nome}: ${kib.toFixed(0)} KiB, loaded to the first drawn chart in ` +
                `${mediana(tempi)} ms (median of ${caricamenti}, worst ${Math.max(...tempi)} ms)`);
  }

  // From a save to the page drawn again: the station at 15300 m alternately 700 and 500 m
  // long, each save waited for on the page before the next.
  const servitore = spawn(strumento, ["view", "--serve", "--port", "0", incorporata], { stdio: ["ignore", "pipe", "inherit"] });
  const indirizzo = await new Promise((fatto, fallito) => {
    servitore.stdout.once("data", d => fatto(String(d).trim()));
    servitore.once("exit", () => fallito(new Error("the server ended")));
  });
  try {
    const page = await b.newPage();
    await page.goto(indirizzo);
    await page.waitForFunction(() => window.vista && window.vista.data.stations.length > 0);
    await page.waitForTimeout(500);  // the stream's first event
    const file = path.join(incorporata, "QUMA-DORVIA_MIRELO_brezane-.txt");
    const originale = fs.readFileSync(file, "latin1");
    const tempi = [];
    for (let i = 0; i < salvataggi; i++) {
      const lungo = i % 2 === 0;
      const testo = lungo ? originale.replace("stazione,   15300,  4,  500,", "stazione,   15300,  4,  700,") : originale;
      const atteso = lungo ? 15650 : 15550;
      const t0 = Date.now();
      fs.writeFileSync(file, testo, "latin1");
      await page.waitForFunction(a => {
        const s = window.vista.data.stations.find(s => s.name === "VALMERINO");
        return s && s.to === a && document.querySelector('#profile .station[data-name="VALMERINO"]');
      }, atteso, { polling: "raf", timeout: 10000 });
      tempi.push(Date.now() - t0);
      await page.waitForTimeout(150);  // apart from the next save
    }
    console.log(`view --serve, built-in route: from a save to the page drawn again ${mediana(tempi)} ms median, ` +
                `${Math.max(...tempi)} ms worst (${salvataggi} saves)`);
  } finally {
    servitore.kill("SIGINT");
  }
} finally {
  await b.close();
  fs.rmSync(lavoro, { recursive: true, force: true });
}
