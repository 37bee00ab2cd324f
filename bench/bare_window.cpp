// The baseline: the least a Qt Widgets program does to put a window up.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(400, 600);
    window.show();
    return app.exec();
}
