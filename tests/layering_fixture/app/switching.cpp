// The application layer with a toolkit header.
#include <QWidget>
#include <windows.h>
