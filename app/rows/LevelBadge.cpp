#include "app/rows/LevelBadge.h"

using namespace DuiLib;

LPCTSTR LevelBadgeColour(int level)
{
    // The first four bands are the skin's own (tools/ui/draw-badges.sh).
    struct Band {
        int upTo;
        LPCTSTR colour;
    };
    static const Band bands[] = {
        {5, u"#FF3FA66B"},  {10, u"#FF2F6FD0"}, {15, u"#FF8A4FD6"}, {20, u"#FFE0832B"},
        {40, u"#FFD64545"}, {99, u"#FFC0398F"},
    };
    for (const Band& band : bands)
        if (level <= band.upTo)
            return band.colour;
    return u"#FFB8871B";
}

void ShowLevelBadge(CControlUI& badge, int level)
{
    CDuiString image;
    image.Format(u"%d.png", level);
    badge.SetBkImage(image);
    if (level <= 0 || CPaintManagerUI::HasImage(image))
        return;
    CDuiString text;
    text.Format(u"Lv%d", level);
    badge.SetText(text);
    badge.SetAttribute(u"bkcolor", LevelBadgeColour(level));
}
