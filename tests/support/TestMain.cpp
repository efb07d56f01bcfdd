// The main of the window tests: a QApplication, and the window half of the fixtures and of the
// scripted answers (WindowHooks.cpp).
#include "support/TestRegistry.h"
#include "support/WindowHooks.h"

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    QTemporaryDir home;
    rvtest::useOwnHome(home);
    QApplication app(argc, argv);
    rvtest::installWindowHooks();
    return rvtest::runRegistered();
}
