#include "KeyBox.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>

#include <algorithm>

namespace zunaka {

namespace {

// The character stands where a line edit puts its text: two pixels in from the frame, centred in height.
constexpr int kTextMargin = 2;

// A character the box takes in, as a line edit would: a printable one, typed without Ctrl (Ctrl with
// Alt, as some layouts type their third characters, still counts).
bool types(const QKeyEvent& event)
{
    const QString text = event.text();
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool ctrlOnly = mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier);
    return !text.isEmpty() && text.at(0).isPrint() && !ctrlOnly;
}

// A character wider than the box (W, M, @ at this size) shows its right-hand end, as a line edit scrolls to
// keep its cursor in view; one that fits starts at the line's left.
int textLeft(const QRect& line, int advance)
{
    return advance + 1 <= line.width() ? line.x() : line.right() - advance;
}

} // namespace

KeyBox::KeyBox(QWidget* parent) : QWidget(parent)
{
    // A plain widget's default, stated because the box's whole point rests on it.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    // Taken by a click as well as given by the main loop, as a line edit's.
    setFocusPolicy(Qt::StrongFocus);
}

void KeyBox::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    update();
}

void KeyBox::keyPressEvent(QKeyEvent* event)
{
    // Modifiers and cursor keys type nothing and leave the box as it is.
    if (event->text().isEmpty())
        return;
    if (onKeyPress)
        onKeyPress();
    if (types(*event))
        setText(text_ + event->text());
    // Typing shows the cursor at once, and the blinking starts over from there.
    showCaret(true);
}

void KeyBox::keyReleaseEvent(QKeyEvent* event)
{
    // A held key repeats as press and release pairs marked auto-repeat; only the real release counts, so
    // holding a key is judged once.
    if (!event->isAutoRepeat() && onKeyUp)
        onKeyUp();
}

// The frame is the one the desktop's style gives a line edit. Fusion rounds and smooths it, and Qt
// rasterizes a smoothed outline as tall as the box by handing its rows to a pool of threads and waiting
// for them; drawn at every key, that was a third of what a key cost the game's main thread.
const QPixmap& KeyBox::frame(const QStyleOptionFrame& option)
{
    const qreal ratio = devicePixelRatio();
    const QString key = QStringLiteral("%1x%2-%3-%4-%5")
                            .arg(width())
                            .arg(height())
                            .arg(static_cast<uint>(option.state))
                            .arg(option.palette.cacheKey())
                            .arg(ratio);
    if (key != frameKey_) {
        frame_ = QPixmap(size() * ratio);
        frame_.setDevicePixelRatio(ratio);
        frame_.fill(Qt::transparent);
        QPainter painter(&frame_);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
        frameKey_ = key;
    }
    return frame_;
}

// Where a line of text stands inside the frame: two pixels in from it, as tall as the font's line or the
// character, whichever is taller, and centred in height.
QStyleOptionFrame KeyBox::frameOption() const
{
    QStyleOptionFrame option;
    option.initFrom(this);
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    option.state |= QStyle::State_Sunken;
    return option;
}

QRect KeyBox::textLine() const
{
    const QStyleOptionFrame option = frameOption();
    const QRect inside = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QFontMetrics metrics = fontMetrics();
    const int height = std::max(metrics.boundingRect(text_).height(), metrics.height());
    return {inside.x() + kTextMargin, inside.y() + (inside.height() - height + 1) / 2,
            inside.width() - 2 * kTextMargin, height};
}

QRect KeyBox::caretRect() const
{
    const QRect line = textLine();
    const QFontMetrics metrics = fontMetrics();
    const int advance = metrics.horizontalAdvance(text_);
    const int width = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
    return {textLeft(line, advance) + advance, line.y(), std::max(width, 1), metrics.ascent() + metrics.descent()};
}

void KeyBox::paintEvent(QPaintEvent*)
{
    const QStyleOptionFrame option = frameOption();
    QPainter painter(this);
    painter.drawPixmap(0, 0, frame(option));

    painter.setClipRect(style()->subElementRect(QStyle::SE_LineEditContents, &option, this));
    const QRect line = textLine();
    const QFontMetrics metrics = fontMetrics();
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QPoint(textLeft(line, metrics.horizontalAdvance(text_)), line.y() + metrics.ascent()), text_);
    if (caretShown_)
        painter.fillRect(caretRect(), palette().color(QPalette::Text));
}

// The cursor shows at once when the box gets the focus or a key is typed, then blinks at the desktop's
// rate; a rate of 0 means a cursor that does not blink.
void KeyBox::showCaret(bool shown)
{
    const int period = QGuiApplication::styleHints()->cursorFlashTime() / 2;
    if (shown && period > 0)
        blink_.start(period, this);
    else
        blink_.stop();
    if (shown == caretShown_)
        return;
    caretShown_ = shown;
    update(caretRect());
}

void KeyBox::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    showCaret(true);
}

void KeyBox::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    showCaret(false);
}

void KeyBox::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != blink_.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    caretShown_ = !caretShown_;
    update(caretRect());
}

} // namespace zunaka
