#include "create/ImportCollections.h"
#include "platform/core/VbError.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QTest>

using testdb::errorOf;

namespace {
QStringList keys(const ImportFunct& c) {
    QStringList out;
    for (const auto& item : c) out << item->ID();
    return out;
}
}  // namespace

class ImportCollectionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keysNeverRepeat() {
        Import holder;
        ImportFunct& c = holder.ImportFunct();
        QCOMPARE(&holder.ImportFunct(), &c);
        QCOMPARE(c.Count(), 0);
        QVERIFY(c.begin() == c.end());

        // The same column twice gives two items with their own keys.
        c.Add("Name", 202, "People");
        auto second = c.Add("Name", 202, "People");
        c.Add("Age", 5, "People");
        QCOMPARE(keys(c), (QStringList{"FLD01", "FLD02", "FLD03"}));
        c.CollDelete(2);
        c.Add("Price", 5, "Stock Items");
        QCOMPARE(keys(c), (QStringList{"FLD01", "FLD03", "FLD04"}));
        QCOMPARE(c.Item(2)->ID(), QString("FLD03"));
        QCOMPARE(c.Item("FLD04")->FldName, QString("Price"));
        QCOMPARE(c.Item("FLD04")->TblName, QString("Stock Items"));

        // Items are shared: a change through one reference is seen in the collection, and a
        // removed item stays usable by whoever holds it.
        c.Item(1)->FldName = "Full Name";
        QCOMPARE(c.Item("FLD01")->FldName, QString("Full Name"));
        QCOMPARE(second->FldName, QString("Name"));

        c.CollDelete("FLD01");
        QCOMPARE(keys(c), (QStringList{"FLD03", "FLD04"}));

        // The key is written once.
        auto item = c.Item(1);
        item->SetID("OTHER");
        QCOMPARE(item->ID(), QString("FLD03"));
    }

    void badIndexRaises5_data() {
        QTest::addColumn<int>("action");
        QTest::newRow("import Item(0)") << 0;
        QTest::newRow("import Item(unknown key)") << 1;
        QTest::newRow("import CollDelete(removed key)") << 2;
        QTest::newRow("export Item(0)") << 3;
        QTest::newRow("empty export Item(1)") << 4;
    }
    void badIndexRaises5() {
        QFETCH(int, action);
        ImportFunct imp;
        imp.Add("A", 202, "S");
        imp.Add("B", 202, "S");
        imp.CollDelete("FLD01");
        ExportFunct exp;
        exp.Add("A", 202, "S");
        ExportFunct empty;
        const std::function<void()> actions[] = {
            [&] { imp.Item(0); }, [&] { imp.Item("FLD09"); }, [&] { imp.CollDelete("FLD01"); }, [&] { exp.Item(0); },
            [&] { empty.Item(1); },
        };
        QCOMPARE(errorOf(actions[action]), vb::err::InvalidProcCall);
        QCOMPARE(imp.Count(), 1);
        QCOMPARE(exp.Count(), 1);
    }

    void keysKeepCountingPast16Bits() {
        ImportFunct c;
        for (int i = 1; i <= 32768; ++i) c.Add("C", 202, "S");
        QCOMPARE(c.Item(9)->ID(), QString("FLD09"));
        QCOMPARE(c.Item(100)->ID(), QString("FLD100"));
        QCOMPARE(c.Item(32768)->ID(), QString("FLD32768"));
        // Removing items does not lower the counter.
        c.CollDelete(1);
        c.Add("D", 202, "S");
        QCOMPARE(c.Item(c.Count())->ID(), QString("FLD32769"));
    }
};

RV_TEST(ImportCollectionsTest)
#include "ImportCollectionsTest.moc"
