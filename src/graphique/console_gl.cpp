// The window console: a ring of text lines that the console's writer fills while the graphics
// display runs, its translucent overlay with the input bar, and the 2-D text drawing shared with
// the cell panel.
#include "graphique/console_gl.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "graphique/ajouts.h"
#include "graphique/dessin.h"
#include "graphique/pointage.h"
#include "graphique/scene.h"
#include "graphique/vue_gl.h"
#include "monde/carte.h"
#include "monde/terrain.h"
#include "population/civ.h"
#include "population/unites.h"

namespace {

constexpr int NB_LIGNES = 100;
constexpr int LONGUEUR_LIGNE = 500;  // bytes of a line, its terminator included
constexpr int TAILLE_ANNEAU = 50;    // lines of the store in use
constexpr int LIGNES_VISIBLES = 17;  // lines of the scroll-back area
constexpr int INTERLIGNE = 16;       // pixels between two text lines
constexpr int MARGE = 5;             // left margin of the overlay's text
constexpr unsigned char MARQUE_INVITE = 255;

using ligne_t = std::array<char, LONGUEUR_LIGNE>;

struct Etat {
  std::array<ligne_t, NB_LIGNES> lignes{};
  int ligne_courante = 0;  // ring index of the line being written (the input bar's line)
  int premiere_ligne = 0;  // ring index of the first line of the scroll-back area
  int taille_anneau = TAILLE_ANNEAU;
  int col_console = 0;  // write column in the current line
  // First byte of a two-byte UTF-8 character whose second byte has not arrived yet: texts
  // written one character at a time may split a character across two writes.
  unsigned char utf8_en_attente = 0;
  int largeur = LARGEUR_FENETRE_PAR_DEFAUT;  // current window size
  int hauteur = HAUTEUR_FENETRE_PAR_DEFAUT;
  int y_raster = 0;  // height of the raster position last set by these overlays
};

Etat etat;

// Latin-1 letters 192..255 as the bitmap font draws them safely: their base letter, or '?' for
// the few that have none (Æ, Ð, ×, Þ, ß, æ, ð, ÷, þ).
constexpr char LETTRES_REPLIEES[] =
    "AAAAAA?CEEEEIIII?NOOOOO?OUUUUY??aaaaaa?ceeeeiiii?nooooo?ouuuuy?y";
static_assert(sizeof LETTRES_REPLIEES == 64 + 1);

// The current line.
ligne_t& courante() { return etat.lignes[static_cast<std::size_t>(etat.ligne_courante)]; }

// Stores one byte at the write column and keeps the line terminated; a full line ignores it.
void poser(char c) {
  if (etat.col_console >= LONGUEUR_LIGNE - 1) return;
  ligne_t& l = courante();
  l[static_cast<std::size_t>(etat.col_console++)] = c;
  l[static_cast<std::size_t>(etat.col_console)] = '\0';
}

// Ends the current line with its newline (over the last byte of a full line) and moves on to a
// blank line, bringing the view back to the newest lines.
void nouvelle_ligne() {
  const int position = std::min(etat.col_console, LONGUEUR_LIGNE - 2);
  ligne_t& l = courante();
  l[static_cast<std::size_t>(position)] = '\n';
  l[static_cast<std::size_t>(position) + 1] = '\0';
  etat.col_console = 0;
  etat.ligne_courante = (etat.ligne_courante + 1) % etat.taille_anneau;
  etat.premiere_ligne =
      (etat.taille_anneau + etat.ligne_courante - LIGNES_VISIBLES) % etat.taille_anneau;
  courante().fill('\0');
}

// A lone byte of 128 or more: the Windows-1252 letters à ç è é ê î ô ù folded, '?' otherwise.
char replier_octet(unsigned char c) {
  switch (c) {
    case 224:
      return 'a';
    case 231:
      return 'c';
    case 232:
    case 233:
    case 234:
      return 'e';
    case 238:
      return 'i';
    case 244:
      return 'o';
    case 249:
      return 'u';
    default:
      return '?';
  }
}

// A two-byte UTF-8 character: a Latin-1 letter folded, a no-break space as a space, '?' else.
char replier_utf8(unsigned char premier, unsigned char second) {
  const int point = ((premier & 0x1F) << 6) | (second & 0x3F);
  if (point >= 192 && point <= 255) return LETTRES_REPLIEES[point - 192];
  return point == 160 ? ' ' : '?';
}

// Stores one byte of a text: tabs as four spaces, newlines ending the line, accented letters
// folded to what the bitmap font draws.
void ecrire_octet(unsigned char c) {
  const bool suite_utf8 = c >= 0x80 && c <= 0xBF;
  if (etat.utf8_en_attente != 0) {
    const unsigned char premier = etat.utf8_en_attente;
    etat.utf8_en_attente = 0;
    if (suite_utf8) {
      poser(replier_utf8(premier, c));
      return;
    }
    poser('?');
  }
  if (c >= 0xC2 && c <= 0xDF) {
    etat.utf8_en_attente = c;
  } else if (c >= 0x80) {
    poser(replier_octet(c));
  } else if (c == '\t') {
    for (int i = 0; i < 4; ++i) poser(' ');
  } else if (c == '\n') {
    nouvelle_ligne();
  } else {
    poser(static_cast<char>(c));
  }
}

// Moves the raster position and remembers its height for the newlines of texte_gl.
void placer(int x, int y) {
  etat.y_raster = y;
  dessin_courant().position_raster(x, y);
}

// A quad in window coordinates, corners given counter-clockwise so that face culling keeps it.
void rectangle(int gauche, int bas, int droite, int haut) {
  dessin& d = dessin_courant();
  d.sommet(static_cast<float>(gauche), static_cast<float>(bas), 0);
  d.sommet(static_cast<float>(droite), static_cast<float>(bas), 0);
  d.sommet(static_cast<float>(droite), static_cast<float>(haut), 0);
  d.sommet(static_cast<float>(gauche), static_cast<float>(haut), 0);
}

// One formatted line of the panel, at its margin.
__attribute__((format(printf, 2, 3))) void ligne_panneau(int marge, const char* format, ...) {
  char texte[128];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(texte, sizeof texte, format, arguments);
  va_end(arguments);
  texte_gl_marge(texte, marge);
}

// The name of a code in a table of texts, or none outside it.
template <std::size_t N>
const char* nom_code(const char* const (&noms)[N], int code, int premier) {
  const int i = code - premier;
  return i >= 0 && i < static_cast<int>(N) ? noms[i] : nullptr;
}

// The lines describing cell (x, y): its terrain, then its unit and the unit's tribe.
void decrire_case(int x, int y, int marge) {
  static constexpr const char* TYPES[] = {"Type: Mer\n", "Type: Plaine\n", "Type: Colline\n",
                                          "Type: Montagne\n"};
  static constexpr const char* REGIMES[] = {"Regime : Herbivore\n", "Regime : Omnivore\n",
                                            "Regime : Carnivore\n"};
  static constexpr const char* COMPORTEMENTS[] = {
      "Comportement : Hostile\n", "Comportement : Pacifique\n", "Comportement : Reciproque\n"};
  static constexpr const char* MILIEUX[] = {"Milieu prefere: Plaine\n", "Milieu prefere: Colline\n",
                                            "Milieu prefere: Montagne\n"};
  const auto ecrire = [marge](const char* texte) {
    if (texte != nullptr) texte_gl_marge(texte, marge);
  };

  ecrire("Infos:\n");
  ligne_panneau(marge, "Case: X=%i - Y=%i\n", x, y);
  ecrire("Infos terrain:\n--------------\n");
  ecrire(nom_code(TYPES, quelle_altitude(x, y), MER));
  ligne_panneau(marge, "Code climat (0 = tres chaud):%i\n", quelle_climat(x, y));
  ligne_panneau(marge, "Population max :%i\n", combien_popmax(x, y));
  ligne_panneau(marge, "Qte Eau:%i,Qte Bois:%i\n", combien_ressouce(x, y, EAU),
                combien_ressouce(x, y, BOIS));
  ligne_panneau(marge, "Qte Veg:%i,Qte Anim:%i\n", combien_ressouce(x, y, NOURRITURE_VEGETALE),
                combien_ressouce(x, y, NOURRITURE_ANIMALE));
  ecrire("Infos unite:\n------------\n");
  const int code = quelle_unite_code(x, y);
  if (code == -1) {
    ecrire("Pas d'unite presente.\n");
    return;
  }
  ligne_panneau(marge, "Code de l'unite :%i\n", code);
  ligne_panneau(marge, "Population :%i\n", nb_habitants(x, y));
  ecrire("Infos civ unite:\n----------------\n");
  const int t = quelle_tribu(x, y);
  ligne_panneau(marge, "Code tribu :%i\n", t);
  const civilisation* civ = donner_civ(t);
  const std::string nom = civ != nullptr ? civ->nom : "";
  // With the additions on, a name too long for the panel's width ends with an ellipsis.
  constexpr std::size_t PLACE_NOM = (290 - 10) / 9 - (sizeof "Nom tribu :" - 1);
  if (ajouts_actifs() && nom.size() > PLACE_NOM)
    ligne_panneau(marge, "Nom tribu :%s...\n", nom.substr(0, PLACE_NOM - 3).c_str());
  else
    ligne_panneau(marge, "Nom tribu :%s\n", nom.c_str());
  ecrire(nom_code(REGIMES, donner_regime(t), HERBIVORE));
  ecrire(nom_code(COMPORTEMENTS, donner_comportement(t), HOSTILE));
  ecrire(nom_code(MILIEUX, donner_milieu_prefere(t), BAS));
}

}  // namespace

void console_gl_ecrire(const char* texte) {
  if (texte == nullptr) return;
  const auto* octet = reinterpret_cast<const unsigned char*>(texte);
  const bool invite = *octet == MARQUE_INVITE;
  if (invite) {
    // A prompt line: the input bar is rewritten as ">" followed by the rest of the text.
    etat.utf8_en_attente = 0;
    etat.col_console = 0;
    poser('>');
    ++octet;
  }
  for (; *octet != '\0'; ++octet) ecrire_octet(*octet);
  // The typed line is whole: a character it leaves unfinished will never be completed.
  if (invite && etat.utf8_en_attente != 0) {
    etat.utf8_en_attente = 0;
    poser('?');
  }
  courante()[static_cast<std::size_t>(etat.col_console)] = '\0';
  dessin_courant().redessiner();
}

void console_gl_remonter() {
  const int n = etat.taille_anneau;
  etat.premiere_ligne = (n + etat.premiere_ligne - 1) % n;
  // Never onto the current line, never onto a line that was never written.
  if (etat.premiere_ligne == etat.ligne_courante)
    etat.premiere_ligne = (etat.premiere_ligne + 1) % n;
  if (etat.lignes[static_cast<std::size_t>(etat.premiere_ligne)][0] == '\0')
    etat.premiere_ligne = (etat.premiere_ligne + 1) % n;
}

void console_gl_descendre() {
  const int n = etat.taille_anneau;
  etat.premiere_ligne = (etat.premiere_ligne + 1) % n;
  // The newest view starts 17 lines before the current one.
  if (etat.premiere_ligne == (etat.ligne_courante + n - (LIGNES_VISIBLES - 1)) % n)
    etat.premiere_ligne = (etat.premiere_ligne + n - 1) % n;
}

void console_gl_vider() {
  for (ligne_t& l : etat.lignes) l.fill('\0');
  // The blank current line is written from its start.
  etat.col_console = 0;
  etat.utf8_en_attente = 0;
}

void init_console_gl() {
  etat = Etat{};
  // Until the first reshape the window has the size it was asked for.
  const vue_gl v = lire_vue_gl();
  if (v.largeur > 0 && v.hauteur > 0) fixer_taille_fenetre(v.largeur, v.hauteur);
}

void texte_gl(const char* texte) { texte_gl_marge(texte, MARGE); }

void texte_gl_marge(const char* texte, int marge) {
  if (texte == nullptr) return;
  dessin& d = dessin_courant();
  for (const char* c = texte; *c != '\0'; ++c) {
    if (*c == '\n')
      placer(marge, etat.y_raster - INTERLIGNE);
    else
      d.caractere(static_cast<unsigned char>(*c));
  }
}

void dessiner_console() {
  const int W = etat.largeur;
  const int H = etat.hauteur;
  const bool reduite = lire_vue_gl().console_reduite != 0;
  // Reduced, the input bar moves to the bottom of the window: 1 to 18 pixels above it.
  const int d = reduite ? 299 - H : 0;
  dessin& g = dessin_courant();
  g.debut_2d(W, H);

  g.debut(primitive::quads);
  if (!reduite) {
    // The scroll-back background: 28 bands, more opaque towards the input bar.
    for (int k = 1; k <= 271; k += 10) {
      g.couleur(0.2f, 0.2f, 1.0f, static_cast<float>(k) / 300.0f);
      rectangle(0, H - k - 10, W - 1, H - k);
    }
  }
  g.couleur(0.6f, 0.2f, 1.0f, 0.85f);
  rectangle(0, H + d - 298, W - 1, H + d - 281);
  g.fin();

  g.melange(false);
  g.masque_profondeur(true);
  g.debut(primitive::boucle_lignes);
  g.couleur(0.9f, 0.5f, 0.2f, 1.0f);
  g.sommet(0, static_cast<float>(H + d - 281), 0);
  g.sommet(0, static_cast<float>(H + d - 298), 0);
  g.sommet(static_cast<float>(W - 1), static_cast<float>(H + d - 298), 0);
  g.sommet(static_cast<float>(W - 1), static_cast<float>(H + d - 281), 0);
  g.fin();

  if (!reduite) {
    // Each stored line ends with its newline, which moves the next one down.
    g.couleur(1.0f, 1.0f, 1.0f);
    placer(MARGE, H - 15);
    int l = etat.premiere_ligne;
    for (int i = 0; i < LIGNES_VISIBLES && l != etat.ligne_courante; ++i) {
      texte_gl(etat.lignes[static_cast<std::size_t>(l)].data());
      l = (l + 1) % etat.taille_anneau;
    }
  }
  g.couleur(0.0f, 1.0f, 0.0f);
  placer(MARGE, H + d - 294);
  texte_gl(courante().data());
  texte_gl("|");

  g.fin_2d();
}

void dessiner_infos_case() {
  const int W = etat.largeur;
  const int H = etat.hauteur;
  const vue_gl v = lire_vue_gl();
  dessin& g = dessin_courant();
  g.debut_2d(W, H);

  const int L = bord_gauche_panneau();
  g.debut(primitive::quads);
  g.couleur(0.2f, 0.2f, 1.0f, 0.5f);
  rectangle(L, H - 500, L + 290, H - 10);
  g.fin();
  g.melange(false);
  g.masque_profondeur(true);
  g.debut(primitive::boucle_lignes);
  g.couleur(0.9f, 0.3f, 0.2f, 1.0f);
  g.sommet(static_cast<float>(L), static_cast<float>(H - 10), 0);
  g.sommet(static_cast<float>(L + 290), static_cast<float>(H - 10), 0);
  g.sommet(static_cast<float>(L + 290), static_cast<float>(H - 500), 0);
  g.sommet(static_cast<float>(L), static_cast<float>(H - 500), 0);
  g.fin();

  const int marge = L + 5;
  g.couleur(1.0f, 1.0f, 1.0f, 1.0f);
  placer(marge, H - 11);
  texte_gl_marge("\n", marge);
  // The cell whose tile is drawn under the click, through the current view and relief.
  int x = -1, y = -1;
  if (!case_sous_pointeur(v.x_clic, v.y_clic, x, y)) {
    texte_gl_marge("Infos:\n", marge);
    texte_gl_marge("Pas de case selectionnee\n", marge);
  } else {
    decrire_case(x, y, marge);
  }

  g.fin_2d();
}

int bord_gauche_panneau() {
  const vue_gl v = lire_vue_gl();
  const int W = etat.largeur;
  // The panel goes on the side away from the click.
  const int loin = static_cast<float>(v.x_clic) / static_cast<float>(W) > 0.5f ? 10 : W - 300;
  if (!ajouts_actifs()) return loin;
  // With the additions on, it never covers the selected cell when the other side does not: the
  // cell's projected footprint decides, so that a zoomed-in cell wider than half the window or
  // one clicked near its edge stays in sight.
  int x = -1, y = -1;
  double g = 0, h = 0, d = 0, b = 0;
  if (!case_sous_pointeur(v.x_clic, v.y_clic, x, y) || !empreinte_case(x, y, g, h, d, b))
    return loin;
  const auto recouvrement = [&](int L) {
    const double largeur = std::min<double>(d, L + 290) - std::max<double>(g, L);
    const double hauteur = std::min(b, 500.0) - std::max(h, 10.0);
    return largeur > 0 && hauteur > 0 ? largeur * hauteur : 0.0;
  };
  const int autre = loin == 10 ? W - 300 : 10;
  return recouvrement(autre) < recouvrement(loin) ? autre : loin;
}

void fixer_taille_fenetre(int largeur, int hauteur) {
  etat.largeur = std::max(largeur, 1);
  etat.hauteur = std::max(hauteur, 1);
}

int largeur_fenetre() { return etat.largeur; }
int hauteur_fenetre() { return etat.hauteur; }
