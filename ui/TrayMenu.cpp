#include "ui/TrayMenu.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QMenu>
#include <QSystemTrayIcon>

#include "ui/qt/QtText.h"
#include "ui/qt/TrayIcons.h"

namespace DuiLib {

namespace {

// The longest the start-up waits for the session bus to say whether a tray
// host is there (it is a local service; Qt asks the same question).
constexpr int kTrayHostQueryMs = 500;

TrayMenuSource& Source()
{
    static auto* source = new TrayMenuSource; // kept past main, like the icons
    return *source;
}

// Qt publishes the icon over D-Bus, rather than embedding it in an XEmbed
// tray, exactly when a StatusNotifierItem host is registered.
bool HostDrawsMenus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString watcher = "org.kde.StatusNotifierWatcher";
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(watcher))
        return false;
    QDBusMessage ask = QDBusMessage::createMethodCall(watcher, "/StatusNotifierWatcher",
                                                      "org.freedesktop.DBus.Properties", "Get");
    ask << watcher << QString("IsStatusNotifierHostRegistered");
    QDBusMessage reply = bus.call(ask, QDBus::Block, kTrayHostQueryMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    return reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

// The texts as the source gives them now; one action per item, made once.
void Fill(QMenu* menu)
{
    std::vector<TrayMenuItem> items = Source()();
    QList<QAction*> actions = menu->actions();
    for (qsizetype i = 0; i < qsizetype(items.size()); ++i) {
        QString text = ToQ(items[size_t(i)].text).replace('&', "&&"); // no mnemonics
        if (i < actions.size())
            actions[i]->setText(text);
        else
            menu->addAction(text)->setData(int(i));
    }
    for (qsizetype i = qsizetype(items.size()); i < actions.size(); ++i)
        menu->removeAction(actions[i]);
}

void Choose(QMenu* menu, HWND hWnd, const QAction* action)
{
    std::vector<TrayMenuItem> items = Source()();
    size_t index = size_t(action->data().toInt());
    if (index < items.size())
        ::PostMessageW(hWnd, items[index].msg, items[index].wParam, 0);
    // After the window has handled the choice: texts that follow its state.
    QMetaObject::invokeMethod(menu, [menu] { Fill(menu); }, Qt::QueuedConnection);
}

} // namespace

void SetTrayMenuSource(TrayMenuSource source)
{
    Source() = std::move(source);
}

void AttachTrayMenu(QSystemTrayIcon* tray, HWND hWnd)
{
    if (!Source() || !HostDrawsMenus())
        return; // an XEmbed tray would pop this menu up beside the window's own
    auto* menu = new QMenu;
    QObject::connect(tray, &QObject::destroyed, menu, &QObject::deleteLater);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { Fill(menu); });
    QObject::connect(menu, &QMenu::triggered, menu, [menu, hWnd](QAction* a) { Choose(menu, hWnd, a); });
    Fill(menu);
    tray->setContextMenu(menu);
}

} // namespace DuiLib
