#pragma once

#include "MainMenus.h"

#include <QImage>
#include <QMainWindow>

#include <functional>
#include <memory>

class QLineEdit;

namespace zunaka {

struct GameState;
class Platform;

// The visible drawing surface, `MainPicture`: shows the picture last copied to it and repaints from it.
class MainPicture : public QWidget {
public:
    explicit MainPicture(QWidget* parent);
    QImage& image() { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

// The main window: fixed size, menu bar, the key box `Text1` and the visible surface. Every handler it
// raises runs inside the main loop's event step.
class MainForm : public QMainWindow {
public:
    MainForm(GameState& state, Platform& platform);

    QLineEdit* keyBox() const { return text1_; }
    MainPicture* mainPicture() const { return mainPicture_; }
    MainMenus& menus() { return *menus_; }

    // Raised by the windowing system's close (close box, window manager, session end); the forms run the
    // game's unload handlers for it.
    std::function<void()> onClose;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    GameState& state_;
    Platform& platform_;
    MainPicture* mainPicture_ = nullptr;
    QLineEdit* text1_ = nullptr;
    std::unique_ptr<MainMenus> menus_;
};

} // namespace zunaka
