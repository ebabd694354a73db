#pragma once

#include "skin_picture.h"

// The Symbol Manager's drag pointer while a row is dragged: a 32 x 32 monochrome
// cursor (black, white and transparent only) whose hot spot is its top-left pixel.
SkinPicture dragCursorPicture();
