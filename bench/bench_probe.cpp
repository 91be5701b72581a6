// The yardstick of the process-level start-up and memory figures: an empty frameless window of
// the main window's size, shown by a Qt program with nothing else in it. bench/run.sh starts it
// under bench_mapped beside the real executable, in alternation, on the same X server.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint);
    window.setFixedSize(1020, 700);
    window.show();
    return app.exec();
}
