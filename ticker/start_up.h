#pragma once
// The program's entry procedure.

class Program;

namespace StartUp {
// Creates the settings keys, refuses screens other than small or large fonts, shows the
// ticker and greets a first run.
void Main(Program& program);
}
