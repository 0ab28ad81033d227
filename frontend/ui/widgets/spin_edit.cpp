#include "widgets/spin_edit.h"

#include "widgets/rounding.h"

#include <QLineEdit>
#include <QRegularExpression>

#include <climits>

namespace zb::ui {

SpinEdit::SpinEdit(int minimum, int maximum, int value, QWidget* parent)
    : QAbstractSpinBox(parent), minimum_(minimum), maximum_(maximum) {
    setKeyboardTracking(true);
    setAccelerated(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed); // may shrink in the narrow strip
    lineEdit()->setText(QString::number(bounded(value)));
    committed_ = this->value();
    connect(lineEdit(), &QLineEdit::textChanged, this,
            [this] { emit valueChanged(this->value()); });
    connect(this, &QAbstractSpinBox::editingFinished, this, &SpinEdit::commit);
}

void SpinEdit::commit() {
    const int v = value();
    if (v != committed_) {
        committed_ = v;
        emit valueCommitted(v);
    }
}

int SpinEdit::bounded(long long value) const {
    const long long lo = hasRange() ? minimum_ : INT_MIN;
    const long long hi = hasRange() ? maximum_ : INT_MAX;
    return int(value < lo ? lo : value > hi ? hi : value);
}

int SpinEdit::value() const {
    bool ok = false;
    const long long v = lineEdit()->text().trimmed().toLongLong(&ok);
    if (!ok || v < INT_MIN || v > INT_MAX) {
        return minimum_;
    }
    return bounded(v);
}

void SpinEdit::setValue(int value) {
    const QString text = QString::number(bounded(value));
    if (lineEdit()->text() != text) {
        lineEdit()->setText(text);
        commit();
    }
}

void SpinEdit::setValueFrom(double value) {
    setValue(hasRange() ? roundIntoRange(value, minimum_, maximum_)
                        : roundIntoRange(value, INT_MIN, INT_MAX));
}

QValidator::State SpinEdit::validate(QString& input, int&) const {
    // Digits and a sign only, as a number field takes keystrokes; incomplete text is allowed and
    // reads as the minimum.
    static const QRegularExpression allowed(QStringLiteral("^\\s*-?\\d*\\s*$"));
    return allowed.match(input).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
}

void SpinEdit::stepBy(int steps) {
    setValue(bounded((long long)value() + steps));
    lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
    if (isReadOnly()) {
        return StepNone;
    }
    const int v = value();
    StepEnabled enabled = StepNone;
    if (!hasRange() || v < maximum_) {
        enabled |= StepUpEnabled;
    }
    if (!hasRange() || v > minimum_) {
        enabled |= StepDownEnabled;
    }
    return enabled;
}

void SpinEdit::focusOutEvent(QFocusEvent* event) {
    setValue(value());
    QAbstractSpinBox::focusOutEvent(event);
}

QSize SpinEdit::sizeHint() const {
    const QSize base = QAbstractSpinBox::sizeHint();
    return {fontMetrics().horizontalAdvance(QStringLiteral("1000000")) + 28, base.height()};
}

QSize SpinEdit::minimumSizeHint() const {
    const QSize base = QAbstractSpinBox::minimumSizeHint();
    return {qMax(base.width(), fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 24),
            base.height()};
}

} // namespace zb::ui
