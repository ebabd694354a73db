#pragma once

#include "skin_picture.h"

#include <vector>

// The ticker window's skins and skin buttons: Standard and Large size, each at 96 dpi
// and as its "LargeFont" twin for 120 dpi.
std::vector<SkinPicture> tickerPictures();
