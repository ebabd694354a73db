#include "drag_cursor.h"

#include <iterator>

namespace {

// 'X' black, '.' white, anything else transparent. The arrow's tip is pixel (0, 0).
constexpr const char* shape[] = {
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.........X",
    "X......XXXXX",
    "X...X..X",
    "X..XX..X",
    "X.X  X..X",
    "XX   X..X",
    "X     X..X",
    "      X..X",
    "       XX",
    "",
    "         XXXXXXXXXXXXXXXXXXXXXX",
    "         X....................X",
    "         X.XXX.XXXXXXXXXXXXX..X",
    "         X....................X",
    "         X.XXX.XXXXXXXXX......X",
    "         X....................X",
    "         XXXXXXXXXXXXXXXXXXXXXX",
};

} // namespace

SkinPicture dragCursorPicture() {
    QImage image(32, 32, QImage::Format_Indexed8);
    image.setColorTable({qRgba(0, 0, 0, 0), qRgb(0, 0, 0), qRgb(255, 255, 255)});
    image.fill(0);
    for (int y = 0; y < static_cast<int>(std::size(shape)); ++y) {
        for (int x = 0; shape[y][x] != '\0'; ++x) {
            if (shape[y][x] == 'X')
                image.setPixel(x, y, 1);
            else if (shape[y][x] == '.')
                image.setPixel(x, y, 2);
        }
    }
    return {"symbols/dragCursor.png", image};
}
