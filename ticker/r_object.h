#pragma once
// One control's recorded geometry, in whole twips.

#include <cstdint>

class rObject {
public:
    int32_t oHeight() const { return height_; }
    void setOHeight(int32_t value) { height_ = value; }
    int32_t oWidth() const { return width_; }
    void setOWidth(int32_t value) { width_ = value; }
    int32_t oTop() const { return top_; }
    void setOTop(int32_t value) { top_ = value; }
    int32_t oLeft() const { return left_; }
    void setOLeft(int32_t value) { left_ = value; }

private:
    int32_t height_ = 0, width_ = 0, top_ = 0, left_ = 0;
};
