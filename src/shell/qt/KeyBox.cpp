#include "KeyBox.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
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

void KeyBox::paintEvent(QPaintEvent*)
{
    QStyleOptionFrame option;
    option.initFrom(this);
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    option.state |= QStyle::State_Sunken;
    QPainter painter(this);
    painter.drawPixmap(0, 0, frame(option));

    const QRect inside = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    painter.setClipRect(inside);
    const QFontMetrics metrics = fontMetrics();
    const QRect line = inside.adjusted(kTextMargin, 0, -kTextMargin, 0);
    const int lineHeight = std::max(metrics.boundingRect(text_).height(), metrics.height());
    const int top = line.y() + (line.height() - lineHeight + 1) / 2;
    // A character wider than the box (W, M, @ at this size) shows its right-hand end, as a line edit
    // scrolls to keep its cursor in view; one that fits starts at the margin.
    const int advance = metrics.horizontalAdvance(text_);
    const int left = advance + 1 <= line.width() ? line.x() : line.right() - advance;
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QPoint(left, top + metrics.ascent()), text_);
}

} // namespace zunaka
