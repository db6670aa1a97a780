#pragma once

// Start-up step: brings back the stored skin, its effects and the transparency. A stored skin file
// that does not attach gives way to built-in skin 2.
void apply_saved_appearance();
