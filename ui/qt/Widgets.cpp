#include "ui/qt/Widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <climits>

#include "ui/qt/WindowHost.h"
#include "ui/qt/WrappedText.h"

namespace DuiLib {

static Qt::Alignment ParseAlign(const QString& value)
{
    Qt::Alignment h = value == "center" ? Qt::AlignHCenter
                      : value == "right" ? Qt::AlignRight
                                         : Qt::AlignLeft;
    return h | Qt::AlignVCenter;
}

bool SetLookAttribute(Look& look, const QString& name, const QString& value)
{
    if (name == "bkcolor") look.bk = QColor(value);
    else if (name == "hotbkcolor") look.hotBk = QColor(value);
    else if (name == "pushedbkcolor") look.pushedBk = QColor(value);
    else if (name == "selectedbkcolor") look.selectedBk = QColor(value);
    else if (name == "bordercolor") look.border = QColor(value);
    else if (name == "textcolor") look.text = QColor(value);
    else if (name == "bkimage") look.image = value;
    else if (name == "align") look.align = ParseAlign(value);
    else if (name == "maxwidth" && value.endsWith('%')) look.maxPercent = value.chopped(1).toInt();
    else if (name == "maxwidth") look.maxWidth = value.toInt();
    else if (name == "round") look.round = std::clamp(value.toInt(), 0, 64);
    else if (name == "maxlines") look.maxLines = std::clamp(value.toInt(), 1, kMaxWrappedLines);
    else return false;
    return true;
}

// A colour of a layout's background as the window's background opacity
// leaves it. The window's background is its layouts'; what sits on them
// (labels, drawn badges, buttons, images) keeps its own colours.
static QColor Faded(const QWidget* w, QColor colour)
{
    if (w->layout())
        colour.setAlpha(colour.alpha() * BackgroundAlpha(w) / 255);
    return colour;
}

// Background colour, image and frame.
static void PaintBox(QPainter& p, const QWidget* w, const Look& look, const QColor& fill)
{
    const QRect r = w->rect();
    if (look.round > 0)
        p.setRenderHint(QPainter::Antialiasing);
    if (fill.isValid()) {
        p.setPen(Qt::NoPen);
        p.setBrush(Faded(w, fill));
        p.drawRoundedRect(r, look.round, look.round);
    }
    if (!look.image.isEmpty()) {
        QPixmap image = SkinImage(look.image);
        if (!image.isNull())
            p.drawPixmap(r, image);
    }
    if (look.border.isValid()) {
        p.setPen(Faded(w, look.border));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(0, 0, -1, -1), look.round, look.round);
    }
}

// The first `units` UTF-16 units of a text, never half a surrogate pair,
// followed by "…" when anything was left out.
static QString Head(const QString& text, int units)
{
    if (text.size() <= units)
        return text;
    if (text.at(units - 1).isHighSurrogate())
        --units;
    return text.left(units) + QChar(0x2026);
}

static void PaintText(QPainter& p, const QRect& r, const Look& look, const QString& text)
{
    if (text.isEmpty())
        return;
    if (look.text.isValid())
        p.setPen(look.text);
    QString shown = p.fontMetrics().elidedText(Head(text, kMaxShownUnits), Qt::ElideRight, r.width());
    p.drawText(r, static_cast<int>(look.align) | Qt::TextSingleLine, shown);
}

// Up to look.maxLines lines, the block centred vertically.
static void PaintWrapped(QPainter& p, const QRect& r, const Look& look, const QString& text)
{
    if (text.isEmpty())
        return;
    if (look.text.isValid())
        p.setPen(look.text);
    const QFontMetrics fm = p.fontMetrics();
    const QStringList lines = WrappedLines(p.font(), Head(text, kMaxShownUnits), r.width(), look.maxLines);
    int y = r.top() + (r.height() - fm.height() - (lines.size() - 1) * fm.lineSpacing()) / 2;
    const int flags = static_cast<int>(look.align & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter | Qt::TextSingleLine;
    for (const QString& line : lines) {
        p.drawText(QRect(r.left(), y, r.width(), fm.height()), flags, line);
        y += fm.lineSpacing();
    }
}

static QSize TextSize(const QWidget* w, const QString& text, int extra)
{
    QFontMetrics fm = w->fontMetrics();
    // Glyphs may overhang their advance.
    int width = fm.horizontalAdvance(Head(text, kMaxShownUnits)) + extra + 2;
    return QSize(width, fm.height() + 6);
}

static QSize CappedTextSize(const QWidget* w, const Look& look, const QString& text, int extra)
{
    QSize size = TextSize(w, text, extra);
    if (look.maxWidth > 0 && size.width() > look.maxWidth)
        size.setWidth(look.maxWidth);
    return size;
}

Canvas::Canvas(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

// The widest a label may be: its maxwidth, or its share of the parent's
// width but never less than its first characters.
int Canvas::WidthCap() const
{
    int cap = look.maxWidth > 0 ? look.maxWidth : INT_MAX;
    if (look.maxPercent > 0 && parentWidget()) {
        int share = parentWidget()->width() * look.maxPercent / 100;
        int kept = TextSize(this, Head(text, kKeptChars), 4).width();
        cap = qMin(cap, qMax(share, kept));
    }
    return cap;
}

// A box is as big as its layout wants; a label as its text, and may shrink
// unless its width is a share of its parent's: that one keeps its width.
QSize Canvas::sizeHint() const
{
    if (layout())
        return QWidget::sizeHint();
    if (text.isEmpty())
        return QSize(0, 0);
    QSize size = TextSize(this, text, 4);
    size.setWidth(qMin(size.width(), WidthCap()));
    return size;
}

QSize Canvas::minimumSizeHint() const
{
    if (layout())
        return QWidget::minimumSizeHint();
    return look.maxPercent > 0 ? sizeHint() : QSize(0, 0);
}

bool Canvas::hasHeightForWidth() const
{
    if (layout())
        return QWidget::hasHeightForWidth();
    return look.maxLines > 1 && !text.isEmpty();
}

// One line as tall as an unwrapped label; each further line adds its spacing.
int Canvas::heightForWidth(int width) const
{
    if (layout())
        return QWidget::heightForWidth(width);
    const QFontMetrics fm = fontMetrics();
    return fm.height() + 6 + (LinesAt(width - 4) - 1) * fm.lineSpacing();
}

int Canvas::LinesAt(int width) const
{
    if (width != m_linesWidth) {
        m_linesWidth = width;
        m_lines = qMax<int>(1, WrappedLines(font(), Head(text, kMaxShownUnits), width, look.maxLines).size());
    }
    return m_lines;
}

void Canvas::TextChanged()
{
    m_linesWidth = -1;
    updateGeometry();
    update();
}

void Canvas::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange)
        TextChanged();
    QWidget::changeEvent(e);
}

// Labels whose width is a share of this one's follow its width.
void Canvas::resizeEvent(QResizeEvent*)
{
    for (QObject* child : children()) {
        auto* label = dynamic_cast<Canvas*>(child);
        if (label && label->look.maxPercent > 0)
            label->updateGeometry();
    }
}

void Canvas::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QColor fill = selected && look.selectedBk.isValid() ? look.selectedBk
                  : m_hot && look.hotBk.isValid()       ? look.hotBk
                                                        : look.bk;
    PaintBox(p, this, look, fill);
    if (look.maxLines > 1)
        PaintWrapped(p, rect().adjusted(2, 0, -2, 0), look, text);
    else
        PaintText(p, rect().adjusted(2, 0, -2, 0), look, text);
}

void Canvas::enterEvent(QEnterEvent*)
{
    m_hot = true;
    if (look.hotBk.isValid())
        update();
}

void Canvas::leaveEvent(QEvent*)
{
    m_hot = false;
    if (look.hotBk.isValid())
        update();
}

void Canvas::mouseReleaseEvent(QMouseEvent* e)
{
    if (onClick && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
        onClick();
        return;
    }
    QWidget::mouseReleaseEvent(e);
}

ButtonWidget::ButtonWidget(bool option) : m_option(option)
{
    setCheckable(option);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

QSize ButtonWidget::sizeHint() const
{
    return CappedTextSize(this, look, label, m_option ? 28 : 16);
}

void ButtonWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QColor fill = isDown() && look.pushedBk.isValid()     ? look.pushedBk
                  : isChecked() && look.selectedBk.isValid() ? look.selectedBk
                  : underMouse() && look.hotBk.isValid()   ? look.hotBk
                                                           : look.bk;
    PaintBox(p, this, look, fill);
    QRect textRect = rect().adjusted(4, 0, -4, 0);
    if (m_option) {
        PaintMark(p, QRect(4, (height() - kMark) / 2, kMark, kMark));
        textRect.setLeft(4 + kMark + 6);
    }
    PaintText(p, textRect, look, label);
}

// A round mark with a dot for one of a group; a square with a tick for a
// check box.
void ButtonWidget::PaintMark(QPainter& p, const QRect& box) const
{
    QColor mark = look.text.isValid() ? look.text : palette().color(QPalette::WindowText);
    p.setPen(mark);
    p.setBrush(Qt::NoBrush);
    if (exclusive) {
        p.drawEllipse(box);
        if (isChecked()) {
            p.setBrush(mark);
            p.drawEllipse(box.adjusted(3, 3, -3, -3));
        }
        return;
    }
    p.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    if (isChecked()) {
        p.setPen(QPen(mark, 2));
        const QPointF tick[] = {box.topLeft() + QPointF(2.5, 6), box.topLeft() + QPointF(5, 8.5),
            box.topLeft() + QPointF(9.5, 3)};
        p.drawPolyline(tick, 3);
    }
}

bool SetFieldColour(QWidget* field, const QString& qtClass, const QString& padding, const QString& name,
    const QString& value)
{
    if (name != "bkcolor" && name != "textcolor" && name != "bordercolor")
        return false;
    field->setProperty(("ui_" + name).toUtf8(), QColor(value).name(QColor::HexArgb));
    auto colour = [field](const char* key, const char* fallback) {
        QString c = field->property(key).toString();
        return c.isEmpty() ? QString(fallback) : c;
    };
    field->setStyleSheet(QString("%1{border:1px solid %2;border-radius:3px;padding:%3;background-color:%4;color:%5}")
                             .arg(qtClass, colour("ui_bordercolor", "#ffb0b8c4"), padding,
                                 colour("ui_bkcolor", "#ffffffff"), colour("ui_textcolor", "#ff202020")));
    return true;
}

} // namespace DuiLib
