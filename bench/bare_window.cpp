// brindlepair_bare_window: the least a Qt Widgets program does to show a
// window, a button and a label in a plain widget. bench/startup.py starts it
// and the game in turns and compares how soon each shows its first window.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(462, 334);
    QPushButton button(QStringLiteral("New Game"), &window);
    button.setGeometry(8, 8, 73, 25);
    QLabel label(QStringLiteral("Time:"), &window);
    label.setGeometry(168, 8, 65, 17);
    window.show();
    return app.exec();
}
