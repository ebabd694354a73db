#include "platform/picture.h"

#include <QImageReader>

#include "platform/qt/picture_data.h"

Picture Picture::Load(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    QImage image = reader.read();
    Picture picture;
    if (!image.isNull()) picture.data_ = std::make_shared<const PictureData>(std::move(image));
    return picture;
}

int Picture::WidthPixels() const { return data_ ? data_->Image().width() : 0; }
int Picture::HeightPixels() const { return data_ ? data_->Image().height() : 0; }

Color Picture::PixelColor(int x, int y) const {
    if (!data_ || !data_->Image().valid(x, y)) return kBlack;
    const QColor color = data_->Image().pixelColor(x, y);
    return RGB(color.red(), color.green(), color.blue());
}
