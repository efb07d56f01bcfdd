// The one rule for dates the user types: the same text is the same date wherever it is read, in
// the locale's order of day, month and year, never swapped; what is shown reads back unchanged.
#include "LocaleScope.h"
#include "platform/format/UserDates.h"
#include "platform/format/VbConvert.h"
#include "platform/format/VbFormat.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace vb;

class UserDatesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void reading_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");   // invalid: no date
        const QDateTime none;
        auto d = [](int y, int m, int dd, int h = 0, int mi = 0) { return makeDateTime(QDate(y, m, dd), QTime(h, mi)); };
        for (const char* loc : {"C", "en_US", "en_GB", "de_DE"})
            QTest::addRow("%s iso", loc) << QString(loc) << "2024-03-05 14:07" << d(2024, 3, 5, 14, 7);
        QTest::newRow("C day first") << "C" << "03/05/2024" << d(2024, 5, 3);
        QTest::newRow("C 31 12") << "C" << "31/12/2024" << d(2024, 12, 31);
        QTest::newRow("C month name") << "C" << "5 Mar 2024" << d(2024, 3, 5);
        QTest::newRow("C not swapped") << "C" << "12/31/2024" << none;
        QTest::newRow("en_US month first") << "en_US" << "03/05/2024" << d(2024, 3, 5);
        QTest::newRow("en_US with time") << "en_US" << "3/5/2024 2:07 PM" << d(2024, 3, 5, 14, 7);
        QTest::newRow("en_US not swapped") << "en_US" << "31/12/2024" << none;
        QTest::newRow("en_US no month 13") << "en_US" << "13/25/2024" << none;
        QTest::newRow("en_US no 30 February") << "en_US" << "2/30/2024" << none;
        QTest::newRow("en_GB day first") << "en_GB" << "03/05/2024" << d(2024, 5, 3);
        QTest::newRow("de_DE dots") << "de_DE" << "03.05.2024" << d(2024, 5, 3);
        QTest::newRow("C words") << "C" << "soon" << none;
    }
    void reading() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        LocaleScope scope(locale.toLatin1().constData());
        const std::optional<QDateTime> read = readUserDate(text);
        QCOMPARE(read.has_value(), expected.isValid());
        QCOMPARE(isUserDate(text), expected.isValid());
        if (read) QCOMPARE(*read, expected);
    }

    // What is shown reads back as the same value, and follows the pattern the rule names.
    void shownTextReadsBack_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("date");   // 5 March 2024
        QTest::newRow("en_US") << "en_US" << "m/d/yyyy" << "3/5/2024";
        QTest::newRow("en_GB") << "en_GB" << "dd/mm/yyyy" << "05/03/2024";
        QTest::newRow("de_DE") << "de_DE" << "dd.mm.yyyy" << "05.03.2024";
        QTest::newRow("C") << "C" << "d mmm yyyy" << "5 Mar 2024";
    }
    void shownTextReadsBack() {
        QFETCH(QString, locale);
        QFETCH(QString, pattern);
        QFETCH(QString, date);
        LocaleScope scope(locale.toLatin1().constData());
        QCOMPARE(userDatePattern(), pattern);
        const QDateTime midnight = makeDateTime(QDate(2024, 3, 5));
        const QDateTime afternoon = makeDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
        QCOMPARE(showUserDate(midnight), date);
        QCOMPARE(Format(midnight, userDatePattern()), date);
        QVERIFY(showUserDateTime(midnight).startsWith(date + ' '));
        for (const QDateTime& v : {midnight, afternoon}) {
            QCOMPARE(readUserDate(showUserDate(v)), std::optional<QDateTime>(v));
            QCOMPARE(readUserDate(showUserDateTime(v)), std::optional<QDateTime>(v));
        }
    }
};

RV_TEST(UserDatesTest)
#include "UserDatesTest.moc"
