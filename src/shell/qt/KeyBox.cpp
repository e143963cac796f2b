#include "KeyBox.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>
#include <QTextLayout>

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

// A character typed with no modifier but Shift: no shortcut of the window is one (they all take Ctrl, or
// are keys that type nothing such as F11 and Esc), nor is a menu's, which takes Alt.
bool plainCharacter(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers others = event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    return others == Qt::NoModifier && types(event);
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
    // Read once and when the desktop changes it: asking at every key went through the platform's theme.
    QStyleHints* hints = QGuiApplication::styleHints();
    flashMs_ = hints->cursorFlashTime();
    connect(hints, &QStyleHints::cursorFlashTimeChanged, this, [this](int ms) { flashMs_ = ms; });
}

void KeyBox::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    if (!holdingRepaint_)
        repaintText();
}

// The frame stays as it is: only the inside is painted again, where the box paints all of it itself.
void KeyBox::repaintText()
{
    update(paintBehind_ && !inside_.isEmpty() ? inside_ : rect());
}

void KeyBox::setPaintBehind(PaintBehind paint)
{
    paintBehind_ = std::move(paint);
    setAttribute(Qt::WA_OpaquePaintEvent, paintBehind_ != nullptr);
}

// Before a key press reaches the box, Qt offers it to the window's shortcuts, through every widget from
// the box up and then the list of shortcuts: for a plain character, which none of them takes, that was a
// tenth of what a key cost. The box claims it first, as a line edit claims the characters it types.
bool KeyBox::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && plainCharacter(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void KeyBox::keyPressEvent(QKeyEvent* event)
{
    // Modifiers and cursor keys type nothing and leave the box as it is.
    if (event->text().isEmpty())
        return;
    // The handler empties the box and the character goes in after: the box is painted once, for what it
    // holds at the end, and not at all when that is what it showed (a key typed again).
    const QString before = text_;
    {
        const QScopedValueRollback holding(holdingRepaint_, true);
        if (onKeyPress)
            onKeyPress();
        if (types(*event))
            setText(text_ + event->text());
    }
    if (text_ != before)
        repaintText();
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

QStyleOptionFrame KeyBox::frameOption() const
{
    QStyleOptionFrame option;
    option.initFrom(this);
    option.state |= QStyle::State_Sunken;
    return option;
}

void KeyBox::refreshFrame()
{
    const QStyleOptionFrame option = frameOption();
    const FrameLook look{size(), static_cast<int>(option.state), option.palette.cacheKey(), devicePixelRatio()};
    if (look == frameLook_)
        return;
    makeFrame(option);
    frameLook_ = look;
}

// The frame is the one the desktop's style gives a line edit. Fusion rounds and smooths it, and Qt
// rasterizes a smoothed outline as tall as the box by handing its rows to a pool of threads and waiting
// for them; drawn at every key, that was a third of what a key cost the game's main thread.
void KeyBox::makeFrame(const QStyleOptionFrame& look)
{
    QStyleOptionFrame option = look;
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    const qreal ratio = devicePixelRatio();
    frame_ = QPixmap(size() * ratio);
    frame_.setDevicePixelRatio(ratio);
    frame_.fill(Qt::transparent);
    {
        QPainter painter(&frame_);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    }
    inside_ = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    seeThrough_ = QRegion();
    const QImage drawn = frame_.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < drawn.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        for (int x = 0; x < drawn.width();) {
            const int from = x;
            while (x < drawn.width() && qAlpha(row[x]) < 255)
                ++x;
            if (x > from)
                seeThrough_ += QRectF(from / ratio, y / ratio, (x - from) / ratio, 1 / ratio).toAlignedRect();
            ++x;
        }
    }
    places_.clear();
}

// A line of text stands inside the frame two pixels in from it, as tall as the font's line or the
// character, whichever is taller, and centred in height. Measuring a character and drawing it as text
// shape it, which cost more than the rest of a key's painting: each character is shaped the first time it
// is typed, and its glyphs are drawn from then on, where drawing it as text would have put them.
const KeyBox::TextPlace& KeyBox::textPlace()
{
    refreshFrame();
    if (const auto found = places_.constFind(text_); found != places_.cend())
        return *found;
    const QFontMetrics metrics = fontMetrics();
    const int height = std::max(metrics.boundingRect(text_).height(), metrics.height());
    const QRect line(inside_.x() + kTextMargin, inside_.y() + (inside_.height() - height + 1) / 2,
                     inside_.width() - 2 * kTextMargin, height);
    const int advance = metrics.horizontalAdvance(text_);
    const int left = textLeft(line, advance);
    const int caretWidth = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);

    QTextLayout layout(text_, font());
    QTextOption oneLine;
    oneLine.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(oneLine);
    layout.beginLayout();
    QTextLine laidOut = layout.createLine();
    laidOut.setLineWidth(advance);
    layout.endLayout();
    const qreal ascent = laidOut.ascent();
    const TextPlace place{QPointF(left, line.y() + metrics.ascent() - ascent), layout.glyphRuns(),
                          QRect(left + advance, line.y(), std::max(caretWidth, 1), metrics.ascent() + metrics.descent())};
    return *places_.insert(text_, place);
}

void KeyBox::paintEvent(QPaintEvent* event)
{
    const TextPlace& place = textPlace();
    QPainter painter(this);
    if (paintBehind_ && seeThrough_.intersects(event->region())) {
        painter.save();
        painter.translate(-pos());
        paintBehind_(painter, event->rect().translated(pos()));
        painter.restore();
    }
    painter.drawPixmap(0, 0, frame_);
    painter.setClipRect(inside_);
    painter.setPen(palette().color(QPalette::Text));
    for (const QGlyphRun& glyphs : place.glyphs)
        painter.drawGlyphRun(place.origin, glyphs);
    if (caretShown_)
        painter.fillRect(place.caret, palette().color(QPalette::Text));
}

// The cursor shows at once when the box gets the focus or a key is typed, then blinks at the desktop's
// rate; a rate of 0 means a cursor that does not blink.
void KeyBox::showCaret(bool shown)
{
    const int period = flashMs_ / 2;
    if (shown && period > 0)
        blink_.start(period, this);
    else
        blink_.stop();
    if (shown == caretShown_)
        return;
    caretShown_ = shown;
    update(textPlace().caret);
}

// Another font or style places the text anew; another look of the frame is seen when the box paints.
void KeyBox::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        frameLook_ = {};
        places_.clear();
    }
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
    update(textPlace().caret);
}

} // namespace zunaka
