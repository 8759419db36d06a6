// The console loop.
#pragma once

// Prompts, reads and interprets lines until a command ends the loop (text mode); in graphics
// mode, interprets at most one line typed in the window per call.
void bcle_princip();

// The end of a run: the CSV file and both logs closed, the closing record written first. Every
// way out of a run that plays on (quit at the prompt or in the window, the window's close button)
// goes through it.
void clore_sorties();
