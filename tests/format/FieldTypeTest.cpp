#include "platform/format/FieldType.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace vb;

class FieldTypeTest : public QObject {
    Q_OBJECT
private slots:
    // Each kind, the file-path rule, the create form's names, an unknown name; places via name().
    void parse_data() {
        QTest::addColumn<QString>("typeName");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("filePath");
        QTest::addColumn<QString>("listName");
        auto row = [](const char* type, const char* column, FieldKind kind, bool fp, const char* listName) {
            QTest::addRow("%s %s", type, column) << type << column << int(kind) << fp << listName;
        };
        row("Text", "Name", FieldKind::Text, false, "Text");
        row("Text", "ScanFP", FieldKind::Text, true, "Text");
        row("Integer", "CountFP", FieldKind::Integer, false, "Integer");
        row("Memo", "", FieldKind::Memo, false, "Memo");
        row("Double", "", FieldKind::Double, false, "Double");
        row("Decimal/12", "", FieldKind::Decimal, false, "Decimal/12");
        row("Date/Time", "", FieldKind::DateTime, false, "Date/Time");
        row("Currency", "", FieldKind::Currency, false, "Currency");
        row("True/False", "", FieldKind::Boolean, false, "True/False");
        row("Number/Double", "", FieldKind::Decimal, false, "Decimal/0");
        row("FilePath", "", FieldKind::Text, true, "Text");
        row("text", "", FieldKind::None, false, "");
    }
    void parse() {
        QFETCH(QString, typeName);
        QFETCH(QString, column);
        QFETCH(int, kind);
        QFETCH(bool, filePath);
        QFETCH(QString, listName);
        const FieldType t = FieldType::parse(typeName, column);
        QCOMPARE(int(t.kind), kind);
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

RV_TEST(FieldTypeTest)
#include "FieldTypeTest.moc"
