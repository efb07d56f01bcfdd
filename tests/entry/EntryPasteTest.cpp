// Pasting into the entry view's boxes through a real X clipboard: on a virtual screen of the test's
// own, with the clipboard owned by another process (or by nobody), every paste gesture leaves the
// program running and the boxes holding what was pasted.
#include "EntryTestUtil.h"
#include "support/TestRegistry.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace entrytest;

namespace {

// Owns both X selections with the data its argument names, until it is ended.
int ownClipboard(const QStringList& args) {
    for (QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection}) {
        auto* data = new QMimeData;
        if (args.value(0) == QLatin1String("text")) data->setText(QStringLiteral("pasted"));
        if (args.value(0) == QLatin1String("empty")) data->setText(QString());
        if (args.value(0) == QLatin1String("image")) {
            QImage image(8, 8, QImage::Format_RGB32);
            image.fill(Qt::red);
            data->setImageData(image);
        }
        QGuiApplication::clipboard()->setMimeData(data, mode);
    }
    QTextStream(stdout) << "ready" << Qt::endl;
    return QApplication::exec();
}

// Ctrl+V, Shift+Insert, the middle button and the context menu's Paste into one box; its text
// after each.
template <typename Box>
QStringList pasteEveryWay(Box* box, QWidget* target, const std::function<QString()>& text) {
    QStringList out;
    const std::function<void()> gestures[] = {
        [&] { QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier); },
        [&] { QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier); },
        [&] { QTest::mouseClick(target, Qt::MiddleButton, {}, QPoint(5, 5)); },
        [&] {
            std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
            for (QAction* a : menu->actions())
                if (a->text().remove(u'&').startsWith(QLatin1String("Paste"))) a->trigger();
        }};
    for (const auto& gesture : gestures) {
        box->setFocus();
        gesture();
        QApplication::processEvents();
        out << text();
    }
    return out;
}

// Pastes into the notes box and the first field box, and prints what they hold afterwards.
int pasteIntoTheView(const QStringList&) {
    Fixture fx;
    const QString path = build(fx.path("p.mdb"), everyType(), true, 1);
    addRows(path, QStringLiteral("Name"), 1);
    DataInput& v = showView(path);
    QPlainTextEdit* notes = v.txtmemo;
    QLineEdit* line = v.flddata[1];
    notes->clear();
    line->clear();
    const QStringList out = pasteEveryWay(notes, notes->viewport(), [&] { return notes->toPlainText(); }) +
                            pasteEveryWay(line, line, [&] { return line->text(); });
    QTextStream(stdout) << out.join(u'\n') << Qt::endl;
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
    QTemporaryDir tmp;

    // A child of this executable on the virtual screen.
    void start(QProcess& p, const QString& child, const QStringList& args = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("DISPLAY", display);
        // Under the sanitizers: the X libraries' own string reads and the session bus's one-time
        // allocation are theirs, not the program's.
        if (env.contains("ASAN_OPTIONS")) {
            env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":strict_string_checks=0");
            env.insert("LSAN_OPTIONS", "suppressions=" + tmp.filePath("lsan.supp"));
        }
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationFilePath(), QStringList{"--child", child} + args);
    }
    static bool waitForLine(QProcess& p, int ms) {
        p.waitForStarted(5000);
        QElapsedTimer t;
        t.start();
        while (!p.canReadLine() && p.state() == QProcess::Running && t.elapsed() < ms) p.waitForReadyRead(100);
        return p.canReadLine();
    }

private Q_SLOTS:
    // A screen of our own; Xvfb names the display it took.
    void initTestCase() {
        const QString exe = QStandardPaths::findExecutable("Xvfb");
        if (exe.isEmpty()) QFAIL("Xvfb is missing: install xvfb (scripts/install-deps)");
        xvfb.start(exe, {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        QVERIFY2(waitForLine(xvfb, 10000), "Xvfb named no display within 10 s");
        display = ":" + QString::fromLatin1(xvfb.readLine()).trimmed();
        QFile supp(tmp.filePath("lsan.supp"));
        QVERIFY(supp.open(QIODevice::WriteOnly) && supp.write("leak:libdbus-1.so\n") > 0);
    }
    void cleanupTestCase() {
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }

    void pasteKeepsTheViewRunning_data() {
        QTest::addColumn<QString>("clipboard");   // "" no owner
        QTest::addColumn<QString>("pasted");      // each box after each gesture ("" nothing pasted)
        // Ctrl+V, Shift+Insert, the middle button and the menu's Paste each add one copy.
        const QString text = "pasted\npastedpasted\npastedpastedpasted\npastedpastedpastedpasted";
        QTest::newRow("no owner") << "" << QString();
        QTest::newRow("text") << "text" << text + "\n" + text;
        QTest::newRow("image only") << "image" << QString();
        QTest::newRow("empty text") << "empty" << QString();
    }
    void pasteKeepsTheViewRunning() {
        QFETCH(QString, clipboard);
        QFETCH(QString, pasted);
        QProcess owner;
        if (!clipboard.isEmpty()) {
            start(owner, "ownClipboard", {clipboard});
            QVERIFY2(waitForLine(owner, 10000), "the clipboard's owner did not start within 10 s");
        }
        QProcess view;
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
