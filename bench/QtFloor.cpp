// The least a Qt 6 program like ours costs on this machine: a fixed 640 x 480 main window with the game's
// five Japanese menus and a focused line edit, nothing else. scripts/bench measures it the same way as
// the game (first map, idle, typing, peak memory), so the report can tell Qt's share from the game's.
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv)
{
    // As the game: Qt's own Unix event dispatcher rather than glib's.
    qputenv("QT_NO_GLIB", "1");
    QApplication app(argc, argv);
    QMainWindow window;
    for (const char* title : {"ファイル", "レッスン", "スピード", "文字数", "BGM"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(title));
        menu->addAction(QStringLiteral("スタート"));
    }
    auto* edit = new QLineEdit(&window);
    window.setCentralWidget(edit);
    window.setFixedSize(640, 480);
    window.setWindowTitle(QStringLiteral("ずなかタイピング floor"));
    window.show();
    edit->setFocus();
    return app.exec();
}
