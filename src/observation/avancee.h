// Advancing the world by steps, the one way every caller does it ("cont", --pas, the key J and
// the animation timer): with the stops they all obey, and an answer that says why it ended.
#pragma once

#include <cstdint>
#include <functional>

// Why a run of steps ended.
enum class fin_avancee {
  complete,       // every step asked for was run
  arret,          // a signal asked the run to end (SIGTERM, SIGHUP, SIGINT away from a terminal)
  interruption,   // Ctrl-C at a terminal: what runs the steps stops, the run goes on
  lecteur_parti,  // the reader of standard output went away
};

struct avancee {
  fin_avancee fin;
  std::int64_t pas_joues;
  bool csv_en_echec;  // the CSV file has failed: the run's statistics on file are incomplete
};

// Runs up to `pas` steps, each counted, sampled for the statistics and written to the CSV file
// by the steps' observers. A signal asking the run to end, or a pending interruption, stops the
// steps before the next one (the interruption stays pending: the caller takes it); a reader of
// standard output that went away stops them after the step that found it gone. A failed CSV file
// does not stop them: the world goes on without it, and the answer says so. `suivi` hears the
// number of steps run after every step that no stop follows.
avancee avancer(std::int64_t pas, const std::function<void(std::int64_t)>& suivi = {});
