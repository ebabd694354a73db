#pragma once
// The ticker window: a borderless strip drawn by skin pictures that shows one quote at a
// time, in a Shade view (symbol, price, change) or a Full view (seven captioned values),
// in a Standard or a Large size.

#include <memory>
#include <string>

#include "platform/form.h"
#include "platform/inet.h"
#include "platform/label.h"
#include "platform/menu.h"
#include "platform/picture_box.h"
#include "platform/timer.h"
#include "ticker/resizer.h"

class Program;

class Ticker : public Form {
public:
    explicit Ticker(Program& program);

    // Public variables: other windows and modules read and write them; a reload keeps
    // them except where the load sets them anew.
    int16_t Interval = 0;
    bool Pause = false;
    bool DoubleClick = false;
    std::string namecolor, textcolor, positivecolor, negativecolor;
    float FormPosX = 0, FormPosY = 0;
    bool Dock = false;
    int32_t OriginalTop = 0;  // wide: a tall desktop has Tops past 32,767 twips
    std::string InfoStock;
    bool AlwaysOnTop = false;  // true when the window is NOT topmost
    bool FirstQuote = false;

    // True when frm is among the loaded windows (by identity).
    bool isLoaded(const Form& frm) const;

    // The skin and its buttons.
    PictureBox picSkin{*this, "picSkin"};
    PictureBox picWindow{*this, "picWindow"};
    PictureBox picOptions{*this, "picOptions"};
    PictureBox picExit{*this, "picExit"};
    PictureBox picChart{*this, "picChart"};
    PictureBox picSymbolEditor{*this, "picSymbolEditor"};
    // The Shade strip.
    Label Label1{*this, "Label1"}, Label2{*this, "Label2"}, Label3{*this, "Label3"};
    // The Full view: captions and values.
    Label lblCurrentStock{*this, "lblCurrentStock"}, lblLastPrice{*this, "lblLastPrice"},
        lblChange{*this, "lblChange"}, lblOpenPrice{*this, "lblOpenPrice"},
        lblDailyHigh{*this, "lblDailyHigh"}, lblDailyLow{*this, "lblDailyLow"},
        lblVolume{*this, "lblVolume"};
    Label qCurrentStock{*this, "qCurrentStock"}, qLastPrice{*this, "qLastPrice"},
        qChange{*this, "qChange"}, qOpenPrice{*this, "qOpenPrice"}, qDailyHigh{*this, "qDailyHigh"},
        qDailyLow{*this, "qDailyLow"}, qVolume{*this, "qVolume"};
    // Hidden holders of the skin pictures (and their large-font twins).
    PictureBox picDefaultShade{*this, "picDefaultShade"}, picDefaultFull{*this, "picDefaultFull"},
        picDefaultWIndowShade{*this, "picDefaultWIndowShade"},
        picDefaultWindowFull{*this, "picDefaultWindowFull"},
        picDefaultOptions{*this, "picDefaultOptions"}, picDefaultExit{*this, "picDefaultExit"},
        picLargeShade{*this, "picLargeShade"}, picLargeFull{*this, "picLargeFull"},
        picLargeWindowShade{*this, "picLargeWindowShade"},
        picLargeWindowFull{*this, "picLargeWindowFull"}, picLargeOptions{*this, "picLargeOptions"},
        picLargeExit{*this, "picLargeExit"}, picLargeChartBrowser{*this, "picLargeChartBrowser"},
        picLargeSymbolManager{*this, "picLargeSymbolManager"};
    PictureBox picDefaultShadeLargeFont{*this, "picDefaultShadeLargeFont"},
        picDefaultFullLargeFont{*this, "picDefaultFullLargeFont"},
        picDefaultWindowShadeLargeFont{*this, "picDefaultWindowShadeLargeFont"},
        picDefaultWindowFullLargeFont{*this, "picDefaultWindowFullLargeFont"},
        picDefaultOptionsLargeFont{*this, "picDefaultOptionsLargeFont"},
        picDefaultExitLargeFont{*this, "picDefaultExitLargeFont"},
        picChartLargeFont{*this, "picChartLargeFont"},
        picSymbolEditorLargeFont{*this, "picSymbolEditorLargeFont"},
        picLargeShadeLargeFont{*this, "picLargeShadeLargeFont"},
        picLargeFullLargeFont{*this, "picLargeFullLargeFont"},
        picLargeWindowShadeLargeFont{*this, "picLargeWindowShadeLargeFont"},
        picLargeWindowFullLargeFont{*this, "picLargeWindowFullLargeFont"},
        picLargeOptionsLargeFont{*this, "picLargeOptionsLargeFont"},
        picLargeExitLargeFont{*this, "picLargeExitLargeFont"},
        picLargeChartBrowserLargeFont{*this, "picLargeChartBrowserLargeFont"},
        picLargeSymbolManagerLargeFont{*this, "picLargeSymbolManagerLargeFont"};
    Timer Timer2{*this, "Timer2"};
    Inet inetQuotes;

    // The options menu, popped up by picOptions.
    Menu PMenu{*this, "PMenu", "PMenu"};
    Menu AboutMenuItem{PMenu, "AboutMenuItem", "&About Vesk Ticker..."};
    Menu MenuDivider7{PMenu, "MenuDivider7", "-"};
    Menu ConfiguartionMenuItem{PMenu, "ConfiguartionMenuItem", "&Configuation..."};
    Menu CheckforUpdatesMenuItem{PMenu, "CheckforUpdatesMenuItem", "Check For &Updates..."};
    Menu MenuDivider8{PMenu, "MenuDivider8", "-"};
    Menu ChartBrowserMenuItem{PMenu, "ChartBrowserMenuItem", "Chart Browser"};
    Menu SymbolManagerMenuItem{PMenu, "SymbolManagerMenuItem", "Symbol Manager"};
    Menu MenuDivider6{PMenu, "MenuDivider6", "-"};
    Menu AlwaysOnTopMenuItem{PMenu, "AlwaysOnTopMenuItem", "Always On &Top"};
    Menu MenuDivider2{PMenu, "MenuDivider2", "-"};
    Menu PauseMenuItem{PMenu, "PauseMenuItem", "&Pause"};
    Menu MenuDivider{PMenu, "MenuDivider", "-"};
    Menu ExitMenuItem{PMenu, "ExitMenuItem", "E&xit"};

    // The research menu, popped up by a right click on a symbol.
    Menu ResearchMenu{*this, "ResearchMenu", "ResearchMenu"};
    Menu NewsMenuItem{ResearchMenu, "NewsMenuItem", "&News"};
    Menu ChartsMenuItem{ResearchMenu, "ChartsMenuItem", "C&harts"};
    Menu SmallMenuItem{ChartsMenuItem, "SmallMenuItem", "&Small"};
    Menu SOneDayMenuItem{SmallMenuItem, "SOneDayMenuItem", "1 Day"};
    Menu SFiveDayMenuItem{SmallMenuItem, "SFiveDayMenuItem", "5 Day"};
    Menu MenuDivider3{SmallMenuItem, "MenuDivider3", "-"};
    Menu SOneYearMenuItem{SmallMenuItem, "SOneYearMenuItem", "1 Year"};
    Menu LargeMenuItem{ChartsMenuItem, "LargeMenuItem", "&Large"};
    Menu LOneDayMenuItem{LargeMenuItem, "LOneDayMenuItem", "1 Day"};
    Menu LFiveDayMenuItem{LargeMenuItem, "LFiveDayMenuItem", "5 Day"};
    Menu MenuDivider4{LargeMenuItem, "MenuDivider4", "-"};
    Menu LThreeMonthMenuItem{LargeMenuItem, "LThreeMonthMenuItem", "3 Month"};
    Menu MenuDivider5{LargeMenuItem, "MenuDivider5", "-"};
    Menu LOneYearMenuItem{LargeMenuItem, "LOneYearMenuItem", "1 Year"};
    Menu LTwoYearMenuITem{LargeMenuItem, "LTwoYearMenuITem", "2 Year"};
    Menu LFiveYearMenuITem{LargeMenuItem, "LFiveYearMenuITem", "5 Year"};
    Menu MessageBoardMenuItem{ResearchMenu, "MessageBoardMenuItem", "&Message Board"};
    Menu CompanyProfileMenuItem{ResearchMenu, "CompanyProfileMenuItem", "Company &Profile"};
    Menu SECMenuItem{ResearchMenu, "SECMenuItem", "&SEC"};
    Menu ResearchMenuItem{ResearchMenu, "ResearchMenuItem", "&Research"};
    Menu InsiderMenuItem{ResearchMenu, "InsiderMenuItem", "&Insider"};

    // Handlers.
    void picOptions_MouseDown(int button, int shift, float x, float y);
    void Label1_MouseDown(int button, int shift, float x, float y);
    void qCurrentStock_MouseDown(int button, int shift, float x, float y);
    void Form_MouseDown(int button, int shift, float x, float y);
    void Form_MouseMove(int button, int shift, float x, float y);
    void Form_MouseUp(int button, int shift, float x, float y);
    void LabelMouseDown(Label& label, int button, float x, float y);
    void LabelMouseUp(Label& label, int button);
    void picSkin_MouseDown(int button, int shift, float x, float y);
    void picSkin_MouseUp(int button, int shift, float x, float y);
    void picSkin_DblClick();
    void picWindow_Click();
    void picChart_Click();
    void picSymbolEditor_Click();
    void ChartBrowserMenuItem_Click();
    void SymbolManagerMenuItem_Click();
    void AlwaysOnTopMenuItem_Click();
    void PauseMenuItem_Click();
    void ExitMenuItem_Click();
    void picExit_MouseUp(int button, int shift, float x, float y);
    void Timer2_Timer();
    void Label1_DblClick();
    void qCurrentStock_DblClick();
    void inetQuotes_StateChanged(int16_t state);
    void TickerResizer_ResizeError(int32_t ErrCode, const std::string& ErrDesc);

protected:
    void InitializeComponent() override;
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void Form_Terminate() override;

private:
    void DesignPictures();
    void DesignLabels();
    // An empty list has nothing to ask for: its values stay blank.
    bool HasSymbols() const;
    void TogglePause();
    void WireMenus();
    void WireDragging();
    // A left press on one of the drag surfaces: the grab point and the chart offsets.
    void StartDrag(float grabX, float grabY);
    void DragStep(int button);
    void SwitchToFull(float workAreaBottom, bool standard);
    void SwitchToShade(float workAreaBottom, bool standard);
    void ReattachCharts(float previousBottom, bool levelBottomsGuard);
    void SaveWindowState();
    void SaveChartPosition();
    void SaveStateAndCharts();
    // Opens a research page about InfoStock: "http://" host path.
    void OpenResearchPage(const std::string& host, const std::string& path);
    void ApplyLargeFontPictures();
    void ApplyLargeSize();
    void KeepLabelsInTheirSlots(const PictureBox& shadeStrip);
    std::string Stored(const char* name) const;
    double StoredNumber(const char* name) const;

    Program& program_;
    std::unique_ptr<Resizer> TickerResizer;
    int TickCount = 0;
};
