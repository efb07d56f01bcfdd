// The validation gate: a box's check runs when the focus leaves it inside its window and before
// a command; a failed check keeps the focus and stops the command.
#include "support/ScriptedUi.h"
#include "platform/ui/ValidationGate.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

class ValidationGateTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void checksOnFocusMovesAndBeforeCommands() {
        ScriptedUi ui;
        QWidget w;
        auto* layout = new QVBoxLayout(&w);
        auto* a = new QLineEdit(&w);
        auto* b = new QLineEdit(&w);
        auto* other = new QLineEdit(&w);
        layout->addWidget(a);
        layout->addWidget(b);
        layout->addWidget(other);
        auto* gate = new vb::ValidationGate(&w);
        int checksOfA = 0;
        bool aPasses = false;
        gate->Watch(a, [&] {
            ++checksOfA;
            return aPasses;
        });
        gate->Watch(b, [] { return true; });
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));

        a->setFocus();
        a->setText(QStringLiteral("12a"));
        QCOMPARE(gate->Pending(), a);
        b->setFocus();   // leaving a: its check runs and holds the focus, the text selected
        QCOMPARE(checksOfA, 1);
        QVERIFY(a->hasFocus());
        QCOMPARE(a->selectedText(), QStringLiteral("12a"));
        QCOMPARE(gate->Pending(), a);

        int commands = 0;
        gate->Run([&] { ++commands; });
        QCOMPARE(commands, 0);
        QCOMPARE(checksOfA, 2);

        aPasses = true;
        gate->Run([&] { ++commands; });
        QCOMPARE(commands, 1);
        QCOMPARE(gate->Pending(), a);   // the command took no focus: a is still the box to check
        QVERIFY(vb::ValidationGate::ValidateFocused());

        other->setFocus();              // a box that is not watched: a's check runs and passes
        QCOMPARE(checksOfA, 5);
        QCOMPARE(gate->Pending(), nullptr);
        gate->Run([&] { ++commands; });
        QCOMPARE(commands, 2);
        QCOMPARE(checksOfA, 5);
    }

    void anErrorInACheckIsReported() {
        ScriptedUi ui;
        QWidget w;
        auto* a = new QLineEdit(&w);
        auto* gate = new vb::ValidationGate(&w);
        gate->Watch(a, []() -> bool { vb::raise(13); });
        gate->SetPending(a);
        ui.answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
        int commands = 0;
        gate->Run([&] { ++commands; });
        QCOMPARE(ui.messages().first(), QString("13"));
        QCOMPARE(commands, 1);
    }
};

RV_TEST(ValidationGateTest)
#include "ValidationGateTest.moc"
