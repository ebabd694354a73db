#include "ticker/default_skin.h"

#include "ticker/quote_get.h"
#include "ticker/ticker.h"

void ApplyDefaultSkin(Ticker& ticker, QuoteGet& quotes) {
    ticker.namecolor = ticker.textcolor = ticker.positivecolor = ticker.negativecolor =
        "255,255,255";
    ticker.Label2.setTop(25);
    ticker.Label3.setTop(25);

    quotes.ParseTextRGB(ticker.namecolor);
    ticker.Label1.setForeColor(ColorOf(quotes.TextRGB));
    quotes.ParseTextRGB(ticker.textcolor);
    for (Label* label :
         {&ticker.Label2, &ticker.lblCurrentStock, &ticker.qCurrentStock, &ticker.lblLastPrice,
          &ticker.qLastPrice, &ticker.lblChange, &ticker.qChange, &ticker.lblOpenPrice,
          &ticker.qOpenPrice, &ticker.lblDailyHigh, &ticker.qDailyHigh, &ticker.lblDailyLow,
          &ticker.qDailyLow, &ticker.lblVolume, &ticker.qVolume})
        label->setForeColor(ColorOf(quotes.TextRGB));

    ticker.picOptions.setPicture(ticker.picDefaultOptions.GetPicture());
    ticker.picExit.setPicture(ticker.picDefaultExit.GetPicture());
    if (ticker.picWindow.Tag() == "Shade") {
        ticker.picSkin.setPicture(ticker.picDefaultShade.GetPicture());
        ticker.picWindow.setPicture(ticker.picDefaultWIndowShade.GetPicture());
    } else {
        ticker.picSkin.setPicture(ticker.picDefaultFull.GetPicture());
        ticker.picWindow.setPicture(ticker.picDefaultWindowFull.GetPicture());
    }
}
