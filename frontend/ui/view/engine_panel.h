// The panel the engine draws into: a native X11 child window that Qt never paints.
#pragma once

#include <QWidget>

namespace zb::ui {

class EnginePanel : public QWidget {
    Q_OBJECT

  public:
    explicit EnginePanel(QWidget* parent = nullptr);

    QPaintEngine* paintEngine() const override { return nullptr; }

  signals:
    void exposed();
    void resized();
    // Qt destroys a native window when its top-level is closed and makes a new one when it is
    // shown again; whoever draws into it must follow.
    void nativeWindowAboutToGo();
    void nativeWindowCreated();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    bool drawPending_ = false;
};

} // namespace zb::ui
