#include "symbols/insert_symbol_row.h"

#include "platform/runtime.h"
#include "symbols/symbol_editor.h"

void InsertSymbolRow(SymbolEditor& editor, const std::string& symbol, const std::string& name) {
    ListView& list = editor.ListView1;
    ListItemCollection& items = list.ListItems;
    if (items.Count() >= SymbolEditor::kMaxRows) {
        editor.runtime().MsgBox("The symbol list is full: it holds at most 32,767 symbols.",
                                MsgBox::vbExclamation);
        return;
    }
    int selected = 0;
    for (int i = 1; i <= items.Count(); ++i) selected += items.item(i).Selected() ? 1 : 0;
    int position = selected == 0 ? items.Count() + 1 : list.SelectedItem()->Index() + 1;
    ListItem& row = items.Add(position, symbol);
    row.ListSubItems.Add(name);
    list.setSelectedItem(&row);
    if (items.Count() == 1) editor.UpdateMaxItemsPerView();
}
