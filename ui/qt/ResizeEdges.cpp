#include "ui/qt/ResizeEdges.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <vector>

namespace DuiLib {

namespace {

// One edge or corner. A press asks the window manager to resize; without
// one (bare X, offscreen) the grip follows the pointer itself.
class EdgeGrip : public QWidget {
public:
    EdgeGrip(QWidget* window, Qt::Edges edges, QSize min) : QWidget(window), m_edges(edges), m_min(min)
    {
        setCursor(CursorFor(edges));
    }
    const Qt::Edges m_edges;

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() != Qt::LeftButton)
            return e->ignore();
        QWindow* handle = window()->windowHandle();
        if (handle && handle->startSystemResize(m_edges))
            return;
        m_resizing = true;
        m_pressAt = e->globalPosition().toPoint();
        m_start = window()->geometry();
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (m_resizing)
            window()->setGeometry(ResizedGeometry(m_start, m_edges, e->globalPosition().toPoint() - m_pressAt, m_min));
    }
    void mouseReleaseEvent(QMouseEvent*) override { m_resizing = false; }

private:
    static Qt::CursorShape CursorFor(Qt::Edges edges)
    {
        if (edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge))
            return Qt::SizeFDiagCursor;
        if (edges == (Qt::TopEdge | Qt::RightEdge) || edges == (Qt::BottomEdge | Qt::LeftEdge))
            return Qt::SizeBDiagCursor;
        return edges & (Qt::LeftEdge | Qt::RightEdge) ? Qt::SizeHorCursor : Qt::SizeVerCursor;
    }

    QSize m_min;
    bool m_resizing = false;
    QPoint m_pressAt;
    QRect m_start;
};

// Makes the grips and keeps them on the window's edges, above its content.
class GripPlacer : public QObject {
public:
    GripPlacer(QWidget* window, int thickness, QSize min) : QObject(window), m_thickness(thickness)
    {
        const Qt::Edges all[] = {Qt::LeftEdge, Qt::RightEdge, Qt::TopEdge, Qt::BottomEdge, Qt::TopEdge | Qt::LeftEdge,
            Qt::TopEdge | Qt::RightEdge, Qt::BottomEdge | Qt::LeftEdge, Qt::BottomEdge | Qt::RightEdge};
        for (Qt::Edges edges : all)
            m_grips.push_back(new EdgeGrip(window, edges, min)); // the window owns them
        Place(window);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Resize || e->type() == QEvent::Show || e->type() == QEvent::ChildAdded)
            Place(static_cast<QWidget*>(watched));
        return false;
    }

private:
    void Place(QWidget* window) const
    {
        const int t = m_thickness, w = window->width(), h = window->height();
        for (EdgeGrip* grip : m_grips) {
            const Qt::Edges e = grip->m_edges;
            const int x = e & Qt::LeftEdge ? 0 : e & Qt::RightEdge ? w - t : t;
            const int y = e & Qt::TopEdge ? 0 : e & Qt::BottomEdge ? h - t : t;
            const int gw = e & (Qt::LeftEdge | Qt::RightEdge) ? t : w - 2 * t;
            const int gh = e & (Qt::TopEdge | Qt::BottomEdge) ? t : h - 2 * t;
            grip->setGeometry(x, y, gw, gh);
            grip->raise();
        }
    }

    int m_thickness;
    std::vector<EdgeGrip*> m_grips;
};

} // namespace

QRect ResizedGeometry(const QRect& start, int edges, QPoint delta, QSize min)
{
    int left = start.left(), top = start.top();
    int right = start.left() + start.width(), bottom = start.top() + start.height();
    if (edges & Qt::LeftEdge)
        left = std::min(left + delta.x(), right - min.width());
    if (edges & Qt::RightEdge)
        right = std::max(right + delta.x(), left + min.width());
    if (edges & Qt::TopEdge)
        top = std::min(top + delta.y(), bottom - min.height());
    if (edges & Qt::BottomEdge)
        bottom = std::max(bottom + delta.y(), top + min.height());
    return QRect(left, top, right - left, bottom - top);
}

void AddResizeEdges(QWidget* window, int thickness, QSize min)
{
    window->setMinimumSize(min);
    window->installEventFilter(new GripPlacer(window, thickness, min));
}

} // namespace DuiLib
