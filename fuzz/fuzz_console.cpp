// Arbitrary bytes as typed input and as help file: the console must read, split and answer them
// without fault, and never hand its writer more than 499 characters. Every input starts from the
// same small world, built once per process and put back before each input.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "console/console.h"
#include "console/interpreteur.h"
#include "controle/reinitialisation.h"
#include "etat_garde.h"
#include "monde/carte.h"
#include "population/civ.h"
#include "population/verification.h"
#include "socle/sortie.h"

namespace {

const std::uint8_t* donnees = nullptr;
std::size_t taille = 0;
std::size_t position = 0;

int lire_donnees() { return position < taille ? donnees[position++] : EOF; }

void ecrire_borne(const char* texte) {
  if (std::strlen(texte) > 499) std::abort();
}

// Every word of the line under every conversion, then the interpreter itself for the commands
// that neither run the world nor draw it, its file commands kept in the process's own folder.
int interpreter_fuzz(const char* ligne) {
  for (int n = -1; n < 6; ++n)
    for (int type = 0; type < 6; ++type) trouver_param(ligne, n, type);
  const char* mot = static_cast<const char*>(trouver_param(ligne, 0, PARAM_TEXTE));
  if (mot == nullptr) return 0;
  const std::string commande = mot;
  if (comparer_commande(commande.c_str(), "cont", 0, 1) ||
      comparer_commande(commande.c_str(), "affich", 3, 1))
    return 1;
  return interpreter_confine(ligne);
}

const std::string chemin_aide = "/tmp/pangaeolith-fuzz-aide-" + std::to_string(getpid());

// The input also serves as help file, so that "help" lines walk arbitrary entries. The file is
// made for each input and removed after it: rewriting the same file would make the file system
// write it out at each close.
void ecrire_fichier_aide(const std::uint8_t* octets, std::size_t n) {
  if (FILE* f = std::fopen(chemin_aide.c_str(), "wb")) {
    std::fwrite(octets, 1, n, f);
    std::fclose(f);
  }
}

// The program reset, its output thrown away, the files of the last input's commands removed.
void reinitialiser() {
  static FILE* neant = std::fopen("/dev/null", "w");
  reinitialiser_programme();
  fixer_sortie(neant);
  effacer_fichiers_commandes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* octets, std::size_t n) {
  // A small world, so that the commands that read it have something to read.
  static const depart monde = [] {
    reinitialiser();
    peupler_petit_monde();
    return garder_depart(false);
  }();
  reinitialiser();
  remettre_monde(monde.monde);
  verifier_depart(monde, false);
  fixer_entree_sortie(lire_donnees, ecrire_borne);
  fixer_interpreteur(interpreter_fuzz);
  ecrire_fichier_aide(octets, n);
  fixer_fichier_aide(chemin_aide.c_str());
  donnees = octets;
  taille = n;
  position = 0;
  // Each call reads at least one character or ends at the end of the input. Once the input is
  // over, a call hands "quit" to the interpreter, which changes nothing more after the first
  // time: two such calls are made, not one for each byte the lines left over.
  std::size_t apres_la_fin = 0;
  for (std::size_t lignes = 0; lignes <= n && apres_la_fin < 2; ++lignes) {
    if (position >= taille) ++apres_la_fin;
    lire_commande();
  }
  const std::string tout(reinterpret_cast<const char*>(octets), n);
  trouver_param(tout.c_str(), 0, PARAM_TEXTE);
  afficher_aide(("help " + tout).c_str());
  std::remove(chemin_aide.c_str());
  if (!verifier_monde().empty()) std::abort();
  return 0;
}
