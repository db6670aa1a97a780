#pragma once

// Start-up: reselects the last category and article and puts the caret back.
void restore_last_position();
