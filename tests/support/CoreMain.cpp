// The main of the widget-free tests: a QGuiApplication (the report layouts measure text with the
// fonts), and no widget library linked, so a test here that reaches for a window fails to link.
#include "support/TestRegistry.h"

#include <QGuiApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    QTemporaryDir home;
    rvtest::useOwnHome(home);
    QGuiApplication app(argc, argv);
    return rvtest::runRegistered();
}
