#pragma once

#include "platform/colorref.h"

// The colour dialog, owned by the editor, with 16 custom colours made for this call. 1 and the
// chosen colour in colour when the user confirms; 0, colour untouched, when cancelled.
int pick_colour(Colorref& colour);
