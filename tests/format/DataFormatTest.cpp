#include "LocaleScope.h"
#include "platform/core/VbError.h"
#include "platform/format/DataFormat.h"
#include "platform/format/VbConvert.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace vb;

namespace {

QDateTime dt(int y, int m, int d, int h = 0, int mi = 0, int s = 0) { return makeDateTime(QDate(y, m, d), QTime(h, mi, s)); }

// Parses and returns the value, or the error number as an int QVariant tagged by `failed`.
QVariant tryParse(const DataFormat& f, const QString& text, ValueKind kind, int& error, const QVariant& current = {}) {
    error = 0;
    try {
        return f.parse(text, kind, current);
    } catch (const VbError& e) {
        error = e.number;
    }
    return {};
}

}  // namespace

class DataFormatTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void typeNames_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("202") << 202 << "Text";
        QTest::newRow("2") << 2 << "Integer";
        QTest::newRow("5") << 5 << "Double";
        QTest::newRow("7") << 7 << "Date/Time";
        QTest::newRow("11") << 11 << "True/False";
        QTest::newRow("4 single") << 4 << "";
        QTest::newRow("-1") << -1 << "";
    }
    void typeNames() {
        QFETCH(int, code);
        QFETCH(QString, name);
        QCOMPARE(adoTypeName(code), name);
    }

    void formatsOfFields_data() {
        QTest::addColumn<QString>("fldType");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("format");
        QTest::newRow("Integer") << "Integer" << 0 << "0";
        QTest::newRow("Double") << "Double" << 0 << "0###.000";
        QTest::newRow("Decimal/2") << "Decimal/2" << 0 << "####.00";
        QTest::newRow("Decimal/9") << "Decimal/9" << 0 << "####.000000000";
        QTest::newRow("Currency") << "Currency" << 1 << "$0.00";
        QTest::newRow("True/False") << "True/False" << 5 << "";
        QTest::newRow("Text") << "Text" << 0 << "";
    }
    void formatsOfFields() {
        QFETCH(QString, fldType);
        QFETCH(int, type);
        QFETCH(QString, format);
        const DataFormat f = DataFormat::forFieldType(FieldType::parse(fldType));
        QCOMPARE(f.Type, type);
        QCOMPARE(f.Format, format);
        QCOMPARE(f.TrueValue, QString("True"));
        QCOMPARE(f.FalseValue, QString("False"));
        QCOMPARE(f.NullValue, QString());
        QCOMPARE(decimalTypeName(2), QString("Decimal/2"));
        QCOMPARE(FieldType::parse("Decimal/12").scale, 12);
    }

    void display_data() {
        QTest::addColumn<QString>("fldType");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("shown");
        auto row = [](const char* name, const char* t, const QVariant& v, const QString& s) {
            QTest::newRow(name) << QString(t) << v << s;
        };
        row("integer", "Integer", 42, "42");
        row("integer stored as text", "Integer", QString("42"), "42");
        row("decimal", "Decimal/2", 1234.5, "1234.50");
        row("decimal scale 0", "Decimal/0", 12, "12.");
        row("currency", "Currency", 12.5, "$12.50");
        row("date", "Date/Time", QString("2024-03-05 00:00:00"), "3/5/2024");
        row("date time", "Date/Time", QString("2024-03-05 14:07:09"), "3/5/2024 2:07:09 PM");
        row("boolean 1", "True/False", 1, "True");
        row("boolean 0", "True/False", 0, "False");
        row("boolean text", "True/False", QString("FALSE"), "False");
        row("boolean null", "True/False", QVariant(), "");
        row("text that looks like a number", "Text", QString("00123"), "00123");
    }
    void display() {
        QFETCH(QString, fldType);
        QFETCH(QVariant, stored);
        QFETCH(QString, shown);
        LocaleScope scope("en_US");
        const FieldType type = FieldType::parse(fldType);
        QCOMPARE(DataFormat::forFieldType(type).display(stored, type.valueKind()), shown);
    }

    void parse_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("fldType");
        QTest::addColumn<QString>("format");  // replaces the field's format when not empty
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("expected");
        QTest::addColumn<int>("error");
        const QVariant null;
        const int TM = err::TypeMismatch, OV = err::Overflow;
        auto row = [](const char* name, const char* loc, const char* t, const char* fmt, const QString& text,
                      const QVariant& e, int error = 0) {
            QTest::newRow(name) << QString(loc) << QString(t) << QString(fmt) << text << e << error;
        };
        row("integer", "en_US", "Integer", "", "42", QVariant(qlonglong(42)));
        row("integer 2.5 to even", "en_US", "Integer", "", "2.5", QVariant(qlonglong(2)));
        row("integer beyond 32 bits", "en_US", "Integer", "", "9999999999", null, OV);
        row("integer letters", "en_US", "Integer", "", "12a", null, TM);
        row("integer empty", "en_US", "Integer", "", "", null);
        row("double", "en_US", "Double", "", "3.14159", QVariant(3.14159));
        row("decimal below one", "en_US", "Decimal/2", "", ".50", QVariant(0.5));
        row("decimal zero shown as point", "en_US", "Decimal/0", "", ".", QVariant(0.0));
        row("decimal grouping", "en_US", "Decimal/2", "", "1,234.50", QVariant(1234.5));
        row("currency words", "en_US", "Currency", "", "twelve", null, TM);
        row("currency de dollar", "de_DE", "Currency", "", "$1.234,50", QVariant(1234.5));
        row("currency de euro", "de_DE", "Currency", "", "1.234,50 €", QVariant(1234.5));
        row("currency de point is no decimal", "de_DE", "Currency", "", "12.50", null, TM);
        row("date us", "en_US", "Date/Time", "", "3/5/2024", QVariant(dt(2024, 3, 5)));
        // A box's format plays no part in reading a date: the text means the same in every box.
        row("date gb whatever the box's format", "en_GB", "Date/Time", "mm/dd/yyyy", "03/05/2024",
            QVariant(dt(2024, 5, 3)));
        row("date gb with time whatever the format", "en_GB", "Date/Time", "mm/dd/yyyy hh:nn AM/PM",
            "03/05/2024 02:07 PM", QVariant(dt(2024, 5, 3, 14, 7)));
        row("date us never swapped", "en_US", "Date/Time", "", "13/05/2024", null, TM);
        row("date empty", "en_US", "Date/Time", "", "", null);
        row("boolean True", "en_US", "True/False", "", "True", QVariant(true));
        row("boolean -1", "en_US", "True/False", "", "-1", QVariant(true));
        row("boolean yes", "en_US", "True/False", "", "yes", QVariant(true));
        row("boolean no word", "en_US", "True/False", "", "maybe", null, TM);
        row("text", "en_US", "Text", "", " a b ", QVariant(" a b "));
        row("text empty is null", "en_US", "Text", "", "", null);
    }
    void parse() {
        QFETCH(QString, locale);
        QFETCH(QString, fldType);
        QFETCH(QString, format);
        QFETCH(QString, text);
        QFETCH(QVariant, expected);
        QFETCH(int, error);
        LocaleScope scope(locale.toLatin1().constData());
        DataFormat f = DataFormat::forFieldType(FieldType::parse(fldType));
        if (!format.isEmpty()) f.Format = format;
        int raised = 0;
        const QVariant v = tryParse(f, text, FieldType::parse(fldType).valueKind(), raised);
        QCOMPARE(raised, error);
        QCOMPARE(v.isValid(), expected.isValid());
        if (expected.isValid()) {
            QCOMPARE(v.typeId(), expected.typeId());
            QCOMPARE(v, expected);
        }
    }

    // Every stored value shows as text that reads back to the same value, in every locale, with
    // and without the current value at hand.
    void roundTrip_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("fldType");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QVariant>("value");
        const QList<std::tuple<const char*, const char*, QVariant, QVariant>> cases{
            {"int negative", "Integer", -5, qlonglong(-5)},
            {"int max", "Integer", qlonglong(2147483647), qlonglong(2147483647)},
            {"int min", "Integer", qlonglong(-2147483647 - 1), qlonglong(-2147483647 - 1)},
            {"decimal", "Decimal/2", 1234.5, 1234.5},
            {"decimal scale 0 zero", "Decimal/0", 0.0, 0.0},
            {"decimal large", "Decimal/3", 9999999.125, 9999999.125},
            {"currency", "Currency", 12.5, 12.5},
            {"currency negative", "Currency", -1234.56, -1234.56},
            {"double three places", "Double", 2.5, 2.5},
            {"date leap day", "Date/Time", QString("2024-02-29 00:00:00"), dt(2024, 2, 29)},
            {"date time", "Date/Time", QString("2024-03-05 14:07:09"), dt(2024, 3, 5, 14, 7, 9)},
            {"date old", "Date/Time", QString("1929-07-04 00:00:00"), dt(1929, 7, 4)},
            {"time alone", "Date/Time", QString("1899-12-30 14:07:00"), dt(1899, 12, 30, 14, 7)},
            {"date as QDateTime", "Date/Time", QDateTime(QDate(2024, 3, 12), QTime(1, 2, 3)), dt(2024, 3, 12, 1, 2, 3)},
            {"bool 1", "True/False", 1, true},
            {"text", "Text", QString("x"), QString("x")},
        };
        for (const char* loc : {"en_US", "en_GB", "de_DE", "fr_FR", "fi_FI", "ja_JP"})
            for (const auto& [name, type, stored, value] : cases)
                QTest::addRow("%s %s", loc, name) << QString(loc) << QString(type) << stored << value;
    }
    void roundTrip() {
        QFETCH(QString, locale);
        QFETCH(QString, fldType);
        QFETCH(QVariant, stored);
        QFETCH(QVariant, value);
        LocaleScope scope(locale.toLatin1().constData());
        const DataFormat f = DataFormat::forFieldType(FieldType::parse(fldType));
        const ValueKind kind = FieldType::parse(fldType).valueKind();
        const QString shown = f.display(stored, kind);
        int error = 0;
        const QVariant fresh = tryParse(f, shown, kind, error);
        QVERIFY2(error == 0, qPrintable(shown));
        QCOMPARE(fresh, value);
        QCOMPARE(tryParse(f, shown, kind, error, stored), value);
    }

    // A value the box cannot show in full (a Double shown with three places, a Currency with four)
    // is kept as it is while its text is untouched; a changed text is read as typed.
    void untouchedTextKeepsTheValue() {
        LocaleScope scope("en_US");
        const DataFormat d = DataFormat::forFieldType(FieldType::parse("Double"));
        QCOMPARE(d.display(3.14159, ValueKind::Double), QString("0003.142"));
        QCOMPARE(d.parse("0003.142", ValueKind::Double, 3.14159), QVariant(3.14159));
        QCOMPARE(d.parse("3.142", ValueKind::Double, 3.14159), QVariant(3.142));
        const DataFormat c = DataFormat::forFieldType(FieldType::parse("Currency"));
        QCOMPARE(c.parse("$12.35", ValueKind::Currency, 12.3456), QVariant(12.3456));
        QCOMPARE(c.parse("", ValueKind::Currency, 12.3456), QVariant());
        // An integer column holding a fraction (written by another program) shows "3" and keeps 2.5.
        const DataFormat i = DataFormat::forFieldType(FieldType::parse("Integer"));
        QCOMPARE(i.display(2.5, ValueKind::Integer), QString("3"));
        QCOMPARE(i.parse("3", ValueKind::Integer, 2.5), QVariant(2.5));
        QCOMPARE(i.parse("4", ValueKind::Integer, 2.5), QVariant(qlonglong(4)));
    }

    void booleanTexts() {
        DataFormat f(DataFormat::Boolean, {});
        f.TrueValue = "Yes";
        f.FalseValue = "No";
        f.NullValue = "(none)";
        QCOMPARE(f.display(1, ValueKind::Boolean), QString("Yes"));
        QCOMPARE(f.display(0, ValueKind::Boolean), QString("No"));
        QCOMPARE(f.display(QVariant(), ValueKind::Boolean), QString("(none)"));
        QCOMPARE(f.parse("yes", ValueKind::Boolean), QVariant(true));
        QCOMPARE(f.parse("No", ValueKind::Boolean), QVariant(false));
        QCOMPARE(f.parse("(none)", ValueKind::Boolean), QVariant());
    }
};

RV_TEST(DataFormatTest)
#include "DataFormatTest.moc"
