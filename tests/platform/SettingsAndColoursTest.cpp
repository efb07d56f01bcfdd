#include "platform/core/Colors.h"
#include "platform/core/DialogFilter.h"
#include "platform/core/UiServices.h"
#include "platform/ini/IniFile.h"
#include "platform/paths/AppPaths.h"
#include "platform/ui/WidgetColors.h"
#include "support/ScriptedUi.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace vb;

class SettingsAndColoursTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString ini() const { return dir.filePath("TolvanePrg.ini"); }
    void write(const QByteArray& text) {
        QFile f(ini());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    QByteArray read() {
        QFile f(ini());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void init() { QFile::remove(ini()); }

    void readsValuesOrDefault_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no file") << QByteArray() << "16711680";
        QTest::newRow("plain") << QByteArray("[BCKCLR]\r\nFrmColor=255\r\n") << "255";
        QTest::newRow("case and blanks") << QByteArray("[bckclr]\nfrmcolor =  65280 \n") << "65280";
        QTest::newRow("key missing") << QByteArray("[BCKCLR]\nOther=1\n") << "16711680";
        QTest::newRow("other section") << QByteArray("[TXTCLR]\nFrmColor=1\n") << "16711680";
        QTest::newRow("cut to 19") << QByteArray("[BCKCLR]\nFrmColor=1234567890123456789012345\n") << "1234567890123456789";
        QTest::newRow("empty value") << QByteArray("[BCKCLR]\nFrmColor=\n") << "";
        QTest::newRow("one byte-order mark") << QByteArray("\xEF\xBB\xBF[BCKCLR]\nFrmColor=255\n") << "255";
        QTest::newRow("two byte-order marks") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF[BCKCLR]\nFrmColor=255\n") << "255";
    }
    void readsValuesOrDefault() {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        if (!file.isNull()) write(file);
        QCOMPARE(GetPrivateProfileString("BCKCLR", "FrmColor", "16711680", 20, ini()), expected);
        if (file.isNull()) QVERIFY2(!QFile::exists(ini()), "reading must not create the settings file");
    }

    void writeKeepsTheRestOfTheFile() {
        write("; my colours\r\n[BCKCLR]\r\nFrmColor=1\r\nExtra=keep\r\n\r\n[Other]\r\nA=b\r\n");
        QVERIFY(WritePrivateProfileString("BCKCLR", "FrmColor", "255", ini()));
        QVERIFY(WritePrivateProfileString("TXTCLR", "TextColor", "0", ini()));
        QVERIFY(WritePrivateProfileString("Other", "New", "x", ini()));
        const QByteArray text = read();
        QVERIFY(text.contains("; my colours"));
        QVERIFY(text.contains("FrmColor=255"));
        QVERIFY(!text.contains("FrmColor=1\r"));
        QVERIFY(text.contains("Extra=keep"));
        QCOMPARE(GetPrivateProfileString("Other", "A", "", 20, ini()), QString("b"));
        QCOMPARE(GetPrivateProfileString("Other", "New", "", 20, ini()), QString("x"));
        QCOMPARE(GetPrivateProfileString("TXTCLR", "TextColor", "", 20, ini()), QString("0"));
    }

    // A change to the first section of a file that begins with byte-order marks replaces its value.
    void writeAfterByteOrderMarks() {
        write("\xEF\xBB\xBF\xEF\xBB\xBF[BCKCLR]\r\nFrmColor=1\r\n[TXTCLR]\r\nTextColor=0\r\n");
        QVERIFY(WritePrivateProfileString("BCKCLR", "FrmColor", "255", ini()));
        QCOMPARE(read(), QByteArray("[BCKCLR]\r\nFrmColor=255\r\n[TXTCLR]\r\nTextColor=0\r\n"));
    }

    // A file in UTF-16/32 (marked or not) or the ANSI code page is read and written back in its encoding, other lines kept.
    void otherEncodingsReadAndKept_data() {
        QTest::addColumn<QString>("encoding");   // a name QStringEncoder knows, or "Windows-1252"
        QTest::addColumn<bool>("mark");
        QTest::addColumn<QString>("eol");
        for (const char* e : {"UTF-16LE", "UTF-16BE", "UTF-32LE", "UTF-32BE"})
            for (bool mark : {true, false}) QTest::newRow(qPrintable(QString(e) + (mark ? " marked" : ""))) << e << mark << "\r\n";
        QTest::newRow("UTF-16LE, LF") << "UTF-16LE" << true << "\n";
        for (const char* eol : {"\r\n", "\n"}) QTest::newRow(eol[0] == '\r' ? "Windows-1252" : "Windows-1252, LF") << "Windows-1252" << false << eol;
    }
    void otherEncodingsReadAndKept() {
        QFETCH(QString, encoding);
        QFETCH(bool, mark);
        QFETCH(QString, eol);
        const auto bytes = [&](QString text) {
            text.replace("\n", eol);
            if (encoding == "Windows-1252") return text.replace(u'\u2013', u'\u0096').toLatin1();   // 0x96: the en dash
            return QByteArray(QStringEncoder(qPrintable(encoding), mark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default).encode(text));
        };
        const QString before = "; caf\u00E9 \u2013 \u00FF\n[BCKCLR]\nFrmColor=1\n[TXTCLR]\nTextColor=0\n";
        write(bytes(before));
        QCOMPARE(GetPrivateProfileString("TXTCLR", "TextColor", "", 20, ini()), QString("0"));
        QVERIFY(WritePrivateProfileString("BCKCLR", "FrmColor", "255", ini()));
        QVERIFY(WritePrivateProfileString("New", "K", "v", ini()));
        QCOMPARE(read(), bytes(QString(before).replace("=1", "=255") + "\n[New]\nK=v\n"));
    }

    // Started from the build tree, settings and databases go to the per-user data folder.
    void programFolderChosen() {
        const QByteArray saved = qgetenv("RAVELSTOW_HOME");
        qunsetenv("RAVELSTOW_HOME");
        QCOMPARE(vb::programFolder(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        qputenv("RAVELSTOW_HOME", saved);
    }

    void windowsRgbKeepsRedInTheLowByte() {
        QCOMPARE(winRgbToQColor(16711680), QColor(0, 0, 255));
        QCOMPARE(winRgbToQColor(255), QColor(255, 0, 0));
        QCOMPARE(qColorToWinRgb(QColor(0, 0, 255)), 16711680u);
        QCOMPARE(RGB(192, 192, 192), 12632256u);
        QCOMPARE(qColorToWinRgb(winRgbToQColor(0x123456)), 0x123456u);
    }

    void frameColoursLeaveTheTextOfItsBoxes() {
        QGroupBox frame;
        auto* box = new QLineEdit(&frame);
        const QColor typed = box->palette().color(QPalette::Text);
        SetForeColor(&frame, 16777215);
        SetBackColor(&frame, 16711680);
        QCOMPARE(frame.palette().color(QPalette::WindowText), QColor(255, 255, 255));
        QCOMPARE(box->palette().color(QPalette::Text), typed);
    }

    void colourTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("error");     // 0: no error
        QTest::addColumn<uint>("orDefault");
        QTest::newRow("number") << "16777215" << 0 << 16777215u;
        QTest::newRow("blanks") << " 255 " << 0 << 255u;
        QTest::newRow("not a number") << "abc" << int(err::TypeMismatch) << 7u;
        QTest::newRow("empty") << "" << int(err::TypeMismatch) << 7u;
        QTest::newRow("19 digits") << "1234567890123456789" << int(err::Overflow) << 7u;
        QTest::newRow("negative") << "-1" << 0 << 7u;
        QTest::newRow("above white") << "16777216" << 0 << 7u;
    }
    void colourTexts() {
        QFETCH(QString, text);
        QFETCH(int, error);
        QFETCH(uint, orDefault);
        int got = 0;
        try {
            colourFromText(text);
        } catch (const VbError& e) {
            got = e.number;
        }
        QCOMPARE(got, error);
        QCOMPARE(colourOrDefault(text, 7), orDefault);
    }

    void dialogFilters() {
        QCOMPARE(qtNameFilters("Access Files (*.mdb)|*.mdb|All Files (*.*)|*.*"),
                 QStringList({"Access Files (*.mdb)", "All Files (*)"}));
        QCOMPARE(qtNameFilters("Pictures|*.bmp;*.jpg"), QStringList({"Pictures (*.bmp *.jpg)"}));
        QCOMPARE(qtNameFilters(""), QStringList());
    }

    void cancelErrorRaises32755() {
        ScriptedUi ui;
        ui.answerOpen("").answerOpen("/tmp/x.mdb");
        CommonDialog dlg;
        dlg.CancelError = true;
        try {
            dlg.ShowOpen();
            QFAIL("no error");
        } catch (const VbError& e) {
            QCOMPARE(e.number, err::CancelError);
        }
        dlg.ShowOpen();
        QCOMPARE(dlg.FileName, QString("/tmp/x.mdb"));
        QCOMPARE(dlg.FileTitle, QString("x.mdb"));
    }

    void errorPairShowsNumberThenDescription() {
        ScriptedUi ui;
        ui.answerMsgBox(vbOK).answerMsgBox(vbOK);
        RunTrapped([] { raise(err::DB_E_NOTABLE, "no table"); });
        QCOMPARE(ui.messages(), QStringList({"-2147217865", "no table"}));
        QCOMPARE(ui.titles(), QStringList({"Ravelstow", "Ravelstow"}));
    }
};

RV_TEST(SettingsAndColoursTest)
#include "SettingsAndColoursTest.moc"
