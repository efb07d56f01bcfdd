// Stored dates: each form a file holds is read (from UTF-16 and UTF-8) and written in the one form.
#include "platform/db/StoredDate.h"
#include "support/TestRegistry.h"

#include <QTest>

class StoredDateTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readAndWrite_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("read");      // invalid: not a stored date
        QTest::addColumn<QString>("written");
        auto at = [](int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
            return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
        };
        QTest::newRow("the written form") << "2024-03-05 14:07:09" << at(2024, 3, 5, 14, 7, 9) << "2024-03-05 14:07:09";
        QTest::newRow("date alone, leap day") << "2024-02-29" << at(2024, 2, 29) << "2024-02-29 00:00:00";
        QTest::newRow("T between, no seconds") << "2024-03-05T14:07" << at(2024, 3, 5, 14, 7) << "2024-03-05 14:07:00";
        QTest::newRow("fraction") << "2024-03-05 14:07:09.5" << at(2024, 3, 5, 14, 7, 9, 500) << "2024-03-05 14:07:09";
        QTest::newRow("microseconds") << "2024-03-05 14:07:09.123456" << at(2024, 3, 5, 14, 7, 9, 123) << "2024-03-05 14:07:09";
        QTest::newRow("one digit") << "2024-3-5 9:07:09" << at(2024, 3, 5, 9, 7, 9) << "2024-03-05 09:07:09";
        for (const char* bad : {"", "3/5/2024", "2023-02-29", "2024-03-05 14:7", " 2024-03-05", "2024-03-05 14:07:09Z"})
            QTest::newRow(bad) << QString::fromLatin1(bad) << QDateTime() << QString();
    }
    void readAndWrite() {
        QFETCH(QString, text);
        QFETCH(QDateTime, read);
        QFETCH(QString, written);
        const auto fromUtf16 = db::parseStoredDate(text);
        const QByteArray utf8 = text.toUtf8();
        const auto fromUtf8 = db::parseStoredDate(QUtf8StringView(utf8));
        QCOMPARE(fromUtf16.value_or(QDateTime()), read);
        QCOMPARE(fromUtf8.value_or(QDateTime()), read);
        if (fromUtf16) QCOMPARE(db::toStoredDate(*fromUtf16), written);
    }
};

RV_TEST(StoredDateTest)
#include "StoredDateTest.moc"
