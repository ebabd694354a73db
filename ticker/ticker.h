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
    int16_t OriginalTop = 0;
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

    // Handlers.
    void Timer2_Timer();
    void Label1_DblClick();
    void qCurrentStock_DblClick();
    void inetQuotes_StateChanged(int16_t state);
    void TickerResizer_ResizeError(int32_t ErrCode, const std::string& ErrDesc);

protected:
    void InitializeComponent() override;
    void Form_Load() override;

private:
    void DesignPictures();
    void DesignLabels();
    void TogglePause();
    void MakeBorderless();
    void ApplyLargeFontPictures();
    void ApplyLargeSize();
    std::string Stored(const char* name) const;

    Program& program_;
    std::unique_ptr<Resizer> TickerResizer;
    int TickCount = 0;
};
