// The yardstick of the process-level start-up and memory figures: an empty frameless window of
// the main window's size, shown by a Qt program with nothing else in it. bench/run.sh starts it
// under bench_mapped beside the real executable, in alternation, on the same X server.
// With "--raster" the window asks for no OpenGL surface, as the program's windows do: the toolkit
// then loads no OpenGL driver. Without it, the window is the toolkit's default.
#include <QApplication>
#include <QWidget>

#include <cstring>

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--raster") == 0)
        QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint);
    window.setFixedSize(1020, 700);
    window.show();
    return app.exec();
}
