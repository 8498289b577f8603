// The Windows API as the front end includes it. <windows.h> names its functions' text variants
// through macros; MessageBox would also rename the boxes' operation of the game logic.
#pragma once

#include <windows.h>

#undef MessageBox
