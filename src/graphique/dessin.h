// What the graphics front-end asks of OpenGL and of the window toolkit, as calls of one small
// interface. The scene builder and the overlays draw only through it, and the keyboard, timer
// and console modules reach the window only through it, so they all run and are tested without a
// display. One file implements it with GL, GLU and GLUT calls; the tests record the calls.
#pragma once

#include <cstdint>

// The primitives of glBegin.
enum class primitive { triangles, quads, lignes, boucle_lignes, eventail_triangles };

class dessin {
 public:
  virtual ~dessin() = default;

  // The scene's display list: deletes the previous list, makes and opens a new one (glDeleteLists,
  // glGenLists, glNewList in compile mode); fin_liste closes it (glEndList).
  virtual void nouvelle_liste() = 0;
  virtual void fin_liste() = 0;

  // Immediate-mode primitives.
  virtual void debut(primitive p) = 0;                                              // glBegin
  virtual void fin() = 0;                                                           // glEnd
  virtual void couleur(float r, float g, float b) = 0;                              // glColor3f
  virtual void couleur(float r, float g, float b, float a) = 0;                     // glColor4f
  virtual void couleur_octets(std::uint8_t r, std::uint8_t g, std::uint8_t b) = 0;  // glColor3ub
  virtual void normale(float x, float y, float z) = 0;                              // glNormal3f
  virtual void sommet(float x, float y, float z) = 0;                               // glVertex3f

  // Model-view matrix and solids (while the scene's list is compiled, the GL implementation
  // applies the translations to the vertices itself, to the same effect).
  virtual void empiler_matrice() = 0;                      // glPushMatrix
  virtual void depiler_matrice() = 0;                      // glPopMatrix
  virtual void translater(float x, float y, float z) = 0;  // glTranslatef
  // A solid sphere at the origin in the current colour, cut as glutSolidSphere.
  virtual void sphere(double rayon, int tranches, int piles) = 0;

  // Lines: glPushAttrib(GL_LINE_BIT), glLineWidth, glPopAttrib.
  virtual void empiler_attributs_trait() = 0;
  virtual void epaisseur_trait(float largeur) = 0;
  virtual void depiler_attributs() = 0;

  // The 2-D set-up of the overlays: projection pushed and set to glOrtho(0, W, 0, H, -1, 1),
  // model-view pushed and set to identity, every attribute pushed, filled polygons, depth mask
  // off, blending on (source alpha, one minus source alpha), lighting off, and depth test and
  // face culling off so that the overlays always show above the scene. fin_2d pops the
  // attributes, the model-view and the projection and leaves the matrix mode on model-view.
  virtual void debut_2d(int largeur, int hauteur) = 0;
  virtual void fin_2d() = 0;
  virtual void melange(bool actif) = 0;            // glEnable / glDisable(GL_BLEND)
  virtual void masque_profondeur(bool actif) = 0;  // glDepthMask
  virtual void position_raster(int x, int y) = 0;  // glRasterPos2i
  virtual void caractere(unsigned char c) = 0;     // glutBitmapCharacter, GLUT_BITMAP_9_BY_15

  // The window: glutPostRedisplay; glutTimerFunc(ms, minuterie, 0); lighting cut (glDisable) or
  // restored (glEnable); wireframe on (blending, polygons as lines) or off (no blending, filled).
  virtual void redessiner() = 0;
  virtual void armer_minuterie(int ms) = 0;
  virtual void eclairage_coupe(bool coupe) = 0;
  virtual void fil_de_fer(bool actif) = 0;
};

// The implementation in use: the GL one once the window is open, before that (and without a
// display) one that does nothing.
dessin& dessin_courant();
// Installs an implementation; nullptr goes back to the one that does nothing.
void fixer_dessin(dessin* d);
