#include "symbols/symbol_editor.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/core/conversions.h"
#include "platform/runtime.h"
#include "settings/always_on_top.h"
#include "settings/dpi.h"
#include "symbols/insert_symbol_row.h"
#include "symbols/new_symbol.h"
#include "symbols/symbol_properties.h"
#include "ticker/program.h"

SymbolEditor::SymbolEditor(Program& program)
    : Form(program.runtime, "SymbolEditor"),
      Subclass1(*this, "Subclass1", program.winProc),
      program_(program) {
    WireEvents();
}

void SymbolEditor::WireEvents() {
    cmdOK.OnClick = [this] { cmdOK_Click(); };
    cmdCancel.OnClick = [this] { cmdCancel_Click(); };
    SaveMenuItem.OnClick = [this] { SaveMenuItem_Click(); };
    ExitMenuItem.OnClick = [this] { ExitMenuItem_Click(); };
    SymbolMenu.OnClick = [this] { SymbolMenu_Click(); };
    // Each item of the menu bar's Symbol menu runs its popup twin.
    auto twins = [](Menu& popup, Menu& bar, std::function<void()> handler) {
        popup.OnClick = handler;
        bar.OnClick = handler;
    };
    twins(AddSymbolMenuItem, AddSymbolMenuItem2, [this] { AddSymbolMenuItem_Click(); });
    twins(DJIAMenuItem, DJIAMenuItem2, [this] { DJIAMenuItem_Click(); });
    twins(NASDAQMenuItem, NASDAQMenuItem2, [this] { NASDAQMenuItem_Click(); });
    twins(SP500MenuItem, SP500MenuItem2, [this] { SP500MenuItem_Click(); });
    twins(Bond30YearMenuItem, Bond30YearMenuItem2, [this] { Bond30YearMenuItem_Click(); });
    twins(DeleteSymbolMenuItem, DeleteSymbolMenuItem2, [this] { DeleteSymbolMenuItem_Click(); });
    twins(PropertiesMenuItem, PropertiesMenuItem2, [this] { PropertiesMenuItem_Click(); });

    ListView1.OnMouseDown = [this](int b, int s, float x, float y) { ListView1_MouseDown(b, s, x, y); };
    ListView1.OnMouseMove = [this](int b, int s, float x, float y) { ListView1_MouseMove(b, s, x, y); };
    ListView1.OnDragOver = [this](Control& source, float x, float y, int state) {
        ListView1_DragOver(source, x, y, state);
    };
    ListView1.OnDragDrop = [this](Control& source, float x, float y) { ListView1_DragDrop(source, x, y); };
    ListView1.OnItemClick = [this](ListItem& item) { ListView1_ItemClick(item); };
    ListView1.OnKeyUp = [this](int& key, int shift) { ListView1_KeyUp(key, shift); };
    ListView1.OnDblClick = [this] { ListView1_DblClick(); };
    Subclass1.OnWndProc = [this](uint32_t& m, WPARAM& w, LPARAM& l, LRESULT& result) {
        Subclass1_WndProc(m, w, l, result);
    };
}

void SymbolEditor::InitializeComponent() {
    borderStyle = BorderStyle::FixedSingle;
    startUpPosition = StartUpPosition::CenterScreen;
    showInTaskbar = true;
    icon = Picture::Load(":/skins/app/icon.png");
    setCaption("Vesk Ticker - Symbol Manager");
    setWidth(4875);
    setHeight(4665);
    ListView1.Move(90, 0, 4695, 3945);
    ListView1.ColumnHeaders.Add("Ticker Symbol", 1440);
    ListView1.ColumnHeaders.Add("Symbol Name", 2880);
    cmdOK.Move(2160, 4130, 1280, 375);
    cmdOK.setCaption("OK");
    cmdOK.setDefault(true);
    cmdCancel.Move(3510, 4130, 1280, 375);
    cmdCancel.setCaption("Cancel");
    cmdCancel.setCancel(true);
    Picture1.Move(6480, 720, 540, 540);
    Picture1.setPicture(Picture::Load(":/skins/symbols/dragCursor.png"));
    EditorMenu.setVisible(false);
}

void SymbolEditor::Form_Load() {
    Runtime& rt = runtime();
    Editor& editor = program_.editor;
    rt.files().ChDir(rt.App().Path);
    editor.OpenStockData();
    symbolsInFile_ = editor.EditorRecCount;
    int32_t rows = std::min(editor.EditorRecCount, kMaxRows);
    for (int32_t i = 1; i <= rows; ++i) {
        editor.EditorRecNo = i;
        editor.ReadStockRecord();
        ListItemCollection& items = ListView1.ListItems;
        items.Add(items.Count() + 1, editor.EditorSymbol).ListSubItems.Add(editor.EditorSymbolName);
    }
    if (DPI::GetDPI(rt) == 120) {
        ListView1.setHeight(4010);
        cmdOK.setTop(4160);
        cmdCancel.setTop(4160);
    }
    if (ListView1.ListItems.Count() >= 1) UpdateMaxItemsPerView();
    ListView1.ColumnHeaders.item(1).setWidth(0.3f * ListView1.Width());
    ListView1.ColumnHeaders.item(2).setWidth(0.62f * ListView1.Width());
    AlwaysOnTop::SetAlwaysOnTop(*this);
    Show();
    ListView1.SetFocus();
    Subclass1.setHWnd(ListView1.hWnd());
    Subclass1.setMessages(int32_t(WM_NOTIFY), true);
    if (symbolsInFile_ > kMaxRows) {
        rt.MsgBox(ShortListText() +
                      " Saving is turned off in this window so that none of the others is lost.",
                  MsgBox::vbExclamation);
    }
}

void SymbolEditor::UpdateMaxItemsPerView() {
    ListItem& first = ListView1.ListItems.item(1);
    float q = (ListView1.Height() - first.Top()) / first.Height();
    RoundNumber = SingleToText(q) + ".";
    std::string whole = RoundNumber.substr(0, RoundNumber.find('.'));
    std::optional<float> value = TextToSingle(whole);
    MaxItemsPerView = value ? int16_t(std::trunc(*value)) : 0;
}

void SymbolEditor::cmdCancel_Click() { Unload(); }

void SymbolEditor::ExitMenuItem_Click() { Unload(); }

void SymbolEditor::DeleteSymbolMenuItem_Click() {
    if (ListItem* selected = ListView1.SelectedItem()) ListView1.ListItems.Remove(selected->Index());
}

void SymbolEditor::AddSymbolMenuItem_Click() { program_.newSymbol().Show(); }

void SymbolEditor::PropertiesMenuItem_Click() { program_.symbolProperties().Show(); }

void SymbolEditor::DJIAMenuItem_Click() {
    InsertSymbolRow(*this, "DJIA", "Dow Jones Industrials Average");
}

void SymbolEditor::NASDAQMenuItem_Click() { InsertSymbolRow(*this, "NASDAQ", "NASDAQ Composite"); }

void SymbolEditor::SP500MenuItem_Click() { InsertSymbolRow(*this, "S&P 500", "S&P 500 Index"); }

void SymbolEditor::Bond30YearMenuItem_Click() { InsertSymbolRow(*this, "30YR", "30 Year Bond"); }

void SymbolEditor::SymbolMenu_Click() {
    bool any = ScanSelectedRows(true).count > 0;
    PropertiesMenuItem2.setEnabled(any);
    DeleteSymbolMenuItem2.setEnabled(any);
}

SymbolEditor::SelectionScan SymbolEditor::ScanSelectedRows(bool makeSelected) {
    SelectionScan scan;
    ListItemCollection& items = ListView1.ListItems;
    int rows = items.Count();
    for (int i = 1; i <= rows; ++i) {
        ListItem& row = items.item(i);
        if (!row.Selected()) continue;
        ++scan.count;
        scan.last = row.Index();
        if (makeSelected) ListView1.setSelectedItem(&row);
    }
    return scan;
}
