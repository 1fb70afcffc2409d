#pragma once

#include "ui/Win32.h"

// Posted to the danmaku window when the feed worker has a new list waiting
// (wParam 0, lParam 0).
constexpr UINT WM_DANMU_REFRESH = 2024;

// The tray icon's callback message; lParam is the mouse message.
constexpr UINT WM_TRAY_NOTIFY = 11023;
// A tray menu command for the danmaku window, in wParam.
constexpr UINT WM_TRAY_COMMAND = 35769;

constexpr WPARAM TRAY_CMD_SHOW = 1;     // toggle mouse pass-through
constexpr WPARAM TRAY_CMD_SETTINGS = 2; // open the settings window
constexpr WPARAM TRAY_CMD_EXIT = 3;     // end the program
constexpr WPARAM TRAY_CMD_ROOM = 4;     // ask for another room
constexpr WPARAM TRAY_CMD_CHAT_LOG = 5; // show the chat log's folder

// Commands only a global shortcut gives, numbered apart from the tray's.
constexpr WPARAM KEY_CMD_SHOW_HIDE = 20; // show or hide the danmaku window
constexpr WPARAM KEY_CMD_CLEAR = 21;     // empty its rows
