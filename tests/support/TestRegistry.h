#pragma once
// Lets every test file of a folder register its QtTest class, so that one executable per folder
// runs them all:   RV_TEST(MyTest)   after the class definition (and #include "MyTest.moc").
//
// A test that needs a second process of the program registers a child function instead:
// RV_TEST_CHILD(name, function). The executable started as "<exe> --child <name> <args...>" makes
// the application object, runs that function with <args...> and exits with its result; no test runs.
#include <QObject>
#include <QStringList>
#include <functional>
#include <vector>

class QTemporaryDir;

namespace rvtest {

using Factory = std::function<QObject*()>;
int registerTest(const char* name, Factory factory);
std::vector<std::pair<const char*, Factory>>& registeredTests();

using ChildMain = std::function<int(const QStringList& args)>;
int registerChild(const char* name, ChildMain child);
std::vector<std::pair<const char*, ChildMain>>& registeredChildren();

// For the mains (CoreMain.cpp without windows, TestMain.cpp with them). Before the application
// object: the run gets `home` as its home (inherited by --child runs), so no settings carry
// between runs. After it: runs the registered classes. Arguments other than the program name are
// handed to each class, so "-v2" or a function name work as with a single QtTest class; a first
// argument naming a class runs only that class.
void useOwnHome(const QTemporaryDir& home);
int runRegistered();

}  // namespace rvtest

#define RV_TEST(Class) \
    static const int rv_test_registered_##Class = ::rvtest::registerTest(#Class, [] { return new Class; });
#define RV_TEST_CHILD(name, function) \
    static const int rv_child_registered_##name = ::rvtest::registerChild(#name, function);
