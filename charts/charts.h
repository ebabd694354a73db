#pragma once
// The chart browser: a borderless, skinned window that shows the price chart of one
// symbol over one period, downloads a new one only when asked, keeps the last one in
// chart.gif, and docks to the ticker.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/form.h"
#include "platform/gif_view.h"
#include "platform/inet.h"
#include "platform/label.h"
#include "platform/menu.h"
#include "platform/picture_box.h"

class Program;

class Charts : public Form {
public:
    explicit Charts(Program& program);

    // Public variables: the grab point of a drag by picTop (twips, in picTop's
    // coordinates), and a docked flag that nothing sets: it is what the window saves.
    int16_t FormPosX = 0, FormPosY = 0;
    bool Docked = false;

    // Declared in drawing order: the chart frame first, the skin over it, then what lies
    // on the skin.
    PictureBox picCharts{*this, "picCharts"};
    GifView gifCharts{*this, "gifCharts"};
    Label lblLoading{*this, "lblLoading"};
    PictureBox picTop{*this, "picTop"}, picLeft{*this, "picLeft"}, picRight{*this, "picRight"},
        picBottom{*this, "picBottom"};
    PictureBox picExit{*this, "picExit"};
    PictureBox picSymbol{*this, "picSymbol"}, picChartType{*this, "picChartType"},
        picUpdate{*this, "picUpdate"};
    Label lblSymbol{*this, "lblSymbol"}, lblChartType{*this, "lblChartType"};
    // Hidden holders of the buttons' released and pressed pictures.
    PictureBox picSymbolUp{*this, "picSymbolUp"}, picSymbolDown{*this, "picSymbolDown"},
        picChartTypeUp{*this, "picChartTypeUp"}, picChartTypeDown{*this, "picChartTypeDown"},
        picUpdateUp{*this, "picUpdateUp"}, picUpdateDown{*this, "picUpdateDown"};
    Inet inetCharts;

    Menu mnuChartType{*this, "mnuChartType", "ChartType"};
    Menu mnu1Day{mnuChartType, "mnu1Day", "1 Day"};
    Menu mnu5Day{mnuChartType, "mnu5Day", "5 Day"};
    Menu MenuDivider{mnuChartType, "MenuDivider", "-"};
    Menu mnu1Year{mnuChartType, "mnu1Year", "1 Year"};

    // Raised by key releases that reach the window itself.
    KeyHandler OnKeyUp;

    // Handlers.
    void picExit_Click();
    void picUpdate_Click();
    void picChartType_Click();
    void picSymbol_Click();
    void lblSymbol_MouseDown(int button, int shift, float x, float y);
    void picTop_MouseDown(int button, int shift, float x, float y);
    void picTop_MouseMove(int button, int shift, float x, float y);
    void picTop_MouseUp(int button, int shift, float x, float y);
    // Enter released on the window or on any of its skin pictures updates the chart.
    void KeyUp(int& keyCode, int shift);

    // The full path of the cached chart.
    std::string ChartFile() const;

protected:
    void InitializeComponent() override;
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void Form_Terminate() override;

private:
    void DesignSkin();
    void WireButton(PictureBox& button, PictureBox& up, PictureBox& down);
    void ApplyLargeFontLayout();
    void SpanLabelWells();
    std::string Stored(const char* name) const;
    void PlaceFromStoredPosition();
    void PlaceDockedToTicker();
    void FitDockedPairIntoWorkArea();
    void Save(bool withDocked);
    void StoreChart();

    Program& program_;
    std::vector<uint8_t> ChartBytes;
    bool everLoaded_ = false;
};
