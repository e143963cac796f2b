#include "MainForm.h"

#include "KeyBox.h"
#include "Messages.h"
#include "platform/Fonts.h"
#include "shell/KeyInput.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>

namespace zunaka {

namespace {

// Sizes of the fonts at 96 dpi: 24 pt for the window, 48 pt for the key box, 14.25 pt for the OK button.
constexpr int kWindowFontPx = 32;
constexpr int kKeyBoxFontPx = 64;
constexpr int kOkButtonFontPx = 19;
constexpr int kPageButtonFontPx = 16;
// Where the controls stand until start-up lays them out (the key box) or the guide page places it (OK).
const QRect kKeyBoxRect(290, 10, 60, 70);
const QRect kOkButtonRect(56, 400, 81, 33);

} // namespace

MainForm::MainForm(GameState& state, Platform& platform)
    : state_(state), platform_(platform), keyBoxRect_(kKeyBoxRect), okButtonRect_(kOkButtonRect)
{
    setWindowTitle(QString::fromUtf8(kAppTitle));
    setFont(proportionalGothic(kWindowFontPx));
    mainPicture_ = new MainPicture(this);
    mainPicture_->onViewChanged = [this] { placeControls(); };
    setCentralWidget(mainPicture_);

    // The window's own face is the default for what is printed on it; the menus keep the desktop's, with
    // the window's face behind it for the Japanese a Western desktop face has no glyphs for. Left to
    // fontconfig, those came from a second Japanese font, 2.3 MiB more of the font files in memory. Set
    // before the menus are made: set after, it laid out every menu again, 4 ms before the title showed.
    QFont menuFont = QApplication::font(menuBar());
    menuFont.setFamilies(QStringList{menuFont.family()} + font().families());
    menuBar()->setFont(menuFont);
    menus_ = std::make_unique<MainMenus>(*menuBar(), state_, platform_);
    addAction(menus_->leaveFullScreen());
    // The window keeps the size it is given: no dragging of its frame.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

// The key box and the OK button stand in front of the visible surface, hidden until they are needed. Each
// is made on its first use, after the title is on the screen: a control in its own size of the Japanese
// face costs a font lookup, 8 to 12 ms each before the title showed.
KeyBox* MainForm::keyBox()
{
    if (!text1_) {
        text1_ = new KeyBox(mainPicture_);
        text1_->hide();
        placeOnClient(*text1_, keyBoxRect_, kKeyBoxFontPx);
        text1_->onKeyPress = [this] { text1KeyPress(state_, platform_); };
        text1_->onKeyUp = [this] { text1KeyUp(state_, platform_); };
        showPictureBehindKeyBox();
    }
    return text1_;
}

QPushButton* MainForm::okButton()
{
    if (!command1_) {
        command1_ = new QPushButton(QStringLiteral("OK"), mainPicture_);
        command1_->hide();
        placeOnClient(*command1_, okButtonRect_, kOkButtonFontPx);
        connect(command1_, &QPushButton::clicked, this, [this] {
            if (onOkClicked)
                onOkClicked();
        });
    }
    return command1_;
}

QPushButton* MainForm::pageButton(PageButton which)
{
    PlacedButton& placed = pageButtons_[which];
    if (!placed.button) {
        const QString caption = which == PageButton::EraseRecords ? QStringLiteral("きろくをけす")
                                                                  : QStringLiteral("なまえを かえる");
        placed.button = new QPushButton(caption, mainPicture_);
        placed.button->hide();
        placeOnClient(*placed.button, placed.rect, kPageButtonFontPx);
        connect(placed.button, &QPushButton::clicked, this, [this, which] {
            if (onPageButtonClicked)
                onPageButtonClicked(which);
        });
    }
    return placed.button;
}

std::string MainForm::keyBoxText() const
{
    return text1_ ? text1_->text().toStdString() : std::string();
}

void MainForm::setClientSize(QSize size)
{
    mainPicture_->setCanvasSize(size);
    adjustSize();
}

void MainForm::setFullScreen(bool on)
{
    if (on == fullScreen_)
        return;
    fullScreen_ = on;
    menus_->leaveFullScreen()->setEnabled(on);
    if (on) {
        windowedPlace_ = geometry().topLeft();
        windowedClient_ = mainPicture_->clientSize();
        // A window of fixed size is one a window manager may refuse to make full screen.
        layout()->setSizeConstraint(QLayout::SetNoConstraint);
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        mainPicture_->setFullScreenView();
        showFullScreen();
        return;
    }
    showNormal();
    mainPicture_->setCanvasSize(windowedClient_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    // The place of the window inside its frame: the frame is not back yet when the window leaves full
    // screen, so a place given with the frame would put the window off by the frame's width.
    setGeometry(QRect(windowedPlace_, size()));
}

void MainForm::placeKeyBox(const QRect& rect)
{
    keyBoxRect_ = rect;
    placeOnClient(*keyBox(), rect, kKeyBoxFontPx);
}

void MainForm::placeOkButton(const QRect& rect)
{
    okButtonRect_ = rect;
    placeOnClient(*okButton(), rect, kOkButtonFontPx);
}

void MainForm::placePageButton(PageButton which, const QRect& rect)
{
    pageButtons_[which].rect = rect;
    placeOnClient(*pageButton(which), rect, kPageButtonFontPx);
}

// The one place where controls given in client coordinates meet the window: where the surface shows the
// client area scaled, the control and its face scale with it.
void MainForm::placeOnClient(QWidget& control, const QRect& rect, int fontPx)
{
    control.setGeometry(mainPicture_->toWindow(rect));
    const QFont font = proportionalGothic(mainPicture_->toWindow(fontPx));
    if (control.font() != font)
        control.setFont(font);
}

// Shown pixel for pixel, the picture's pixels that the key box's frame lets through are painted by the box
// itself, and Qt does not paint the picture under it. A smoothed view blends each pixel along a run that
// starts where the repainted area does: painted around the box, the pixels beside it came out a shade
// apart from those of a paint across it. There the picture is painted under the box as before.
void MainForm::showPictureBehindKeyBox()
{
    if (mainPicture_->smoothed())
        text1_->setPaintBehind(nullptr);
    else
        text1_->setPaintBehind([this](QPainter& painter, const QRect& rect) { mainPicture_->paintArea(painter, rect); });
}

void MainForm::placeControls()
{
    if (text1_) {
        placeOnClient(*text1_, keyBoxRect_, kKeyBoxFontPx);
        showPictureBehindKeyBox();
    }
    if (command1_)
        placeOnClient(*command1_, okButtonRect_, kOkButtonFontPx);
    for (const auto& [which, placed] : pageButtons_) {
        if (placed.button)
            placeOnClient(*placed.button, placed.rect, kPageButtonFontPx);
    }
}

void MainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !fullScreen_ || isFullScreen() || !onFullScreenLost)
        return;
    // Only a window that was full screen has lost it: not one on its way there.
    if (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowFullScreen)
        onFullScreenLost();
}

void MainForm::closeEvent(QCloseEvent* event)
{
    // Closing is never refused; the handlers stop the music and end the loop.
    event->accept();
    if (onClose)
        onClose();
}

} // namespace zunaka
