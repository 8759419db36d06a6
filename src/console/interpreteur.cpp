// The command interpreter: recognises the command word of a line and acts on the display mode,
// the world, or, through the hooks the program's top installs, the window's settings and the
// console loop. It works on a copy of mode_affichage, written back when it leaves whatever the
// command, and asks the loop for its changes (give control back, close the console, end the
// run) at that same moment, after the command's output.
#include "console/interpreteur.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "console/affich.h"
#include "console/carte_compacte.h"
#include "console/console.h"
#include "monde/carte.h"
#include "monde/mise_a_jour.h"
#include "observation/avancee.h"
#include "observation/courbe.h"
#include "observation/sauvegarde.h"
#include "observation/statistiques.h"
#include "population/civ.h"
#include "socle/alea.h"
#include "socle/journal.h"
#include "socle/modele.h"
#include "socle/parametres.h"
#include "socle/signaux.h"
#include "socle/sortie.h"

namespace {

// What a command reads and changes: the display mode, stored back by interpreter_commande, and
// its requests to the console loop, made once the command's output is written.
struct Contexte {
  const char* ligne;
  mode_affichage mode;
  int debug;
  bool rendre_la_main = false;
  bool fermer_console = false;
  bool finir = false;
  bool graphique() const { return mode.opengl != 0; }
};

struct Etat {
  actions_graphiques actions{};
  reglages_fenetre reglages{};
  liens_boucle boucle{};
  bool mini_suggere = false;  // the hint about mini has been given in this run
};

Etat etat;

void agir(void (*action)()) {
  if (action != nullptr) action();
}

// A setting of the window, when the hook is installed.
template <typename T>
void regler(void (*reglage)(T), T valeur) {
  if (reglage != nullptr) reglage(valeur);
}

options_fenetre options_de_la_fenetre() {
  return etat.reglages.lire_options != nullptr ? etat.reglages.lire_options() : options_fenetre{};
}

// "cont : pas 37 sur 5000 - 24,6 pas/s - encore 3 min 21 s", the rate with a decimal comma.
std::string texte_progression(int fait, int total, double secondes) {
  const double vitesse = secondes > 0 ? fait / secondes : 0;
  const long dixiemes = std::lround(vitesse * 10);
  std::string texte = "cont : pas " + std::to_string(fait) + " sur " + std::to_string(total) +
                      " - " + std::to_string(dixiemes / 10) + "," + std::to_string(dixiemes % 10) +
                      " pas/s";
  if (vitesse > 0) {
    const long reste = std::lround((total - fait) / vitesse);
    char temps[48];
    if (reste >= 3600)
      std::snprintf(temps, sizeof temps, "%ld h %02ld min", reste / 3600, reste % 3600 / 60);
    else if (reste >= 60)
      std::snprintf(temps, sizeof temps, "%ld min %02ld s", reste / 60, reste % 60);
    else
      std::snprintf(temps, sizeof temps, "%ld s", reste);
    texte += " - encore ";
    texte += temps;
  }
  return texte;
}

const int* parametre_entier(const char* ligne) {
  return static_cast<const int*>(trouver_param(ligne, 1, PARAM_ENTIER));
}

// Progress of a long "cont N" on standard error, when that is a terminal: step, total, steps
// per second and time left, shown once the steps have taken more than a second and refreshed at
// most ten times a second. When the steps' own lines scroll on the same terminal, the line is
// written whole (at most once a second) between two steps, where it stays readable; otherwise
// it is one line rewritten in place and erased once, before the map.
class Progression {
 public:
  explicit Progression(int total)
      : total_(total),
        terminal_(total > 1 && isatty(STDERR_FILENO)),
        en_place_(lire_traces_tours() == 0 || !isatty(fileno(sortie()))) {}
  ~Progression() { effacer(); }
  Progression(const Progression&) = delete;
  Progression& operator=(const Progression&) = delete;

  void effacer() {
    if (largeur_ > 0) std::fprintf(stderr, "\r%*s\r", largeur_, "");
    largeur_ = 0;
  }

  void montrer(int fait) {
    if (!terminal_) return;
    const auto maintenant = std::chrono::steady_clock::now();
    if (maintenant - debut_ < std::chrono::seconds(1)) return;
    const auto intervalle = en_place_ ? std::chrono::milliseconds(100) : std::chrono::seconds(1);
    if (maintenant - dernier_ < intervalle) return;
    dernier_ = maintenant;
    const double secondes = std::chrono::duration<double>(maintenant - debut_).count();
    const std::string texte = texte_progression(fait, total_, secondes);
    vider_sortie();
    if (en_place_) {
      // Padded to the former width, so that a shorter text leaves nothing of the former one.
      largeur_ = std::fprintf(stderr, "\r%-*s", largeur_, texte.c_str()) - 1;
    } else {
      std::fprintf(stderr, "%s\n", texte.c_str());
    }
  }

 private:
  int total_;
  bool terminal_;
  bool en_place_;
  int largeur_ = 0;
  std::chrono::steady_clock::time_point debut_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point dernier_{};
};

// Runs the simulation steps with their progress, until all are run or a stop comes between two
// of them; the number of steps run.
int executer_pas(int nombre) {
  prendre_interruption();  // a Ctrl-C typed before this command is not meant for it
  Progression progression(nombre);
  const avancee a = avancer(
      nombre, [&progression](std::int64_t fait) { progression.montrer(static_cast<int>(fait)); });
  return static_cast<int>(a.pas_joues);
}

// Once a run, at a terminal: when the map just drawn is wider than the terminal (so its lines
// wrapped), say that mini shows the world in a few columns.
void suggerer_mini(const Contexte& c) {
  if (etat.mini_suggere || !isatty(STDIN_FILENO) || !isatty(fileno(sortie()))) return;
  winsize taille{};
  if (ioctl(fileno(sortie()), TIOCGWINSZ, &taille) != 0 || taille.ws_col == 0) return;
  const int colonnes = combien_colonnes();
  const int largeur = (c.mode.ansi ? 3 : 5) * colonnes + 3;
  if (largeur <= taille.ws_col) return;
  etat.mini_suggere = true;
  console_printf("La carte fait %d colonnes et le terminal %d : mini la montre en %d colonnes.\n",
                 largeur, taille.ws_col, colonnes + 4);
}

// Text map; a failed display ends the console loop with the command's error line.
void afficher_carte_texte(Contexte& c, const char* erreur) {
  if (afficher_carte() == 0) {
    ecrire_erreur("%s", erreur);
    c.rendre_la_main = true;
    return;
  }
  suggerer_mini(c);
}

int commande_ansi(Contexte& c) {
  const int* valeur = parametre_entier(c.ligne);
  if (valeur == nullptr) {
    console_printf("Etat du mode ansi:%s\n", texte_on_off(c.mode.ansi));
  } else if (*valeur == 0) {
    console_printf("Passage au mode non-ansi\n");
    c.mode.ansi = 0;
  } else {
    console_printf("Passage au mode ansi\n");
    c.mode.ansi = 1;
  }
  return 1;
}

// Steps one "cont N" runs at most, so that no typed number can hold the program for hours.
constexpr int PAS_MAX = 10000;

// "cont N" runs N steps when N is at least 2, one step otherwise; the world is shown once after.
int commande_cont(Contexte& c) {
  // A plain "cont" reads no second word, so its trace is that of a single step.
  const int* nombre = compter_mots(c.ligne) >= 2 ? parametre_entier(c.ligne) : nullptr;
  int pas = nombre != nullptr && *nombre >= 2 ? *nombre : 1;
  if (pas > PAS_MAX) {
    console_printf("Au plus %d pas à la fois : on en joue %d.\n", PAS_MAX, PAS_MAX);
    pas = PAS_MAX;
  }
  const int fait = executer_pas(pas);
  prendre_interruption();
  // A run asked to end by a signal ends here, without its map, as after "quit".
  if (arret_demande()) {
    c.rendre_la_main = true;
  } else if (c.graphique()) {
    agir(etat.actions.reconstruire_scene);
    agir(etat.actions.redessiner);
    c.rendre_la_main = true;
  } else {
    afficher_carte_texte(c, "commands - bleprincip - Erreur à l'affichage de la carte\n");
  }
  // Said after the map, which clears the screen in ANSI mode.
  if (fait < pas) console_printf("cont interrompu : %d pas joués sur %d.\n", fait, pas);
  return 1;
}

int commande_bold(Contexte& c) {
  if (c.mode.ansi == 0) {
    console_printf("Vous n'êtes pas en mode ansi.\n");
    return 1;
  }
  const int* valeur = parametre_entier(c.ligne);
  if (valeur == nullptr) {
    console_printf("Veuillez taper bold 0 ou bold 1 \n");
  } else if (*valeur == 0) {
    c.mode.bold = 0;
    console_printf("Passage au mode non lumineux\n");
    ecrire_debug("interpret - Passage au mode non lumineux\n");
    ecrire_sortie("\033[0m");
  } else {
    c.mode.bold = 1;
    console_printf("Passage au mode lumineux\n");
    ecrire_debug("interpret - Passage au mode lumineux\n");
    ecrire_sortie("\033[1m");
  }
  return 1;
}

int commande_quit(Contexte& c) {
  c.rendre_la_main = true;
  if (c.graphique()) c.finir = true;
  return 1;
}

// In the window, with its additions on, a map drawn on standard output is caught and written
// into the window console instead, line by line, without its colour sequences (the window's font
// draws plain text).
template <typename F>
int dans_la_fenetre(const Contexte& c, F&& dessiner) {
  if (!c.graphique() || etat.reglages.cartes_dans_la_fenetre == nullptr ||
      !etat.reglages.cartes_dans_la_fenetre())
    return dessiner();
  char* texte = nullptr;
  std::size_t taille = 0;
  FILE* flux = open_memstream(&texte, &taille);
  if (flux == nullptr) return dessiner();
  FILE* avant = sortie();
  fixer_sortie(flux);
  const int r = dessiner();
  fixer_sortie(avant == stdout ? nullptr : avant);
  std::fclose(flux);
  std::string ligne;
  for (std::size_t i = 0; i < taille; ++i) {
    const char ch = texte[i];
    if (ch == '\033') {
      // An escape sequence ends with its first letter.
      while (i + 1 < taille && std::isalpha(static_cast<unsigned char>(texte[i + 1])) == 0) ++i;
      ++i;
      continue;
    }
    if (ch == '\f') continue;
    ligne += ch;
    if (ch == '\n' || ligne.size() >= 400) {
      console_printf("%s", ligne.c_str());
      ligne.clear();
    }
  }
  if (!ligne.empty()) console_printf("%s", ligne.c_str());
  std::free(texte);
  return r;
}

int commande_affich(Contexte& c) {
  if (c.graphique()) {
    dans_la_fenetre(c, afficher_carte);
    c.rendre_la_main = true;
  } else {
    afficher_carte_texte(c, "main - bleprincip - Erreur à l'affichage de la carte\n");
  }
  return 1;
}

int commande_exit(Contexte& c) {
  c.fermer_console = true;
  c.rendre_la_main = true;
  return 1;
}

int commande_refresh(Contexte& c) {
  if (c.graphique()) {
    console_printf("Raffraichissement de l'écran\n");
    agir(etat.actions.redessiner);
    c.rendre_la_main = true;
  } else {
    console_printf("Vous n'êtes pas en mode opengl.\n");
  }
  return 1;
}

int commande_clear(Contexte& c) {
  if (c.graphique()) agir(etat.actions.vider_console);
  ecrire_sortie("%s", c.mode.ansi != 0 ? "\f" : "\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n");
  return 1;
}

// The timer's period: from 0 (as fast as the window draws) to an hour of real time per tick;
// beyond that the sky would stand still for so long that the window looks dead, and a negative
// period has no meaning.
constexpr int PERIODE_MAX_MS = 3600000;
// Hours of simulated day per tick: from 0 (the day stands still) to 18, a whole simulated day
// from 6 h to 24 h in one tick. A negative step would turn the day backwards for ever and never
// reach the step of the evening; a value that is not a finite number would make the hour one
// for the rest of the run.
constexpr float PAS_HEURE_MAX = 18.0f;

int commande_hour(Contexte& c) {
  const int* delai = parametre_entier(c.ligne);
  if (delai == nullptr) {
    console_printf("Syntaxe : hour X : X = nb de millisecondes\n");
  } else if (*delai < 0 || *delai > PERIODE_MAX_MS) {
    console_printf(
        "hour %d refusé : de 0 à %d millisecondes par tic (négative, la période n'a pas "
        "de sens ; au-delà d'une heure, le jour semble arrêté). La période ne change "
        "pas.\n",
        *delai, PERIODE_MAX_MS);
  } else {
    regler(etat.reglages.periode_minuterie, *delai);
  }
  return 1;
}

int commande_inter(Contexte& c) {
  const float* pas = static_cast<const float*>(trouver_param(c.ligne, 1, PARAM_REEL));
  if (pas == nullptr) {
    console_printf("Syntaxe : float X : X = intervalle de dessin\n");
  } else if (!std::isfinite(*pas)) {
    console_printf(
        "inter refusé : %s n'est pas un nombre fini ; de 0 à %g heures par tic. "
        "L'intervalle ne change pas.\n",
        std::isnan(*pas) ? "nan" : "l'infini", PAS_HEURE_MAX);
  } else if (*pas < 0 || *pas > PAS_HEURE_MAX) {
    console_printf(
        "inter %g refusé : de 0 à %g heures par tic (négatif, le jour tournerait à "
        "l'envers sans jamais finir ; %g heures font déjà une journée entière). "
        "L'intervalle ne change pas.\n",
        *pas, PAS_HEURE_MAX, PAS_HEURE_MAX);
  } else {
    regler(etat.reglages.heures_par_tic, *pas);
  }
  return 1;
}

void ecrire_camera(const options_fenetre& v) {
  console_printf("Position de la caméra:\n");
  console_printf("x_eye = %f , y_eye = %f , z_eye = %f\n", v.x_eye, v.y_eye, v.z_eye);
  console_printf("x_zoom = %f , y_zoom = %f , z_zoom = %f\n", v.x_zoom, v.y_zoom, v.z_zoom);
  console_printf("x_up = %f , y_up = %f , z_up = %f\n", v.x_up, v.y_up, v.z_up);
}

void ecrire_options_opengl(const options_fenetre& v) {
  console_printf("Options OpenGL:\n");
  console_printf("---------------\n");
  ecrire_camera(v);
  console_printf("complexité = %i\n", v.complexite);
  console_printf("Taille de la fenêtre, x=%i , y=%i \n", v.largeur, v.hauteur);
  console_printf("Etat du double buffer : %s\n", texte_on_off(v.double_buffer));
  console_printf("Etat du plein écran : %s\n", texte_on_off(v.plein_ecran));
  console_printf("Dessin - des unités:%s , des ressources:%s\n", texte_on_off(v.dessin_unites),
                 texte_on_off(v.dessin_ressources));
}

// "show" and "pview": the subject is required; an unknown subject writes nothing.
int commande_show(Contexte& c) {
  const char* mot = static_cast<const char*>(trouver_param(c.ligne, 1, PARAM_TEXTE));
  if (mot == nullptr) return 0;
  const std::string sujet = mot;
  const options_fenetre v = c.graphique() ? options_de_la_fenetre() : options_fenetre{};
  if (sujet == "cam_pos") {
    if (c.graphique())
      ecrire_camera(v);
    else
      console_printf("Vous n'êtes pas en mode OpenGL\n");
  }
  if (sujet == "all") {
    if (c.graphique()) ecrire_options_opengl(v);
    console_printf("Options d'affichage:\n");
    console_printf("--------------------\n");
    console_printf("Mode - ansi : %s , bold : %s , opengl : %s\n", texte_on_off(c.mode.ansi),
                   texte_on_off(c.mode.bold), texte_on_off(c.mode.opengl));
    console_printf("Etat du mode debug : %s\n", texte_on_off(c.debug));
  }
  if (sujet == "rtris" && c.graphique()) {
    console_printf("Nombre de triangles de la scène:%i\n", v.nb_triangles);
    console_printf("Nombre de triangles/secondes nécéssaires:%i\n", 25 * v.nb_triangles);
  }
  return 1;
}

// "trace": shows or sets whether the lines of each step reach standard output.
int commande_trace(Contexte& c) {
  const int* valeur = parametre_entier(c.ligne);
  if (valeur == nullptr) {
    console_printf("Etat des lignes des tours:%s\n", texte_on_off(lire_traces_tours()));
  } else if (*valeur == 0) {
    console_printf("Lignes des tours et des guerres masquées\n");
    fixer_traces_tours(0);
  } else {
    console_printf("Lignes des tours et des guerres affichées\n");
    fixer_traces_tours(1);
  }
  return 1;
}

// "graine": the seed that replays this run with --seed.
int commande_graine(Contexte&) {
  const unsigned graine = graine_partie();
  console_printf("Graine de la partie : %u (pour la rejouer : --seed %u et les mêmes options)\n",
                 graine, graine);
  return 1;
}

int commande_mini(Contexte& c) {
  if (dans_la_fenetre(c, afficher_carte_compacte) == 0) {
    ecrire_erreur("interpret - mini - Erreur à l'affichage de la carte\n");
    if (!c.graphique()) c.rendre_la_main = true;
  }
  return 1;
}

// The file name of "courbe", "sauver" and "charger": the rest of the line as typed, case and
// accents kept, without the spaces around it nor a pair of double quotes around it.
std::string nom_de_fichier(const char* ligne) {
  const std::string texte = ligne != nullptr ? ligne : "";
  const char* blancs = " \t\r\n";
  std::size_t debut = texte.find_first_not_of(blancs);
  if (debut == std::string::npos) return "";
  debut = texte.find_first_of(blancs, debut);
  if (debut == std::string::npos) return "";
  debut = texte.find_first_not_of(blancs, debut);
  if (debut == std::string::npos) return "";
  std::string nom = texte.substr(debut, texte.find_last_not_of(blancs) + 1 - debut);
  if (nom.size() >= 2 && nom.front() == '"' && nom.back() == '"')
    nom = nom.substr(1, nom.size() - 2);
  return nom;
}

// "stats": the table of the tribes, living then dead, with the totals.
int commande_stats(Contexte&) {
  for (const std::string& ligne : tableau_statistiques()) console_printf("%s\n", ligne.c_str());
  return 1;
}

// "courbe FICHIER.svg": the chart of the inhabitants per tribe since the start.
int commande_courbe(Contexte& c) {
  const std::string nom = nom_de_fichier(c.ligne);
  if (nom.empty()) {
    console_printf("Syntaxe : courbe FICHIER.svg\n");
    return 1;
  }
  std::string erreur;
  if (ecrire_courbe_svg(nom, erreur))
    console_printf("Courbe des habitants écrite dans %s (%lld pas)\n", nom.c_str(),
                   static_cast<long long>(nombre_de_pas()));
  else
    console_printf("Courbe non écrite : %s\n", erreur.c_str());
  return 1;
}

// "sauver FICHIER": the whole world, to go on with later through "charger" or --charger.
int commande_sauver(Contexte& c) {
  const std::string nom = nom_de_fichier(c.ligne);
  if (nom.empty()) {
    console_printf("Syntaxe : sauver FICHIER\n");
    return 1;
  }
  std::string erreur;
  if (sauver_monde(nom, erreur)) {
    console_printf("Monde sauvegardé dans %s (pas %lld)\n", nom.c_str(),
                   static_cast<long long>(nombre_de_pas()));
  } else {
    console_printf("Sauvegarde impossible : %s\n", erreur.c_str());
    ecrire_erreur("interpret - sauver - %s\n", erreur.c_str());
  }
  return 1;
}

// "charger FICHIER": the world of a save replaces the current one; a refused file changes nothing.
int commande_charger(Contexte& c) {
  const std::string nom = nom_de_fichier(c.ligne);
  if (nom.empty()) {
    console_printf("Syntaxe : charger FICHIER\n");
    return 1;
  }
  std::string erreur;
  if (!charger_monde(nom, erreur)) {
    console_printf("Sauvegarde refusée : %s\n", erreur.c_str());
    console_printf("Le monde en cours reste tel quel.\n");
    ecrire_erreur("interpret - charger - %s : %s\n", nom.c_str(), erreur.c_str());
    return 1;
  }
  ecrire_etat_csv();
  console_printf("Monde chargé depuis %s : pas %lld, carte %d × %d, %d tribus\n", nom.c_str(),
                 static_cast<long long>(nombre_de_pas()), combien_colonnes(), combien_lignes(),
                 static_cast<int>(liste_civ().size()));
  if (c.graphique()) {
    agir(etat.actions.reconstruire_scene);
    agir(etat.actions.redessiner);
  }
  return 1;
}

// One parameter's line of "param": its name and current value first, then its default, range,
// unit and meaning.
void ecrire_parametre(const description_parametre& d) {
  int valeur = 0;
  valeur_parametre(modele(), d.nom, valeur);
  console_printf("%s %d (défaut %d, de %d à %d%s, %s) : %s\n", d.nom.c_str(), valeur, d.defaut,
                 d.minimum, d.maximum, d.defaut == -1 ? " ou -1" : "", d.unite.c_str(),
                 d.sens.c_str());
}

// "param": every parameter of the model; "param NOM": that one; "param NOM VALEUR" sets it for
// the steps to come. A tribe's parameters shape the start of a world and are set with --param.
int commande_param(Contexte& c) {
  std::istringstream mots(c.ligne != nullptr ? c.ligne : "");
  std::string commande, nom, valeur, reste;
  mots >> commande >> nom >> valeur >> reste;
  if (nom.empty()) {
    for (const description_parametre& d : parametres_connus()) ecrire_parametre(d);
    return 1;
  }
  const description_parametre* d = nullptr;
  for (const description_parametre& p : parametres_connus())
    if (p.nom == nom) d = &p;
  if (d == nullptr) {
    console_printf("Paramètre inconnu : %s (param sans argument les liste)\n", nom.c_str());
    return 1;
  }
  if (valeur.empty()) {
    ecrire_parametre(*d);
    return 1;
  }
  int avant = 0;
  valeur_parametre(modele(), nom, avant);
  if (!reste.empty()) {
    console_printf("Syntaxe : param NOM VALEUR ; %s reste à %d\n", nom.c_str(), avant);
    return 1;
  }
  if (nom.rfind("tribu", 0) == 0) {
    console_printf(
        "%s se règle au départ (--param) : les tribus de la partie sont déjà là ; il "
        "reste à %d\n",
        nom.c_str(), avant);
    return 1;
  }
  parametres_modele p = modele();
  std::string erreur;
  if (!regler_parametre(p, nom, valeur, erreur)) {
    console_printf("Paramètre refusé : %s ; %s reste à %d\n", erreur.c_str(), nom.c_str(), avant);
    return 1;
  }
  fixer_modele(p);
  ajuster_carte_au_modele();
  int apres = 0;
  valeur_parametre(p, nom, apres);
  ecrire_debug("interpret - param - %s : %d -> %d\n", nom.c_str(), avant, apres);
  commenter_csv("pas " + std::to_string(nombre_de_pas()) + " : " + nom + "=" +
                std::to_string(apres));
  console_printf("%s : %d → %d\n", nom.c_str(), avant, apres);
  return 1;
}

int commande_pro_mode(Contexte&) {
  agir(etat.reglages.basculer_console_reduite);
  return 1;
}

// A command: its name, the lengths of its two abbreviations (0 for none), its effect.
struct Commande {
  const char* nom;
  int a;
  int b;
  int (*effet)(Contexte&);
};

// In matching order: the first command the word matches wins. "exit" accepts exactly "exit"
// and "e"; "hour" would accept "h", but the console answers "h" as help first.
constexpr std::array<Commande, 21> COMMANDES{{
    {"ansi", 0, 0, commande_ansi},         {"cont", 0, 1, commande_cont},
    {"bold", 0, 1, commande_bold},         {"quit", 0, 1, commande_quit},
    {"affich", 3, 1, commande_affich},     {"exit", 0, 1, commande_exit},
    {"refresh", 3, 1, commande_refresh},   {"clear", 0, 0, commande_clear},
    {"hour", 1, 0, commande_hour},         {"inter", 1, 0, commande_inter},
    {"pview", 2, 0, commande_show},        {"show", 2, 0, commande_show},
    {"pro_mode", 3, 0, commande_pro_mode}, {"trace", 0, 0, commande_trace},
    {"graine", 0, 0, commande_graine},     {"mini", 0, 0, commande_mini},
    {"stats", 0, 0, commande_stats},       {"courbe", 0, 0, commande_courbe},
    {"sauver", 0, 0, commande_sauver},     {"charger", 0, 0, commande_charger},
    {"param", 0, 0, commande_param},
}};

}  // namespace

int interpreter_commande(const char* ligne) {
  Contexte c{ligne, lire_mode_affichage(),
             etat.boucle.debug_actif != nullptr ? etat.boucle.debug_actif() : 0};
  int reconnue = 0;
  if (const char* mot = static_cast<const char*>(trouver_param(ligne, 0, PARAM_TEXTE))) {
    const std::string commande = mot;
    for (const Commande& cmd : COMMANDES)
      if (comparer_commande(commande.c_str(), cmd.nom, cmd.a, cmd.b)) {
        reconnue = cmd.effet(c);
        break;
      }
  }
  if (c.fermer_console) agir(etat.boucle.fermer_console);
  if (c.rendre_la_main) agir(etat.boucle.rendre_la_main);
  if (c.finir) agir(etat.boucle.demander_fin);
  fixer_mode_affichage(c.mode);
  return reconnue;
}

void fixer_actions_graphiques(const actions_graphiques& actions) { etat.actions = actions; }

void fixer_reglages_fenetre(const reglages_fenetre& reglages) { etat.reglages = reglages; }

void fixer_liens_boucle(const liens_boucle& liens) { etat.boucle = liens; }
