#pragma once

#include "MainMenus.h"

#include <QImage>
#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>

class QLineEdit;
class QPushButton;

namespace zunaka {

struct GameState;
class Platform;

// The visible drawing surface, `MainPicture`. Qt repaints widgets from its own backing store, so the
// surface keeps the picture last sent to the window: the game's copies draw into it, and a paint event
// draws its rectangle of it.
class MainPicture : public QWidget {
public:
    explicit MainPicture(QWidget* parent);

    // Sizes the surface, and with it the client area; it starts white, the window background.
    void setCanvasSize(QSize size);
    // Copies a rectangle of an off-screen surface onto the window, scaled when the sizes differ.
    void blit(const QImage& source, const QRect& from, const QRect& to);
    const QImage& image() const { return image_; }

    // Raised when the surface is shown or shown anew (after being minimised); the game repaints all of it.
    std::function<void()> onShown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QImage image_;
};

// The main window: fixed size, menu bar, the key box `Text1` and the visible surface. Every handler it
// raises runs inside the main loop's event step.
class MainForm : public QMainWindow {
public:
    MainForm(GameState& state, Platform& platform);

    // The key box `Text1` and the OK button `Command1`, made on first use.
    QLineEdit* keyBox();
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
    QLineEdit* text1_ = nullptr;
    QPushButton* command1_ = nullptr;
    std::unique_ptr<MainMenus> menus_;
};

} // namespace zunaka
