#pragma once

#include <QBasicTimer>
#include <QGlyphRun>
#include <QHash>
#include <QPixmap>
#include <QRegion>
#include <QStyleOptionFrame>
#include <QWidget>

#include <functional>


namespace zunaka {

// The key box `Text1`: a white box in the desktop's line-edit frame that shows the last character typed.
//
// It is a widget of its own rather than a line edit so that no input method ever reaches it. A line edit
// tells the input method it takes text whatever its attributes say, so fcitx5 or ibus with mozc switched
// on composed kana in it, swallowed Ctrl+S and Ctrl+Q mid-word, turned composition on at 半角/全角, and
// opened the on-screen keyboard on Wayland. This box answers the input method's "enabled" question with
// the plain widget's "no", so the keys come straight from the keyboard as the characters they type.
//
// Given what it stands in front of (setPaintBehind), it paints every pixel of its rectangle itself, the
// few the frame leaves see-through from that, so a key repaints the inside of the box alone and not the
// picture under it.
class KeyBox : public QWidget {
public:
    explicit KeyBox(QWidget* parent);

    const QString& text() const { return text_; }
    void setText(const QString& text);

    // Raised for a key that types something (Backspace and Delete included), before its character goes
    // in; and for every real release, not an auto-repeat's.
    std::function<void()> onKeyPress;
    std::function<void()> onKeyUp;
    // Given what paints the parent in a rectangle of its own (onto a painter in its coordinates), the box
    // paints the parent's pixels its frame lets through itself and Qt no longer paints the parent under
    // it first; given nothing, Qt does.
    using PaintBehind = std::function<void(QPainter&, const QRect&)>;
    void setPaintBehind(PaintBehind paint);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // What the style's frame depends on: it is drawn again only when one of these changes.
    struct FrameLook {
        QSize size;
        int state = 0;
        qint64 palette = 0;
        qreal ratio = 0;
        bool operator==(const FrameLook&) const = default;
    };
    // A text laid out in the box, once for each text typed: its glyphs from where they are drawn, and the
    // text cursor after it.
    struct TextPlace {
        QPointF origin;
        QList<QGlyphRun> glyphs;
        QRect caret;
    };

    QStyleOptionFrame frameOption() const;
    void refreshFrame();
    void makeFrame(const QStyleOptionFrame& option);
    const TextPlace& textPlace();
    void showCaret(bool shown);
    void repaintText();

    QString text_;
    bool holdingRepaint_ = false;  // while a key press is handled
    PaintBehind paintBehind_;
    // The frame as the style drew it last, and for which look: it is drawn once for each look and copied
    // after (below), with the inside of the frame the text is clipped to, and the part of the box the frame
    // leaves see-through.
    QPixmap frame_;
    FrameLook frameLook_;
    QRect inside_;
    QRegion seeThrough_;
    // For the inside of the frame and the font of now; emptied when either changes.
    QHash<QString, TextPlace> places_;
    // The text cursor after the character, blinking while the box has the focus, as a line edit's did.
    QBasicTimer blink_;
    int flashMs_ = 0;  // the desktop's blinking period, on and off
    bool caretShown_ = false;
};

} // namespace zunaka
