#include "support/symbol_manager_fixture.h"

#include "settings/stock_record.h"
#include "symbols/symbol_editor.h"

SymbolManagerTest::Rows SymbolManagerTest::NumberedRows(int count) {
    Rows rows;
    for (int i = 1; i <= count; ++i) rows.emplace_back("S" + std::to_string(i), "Name " + std::to_string(i));
    return rows;
}

void SymbolManagerTest::WriteRows(const Rows& rows) const {
    std::string bytes;
    for (const auto& [symbol, name] : rows) {
        StockRecord record = StockRecord::From(symbol, name);
        bytes.append(record.bytes.data(), record.bytes.size());
    }
    WriteProgramFile("stockdata.std", bytes);
}

SymbolEditor& SymbolManagerTest::OpenEditor() {
    Start();
    editor().Show();
    return editor();
}

SymbolEditor& SymbolManagerTest::editor() { return program().symbolEditor(); }

SymbolManagerTest::Rows SymbolManagerTest::ListRows() {
    Rows rows;
    ListItemCollection& items = editor().ListView1.ListItems;
    for (int i = 1; i <= items.Count(); ++i)
        rows.emplace_back(items.item(i).Text(), items.item(i).ListSubItems.item(1).Text());
    return rows;
}

std::vector<std::string> SymbolManagerTest::ListSymbols() {
    std::vector<std::string> symbols;
    for (const auto& row : ListRows()) symbols.push_back(row.first);
    return symbols;
}

SymbolManagerTest::Rows SymbolManagerTest::FileRows() const {
    std::string bytes = ReadProgramFile("stockdata.std");
    Rows rows;
    for (size_t at = 0; at + StockRecord::kLength <= bytes.size(); at += StockRecord::kLength) {
        StockRecord record;
        std::copy_n(bytes.begin() + long(at), StockRecord::kLength, record.bytes.begin());
        rows.emplace_back(record.TickerSymbol(), record.SymbolName());
    }
    return rows;
}
