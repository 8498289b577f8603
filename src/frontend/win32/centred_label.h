// A line of text below the grid: a STATIC control, so that screen readers read it as text, whose
// text is centred across and down its band, wrapped onto more lines when it is too long.
#pragma once

#include "frontend/win32/windows_api.h"

// Its colours come from the parent's WM_CTLCOLORSTATIC, its font from WM_SETFONT, as for any
// STATIC; "&" is a character, not an access key.
HWND NewCentredLabel(HWND parent, const wchar_t* text);
