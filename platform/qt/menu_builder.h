#pragma once
// Qt side of Menu: fills a QMenu from a menu's entries as they stand now.

#include <QMenu>

#include "platform/menu.h"

// Submenus are filled afresh each time they open, after their own Click runs.
void FillQMenu(QMenu& target, const Menu& menu);
