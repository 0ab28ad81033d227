#include "test_registry.h"
#include "widgets/rounding.h"
#include "widgets/spin_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <limits>

namespace zb::ui::test {

class SpinEditTest : public QObject {
    Q_OBJECT

  private slots:
    void textThatIsNoIntegerCountsAsTheMinimum() {
        SpinEdit edit(5, 50, 10);
        edit.lineEdit()->setText(QString());
        QCOMPARE(edit.value(), 5);
        edit.lineEdit()->setText(QStringLiteral("-"));
        QCOMPARE(edit.value(), 5);
        edit.lineEdit()->setText(QStringLiteral("99999999999999"));
        QCOMPARE(edit.value(), 5);
        edit.lineEdit()->setText(QStringLiteral(" 17 "));
        QCOMPARE(edit.value(), 17);
    }

    void everyTextChangeReportsTheValue() {
        SpinEdit edit(1, 1000000, 100);
        QSignalSpy changed(&edit, &SpinEdit::valueChanged);
        edit.lineEdit()->clear();
        QTest::keyClicks(edit.lineEdit(), QStringLiteral("250"));
        QCOMPARE(changed.count(), 4); // cleared, "2", "25", "250"
        QCOMPARE(changed.at(0).at(0).toInt(), 1);
        QCOMPARE(changed.at(2).at(0).toInt(), 25);
        QCOMPARE(changed.last().at(0).toInt(), 250);
        QTest::keyClicks(edit.lineEdit(), QStringLiteral("x"));
        QCOMPARE(edit.lineEdit()->text(), QStringLiteral("250")); // letters are refused
    }

    void settingFromCodeReportsOnlyChangesAndClamps() {
        SpinEdit edit(-179, 180, 0);
        QSignalSpy changed(&edit, &SpinEdit::valueChanged);
        edit.setValue(0);
        QCOMPARE(changed.count(), 0);
        edit.setValue(500);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(edit.value(), 180);
        edit.setValue(180);
        QCOMPARE(changed.count(), 1);
    }

    void aFieldWithRangeZeroToZeroHasNoRange() {
        SpinEdit edit(0, 0, 0);
        edit.setValue(-70000);
        QCOMPARE(edit.value(), -70000);
        edit.lineEdit()->setText(QStringLiteral("123456"));
        QCOMPARE(edit.value(), 123456);
        edit.lineEdit()->setText(QStringLiteral("abc"));
        QCOMPARE(edit.value(), 0);
    }

    void typedValuesAreKeptInRangeAndWrittenBackOnLeaving() {
        SpinEdit edit(0, 99, 0);
        QSignalSpy changed(&edit, &SpinEdit::valueChanged);
        edit.lineEdit()->setText(QStringLiteral("150"));
        QCOMPARE(edit.value(), 99);
        QCOMPARE(edit.lineEdit()->text(), QStringLiteral("150"));
        QFocusEvent leaving(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&edit, &leaving);
        QCOMPARE(edit.lineEdit()->text(), QStringLiteral("99"));
        QCOMPARE(changed.count(), 2);
    }

    void modelValuesRoundHalfToEvenAndAlwaysFit() {
        QCOMPARE(roundIntoRange(24.5, 0, 150), 24);
        QCOMPARE(roundIntoRange(25.5, 0, 150), 26);
        QCOMPARE(roundIntoRange(7142.857142857143, 1, 1000000), 7143);
        QCOMPARE(roundIntoRange(std::numeric_limits<double>::infinity(), 1, 1000000), 1000000);
        QCOMPARE(roundIntoRange(-1e300, 1, 1000000), 1);
        QCOMPARE(roundIntoRange(std::nan(""), 2, 100000), 2);
        SpinEdit edit(1, 1000000, 100);
        edit.setValueFrom(1000.0 / 0.0 * 50.0);
        QCOMPARE(edit.value(), 1000000);
    }
};

static RegisterTest<SpinEditTest> registerSpinEditTest;

} // namespace zb::ui::test

#include "test_spin_edit.moc"
