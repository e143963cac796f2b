#include "MainForm.h"

#include "KeyBox.h"
#include "Messages.h"
#include "platform/Blit.h"
#include "platform/Fonts.h"
#include "screen/Canvas.h"
#include "shell/KeyInput.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QPaintEvent>
#include <QPushButton>

namespace zunaka {

namespace {

// Sizes of the fonts at 96 dpi: 24 pt for the window, 48 pt for the key box, 14.25 pt for the OK button.
constexpr int kWindowFontPx = 32;
constexpr int kKeyBoxFontPx = 64;
constexpr int kOkButtonFontPx = 19;
// Where the controls stand until start-up lays them out (the key box) or the guide page places it (OK).
const QRect kKeyBoxRect(290, 10, 60, 70);
const QRect kOkButtonRect(56, 400, 81, 33);

} // namespace

MainPicture::MainPicture(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(kCanvasRect.size());
}

void MainPicture::setCanvasSize(QSize size)
{
    shown_ = nullptr;
    copy_ = QImage();
    setFixedSize(size);
}

void MainPicture::blit(const QImage& source, const QRect& from, const QRect& to)
{
    if (from == to && copy_.isNull() && (shown_ == nullptr || shown_ == &source)) {
        shown_ = &source;
        update(to);
        return;
    }
    keepOwnCopy();
    if (from.size() != to.size()) {
        // Shrunk for a small screen: smoothing keeps the thin strokes of the characters and the guide's
        // text readable. Only what the player sees is smoothed; the surfaces behind it stay exact.
        QPainter painter(&copy_);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(to, source, from);
    } else {
        bitBlt(copy_, to.topLeft(), source, from);
    }
    update(to);
}

void MainPicture::keepOwnCopy()
{
    if (!copy_.isNull())
        return;
    copy_ = QImage(size(), QImage::Format_RGB32);
    copy_.fill(Qt::white);
    if (shown_)
        bitBlt(copy_, {0, 0}, *shown_, shown_->rect().intersected(copy_.rect()));
    shown_ = nullptr;
}

void MainPicture::paintEvent(QPaintEvent* event)
{
    // Whole pixels only: on a high-dpi screen each canvas pixel becomes a crisp block.
    QPainter painter(this);
    const QRect rect = event->rect();
    const QImage* picture = copy_.isNull() ? shown_ : &copy_;
    const QRect drawn = picture ? rect.intersected(picture->rect()) : QRect();
    if (drawn != rect)
        painter.fillRect(rect, Qt::white);
    if (!drawn.isEmpty())
        painter.drawImage(drawn, *picture, drawn);
}

void MainPicture::showEvent(QShowEvent*)
{
    if (onShown)
        onShown();
}

MainForm::MainForm(GameState& state, Platform& platform) : state_(state), platform_(platform)
{
    setWindowTitle(QString::fromUtf8(kAppTitle));
    setFont(proportionalGothic(kWindowFontPx));
    mainPicture_ = new MainPicture(this);
    setCentralWidget(mainPicture_);

    // The window's own face is the default for what is printed on it; the menus keep the desktop's, with
    // the window's face behind it for the Japanese a Western desktop face has no glyphs for. Left to
    // fontconfig, those came from a second Japanese font, 2.3 MiB more of the font files in memory. Set
    // before the menus are made: set after, it laid out every menu again, 4 ms before the title showed.
    QFont menuFont = QApplication::font(menuBar());
    menuFont.setFamilies(QStringList{menuFont.family()} + font().families());
    menuBar()->setFont(menuFont);
    menus_ = std::make_unique<MainMenus>(*menuBar(), state_, platform_);
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
        text1_->setGeometry(kKeyBoxRect);
        text1_->setFont(proportionalGothic(kKeyBoxFontPx));
        text1_->onKeyPress = [this] { text1KeyPress(state_, platform_); };
        text1_->onKeyUp = [this] { text1KeyUp(state_, platform_); };
    }
    return text1_;
}

QPushButton* MainForm::okButton()
{
    if (!command1_) {
        command1_ = new QPushButton(QStringLiteral("OK"), mainPicture_);
        command1_->hide();
        command1_->setGeometry(kOkButtonRect);
        command1_->setFont(proportionalGothic(kOkButtonFontPx));
        connect(command1_, &QPushButton::clicked, this, [this] {
            if (onOkClicked)
                onOkClicked();
        });
    }
    return command1_;
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

void MainForm::closeEvent(QCloseEvent* event)
{
    // Closing is never refused; the handlers stop the music and end the loop.
    event->accept();
    if (onClose)
        onClose();
}

} // namespace zunaka
