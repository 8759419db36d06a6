// The command interpreter installed in the console.
#pragma once

// 1 when the command was recognised, else 0.
int interpreter_commande(const char* ligne);

// What the graphics display does for the commands run in its window: rebuild the scene, ask the
// window for a redraw, blank the window console. A null action does nothing.
struct actions_graphiques {
  void (*reconstruire_scene)();
  void (*redessiner)();
  void (*vider_console)();
};

// Installs the graphics display's actions; all null until then (and after an empty record).
void fixer_actions_graphiques(const actions_graphiques& actions);

// What "show" and "pview" print of the graphics window: the camera, the triangle count of the
// scene, the detail level, the window's size and buffers, two of the drawing switches.
struct options_fenetre {
  float x_eye, y_eye, z_eye;
  float x_zoom, y_zoom, z_zoom;
  float x_up, y_up, z_up;
  int nb_triangles;
  int complexite;
  int largeur;
  int hauteur;
  int double_buffer;
  int plein_ecran;
  int dessin_ressources;
  int dessin_unites;
};

// The window's settings as the commands reach them: what "show" reads, the timer's period
// ("hour", milliseconds) and hour step ("inter"), the reduced console ("pro_mode"). The
// program's top installs them at start-up whatever the display, so that these commands set the
// window's settings in text mode too. A null hook does nothing; a null reader shows zeros.
struct reglages_fenetre {
  options_fenetre (*lire_options)();
  void (*periode_minuterie)(int ms);
  void (*heures_par_tic)(float heures);
  void (*basculer_console_reduite)();
  // 1 when the maps of "affich" and "mini" answer in the window console rather than on the
  // terminal that started the program (an addition of the window, which can be switched off).
  int (*cartes_dans_la_fenetre)();
};

// Installs the window's settings hooks; all null until then (and after an empty record).
void fixer_reglages_fenetre(const reglages_fenetre& reglages);

// The console loop's flags as the commands read and change them; the program's top owns them.
// A null hook reads 0 or does nothing.
struct liens_boucle {
  int (*debug_actif)();      // the debug option, shown by "show all"
  void (*rendre_la_main)();  // the loop stops after this line (text mode: the run ends)
  void (*fermer_console)();  // "exit": the console is no longer served
  void (*demander_fin)();    // "quit" in the window: the run ends at the next idle call
};

// Installs the console loop's hooks; all null until then (and after an empty record).
void fixer_liens_boucle(const liens_boucle& liens);
