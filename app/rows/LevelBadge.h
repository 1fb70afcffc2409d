#pragma once

#include "ui/UIlib.h"

// A row's level badge: the skin's image "<level>.png", or, for a level the
// skin has no image for, one drawn in the same style: "Lv" and the number on
// a rounded tag coloured by level band, as wide as the number needs. Levels
// of 0 and below have no badge.
void ShowLevelBadge(DuiLib::CControlUI& badge, int level);

// The tag colour of a level's band, "#AARRGGBB".
LPCTSTR LevelBadgeColour(int level);
