// Runs every registered test class of this executable. Arguments other than the program name are
// handed to each class, so "-v2" or a function name work as with a single QtTest class; a first
// argument naming a class runs only that class.
#include "support/TestRegistry.h"

#include <QApplication>
#include <QTemporaryDir>
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

std::vector<std::pair<const char*, ChildMain>>& registeredChildren() {
    static std::vector<std::pair<const char*, ChildMain>> children;
    return children;
}

int registerChild(const char* name, ChildMain child) {
    registeredChildren().emplace_back(name, std::move(child));
    return int(registeredChildren().size());
}

}  // namespace rvtest

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // A home of the run's own (inherited by --child runs): no settings carry between runs.
    QTemporaryDir home;
    if (!qEnvironmentVariableIsSet("RAVELSTOW_TEST_HOME")) {
        qputenv("RAVELSTOW_TEST_HOME", home.path().toUtf8());
        qputenv("HOME", home.path().toUtf8());
        for (const char* var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) qunsetenv(var);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ravelstow");

    QStringList args = QApplication::arguments();
    if (args.size() > 2 && args[1] == QLatin1String("--child")) {
        for (auto& [name, child] : rvtest::registeredChildren())
            if (args[2] == QLatin1String(name)) return child(args.mid(3));
        return 2;
    }
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
