// Pinvale, the DIP-switch configurator: a thin entry over Module1.
#include "configurator/module1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(pinvale::programTitle());
    return pinvale::Main();
}
