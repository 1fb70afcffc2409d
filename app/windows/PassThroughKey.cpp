#include "app/windows/PassThroughKey.h"

#include "app/windows/AppMessages.h"
#include "app/FeedLog.h"
#include "app/RunState.h"
#include "feed/ToWide.h"

using namespace DuiLib;

namespace {

// The settings file's text is checked when read; this bounds what a label
// or a message box is ever given.
constexpr std::size_t kMaxKeyUnits = 64;

struct Failure {
    ShortcutResult result;
    const char16_t* shown; // after "不可用："
    const char* logged;
};

constexpr Failure kFailures[] = {
    {ShortcutResult::NotSupported, u"此桌面不支持", "this desktop does not support global shortcuts (X11 only)"},
    {ShortcutResult::Unrecognised, u"无法识别此按键", "not a key combination with Ctrl, Alt or Meta that can be grabbed"},
    {ShortcutResult::Taken, u"已被其他程序占用", "another program holds it"},
};

const Failure* FailureOf(ShortcutResult result)
{
    for (const Failure& failure : kFailures)
        if (failure.result == result)
            return &failure;
    return nullptr;
}

std::u16string KeyText(const RunState& state)
{
    return ToWide(state.options.passThroughKey, kMaxKeyUnits);
}

// One line of plain ASCII in the log, whatever the file held.
std::string LoggedKey(const RunState& state)
{
    std::string key = state.options.passThroughKey.substr(0, kMaxKeyUnits);
    for (char& c : key)
        if (c < 0x20 || c > 0x7e)
            c = '?';
    return key;
}

} // namespace

void RegisterPassThroughKey(RunState& state, HWND danmu)
{
    state.passThroughKey = RegisterGlobalShortcut(KeyText(state).c_str(), danmu, WM_TRAY_COMMAND, TRAY_CMD_SHOW);
    if (const Failure* failure = FailureOf(state.passThroughKey))
        WriteLogLine("Pass-through shortcut " + LoggedKey(state) + " not registered: " + failure->logged);
}

CDuiString PassThroughKeyStatus(const RunState& state)
{
    const Failure* failure = FailureOf(state.passThroughKey);
    return u"快捷键 " + KeyText(state) + (failure ? u" 不可用：" + std::u16string(failure->shown) : u" 切换鼠标穿透");
}

CDuiString PassThroughNotice(const RunState& state)
{
    std::u16string text = u"鼠标穿透已开启，窗口不再接收点击。\n";
    if (const Failure* failure = FailureOf(state.passThroughKey))
        return text + u"快捷键 " + KeyText(state) + u" 不可用（" + failure->shown
            + u"），重新启动本程序即可关闭鼠标穿透。";
    return text + u"按 " + KeyText(state) + u" 可关闭。";
}
