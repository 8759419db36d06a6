// The console layer back to its start state, for tests and for the whole program's reset.
#pragma once

// Default console hooks and no graphics actions.
void reinitialiser_console();
