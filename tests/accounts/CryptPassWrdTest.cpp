#include "accounts/CryptPassWrd.h"
#include "support/TestRegistry.h"

#include <QTest>

namespace {
QList<int> codes(const QString& s) {
    QList<int> out;
    for (const QChar ch : s) out << ch.unicode();
    return out;
}
}  // namespace

class CryptPassWrdTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void vectors_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("empty") << QString() << QList<int>{};
        QTest::newRow("secret") << QStringLiteral("secret") << QList<int>{84, 112, 68, 125, 70, 127};
        QTest::newRow("Admin") << QStringLiteral("Admin") << QList<int>{34, 111, 78, 116, 79};
        // Characters 1 and 7 share their place in the cycle of six.
        QTest::newRow("cycle") << QStringLiteral("abcdefabcdef")
                               << QList<int>{67, 108, 69, 110, 71, 112, 67, 108, 69, 110, 71, 112};
        // Non-ASCII text is scrambled byte by byte in its UTF-8 form.
        QTest::newRow("latin") << QStringLiteral("Pässwörd") << QList<int>{50, 205, 134, 125, 85, 129, 165, 192, 84, 110};
        QTest::newRow("cjk") << QStringLiteral("日本語パスワード")
                             << QList<int>{203, 158, 138, 237, 129, 179, 205, 177, 131, 234, 104, 152,
                                           200, 137, 158, 234, 104, 182, 200, 138, 161, 234, 104, 144};
    }
    void vectors() {
        QFETCH(QString, password);
        QFETCH(QList<int>, expected);
        const QString once = CryptPassWrd(password);
        QCOMPARE(codes(once), expected);
        QCOMPARE(CryptPassWrd(password), once);   // no state between calls
    }

    void keyIsReplacedByItsNumber() {
        QString key = QString(349, QLatin1Char('~'));   // codes add up to 43974
        QCOMPARE(codes(CryptPassWrd(QStringLiteral("a"), key)), QList<int>{97 + 42 - 31});
        QCOMPARE(key, QStringLiteral("42"));
        QString empty;
        QCOMPARE(codes(CryptPassWrd(QStringLiteral("abc"), empty)), (QList<int>{97 - 31, 98 + 11, 99 - 31}));
        QCOMPARE(empty, QStringLiteral("0"));
        // The same variable as text and key: the text is taken before the key is overwritten.
        QString same = QStringLiteral("secret");
        QCOMPARE(CryptPassWrd(same, same), CryptPassWrd(QStringLiteral("secret")));
        QCOMPARE(same, QStringLiteral("0"));
    }

    void outOfRangePositionsAreDropped() {
        // A key of 1000 '~' gives 123: the second character falls below 0 and is left out.
        QString key = QString(1000, QLatin1Char('~'));
        QCOMPARE(codes(CryptPassWrd(QStringLiteral("ab"), key)), QList<int>{189});
        QCOMPARE(key, QStringLiteral("123"));
    }

    // Every printable character is kept, at every place of the cycle, with the smallest and the
    // largest number the constants cover; no code 0 is made.
    void printableNeverDropped() {
        for (const QString& key : {QString(), QString(349, QLatin1Char('~'))}) {
            for (int a = 32; a <= 126; ++a) {
                const QString text(6, QChar(a));
                QString k = key;
                const QString out = CryptPassWrd(text, k);
                QCOMPARE(out.size(), 6);
                QVERIFY(!out.contains(QChar(0)));
            }
        }
    }

    void longPasswords() {
        const QString ascii = QString(300, QLatin1Char('~'));
        const QString s = CryptPassWrd(ascii);
        QCOMPARE(s.size(), 300);
        QCOMPARE(codes(s.left(2)), (QList<int>{131, 101}));
        QVERIFY(CryptPassWrd(ascii + QLatin1Char('x')) != s);
        const QString mixed = QString(70, QChar(0x65E5)) + QStringLiteral("é!");
        QCOMPARE(CryptPassWrd(mixed).size(), 70 * 3 + 3);
        QCOMPARE(CryptPassWrd(mixed), CryptPassWrd(mixed));
    }
};

RV_TEST(CryptPassWrdTest)
#include "CryptPassWrdTest.moc"
