#pragma once

// Internal: the Qt widgets that draw the controls. Text is always drawn as
// plain text: no rich text, no mnemonics.

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <functional>

class QPainter;

namespace DuiLib {

// How a control looks; empty colours and images are not drawn.
struct Look {
    QColor bk, hotBk, pushedBk, selectedBk, border, text;
    QString image;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    int maxWidth = 0;   // 0: no limit on the preferred width
    int maxPercent = 0; // a share of the parent's width instead: the label
                        // then keeps its width up to it (see LAYOUT.md)
    int round = 0;      // corner radius of the background and frame
    int maxLines = 1;   // more than 1: the text wraps onto up to this many lines
};

// Longest part of a text that is ever measured or drawn, in UTF-16 units:
// a longer text costs the same as one of this length.
constexpr int kMaxShownUnits = 1000;
// Most lines a wrapping label takes ("maxlines").
constexpr int kMaxWrappedLines = 8;
// A label whose width is a share of its parent's never shows fewer than its
// first this many characters (followed by "…").
constexpr int kKeptChars = 3;

// Reads one look attribute; false if the name is not a look attribute.
bool SetLookAttribute(Look& look, const QString& name, const QString& value);

// A widget with a look and an optional text, on one line or wrapped onto
// up to look.maxLines lines (then its height follows its width); elided to fit.
class Canvas : public QWidget {
public:
    explicit Canvas(QWidget* parent = nullptr);
    Look look;
    QString text;
    std::function<void()> onClick; // set for clickable rows
    bool selected = false;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    // After the text, font or lines changed.
    void TextChanged();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void changeEvent(QEvent* e) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    int WidthCap() const;
    int LinesAt(int width) const;
    bool m_hot = false;
    // The lines of the text at one width: layouts ask again and again.
    mutable int m_linesWidth = -1;
    mutable int m_lines = 1;
};

// A push button or (checkable) option drawn with a look.
class ButtonWidget : public QAbstractButton {
public:
    explicit ButtonWidget(bool option);
    Look look;
    QString label; // QAbstractButton::setText would turn '&' into a shortcut
    bool exclusive = false; // one of a group: a round mark, else a check box

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    static constexpr int kMark = 12; // the side of an option's mark
    void PaintMark(QPainter& p, const QRect& box) const;
    bool m_option;
};

// Reads a text field's colour attribute ("bkcolor", "textcolor",
// "bordercolor") into the style sheet of `field`, whose Qt class is
// `qtClass`, with `padding` as CSS; false for any other attribute.
bool SetFieldColour(QWidget* field, const QString& qtClass, const QString& padding, const QString& name,
    const QString& value);

// The pixmap of a skin image, or a null pixmap when the skin has none.
QPixmap SkinImage(const QString& name);

} // namespace DuiLib
