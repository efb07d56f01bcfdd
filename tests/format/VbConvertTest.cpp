#include "LocaleScope.h"
#include "platform/core/VbError.h"
#include "platform/format/VbConvert.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace vb;

using testdb::errorOf;

namespace {
QDateTime dt(int y, int m, int d, int h = 0, int mi = 0, int s = 0) { return makeDateTime(QDate(y, m, d), QTime(h, mi, s)); }

}  // namespace

class VbConvertTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rounding_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("places");
        QTest::addColumn<double>("even");
        QTest::addColumn<double>("away");
        QTest::newRow("2.5") << 2.5 << 0 << 2.0 << 3.0;
        QTest::newRow("-2.5") << -2.5 << 0 << -2.0 << -3.0;
        QTest::newRow("0.125 to 2") << 0.125 << 2 << 0.12 << 0.13;
        // Decimal halves, not their binary neighbours (2.675 is 2.67499999... in binary).
        QTest::newRow("2.675 to 2") << 2.675 << 2 << 2.68 << 2.68;
        QTest::newRow("1.005 to 2") << 1.005 << 2 << 1.0 << 1.01;
        QTest::newRow("carry 9.995") << 9.995 << 2 << 10.0 << 10.0;
        QTest::newRow("tens") << 1250.0 << -2 << 1200.0 << 1300.0;
        QTest::newRow("large") << 123456789012.5 << 0 << 123456789012.0 << 123456789013.0;
    }
    void rounding() {
        QFETCH(double, value);
        QFETCH(int, places);
        QFETCH(double, even);
        QFETCH(double, away);
        QCOMPARE(roundHalfEven(value, places), even);
        QCOMPARE(roundHalfAway(value, places), away);
    }

    void parseNumber_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        auto row = [](const char* name, const char* loc, const QString& text, bool ok, double v = 0) {
            QTest::newRow(name) << QString(loc) << text << ok << v;
        };
        row("plain", "en_US", "12", true, 12);
        row("negative", "en_US", "-12", true, -12);
        row("grouped", "en_US", "1,234,567.5", true, 1234567.5);
        row("comma decimal under en_US", "en_US", "12,34", false);
        row("dollar", "en_US", "$12.50", true, 12.5);
        row("dollar minus", "en_US", "$-12.50", true, -12.5);
        row("parentheses", "en_US", "(12.5)", true, -12.5);
        row("leading point", "en_US", ".5", true, 0.5);
        row("letters", "en_US", "abc", false);
        row("empty", "en_US", "", false);
        row("sign only", "en_US", "-", false);
        row("too large for a Double", "en_US", "1e400", false);
        row("de grouped", "de_DE", "1.234,5", true, 1234.5);
        row("de point is grouping", "de_DE", "12.50", false);
        row("de euro after", "de_DE", "12,50 €", true, 12.5);
        row("fr blank grouping", "fr_FR", "1 234,5", true, 1234.5);
        row("fi minus sign", "fi_FI", QString(QChar(0x2212)) + "3,5", true, -3.5);
        row("ch apostrophe", "de_CH", "1'234.50", true, 1234.5);
    }
    void parseNumber() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        LocaleScope scope(locale.toLatin1().constData());
        const auto v = vb::parseNumber(text);
        QCOMPARE(v.has_value(), ok);
        QCOMPARE(IsNumeric(text), ok);
        if (ok) QCOMPARE(*v, value);
    }

    void isNumericOfTypes() {
        LocaleScope scope("en_US");
        QVERIFY(!IsNumeric(QVariant()));
        QVERIFY(!IsNumeric(QVariant(QString())));
        QVERIFY(IsNumeric(0));
        QVERIFY(IsNumeric(-1.5));
        QVERIFY(IsNumeric(qlonglong(1) << 40));
        QVERIFY(IsNumeric(true));
        QVERIFY(!IsNumeric(QDate(2024, 3, 5)));
    }

    void conversions_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("cint");    // value, or the error number when `cintErr`
        QTest::addColumn<int>("cintErr");
        QTest::addColumn<qlonglong>("clng");
        QTest::addColumn<int>("clngErr");
        QTest::addColumn<int>("cbyte");
        QTest::addColumn<int>("cbyteErr");
        const int OV = err::Overflow, TM = err::TypeMismatch, NU = err::InvalidUseOfNull;
        QTest::newRow("1.5 rounds to even 2") << QVariant("1.5") << 2 << 0 << 2LL << 0 << 2 << 0;
        QTest::newRow("-2.5") << QVariant(-2.5) << -2 << 0 << -2LL << 0 << 0 << OV;
        QTest::newRow("255") << QVariant(255) << 255 << 0 << 255LL << 0 << 255 << 0;
        QTest::newRow("32767") << QVariant(32767) << 32767 << 0 << 32767LL << 0 << 0 << OV;
        QTest::newRow("-32768") << QVariant("-32768") << -32768 << 0 << -32768LL << 0 << 0 << OV;
        QTest::newRow("-32768.5 rounds to even in") << QVariant(-32768.5) << -32768 << 0 << -32768LL << 0 << 0 << OV;
        QTest::newRow("32768") << QVariant(32768) << 0 << OV << 32768LL << 0 << 0 << OV;
        QTest::newRow("2147483647") << QVariant("2147483647") << 0 << OV << 2147483647LL << 0 << 0 << OV;
        QTest::newRow("2147483648") << QVariant(2147483648.0) << 0 << OV << 0LL << OV << 0 << OV;
        QTest::newRow("-2147483648") << QVariant(qlonglong(-2147483648LL)) << 0 << OV << -2147483648LL << 0 << 0 << OV;
        QTest::newRow("1e300") << QVariant(1e300) << 0 << OV << 0LL << OV << 0 << OV;
        QTest::newRow("currency text") << QVariant("$1,234.50") << 1234 << 0 << 1234LL << 0 << 0 << OV;
        QTest::newRow("letters") << QVariant("12a") << 0 << TM << 0LL << TM << 0 << TM;
        QTest::newRow("null") << QVariant() << 0 << NU << 0LL << NU << 0 << NU;
        QTest::newRow("True is -1") << QVariant(true) << -1 << 0 << -1LL << 0 << 0 << OV;
        QTest::newRow("a date") << QVariant(QDate(2024, 3, 5)) << 0 << TM << 0LL << TM << 0 << TM;
    }
    void conversions() {
        QFETCH(QVariant, value);
        QFETCH(int, cint);
        QFETCH(int, cintErr);
        QFETCH(qlonglong, clng);
        QFETCH(int, clngErr);
        QFETCH(int, cbyte);
        QFETCH(int, cbyteErr);
        LocaleScope scope("en_US");
        QCOMPARE(errorOf([&] { CInt(value); }), cintErr);
        if (!cintErr) QCOMPARE(int(CInt(value)), cint);
        QCOMPARE(errorOf([&] { CLng(value); }), clngErr);
        if (!clngErr) QCOMPARE(qlonglong(CLng(value)), clng);
        QCOMPARE(errorOf([&] { CByte(value); }), cbyteErr);
        if (!cbyteErr) QCOMPARE(int(CByte(value)), cbyte);
    }

    void currencyAndDouble() {
        LocaleScope scope("de_DE");
        QCOMPARE(CCur("12,34565"), 12.3456);
        QCOMPARE(CCur("$1.234,5"), 1234.5);
        QCOMPARE(CCur("1.234,50 €"), 1234.5);
        QCOMPARE(CCur(922337203685477.0), 922337203685477.0);
        QCOMPARE(errorOf([] { CCur(1e16); }), int(err::Overflow));
        QCOMPARE(errorOf([] { CCur("zwölf"); }), int(err::TypeMismatch));
        QCOMPARE(CDbl("-1,5e3"), -1500.0);
        QCOMPARE(CDbl(qlonglong(7)), 7.0);
        QCOMPARE(errorOf([] { CDbl(QVariant()); }), int(err::InvalidUseOfNull));
    }

    void parseDate_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QDateTime>("expected");  // invalid: not a date
        const QDateTime no;
        auto row = [](const char* name, const char* loc, const QString& text, const QString& pat, const QDateTime& e) {
            QTest::newRow(name) << QString(loc) << text << pat << e;
        };
        row("us short", "en_US", "3/5/2024", {}, dt(2024, 3, 5));
        row("two-digit year 24 is 2024", "en_US", "3/5/24", {}, dt(2024, 3, 5));
        row("two-digit year 29 is 2029", "en_US", "3/5/29", {}, dt(2029, 3, 5));
        row("two-digit year 30 is 1930", "en_US", "3/5/30", {}, dt(1930, 3, 5));
        row("iso", "en_US", "2024-03-05 14:07:09", {}, dt(2024, 3, 5, 14, 7, 9));
        row("leap day", "en_US", "2/29/2024", {}, dt(2024, 2, 29));
        // A wall-clock time inside a daylight-saving gap of some zones stays as typed.
        row("daylight-saving gap", "en_US", "3/10/2024 2:30:00 AM", {}, dt(2024, 3, 10, 2, 30));
        row("hour 25", "en_US", "25:00", {}, no);
        row("no leap day in 2023", "en_US", "2/29/2023", {}, no);
        row("day-first text is not swapped under en_US", "en_US", "13/5/2024", {}, no);
        row("month name", "en_US", "March 5, 2024", {}, dt(2024, 3, 5));
        row("midnight AM", "en_US", "12:00 AM", {}, dt(1899, 12, 30, 0, 0));
        row("time alone", "en_US", "14:07", {}, dt(1899, 12, 30, 14, 7));
        row("letters", "en_US", "abc", {}, no);
        row("gb day first", "en_GB", "05/03/2024", {}, dt(2024, 3, 5));
        row("gb 03/05 is 3 May", "en_GB", "03/05/2024", {}, dt(2024, 5, 3));
        row("gb no month 13", "en_GB", "05/13/2024", {}, no);
        row("gb month-first pattern", "en_GB", "03/05/2024", "mm/dd/yyyy", dt(2024, 3, 5));
        row("gb pattern, time added", "en_GB", "03/05/2024 14:07", "mm/dd/yyyy", dt(2024, 3, 5, 14, 7));
        row("de dotted", "de_DE", "05.03.2024", {}, dt(2024, 3, 5));
        row("de month-first pattern writes dots", "de_DE", "03.05.2024", "mm/dd/yyyy", dt(2024, 3, 5));
        row("fi day.month with dotted time", "fi_FI", "5.3.2024 14.07.09", {}, dt(2024, 3, 5, 14, 7, 9));
        row("ja year first", "ja_JP", "2024/03/05", {}, dt(2024, 3, 5));
    }
    void parseDate() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(QDateTime, expected);
        LocaleScope scope(locale.toLatin1().constData());
        const auto v = vb::parseDate(text, pattern);
        QCOMPARE(v.has_value(), expected.isValid());
        QCOMPARE(IsDate(text, pattern), expected.isValid());
        if (v) QCOMPARE(*v, expected);
    }

    void dateAndMonthOnly() {
        LocaleScope scope("en_US");
        const int year = QDate::currentDate().year();
        QCOMPARE(*vb::parseDate("3/5"), dt(year, 3, 5));
        QCOMPARE(*vb::parseDate("3/2024"), dt(2024, 3, 1));
    }

    void storedDates() {
        QCOMPARE(*storedDate("2024-03-05 14:07:09"), dt(2024, 3, 5, 14, 7, 9));
        QCOMPARE(*storedDate("2024-03-05"), dt(2024, 3, 5));
        QCOMPARE(*storedDate(QDate(2024, 2, 29)), dt(2024, 2, 29));
        QCOMPARE(*storedDate(QDateTime(QDate(2024, 3, 5), QTime(1, 2, 3))), dt(2024, 3, 5, 1, 2, 3));
        QVERIFY(!storedDate("3/5/2024"));
        QVERIFY(!storedDate(QVariant()));
        QCOMPARE(toStoredDate(dt(2024, 3, 5)), QString("2024-03-05 00:00:00"));
        QCOMPARE(toStoredDate(dt(1899, 12, 30, 14, 7)), QString("1899-12-30 14:07:00"));
        QCOMPARE(toOleDate(dt(2024, 3, 5, 12)), 45356.5);
        QCOMPARE(fromOleDate(45356.5), dt(2024, 3, 5, 12));
        QCOMPARE(fromOleDate(-1.25), dt(1899, 12, 29, 6));
        QCOMPARE(toOleDate(dt(1899, 12, 29, 6)), -1.25);
        QCOMPARE(errorOf([] { CDate("not a date"); }), int(err::TypeMismatch));
        QCOMPARE(errorOf([] { CDate(QVariant()); }), int(err::InvalidUseOfNull));
    }
};

RV_TEST(VbConvertTest)
#include "VbConvertTest.moc"
