// Benchmarks of each stage of a run on the built-in scenario, of the whole compile of
// generated routes from 100 to 1000 km, and of the check of the largest sources, full
// of faulty lines of each shape. Not part of the tests: run bench/run.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/percorso_sintetico.h"
#include "bench/sorgenti_grandi.h"
#include "compiler/controllo.h"
#include "compiler/file_compilati.h"
#include "compiler/insieme_compilato.h"
#include "documents/testi_documenti.h"
#include "loader/carica_scenario.h"
#include "model/nomi_file.h"
#include "platform/piattaforma_prova.h"
#include "sources/testi_sorgenti.h"

namespace {

const richiesta_caricamento incorporata{linea_incorporata, treno_incorporato, true, false};

// A temporary directory, the built-in sources, and a compiler with the built-in names.
struct banco {
  banco() : linea(testo_linea()), servizio(testo_servizio()) {}

  void scrivi_sorgenti(const std::string& l, const std::string& s) {
    p.scrivi(nome_file_linea(linea_incorporata), l);
    p.scrivi(nome_file_servizio(linea_incorporata, treno_incorporato), s);
  }
  sorgenti_in_memoria in_memoria() const {
    sorgenti_in_memoria s;
    s.file[nome_file_linea(linea_incorporata)] = linea;
    s.file[nome_file_servizio(linea_incorporata, treno_incorporato)] = servizio;
    return s;
  }
  // The whole compilation in memory.
  bool carica_tutto() {
    sorgenti_in_memoria s = in_memoria();
    esito = compila(s, incorporata);
    return esito.codice_errore() == 0;
  }

  PiattaformaProva p;
  std::string linea;
  std::string servizio;
  esito_compilazione esito;
};

void BM_testi(benchmark::State& state) {
  for (auto _ : state) {
    for (const testo_incorporato& t : testi_incorporati()) benchmark::DoNotOptimize(t.contenuto.data());
  }
}
BENCHMARK(BM_testi)->Unit(benchmark::kMillisecond);

// The load of both source files, without and with the plan's runs.
void BM_caricamento(benchmark::State& state) {
  banco b;
  richiesta_caricamento r = incorporata;
  r.con_tracciato = state.range(0) != 0;
  for (auto _ : state) {
    state.PauseTiming();
    sorgenti_in_memoria s = b.in_memoria();
    state.ResumeTiming();
    esito_caricamento e = carica_scenario(r, s);
    if (e.codice_errore() != 0) state.SkipWithError("the load recorded a code");
  }
}
BENCHMARK(BM_caricamento)->ArgName("piano")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The plan computation: every point of the built-in route's plan, from its runs.
void BM_piano(benchmark::State& state) {
  banco b;
  b.carica_tutto();
  for (auto _ : state) {
    double somma = 0;
    ripercorri(b.esito.scenario.tracciato, [&](const punto_tracciato& p) { somma += p.x; });
    benchmark::DoNotOptimize(somma);
  }
  state.counters["metri"] = static_cast<double>(b.esito.scenario.tracciato.metri_posati);
}
BENCHMARK(BM_piano)->Unit(benchmark::kMillisecond);

void BM_passi(benchmark::State& state) {
  banco b;
  sorgenti_in_memoria s = b.in_memoria();
  esito_caricamento caricato = carica_scenario(incorporata, s);
  esito_caricamento e;
  for (auto _ : state) {
    state.PauseTiming();
    e = caricato;
    state.ResumeTiming();
    passi_codici(e, nome_file_servizio(linea_incorporata, treno_incorporato));
  }
  if (e.codice_errore() != 0) state.SkipWithError("the passes recorded a code");
}
BENCHMARK(BM_passi)->Unit(benchmark::kMillisecond);

void BM_scrivi_piano(benchmark::State& state) {
  banco b;
  b.carica_tutto();
  for (auto _ : state) {
    file_nuovo f(b.p.percorso("piano.dat"));
    scrivi_piano(f, b.esito.scenario.tracciato);
    f.completa();
  }
}
BENCHMARK(BM_scrivi_piano)->Unit(benchmark::kMillisecond);

void BM_scrivi_tabella(benchmark::State& state) {
  banco b;
  b.carica_tutto();
  for (auto _ : state) {
    file_nuovo f(b.p.percorso("tabella.sim"));
    scrivi_tabella(f, b.esito.scenario.tabella);
    f.completa();
  }
}
BENCHMARK(BM_scrivi_tabella)->Unit(benchmark::kMillisecond);

void BM_scrivi_griglia(benchmark::State& state) {
  banco b;
  b.carica_tutto();
  for (auto _ : state) {
    file_nuovo f(b.p.percorso("griglia.dat"));
    scrivi_griglia(f, b.esito.scenario.griglia);
    f.completa();
  }
}
BENCHMARK(BM_scrivi_griglia)->Unit(benchmark::kMillisecond);

// The whole compile (load, passes, stamps, three files) of a route of range(0) km, from
// and into a directory.
void BM_compila(benchmark::State& state) {
  banco b;
  sorgenti_sintetiche s = percorso_sintetico(static_cast<int32_t>(state.range(0) * 1000), b.linea, b.servizio);
  for (auto _ : state) {
    state.PauseTiming();
    b.scrivi_sorgenti(s.linea, s.servizio);
    state.ResumeTiming();
    sorgenti_su_disco disco(b.p.cartella);
    b.esito = compila(disco, incorporata);
    scrivi_insieme_compilato(b.p.cartella, b.esito, incorporata);
  }
  if (b.esito.codice_errore() != 0) {
    state.SkipWithError(("recorded code " + std::to_string(b.esito.codice_errore())).c_str());
  }
  state.counters["celle"] = b.esito.scenario.n_celle;
}
BENCHMARK(BM_compila)->ArgName("km")->Arg(100)->Arg(228)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);

// The check of the built-in route whose service file is 16 MiB of one shape of faulty
// line, in memory; bench/run times the whole `scenario_tool check` of the same files,
// with its peak memory.
void BM_controllo_grande(benchmark::State& state, const forma_grande& forma) {
  sorgenti_in_memoria s;
  s.file[nome_file_linea(linea_incorporata)] = testo_linea();
  const std::string servizio = servizio_grande(forma, testo_servizio());
  s.file[nome_file_servizio(linea_incorporata, treno_incorporato)] = servizio;
  size_t diagnostiche = 0;
  for (auto _ : state) diagnostiche = controlla_sorgenti(s, incorporata).size();
  state.counters["MiB"] = static_cast<double>(servizio.size()) / (1 << 20);
  state.counters["diagnostiche"] = static_cast<double>(diagnostiche);
}

// `scenario_bench --write-large SHAPE DIR` writes the built-in sources into DIR, the
// service file 16 MiB of SHAPE's lines.
int scrivi_grandi(const std::string& nome, const std::string& cartella) {
  for (const forma_grande& f : forme_grandi()) {
    if (f.nome != nome) continue;
    scrivi_file(percorso_in(cartella, nome_file_linea(linea_incorporata)), testo_linea());
    scrivi_file(percorso_in(cartella, nome_file_servizio(linea_incorporata, treno_incorporato)),
                servizio_grande(f, testo_servizio()));
    return 0;
  }
  return 64;
}

}  // namespace

// `scenario_bench --write-route KM DIR` writes the source files of a route of KM km
// into DIR (for the measures of the view's page, bench/vista.mjs) and runs nothing else;
// `--write-large SHAPE DIR` the largest sources of one shape (for bench/run's whole runs).
int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--write-route") {
    sorgenti_sintetiche s = percorso_sintetico(std::stoi(argv[2]) * 1000, testo_linea(), testo_servizio());
    scrivi_file(percorso_in(argv[3], nome_file_linea(linea_incorporata)), s.linea);
    scrivi_file(percorso_in(argv[3], nome_file_servizio(linea_incorporata, treno_incorporato)), s.servizio);
    return 0;
  }
  if (argc == 4 && std::string(argv[1]) == "--write-large") return scrivi_grandi(argv[2], argv[3]);
  for (const forma_grande& f : forme_grandi()) {
    benchmark::RegisterBenchmark(("BM_controllo_16MiB/" + f.nome).c_str(), BM_controllo_grande, f)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
