#include "charts/charts.h"

#include "charts/new_chart_symbol.h"
#include "docking/available_area.h"
#include "docking/drag_charts.h"
#include "docking/update_docked.h"
#include "platform/core/conversions.h"
#include "platform/runtime.h"
#include "platform/user32.h"
#include "platform/window_keys.h"
#include "settings/always_on_top.h"
#include "settings/caption_bar.h"
#include "settings/dpi.h"
#include "settings/get_string.h"
#include "settings/registry2.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace {

constexpr int kLeftButton = 1, kRightButton = 2;
constexpr Color kLabelColor = RGB(214, 226, 246);
constexpr Color kChartBackdrop = RGB(12, 14, 18);
// picBottom's symbol and period wells end at this pixel column, at either DPI.
constexpr int kWellRightPixel = 138;

Picture Skin(const std::string& name) { return Picture::Load(":/skins/charts/" + name + ".png"); }

void Place(Control& control, Control& container, float left, float top) {
    control.setContainer(container);
    control.setLeft(left);
    control.setTop(top);
}

}  // namespace

Charts::Charts(Program& program) : Form(program.runtime, "Charts"), program_(program) {
    picExit.OnClick = [this] { picExit_Click(); };
    picUpdate.OnClick = [this] { picUpdate_Click(); };
    picChartType.OnClick = [this] { picChartType_Click(); };
    picSymbol.OnClick = [this] { picSymbol_Click(); };
    mnu1Day.OnClick = [this] { lblChartType.setCaption("1 Day"); };
    mnu5Day.OnClick = [this] { lblChartType.setCaption("5 Day"); };
    mnu1Year.OnClick = [this] { lblChartType.setCaption("1 Year"); };
    lblSymbol.OnMouseDown = [this](int b, int s, float x, float y) { lblSymbol_MouseDown(b, s, x, y); };
    picTop.OnMouseDown = [this](int b, int s, float x, float y) { picTop_MouseDown(b, s, x, y); };
    picTop.OnMouseMove = [this](int b, int s, float x, float y) { picTop_MouseMove(b, s, x, y); };
    picTop.OnMouseUp = [this](int b, int s, float x, float y) { picTop_MouseUp(b, s, x, y); };
    WireButton(picSymbol, picSymbolUp, picSymbolDown);
    WireButton(picChartType, picChartTypeUp, picChartTypeDown);
    WireButton(picUpdate, picUpdateUp, picUpdateDown);
    auto enter = [this](int& keyCode, int shift) { KeyUp(keyCode, shift); };
    OnKeyUp = enter;
    for (PictureBox* control : {&picBottom, &picCharts, &picChartType, &picExit, &picLeft,
                                &picRight, &picSymbol, &picTop, &picUpdate})
        control->OnKeyUp = enter;
}

void Charts::WireButton(PictureBox& button, PictureBox& up, PictureBox& down) {
    button.OnMouseDown = [&button, &down](int, int, float, float) {
        button.setPicture(down.GetPicture());
    };
    button.OnMouseUp = [&button, &up](int, int, float, float) { button.setPicture(up.GetPicture()); };
}

std::string Charts::ChartFile() const { return runtime().App().Path + "/chart.gif"; }

// ---- Design ------------------------------------------------------------------------------

void Charts::InitializeComponent() {
    borderStyle = BorderStyle::FixedSingle;
    showInTaskbar = false;
    setCaption("Chart Browser");
    setWidth(3150);
    setHeight(2395);
    DesignSkin();

    picCharts.Move(150, 240, 2895, 1815);
    // While a chart downloads, "Loading..." stands on the chart's own backdrop.
    picCharts.setBackColor(kChartBackdrop);
    gifCharts.setContainer(picCharts);
    gifCharts.Move(0, 0, 2895, 1815);
    gifCharts.setVisible(false);
    gifCharts.setBackColor(kChartBackdrop);
    Place(lblLoading, picCharts, 1130, 680);
    lblLoading.setWidth(735);
    lblLoading.setHeight(195);
    lblLoading.setCaption("Loading...");
    lblLoading.setFont(Font{"Arial", 8, true});
    lblLoading.setForeColor(kLabelColor);
    lblLoading.setTransparent(true);
    lblLoading.setAlignment(Alignment::Center);
    lblLoading.setAutoSize(true);  // whole, centred on its designed box

    for (Label* label : {&lblSymbol, &lblChartType}) {
        label->setFont(Font{"Arial", 7, true});
        label->setForeColor(kLabelColor);
        label->setTransparent(true);
        label->setShrinkToFit(true);
        label->setHeight(210);
    }
    Place(lblSymbol, picBottom, 1280, 100);
    Place(lblChartType, picBottom, 1280, 420);
    SpanLabelWells();
    mnuChartType.setVisible(false);
}

// The symbol and period labels fill their wells, so a ten-character symbol shows whole.
void Charts::SpanLabelWells() {
    for (Label* label : {&lblSymbol, &lblChartType})
        label->setWidth(float(kWellRightPixel) * runtime().TwipsPerPixelX() - label->Left());
}

void Charts::DesignSkin() {
    struct Part {
        PictureBox& box;
        float left, top;
    };
    for (Part part : {Part{picTop, 0, 0}, Part{picLeft, 0, 240}, Part{picRight, 3020, 240},
                      Part{picBottom, 0, 1660}}) {
        part.box.setLeft(part.left);
        part.box.setTop(part.top);
        part.box.setAutoSize(true);
        part.box.setPicture(Skin(part.box.Name()));
    }
    Place(picExit, picTop, 2960, 30);
    picExit.setAutoSize(true);
    picExit.setPicture(Skin("picExit"));
    picExit.setToolTipText("Close");

    for (PictureBox* holder : {&picSymbolUp, &picSymbolDown, &picChartTypeUp, &picChartTypeDown,
                               &picUpdateUp, &picUpdateDown}) {
        holder->setVisible(false);
        holder->setAutoSize(true);
        holder->setPicture(Skin(holder->Name()));
    }
    struct Button {
        PictureBox& box;
        PictureBox& up;
        float left, top;
        const char* tip;
    };
    for (Button button : {Button{picSymbol, picSymbolUp, 100, 80, "Change the Chart Symbol"},
                          Button{picChartType, picChartTypeUp, 100, 380, "Change the Chart Type"},
                          Button{picUpdate, picUpdateUp, 2160, 180, "Update the Chart"}}) {
        Place(button.box, picBottom, button.left, button.top);
        button.box.setAutoSize(true);
        button.box.setPicture(button.up.GetPicture());
        button.box.setToolTipText(button.tip);
    }
}

// ---- Load --------------------------------------------------------------------------------

void Charts::ApplyLargeFontLayout() {
    picLeft.setTop(192);
    picRight.setLeft(2412);
    picRight.setTop(192);
    picCharts.setLeft(120);
    picCharts.setTop(192);
    lblLoading.setLeft(840 + (735 - lblLoading.Width()) / 2);
    lblLoading.setTop(480);
    picBottom.setTop(1320);
    picExit.setLeft(2360);
    picExit.setTop(20);
    picSymbol.setLeft(80);
    picSymbol.setTop(65);
    picChartType.setLeft(80);
    picChartType.setTop(300);
    lblSymbol.setLeft(1020);
    lblSymbol.setTop(80);
    lblSymbol.setFontSize(7);
    lblChartType.setLeft(1020);
    lblChartType.setTop(310);
    lblChartType.setFontSize(7);
    SpanLabelWells();
    picUpdate.setLeft(1730);
    picUpdate.setTop(140);
}

std::string Charts::Stored(const char* name) const {
    return GetString::GetStringValue(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey, name);
}

// A chart saved just under the ticker's Shade or Full view opens just under the ticker as
// it stands now, whichever view or size that is. The views' heights are those of their
// pictures: the Large size scales the holders' boxes, not the pictures they hold.
void Charts::PlaceFromStoredPosition() {
    auto stored = [this](const char* name) {
        return GetString::StoredNumber(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey, name);
    };
    std::optional<double> left = stored("Left"), top = stored("Top");
    if (!left && !top) return PlaceDockedToTicker();
    setLeft(float(left.value_or(0)));
    setTop(float(top.value_or(0)));
    Ticker& ticker = program_.ticker();
    const float twipsPerPixel = runtime().TwipsPerPixelY();
    for (const PictureBox* view : {&ticker.picDefaultShade, &ticker.picDefaultFull}) {
        const float viewHeight = float(view->GetPicture().HeightPixels()) * twipsPerPixel;
        if (Top() - viewHeight == ticker.Top()) setTop(ticker.Top() + ticker.Height());
    }
}

// A window with no place of its own (a fresh profile) opens docked under the ticker, or
// over it where the work area has no room below; the fit that follows moves the pair
// into the work area like any docked pair.
void Charts::PlaceDockedToTicker() {
    Ticker& ticker = program_.ticker();
    RECT area = AvailableArea::WorkAreaTwips(*this);
    float below = ticker.Top() + ticker.Height(), above = ticker.Top() - Height();
    bool roomBelow = below + Height() <= float(area.bottom);
    bool roomAbove = above >= float(area.top);
    Move(ticker.Left(), roomBelow || !roomAbove ? below : above);
    program_.showContents.Docked = true;
}

// A docked pair is fitted by moving the ticker; the chart itself is clamped afterwards.
void Charts::FitDockedPairIntoWorkArea() {
    RECT area = AvailableArea::WorkAreaTwips(*this);
    if (!program_.showContents.Docked) return;
    Ticker& ticker = program_.ticker();
    if (ticker.Top() + ticker.Height() + Height() > float(area.bottom) &&
        ticker.Top() + ticker.Height() <= Top())
        ticker.setTop(float(area.bottom) - (Height() + ticker.Height()));
    bool besideTicker =
        Left() == ticker.Left() + ticker.Width() || Left() == ticker.Left() - Width();
    if (ticker.Top() == float(area.top) && Top() <= ticker.Top() && !besideTicker)
        ticker.setTop(ticker.Top() + Height());
}

void Charts::Form_Load() {
    everLoaded_ = true;
    ChartBytes.clear();
    CaptionBar::RemoveCaptionBar(*this);
    if (DPI::GetDPI(runtime()) == 120) ApplyLargeFontLayout();
    setWidth(picTop.Width());
    setHeight(picBottom.Top() + picBottom.Height());
    PlaceFromStoredPosition();
    FitDockedPairIntoWorkArea();
    lblSymbol.setCaption(Stored("Symbol"));
    lblChartType.setCaption(Stored("Chart Type"));
    lblLoading.setVisible(false);
    AlwaysOnTop::SetAlwaysOnTop(*this);
    gifCharts.setFileName(ChartFile());
    WatchWindowKeyUp(picTop, OnKeyUp);
    runtime().DoEvents();
    gifCharts.setVisible(true);
    AvailableArea::KeepInAvailableArea(*this);
    Docking::UpdateDockedWithTicker(program_, *this);
}

// ---- Saving ------------------------------------------------------------------------------

void Charts::Save(bool withDocked) {
    Runtime& rt = runtime();
    Registry2::CreateNewKey(rt, HKEY_CURRENT_USER, Registry2::kChartKey);
    auto store = [&rt](std::string_view name, const std::string& value) {
        Registry2::SetKeyValue(rt, HKEY_CURRENT_USER, Registry2::kChartKey, name, value);
    };
    store("Symbol", lblSymbol.Caption());
    store("Chart Type", lblChartType.Caption());
    store("Left", SingleToText(Left()));
    store("Top", SingleToText(Top()));
    if (withDocked) store("Docked", BooleanToText(Docked));
}

void Charts::Form_Unload(int&) { Save(true); }

// The captions and the place outlive the unload, so a window that was ever open saves
// what it last showed; one that never opened has nothing to save.
void Charts::Form_Terminate() {
    if (everLoaded_) Save(false);
}

// ---- Handlers ----------------------------------------------------------------------------

void Charts::picExit_Click() {
    Save(true);
    Unload();
}

void Charts::picChartType_Click() { PopupMenu(mnuChartType); }

void Charts::picSymbol_Click() { program_.newChartSymbol().Show(); }

// The research menu acts on the ticker's current quote, not on the charted symbol.
void Charts::lblSymbol_MouseDown(int button, int, float, float) {
    if (button != kRightButton) return;
    Ticker& ticker = program_.ticker();
    ticker.InfoStock = program_.getSymbol.QuoteSymbol;
    PopupMenu(ticker.ResearchMenu);
}

void Charts::picTop_MouseDown(int button, int, float x, float y) {
    if (button != kLeftButton) return;
    picTop.setMousePointer(MousePointers::vbDefault);
    FormPosX = RoundToInteger(x).value_or(0);
    FormPosY = RoundToInteger(y).value_or(0);
}

void Charts::picTop_MouseMove(int button, int, float, float) {
    if (button == kLeftButton) DragCharts(program_);
}

void Charts::picTop_MouseUp(int button, int, float, float) {
    if (button == kLeftButton) picTop.setMousePointer(MousePointers::vbDefault);
}

void Charts::KeyUp(int& keyCode, int) {
    if (keyCode == KeyCodes::vbKeyReturn) picUpdate_Click();
}
