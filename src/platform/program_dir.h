#pragma once

#include <QString>

// The folder that holds the program file, without a trailing slash. Every path the program
// builds itself starts here, never at the working directory.
QString get_program_dir();

// The program file's own name, without its folder.
QString get_program_file_name();

// Tests point the program at a temporary program directory before anything reads a path.
void set_program_dir(const QString& dir);

// get_program_dir() joined with a relative path such as "config/config.ini".
QString program_path(const QString& relative);
