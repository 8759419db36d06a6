// The population layer back to its start state, for tests and for the whole program's reset.
#pragma once

// No civilisation, no unit, empty identifier stack.
void reinitialiser_population();
