#pragma once
// The Symbol Manager: the whole symbol list in a two-column list view, where the user adds,
// edits, deletes and reorders rows; only a save writes them back to stockdata.std, in row
// order, and restarts the ticker on the new list.

#include <cstdint>
#include <string>

#include "platform/command_button.h"
#include "platform/form.h"
#include "platform/list_view.h"
#include "platform/menu.h"
#include "platform/picture_box.h"
#include "symbols/subclass.h"

class Program;

class SymbolEditor : public Form {
public:
    // The list counts its rows in 16 bits.
    static constexpr int32_t kMaxRows = 32767;

    explicit SymbolEditor(Program& program);

    // Public variables.
    std::string LastItemIndex;  // a row index as text, during a row drag
    std::string RoundNumber;    // rows per view as text, followed by "."
    int16_t MaxItemsPerView = 0;

    Program& program() const { return program_; }

    ListView ListView1{*this, "ListView1"};
    CommandButton cmdOK{*this, "cmdOK"};
    CommandButton cmdCancel{*this, "cmdCancel"};
    PictureBox Picture1{*this, "Picture1"};  // holds the drag pointer, outside the client area
    Subclass Subclass1;

    Menu FileMenu{*this, "FileMenu", "&File"};
    Menu SaveMenuItem{FileMenu, "SaveMenuItem", "&Save"};
    Menu MenuDivider5{FileMenu, "MenuDivider5", "-"};
    Menu ExitMenuItem{FileMenu, "ExitMenuItem", "E&xit"};

    Menu EditorMenu{*this, "EditorMenu", "Editor Menu"};
    Menu AddSymbolMenuItem{EditorMenu, "AddSymbolMenuItem", "&Add Symbol..."};
    Menu AddIndexMenuItem{EditorMenu, "AddIndexMenuItem", "Add &Index"};
    Menu DJIAMenuItem{AddIndexMenuItem, "DJIAMenuItem", "D&JIA"};
    Menu NASDAQMenuItem{AddIndexMenuItem, "NASDAQMenuItem", "&NASDAQ"};
    Menu SP500MenuItem{AddIndexMenuItem, "SP500MenuItem", "&S && P 500"};
    Menu Bond30YearMenuItem{AddIndexMenuItem, "Bond30YearMenuItem", "30 Year &Bond"};
    Menu MenuDivider1{EditorMenu, "MenuDivider1", "-"};
    Menu DeleteSymbolMenuItem{EditorMenu, "DeleteSymbolMenuItem", "&Delete Symbol"};
    Menu MenuDivider2{EditorMenu, "MenuDivider2", "-"};
    Menu PropertiesMenuItem{EditorMenu, "PropertiesMenuItem", "&Properties..."};

    Menu SymbolMenu{*this, "SymbolMenu", "S&ymbol"};
    Menu AddSymbolMenuItem2{SymbolMenu, "AddSymbolMenuItem2", "&Add Symbol..."};
    Menu AddIndexMenuItem2{SymbolMenu, "AddIndexMenuItem2", "Add &Index"};
    Menu DJIAMenuItem2{AddIndexMenuItem2, "DJIAMenuItem2", "D&JIA"};
    Menu NASDAQMenuItem2{AddIndexMenuItem2, "NASDAQMenuItem2", "&NASDAQ"};
    Menu SP500MenuItem2{AddIndexMenuItem2, "SP500MenuItem2", "&S && P 500"};
    Menu Bond30YearMenuItem2{AddIndexMenuItem2, "Bond30YearMenuItem2", "30 Year &Bond"};
    Menu MenuDivider3{SymbolMenu, "MenuDivider3", "-"};
    Menu DeleteSymbolMenuItem2{SymbolMenu, "DeleteSymbolMenuItem2", "&Delete Symbol"};
    Menu MenuDivider4{SymbolMenu, "MenuDivider4", "-"};
    Menu PropertiesMenuItem2{SymbolMenu, "PropertiesMenuItem2", "&Properties..."};

    void UpdateMaxItemsPerView();
    // Writes the rows into stockdata.std; false when the file keeps its old list.
    bool RewriteSymbolFile();

    // Handlers.
    void cmdOK_Click();
    void cmdCancel_Click();
    void SaveMenuItem_Click();
    void ExitMenuItem_Click();
    void DeleteSymbolMenuItem_Click();
    void AddSymbolMenuItem_Click();
    void PropertiesMenuItem_Click();
    void DJIAMenuItem_Click();
    void NASDAQMenuItem_Click();
    void SP500MenuItem_Click();
    void Bond30YearMenuItem_Click();
    void SymbolMenu_Click();
    void ListView1_MouseDown(int Button, int Shift, float x, float y);
    void ListView1_MouseMove(int Button, int Shift, float x, float y);
    void ListView1_DragOver(Control& Source, float x, float y, int State);
    void ListView1_DragDrop(Control& Source, float x, float y);
    void ListView1_ItemClick(ListItem& Item);
    void ListView1_KeyUp(int& KeyCode, int Shift);
    void ListView1_DblClick();
    void Subclass1_WndProc(uint32_t& Msg, WPARAM& wParam, LPARAM& lParam, LRESULT& Result);

protected:
    void InitializeComponent() override;
    void Form_Load() override;

private:
    struct SelectionScan {
        int count = 0;
        int last = 0;  // index of the last selected row, 0 when none
    };
    // Walks the rows in order; with makeSelected every selected row found becomes the
    // SelectedItem in turn.
    SelectionScan ScanSelectedRows(bool makeSelected);
    void MoveDraggedRow(int dragged, int towards);
    // A list cut short at loading may not be saved: the rest of the file would be lost.
    bool RefuseShortSave();
    std::string ShortListText() const;
    void WireEvents();

    Program& program_;
    bool Dragging = false;
    float HoverY = 0;
    int32_t symbolsInFile_ = 0;  // records of the file at loading
};
