#pragma once
// What the window tests add to the widget-free fixtures and scripted answers. The window tests'
// main (TestMain.cpp) installs these before any test runs; in the widget-free tests (CoreMain.cpp)
// they stay empty: a Fixture makes no window and unloads none, a box takes no focus.
#include "support/Fixture.h"

#include <QString>
#include <utility>

class QDialog;
class QObject;

namespace rvtest {

struct WindowHooks {
    void (*setUp)(Fixture& fx, Fixture::Window window) = nullptr;   // once the folder and state are fresh
    void (*tearDown)(Fixture& fx) = nullptr;                        // before they are reset
    QObject* (*takeFocus)() = nullptr;         // a box opens: the focused widget loses the focus
    void (*giveFocusBack)(QObject* widget) = nullptr;   // the box closes (widget may be null or gone)
    std::pair<QString, QString> (*describe)(QDialog& dialog) = nullptr;   // class name and title
};

WindowHooks& windowHooks();
void installWindowHooks();   // rv_test_support only

}  // namespace rvtest
