// Benchmarks of each stage of a run on the built-in scenario, and of the whole compile
// of generated routes from 100 to 1000 km. Not part of the tests: run bench/run.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/percorso_sintetico.h"
#include "compiler/file_compilati.h"
#include "driver/form1.h"
#include "driver/nomi_file.h"
#include "loader/stato_caricamento.h"
#include "platform/piattaforma_prova.h"

namespace {

// A temporary directory and a form on it with the built-in names.
struct banco {
  banco() {
    nuovo_form();
    form->dati_linea();
    form->dati_treno();
    linea = p.leggi(nome_file_linea(linea_incorporata));
    servizio = p.leggi(nome_file_servizio(linea_incorporata, treno_incorporato));
  }
  void nuovo_form() {
    form = std::make_unique<Form1>(p);
    form->nome_linea = linea_incorporata;
    form->nome_treno = treno_incorporato;
  }
  void scrivi_sorgenti(const std::string& l, const std::string& s) {
    p.scrivi(nome_file_linea(linea_incorporata), l);
    p.scrivi(nome_file_servizio(linea_incorporata, treno_incorporato), s);
  }
  // A new form with the line half loaded, ready for the service half.
  stato_caricamento dopo_la_linea(int32_t j) {
    nuovo_form();
    form->con_tracciato = j;
    scrivi_sorgenti(linea, servizio);
    return stato_caricamento(disco, nome_file_linea(linea_incorporata),
                             nome_file_servizio(linea_incorporata, treno_incorporato));
  }
  bool carica_tutto() {
    scrivi_sorgenti(linea, servizio);
    nuovo_form();
    form->con_tracciato = 1;
    form->memorizza_dati();
    form->passi_codici();
    return form->codice_errore == 0;
  }

  PiattaformaProva p;
  sorgenti_su_disco disco{p.cartella};
  std::unique_ptr<Form1> form;
  std::string linea;
  std::string servizio;
};

void BM_testi(benchmark::State& state) {
  banco b;
  for (auto _ : state) {
    b.form->dati_linea();
    b.form->dati_treno();
    b.form->dati_note();
    b.form->dati_rallentamenti();
    b.form->dati_scheda();
  }
}
BENCHMARK(BM_testi)->Unit(benchmark::kMillisecond);

// The line half, without and with the plan's runs.
void BM_linea(benchmark::State& state) {
  banco b;
  for (auto _ : state) {
    state.PauseTiming();
    stato_caricamento s = b.dopo_la_linea(static_cast<int32_t>(state.range(0)));
    state.ResumeTiming();
    if (!b.form->carica_linea(s)) state.SkipWithError("the line half stopped");
  }
}
BENCHMARK(BM_linea)->ArgName("piano")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The plan computation: every point of the built-in route's plan, from its runs.
void BM_piano(benchmark::State& state) {
  banco b;
  b.carica_tutto();
  for (auto _ : state) {
    double somma = 0;
    ripercorri(b.form->tracciato, [&](const punto_tracciato& p) { somma += p.x; });
    benchmark::DoNotOptimize(somma);
  }
  state.counters["metri"] = static_cast<double>(b.form->tracciato.metri_posati);
}
BENCHMARK(BM_piano)->Unit(benchmark::kMillisecond);

void BM_servizio(benchmark::State& state) {
  banco b;
  for (auto _ : state) {
    state.PauseTiming();
    stato_caricamento s = b.dopo_la_linea(0);
    b.form->carica_linea(s);
    state.ResumeTiming();
    b.form->carica_servizio(s);
  }
  if (b.form->codice_errore != 0) state.SkipWithError("the service half recorded a code");
}
BENCHMARK(BM_servizio)->Unit(benchmark::kMillisecond);

void BM_passi(benchmark::State& state) {
  banco b;
  b.carica_tutto();
  std::vector<cella> caricata = b.form->griglia;
  for (auto _ : state) {
    state.PauseTiming();
    b.form->griglia = caricata;
    state.ResumeTiming();
    b.form->passi_codici();
  }
  if (b.form->codice_errore != 0) state.SkipWithError("the passes recorded a code");
}
BENCHMARK(BM_passi)->Unit(benchmark::kMillisecond);

void BM_scrivi_piano(benchmark::State& state) {
  banco b;
  b.carica_tutto();
  for (auto _ : state) {
    file_nuovo f(b.p.percorso("piano.dat"));
    scrivi_piano(f, b.form->tracciato);
    f.completa();
  }
}
BENCHMARK(BM_scrivi_piano)->Unit(benchmark::kMillisecond);

void BM_scrivi_tabella(benchmark::State& state) {
  banco b;
  b.carica_tutto();
  for (auto _ : state) {
    file_nuovo f(b.p.percorso("tabella.sim"));
    scrivi_tabella(f, b.form->tabella);
    f.completa();
  }
}
BENCHMARK(BM_scrivi_tabella)->Unit(benchmark::kMillisecond);

void BM_scrivi_griglia(benchmark::State& state) {
  banco b;
  b.carica_tutto();
  for (auto _ : state) {
    file_nuovo f(b.p.percorso("griglia.dat"));
    scrivi_griglia(f, b.form->griglia);
    f.completa();
  }
}
BENCHMARK(BM_scrivi_griglia)->Unit(benchmark::kMillisecond);

// The whole compile (load, passes, stamps, three files) of a route of range(0) km.
void BM_compila(benchmark::State& state) {
  banco b;
  sorgenti_sintetiche s = percorso_sintetico(static_cast<int32_t>(state.range(0) * 1000), b.linea, b.servizio);
  for (auto _ : state) {
    state.PauseTiming();
    b.scrivi_sorgenti(s.linea, s.servizio);
    b.nuovo_form();
    state.ResumeTiming();
    int32_t j = 1;
    b.form->memorizza_percorso(j);
  }
  if (b.form->codice_errore != 0) {
    state.SkipWithError(("recorded code " + std::to_string(b.form->codice_errore)).c_str());
  }
  state.counters["celle"] = b.form->n_celle;
}
BENCHMARK(BM_compila)->ArgName("km")->Arg(100)->Arg(228)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
