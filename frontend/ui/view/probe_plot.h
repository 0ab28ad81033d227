// The band under the running tank that plots the probes' elongation over the last few periods:
// time in seconds of Simulationszeit along the bottom, a zero line, one curve per probe in its
// colour and the names as a legend. A small button folds it to its title line and back.
#pragma once

#include <QWidget>

class QToolButton;

namespace zb::ui {

class ProbeRecording;

// The label of an axis tick at value, for ticks `step` apart (1, 2 or 5 times a power of ten):
// decimals as the step needs them; below steps of 0,001 and from 1000 on a power of ten
// ("3·10⁻⁸").
QString axisLabel(double value, double step);

class ProbePlot : public QWidget {
    Q_OBJECT

  public:
    explicit ProbePlot(QWidget* parent = nullptr);

    // What to plot; the plot only reads it, when it paints.
    void setRecording(const ProbeRecording* recording) { recording_ = recording; }
    // The span shown, ending at the newest sample, in the engine's time (the exciters' periods
    // are known in it); the axis shows it in seconds.
    void setTimeSpan(double span);
    double timeSpan() const { return span_; }
    bool folded() const;

    QToolButton* btnMesskurven;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void fold(bool folded);

    const ProbeRecording* recording_ = nullptr;
    double span_ = 10.0;
};

} // namespace zb::ui
