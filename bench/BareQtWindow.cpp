// The floor of any Qt start-up: a process that creates the application and shows an empty
// main window, timed exactly as the start-up benchmark times tarvelin.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(396, 363);
    window.show();
    return app.exec();
}
