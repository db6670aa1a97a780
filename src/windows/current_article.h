#pragma once

#include <QString>

// What the main window shows as current; an article is found by this pair.

// The text of the category selector's selected item; "" while none is selected.
QString current_category();
// The text of the article list's current row; "" while no row is current.
QString current_title();
