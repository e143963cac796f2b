#pragma once

#include "MainMenus.h"

#include <QImage>
#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>

class QPushButton;

namespace zunaka {

class KeyBox;
struct GameState;
class Platform;

// The visible drawing surface, `MainPicture`. Qt repaints widgets from its own backing store, and a paint
// event draws its rectangle of what was last sent to the window.
//
// The game draws into one buffer and sends what it drew to the window at once, one to one on a screen
// large enough, before Qt paints again. So while every copy is one to one from the same picture, the
// surface paints straight from that picture and keeps no copy of its own: a full-size picture less in
// memory, and no copying in every frame. A shrunk copy, or one from another picture, makes it keep its own
// copy from then on. The picture sent must outlive the surface, as the game's buffer does.
class MainPicture : public QWidget {
public:
    explicit MainPicture(QWidget* parent);

    // Sizes the surface, and with it the client area; it starts white, the window background.
    void setCanvasSize(QSize size);
    // Shows a rectangle of an off-screen surface on the window, scaled when the sizes differ.
    void blit(const QImage& source, const QRect& from, const QRect& to);

    // Raised when the surface is shown or shown anew (after being minimised); the game repaints all of it.
    std::function<void()> onShown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void keepOwnCopy();

    const QImage* shown_ = nullptr;  // the picture painted one to one, while there is no copy
    QImage copy_;
};

// The main window: fixed size, menu bar, the key box `Text1` and the visible surface. Every handler it
// raises runs inside the main loop's event step.
class MainForm : public QMainWindow {
public:
    MainForm(GameState& state, Platform& platform);

    // The key box `Text1` and the OK button `Command1`, made on first use.
    KeyBox* keyBox();
    QPushButton* okButton();
    // Empty while the box has not been made.
    std::string keyBoxText() const;
    MainPicture* mainPicture() const { return mainPicture_; }
    MainMenus& menus() { return *menus_; }

    // The client area under the menu bar becomes exactly `size`, all of it the visible surface; the
    // window keeps that size.
    void setClientSize(QSize size);

    // Raised by the windowing system's close (close box, window manager, session end); the forms run the
    // game's unload handlers for it.
    std::function<void()> onClose;
    // Raised by a click on the OK button.
    std::function<void()> onOkClicked;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    GameState& state_;
    Platform& platform_;
    MainPicture* mainPicture_ = nullptr;
    KeyBox* text1_ = nullptr;
    QPushButton* command1_ = nullptr;
    std::unique_ptr<MainMenus> menus_;
};

} // namespace zunaka
