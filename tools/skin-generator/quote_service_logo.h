#pragma once

#include "skin_picture.h"

// The quote service's badge for the About box: a small chart mark and its name.
SkinPicture quoteServiceLogoPicture();
