#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication App(argc, argv);
    QApplication::setApplicationName("Tavrix");
    QMainWindow Window;
    Window.setWindowTitle("Tavrix");
    Window.resize(1024, 700);
    Window.show();
    return App.exec();
}
