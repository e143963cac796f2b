// The least a Qt 6 program like ours costs on this machine: a fixed 640 x 480 main window with the game's
// five Japanese menus and a focused box that takes the keys and draws nothing, nothing else. Ctrl+G, as in
// the game, starts a timer at the game's frame rate that does nothing: what waking for every frame costs
// before anything is drawn. scripts/bench measures it the same way as the game (first map, idle, game,
// typing, peak memory), so the report can tell Qt's share from the game's.
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QTimer>
#include <QWidget>

namespace {

// What Qt costs for a key before the game does anything with it: delivered to a focused widget, which
// claims plain characters before the window's shortcuts are searched, as the game's key box does.
class KeyTaker : public QWidget {
public:
    explicit KeyTaker(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() == Qt::NoModifier && !key->text().isEmpty()) {
                event->accept();
                return true;
            }
        }
        return QWidget::event(event);
    }
    void keyPressEvent(QKeyEvent* event) override { event->accept(); }
    void keyReleaseEvent(QKeyEvent* event) override { event->accept(); }
};

} // namespace

int main(int argc, char** argv)
{
    // As the game: Qt's own Unix event dispatcher rather than glib's.
    qputenv("QT_NO_GLIB", "1");
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);
    QMainWindow window;
    // As the game: the Japanese captions in the game's face behind the desktop's.
    QFont menuFont = QApplication::font(window.menuBar());
    menuFont.setFamilies({menuFont.family(), QStringLiteral("IPAPGothic")});
    window.menuBar()->setFont(menuFont);
    for (const char* title : {"ファイル", "レッスン", "スピード", "文字数", "BGM"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(title));
        menu->addAction(QStringLiteral("スタート"));
    }
    window.setFixedSize(640, 480);
    window.setWindowTitle(QStringLiteral("ずなかタイピング floor"));
    window.show();
    // Made once the window is up, as the game makes its key box.
    QTimer::singleShot(0, &window, [&window] {
        auto* keys = new KeyTaker(&window);
        window.setCentralWidget(keys);
        keys->setFocus();
    });
    // The game's frames come 31 ms apart.
    QTimer frames;
    frames.setTimerType(Qt::PreciseTimer);
    frames.setInterval(31);
    QObject::connect(&frames, &QTimer::timeout, [] {});
    QShortcut start(QKeySequence(Qt::CTRL | Qt::Key_G), &window);
    QObject::connect(&start, &QShortcut::activated, &frames, qOverload<>(&QTimer::start));
    return app.exec();
}
