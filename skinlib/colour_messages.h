#pragma once
#include <windows.h>

#include "theme.h"

namespace skin {

bool IsColourMessage(UINT message);

// A WM_CTLCOLOR* message is answered by the window's own procedure first,
// between these two: what the program chose stays; what it left at the
// system's defaults takes the skin's colours.
void MarkColoursUnset(HDC dc);
HBRUSH CompleteColourAnswer(UINT message, HDC dc, HBRUSH given, const Theme& theme);

}  // namespace skin
