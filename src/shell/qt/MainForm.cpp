#include "MainForm.h"

#include "KeyBoxFilter.h"
#include "Messages.h"
#include "platform/Fonts.h"

#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>

namespace zunaka {

namespace {

constexpr int kCanvasWidth = 640;
constexpr int kCanvasHeight = 480;
constexpr int kKeyBoxFontPx = 64;   // 48 pt
const QRect kKeyBoxRect(290, 10, 60, 70);

} // namespace

MainPicture::MainPicture(QWidget* parent) : QWidget(parent), image_(kCanvasWidth, kCanvasHeight, QImage::Format_RGB32)
{
    image_.fill(Qt::white);
    setFixedSize(kCanvasWidth, kCanvasHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MainPicture::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

MainForm::MainForm(GameState& state, Platform& platform) : state_(state), platform_(platform)
{
    setWindowTitle(QString::fromUtf8(kAppTitle));
    mainPicture_ = new MainPicture(this);
    setCentralWidget(mainPicture_);

    text1_ = new QLineEdit(mainPicture_);
    text1_->setGeometry(kKeyBoxRect);
    text1_->setFont(proportionalGothic(kKeyBoxFontPx));
    // Keys must arrive as plain characters, never through an input method's composition.
    text1_->setAttribute(Qt::WA_InputMethodEnabled, false);
    text1_->installEventFilter(new KeyBoxFilter(state_, platform_, text1_));
    text1_->hide();

    menus_ = std::make_unique<MainMenus>(*menuBar(), state_, platform_);
    // The window keeps the size it is given: no dragging of its frame.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainForm::closeEvent(QCloseEvent* event)
{
    // Closing is never refused; the handlers stop the music and end the loop.
    event->accept();
    if (onClose)
        onClose();
}

} // namespace zunaka
