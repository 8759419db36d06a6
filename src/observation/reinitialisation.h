// The observation layer back to its start state, for tests and for the whole program's reset.
#pragma once

// No step counted nor observed, no CSV file; the statistics watch the steps again.
void reinitialiser_observation();
