// The graphics window with GL, GLU and GLUT: the drawing interface turned into GL calls, the
// window and its GL state, the display and reshape callbacks, and the glue that hands GLUT's
// events to the plain functions of the front-end.
#include "graphique/fenetre_gl.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <numbers>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "graphique/ajouts.h"
#include "graphique/clavier.h"
#include "graphique/console_gl.h"
#include "graphique/courbe_gl.h"
#include "graphique/dessin.h"
#include "graphique/programme.h"
#include "graphique/scene.h"
#include "graphique/vue.h"
#include "graphique/vue_gl.h"
#include "socle/journal.h"

namespace {

// Pause after each idle call, in milliseconds.
constexpr int PAUSE_INACTIF_MS = 4;

// GL's primitive for each of the drawing interface's.
GLenum mode_gl(primitive p) {
  switch (p) {
    case primitive::triangles:
      return GL_TRIANGLES;
    case primitive::quads:
      return GL_QUADS;
    case primitive::lignes:
      return GL_LINES;
    case primitive::boucle_lignes:
      return GL_LINE_LOOP;
    case primitive::eventail_triangles:
      return GL_TRIANGLE_FAN;
  }
  return GL_POINTS;
}

void rappel_minuterie(int valeur) { tic_minuterie(valeur); }

// The triangles of a sphere of radius 1 centred on the origin, cut in `tranches` slices around
// the z axis and `piles` stacks from pole to pole, as their vertices in order (each also the
// vertex's normal), counter-clockwise seen from outside.
std::vector<std::array<float, 3>> sphere_unite(int tranches, int piles) {
  constexpr double pi = std::numbers::pi;
  auto point = [&](int pile, int tranche) -> std::array<float, 3> {
    const double phi = pi * pile / piles, theta = 2 * pi * tranche / tranches;
    return {static_cast<float>(std::sin(phi) * std::cos(theta)),
            static_cast<float>(std::sin(phi) * std::sin(theta)), static_cast<float>(std::cos(phi))};
  };
  std::vector<std::array<float, 3>> t;
  for (int i = 0; i < piles; ++i)
    for (int j = 0; j < tranches; ++j) {
      const auto a = point(i, j), b = point(i + 1, j), c = point(i + 1, j + 1), d = point(i, j + 1);
      // The quad a, b, c, d shrinks to a triangle at each pole.
      if (i != piles - 1) t.insert(t.end(), {a, b, c});
      if (i != 0) t.insert(t.end(), {a, c, d});
    }
  return t;
}

// The drawing interface with GL; it owns the scene's display list. While the list is compiled,
// the scene's translations are applied to the vertices here rather than recorded as matrix
// changes, so the relief becomes long runs of triangles that the driver draws in a few calls
// instead of one per tile. A sphere is compiled once into a list of its own (for each cut and
// radius asked for by the previous build), which the scene's list calls: a build of a large map
// then compiles one call per marker instead of all of its triangles.
class dessin_gl final : public dessin {
 public:
  GLuint liste_scene = 0;

  void nouvelle_liste() override {
    if (liste_scene != 0) glDeleteLists(liste_scene, 1);
    // Lists cannot be made while another is compiled: make those the last build wanted now.
    for (auto& [forme, liste] : spheres_)
      if (liste == 0) liste = compiler_sphere(forme);
    liste_scene = glGenLists(1);
    glNewList(liste_scene, GL_COMPILE);
    compilation_ = true;
    decalage_ = {0, 0, 0};
    pile_.clear();
  }
  void fin_liste() override {
    glEndList();
    compilation_ = false;
    decalage_ = {0, 0, 0};
  }

  void debut(primitive p) override { glBegin(mode_gl(p)); }
  void fin() override { glEnd(); }
  void couleur(float r, float g, float b) override { glColor3f(r, g, b); }
  void couleur(float r, float g, float b, float a) override { glColor4f(r, g, b, a); }
  void couleur_octets(std::uint8_t r, std::uint8_t g, std::uint8_t b) override {
    glColor3ub(r, g, b);
  }
  void normale(float x, float y, float z) override { glNormal3f(x, y, z); }
  void sommet(float x, float y, float z) override {
    glVertex3f(x + decalage_[0], y + decalage_[1], z + decalage_[2]);
  }

  void empiler_matrice() override {
    if (!compilation_) return glPushMatrix();
    pile_.push_back(decalage_);
  }
  void depiler_matrice() override {
    if (!compilation_) return glPopMatrix();
    if (pile_.empty()) return;
    decalage_ = pile_.back();
    pile_.pop_back();
  }
  void translater(float x, float y, float z) override {
    if (!compilation_) return glTranslatef(x, y, z);
    decalage_ = {decalage_[0] + x, decalage_[1] + y, decalage_[2] + z};
  }
  void sphere(double rayon, int tranches, int piles) override {
    if (tranches < 1 || piles < 1) return;
    const auto forme = spheres_.try_emplace({rayon, tranches, piles}, 0).first;
    if (forme->second != 0) {
      glPushMatrix();
      glTranslatef(decalage_[0], decalage_[1], decalage_[2]);
      glCallList(forme->second);
      glPopMatrix();
      return;
    }
    // Not compiled yet: its triangles go into the scene's list this time.
    const float r = static_cast<float>(rayon);
    glBegin(GL_TRIANGLES);
    for (const auto& n : sphere_unite(tranches, piles)) {
      glNormal3f(n[0], n[1], n[2]);
      glVertex3f(decalage_[0] + r * n[0], decalage_[1] + r * n[1], decalage_[2] + r * n[2]);
    }
    glEnd();
  }

  void empiler_attributs_trait() override { glPushAttrib(GL_LINE_BIT); }
  void epaisseur_trait(float largeur) override { glLineWidth(largeur); }
  void depiler_attributs() override { glPopAttrib(); }

  // Besides the set-up of the overlays, the depth test and face culling are turned off (and
  // restored with the attributes), so the overlays always show above the scene whatever the
  // winding of their quads.
  void debut_2d(int largeur, int hauteur) override {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, largeur, 0, hauteur, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
  }
  void fin_2d() override {
    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
  }
  void melange(bool actif) override { actif ? glEnable(GL_BLEND) : glDisable(GL_BLEND); }
  void masque_profondeur(bool actif) override { glDepthMask(actif ? GL_TRUE : GL_FALSE); }
  void position_raster(int x, int y) override { glRasterPos2i(x, y); }
  void caractere(unsigned char c) override { glutBitmapCharacter(GLUT_BITMAP_9_BY_15, c); }

  void redessiner() override { glutPostRedisplay(); }
  void armer_minuterie(int ms) override {
    glutTimerFunc(static_cast<unsigned>(ms < 0 ? 0 : ms), rappel_minuterie,
                  noter_armement_minuterie());
  }
  void eclairage_coupe(bool coupe) override {
    coupe ? glDisable(GL_LIGHTING) : glEnable(GL_LIGHTING);
  }
  void fil_de_fer(bool actif) override {
    if (actif) {
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    } else {
      glDisable(GL_BLEND);
      glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }
  }

 private:
  bool compilation_ = false;                // the scene's list is being compiled
  std::array<float, 3> decalage_{0, 0, 0};  // translation of the scene's current frame
  std::vector<std::array<float, 3>> pile_;  // frames saved by empiler_matrice
  std::map<std::tuple<double, int, int>, GLuint> spheres_;  // by radius and cut; 0: not yet

  // A list drawing a sphere at the origin.
  static GLuint compiler_sphere(const std::tuple<double, int, int>& forme) {
    const auto [rayon, tranches, piles] = forme;
    const GLuint liste = glGenLists(1);
    if (liste == 0) return 0;
    const float r = static_cast<float>(rayon);
    glNewList(liste, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    for (const auto& n : sphere_unite(tranches, piles)) {
      glNormal3f(n[0], n[1], n[2]);
      glVertex3f(r * n[0], r * n[1], r * n[2]);
    }
    glEnd();
    glEndList();
    return liste;
  }
};

struct Etat {
  dessin_gl gl;
  void (*inactif)() = nullptr;  // the program's idle function
};

Etat etat;

// The display that glutInit will open: the value of a "-display" option, else $DISPLAY.
const char* nom_affichage(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "-display") == 0) return argv[i + 1];
  return nullptr;
}

// A connection to the X server, closed when dropped.
struct fermeture_x {
  void operator()(Display* x) const { XCloseDisplay(x); }
};
using connexion_x = std::unique_ptr<Display, fermeture_x>;

// A connection to the display GLUT would open its window on, or none when it cannot open it
// there: the X server does not answer, or has no GL with an RGB visual with a depth buffer. GLUT
// itself ends the process in those cases, so this is asked first; holding the connection until
// the window is open also keeps a server that resets when its last client leaves from doing so
// in between.
connexion_x ecran_disponible(const char* nom, bool double_tampon) {
  connexion_x x(XOpenDisplay(nom));
  if (!x) {
    ecrire_erreur("init_opengl - Impossible de joindre l'affichage X\n");
    return nullptr;
  }
  int base_erreur = 0, base_evenement = 0;
  bool gl = glXQueryExtension(x.get(), &base_erreur, &base_evenement) != 0;
  if (gl) {
    int attributs[] = {GLX_RGBA, GLX_DEPTH_SIZE, 1, None, None};
    if (double_tampon) attributs[3] = GLX_DOUBLEBUFFER;
    XVisualInfo* visuel = glXChooseVisual(x.get(), DefaultScreen(x.get()), attributs);
    gl = visuel != nullptr;
    if (visuel != nullptr) XFree(visuel);
  }
  if (!gl) {
    ecrire_erreur("init_opengl - L'affichage X n'offre pas OpenGL\n");
    return nullptr;
  }
  return x;
}

// A window dimension from the command line: the default when it is not positive, at most the
// screen's (larger sizes are beyond what the X protocol and the GL buffers can hold).
int dimension_fenetre(int demandee, int par_defaut, int ecran) {
  const int d = demandee > 0 ? demandee : par_defaut;
  return ecran > 0 ? std::min(d, ecran) : d;
}

// The idle function: called whenever no event waits; a short pause after each call keeps an idle
// window from holding a processor core busy, at the cost of a few milliseconds before the next
// event is handled.
void rappel_inactif() {
  if (etat.inactif != nullptr) etat.inactif();
  rejouer_touches_retenues();
  std::this_thread::sleep_for(std::chrono::milliseconds(PAUSE_INACTIF_MS));
}

void fenetre_fermee() {
  ecrire_debug("init_opengl - Fenetre fermee par le gestionnaire de fenetres\n");
}

void rappel_clavier(unsigned char touche, int x, int y) { touche_recue(touche, x, y); }
void rappel_special(int touche, int x, int y) { touche_speciale_recue(touche, x, y); }
void rappel_souris(int bouton, int etat_bouton, int x, int y) { souris(bouton, etat_bouton, x, y); }
void rappel_mouvement(int x, int y) { mouvement_souris(x, y); }
void rappel_molette(int /*roue*/, int sens, int x, int y) {
  if (ajouts_actifs()) molette(sens, x, y);
}

}  // namespace

int init_opengl(int* argc, char** argv) {
  vue_gl vue = lire_vue_gl();
  connexion_x x = ecran_disponible(nom_affichage(*argc, argv), vue.double_buffer != 0);
  if (!x) return 0;
  const int ecran = DefaultScreen(x.get());
  vue.largeur =
      dimension_fenetre(vue.largeur, LARGEUR_FENETRE_PAR_DEFAUT, DisplayWidth(x.get(), ecran));
  vue.hauteur =
      dimension_fenetre(vue.hauteur, HAUTEUR_FENETRE_PAR_DEFAUT, DisplayHeight(x.get(), ecran));
  ecrire_vue_gl(vue);

  glutInit(argc, argv);
  glutInitWindowSize(vue.largeur, vue.hauteur);
  glutInitWindowPosition(-1, -1);
  glutInitDisplayMode(GLUT_RGB | GLUT_DEPTH | (vue.double_buffer ? GLUT_DOUBLE : GLUT_SINGLE));
  glutCreateWindow("Pangaeolith");
  if (vue.plein_ecran) glutFullScreen();
  x.reset();
  fixer_dessin(&etat.gl);

  glutReshapeFunc(redimensionner);
  glutDisplayFunc(afficher_gl);
  // The window manager's close button ends the run like quit: the event loop returns to the
  // program's top, which closes the CSV file and the logs, instead of the toolkit ending the
  // process with them still open.
  glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
  glutCloseFunc(fenetre_fermee);

  glClearColor(0, 0, 0, 0);
  glClearDepth(1.0);
  glEnable(GL_CULL_FACE);
  glFrontFace(GL_CCW);
  glCullFace(GL_BACK);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glShadeModel(GL_SMOOTH);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_POINT_SMOOTH);

  init_vue();
  construire_scene();
  vue_predefinie(0);

  glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
  const GLfloat diffuse[] = {1.0f, 1.0f, 0.8f, 1.0f};
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_COLOR_MATERIAL);
  return 1;
}

dessin& dessin_fenetre() { return etat.gl; }

void redimensionner(int largeur, int hauteur) {
  const double aspect = redimensionner_vue(largeur, hauteur);
  const vue_gl v = lire_vue_gl();
  glViewport(0, 0, v.largeur, v.hauteur);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, aspect, 0.1, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void afficher_gl() {
  const vue_gl v = lire_vue_gl();
  const couleur_ciel_t ciel = couleur_ciel(v.heure);
  glClearColor(ciel.r, ciel.g, ciel.b, ciel.a);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  glLoadIdentity();
  gluLookAt(v.x_eye, v.y_eye, v.z_eye, v.x_eye + v.x_zoom, v.y_eye + v.y_zoom, v.z_eye + v.z_zoom,
            v.x_up, v.y_up, v.z_up);

  // The sun swings over the map from the west in the morning to the east in the evening, 8 units
  // from the middle of the map.
  const GLfloat allume[] = {1.0f, 1.0f, 0.8f, 0.0f};
  const GLfloat eteint[] = {0, 0, 0, 0};
  glLightfv(GL_LIGHT0, GL_DIFFUSE, soleil_allume(v.heure) ? allume : eteint);
  const float c = taille_case();
  glPushMatrix();
  glTranslatef(static_cast<float>(colonnes_scene()) * c / 2,
               -static_cast<float>(lignes_scene()) * c / 2, 0);
  glRotatef(v.heure * 14.2f - 110, 0, 1, 0);
  glTranslatef(-8, 0, 0);
  const GLfloat position[] = {0, 0, 0, 0.5f};
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glPopMatrix();

  glCallList(etat.gl.liste_scene);

  // The chart of key P lies under the console, which stays readable over it.
  if (courbe_affichee()) dessiner_courbe();
  if (bandeau_affiche()) dessiner_bandeau();
  if (console_servie()) dessiner_console();
  if (v.mode_selection) dessiner_infos_case();

  if (v.double_buffer)
    glutSwapBuffers();
  else
    glFlush();
}

void boucle_evenements_gl(void (*inactif)()) {
  etat.inactif = inactif;
  glutIdleFunc(rappel_inactif);
  glutKeyboardFunc(rappel_clavier);
  glutSpecialFunc(rappel_special);
  glutMouseFunc(rappel_souris);
  glutMotionFunc(rappel_mouvement);
  // The wheel is an addition: with the additions off it stays unregistered, as in the design.
  if (ajouts_actifs()) glutMouseWheelFunc(rappel_molette);
  glutMainLoop();
}
