#pragma once
// Helpers of the entry view tests: the shared state of an open database, and the view loaded on it.
#include "entry/DataInput.h"
#include "shell/Module1.h"
#include "support/Fixture.h"
#include "support/TestDb.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QApplication>
#include <QTest>
#include <QToolButton>

namespace entrytest {

using namespace testdb;

// The database open as the Open command leaves it, and the entry view loaded on it.
inline DataInput& openView(const QString& path, const QString& level = QStringLiteral("SUPRVR"), bool security = false) {
    openDatabase(path, level, security);
    DataInput& v = DataInput::instance();
    v.Load();
    return v;
}

// The same, its window shown and active, as a user meets it.
inline DataInput& showView(const QString& path) {
    DataInput& v = openView(path);
    QWidget* w = v.Widget();
    w->show();
    QApplication::setActiveWindow(w);
    if (!QTest::qWaitForWindowActive(w)) QTest::qFail("the entry view did not become active", __FILE__, __LINE__);
    return v;
}

// The set-up the view tests share: a fixture and a table (every type unless told) with one
// record "R1"; stop() unloads the view before the fixture goes.
struct OneRecordView {
    std::unique_ptr<Fixture> fx;
    QString path;
    void start(const QString& file, const Rows& rows = everyType(), bool notes = true, int keywords = 2) {
        fx = std::make_unique<Fixture>();
        path = build(fx->path(file), rows, notes, keywords);
        addRows(path, QStringLiteral("Name"), 1);
    }
    void stop() {
        DataInput::instance().Unload();
        fx.reset();
    }
};

inline bool shown(const QWidget* w) { return w && !w->isHidden(); }

inline QStringList items(const QListWidget* l) {
    QStringList out;
    for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
    return out;
}

// The view's field list as "name:type".
inline QStringList fieldList() {
    QStringList out;
    for (const auto& f : DataInput::instance().DBDefMain().DBFldFunct()) out << f->FldName + ":" + f->FldType;
    return out;
}

}  // namespace entrytest
