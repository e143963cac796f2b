// A plain line edit for the input-method scenario to type romaji into: with the input method composing,
// it ends up holding kana. Escape ends it, and it prints what it holds.
#include <QApplication>
#include <QLineEdit>
#include <QShortcut>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLineEdit edit;
    edit.setWindowTitle(QStringLiteral("zunaka-im-check"));
    edit.resize(300, 40);
    QObject::connect(new QShortcut(Qt::Key_Escape, &edit), &QShortcut::activated, &app, &QApplication::quit);
    edit.show();
    app.exec();
    std::printf("%s\n", edit.text().toUtf8().constData());
    return 0;
}
