#include "ticker/ticker.h"

#include <algorithm>

#include "charts/charts.h"
#include "docking/available_area.h"
#include "docking/update_docked.h"
#include "platform/core/conversions.h"
#include "platform/runtime.h"
#include "platform/user32.h"
#include "settings/always_on_top.h"
#include "settings/caption_bar.h"
#include "settings/dpi.h"
#include "settings/get_string.h"
#include "settings/registry2.h"
#include "ticker/config.h"
#include "ticker/default_skin.h"
#include "ticker/program.h"
#include "ticker/quote_get.h"

namespace {

Picture Skin(const std::string& name) { return Picture::Load(":/skins/ticker/" + name + ".png"); }

Font Arial(float size, bool bold) { return Font{"Arial", size, bold}; }

}  // namespace

Ticker::Ticker(Program& program) : Form(program.runtime, "Ticker"), program_(program) {
    Timer2.OnTimer = [this] { Timer2_Timer(); };
    Label1.OnDblClick = [this] { Label1_DblClick(); };
    qCurrentStock.OnDblClick = [this] { qCurrentStock_DblClick(); };
    inetQuotes.OnStateChanged = [this](int16_t state) { inetQuotes_StateChanged(state); };
    inetQuotes.setMaxReplyBytes(QuoteGet::kMaxReplyBytes);
    WireMenus();
    WireDragging();
}

bool Ticker::isLoaded(const Form& frm) const {
    const auto& forms = runtime().Forms();
    return std::any_of(forms.begin(), forms.end(), [&](const Form* f) { return f == &frm; });
}

std::string Ticker::Stored(const char* name) const {
    return GetString::GetStringValue(runtime(), HKEY_CURRENT_USER, Registry2::kMainKey, name);
}

double Ticker::StoredNumber(const char* name) const {
    return GetString::GetNumberValue(runtime(), HKEY_CURRENT_USER, Registry2::kMainKey, name);
}

// ---- Design ------------------------------------------------------------------------------

void Ticker::InitializeComponent() {
    borderStyle = BorderStyle::FixedSingle;
    setCaption("Vesk Ticker");
    setWidth(3150);
    setHeight(1740);
    picSkin.Move(0, 0, 3150, 1740);
    picSkin.setAutoSize(true);
    picWindow.Move(2805, 30, 150, 150);
    picWindow.setToolTipText("Toggle Windowshade Mode");
    picOptions.Move(30, 30, 150, 150);
    picOptions.setToolTipText("Options Menu");
    picExit.Move(2955, 30, 150, 150);
    picExit.setToolTipText("Close");
    picChart.Move(2650, 330, 300, 255);
    picChart.setToolTipText("Chart Browser");
    picSymbolEditor.Move(2650, 630, 300, 255);
    picSymbolEditor.setToolTipText("Symbol Manager");
    for (PictureBox* button : {&picWindow, &picOptions, &picExit, &picChart, &picSymbolEditor})
        button->setAutoSize(true);
    picChart.setPicture(Skin("picChart"));
    picSymbolEditor.setPicture(Skin("picSymbolEditor"));
    DesignLabels();
    DesignPictures();
    Timer2.setInterval(1000);
    PMenu.setVisible(false);
    ResearchMenu.setVisible(false);
}

void Ticker::DesignLabels() {
    auto strip = [](Label& label, float left, float top, Font font) {
        label.setTransparent(true);
        label.setFont(font);
        label.setLeft(left);
        label.setTop(top);
        label.setAutoSize(true);
    };
    strip(Label1, 220, 0, Arial(8.25f, true));
    strip(Label2, 1105, 25, Arial(6.75f, false));
    strip(Label3, 1900, 25, Arial(6.75f, false));

    Label* captions[] = {&lblCurrentStock, &lblLastPrice, &lblChange, &lblOpenPrice,
                         &lblDailyHigh,    &lblDailyLow,  &lblVolume};
    Label* values[] = {&qCurrentStock, &qLastPrice, &qChange, &qOpenPrice,
                       &qDailyHigh,    &qDailyLow,  &qVolume};
    const char* texts[] = {"Current Symbol:", "Last Price:", "Change:", "Open Price:",
                           "Daily High:",     "Daily Low:",  "Volume:"};
    const float tops[] = {270, 450, 630, 825, 1035, 1245, 1440};
    for (size_t row = 0; row < 7; ++row) {
        Label& caption = *captions[row];
        caption.setTransparent(true);
        caption.setAlignment(Alignment::Right);
        caption.setFont(Font{});
        caption.Move(105, tops[row], 1200, 195);
        caption.setCaption(texts[row]);
        Label& value = *values[row];
        value.setTransparent(true);
        value.setFont(row == 0 ? Arial(8.25f, true) : Font{});
        value.setLeft(1410);
        value.setTop(tops[row]);
        value.setAutoSize(true);
    }
}

void Ticker::DesignPictures() {
    PictureBox* holders[] = {
        &picDefaultShade,     &picDefaultFull,
        &picDefaultWIndowShade, &picDefaultWindowFull,
        &picDefaultOptions,   &picDefaultExit,
        &picLargeShade,       &picLargeFull,
        &picLargeWindowShade, &picLargeWindowFull,
        &picLargeOptions,     &picLargeExit,
        &picLargeChartBrowser, &picLargeSymbolManager,
        &picDefaultShadeLargeFont, &picDefaultFullLargeFont,
        &picDefaultWindowShadeLargeFont, &picDefaultWindowFullLargeFont,
        &picDefaultOptionsLargeFont, &picDefaultExitLargeFont,
        &picChartLargeFont,   &picSymbolEditorLargeFont,
        &picLargeShadeLargeFont, &picLargeFullLargeFont,
        &picLargeWindowShadeLargeFont, &picLargeWindowFullLargeFont,
        &picLargeOptionsLargeFont, &picLargeExitLargeFont,
        &picLargeChartBrowserLargeFont, &picLargeSymbolManagerLargeFont,
    };
    for (PictureBox* holder : holders) {
        holder->setVisible(false);
        holder->setAutoSize(true);
        holder->setPicture(Skin(holder->Name()));
    }
}

// ---- Load --------------------------------------------------------------------------------

// Each label that grows with its text ends where the next control begins, so that no text
// is drawn over a button or a neighbour, whatever the quote service sends.
void Ticker::KeepLabelsInTheirSlots(const PictureBox& shadeStrip) {
    // A symbol cut short reads as another symbol: the symbol labels shrink first, and only
    // a symbol too long even then ends in an ellipsis.
    Label1.setShrinkToFit(true);
    qCurrentStock.setShrinkToFit(true);
    // The price begins with its text, so the symbol keeps a gap before it.
    const float gap = 4 * runtime().TwipsPerPixelX();
    Label1.setMaxWidth(Label2.Left() - Label1.Left() - gap);
    Label2.setMaxWidth(Label3.Left() - Label2.Left());
    Label3.setMaxWidth(picWindow.Left() - Label3.Left());
    // The Full view's values stand in the panel's sunken well, whose frame ends seven of
    // the panel's 210 design pixels before the side buttons.
    const float wellEnd = picChart.Left() - picSkin.Width() * 7 / 210;
    for (Label* value : {&qCurrentStock, &qLastPrice, &qChange, &qOpenPrice, &qDailyHigh,
                         &qDailyLow, &qVolume})
        value->setMaxWidth(wellEnd - value->Left());
    // The symbol's descenders must clear the strip's one-pixel bottom border by a pixel, or
    // g, p and q look cut off; a symbol set too low for that moves up.
    const float px = runtime().TwipsPerPixelY();
    const float strip = float(shadeStrip.GetPicture().HeightPixels()) * px;
    Label1.setTop(std::max(0.0f, std::min(Label1.Top(), strip - 2 * px - Label1.Height())));
}

void Ticker::ApplyLargeFontPictures() {
    std::pair<PictureBox*, PictureBox*> twins[] = {
        {&picDefaultShade, &picDefaultShadeLargeFont},
        {&picDefaultFull, &picDefaultFullLargeFont},
        {&picDefaultWIndowShade, &picDefaultWindowShadeLargeFont},
        {&picDefaultWindowFull, &picDefaultWindowFullLargeFont},
        {&picDefaultOptions, &picDefaultOptionsLargeFont},
        {&picDefaultExit, &picDefaultExitLargeFont},
        {&picChart, &picChartLargeFont},
        {&picSymbolEditor, &picSymbolEditorLargeFont},
    };
    for (auto [holder, twin] : twins) holder->setPicture(twin->GetPicture());
    for (Label* label : {&Label1, &Label2, &Label3}) label->setTop(15);
    std::pair<PictureBox*, PictureBox*> largeTwins[] = {
        {&picLargeShade, &picLargeShadeLargeFont},
        {&picLargeFull, &picLargeFullLargeFont},
        {&picLargeWindowShade, &picLargeWindowShadeLargeFont},
        {&picLargeWindowFull, &picLargeWindowFullLargeFont},
        {&picLargeOptions, &picLargeOptionsLargeFont},
        {&picLargeExit, &picLargeExitLargeFont},
        {&picLargeChartBrowser, &picLargeChartBrowserLargeFont},
        {&picLargeSymbolManager, &picLargeSymbolManagerLargeFont},
    };
    for (auto [holder, twin] : largeTwins) holder->setPicture(twin->GetPicture());
}

void Ticker::ApplyLargeSize() {
    TickerResizer = std::make_unique<Resizer>();
    TickerResizer->OnResizeError = [this](int32_t code, const std::string& description) {
        TickerResizer_ResizeError(code, description);
    };
    TickerResizer->Resize(this);
    setWidth(float(double(Width()) * 4.0 / 3.0));
    setHeight(float(double(Height()) * 4.0 / 3.0));
    TickerResizer->Resize(this);
    picExit.setPicture(picLargeExit.GetPicture());
    picOptions.setPicture(picLargeOptions.GetPicture());
    picChart.setPicture(picLargeChartBrowser.GetPicture());
    picSymbolEditor.setPicture(picLargeSymbolManager.GetPicture());
    for (Label* label : {&lblCurrentStock, &lblLastPrice, &lblChange, &lblOpenPrice, &lblDailyHigh,
                         &lblDailyLow, &lblVolume, &qCurrentStock, &qLastPrice, &qChange,
                         &qOpenPrice, &qDailyHigh, &qDailyLow, &qVolume})
        label->setFontSize(11);
    Label1.setTop(15);
    Label2.setTop(30);
    Label3.setTop(30);
    Label1.setFontSize(11);
    Label2.setFontSize(10);
    Label3.setFontSize(10);
    if (DPI::GetDPI(runtime()) == 120)
        for (PictureBox* button : {&picExit, &picWindow, &picOptions}) button->setTop(50);
}

void Ticker::Form_Load() {
    Runtime& rt = runtime();
    Timer2.setEnabled(false);
    rt.files().ChDir(rt.App().Path);
    program_.getSymbol.OpenStockData();
    CaptionBar::RemoveCaptionBar(*this);

    setLeft(float(StoredNumber("Left")));
    setTop(float(StoredNumber("Top")));

    bool largeFonts = DPI::GetDPI(rt) == 120;
    if (largeFonts) ApplyLargeFontPictures();

    picWindow.setTag(Stored("Height"));
    bool standard = Stored("Size") == "Standard";
    if (Stored("Height") == "Shade") {
        setHeight(standard ? picDefaultShade.Height() : picLargeShade.Height());
    } else {
        setHeight(standard ? picDefaultFull.Height() : picLargeFull.Height());
    }
    setWidth(picSkin.Width());
    if (picWindow.Tag() == "Full")
        for (Label* label : {&Label1, &Label2, &Label3}) label->setVisible(false);

    ApplyDefaultSkin(*this, program_.quoteGet);
    setWidth(picSkin.Width());
    AvailableArea::KeepInAvailableArea(*this);

    Pause = false;
    // An interval beyond 16 bits is as unusable as one that is not a number.
    Interval = RoundToInteger(StoredNumber("Interval")).value_or(10);

    for (PictureBox* button : {&picOptions, &picWindow, &picExit})
        button->setTop(picDefaultShade.Height() / 2 - button->Height() / 2);

    bool large = Stored("Size") == "Large";
    if (large) {
        ApplyLargeSize();
        bool shade = picWindow.Tag() == "Shade";
        picWindow.setPicture(shade ? picLargeWindowShade.GetPicture()
                                   : picLargeWindowFull.GetPicture());
        picSkin.setPicture(shade ? picLargeShade.GetPicture() : picLargeFull.GetPicture());
    }
    setHeight(picSkin.Height());
    // The Large enlargement comes after the clamp above and can carry the window past the
    // work area's right or bottom edge, out of the user's reach.
    if (large) AvailableArea::KeepInAvailableArea(*this);
    // The 4/3 enlargement can leave the window a pixel wider than its skin; that strip
    // takes the skin's edge colour.
    const Picture& skin = picSkin.GetPicture();
    setBackColor(skin.PixelColor(skin.WidthPixels() - 1, skin.HeightPixels() / 2));
    // Only the Large size changes the skin to the large strip.
    KeepLabelsInTheirSlots(large ? picLargeShade : picDefaultShade);

    program_.showContents.Docked = TextToBoolean(Stored("Docked")).value_or(false);
    AlwaysOnTop::SetAlwaysOnTop(*this);
    AlwaysOnTop = !Topmost();
    inetQuotes.setRequestTimeout(RoundToLong(StoredNumber("Timeout")).value_or(60));
    if (GetString::GetStringValue(rt, HKEY_CURRENT_USER, Registry2::kChartKey, "StartUp") ==
        "True")
        program_.charts().Show();
    // With the chart window open, its place decides the docking, not the stored flag.
    if (isLoaded(program_.charts())) Docking::UpdateDockedWithCharts(program_, *this);

    // One record is enough for a first request: the cursor stays on it. An empty list
    // drops the previous list's request, so its figures are not fetched again.
    QuoteGet& quotes = program_.quoteGet;
    if (!HasSymbols()) quotes.QuoteURL.clear();
    if (!program_.getSymbol.QuoteSymbol.empty() && HasSymbols()) {
        FirstQuote = true;
        quotes.PrepareQuoteSymbol();
        quotes.BuildQuoteRequest();
    }
    Show();
    quotes.GetQuote();
    quotes.PrepareQuoteSymbol();
    Timer2.setEnabled(true);
}

// ---- Handlers ----------------------------------------------------------------------------

bool Ticker::HasSymbols() const { return program_.getSymbol.StockRecCount >= 1; }

void Ticker::Timer2_Timer() {
    if (TickCount >= Interval) {
        if (!program_.config().CL && !Pause && HasSymbols()) {
            Timer2.setEnabled(false);
            program_.quoteGet.BuildQuoteRequest();
            program_.quoteGet.GetQuote();
            TickCount = 0;
            program_.quoteGet.PrepareQuoteSymbol();
            Timer2.setEnabled(true);
        } else {
            TickCount = 0;
        }
    } else {
        ++TickCount;
    }
}

void Ticker::TogglePause() {
    Pause = !Pause;
    PauseMenuItem.setCaption(Pause ? "&Resume" : "&Pause");
}

void Ticker::Label1_DblClick() { TogglePause(); }
void Ticker::qCurrentStock_DblClick() { TogglePause(); }

void Ticker::inetQuotes_StateChanged(int16_t state) {
    if (state == InetState::icError) inetQuotes.Cancel();
}

void Ticker::TickerResizer_ResizeError(int32_t, const std::string&) {
    runtime().MsgBox("Resize Error", MsgBox::vbOKOnly);
}
