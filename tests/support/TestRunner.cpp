// The test classes and child functions an executable registers (RV_TEST, RV_TEST_CHILD), and the
// run of them that both mains share.
#include "support/TestRegistry.h"
#include "support/WindowHooks.h"

#include <QCoreApplication>
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

WindowHooks& windowHooks() {
    static WindowHooks hooks;
    return hooks;
}

void useOwnHome(const QTemporaryDir& home) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("RAVELSTOW_TEST_HOME")) {
        qputenv("RAVELSTOW_TEST_HOME", home.path().toUtf8());
        qputenv("HOME", home.path().toUtf8());
        for (const char* var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) qunsetenv(var);
    }
}

int runRegistered() {
    QCoreApplication::setApplicationName("Ravelstow");
    QStringList args = QCoreApplication::arguments();
    if (args.size() > 2 && args[1] == QLatin1String("--child")) {
        for (auto& [name, child] : registeredChildren())
            if (args[2] == QLatin1String(name)) return child(args.mid(3));
        return 2;
    }
    QString only;
    if (args.size() > 1 && !args[1].startsWith('-')) {
        for (auto& [name, f] : registeredTests())
            if (args[1] == QLatin1String(name)) { only = args.takeAt(1); break; }
    }
    int failed = 0;
    for (auto& [name, factory] : registeredTests()) {
        if (!only.isEmpty() && only != QLatin1String(name)) continue;
        std::unique_ptr<QObject> test(factory());
        failed += QTest::qExec(test.get(), args);
    }
    return failed == 0 ? 0 : 1;
}

}  // namespace rvtest
