// The graphics front-end back to its start state, for tests and for the whole program's reset.
#pragma once

// Silent drawing, no scene, view and timer at their start, empty window console and typed line,
// the chart hidden.
void reinitialiser_graphique();
