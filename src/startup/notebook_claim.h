#pragma once

#include <optional>

class SingleProgram;

// How long a start waits for the program that holds the notebook to answer.
inline constexpr int start_wait_ms = 10000;

// Claims the notebook for this start. nullopt: this start goes on. Otherwise the exit status it
// ends with: 0 when the running program came to the front, 1 when that program never answered;
// the user is then told in a message box, and standard error says why.
std::optional<int> claim_notebook(SingleProgram& single_program, int wait_ms = start_wait_ms);
