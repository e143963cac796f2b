#include "QtForms.h"

#include "KeyBox.h"
#include "PlayerDialog.h"

#include "help/HelpPage.h"
#include "help/RecordsPage.h"
#include "shell/Shutdown.h"
#include "screen/Composition.h"
#include "shell/Title.h"
#include "shell/View.h"

#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace zunaka {

QtForms::QtForms(GameState& state, Platform& platform) : state_(state), platform_(platform), main_(state, platform)
{
    main_.onClose = [this] { unloadMainForm(); };
    title_.onTick = [this] { titleTimerTick(state_, platform_); };
    title_.onMouseDown = [this] { titleMouseDown(state_, platform_); };
    title_.onClose = [this] { unloadTitleForm(); };
    main_.mainPicture()->onShown = [this] { mainPicturePaint(state_, platform_); };
    main_.onOkClicked = [this] { command1Click(state_, platform_); };
    main_.onPageButtonClicked = [this](PageButton which) {
        if (which == PageButton::EraseRecords)
            eraseRecordsClick(state_, platform_);
        else
            playerClick(state_, platform_);
    };
    frameWatch_.onChanged = [this] { frameChanged(); };
    main_.onFullScreenLost = [this] { leaveFullScreen(state_, platform_); };
}

// A window manager framed the windows, or framed them anew, or the desktop's panels changed: the game
// fits the windows again, and the windows, placed before their frame was known, are centred with it.
void QtForms::frameChanged()
{
    mainFrameChanged(state_, platform_);
    for (QWidget* window : {static_cast<QWidget*>(&main_), static_cast<QWidget*>(&title_)}) {
        if (window->isVisible() && !window->isFullScreen())
            centre(*window);
    }
}

QMargins QtForms::mainFrame() const
{
    // The menu bar as it lays out over the client's width, then the window manager's frame.
    const int width = main_.mainPicture()->width();
    const int menuBar = main_.menuBar()->heightForWidth(width);
    return frameWatch_.frame() + QMargins(0, menuBar > 0 ? menuBar : main_.menuBar()->sizeHint().height(), 0, 0);
}

void QtForms::setFullScreen(bool on)
{
    main_.setFullScreen(on);
}

void QtForms::setMainClientSize(int width, int height)
{
    main_.setClientSize(QSize(width, height));
    // Both windows have the same outer size; the title window, without a menu bar, shows its picture
    // where the main window has its menu bar and playfield.
    title_.setFixedSize(main_.size());
}

void QtForms::placeKeyBox(const QRect& rect)
{
    main_.placeKeyBox(rect);
}

void QtForms::blitToWindow(const QImage& source, const QRect& from, const QRect& to)
{
    main_.mainPicture()->blit(source, from, to);
}

void QtForms::setOkButton(bool visible, const QRect& rect)
{
    if (!rect.isEmpty())
        main_.placeOkButton(rect);
    main_.okButton()->setVisible(visible);
}

void QtForms::setPageButton(PageButton button, bool visible, const QRect& rect)
{
    // The guide page's OK hides them too: a button never shown is not made for that.
    if (!visible && !main_.hasPageButton(button))
        return;
    if (!rect.isEmpty())
        main_.placePageButton(button, rect);
    main_.pageButton(button)->setVisible(visible);
}

std::optional<std::string> QtForms::askPlayer(const std::vector<std::string>& players, const std::string& current,
                                              bool mayAdd)
{
    return PlayerDialog::ask(&main_, players, current, mayAdd);
}

void QtForms::centre(QWidget& window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window.adjustSize();
    // The window's place is that of its frame's corner; a frame not known yet is taken as the last one.
    const QMargins frame = frameWatch_.frame();
    const QSize outer = window.size().grownBy(frame);
    const QRect area = screen->availableGeometry();
    const QPoint corner = area.center() - QPoint(outer.width() / 2, outer.height() / 2);
    window.move(std::max(corner.x(), area.left()), std::max(corner.y(), area.top()));
}

void QtForms::showMainForm()
{
    if (mainUnloading_)
        return;
    if (!main_.isVisible())
        centre(main_);
    main_.show();
    main_.raise();
    main_.activateWindow();
}

// Unloading runs the two handlers in order, once, however it was asked for: by the game, by the close box,
// or from inside one of the handlers themselves.
void QtForms::unloadMainForm()
{
    if (mainUnloading_)
        return;
    mainUnloading_ = true;
    mainFormQueryUnload(state_, platform_);
    mainFormUnload(state_, platform_);
    main_.hide();
}

void QtForms::setKeyBoxVisible(bool visible)
{
    main_.keyBox()->setVisible(visible);
}

void QtForms::setKeyBoxText(const std::string& text)
{
    main_.keyBox()->setText(QString::fromStdString(text));
}

std::string QtForms::keyBoxText() const
{
    return main_.keyBoxText();
}

void QtForms::focusKeyBox()
{
    // The menus stay usable from the keyboard during a game: the box waits while the menu bar is in its
    // keyboard mode (after a tap of Alt, one of its menus highlighted) or a menu is open. Every pass asks,
    // so the box that has the focus already, as it mostly has, is asked first.
    KeyBox* box = main_.keyBox();
    if (box->hasFocus() || !box->isVisible())
        return;
    if (QApplication::activePopupWidget() != nullptr || main_.menuBar()->activeAction() != nullptr)
        return;
    box->setFocus(Qt::OtherFocusReason);
}

void QtForms::showTitleForm()
{
    centre(title_);
    title_.show();
}

void QtForms::paintTitle(const QImage& picture, int width, int height)
{
    title_.setPicture(picture, width, height);
    // Shown at once, before the main loop begins to dispatch events.
    title_.repaint();
}

void QtForms::setTitleTimerEnabled(bool enabled)
{
    if (enabled)
        title_.timer1().start();
    else
        title_.timer1().stop();
}

void QtForms::unloadTitleForm()
{
    if (titleUnloading_)
        return;
    titleUnloading_ = true;
    titleFormUnload(state_, platform_);
    title_.timer1().stop();
    title_.hide();
    // Queued: the unload may come from one of the window's own event handlers.
    QMetaObject::invokeMethod(&title_, &TitleForm::release, Qt::QueuedConnection);
}

int QtForms::mainScaleWidth() const
{
    return main_.mainPicture()->clientSize().width();
}

int QtForms::mainScaleHeight() const
{
    return main_.mainPicture()->clientSize().height();
}

void QtForms::setMenuChecked(Menu menu, int index, bool checked)
{
    main_.menus().item(menu, index)->setChecked(checked);
}

} // namespace zunaka
