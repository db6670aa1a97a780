#pragma once

#include <QString>

// data/data.mdb of the program directory.
QString database_path();
// Opens data/data.mdb of the program directory on the main window's connection; a failure is
// reported in a message box and the connection stays closed.
void open_database();
