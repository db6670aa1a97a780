#pragma once

// Rebuilds the main window's category selector after a change in the category manager and puts
// back the category, article and caret that were current there, or empties the editor when that
// category is gone under its name.
void refresh_after_category_change();
