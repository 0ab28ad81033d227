#include "widgets/help_label.h"

#include "base/user_dialogs.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPalette>

#include <cmath>

namespace zb::ui {

namespace {

// Relative luminance and contrast ratio as the accessibility guidelines define them.
double luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

constexpr double kReadable = 4.5;

} // namespace

QColor helpLabelColour(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window);
    const QColor navy(0, 0, 128);
    if (contrast(navy, window) >= kReadable) {
        return navy;
    }
    const QColor link = palette.color(QPalette::Link);
    const QColor towards = luminance(window) < 0.18 ? QColor(Qt::white) : QColor(Qt::black);
    for (int k = 0; k <= 20; ++k) {
        const double t = k / 20.0;
        const QColor c =
            QColor::fromRgbF(float(link.redF() + (towards.redF() - link.redF()) * t),
                             float(link.greenF() + (towards.greenF() - link.greenF()) * t),
                             float(link.blueF() + (towards.blueF() - link.blueF()) * t));
        if (contrast(c, window) >= kReadable) {
            return c;
        }
    }
    return palette.color(QPalette::WindowText);
}

HelpLabel::HelpLabel(const QString& caption, const QString& help, QWidget* parent)
    : QLabel(caption, parent) {
    QFont f = font();
    f.setPixelSize(12);
    f.setUnderline(true);
    setFont(f);
    takeColour();
    setWordWrap(true);
    setCursor(Qt::PointingHandCursor);
    setToolTip(help);
    connect(this, &HelpLabel::clicked, this, [this] {
        if (page_.file.isEmpty()) {
            userDialogs().information(helpText());
        } else {
            emit pageRequests().requested(page_.title, page_.file);
        }
    });
}

HelpLabel::HelpLabel(const QString& caption, const QString& help, const HelpPage& page,
                     QWidget* parent)
    : HelpLabel(caption, help, parent) {
    page_ = page;
}

HelpPageRequests& HelpLabel::pageRequests() {
    static HelpPageRequests requests;
    return requests;
}

void HelpLabel::takeColour() {
    // Only when it changes: setting the palette sends another PaletteChange.
    const QColor colour = helpLabelColour(palette());
    if (palette().color(QPalette::WindowText) != colour) {
        QPalette p = palette();
        p.setColor(QPalette::WindowText, colour);
        setPalette(p);
    }
}

void HelpLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ParentChange) {
        takeColour();
    }
}

void HelpLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace zb::ui
