#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("ZEB Book Reader Professional 1.1");
    QMainWindow window;
    window.setWindowTitle("ZEB Book Reader Professional 1.1");
    window.resize(800, 600);
    window.show();
    return app.exec();
}
