// Starting the toolkit around a piece of code: the program's entry and the
// tests that need a display use it.
#pragma once

#include <functional>

// Initialises the toolkit, runs `body` as the application's run step and
// returns its result after cleaning the toolkit up.
int AfxRunToolkit(int argc, char** argv, std::function<int()> body);
