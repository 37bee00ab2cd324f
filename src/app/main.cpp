#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("glimora"));
    QApplication app(argc, argv);
    return 0;
}
