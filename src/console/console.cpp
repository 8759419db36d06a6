// The console: command lines read through a replaceable character reader, split into
// lower-case words, "help" answered from the help file, other lines handed to the interpreter.
#include "console/console.h"

#include <readline/history.h>
#include <readline/readline.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "socle/fichiers.h"
#include "socle/journal.h"
#include "socle/signaux.h"
#include "socle/sortie.h"

namespace {

constexpr int LONGUEUR_LIGNE_MAX = 511;
// console_printf formats into this many bytes, terminator included.
constexpr int TAILLE_TEXTE = 500;
constexpr std::size_t LONGUEUR_NOM_AIDE_MAX = 51;
// Bytes of the help file one help command reads at most: a huge file is cut, not read for ever.
constexpr long OCTETS_AIDE_MAX = 1 << 20;

// The line being handed out character by character when readline edits the terminal.
struct Saisie {
  std::string invite;  // what readline shows when it asks for the next line
  std::string ligne;   // the edited line and its line feed
  std::size_t position = 0;
  bool reste() const { return position < ligne.size(); }
};

int lire_car_standard() { return std::getchar(); }

void ecrire_standard(const char* texte) { std::fputs(texte, sortie()); }

struct Etat {
  lecteur_t lecteur = lire_car_standard;
  ecrivain_t ecrivain = ecrire_standard;
  std::string fichier_aide;
  bool aide_nommee = false;
  interpreteur_t interpreteur = nullptr;
  // trouver_param's results, valid until its next call.
  std::string ligne_normalisee;
  std::string mot;
  int entier = 0;
  float reel = 0.0f;
  Saisie saisie;
};

Etat etat;

// Ctrl-C at the prompt, as a shell does: the typed line is abandoned and a new prompt shown.
void abandonner_ligne() {
  rl_free_line_state();
  rl_replace_line("", 0);
  rl_point = rl_mark = 0;
  using_history();  // history browsing starts again from the newest line
  std::fputs("^C", rl_outstream != nullptr ? rl_outstream : stdout);
  rl_crlf();
  rl_on_new_line();
  rl_redisplay();
}

// readline's key source: one byte from the terminal, with the signals seen at once (the read is
// not restarted while a line is awaited). A request to end gives the end of input.
int lire_touche(FILE* flux) {
  for (;;) {
    if (arret_demande()) {
      rl_replace_line("", 0);
      rl_point = rl_mark = 0;
      return EOF;
    }
    if (prendre_interruption()) {
      abandonner_ligne();
      continue;
    }
    unsigned char c = 0;
    const ssize_t n = read(fileno(flux), &c, 1);
    if (n == 1) return c;
    if (n == 0 || errno != EINTR) return EOF;
  }
}

// Terminal reader: readline edits a whole line (with the history of earlier lines), which is
// then handed out one character at a time, its line feed last, as a plain read would.
int lire_car_terminal() {
  Saisie& s = etat.saisie;
  if (!s.reste()) {
    vider_sortie();
    std::fflush(stdout);
    prendre_interruption();  // a Ctrl-C typed while a command ran is not meant for this line
    attendre_saisie(1);
    char* lue = readline(s.invite.c_str());
    attendre_saisie(0);
    s.invite.clear();
    s.ligne.clear();
    s.position = 0;
    if (lue == nullptr) return EOF;
    if (lue[0] != '\0') add_history(lue);
    s.ligne = lue;
    s.ligne += '\n';
    std::free(lue);
  }
  return static_cast<unsigned char>(s.ligne[s.position++]);
}

// Words of the line in lower case, separated by single spaces. Separators are the bytes whose
// signed value is at most 32: space, control characters and every byte of 128 or more.
std::string normaliser(const char* ligne) {
  std::string resultat;
  bool separation = false;
  for (const char* p = ligne; *p != '\0'; ++p) {
    const signed char c = static_cast<signed char>(*p);
    if (c <= 32) {
      separation = !resultat.empty();
      continue;
    }
    if (separation) resultat += ' ';
    separation = false;
    resultat += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c);
  }
  return resultat;
}

// Word n of a normalised line into `mot`; false when the line has fewer words.
bool extraire_mot(const std::string& ligne, int n, std::string& mot) {
  if (ligne.empty() || n < 0) return false;
  std::size_t debut = 0;
  for (int i = 0; i < n; ++i) {
    debut = ligne.find(' ', debut);
    if (debut == std::string::npos) return false;
    ++debut;
  }
  mot.assign(ligne, debut, ligne.find(' ', debut) - debut);
  return true;
}

// atoi's reading (optional sign, leading digits, 0 without any), held within the int range.
int lire_entier(const std::string& mot) {
  const long v = std::strtol(mot.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long>(v, INT_MIN, INT_MAX));
}

// --- Help file -------------------------------------------------------------------------------

struct FermerFichier {
  void operator()(FILE* f) const { std::fclose(f); }
};
using fichier_t = std::unique_ptr<FILE, FermerFichier>;

// Bytes of the help file; the byte 0xFF ends it like the real end.
class FichierAide {
 public:
  explicit FichierAide(FILE* f) : f_(f) {}

  // Name of the next entry (the word after the next at sign, at most 51 characters); false at
  // the end of the file.
  bool entree_suivante(std::string& nom) {
    int c;
    while ((c = lire()) != EOF && c != '@') {
    }
    if (c == EOF) return false;
    while ((c = lire()) != EOF && est_blanc(c)) {
    }
    nom.clear();
    separateur_lu_ = true;
    for (; c != EOF && !est_blanc(c); c = lire()) {
      if (nom.size() == LONGUEUR_NOM_AIDE_MAX) {
        separateur_lu_ = false;
        reprendre_ = c;
        break;
      }
      nom += static_cast<char>(c);
    }
    return !nom.empty();
  }

  // Writes the text of the entry whose name was just read: the one character after the name is
  // skipped, then everything up to the next at sign or the end of the file.
  void ecrire_texte() {
    if (!separateur_lu_) lire();
    for (int c = lire(); c != EOF && c != '@'; c = lire()) console_printf("%c", c);
  }

 private:
  static bool est_blanc(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

  int lire() {
    if (reprendre_ != EOF) return std::exchange(reprendre_, EOF);
    if (fini_) return EOF;
    if (lus_ == OCTETS_AIDE_MAX) {
      fini_ = true;
      console_printf("\nL'aide est coupée : le fichier d'aide est lu sur 1 Mio au plus.\n");
      return EOF;
    }
    ++lus_;
    const int c = std::getc(f_);
    fini_ = c == EOF || c == 0xFF;
    return fini_ ? EOF : c;
  }

  FILE* f_;
  long lus_ = 0;
  bool fini_ = false;
  bool separateur_lu_ = true;
  int reprendre_ = EOF;  // a character read past a full-length name, given back first
};

// A regular file opened for reading only (an installed copy is not writable), or none. A FIFO
// or a device is refused at once: reading one could wait for ever, or never end.
FILE* ouvrir_fichier_ordinaire(const char* nom) {
  std::string raison;
  const int fd = ouvrir_en_lecture(nom, raison);
  if (fd < 0) return nullptr;
  FILE* f = fdopen(fd, "r");
  if (f == nullptr) close(fd);
  return f;
}

// The help file, or none (with its message when it is named but cannot be opened).
fichier_t ouvrir_aide() {
  if (!etat.aide_nommee) return nullptr;
  fichier_t f(ouvrir_fichier_ordinaire(etat.fichier_aide.c_str()));
  if (!f) {
    console_printf("Le fichier d'aide (%s) ne peut pas être ouvert !!\n",
                   etat.fichier_aide.c_str());
    ecrire_debug("Le fichier d'aide (%s) ne peut pas être ouvert !!\n", etat.fichier_aide.c_str());
  }
  return f;
}

// Every entry name in file order, four a line.
void lister_aide(FILE* f) {
  console_printf("Aide sur les commandes : taper help <commande> pour plus d'infos\n");
  console_printf("Commandes du prompt :\nhelp\texec\trecord\n");
  if (f == nullptr) {
    console_printf("Fin de l'aide\n");
    return;
  }
  console_printf("Autres commandes:");
  FichierAide aide(f);
  std::string nom;
  for (int i = 0; aide.entree_suivante(nom); ++i) {
    console_printf("%s", i % 4 == 0 ? "\n" : "\t");
    console_printf("%s", nom.c_str());
  }
  console_printf("\n");
  console_printf("Fin de l'aide\n");
}

// The underlined title of a topic. The topic is cut so that the title keeps its line end within
// one console text.
void ecrire_titre(const std::string& sujet) {
  constexpr int PLACE_SUJET = TAILLE_TEXTE - 1 - static_cast<int>(sizeof "Aide sur :\n" - 1);
  const int k = console_printf("Aide sur %.*s:\n", PLACE_SUJET, sujet.c_str());
  console_printf("%s\n", std::string(static_cast<std::size_t>(std::max(k - 1, 0)), '-').c_str());
}

// The entry named exactly `sujet`.
void aide_sujet(FILE* f, const std::string& sujet) {
  if (f != nullptr) {
    FichierAide aide(f);
    std::string nom;
    bool trouve = false;
    while (!trouve && aide.entree_suivante(nom)) trouve = nom == sujet;
    if (!trouve) {
      console_printf("Commande non trouvée dans l'aide\n");
    } else {
      ecrire_titre(sujet);
      aide.ecrire_texte();
    }
  }
  console_printf("Fin de l'aide\n");
}

// A line whose command word is known: "help" is answered here, the rest goes to the interpreter.
void executer_ligne(const char* ligne) {
  const char* commande = static_cast<const char*>(trouver_param(ligne, 0, PARAM_TEXTE));
  if (commande == nullptr) {
    console_printf("Commande incorrecte - H ou h ou help pour de l'aide\n");
    return;
  }
  if (comparer_commande(commande, "help", 0, 1)) {
    afficher_aide(ligne);
    return;
  }
  if (etat.interpreteur != nullptr && etat.interpreteur(ligne) == 0)
    console_printf("Commande incorrecte - H ou h ou help pour Aide\n");
}

}  // namespace

void init_console() {
  etat = Etat{};
  if (isatty(STDIN_FILENO)) {
    etat.lecteur = lire_car_terminal;
    rl_inhibit_completion = 1;  // a tab is a separator like any blank, not a file-name request
    // Ctrl-C and SIGTERM are the program's own (see lire_touche), not readline's.
    rl_catch_signals = 0;
    rl_getc_function = lire_touche;
  }
}

void fixer_entree_sortie(lecteur_t lecteur, ecrivain_t ecrivain) {
  if (lecteur != nullptr) etat.lecteur = lecteur;
  if (ecrivain != nullptr) etat.ecrivain = ecrivain;
}

void fixer_interpreteur(interpreteur_t interpreteur) { etat.interpreteur = interpreteur; }

void fixer_fichier_aide(const char* nom) {
  etat.aide_nommee = nom != nullptr;
  etat.fichier_aide = nom != nullptr ? nom : "";
}

void afficher_invite() {
  // Readline draws its prompt itself; the rest of an over-long line still waiting in the
  // edited line is read without asking readline, so that prompt is printed like a plain one.
  if (etat.lecteur == lire_car_terminal && !etat.saisie.reste()) {
    etat.saisie.invite = ">";
    return;
  }
  ecrire_sortie(">");
  vider_sortie();
}

int console_printf(const char* format, ...) {
  char texte[TAILLE_TEXTE];
  va_list arguments;
  va_start(arguments, format);
  const int n = std::vsnprintf(texte, sizeof texte, format, arguments);
  va_end(arguments);
  if (n < 0) return n;
  etat.ecrivain(texte);
  return std::min(n, TAILLE_TEXTE - 1);
}

void lire_commande() {
  std::string ligne;
  int c = 0;
  while (static_cast<int>(ligne.size()) < LONGUEUR_LIGNE_MAX) {
    c = etat.lecteur();
    if (c == '\n' || (c & 0xFF) == 0xFF) break;
    ligne += static_cast<char>(c);
  }
  // The input is over for good: the run ends as if "quit" had been typed.
  if (c == EOF && ligne.empty()) {
    ecrire_debug("console - lire_commande - Fin de l'entrée, on quitte\n");
    if (etat.interpreteur != nullptr) etat.interpreteur("quit");
    return;
  }
  if (static_cast<int>(ligne.size()) == LONGUEUR_LIGNE_MAX)
    console_printf("Vous ne pouvez pas entrer plus de 511 caractères");
  executer_ligne(ligne.c_str());
}

int compter_mots(const char* ligne) {
  const std::string normalisee = normaliser(ligne != nullptr ? ligne : "");
  if (normalisee.empty()) return 0;
  return static_cast<int>(std::count(normalisee.begin(), normalisee.end(), ' ')) + 1;
}

const void* trouver_param(const char* ligne, int n, int type) {
  // The line may be one of this function's own results: read it fully before reusing buffers.
  std::string normalisee = normaliser(ligne != nullptr ? ligne : "");
  ecrire_debug("console - trouver_param - Nouvelle ligne de commande : %s\n", normalisee.c_str());
  etat.ligne_normalisee = std::move(normalisee);
  if (!extraire_mot(etat.ligne_normalisee, n, etat.mot)) return nullptr;
  switch (type) {
    case PARAM_TEXTE:
    case PARAM_TEXTE_BIS:
      return etat.mot.c_str();
    case PARAM_ENTIER:
      etat.entier = lire_entier(etat.mot);
      return &etat.entier;
    case PARAM_REEL:
      // Read in double precision like atof, then narrowed: a direct single-precision reading
      // rounds some decimal texts to the neighbouring float.
      etat.reel = static_cast<float>(std::strtod(etat.mot.c_str(), nullptr));
      return &etat.reel;
    default:
      return nullptr;
  }
}

int comparer_commande(const char* mot, const char* commande, int a, int b) {
  if (mot == nullptr || commande == nullptr) return 0;
  if (std::strcmp(mot, commande) == 0) return 1;
  const std::size_t longueur = std::strlen(mot);
  const auto abreviation = [&](int n) {
    return n > 0 && longueur == static_cast<std::size_t>(n) && std::strncmp(mot, commande, n) == 0;
  };
  return abreviation(a) || abreviation(b) ? 1 : 0;
}

void afficher_aide(const char* ligne) {
  const fichier_t f = ouvrir_aide();
  const char* sujet = static_cast<const char*>(trouver_param(ligne, 1, PARAM_TEXTE));
  if (sujet == nullptr)
    lister_aide(f.get());
  else
    aide_sujet(f.get(), sujet);
}
