#pragma once
// A picture as the windows hold it: an immutable bitmap shared between the holders and
// the controls that show it, so copying a picture from one box to another is cheap.

#include <memory>
#include <string>

#include "platform/font.h"

class PictureData;

class Picture {
public:
    Picture() = default;
    // A resource (":/skins/...") or a file; an unreadable one gives an empty picture.
    static Picture Load(const std::string& path);

    bool IsEmpty() const { return !data_; }
    int WidthPixels() const;
    int HeightPixels() const;
    // The colour of one pixel; black outside the picture.
    Color PixelColor(int x, int y) const;
    const PictureData* Data() const { return data_.get(); }
    bool operator==(const Picture& other) const { return data_ == other.data_; }

private:
    std::shared_ptr<const PictureData> data_;
};
