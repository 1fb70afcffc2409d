#!/usr/bin/python3
"""A StatusNotifierItem watcher and host on the session bus, as GNOME's
AppIndicator extension is one: it takes the item's registration and shows
the item's D-Bus menu itself.

  sni_host.py serve FILE      be the watcher; write each registered item
                              (bus name and object path) to FILE
  sni_host.py tooltip FILE    print the item's tooltip title
  sni_host.py menu-path FILE  print the object path of the item's menu
  sni_host.py labels FILE     print the labels of the menu's items, one a line
  sni_host.py click FILE TEXT send "clicked" to the item whose label starts with TEXT
  sni_host.py context FILE    ask the item to show its own menu (ContextMenu)
"""
import sys

import dbus
import dbus.service

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
PROPS = "org.freedesktop.DBus.Properties"

INTROSPECTION = """<node>
 <interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
 </interface>
 <interface name="org.freedesktop.DBus.Properties">
  <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
  <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
 </interface>
 <interface name="org.freedesktop.DBus.Introspectable">
  <method name="Introspect"><arg type="s" direction="out"/></method>
 </interface>
</node>"""


class Watcher(dbus.service.Object):
    def __init__(self, bus, out):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.items = []
        self.out = out

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # A service name or an object path; a path belongs to the sender.
        name, path = (sender, service) if service.startswith("/") else (service, "/StatusNotifierItem")
        self.items.append(name + path)
        with open(self.out, "a") as f:
            f.write("%s %s\n" % (name, path))
        self.StatusNotifierItemRegistered(name + path)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, service):
        pass

    def _props(self):
        return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                "IsStatusNotifierHostRegistered": dbus.Boolean(True),
                "ProtocolVersion": dbus.Int32(0)}

    @dbus.service.method(PROPS, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self._props()[name]

    @dbus.service.method(PROPS, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self._props()

    @dbus.service.method("org.freedesktop.DBus.Introspectable", out_signature="s")
    def Introspect(self):
        return INTROSPECTION


def serve(out):
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus, out)
    bus.request_name(WATCHER)
    bus.request_name("org.kde.StatusNotifierHost-%d" % __import__("os").getpid())
    print("ready", flush=True)
    GLib.MainLoop().run()
    del watcher


def item(bus, registered):
    with open(registered) as f:
        name, path = f.readline().split()
    return bus.get_object(name, path)


def menu(bus, registered):
    obj = item(bus, registered)
    path = obj.Get(ITEM, "Menu", dbus_interface=PROPS)
    return obj.bus_name, str(path)


def entries(bus, registered):
    name, path = menu(bus, registered)
    proxy = bus.get_object(name, path)
    proxy.AboutToShow(dbus.Int32(0), dbus_interface=MENU)
    _, layout = proxy.GetLayout(dbus.Int32(0), dbus.Int32(-1), dbus.Array([], signature="s"),
                                dbus_interface=MENU)
    for child in layout[2]:
        ident, props = child[0], child[1]
        if props.get("visible", True) and props.get("type", "standard") != "separator":
            yield proxy, int(ident), str(props.get("label", ""))


def main(argv):
    command, registered = argv[1], argv[2]
    if command == "serve":
        return serve(registered)
    bus = dbus.SessionBus()
    if command == "tooltip":
        tip = item(bus, registered).Get(ITEM, "ToolTip", dbus_interface=PROPS)
        print(str(tip[2]))
    elif command == "menu-path":
        print(menu(bus, registered)[1])
    elif command == "labels":
        for _, _, label in entries(bus, registered):
            print(label)
    elif command == "click":
        for proxy, ident, label in entries(bus, registered):
            if label.startswith(argv[3]):
                proxy.Event(dbus.Int32(ident), "clicked", dbus.Int32(0), dbus.UInt32(0), dbus_interface=MENU)
                return 0
        return 1
    elif command == "context":
        item(bus, registered).ContextMenu(dbus.Int32(400), dbus.Int32(300), dbus_interface=ITEM)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
