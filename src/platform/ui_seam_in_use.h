#pragma once

class UiSeam;

// The seam in use: the desktop one unless a test installed its own.
UiSeam& ui_seam();
// nullptr restores the desktop seam. The caller keeps ownership.
void set_ui_seam(UiSeam* seam);
