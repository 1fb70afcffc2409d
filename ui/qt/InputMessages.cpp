#include "ui/qt/InputMessages.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include "ui/qt/AppCore.h"
#include "ui/qt/TrayIcons.h"
#include "ui/qt/WindowHost.h"

namespace DuiLib {

namespace {

struct Message {
    UINT msg = 0;
    WPARAM wParam = 0;
    QPointF pos;
};

// A text field is a window of its own on the original platform: its double
// click (selecting a word) is its own, not the window's.
Message Translate(QObject* receiver, QEvent* e)
{
    bool field = qobject_cast<QLineEdit*>(receiver) != nullptr;
    switch (e->type()) {
    case QEvent::MouseButtonRelease: {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::RightButton)
            return {WM_RBUTTONUP, 0, m->position()};
        break;
    }
    case QEvent::MouseButtonDblClick: {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::LeftButton && !field)
            return {WM_LBUTTONDBLCLK, 0, m->position()};
        break;
    }
    case QEvent::Wheel: {
        auto* w = static_cast<QWheelEvent*>(e);
        auto delta = static_cast<std::uint16_t>(static_cast<std::int16_t>(w->angleDelta().y()));
        return {WM_MOUSEWHEEL, static_cast<WPARAM>(delta) << 16, w->position()};
    }
    default:
        break;
    }
    return {};
}

} // namespace

bool SwallowedAsMessage(QObject* receiver, QEvent* e)
{
    if (!receiver->isWidgetType())
        return false;
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::RightButton)
        OnRightButtonReleased();
    Message m = Translate(receiver, e);
    if (!m.msg)
        return false;
    auto* host = dynamic_cast<WindowHost*>(static_cast<QWidget*>(receiver)->window());
    if (!host || !host->Handle())
        return false;
    QPoint p = static_cast<QWidget*>(receiver)->mapTo(host, m.pos.toPoint());
    bool passOn = true;
    core::Dispatch(host->Handle(), m.msg, m.wParam, MAKELPARAM(p.x(), p.y()), &passOn);
    return !passOn;
}

} // namespace DuiLib
