#pragma once

#include "skin_picture.h"

// The application's 64 x 64 icon: a rising price line on a graphite tile.
SkinPicture appIconPicture();
