#include "app/windows/HotKeys.h"

#include <string>

#include "app/windows/AppMessages.h"
#include "app/FeedLog.h"
#include "app/RunState.h"
#include "feed/ToWide.h"

using namespace DuiLib;

namespace {

// The settings file's text is checked when read; this bounds what a label
// or a message box is ever given.
constexpr std::size_t kMaxKeyUnits = 64;

struct HotKey {
    WPARAM command;
    std::string DanmuOptions::*key;
    ShortcutResult RunState::*result;
    const char* logged;   // the log's name for it
    const char16_t* does; // shown after its key
};

const HotKey kHotKeys[] = {
    {TRAY_CMD_SHOW, &DanmuOptions::passThroughKey, &RunState::passThroughKey, "Pass-through", u"切换鼠标穿透"},
    {KEY_CMD_SHOW_HIDE, &DanmuOptions::showHideKey, &RunState::showHideKey, "Show/hide", u"显示/隐藏弹幕窗口"},
    {KEY_CMD_CLEAR, &DanmuOptions::clearKey, &RunState::clearKey, "Clear", u"清空弹幕"},
};

struct Failure {
    ShortcutResult result;
    const char16_t* shown; // after "不可用："
    const char* logged;
};

constexpr Failure kFailures[] = {
    {ShortcutResult::NotSupported, u"此桌面不支持", "this desktop does not support global shortcuts (X11 only)"},
    {ShortcutResult::Unrecognised, u"无法识别此按键", "not a key combination with Ctrl, Alt or Meta that can be grabbed"},
    {ShortcutResult::Taken, u"已被其他程序占用", "another program holds it"},
    {ShortcutResult::Duplicate, u"与另一个快捷键相同", "another of this program's shortcuts has the same key"},
};

const Failure* FailureOf(ShortcutResult result)
{
    for (const Failure& failure : kFailures)
        if (failure.result == result)
            return &failure;
    return nullptr;
}

const HotKey& HotKeyOf(WPARAM command)
{
    for (const HotKey& hotKey : kHotKeys)
        if (hotKey.command == command)
            return hotKey;
    return kHotKeys[0];
}

std::u16string KeyText(const RunState& state, const HotKey& hotKey)
{
    return ToWide(state.options.*hotKey.key, kMaxKeyUnits);
}

// One line of plain ASCII in the log, whatever the file held.
std::string LoggedKey(const RunState& state, const HotKey& hotKey)
{
    std::string key = (state.options.*hotKey.key).substr(0, kMaxKeyUnits);
    for (char& c : key)
        if (c < 0x20 || c > 0x7e)
            c = '?';
    return key;
}

} // namespace

void RegisterHotKeys(RunState& state, HWND danmu)
{
    for (const HotKey& hotKey : kHotKeys) {
        ShortcutResult& result = state.*hotKey.result;
        result = RegisterGlobalShortcut(KeyText(state, hotKey).c_str(), danmu, WM_TRAY_COMMAND, hotKey.command);
        if (const Failure* failure = FailureOf(result))
            WriteLogLine(std::string(hotKey.logged) + " shortcut " + LoggedKey(state, hotKey) + " not registered: "
                + failure->logged);
    }
}

CDuiString HotKeyStatus(const RunState& state, WPARAM command)
{
    const HotKey& hotKey = HotKeyOf(command);
    const Failure* failure = FailureOf(state.*hotKey.result);
    return u"快捷键 " + KeyText(state, hotKey)
        + (failure ? u" 不可用：" + std::u16string(failure->shown) : u" " + std::u16string(hotKey.does));
}

CDuiString PassThroughNotice(const RunState& state)
{
    const HotKey& hotKey = HotKeyOf(TRAY_CMD_SHOW);
    std::u16string text = u"鼠标穿透已开启，窗口不再接收点击。\n";
    if (const Failure* failure = FailureOf(state.passThroughKey))
        return text + u"快捷键 " + KeyText(state, hotKey) + u" 不可用（" + failure->shown
            + u"），重新启动本程序即可关闭鼠标穿透。";
    return text + u"按 " + KeyText(state, hotKey) + u" 可关闭。";
}
