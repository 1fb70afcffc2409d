#include "ui/GlobalShortcut.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QKeySequence>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

#include "ui/qt/AppCore.h"
#include "ui/qt/QtText.h"

namespace DuiLib {

namespace {

// The lock modifiers change nothing for the user; NumLock is Mod2 on every
// common keyboard map.
constexpr unsigned kLocks = XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2;
constexpr unsigned kLockCombinations[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, kLocks};

// X keysyms of the named keys taken besides letters, digits and F1-F24.
constexpr std::pair<int, unsigned> kNamedKeys[] = {
    {Qt::Key_Space, 0x0020}, {Qt::Key_Escape, 0xff1b}, {Qt::Key_Tab, 0xff09}, {Qt::Key_Backspace, 0xff08},
    {Qt::Key_Return, 0xff0d}, {Qt::Key_Insert, 0xff63}, {Qt::Key_Delete, 0xffff}, {Qt::Key_Pause, 0xff13},
    {Qt::Key_Print, 0xff61}, {Qt::Key_Home, 0xff50}, {Qt::Key_End, 0xff57}, {Qt::Key_PageUp, 0xff55},
    {Qt::Key_PageDown, 0xff56}, {Qt::Key_Left, 0xff51}, {Qt::Key_Up, 0xff52}, {Qt::Key_Right, 0xff53},
    {Qt::Key_Down, 0xff54},
};

std::optional<unsigned> KeysymOf(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'a' + static_cast<unsigned>(key - Qt::Key_A); // the unshifted letter
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<unsigned>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 0xffbe + static_cast<unsigned>(key - Qt::Key_F1);
    for (const auto& [qtKey, keysym] : kNamedKeys)
        if (qtKey == key)
            return keysym;
    return std::nullopt;
}

std::optional<unsigned> ModifiersOf(Qt::KeyboardModifiers qt)
{
    const Qt::KeyboardModifiers known = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::ShiftModifier;
    if ((qt & ~known) || !(qt & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return std::nullopt;
    unsigned mask = 0;
    if (qt & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (qt & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (qt & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    if (qt & Qt::MetaModifier)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

// The first key code of the keyboard map that gives the keysym.
std::optional<xcb_keycode_t> KeycodeOf(xcb_connection_t* connection, unsigned keysym)
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - first + 1;
    std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> reply(
        xcb_get_keyboard_mapping_reply(connection, xcb_get_keyboard_mapping(connection, setup->min_keycode,
            static_cast<uint8_t>(count)), nullptr),
        &std::free);
    if (!reply || reply->keysyms_per_keycode == 0)
        return std::nullopt;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply.get());
    const int total = xcb_get_keyboard_mapping_keysyms_length(reply.get());
    for (int i = 0; i < total; ++i)
        if (keysyms[i] == keysym)
            return static_cast<xcb_keycode_t>(first + i / reply->keysyms_per_keycode);
    return std::nullopt;
}

// One grabbed key's presses and releases, all reported to the root window.
class ShortcutFilter : public QAbstractNativeEventFilter {
public:
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
    xcb_keycode_t keycode = 0;
    unsigned modifiers = 0;
    HWND target = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;

    bool nativeEventFilter(const QByteArray& type, void* event, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* generic = static_cast<const xcb_generic_event_t*>(event);
        const uint8_t kind = generic->response_type & 0x7f;
        if (kind != XCB_KEY_PRESS && kind != XCB_KEY_RELEASE)
            return false;
        const auto* key = static_cast<const xcb_key_press_event_t*>(event);
        if (key->event != root || key->detail != keycode)
            return false;
        if (kind == XCB_KEY_RELEASE) {
            m_down = false;
            return false; // another shortcut on the same key hears it too
        }
        if ((key->state & ~kLocks) != modifiers)
            return false; // the same key with other modifiers: another shortcut's
        if (!m_down)
            PostMessageW(target, message, wParam, 0);
        m_down = true; // the auto-repeat's presses come without releases
        return true;
    }

private:
    bool m_down = false;
};

using Filters = std::vector<std::unique_ptr<ShortcutFilter>>;

Filters& Registered()
{
    static auto* filters = new Filters; // kept past main, as the application is
    return *filters;
}

void Ungrab(const ShortcutFilter& grab)
{
    for (unsigned locks : kLockCombinations)
        xcb_ungrab_key(grab.connection, grab.keycode, grab.root, static_cast<uint16_t>(grab.modifiers | locks));
    xcb_flush(grab.connection);
}

// Every lock combination, or none: one refused grab undoes the others.
bool Grab(const ShortcutFilter& grab)
{
    bool granted = true;
    for (unsigned locks : kLockCombinations) {
        xcb_void_cookie_t cookie = xcb_grab_key_checked(grab.connection, 0, grab.root,
            static_cast<uint16_t>(grab.modifiers | locks), grab.keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* error = xcb_request_check(grab.connection, cookie)) {
            std::free(error);
            granted = false;
        }
    }
    if (!granted)
        Ungrab(grab);
    return granted;
}

// Releases the pair's grab, if any.
void Unregister(UINT msg, WPARAM wParam)
{
    Filters& filters = Registered();
    for (auto it = filters.begin(); it != filters.end(); ++it) {
        if ((*it)->message != msg || (*it)->wParam != wParam)
            continue;
        if (qGuiApp) {
            qGuiApp->removeNativeEventFilter(it->get());
            Ungrab(**it);
        }
        filters.erase(it);
        return;
    }
}

bool HeldByAnother(xcb_keycode_t keycode, unsigned modifiers)
{
    for (const std::unique_ptr<ShortcutFilter>& filter : Registered())
        if (filter->keycode == keycode && filter->modifiers == modifiers)
            return true;
    return false;
}

} // namespace

std::optional<GlobalKey> ParseGlobalKey(LPCTSTR text)
{
    const QKeySequence sequence = QKeySequence::fromString(ToQ(text), QKeySequence::PortableText);
    if (sequence.count() != 1)
        return std::nullopt;
    const QKeyCombination combination = sequence[0];
    std::optional<unsigned> modifiers = ModifiersOf(combination.keyboardModifiers());
    std::optional<unsigned> keysym = KeysymOf(combination.key());
    if (!modifiers || !keysym)
        return std::nullopt;
    return GlobalKey{*modifiers, *keysym};
}

ShortcutResult RegisterGlobalShortcut(LPCTSTR keys, HWND hWnd, UINT msg, WPARAM wParam)
{
    core::EnsureApplication();
    Unregister(msg, wParam);
    const std::optional<GlobalKey> key = ParseGlobalKey(keys);
    if (!key)
        return ShortcutResult::Unrecognised;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return ShortcutResult::NotSupported;
    auto grab = std::make_unique<ShortcutFilter>();
    grab->connection = x11->connection();
    grab->root = xcb_setup_roots_iterator(xcb_get_setup(grab->connection)).data->root;
    const std::optional<xcb_keycode_t> keycode = KeycodeOf(grab->connection, key->keysym);
    if (!keycode)
        return ShortcutResult::Unrecognised; // the keyboard map has no such key
    grab->keycode = *keycode;
    grab->modifiers = key->modifiers;
    if (HeldByAnother(grab->keycode, grab->modifiers))
        return ShortcutResult::Duplicate;
    grab->target = hWnd;
    grab->message = msg;
    grab->wParam = wParam;
    if (!Grab(*grab))
        return ShortcutResult::Taken;
    qGuiApp->installNativeEventFilter(grab.get());
    Registered().push_back(std::move(grab));
    return ShortcutResult::Registered;
}

} // namespace DuiLib
