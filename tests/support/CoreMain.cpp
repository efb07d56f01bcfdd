// The main of the widget-free tests: a QCoreApplication, and no widget library linked, so a test
// here that reaches for a window fails to link.
#include "support/TestRegistry.h"

#include <QCoreApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    QTemporaryDir home;
    rvtest::useOwnHome(home);
    QCoreApplication app(argc, argv);
    return rvtest::runRegistered();
}
