// The links the program's top makes between the layers below it: the console's interpreter and
// the window's keys reach the loop flags, and the interpreter the window's settings, only
// through the hooks installed here.
#pragma once

// Installs the interpreter's and the window's hooks. main does it first of all, in text mode as
// well; the reset of the program does it again.
void installer_liens();
