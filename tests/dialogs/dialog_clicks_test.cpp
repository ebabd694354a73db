// Every dialog's buttons and options, pressed with the real mouse (or Enter), do what the
// dialog promises: one row a dialog and a control.
#include <QTest>

#include "charts/charts.h"
#include "charts/new_chart_symbol.h"
#include "charts/symbol_lookup.h"
#include "dialogs/about.h"
#include "dialogs/frm_welcome.h"
#include "dialogs/update_available.h"
#include "dialogs/update_checker.h"
#include "settings/get_string.h"
#include "settings/registry2.h"
#include "support/maker_fixture.h"
#include "support/mouse_events.h"
#include "symbols/new_symbol.h"
#include "symbols/symbol_editor.h"
#include "symbols/symbol_properties.h"
#include "ticker/config.h"
#include "ticker/ticker.h"

namespace {

class DialogClicksTest;

enum class By { Mouse, EnterWithFocus };

struct DialogClick {
    const char* name;
    Form& (*open)(DialogClicksTest& test);  // shows the dialog with what the user typed
    const char* control;
    int index;  // in a control array, else -1
    By by;
    void (*check)(DialogClicksTest& test, Form& dialog);
};

void PrintTo(const DialogClick& row, std::ostream* out) { *out << row.name; }

class DialogClicksTest : public MakerTest, public ::testing::WithParamInterface<DialogClick> {
public:
    DialogClicksTest() {
        // Every host is the test server, the chart hosts too.
        const std::string host = ServerHost();
        WriteProgramFile("vesk-ticker.conf",
                         "[Hosts]\nQuoteHost=" + host + "\nChartHostA=" + host +
                             "\nChartHostB=" + host + "\nMakerHost=" + host +
                             "\nMakerWebHost=" + host + "\n");
        SetVersionFile("4.01\r\n");
    }

    Program& Running() {
        ShowTicker();
        return program();
    }
    SymbolEditor& Editor() {
        Running().symbolEditor().Show();
        return program().symbolEditor();
    }
    // Typed into the box with the keyboard, over what it held.
    static void Type(TextBox& box, const char* text) {
        box.Widget()->setFocus();
        QTest::keyClick(box.Widget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box.Widget(), text);
    }
    std::string Stored(const char* name) {
        return GetString::GetStringValue(runtime(), HKEY_CURRENT_USER, Registry2::kMainKey, name);
    }
    std::vector<std::string> EditorSymbols() {
        std::vector<std::string> symbols;
        ListItemCollection& rows = program().symbolEditor().ListView1.ListItems;
        for (int i = 1; i <= rows.Count(); ++i) symbols.push_back(rows.item(i).Text());
        return symbols;
    }
    using MakerTest::ServerHost;
    using TickerTest::desktop;
    using TickerTest::program;
    using TickerTest::ReadProgramFile;
    using TickerTest::runtime;
};

using Texts = std::vector<std::string>;

Control& Named(Form& form, const std::string& name, int index) {
    for (Control* control : form.Controls())
        if (control->Name() == name && control->Index() == index) return *control;
    ADD_FAILURE() << "no control " << name;
    return *form.Controls().front();
}

// ---- the dialogs, opened as the user would find them ------------------------------------

Form& OpenConfig(DialogClicksTest& t) {
    Config& config = t.Running().config();
    config.Show();
    DialogClicksTest::Type(config.txtSeconds, "5");
    return config;
}

Form& OpenEditorWithAnAddedRow(DialogClicksTest& t) {
    SymbolEditor& editor = t.Editor();
    editor.DJIAMenuItem_Click();
    t.desktop.answers = {MsgBox::vbYes};
    return editor;
}

Form& OpenNewSymbol(DialogClicksTest& t) {
    t.Editor().AddSymbolMenuItem_Click();
    NewSymbol& dialog = t.program().newSymbol();
    DialogClicksTest::Type(dialog.txtTickerSymbol, "dell");
    DialogClicksTest::Type(dialog.txtSymbolName, "Dell Computer");
    return dialog;
}

Form& OpenSymbolProperties(DialogClicksTest& t) {
    SymbolEditor& editor = t.Editor();
    editor.ListView1.setSelectedItem(&editor.ListView1.ListItems.item(2));
    editor.PropertiesMenuItem_Click();
    SymbolProperties& dialog = t.program().symbolProperties();
    DialogClicksTest::Type(dialog.txtTickerSymbol, "msft.o");
    return dialog;
}

Form& OpenNewChartSymbol(DialogClicksTest& t) {
    t.Running().charts().Show();
    t.program().charts().picSymbol_Click();
    NewChartSymbol& dialog = t.program().newChartSymbol();
    DialogClicksTest::Type(dialog.txtTickerSymbol, "aapl");
    return dialog;
}

Form& OpenSymbolLookup(DialogClicksTest& t) {
    SymbolLookup& lookup = t.Running().symbolLookup();
    lookup.Show();
    DialogClicksTest::Type(lookup.Text1, "big blue");
    return lookup;
}

// A window that the running program shows as it is.
template <auto window>
Form& Open(DialogClicksTest& t) {
    Form& form = (t.Running().*window)();
    form.Show();
    return form;
}

// ---- what each press must have done -------------------------------------------------------

void ChoseTheLargeTicker(DialogClicksTest& t, Form& dialog) {
    Config& config = static_cast<Config&>(dialog);
    EXPECT_TRUE(config.optTickerSize[1].Value());
    EXPECT_FALSE(config.optTickerSize[0].Value());
    EXPECT_TRUE(config.Loaded());
    EXPECT_EQ(t.Stored("Size"), "Standard");  // nothing stored before OK
}

void StoredTheSettingsAndRestartedTheTicker(DialogClicksTest& t, Form& dialog) {
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_FALSE(t.program().config().CL);
    EXPECT_EQ(t.Stored("Interval"), "5");
    EXPECT_TRUE(t.program().ticker().Visible());
    EXPECT_EQ(t.program().ticker().Interval, 5);
}

void StoredNothing(DialogClicksTest& t, Form& dialog) {
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_FALSE(t.program().config().CL);
    EXPECT_EQ(t.Stored("Interval"), "10");
}

void SavedTheRows(DialogClicksTest& t, Form& dialog) {
    EXPECT_FALSE(dialog.Loaded());
    ASSERT_EQ(t.desktop.boxes.size(), 1u);
    EXPECT_EQ(t.desktop.boxes[0].text, "Save changes?");
    EXPECT_EQ(t.ReadProgramFile("stockdata.std").size(), 3 * 50u);
    EXPECT_TRUE(t.program().ticker().Visible());
}

void DiscardedTheRows(DialogClicksTest& t, Form& dialog) {
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_TRUE(t.desktop.boxes.empty());
    EXPECT_EQ(t.ReadProgramFile("stockdata.std").size(), 2 * 50u);
}

void AddedTheSymbol(DialogClicksTest& t, Form& dialog) {
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(t.EditorSymbols(), (Texts{"IBM", "MSFT", "dell"}));
    EXPECT_EQ(t.program().symbolEditor().ListView1.ListItems.item(3).ListSubItems.item(1).Text(),
              "Dell Computer");
}

void EditedTheSelectedRow(DialogClicksTest& t, Form& dialog) {
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(t.EditorSymbols(), (Texts{"IBM", "msft.o"}));
}

void LeftTheRowsAlone(DialogClicksTest& t, Form& dialog) {
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(t.EditorSymbols(), (Texts{"IBM", "MSFT"}));
}

void ChartsTheNewSymbol(DialogClicksTest& t, Form& dialog) {
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(t.program().charts().lblSymbol.Caption(), "AAPL");
}

void KeptTheChartSymbol(DialogClicksTest& t, Form& dialog) {
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(t.program().charts().lblSymbol.Caption(), "IBM");
}

void OpenedTheLookupPage(DialogClicksTest& t, Form& dialog) {
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(t.desktop.urls, Texts{"http://" + t.ServerHost() + "/l?s=big+blue"});
}

void OfferedTheNewVersion(DialogClicksTest& t, Form& dialog) {
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_TRUE(t.program().updateAvailable().Visible());
    EXPECT_FALSE(t.program().config().CL);
}

void ClosedAndLetTheTickerRefresh(DialogClicksTest& t, Form& dialog) {
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_FALSE(t.program().config().CL);
}

void OpenedTheWebSite(DialogClicksTest& t, Form& dialog) {
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(t.desktop.urls, Texts{"http://" + t.ServerHost()});
}

void ClosedOpeningNothing(DialogClicksTest& t, Form& dialog) {
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_TRUE(t.desktop.urls.empty());
}

const DialogClick kClicks[] = {
    {"ConfigLargeTicker", OpenConfig, "optTickerSize", 1, By::Mouse, ChoseTheLargeTicker},
    {"ConfigOk", OpenConfig, "Command1", -1, By::Mouse, StoredTheSettingsAndRestartedTheTicker},
    {"ConfigCancel", OpenConfig, "Command2", -1, By::Mouse, StoredNothing},
    {"ConfigCancelByEnter", OpenConfig, "Command2", -1, By::EnterWithFocus, StoredNothing},
    {"SymbolManagerOk", OpenEditorWithAnAddedRow, "cmdOK", -1, By::Mouse, SavedTheRows},
    {"SymbolManagerCancel", OpenEditorWithAnAddedRow, "cmdCancel", -1, By::Mouse, DiscardedTheRows},
    {"NewSymbolOk", OpenNewSymbol, "cmdOK", -1, By::Mouse, AddedTheSymbol},
    {"NewSymbolCancel", OpenNewSymbol, "cmdCancel", -1, By::Mouse, LeftTheRowsAlone},
    {"SymbolPropertiesOk", OpenSymbolProperties, "cmdOK", -1, By::Mouse, EditedTheSelectedRow},
    {"SymbolPropertiesCancel", OpenSymbolProperties, "cmdCancel", -1, By::Mouse, LeftTheRowsAlone},
    {"NewChartSymbolOk", OpenNewChartSymbol, "cmdOK", -1, By::Mouse, ChartsTheNewSymbol},
    {"NewChartSymbolCancel", OpenNewChartSymbol, "cmdCancel", -1, By::Mouse, KeptTheChartSymbol},
    {"SymbolLookupSearch", OpenSymbolLookup, "Command1", -1, By::Mouse, OpenedTheLookupPage},
    {"UpdateCheck", Open<&Program::updateChecker>, "cmdCheck", -1, By::Mouse, OfferedTheNewVersion},
    {"UpdateCheckClose", Open<&Program::updateChecker>, "cmdClose", -1, By::Mouse,
     ClosedAndLetTheTickerRefresh},
    {"UpdateOfferGo", Open<&Program::updateAvailable>, "Command1", -1, By::Mouse, OpenedTheWebSite},
    {"UpdateOfferCancel", Open<&Program::updateAvailable>, "Command2", -1, By::Mouse,
     ClosedOpeningNothing},
    {"AboutOk", Open<&Program::about>, "Command1", -1, By::Mouse, ClosedOpeningNothing},
    {"WelcomeOk", Open<&Program::frmWelcome>, "cmdOK", -1, By::Mouse, ClosedOpeningNothing},
};

TEST_P(DialogClicksTest, ThePressDoesWhatTheDialogPromises) {
    const DialogClick& row = GetParam();
    Form& dialog = row.open(*this);
    ASSERT_TRUE(dialog.Visible());
    QWidget* widget = Named(dialog, row.control, row.index).Widget();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(widget->window()));
    if (row.by == By::Mouse) {
        Click(widget);
    } else {
        widget->setFocus();
        TypeKey(widget, Qt::Key_Return);
    }
    row.check(*this, dialog);
}

INSTANTIATE_TEST_SUITE_P(EveryDialog, DialogClicksTest, ::testing::ValuesIn(kClicks),
                         [](const ::testing::TestParamInfo<DialogClick>& row) {
                             return std::string(row.param.name);
                         });

}  // namespace
