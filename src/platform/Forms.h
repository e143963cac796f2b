#pragma once

#include <QMargins>
#include <QRect>

#include <optional>
#include <string>
#include <vector>

class QImage;

namespace zunaka {

// The main window's menus whose items carry check marks.
enum class Menu { Lesson, Speed, MojiCount, Bgm, Screen };

// The records page's buttons beside OK: きろくをけす, and the player's name to change it.
enum class PageButton { EraseRecords, Player };

// The two windows and their controls, as the game's handlers drive them. The Qt windows implement it in
// the game, a recorder in tests.
class Forms {
public:
    virtual ~Forms() = default;

    // The main window. Unloading raises its query-unload and unload handlers, once: a request made while an
    // unloading is under way, or after it, does nothing.
    virtual void showMainForm() = 0;
    virtual void hideMainForm() = 0;
    virtual void unloadMainForm() = 0;

    // The key box `Text1`.
    virtual void setKeyBoxVisible(bool visible) = 0;
    virtual void setKeyBoxText(const std::string& text) = 0;
    virtual std::string keyBoxText() const = 0;
    virtual void focusKeyBox() = 0;

    // The title window. Unloading raises its unload handler, once, as for the main window.
    virtual void showTitleForm() = 0;
    virtual void paintTitle(const QImage& picture, int width, int height) = 0;
    virtual void setTitleTimerEnabled(bool enabled) = 0;
    virtual void unloadTitleForm() = 0;

    // Client size of the main window in pixels: the area under the menu bar, all of it `MainPicture`. In
    // full screen it is the canvas's size, whatever the screen's, and the window shows it scaled.
    virtual int mainScaleWidth() const = 0;
    virtual int mainScaleHeight() const = 0;

    // Sizes the main window so that its client area under the menu bar is width x height, fixed; the
    // title window gets the same outer size.
    virtual void setMainClientSize(int width, int height) = 0;
    // What the main window has around its client area up to its outer edge: the menu bar, and the window
    // manager's frame as far as it is known yet (none until a window has been framed).
    virtual QMargins mainFrame() const = 0;
    // Full screen: the main window covers the screen with its menu bar and shows the canvas-sized client
    // area scaled up and centred. Off again, the window comes back with the size and place it had.
    virtual void setFullScreen(bool on) = 0;
    virtual void placeKeyBox(const QRect& rect) = 0;

    // Copies the `from` rectangle of an off-screen surface onto the `to` rectangle of the visible surface
    // `MainPicture`, scaled when the sizes differ, and shows it on the window.
    virtual void blitToWindow(const QImage& source, const QRect& from, const QRect& to) = 0;
    // The check mark of item `index` (from 1; the music menu has the one item) of a menu. Only the menus'
    // handlers set marks; choosing an item changes none by itself.
    virtual void setMenuChecked(Menu menu, int index, bool checked) = 0;

    // The guide page's OK button `Command1`, in front of `MainPicture`: shown or hidden, and placed at
    // `rect` in client coordinates; an empty rectangle leaves it where it is.
    virtual void setOkButton(bool visible, const QRect& rect = {}) = 0;
    // A records page's button, as the OK button: shown or hidden, placed at `rect` in client coordinates.
    virtual void setPageButton(PageButton button, bool visible, const QRect& rect = {}) = 0;

    // A small dialog over the main window to choose among `players` or, with `mayAdd`, to type a new name
    // (an input method welcome). Returns the name chosen, or nothing when cancelled.
    virtual std::optional<std::string> askPlayer(const std::vector<std::string>& players, const std::string& current,
                                                 bool mayAdd) = 0;
};

} // namespace zunaka
