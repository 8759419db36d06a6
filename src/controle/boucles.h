// The console loop.
#pragma once

// Prompts, reads and interprets lines until a command ends the loop (text mode); in graphics
// mode, interprets at most one line typed in the window per call.
void bcle_princip();
