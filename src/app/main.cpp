// kt-invorra: placeholder entry point until the main window is written.
#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return 0;
}
