// Switching the ticker between its Shade strip and its Full panel. Growing downwards can
// run past the work area, so the switch to Full moves the window up and remembers where
// it was; the switch back puts it there again. A docked chart window stays attached.

#include <cmath>

#include "docking/show_contents.h"
#include "docking/update_docked.h"
#include "platform/core/conversions.h"
#include "platform/runtime.h"
#include "platform/user32.h"
#include "settings/get_string.h"
#include "settings/registry2.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace {

// The Large size's heights are fixed rather than taken from its pictures.
constexpr float kLargeFullHeight = 2320;
constexpr float kLargeShadeHeight = 280;

bool BottomsLevel(const Form& charts, float tickerBottom) {
    return float(charts.Top() + charts.Height()) == tickerBottom;
}

}  // namespace

void Ticker::picWindow_Click() {
    RECT area{};
    runtime().user32().SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    float workAreaBottom = float(area.bottom) * runtime().TwipsPerPixelY();
    bool toFull = picWindow.Tag() == "Shade";
    bool standard = Stored("Size") == "Standard";
    if (toFull) {
        SwitchToFull(workAreaBottom, standard);
    } else {
        SwitchToShade(workAreaBottom, standard);
    }
}

void Ticker::SwitchToFull(float B, bool standard) {
    float fullHeight = standard ? picDefaultFull.Height() : kLargeFullHeight;
    float previousBottom = Top() + Height();
    if (B <= float(Top() + fullHeight)) {
        OriginalTop = RoundToLong(Top()).value_or(0);
        Dock = true;
    }
    if (standard) picWindow.setPicture(picDefaultWindowFull.GetPicture());
    if (B < float(Top() + fullHeight)) {
        Form* charts = program_.loadedCharts();
        if (charts && BottomsLevel(*charts, float(Top() + Height())))
            charts->setTop(B - charts->Height());
        setTop(B - fullHeight);
    }
    if (standard && program_.loadedCharts())
        Docking::UpdateDockedWithCharts(program_, *this);
    if (!standard) picWindow.setPicture(picLargeWindowFull.GetPicture());
    setHeight(fullHeight);
    picSkin.setPicture(standard ? picDefaultFull.GetPicture() : picLargeFull.GetPicture());
    ReattachCharts(previousBottom, standard);
    picWindow.setTag("Full");
    for (Label* label : {&Label1, &Label2, &Label3}) label->setVisible(false);
}

void Ticker::SwitchToShade(float B, bool standard) {
    float fullHeight = standard ? picDefaultFull.Height() : kLargeFullHeight;
    float shadeHeight = standard ? picDefaultShade.Height() : kLargeShadeHeight;
    float previousBottom = Top() + Height();
    if (standard) {
        picWindow.setPicture(picDefaultWIndowShade.GetPicture());
        if (program_.loadedCharts()) Docking::UpdateDockedWithCharts(program_, *this);
    }
    if (B <= float(Top() + fullHeight)) {
        Form* charts = program_.loadedCharts();
        if (charts && BottomsLevel(*charts, float(Top() + Height())))
            charts->setTop(B - charts->Height());
        setTop(B - shadeHeight);
    }
    if (!standard) picWindow.setPicture(picLargeWindowShade.GetPicture());
    setHeight(shadeHeight);
    picSkin.setPicture(standard ? picDefaultShade.GetPicture() : picLargeShade.GetPicture());
    bool fits = standard ? float(B - OriginalTop) < fullHeight && float(B - Top()) <= fullHeight
                         : double(B) - OriginalTop < fullHeight && double(B) - Top() <= fullHeight;
    if (Dock && fits) setTop(OriginalTop);
    ReattachCharts(previousBottom, false);
    picWindow.setTag("Shade");
    for (Label* label : {&Label1, &Label2, &Label3}) label->setVisible(true);
    Dock = false;
}

// A chart window that stood beside the ticker with level bottoms before the switch gets
// level bottoms again. "Before" is the ticker's bottom before the switch, not its new Top
// plus the old height: the switch may have moved the ticker to fit the work area.
void Ticker::ReattachCharts(float previousBottom, bool levelBottomsGuard) {
    Form* charts = program_.loadedCharts();
    const ShowContents& state = program_.showContents;
    if (!charts || !state.Docked) return;
    if (charts->Top() > Top()) charts->setTop(Top() + Height());
    if (!state.Docked || !(charts->Top() < Top())) return;
    float chartsBottom = charts->Top() + charts->Height();
    if (levelBottomsGuard && chartsBottom == float(Top() + Height())) return;
    if (chartsBottom == previousBottom) {
        charts->setTop(Top() + Height() - charts->Height());
    } else {
        charts->setTop(Top() - charts->Height());
    }
}
