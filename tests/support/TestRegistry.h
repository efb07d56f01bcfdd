#pragma once
// Lets every test file of a folder register its QtTest class, so that one executable per folder
// runs them all:   RV_TEST(MyTest)   after the class definition (and #include "MyTest.moc").
#include <QObject>
#include <functional>
#include <vector>

namespace rvtest {

using Factory = std::function<QObject*()>;
int registerTest(const char* name, Factory factory);
std::vector<std::pair<const char*, Factory>>& registeredTests();

}  // namespace rvtest

#define RV_TEST(Class) \
    static const int rv_test_registered_##Class = ::rvtest::registerTest(#Class, [] { return new Class; });
