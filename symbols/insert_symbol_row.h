#pragma once
// The insertion rule the index entries and the New Symbol dialog share.

#include <string>

class SymbolEditor;

// Adds a row right after the selected one, or at the end when none is selected, and
// selects it. The texts go in as they are. A list that already holds as many rows as it
// can count is told so and keeps its rows.
void InsertSymbolRow(SymbolEditor& editor, const std::string& symbol, const std::string& name);
