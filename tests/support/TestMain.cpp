// Runs every registered test class of this executable. Arguments other than the program name are
// handed to each class, so "-v2" or a function name work as with a single QtTest class; a first
// argument naming a class runs only that class.
#include "support/TestRegistry.h"

#include <QApplication>
#include <QTest>

namespace rvtest {

std::vector<std::pair<const char*, Factory>>& registeredTests() {
    static std::vector<std::pair<const char*, Factory>> tests;
    return tests;
}

int registerTest(const char* name, Factory factory) {
    registeredTests().emplace_back(name, std::move(factory));
    return int(registeredTests().size());
}

}  // namespace rvtest

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ravelstow");

    QStringList args = QApplication::arguments();
    QString only;
    if (args.size() > 1 && !args[1].startsWith('-')) {
        for (auto& [name, f] : rvtest::registeredTests())
            if (args[1] == QLatin1String(name)) { only = args.takeAt(1); break; }
    }
    int failed = 0;
    for (auto& [name, factory] : rvtest::registeredTests()) {
        if (!only.isEmpty() && only != QLatin1String(name)) continue;
        std::unique_ptr<QObject> test(factory());
        failed += QTest::qExec(test.get(), args);
    }
    return failed == 0 ? 0 : 1;
}
