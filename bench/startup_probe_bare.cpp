// The least a Qt Widgets program can do: show one empty window; or, with the
// argument "label", one window with a single Japanese label, which is the
// least a program with Japanese captions can do. ZELVO's start-up is measured
// against both, and they end the same way.

#include "bench/first_expose.hpp"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const zelvo::bench::ExitAtFirstExpose probe(QStringLiteral("Bare"));
    QWidget window;
    window.setObjectName(QStringLiteral("Bare"));
    if (argc > 1 && std::strcmp(argv[1], "label") == 0)
        new QLabel(QStringLiteral("ダーツ"), &window);
    window.show();
    return QApplication::exec();
}
