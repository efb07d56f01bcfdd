#include "platform/format/FieldType.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace vb;

class TestFieldType : public QObject {
    Q_OBJECT
private slots:
    // Every name the field list and the create form use, and what the field list writes back.
    void parse_data() {
        QTest::addColumn<QString>("typeName");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("scale");
        QTest::addColumn<bool>("filePath");
        QTest::addColumn<QString>("listName");
        auto row = [](const char* tag, const char* type, const char* column, FieldKind kind, int scale, bool fp,
                      const char* listName) {
            QTest::newRow(tag) << type << column << int(kind) << scale << fp << listName;
        };
        row("text", "Text", "Name", FieldKind::Text, 0, false, "Text");
        row("text file path", "Text", "ScanFP", FieldKind::Text, 0, true, "Text");
        row("integer named FP", "Integer", "CountFP", FieldKind::Integer, 0, false, "Integer");
        row("memo", "Memo", "Memofld", FieldKind::Memo, 0, false, "Memo");
        row("double", "Double", "", FieldKind::Double, 0, false, "Double");
        row("decimal 12 places", "Decimal/12", "", FieldKind::Decimal, 12, false, "Decimal/12");
        row("date", "Date/Time", "", FieldKind::DateTime, 0, false, "Date/Time");
        row("currency", "Currency", "", FieldKind::Currency, 0, false, "Currency");
        row("boolean", "True/False", "", FieldKind::Boolean, 0, false, "True/False");
        row("form integer", "Number/Integer", "", FieldKind::Integer, 0, false, "Integer");
        row("form decimal", "Number/Double", "", FieldKind::Decimal, 0, false, "Decimal/0");
        row("form file path", "FilePath", "", FieldKind::Text, 0, true, "Text");
        row("case differs", "text", "", FieldKind::None, 0, false, "");
        row("empty", "", "", FieldKind::None, 0, false, "");
    }
    void parse() {
        QFETCH(QString, typeName);
        QFETCH(QString, column);
        QFETCH(int, kind);
        QFETCH(int, scale);
        QFETCH(bool, filePath);
        QFETCH(QString, listName);
        const FieldType t = FieldType::parse(typeName, column);
        QCOMPARE(int(t.kind), kind);
        QCOMPARE(t.scale, scale);
        QCOMPARE(t.filePath, filePath);
        QCOMPARE(t.name(), listName);
    }

    void ofColumn() {
        QCOMPARE(FieldType::ofColumn(131, 3).name(), QString("Decimal/3"));
        QCOMPARE(FieldType::ofColumn(2).kind, FieldKind::Integer);
        QVERIFY(FieldType::ofColumn(202, 0, "PathFP").filePath);
        QCOMPARE(FieldType::ofColumn(4).kind, FieldKind::None);
    }
};

RV_TEST(TestFieldType)
#include "TestFieldType.moc"
