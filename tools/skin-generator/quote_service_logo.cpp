#include "quote_service_logo.h"

#include "button_caption.h"
#include "glyphs.h"
#include "graphite_tile.h"

SkinPicture quoteServiceLogoPicture() {
    QImage image = blankPicture(104, 22);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        drawGraphiteTile(painter, QRectF(0.5, 0.5, 103, 21), 4);
    }
    drawLineChart(image, QRect(5, 4, 16, 14));
    drawButtonCaption(image, QRect(23, 0, 77, 22), "VESK QUOTES", 10);
    return {"app/quoteService.png", image};
}
