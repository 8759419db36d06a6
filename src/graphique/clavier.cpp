// Keyboard, mouse and typed line of the graphics window. While the window console is closed the
// keys are commands and the mouse drags the view (or picks a cell in selection mode); while it
// is open the keys edit the line typed in the window, which the console then reads back through
// lire_car_gl as it would read a line typed at the text prompt.
#include "graphique/clavier.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <deque>

#include "graphique/ajouts.h"
#include "graphique/console_gl.h"
#include "graphique/courbe_gl.h"
#include "graphique/dessin.h"
#include "graphique/pointage.h"
#include "graphique/programme.h"
#include "graphique/scene.h"
#include "graphique/vue.h"
#include "graphique/vue_gl.h"
#include "observation/avancee.h"
#include "socle/journal.h"

namespace {

constexpr int LONGUEUR_SAISIE = 500;      // bytes of the typed line, its terminator included
constexpr int NB_HISTORIQUE = 10;         // lines kept in the history
constexpr int LONGUEUR_HISTORIQUE = 100;  // bytes of a history entry, its terminator included
constexpr unsigned char MARQUE_INVITE = 255;
constexpr unsigned char TOUCHE_EFFACER = 8;
constexpr unsigned char TOUCHE_SAUT_DE_LIGNE = 10;
constexpr unsigned char TOUCHE_ENTREE = 13;
constexpr unsigned char TOUCHE_ECHAP = 27;
constexpr unsigned char TOUCHE_CARRE = 178;  // "²", left of the digits on French keyboards
constexpr float PAS_CAMERA = 0.3f;
constexpr double PAS_ANGLE = 0.003;  // radians per pixel of a drag

// A key held back: a plain key or a special key, with the pointer position it came with.
struct touche_retenue {
  bool speciale;
  int code;
  int x, y;
};

struct Etat {
  // The typed line: the prompt mark in byte 0 once the console is open, the text from byte 1.
  std::array<unsigned char, LONGUEUR_SAISIE> ligne_saisie{};
  int col_saisie = 0;  // next write position
  std::array<std::array<unsigned char, LONGUEUR_HISTORIQUE>, NB_HISTORIQUE> historique{};
  int pos_historique = 0;
  int index_lecture = 1;  // read position of lire_car_gl
  int glissement = 0;     // a drag of the view is under way
  int x_souris = 0;
  int y_souris = 0;
  int eclairage_coupe = 0;
  int fil_de_fer = 0;
  std::deque<touche_retenue> retenues;  // keys held while a typed line waits, oldest first
};

Etat etat;

// A line typed in the open console waits for the idle loop to run it.
bool ligne_en_attente() { return console_servie() && lire_vue_gl().ligne_prete; }

const char* texte_saisie() { return reinterpret_cast<const char*>(etat.ligne_saisie.data()); }

// The typed line back to the prompt mark alone.
void vider_saisie() {
  etat.ligne_saisie[0] = MARQUE_INVITE;
  etat.ligne_saisie[1] = '\0';
  etat.col_saisie = 1;
}

// Keeps a finished line (newline included) in the next history entry. A line too long for the
// entry is cut, its newline kept at the end.
void garder_dans_historique() {
  etat.pos_historique = (etat.pos_historique + 1) % NB_HISTORIQUE;
  auto& entree = etat.historique[static_cast<std::size_t>(etat.pos_historique)];
  const std::size_t n = std::min<std::size_t>(std::strlen(texte_saisie()), entree.size() - 1);
  std::copy_n(etat.ligne_saisie.begin(), n, entree.begin());
  entree[n] = '\0';
  if (n > 0 && entree[n - 1] != '\n') entree[n - 1] = '\n';
}

// A key typed in the open console edits the line and shows it in the input bar.
void editer_ligne(unsigned char touche, vue_gl& v) {
  auto& ligne = etat.ligne_saisie;
  // A console opened without the keyboard (at start-up) gets its prompt mark here.
  if (etat.col_saisie < 1) vider_saisie();
  if (touche == TOUCHE_EFFACER) {
    if (etat.col_saisie > 1) {
      ligne[static_cast<std::size_t>(--etat.col_saisie)] = '\0';
      console_gl_ecrire(texte_saisie());
    }
    return;
  }
  if (touche == TOUCHE_CARRE) {
    servir_console(0);
    return;
  }
  // The byte 255 ends the console's reading and the byte 0 the text: neither can be typed.
  if (touche == MARQUE_INVITE || touche == '\0') return;
  // A linefeed (Ctrl-J) ends the line like Enter: stored raw, it would stay inside the line.
  if (touche == TOUCHE_ENTREE || touche == TOUCHE_SAUT_DE_LIGNE) {
    // Enter always ends the line, over its last character when the line is full.
    etat.col_saisie = std::min(etat.col_saisie, LONGUEUR_SAISIE - 2);
    ligne[static_cast<std::size_t>(etat.col_saisie)] = '\n';
    ligne[static_cast<std::size_t>(etat.col_saisie) + 1] = '\0';
    ligne[0] = MARQUE_INVITE;
    etat.col_saisie = 1;
    v.ligne_prete = 1;
    garder_dans_historique();
  } else if (etat.col_saisie < LONGUEUR_SAISIE - 1) {
    // Room for one more key and its terminator; a full line ignores further keys.
    ligne[static_cast<std::size_t>(etat.col_saisie++)] = touche;
    ligne[static_cast<std::size_t>(etat.col_saisie)] = '\0';
  }
  console_gl_ecrire(texte_saisie());
}

// The drawing switches that rebuild the scene (G, R, U) and the detail level (K).
void reconstruire(vue_gl& v) {
  ecrire_vue_gl(v);
  construire_scene();
  v = lire_vue_gl();
}

// A camera preset; what it writes survives in the caller's copy.
void preset(vue_gl& v, int n) {
  ecrire_vue_gl(v);
  vue_predefinie(n);
  v = lire_vue_gl();
}

// The keys of the window's additions, which mean nothing with them off.
void commande_ajoutee(unsigned char touche, vue_gl& v) {
  if (!ajouts_actifs()) return;
  switch (touche) {
    case 'h':
    case 'H':
      basculer_bandeau();
      break;
    case '+':
      accelerer_journee();
      break;
    case '-':
      ralentir_journee();
      break;
    case ' ':
      basculer_pause();
      break;
    case 't':
    case 'T':
      ecrire_vue_gl(v);
      basculer_taille_unites();
      v = lire_vue_gl();
      break;
    default:
      break;
  }
}

// A key typed while the console is closed is a command.
void commande(unsigned char touche, vue_gl& v) {
  switch (touche) {
    case TOUCHE_ECHAP:
    case 'q':
    case 'Q':
      demander_fin();
      break;
    case 'c':
    case 'C':
    case TOUCHE_CARRE:
      if (!v.mode_selection) {
        vider_saisie();
        servir_console(1);
        const char invite[] = {static_cast<char>(MARQUE_INVITE), '\0'};
        console_gl_ecrire(invite);
      }
      break;
    case 'e':
    case 'E':
      fixer_animation(!animation_active());
      // The first tick comes soon; each tick then re-arms itself.
      if (animation_active()) dessin_courant().armer_minuterie(10);
      break;
    case 'g':
    case 'G':
      v.dessin_guerres = !v.dessin_guerres;
      reconstruire(v);
      break;
    case 'i':
    case 'I':
      v.mode_selection = !v.mode_selection;
      preset(v, v.mode_selection ? 1 : 0);
      break;
    case 'j':
    case 'J':
      // One step, unless a signal has asked the run to end; the scene shows the world either way.
      avancer(1);
      reconstruire(v);
      break;
    case 'k':
    case 'K':
      v.complexite = v.complexite % 3 + 1;
      reconstruire(v);
      break;
    case 'l':
    case 'L':
      etat.eclairage_coupe = (etat.eclairage_coupe + 1) % 2;
      dessin_courant().eclairage_coupe(etat.eclairage_coupe == 1);
      break;
    case 'm':
    case 'M':
      etat.fil_de_fer = (etat.fil_de_fer + 1) % 2;
      dessin_courant().fil_de_fer(etat.fil_de_fer == 1);
      break;
    case 'n':
    case 'N':
      if (!v.mode_selection) preset(v, 0);
      break;
    case 'p':
    case 'P':
      // The chart of the tribes' inhabitants over the scene, or no more.
      basculer_courbe();
      break;
    case 'r':
    case 'R':
      v.dessin_ressources = !v.dessin_ressources;
      reconstruire(v);
      break;
    case 'u':
    case 'U':
      v.dessin_unites = !v.dessin_unites;
      reconstruire(v);
      break;
    default:
      commande_ajoutee(touche, v);
      break;
  }
}

// UP in the open console: the history entry under the cursor back into the typed line, without
// its newline; the cursor then moves to the entry before it. A never-filled entry gives an
// empty line.
void rappeler_historique() {
  const auto& entree = etat.historique[static_cast<std::size_t>(etat.pos_historique)];
  if (entree[0] == MARQUE_INVITE) {
    std::copy(entree.begin(), entree.end(), etat.ligne_saisie.begin());
    std::size_t n = std::strlen(texte_saisie());
    if (n > 1 && etat.ligne_saisie[n - 1] == '\n') etat.ligne_saisie[--n] = '\0';
    etat.col_saisie = static_cast<int>(n);
  } else {
    vider_saisie();
  }
  console_gl_ecrire(texte_saisie());
  etat.pos_historique = (etat.pos_historique + NB_HISTORIQUE - 1) % NB_HISTORIQUE;
}

// Arrow and page keys with the console closed move the eye: forward and back horizontally
// along the view, sideways along zoom x up, up and down along z.
void deplacer_oeil(int touche, vue_gl& v) {
  const float droite_x = v.y_zoom * v.z_up - v.z_zoom * v.y_up;
  const float droite_y = v.z_zoom * v.x_up - v.x_zoom * v.z_up;
  const float droite_z = v.x_zoom * v.y_up - v.y_zoom * v.x_up;
  float h_x = 0;
  float h_y = 1;
  if (v.y_zoom != 0) {
    // In double precision, so that a tiny y component never squares to 0.
    const double x = v.x_zoom;
    const double y = v.y_zoom;
    const double norme = std::sqrt(x * x + y * y);
    h_x = static_cast<float>(x / norme);
    h_y = static_cast<float>(y / norme);
  }
  switch (touche) {
    case TOUCHE_HAUT:
      v.x_eye += PAS_CAMERA * h_x;
      v.y_eye += PAS_CAMERA * h_y;
      break;
    case TOUCHE_BAS:
      v.x_eye -= PAS_CAMERA * h_x;
      v.y_eye -= PAS_CAMERA * h_y;
      break;
    case TOUCHE_GAUCHE:
      v.x_eye -= PAS_CAMERA * droite_x;
      v.y_eye -= PAS_CAMERA * droite_y;
      v.z_eye -= PAS_CAMERA * droite_z;
      break;
    case TOUCHE_DROITE:
      v.x_eye += PAS_CAMERA * droite_x;
      v.y_eye += PAS_CAMERA * droite_y;
      v.z_eye += PAS_CAMERA * droite_z;
      break;
    case TOUCHE_PAGE_HAUT:
      v.z_eye += PAS_CAMERA;
      break;
    case TOUCHE_PAGE_BAS:
      v.z_eye -= PAS_CAMERA;
      break;
    default:
      break;
  }
}

// Rotation of (x, y) by the angle whose cosine and sine are given.
void tourner(float& x, float& y, double cosinus, double sinus) {
  const double x0 = x;
  const double y0 = y;
  x = static_cast<float>(x0 * cosinus - y0 * sinus);
  y = static_cast<float>(x0 * sinus + y0 * cosinus);
}

}  // namespace

void clavier(unsigned char touche, int /*x*/, int /*y*/) {
  vue_gl v = lire_vue_gl();
  if (console_servie())
    editer_ligne(touche, v);
  else
    commande(touche, v);
  ecrire_vue_gl(v);
  dessin_courant().redessiner();
}

void touches_speciales(int touche, int /*x*/, int /*y*/) {
  vue_gl v = lire_vue_gl();
  if (console_servie()) {
    if (touche == TOUCHE_HAUT) rappeler_historique();
    if (touche == TOUCHE_PAGE_HAUT) console_gl_remonter();
    if (touche == TOUCHE_PAGE_BAS) console_gl_descendre();
    dessin_courant().redessiner();
    return;
  }
  if (v.mode_selection) return;
  deplacer_oeil(touche, v);
  ecrire_vue_gl(v);
  dessin_courant().redessiner();
}

void souris(int bouton, int etat_bouton, int x, int y) {
  etat.glissement = 0;
  vue_gl v = lire_vue_gl();
  if (bouton == BOUTON_GAUCHE && etat_bouton == BOUTON_ENFONCE) {
    if (!v.mode_selection) {
      etat.glissement = 1;
      etat.x_souris = x;
      etat.y_souris = y;
    } else {
      // The cell panel maps the click to a cell at the next frame.
      v.x_clic = x;
      v.y_clic = y;
      if (debug_ouvert()) {
        int cx = -1, cy = -1;
        if (case_sous_pointeur(x, y, cx, cy))
          ecrire_debug("souris - Clic en (%i, %i) : case X=%i - Y=%i\n", x, y, cx, cy);
        else
          ecrire_debug("souris - Clic en (%i, %i) : pas de case selectionnee\n", x, y);
      }
      ecrire_vue_gl(v);
      dessin_courant().redessiner();
    }
  }
  // No drag while the console is open.
  if (console_servie() || v.mode_selection) etat.glissement = 0;
}

void mouvement_souris(int x, int y) {
  vue_gl v = lire_vue_gl();
  if (etat.glissement) {
    // Pitch: dragging downwards tilts the view down, zoom and up turning together.
    const double a = (y - etat.y_souris) * PAS_ANGLE;
    const double ca = std::cos(a);
    const double sa = std::sin(a);
    const float zoom[3] = {v.x_zoom, v.y_zoom, v.z_zoom};
    const float haut[3] = {v.x_up, v.y_up, v.z_up};
    float* nouveau_zoom[3] = {&v.x_zoom, &v.y_zoom, &v.z_zoom};
    float* nouveau_haut[3] = {&v.x_up, &v.y_up, &v.z_up};
    for (int i = 0; i < 3; ++i) {
      *nouveau_zoom[i] = static_cast<float>(zoom[i] * ca - haut[i] * sa);
      *nouveau_haut[i] = static_cast<float>(zoom[i] * sa + haut[i] * ca);
    }
    // Yaw about the world's vertical axis.
    const double b = (etat.x_souris - x) * PAS_ANGLE;
    tourner(v.x_zoom, v.y_zoom, std::cos(b), std::sin(b));
    tourner(v.x_up, v.y_up, std::cos(b), std::sin(b));
    etat.x_souris = x;
    etat.y_souris = y;
  }
  ecrire_vue_gl(v);
  dessin_courant().redessiner();
}

int lire_car_gl() {
  if (etat.index_lecture < 1 || etat.index_lecture >= LONGUEUR_SAISIE) etat.index_lecture = 1;
  const unsigned char c = etat.ligne_saisie[static_cast<std::size_t>(etat.index_lecture)];
  // A line without its newline (nothing typed yet) reads as an empty line, never past its end.
  if (c == '\0' || c == '\n') {
    etat.index_lecture = 1;
    return '\n';
  }
  ++etat.index_lecture;
  return c;
}

void ouvrir_saisie() {
  vider_saisie();
  etat.index_lecture = 1;
  // The input bar shows its prompt mark from the start, as after opening the console by key.
  const char invite[] = {static_cast<char>(MARQUE_INVITE), '\0'};
  console_gl_ecrire(invite);
}

// Keys that arrive while a typed line waits for the idle loop are held, in order, and handed on
// once the line has run: typed straight into the line they would overwrite the waiting line,
// and their echo would run into the command's answer.
void touche_recue(unsigned char touche, int x, int y) {
  if (!etat.retenues.empty() || ligne_en_attente()) {
    etat.retenues.push_back({false, touche, x, y});
    return;
  }
  clavier(touche, x, y);
}

void touche_speciale_recue(int touche, int x, int y) {
  if (!etat.retenues.empty() || ligne_en_attente()) {
    etat.retenues.push_back({true, touche, x, y});
    return;
  }
  touches_speciales(touche, x, y);
}

void rejouer_touches_retenues() {
  while (!etat.retenues.empty() && !ligne_en_attente()) {
    const touche_retenue t = etat.retenues.front();
    etat.retenues.pop_front();
    if (t.speciale)
      touches_speciales(t.code, t.x, t.y);
    else
      clavier(static_cast<unsigned char>(t.code), t.x, t.y);
  }
}

std::size_t touches_retenues() { return etat.retenues.size(); }

void vider_historique() {
  for (auto& entree : etat.historique) entree.fill('\0');
}

void reinitialiser_clavier() { etat = {}; }
