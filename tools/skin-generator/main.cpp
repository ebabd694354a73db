#include "app_icon.h"
#include "chart_window_pictures.h"
#include "drag_cursor.h"
#include "quote_service_logo.h"
#include "skin_writer.h"
#include "ticker_pictures.h"

#include <QGuiApplication>
#include <QTextStream>

// Draws every skin picture at its exact pixel size into the folder named on the command
// line (normally the source tree's skins/), with the resource list that embeds them.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        err << "usage: vesk-skin-generator <skins folder>\n";
        return 2;
    }

    std::vector<SkinPicture> pictures = tickerPictures();
    for (SkinPicture& picture : chartWindowPictures())
        pictures.push_back(std::move(picture));
    pictures.push_back(dragCursorPicture());
    pictures.push_back(appIconPicture());
    pictures.push_back(quoteServiceLogoPicture());

    if (const auto failure = writeSkins(arguments[1], pictures)) {
        err << *failure << "\n";
        return 1;
    }
    return 0;
}
