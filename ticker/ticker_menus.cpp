// The ticker's two popup menus, its skin buttons and the research pages.

#include "charts/charts.h"
#include "dialogs/about.h"
#include "dialogs/update_checker.h"
#include "platform/runtime.h"
#include "platform/text_case.h"
#include "platform/user32.h"
#include "ticker/config.h"
#include "symbols/symbol_editor.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace {
constexpr int kRightButton = 2;
}

void Ticker::WireMenus() {
    picOptions.OnMouseDown = [this](int b, int s, float x, float y) { picOptions_MouseDown(b, s, x, y); };
    qCurrentStock.OnMouseDown = [this](int b, int s, float x, float y) {
        qCurrentStock_MouseDown(b, s, x, y);
    };
    picChart.OnClick = [this] { picChart_Click(); };
    picSymbolEditor.OnClick = [this] { picSymbolEditor_Click(); };
    ChartBrowserMenuItem.OnClick = [this] { ChartBrowserMenuItem_Click(); };
    SymbolManagerMenuItem.OnClick = [this] { SymbolManagerMenuItem_Click(); };
    AlwaysOnTopMenuItem.OnClick = [this] { AlwaysOnTopMenuItem_Click(); };
    PauseMenuItem.OnClick = [this] { PauseMenuItem_Click(); };
    ExitMenuItem.OnClick = [this] { ExitMenuItem_Click(); };
    picExit.OnMouseUp = [this](int b, int s, float x, float y) { picExit_MouseUp(b, s, x, y); };
    AboutMenuItem.OnClick = [this] { program_.about().Show(); };
    ConfiguartionMenuItem.OnClick = [this] { program_.config().Show(); };
    CheckforUpdatesMenuItem.OnClick = [this] { program_.updateChecker().Show(); };

    const ServiceHosts& hosts = program_.hosts;
    auto page = [this](Menu& item, const std::string& host, std::function<std::string()> path) {
        item.OnClick = [this, &host, path] { OpenResearchPage(host, path()); };
    };
    auto first = [this] { return FirstCharacter(InfoStock); };
    auto chart = [this](const char* period) {
        return [this, period] { return "/q?s=" + InfoStock + "&d=" + period; };
    };
    page(NewsMenuItem, hosts.ResearchHost, [=, this] { return "/n/" + first() + "/" + InfoStock + ".html"; });
    page(SOneDayMenuItem, hosts.ChartPageHost, chart("1b"));
    page(SFiveDayMenuItem, hosts.ChartPageHost, chart("2b"));
    page(SOneYearMenuItem, hosts.ChartPageHost, chart("0b"));
    page(LOneDayMenuItem, hosts.ChartPageHost, chart("1d"));
    page(LFiveDayMenuItem, hosts.ChartPageHost, chart("5d"));
    page(LThreeMonthMenuItem, hosts.ChartPageHost, chart("3m"));
    page(LOneYearMenuItem, hosts.ChartPageHost, chart("1y"));
    page(LTwoYearMenuITem, hosts.ChartPageHost, chart("2y"));
    page(LFiveYearMenuITem, hosts.ChartPageHost, chart("5y"));
    page(MessageBoardMenuItem, hosts.MessageBoardHost, [this] { return "/?action=q&board=" + InfoStock; });
    page(CompanyProfileMenuItem, hosts.ResearchHost,
         [=, this] { return "/p/" + first() + "/" + InfoStock + ".html"; });
    page(SECMenuItem, hosts.ResearchHost, [=, this] { return "/e/l/" + first() + "/" + InfoStock + ".html"; });
    page(ResearchMenuItem, hosts.ResearchHost,
         [=, this] { return "/z/a/" + first() + "/" + InfoStock + ".html"; });
    page(InsiderMenuItem, hosts.ResearchHost, [=, this] { return "/t/" + first() + "/" + InfoStock + ".html"; });
}

// The symbol goes into the address exactly as shown, spaces and all.
void Ticker::OpenResearchPage(const std::string& host, const std::string& path) {
    runtime().user32().ShellExecuteA(hWnd(), "open", "http://" + host + path, "", "",
                                     SW_SHOWNORMAL);
}

void Ticker::picOptions_MouseDown(int, int, float, float) {
    PauseMenuItem.setCaption(Pause ? "&Resume" : "&Pause");
    AlwaysOnTopMenuItem.setChecked(!AlwaysOnTop);
    ChartBrowserMenuItem.setChecked(isLoaded(program_.charts()));
    SymbolManagerMenuItem.setChecked(isLoaded(program_.symbolEditor()));
    PopupMenu(PMenu);
}

void Ticker::Label1_MouseDown(int button, int, float x, float y) {
    if (button == kRightButton) {
        InfoStock = Label1.Caption();
        PopupMenu(ResearchMenu);
        return;
    }
    LabelMouseDown(Label1, button, x, y);
}

void Ticker::qCurrentStock_MouseDown(int button, int, float, float) {
    if (button != kRightButton) return;
    InfoStock = qCurrentStock.Caption();
    PopupMenu(ResearchMenu);
}

void Ticker::picChart_Click() { program_.charts().Show(); }

void Ticker::picSymbolEditor_Click() { program_.symbolEditor().Show(); }

// The check mark was set from the window's loaded state just before the menu popped up.
void Ticker::ChartBrowserMenuItem_Click() {
    if (ChartBrowserMenuItem.Checked()) {
        program_.charts().Unload();
        ChartBrowserMenuItem.setChecked(false);
    } else {
        program_.charts().Show();
        ChartBrowserMenuItem.setChecked(true);
    }
}

void Ticker::SymbolManagerMenuItem_Click() {
    if (SymbolManagerMenuItem.Checked()) {
        program_.symbolEditor().Unload();
        SymbolManagerMenuItem.setChecked(false);
    } else {
        program_.symbolEditor().Show();
        SymbolManagerMenuItem.setChecked(true);
    }
}

void Ticker::AlwaysOnTopMenuItem_Click() {
    User32& user32 = runtime().user32();
    user32.SetWindowPos(hWnd(), AlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                        SWP_NOSIZE | SWP_NOMOVE);
    AlwaysOnTop = !AlwaysOnTop;
}

void Ticker::PauseMenuItem_Click() { TogglePause(); }
