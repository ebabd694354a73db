#pragma once

#include "skin_picture.h"

#include <vector>

// The chart window's frame strips and its buttons with their released and pressed pictures.
// The window uses the same pictures at 96 and 120 dpi; only its layout changes.
std::vector<SkinPicture> chartWindowPictures();
