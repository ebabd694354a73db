#pragma once

#include "skin_picture.h"

#include <optional>
#include <vector>

// Writes every picture as a PNG below root and a resource list root/skins.qrc that
// serves each one as ":/skins/<path>". Returns what went wrong, if anything did.
std::optional<QString> writeSkins(const QString& root, const std::vector<SkinPicture>& pictures);
