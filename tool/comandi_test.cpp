// The table of subcommands against itself and against the subcommands: every option
// is in a usage line and in the help, a usage line names no option the table lacks,
// and each subcommand's reader takes every option the table declares for it.
#include "tool/comandi.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "tool/aiuto.h"
#include "tool/strumento_prova.h"

TEST(Comandi, EveryOptionIsInTheUsageTheHelpAndTheReader) {
  for (const comando& c : comandi()) {
    std::set<std::string> nell_uso, dichiarate;
    for (const char* uso : c.uso) {
      std::istringstream parole(uso);
      for (std::string p; parole >> p;) {
        if (p.front() == '[') p = p.substr(1, p.size() - 2);
        if (p.front() == '-') nell_uso.insert(p);
      }
    }
    const std::string aiuto = aiuto_comando(c);
    const std::string dopo_uso = aiuto.substr(aiuto.find("\n\n"));
    for (const opzione_comando& o : c.opzioni) {
      dichiarate.insert(o.breve != nullptr ? o.breve : o.nome);
      EXPECT_NE(dopo_uso.find(o.nome), std::string::npos) << c.nome << " " << o.nome << " is not in the help";
      // The option read, then one that no subcommand has: the reader stops at the latter.
      std::vector<std::string> argomenti = {c.nome, o.nome};
      if (o.valore != nullptr) argomenti.push_back("1");
      argomenti.push_back("--zzz");
      EXPECT_EQ(esegui_strumento(argomenti).errori, std::string("scenario_tool ") + c.nome +
                                                        ": unknown option --zzz\nTry 'scenario_tool " + c.nome +
                                                        " --help'.\n");
    }
    EXPECT_EQ(nell_uso, dichiarate) << c.nome << ": the options of the usage lines are not those declared";
  }
}
