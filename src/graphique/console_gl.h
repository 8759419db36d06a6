// The window console: a ring of text lines that everything written to the console lands in while
// the graphics display runs, drawn as a translucent overlay with an input bar, and the cell panel
// of selection mode.
#pragma once

// Appends a text; a first byte 255 starts a prompt line ">".
void console_gl_ecrire(const char* texte);
// Scroll the shown lines one back or one forward.
void console_gl_remonter();
void console_gl_descendre();
// Blanks every line, keeping the positions.
void console_gl_vider();
// Start state: current and first shown line 0, ring of 50 lines, all blank, column 0.
void init_console_gl();

// Draw a text from the current raster position through dessin_courant(); a newline moves to
// x = 5 (or the margin), 16 pixels lower.
void texte_gl(const char* texte);
void texte_gl_marge(const char* texte, int marge);

// The overlays, drawn after the scene: the console (while the console is served) and the
// panel of the clicked cell (in selection mode).
void dessiner_console();
void dessiner_infos_case();

// The left edge of the cell panel, 10 or W - 300: on the side away from the click, or with the
// window's additions on, on the side that covers less of the selected cell's footprint.
int bord_gauche_panneau();

// The window size the overlays draw in, kept by the reshape callback.
void fixer_taille_fenetre(int largeur, int hauteur);
int largeur_fenetre();
int hauteur_fenetre();
