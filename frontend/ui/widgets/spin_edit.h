// A number field with up and down arrows that reports every change of its text.
#pragma once

#include <QAbstractSpinBox>

namespace zb::ui {

// The value is the integer in the field, brought into the range; text that is not an integer
// counts as the minimum. A field whose minimum and maximum are both 0 has no range. Every change
// of the text emits valueChanged, also while typing; setting the value from code emits only when
// the shown text changes. Leaving the field writes the value back in its range.
// valueCommitted comes only when an edit is complete: Enter, leaving the field, an arrow step,
// or a new value from code; for values whose every intermediate state would cost a lot.
class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT

  public:
    SpinEdit(int minimum, int maximum, int value, QWidget* parent = nullptr);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    bool hasRange() const { return minimum_ != 0 || maximum_ != 0; }

    int value() const;
    void setValue(int value);
    using QAbstractSpinBox::lineEdit; // the text as typed
    // For values computed from the model: rounds halves to even and clamps first.
    void setValueFrom(double value);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void valueChanged(int value);
    void valueCommitted(int value);

  protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void stepBy(int steps) override;
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    int bounded(long long value) const;
    void commit();

    int minimum_;
    int maximum_;
    int committed_;
};

} // namespace zb::ui
