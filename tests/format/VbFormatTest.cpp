#include "LocaleScope.h"
#include "platform/format/VbConvert.h"
#include "platform/format/VbFormat.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace vb;

class VbFormatTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numbers_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const QVariant& v, const char* p, const QString& e) {
            QTest::newRow(name) << v << QString(p) << e;
        };
        // Integer boxes.
        row("0: half away from zero", 1.5, "0", "2");
        row("0: -2.5", -2.5, "0", "-3");
        row("0: small negative has no sign", -0.4, "0", "0");
        row("0: very large", 1e20, "0", "100000000000000000000");
        row("0: True is -1", true, "0", "-1");
        // Double boxes: the leftmost 0 fixes the whole digits shown.
        row("0###.000: pi", 3.14159, "0###.000", "0003.142");
        row("0###.000: negative", -3.14159, "0###.000", "-0003.142");
        // Decimal boxes.
        row("####.00: half", 0.5, "####.00", ".50");
        row("####.00: negative whole", -2, "####.00", "-2.00");
        row("####.00: decimal half", 1.005, "####.00", "1.01");
        row("####.: whole", 12, "####.", "12.");
        row("####.000000000: nine places", 1.5, "####.000000000", "1.500000000");
        // Currency.
        row("$0.00", 12.5, "$0.00", "$12.50");
        row("$0.00: negative", -12.5, "$0.00", "-$12.50");
        row("$0.00: no grouping", 1234567.891, "$0.00", "$1234567.89");
        row("$ ###0.00", 12.5, "$ ###0.00", "$ 12.50");
        row("$#,##0.00", 1234567.891, "$#,##0.00", "$1,234,567.89");
        row("$#,##0.00: carry into a group", 999.995, "$#,##0.00", "$1,000.00");
        row("#####: zero is blank", 0, "#####", "");
        row("0###: pads", 7, "0###", "0007");
        // Other pattern pieces.
        row("percent", 0.1234, "0.00%", "12.34%");
        row("scientific", 12345, "0.00E+00", "1.23E+04");
        row("scientific carry", 9.999, "0.00E+00", "1.00E+01");
        row("negative section", -1234, "#,##0;(#,##0)", "(1,234)");
        row("null section", QVariant(), "0;-0;\"zero\";\"none\"", "none");
        row("escaped literal", 5, "0\\h", "5h");
        // Values that are no numbers.
        row("text left alone", "abc", "0.00", "abc");
        row("null", QVariant(), "0.00", "");
        // General number (no pattern).
        row("general", 1234.5, "", "1234.5");
        row("general large", 1e20, "", "1E+20");
        row("general tiny", 0.00001, "", "1E-05");
        row("general 15 digits", 0.1 + 0.2, "", "0.3");
        row("general bool", true, "", "True");
        // Named formats.
        row("Percent", 0.5, "Percent", "50.00%");
        row("Standard", 1234.5, "Standard", "1,234.50");
        row("Currency", 1234.5, "Currency", "$1,234.50");
        row("Yes/No", 1, "Yes/No", "Yes");
        row("True/False -1", -1, "True/False", "True");
    }
    void numbers() {
        QFETCH(QVariant, value);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        LocaleScope scope("en_US");
        QCOMPARE(Format(value, pattern), expected);
    }

    void numbersFollowTheLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("de currency") << "de_DE" << -1234.5 << "$0.00" << "-$1234,50";
        QTest::newRow("de grouping") << "de_DE" << 1234567.891 << "$#,##0.00" << "$1.234.567,89";
        QTest::newRow("de decimal") << "de_DE" << 0.5 << "####.00" << ",50";
        QTest::newRow("fr grouping") << "fr_FR" << 1234.5 << "#,##0.00" << QString("1") + QChar(0x202F) + "234,50";
    }
    void numbersFollowTheLocale() {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        LocaleScope scope(locale.toLatin1().constData());
        QCOMPARE(Format(value, pattern), expected);
        // What Format writes, the number test reads back.
        QVERIFY(IsNumeric(Format(value, pattern)));
    }

    void dates_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        const QVariant v = makeDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
        const QVariant midnight = makeDateTime(QDate(2024, 3, 5));
        const QVariant noon = makeDateTime(QDate(2024, 3, 5), QTime(12, 0));
        auto row = [](const char* name, const char* loc, const QVariant& val, const char* p, const QString& e) {
            QTest::newRow(name) << QString(loc) << val << QString(p) << e;
        };
        row("mm/dd/yyyy", "en_US", v, "mm/dd/yyyy", "03/05/2024");
        row("with time", "en_US", v, "mm/dd/yyyy hh:nn AM/PM", "03/05/2024 02:07 PM");
        row("midnight AM", "en_US", midnight, "hh:nn AM/PM", "12:00 AM");
        row("noon PM", "en_US", noon, "hh:nn AM/PM", "12:00 PM");
        row("two-digit year only when asked", "en_US", v, "m/d/yy", "3/5/24");
        row("names", "en_US", v, "dddd, mmmm d, yyyy", "Tuesday, March 5, 2024");
        row("iso-like", "en_US", v, "yyyy-mm-dd hh:nn:ss", "2024-03-05 14:07:09");
        row("minutes after h", "en_US", v, "h:mm", "14:07");
        row("general date", "en_US", v, "General Date", "3/5/2024 2:07:09 PM");
        row("general date at midnight", "en_US", midnight, "General Date", "3/5/2024");
        row("short date has four digits", "en_US", v, "Short Date", "3/5/2024");
        row("time alone on day zero", "en_US", makeDateTime(QDate(1899, 12, 30), QTime(14, 7)), "", "2:07:00 PM");
        row("stored iso text", "en_US", QString("2024-02-29 00:00:00"), "mm/dd/yyyy", "02/29/2024");
        row("serial number", "en_US", 45356.5, "mm/dd/yyyy hh:nn", "03/05/2024 12:00");
        row("gb general", "en_GB", v, "", "05/03/2024 14:07:09");
        row("de separators", "de_DE", v, "mm/dd/yyyy", "03.05.2024");
    }
    void dates() {
        QFETCH(QString, locale);
        QFETCH(QVariant, value);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        LocaleScope scope(locale.toLatin1().constData());
        QCOMPARE(Format(value, pattern), expected);
    }

    // What Format writes for a date, the date test reads back as the same date.
    void datesReadBack_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("pattern");
        for (const char* loc : {"en_US", "en_GB", "de_DE", "fi_FI", "ja_JP"})
            for (const char* p : {"", "mm/dd/yyyy hh:nn:ss", "General Date", "dd/mm/yyyy h:nn:ss AM/PM"})
                QTest::addRow("%s %s", loc, p) << QString(loc) << QString(p);
    }
    void datesReadBack() {
        QFETCH(QString, locale);
        QFETCH(QString, pattern);
        LocaleScope scope(locale.toLatin1().constData());
        const QDate days[] = {QDate(2024, 2, 29), QDate(1999, 12, 31), QDate(2030, 1, 1), QDate(1929, 7, 4)};
        const QTime times[] = {QTime(0, 0), QTime(12, 0), QTime(23, 59, 59), QTime(0, 0, 1)};
        for (const QDate& d : days) {
            for (const QTime& t : times) {
                const QDateTime v = makeDateTime(d, t);
                const QString text = Format(v, pattern);
                const auto back = vb::parseDate(text, pattern);
                QVERIFY2(back.has_value(), qPrintable(text));
                QCOMPARE(*back, v);
            }
        }
    }

    void datePatternDetection() {
        QVERIFY(isDatePattern("mm/dd/yyyy") && isDatePattern("hh:mm AMPM") && isDatePattern("Short Date"));
        QVERIFY(!isDatePattern("$0.00") && !isDatePattern("####.00") && !isDatePattern("True/False") && !isDatePattern(""));
    }
};

RV_TEST(VbFormatTest)
#include "VbFormatTest.moc"
