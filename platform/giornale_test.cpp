// Journals planted in a set's folder, each one this program could not have written (a
// file not of the set, a backup put over another file, a name that leaves the folder, a
// link): each is refused in one line naming the journal, and nothing in the folder or
// outside it is renamed, removed or changed.
#include "platform/giornale.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "platform/file_servizi.h"
#include "platform/piattaforma_prova.h"

namespace {

namespace fs = std::filesystem;

const std::string t = ".0123456789abcdef.tmp~", r = ".fedcba9876543210.tmp~";

std::string membro(const std::string& finale, const std::string& temporaneo, const std::string& riserva) {
  return finale + '\0' + temporaneo + '\0' + riserva + '\0';
}

// A member named rightly whose new file is still under its temporary name: beside it, a
// journal that was taken would be undone, and its other members acted on.
const std::string membro_b = membro("b.dat", "b.dat" + t, "");

struct giornale_piantato {
  const char* cosa;
  std::string membri;
  // Plants what the case needs beside the folder's usual files; `altrove` is a folder
  // outside the set's.
  std::function<void(const PiattaformaProva& p, const PiattaformaProva& altrove)> pianta = {};
};

const std::vector<giornale_piantato> piantati = {
    {"a file not of the set", membro("thesis.doc", "thesis.doc" + t, "") + membro_b},
    {"a backup over a file not of the set", membro("thesis.doc", "thesis.doc" + t, "thesis.doc" + r) + membro_b,
     [](const PiattaformaProva& p, const PiattaformaProva&) { p.scrivi("thesis.doc" + r, "planted"); }},
    {"another file as a backup", membro("a.dat", "a.dat" + t, "thesis.doc") + membro_b},
    {"a name with a slash", membro("sub/a.dat", "sub/a.dat" + t, "") + membro_b},
    {"a name with a backslash", membro("sub\\a.dat", "sub\\a.dat" + t, "") + membro_b},
    {"a name on two lines", membro("b.dat\nthesis.doc", "b.dat\nthesis.doc" + t, "") + membro_b},
    {"a set's file named twice", membro("b.dat", "b.dat" + r, "") + membro_b},
// Symbolic links need a privilege on Windows.
#ifndef _WIN32
    {"a backup that is a link", membro("a.dat", "a.dat" + t, "a.dat" + r) + membro_b,
     [](const PiattaformaProva& p, const PiattaformaProva& altrove) {
       fs::create_symlink(altrove.percorso("vittima"), p.percorso("a.dat" + r));
     }},
    {"a temporary file that is a link", membro("a.dat", "a.dat" + t, "") + membro_b,
     [](const PiattaformaProva& p, const PiattaformaProva& altrove) {
       fs::create_symlink(altrove.percorso("vittima"), p.percorso("a.dat" + t));
     }},
    {"the journal a link", "",
     [](const PiattaformaProva& p, const PiattaformaProva& altrove) {
       fs::remove(p.percorso(nome_giornale));
       altrove.scrivi("giornale", "genera_scenario journal 1\n" + membro("a.dat", "a.dat" + t, "") + membro_b + "end\n");
       fs::create_symlink(altrove.percorso("giornale"), p.percorso(nome_giornale));
     }},
#endif
};

// Every entry under `cartella`, with a file's content or a link's target.
std::map<std::string, std::string> fotografia(const std::string& cartella) {
  std::map<std::string, std::string> voci;
  for (const auto& e : fs::recursive_directory_iterator(percorso_di(cartella))) {
    std::string chiave = testo_di(e.path().lexically_relative(percorso_di(cartella)));
    if (e.is_symlink()) {
      voci[chiave] = "-> " + testo_di(fs::read_symlink(e.path()));
    } else if (e.is_regular_file()) {
      voci[chiave] = leggi_file(testo_di(e.path()));
    } else {
      voci[chiave] = "a folder";
    }
  }
  return voci;
}

}  // namespace

TEST(Giornale, AJournalThisProgramDidNotWriteIsRefusedAndTouchesNothing) {
  for (const giornale_piantato& c : piantati) {
    SCOPED_TRACE(c.cosa);
    PiattaformaProva p, altrove;
    for (const char* nome : {"a.dat", "b.dat", "thesis.doc"}) p.scrivi(nome, std::string("old ") + nome);
    p.scrivi("b.dat" + t, "new b.dat");
    fs::create_directory(percorso_di(p.percorso("sub")));
    p.scrivi("sub/a.dat", "a file of another folder");
    altrove.scrivi("vittima", "victim");
    p.scrivi(nome_giornale, "genera_scenario journal 1\n" + c.membri + "end\n");
    if (c.pianta) c.pianta(p, altrove);
    std::map<std::string, std::string> prima = fotografia(p.cartella), fuori = fotografia(altrove.cartella);
    try {
      rimuovi_avanzi(p.cartella, {"a.dat", "b.dat"});
      ADD_FAILURE() << "the journal was taken";
    } catch (const errore_file& e) {
      EXPECT_EQ(e.percorso, p.percorso(nome_giornale));
      EXPECT_TRUE(e.motivo.starts_with("not a journal of this program (")) << e.motivo;
      EXPECT_EQ(e.motivo.find('\n'), std::string::npos) << e.motivo;
    }
    EXPECT_EQ(fotografia(p.cartella), prima);
    EXPECT_EQ(fotografia(altrove.cartella), fuori);
  }
}
