#pragma once

#include <QBasicTimer>
#include <QPixmap>
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
class KeyBox : public QWidget {
public:
    explicit KeyBox(QWidget* parent);

    const QString& text() const { return text_; }
    void setText(const QString& text);

    // Raised for a key that types something (Backspace and Delete included), before its character goes
    // in; and for every real release, not an auto-repeat's.
    std::function<void()> onKeyPress;
    std::function<void()> onKeyUp;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    const QPixmap& frame(const QStyleOptionFrame& option);
    QStyleOptionFrame frameOption() const;
    QRect textLine() const;
    QRect caretRect() const;
    void showCaret(bool shown);

    QString text_;
    // The frame as the style drew it last, and for which look: it is drawn once for each look and copied
    // after (below).
    QPixmap frame_;
    QString frameKey_;
    // The text cursor after the character, blinking while the box has the focus, as a line edit's did.
    QBasicTimer blink_;
    bool caretShown_ = false;
};

} // namespace zunaka
