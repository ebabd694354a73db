#pragma once
// The program's entry: makes the application object with Qt's own high-DPI scaling off
// (the system adapts to the screen itself), works out the folders, hands a runtime to
// run, which starts the system and runs the message loop, and returns its exit code.

#include <functional>

class Runtime;

int RunProgram(int argc, char** argv, const std::function<int(Runtime&)>& run);
