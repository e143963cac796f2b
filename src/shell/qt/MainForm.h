#pragma once

#include "MainMenus.h"
#include "MainPicture.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>

class QPushButton;

namespace zunaka {

class KeyBox;
struct GameState;
class Platform;

// The main window: fixed size, menu bar, the key box `Text1` and the visible surface. Every handler it
// raises runs inside the main loop's event step.
class MainForm : public QMainWindow {
public:
    MainForm(GameState& state, Platform& platform);

    // The key box `Text1` and the OK button `Command1`, made on first use.
    KeyBox* keyBox();
    QPushButton* okButton();
    // The records page's own buttons, made on first use like OK.
    QPushButton* pageButton(PageButton which);
    bool hasPageButton(PageButton which) const { return pageButtons_.contains(which); }
    // Empty while the box has not been made.
    std::string keyBoxText() const;
    MainPicture* mainPicture() const { return mainPicture_; }
    MainMenus& menus() { return *menus_; }

    // The client area under the menu bar becomes exactly `size`, all of it the visible surface; the
    // window keeps that size.
    void setClientSize(QSize size);
    // Full screen with the menu bar, or back to the client size and place the window had before.
    void setFullScreen(bool on);
    // Where the key box and the OK button stand, in client coordinates.
    void placeKeyBox(const QRect& rect);
    void placeOkButton(const QRect& rect);
    void placePageButton(PageButton which, const QRect& rect);

    // Raised by the windowing system's close (close box, window manager, session end); the forms run the
    // game's unload handlers for it.
    std::function<void()> onClose;
    // Raised by a click on the OK button.
    std::function<void()> onOkClicked;
    std::function<void(PageButton)> onPageButtonClicked;
    // Raised when the window manager takes the window out of full screen by itself (its own key, or a
    // refusal): the game leaves full screen as if asked.
    std::function<void()> onFullScreenLost;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void placeOnClient(QWidget& control, const QRect& rect, int fontPx);
    void placeControls();
    void showPictureBehindKeyBox();

    GameState& state_;
    Platform& platform_;
    MainPicture* mainPicture_ = nullptr;
    KeyBox* text1_ = nullptr;
    QPushButton* command1_ = nullptr;
    std::unique_ptr<MainMenus> menus_;
    QRect keyBoxRect_;
    QRect okButtonRect_;
    struct PlacedButton {
        QPushButton* button = nullptr;
        QRect rect;
    };
    std::map<PageButton, PlacedButton> pageButtons_;
    bool fullScreen_ = false;
    QPoint windowedPlace_;  // where the window's inside was, and its client size, to come back to
    QSize windowedClient_;
};

} // namespace zunaka
