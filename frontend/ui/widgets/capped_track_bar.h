// A track bar whose upper positions can be closed off: the closed part of the groove is shaded,
// and the handle stops at the last open position, so a pupil sees where the limit lies.
#pragma once

#include <QSlider>

namespace zb::ui {

class CappedTrackBar : public QSlider {
    Q_OBJECT

  public:
    CappedTrackBar(int minimum, int maximum, int position, QWidget* parent = nullptr);

    // The highest position the handle may take; the maximum opens everything.
    void setCap(int position);
    int cap() const { return cap_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int cap_;
};

} // namespace zb::ui
