#pragma once
// The Symbol Manager over a real stockdata.std, with the ticker's quote host a local test
// server so that a save may restart the ticker.

#include <string>
#include <utility>
#include <vector>

#include "support/ticker_fixture.h"

class SymbolEditor;

class SymbolManagerTest : public TickerTest {
public:
    using Rows = std::vector<std::pair<std::string, std::string>>;

protected:

    // "S1" / "Name 1" ... "Sn" / "Name n".
    static Rows NumberedRows(int count);
    void WriteRows(const Rows& rows) const;
    // Starts the program and shows the Symbol Manager on the file as it stands.
    SymbolEditor& OpenEditor();
    SymbolEditor& editor();
    Rows ListRows();
    std::vector<std::string> ListSymbols();
    Rows FileRows() const;
};
