#pragma once
// Qt side of Picture: the bitmap itself.

#include <QImage>

class PictureData {
public:
    explicit PictureData(QImage image) : image_(std::move(image)) {}
    const QImage& Image() const { return image_; }

private:
    QImage image_;
};
