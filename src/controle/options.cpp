// Command-line options. Each argument that starts with "-" is compared, without that dash, with
// every row of the table in order; a row matches the stored letter or the stored word exactly.
// An option with values moves the argument position past them, so the rows after it are
// compared with its last value.
#include "controle/options.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>

#include "controle/etat_programme.h"
#include "controle/experience.h"
#include "graphique/clavier.h"
#include "graphique/vue_gl.h"
#include "monde/carte.h"
#include "observation/fichier_parametres.h"
#include "socle/alea.h"
#include "socle/defauts.h"
#include "socle/journal.h"
#include "socle/modele.h"
#include "socle/parametres.h"
#include "socle/sortie.h"

namespace {

// Steps a headless run may be asked for.
constexpr std::int64_t PAS_LOT_MAX = 1000000000000;

struct Etat {
  int statut = -1;  // -1: the run goes on
  options_lot lot;
};

Etat etat;

// A decimal value read like atoi (spaces, sign, leading digits; 0 when none), kept within the
// range of an int instead of overflowing. A value not read whole (letters after the digits, no
// digits, too large) is said on standard error with the number taken.
int lire_valeur(const char* option, const char* texte) {
  char* fin = nullptr;
  errno = 0;
  const long lu = std::strtol(texte, &fin, 10);
  const int v = static_cast<int>(std::clamp<long>(lu, INT_MIN, INT_MAX));
  if (fin == texte || *fin != '\0' || errno == ERANGE || v != lu)
    std::fprintf(stderr, "pangaeolith : valeur « %s » de l'option %s lue comme %d.\n", texte,
                 option, v);
  return v;
}

// A seed is the generator's whole state: a whole number from 0 to 4294967295, written in
// decimal digits only; anything else is refused rather than read as some other seed.
std::optional<std::uint32_t> lire_graine(const char* texte) {
  if (texte[0] == '\0') return std::nullopt;
  std::uint64_t v = 0;
  for (const char* p = texte; *p != '\0'; ++p) {
    if (*p < '0' || *p > '9') return std::nullopt;
    v = v * 10 + static_cast<std::uint64_t>(*p - '0');
    if (v > UINT32_MAX) return std::nullopt;
  }
  return static_cast<std::uint32_t>(v);
}

// A number of steps: a whole number from 0, in decimal digits only.
std::optional<std::int64_t> lire_nombre_de_pas(const char* texte) {
  if (texte[0] == '\0') return std::nullopt;
  std::int64_t v = 0;
  for (const char* p = texte; *p != '\0'; ++p) {
    if (*p < '0' || *p > '9') return std::nullopt;
    v = v * 10 + (*p - '0');
    if (v > PAS_LOT_MAX) return std::nullopt;
  }
  return v;
}

// A refused value of an option that the run cannot do without: said, and the run does not start.
void refuser(const char* format, const char* texte) {
  std::fprintf(stderr, format, texte);
  if (etat.statut < 0) etat.statut = 2;
}

void refuser_graine(const char* texte) {
  std::fprintf(stderr, "pangaeolith : graine refusée (%s) : il faut un nombre entier de 0 à %u.\n",
               texte, static_cast<unsigned>(UINT32_MAX));
  if (etat.statut < 0) etat.statut = 2;
}

}  // namespace

void analyser_ligne_commande(int argc, char** argv) {
  etat = {};
  reinitialiser_options_experience();
  etat_programme programme = lire_etat_programme();
  programme.console = 0;
  programme.debug = 0;
  mode_affichage affichage{};
  vue_gl vue = vue_gl_par_defaut();
  int X = COLONNES_PAR_DEFAUT;
  int Y = LIGNES_PAR_DEFAUT;
  std::optional<std::uint32_t> graine;
  bool aide = false;
  bool calme = false;

  if (argc != 1) ecrire_debug("main - Des arguments à la ligne de commande ont étés trouvés");
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] != '-') {
      ecrire_debug("main - L'argument trouvé n'est pas valide. On le saute ...\n");
      continue;
    }
    ecrire_debug("main - Argument valide trouvé\n");
    const char* argument = argv[i];
    bool reconnu = false;
    // The argument under comparison is argv[i] at the moment of each row: after an option with
    // values it is that option's last value (an empty value is compared as it is).
    auto est = [&](const char* lettre, const char* mot) {
      const char* reste = argv[i][0] != '\0' ? argv[i] + 1 : argv[i];
      const bool oui =
          (lettre != nullptr && std::strcmp(reste, lettre) == 0) || std::strcmp(reste, mot) == 0;
      reconnu = reconnu || oui;
      return oui;
    };
    // Values are read only when they are all there: nothing is read past the argument list.
    auto valeurs = [&](int n) {
      if (i + n < argc) return true;
      std::fprintf(stderr, "pangaeolith : l'option %s attend %s : elle est ignorée.\n", argv[i],
                   n == 1 ? "une valeur" : "deux valeurs");
      return false;
    };

    if (est("g", "-opengl")) affichage.opengl = 1;
    if (est("a", "-ansi")) affichage.ansi = 1;
    if (est("c", "-console")) programme.console = 1;
    if (est("d", "-debug")) programme.debug = 1;
    if (est(nullptr, "-rand")) fixer_tribus_aleatoires(1);
    if (est("s", "-simplebuffer")) vue.double_buffer = 0;
    if (est("z", "-size") && valeurs(2)) {
      vue.largeur = lire_valeur(argv[i], argv[i + 1]);
      vue.hauteur = lire_valeur(argv[i], argv[i + 2]);
      i += 2;
    }
    if (est("f", "-fullscreen")) vue.plein_ecran = 1;
    if (est("i", "-dim") && valeurs(2)) {
      X = lire_valeur(argv[i], argv[i + 1]);
      Y = lire_valeur(argv[i], argv[i + 2]);
      i += 2;
    }
    if (est(nullptr, "-seed")) {
      if (i + 1 >= argc) {
        refuser_graine("valeur absente");
      } else {
        graine = lire_graine(argv[i + 1]);
        if (!graine) refuser_graine(argv[i + 1]);
        i += 1;
      }
    }
    if (est("q", "-calme")) calme = true;
    if (est(nullptr, "-pas")) {
      const char* texte = i + 1 < argc ? argv[++i] : "valeur absente";
      const auto pas = lire_nombre_de_pas(texte);
      if (pas)
        etat.lot.pas = *pas;
      else
        refuser(
            "pangaeolith : nombre de pas refusé (%s) : il faut un nombre entier positif ou "
            "nul.\n",
            texte);
    }
    // The two files are required values: a run asked to write statistics or to start from a save
    // does not start without them.
    if (est(nullptr, "-stats")) {
      if (i + 1 < argc && argv[i + 1][0] != '\0')
        etat.lot.stats = argv[++i];
      else
        refuser("pangaeolith : l'option %s attend un nom de fichier CSV.\n", "--stats");
    }
    if (est(nullptr, "-charger")) {
      if (i + 1 < argc && argv[i + 1][0] != '\0')
        etat.lot.charger = argv[++i];
      else
        refuser("pangaeolith : l'option %s attend le nom d'une sauvegarde.\n", "--charger");
    }
    if (est(nullptr, "-param")) {
      if (i + 1 < argc)
        etat.lot.parametres.emplace_back(argv[++i]);
      else
        refuser("pangaeolith : l'option %s attend nom=valeur (param à l'invite les liste).\n",
                "--param");
    }
    if (est(nullptr, "-params")) {
      if (i + 1 < argc && argv[i + 1][0] != '\0')
        etat.lot.fichier_parametres = argv[++i];
      else
        refuser("pangaeolith : l'option %s attend un fichier JSON de paramètres.\n", "--params");
    }
    if (est("h", "-help")) aide = true;
    if (!reconnu && option_experience(argc, argv, i)) reconnu = true;
    if (!reconnu)
      std::fprintf(stderr, "pangaeolith : option inconnue %s, ignorée (--help pour la liste).\n",
                   argument);
  }

  ecrire_debug("main - Modification des dimensions de la carte\n");
  fixer_dimensions(X, Y);
  if (X < 1 || X > TAILLE_MAX_CARTE || Y < 1 || Y > TAILLE_MAX_CARTE)
    std::fprintf(stderr,
                 "pangaeolith : taille de carte refusée (%d × %d) : chaque dimension va de 1 à "
                 "%d ; la carte garde %d × %d.\n",
                 X, Y, TAILLE_MAX_CARTE, combien_colonnes(), combien_lignes());
  if (!affichage.opengl) programme.console = 1;
  fixer_etat_programme(programme);
  affichage.bold = 0;
  fixer_mode_affichage(affichage);
  ecrire_vue_gl(vue);
  vider_historique();
  fixer_traces_tours(calme ? 0 : 1);
  if (graine) semer_partie(*graine);
  etat.lot.graine_donnee = graine.has_value();
  if (aide) {
    afficher_usage();
    etat.statut = 0;
  }
}

int statut_ligne_commande() { return etat.statut; }

bool regler_modele_depart(const std::string& fichier, const std::vector<std::string>& affectations,
                          std::string& erreur) {
  parametres_modele p{};
  if (!fichier.empty() && !lire_fichier_parametres(fichier, p, erreur)) return false;
  std::set<std::string> donnes;
  for (const std::string& a : affectations) {
    const std::string nom = a.substr(0, a.find('='));
    if (!donnes.insert(nom).second) {
      erreur = nom + " : donné deux fois par --param";
      return false;
    }
    if (!regler_affectation(p, a, erreur)) return false;
  }
  fixer_modele(p);
  return true;
}

options_lot lire_options_lot() { return etat.lot; }

void afficher_usage() {
  ecrire_sortie(
      "Usage : pangaeolith [options]\n"
      "Simulation de neuf tribus sur un monde en grille, pilotée depuis une invite de commandes.\n"
      "\n"
      "Options :\n"
      "  -h, --help          affiche cette aide et s'arrête\n"
      "  -i, --dim X Y       carte de X colonnes sur Y lignes, de 1 à 100 chacune\n"
      "                      (10 × 10 sans cette option)\n"
      "  -a, --ansi          carte en couleurs (séquences ANSI du terminal)\n"
      "  --seed N            graine du hasard, de 0 à 4294967295 (l'horloge sans cette option) ;\n"
      "                      la même graine et les mêmes options rejouent la même partie\n"
      "  --rand              neuf tribus tirées au hasard au lieu de la table fixe\n"
      "  -q, --calme         sans les lignes de chaque tour ni celles des guerres\n"
      "                      (la commande trace les remet)\n"
      "  -d, --debug         écrit debug.log et error.log dans le répertoire courant\n"
      "  --pas N             mode lot : joue N pas sans invite ni carte, puis s'arrête\n"
      "                      (les lignes des tours suivent -q)\n"
      "  --stats FICHIER     écrit un fichier CSV complété après chaque pas d'une ligne par\n"
      "                      tribu (pas, code, nom, unités, habitants, guerres du pas)\n"
      "  --charger FICHIER   part d'une sauvegarde (commande sauver) au lieu d'un monde neuf\n"
      "  --param NOM=VALEUR  fixe un paramètre du modèle (répétable ; param à l'invite\n"
      "                      les liste avec leurs plages, docs/modele.md les décrit)\n"
      "  --params FICHIER    paramètres du modèle lus d'un objet JSON {\"nom\": valeur, ...}\n"
      "                      (les --param passent par-dessus)\n"
      "  --experience PLAN   plan d'expérience (JSON) : joue chacun de ses essais dans un\n"
      "                      processus et écrit mesures.csv et resume.csv dans le dossier\n"
      "                      PLAN.resultats à côté du plan\n"
      "  -j, --processus N   essais joués en même temps (sans cette option : un par processeur)\n"
      "  --resultats DOSSIER dossier des résultats de --experience\n"
      "  --reprendre         finit les essais qui manquent après un arrêt (Ctrl-C)\n"
      "  --confirmer         lance un plan de plus de 10 000 essais ou d'une heure estimée\n"
      "  --tache K --taches M  ne joue que la tranche K sur M du plan (tableau de tâches)\n"
      "  --fusionner         réunit les fichiers des tranches en mesures.csv et resume.csv\n"
      "  --courbe-experience MESURES.csv MESURE FACTEUR FICHIER.svg\n"
      "                      trace MESURE selon FACTEUR : moyenne, quartiles et extrêmes\n"
      "  -g, --opengl        affichage dans une fenêtre OpenGL (mode texte s'il est indisponible)\n"
      "  -c, --console       invite de commandes dans la fenêtre OpenGL\n"
      "  -s, --simplebuffer  fenêtre sans double tampon\n"
      "  -z, --size L H      taille de la fenêtre en pixels (800 × 600 sans cette option)\n"
      "  -f, --fullscreen    fenêtre en plein écran\n"
      "\n"
      "Exemple :\n"
      "  pangaeolith --seed 5 -a -i 30 20\n"
      "puis, à l'invite >, help pour l'aide, cont 10 pour jouer dix pas, quit pour sortir.\n"
      "Sans invite : pangaeolith --seed 5 -q --pas 1000 --stats graine5.csv\n"
      "\n"
      "États de sortie :\n"
      "  0  fin normale (quit, fin de l'entrée, lecteur de la sortie parti, --help)\n"
      "  1  partie sans invite arrêtée par un signal, ou fichier CSV devenu impossible à écrire\n"
      "  1  expérience arrêtée par un signal ou dont un essai a échoué (--reprendre la finit)\n"
      "  2  option refusée, sauvegarde ou plan refusé, affichage texte impossible\n"
      "  3  sortie standard impossible à écrire (la raison est dite)\n"
      "  4  debug.log ou error.log impossible à ouvrir ou à écrire : trace incomplète\n");
  vider_sortie();
}
