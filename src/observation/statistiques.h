// What the program observes of a run: the number of steps run, the inhabitants of every tribe
// after each step (the history the chart draws), the step at which each tribe died out, and the
// CSV file that --stats fills as the run goes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A tribe as the history follows it, from the first time it was seen.
struct tribu_suivie {
  std::int32_t code;
  std::string nom;
  std::int64_t premier_pas;     // step of its first sample
  std::int64_t pas_extinction;  // first step at which it had no unit left; -1 while it has one
  // Inhabitants at steps premier_pas, premier_pas + 1, ... up to its extinction (whose sample,
  // 0, is the last) or up to the last step sampled.
  std::vector<std::int32_t> habitants;
};

// The whole observed state: what a save keeps and restores.
struct releve_statistiques {
  std::int64_t pas = 0;                   // steps run
  std::int64_t dernier_echantillon = -1;  // step of the last sample, -1 before the first
  std::vector<tribu_suivie> tribus;       // in the order they were first seen
};

// One tribe's counts at the current moment.
struct bilan_tribu {
  std::int32_t code;
  std::string nom;
  std::int32_t unites;
  std::int64_t habitants;
  std::int64_t pas_extinction;  // -1 for a living tribe
};

// Steps run since the start of the run (restored with a save).
std::int64_t nombre_de_pas();

// The statistics follow the steps from now on: at the start of each step the world as it stands
// is sampled once, if it has not been at this count; at its end one more step is counted, the
// world sampled and the CSV lines of the step written.
void suivre_les_pas();
// Samples the world at the current step count unless it already was.
void echantillonner();

// Every tribe seen in the run, living ones first in list order, then those that died out in the
// order they did, with their current units and inhabitants (0 for the dead).
std::vector<bilan_tribu> bilan_tribus();
// Wars of the last war phase.
int guerres_derniere_phase();

// The observed state, sampled first; and its replacement by a restored one.
const releve_statistiques& releve();
void remplacer_releve(releve_statistiques r);

// --stats: opens the CSV file (a regular file, emptied in place: a link is followed and kept, the
// permissions stay; a FIFO, a device or another output of the run is refused without waiting) and
// writes its header; the lines of the current step follow with ecrire_etat_csv once the world
// exists. True on success; otherwise `erreur` says why and no file is kept open.
bool ouvrir_csv(const std::string& chemin, std::string& erreur);
// True once a write of the CSV file has failed (the file is then closed).
bool csv_en_echec();
// Writes the lines of the current step to the open CSV file (after a restore: the restored state).
void ecrire_etat_csv();
// Closes the CSV file, if one is open.
void fermer_csv();

// A comment line "# texte" in the open CSV file (a parameter changed between two steps).
void commenter_csv(const std::string& texte);
// The header line of the CSV file, and the quoting of one field (RFC 4180: a field holding a
// comma, a double quote, a carriage return or a line feed is put between double quotes, its
// double quotes doubled). A field starting with =, +, -, @, a tab or a carriage return, which a
// spreadsheet would run as a formula, gets a single quote before it.
const char* entete_csv();
std::string champ_csv(const std::string& texte);

// The table of the "stats" command, as its lines (one line saying so when memory runs out).
std::vector<std::string> tableau_statistiques();

// Back to the start state: no step, no sample, no CSV file, the steps followed.
void reinitialiser_statistiques();
