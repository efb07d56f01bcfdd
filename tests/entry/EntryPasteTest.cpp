// Every paste gesture into the entry view's notes box, through a real X clipboard on a screen of our own.
#include "EntryTestUtil.h"
#include "support/TestRegistry.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

using namespace entrytest;

namespace {

// Owns both X selections with a text, for 30 s (the parent waits 20 s at most).
int ownClipboard(const QStringList&) {
    for (QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection})
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"), mode);
    QTextStream(stdout) << "ready" << Qt::endl;
    QTimer::singleShot(30000, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

// Pastes into the notes box by Ctrl+V, Shift+Insert, the middle button and the context menu's Paste,
// and prints what the box holds after each.
int pasteIntoTheView(const QStringList&) {
    Fixture fx;
    const QString path = build(fx.path("p.mdb"), everyType(), true, 1);
    addRows(path, QStringLiteral("Name"), 1);
    DataInput& v = showView(path);
    QPlainTextEdit* box = v.txtmemo;
    box->clear();
    const std::function<void()> gestures[] = {
        [&] { QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier); },
        [&] { QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier); },
        [&] { QTest::mouseClick(box->viewport(), Qt::MiddleButton, {}, QPoint(5, 5)); },
        [&] {
            std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
            for (QAction* a : menu->actions())
                if (a->text().remove(u'&').startsWith(QLatin1String("Paste"))) a->trigger();
        }};
    for (const auto& gesture : gestures) {
        box->setFocus();
        gesture();
        QApplication::processEvents();
        QTextStream(stdout) << box->toPlainText() << Qt::endl;
    }
    v.Unload();
    return 0;
}

}  // namespace

RV_TEST_CHILD(ownClipboard, ownClipboard)
RV_TEST_CHILD(pasteIntoTheView, pasteIntoTheView)

class EntryPasteTest : public QObject {
    Q_OBJECT
    QProcess xvfb;
    QString display;

    void start(QProcess& p, const QString& child, const QStringList& args = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("DISPLAY", display);
        // The X libraries' own string reads are theirs, not the program's.
        if (env.contains("ASAN_OPTIONS")) env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":strict_string_checks=0");
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationFilePath(), QStringList{"--child", child} + args);
    }
    static bool waitForLine(QProcess& p, int ms) {
        const QDeadlineTimer deadline(ms);
        p.waitForStarted(ms);
        while (!p.canReadLine() && p.state() == QProcess::Running && !deadline.hasExpired()) p.waitForReadyRead(100);
        return p.canReadLine();
    }

private Q_SLOTS:
    void initTestCase() {
        const QString exe = QStandardPaths::findExecutable("Xvfb");
        if (exe.isEmpty()) QFAIL("Xvfb is missing: install xvfb (scripts/install-deps)");
        xvfb.start(exe, {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        QVERIFY2(waitForLine(xvfb, 10000), "Xvfb named no display within 10 s");
        display = ":" + QString::fromLatin1(xvfb.readLine()).trimmed();
    }
    void cleanupTestCase() {
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }

    // With the clipboard owned by another process or by nobody, the view lives and holds what was pasted.
    void pasteKeepsTheViewRunning_data() {
        QTest::addColumn<bool>("owned");
        QTest::addColumn<QString>("pasted");   // the box after each gesture, each adding one copy
        QTest::newRow("no owner") << false << QString();
        QTest::newRow("text") << true << "pasted\npastedpasted\npastedpastedpasted\npastedpastedpastedpasted";
    }
    void pasteKeepsTheViewRunning() {
        QFETCH(bool, owned);
        QFETCH(QString, pasted);
        QProcess owner, view;
        if (owned) {
            start(owner, "ownClipboard");
            QVERIFY2(waitForLine(owner, 10000), "the clipboard's owner did not start within 10 s");
        }
        start(view, "pasteIntoTheView");
        const bool ended = view.waitForFinished(20000);
        owner.kill();
        owner.waitForFinished(5000);
        if (!ended) view.kill();
        QVERIFY2(ended, "the view did not end within 20 s");
        QVERIFY2(view.exitStatus() == QProcess::NormalExit && view.exitCode() == 0,
                 qPrintable("the view died: " + QString::fromLocal8Bit(view.readAllStandardError()).right(800)));
        QCOMPARE(QString::fromUtf8(view.readAllStandardOutput()).trimmed(), pasted.trimmed());
    }
};

RV_TEST(EntryPasteTest)
#include "EntryPasteTest.moc"
