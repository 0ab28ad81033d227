#include "text/link_opener.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QTextEdit>

namespace zb::ui {

namespace {

class LinkOpener : public QObject {
  public:
    LinkOpener(QTextEdit& view, UrlOpener opener)
        : QObject(view.viewport()), view_(view), opener_(std::move(opener)) {
        setObjectName(QStringLiteral("zbLinkOpener"));
        view.viewport()->setMouseTracking(true);
        view.viewport()->installEventFilter(this);
    }

    void setOpener(UrlOpener opener) { opener_ = std::move(opener); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            view_.viewport()->setCursor(link(mouse->position().toPoint()).isValid()
                                            ? Qt::PointingHandCursor
                                            : Qt::IBeamCursor);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QUrl url = link(mouse->position().toPoint());
            if (mouse->button() == Qt::LeftButton && url.isValid() &&
                !view_.textCursor().hasSelection()) {
                opener_ ? opener_(url) : QDesktopServices::openUrl(url);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    // A web or mail address under the point; anything else (local files, programs) is no link.
    QUrl link(const QPoint& at) const {
        const QUrl url(view_.anchorAt(at), QUrl::StrictMode);
        const QString scheme = url.scheme().toLower();
        return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                       scheme == QLatin1String("mailto")
                   ? url
                   : QUrl();
    }

    QTextEdit& view_;
    UrlOpener opener_;
};

} // namespace

void openLinksInBrowser(QTextEdit& view, UrlOpener opener) {
    if (auto* existing = view.viewport()->findChild<LinkOpener*>(QStringLiteral("zbLinkOpener"),
                                                                 Qt::FindDirectChildrenOnly)) {
        existing->setOpener(std::move(opener));
        return;
    }
    new LinkOpener(view, std::move(opener));
}

} // namespace zb::ui
