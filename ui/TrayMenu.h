#pragma once

// The tray icon's menu for hosts that draw tray menus themselves.
//
// A StatusNotifierItem host such as GNOME's AppIndicator extension never asks
// the program to show its own menu: it shows the menu the icon publishes over
// D-Bus. Such an icon publishes these items. Hosts that do ask (a right click
// on an XEmbed tray, the ContextMenu call of KDE) still get the window's own
// menu through the icon's callback message.

#include <functional>
#include <vector>

#include "ui/DuiString.h"
#include "ui/Win32.h"

namespace DuiLib {

struct TrayMenuItem {
    CDuiString text; // plain text
    UINT msg;        // posted to the icon's window when the item is chosen,
    WPARAM wParam;   // with this wParam and lParam 0
};

// The items as they read now; asked again before the host shows the menu and
// after each choice, so that a text can follow the program's state.
using TrayMenuSource = std::function<std::vector<TrayMenuItem>()>;

// Tray icons added from now on publish the source's items. User-interface
// thread.
void SetTrayMenuSource(TrayMenuSource source);

} // namespace DuiLib
