#pragma once

// Internal: thin grips along a frameless window's edges and corners that
// resize it, through the window manager where there is one.

#include <QRect>
#include <QSize>

class QWidget;

namespace DuiLib {

// The geometry after dragging `edges` (Qt::Edges as an int) of `start` by
// `delta`; the opposite sides stay put and the size never drops below `min`.
QRect ResizedGeometry(const QRect& start, int edges, QPoint delta, QSize min);

// Puts grips `thickness` pixels wide on every edge and corner of `window`
// (they follow its size) and makes `min` its minimum size.
void AddResizeEdges(QWidget* window, int thickness, QSize min);

} // namespace DuiLib
