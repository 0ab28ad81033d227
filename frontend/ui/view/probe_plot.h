// The band under the running tank that plots the probes' elongation over the last few periods:
// time in engine units along the bottom, a zero line, one curve per probe in its colour and the
// names as a legend. A small button folds it to its title line and back.
#pragma once

#include <QWidget>

class QToolButton;

namespace zb::ui {

class ProbeRecording;

class ProbePlot : public QWidget {
    Q_OBJECT

  public:
    explicit ProbePlot(QWidget* parent = nullptr);

    // What to plot; the plot only reads it, when it paints.
    void setRecording(const ProbeRecording* recording) { recording_ = recording; }
    // The span of engine time shown, ending at the newest sample.
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
