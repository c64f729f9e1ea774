// The baseline of the start-up benchmark: a bare QMainWindow of the main
// window's size in an executable of its own that links Qt Widgets and
// nothing of the program (no style, no OpenGL), so that the ratios compare
// the program with what any Qt program pays. It reports its first frame as
// the program does (FirstFrame.h, LEDZ_FIRST_FRAME_NS) and runs until ended.
#include "FirstFrame.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1366, 768);
    FirstFrame::watch(&window);
    window.show();
    return app.exec();
}
