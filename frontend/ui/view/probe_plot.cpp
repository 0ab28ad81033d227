#include "view/probe_plot.h"

#include "base/help_texts.h"
#include "model/simulation_time.h"
#include "view/probe_recording.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace zb::ui {

namespace {

constexpr int kTitleHeight = 20;
constexpr int kOpenHeight = 150;
constexpr int kLeftMargin = 52; // room for the elongation labels, widened when they need more
constexpr int kRightMargin = 10;
constexpr int kBottomMargin = 18; // room for the time labels

// 1, 2 or 5 times a power of ten, so that about `wanted` steps fill `range`.
double niceStep(double range, int wanted) {
    const double raw = range / std::max(wanted, 1);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double f : {1.0, 2.0, 5.0}) {
        if (f * power >= raw) {
            return f * power;
        }
    }
    return 10.0 * power;
}

QString superscript(int n) {
    static const QString digits[] = {QStringLiteral("⁰"), QStringLiteral("¹"), QStringLiteral("²"),
                                     QStringLiteral("³"), QStringLiteral("⁴"), QStringLiteral("⁵"),
                                     QStringLiteral("⁶"), QStringLiteral("⁷"), QStringLiteral("⁸"),
                                     QStringLiteral("⁹")};
    QString s = n < 0 ? QStringLiteral("⁻") : QString();
    for (const QChar c : QString::number(std::abs(n))) {
        s += digits[c.digitValue()];
    }
    return s;
}

} // namespace

QString axisLabel(double value, double step) {
    const QLocale german(QLocale::German);
    // The steps are 1, 2 or 5 times a power of ten, computed with rounding errors.
    const int exponent = int(std::floor(std::log10(step) + 1e-9));
    if (exponent >= -3 && exponent <= 2) {
        return german.toString(value, 'f', std::max(0, -exponent));
    }
    if (value == 0.0) {
        return QStringLiteral("0");
    }
    // Fixed decimals would fill the margin with zeros (or a runaway wave's digits): the value's
    // own power of ten instead, with as many decimals as the step needs.
    const int own = int(std::floor(std::log10(std::abs(value)) + 1e-9));
    const int decimals = std::max(0, own - exponent);
    QString mantissa = german.toString(value / std::pow(10.0, own), 'f', decimals);
    if (mantissa.startsWith(QLatin1Char('-'))) {
        mantissa[0] = QChar(0x2212);
    }
    return mantissa + QStringLiteral("·10") + superscript(own);
}

ProbePlot::ProbePlot(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("probePlot"));
    setToolTip(help::ProbePlot);
    btnMesskurven = new QToolButton(this);
    btnMesskurven->setObjectName(QStringLiteral("btnMesskurven"));
    btnMesskurven->setCheckable(true);
    btnMesskurven->setChecked(true);
    btnMesskurven->setAutoRaise(true);
    btnMesskurven->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btnMesskurven->setGeometry(2, 1, 110, kTitleHeight - 2);
    btnMesskurven->setFocusPolicy(Qt::NoFocus);
    connect(btnMesskurven, &QToolButton::toggled, this, [this](bool open) { fold(!open); });
    fold(false);
}

void ProbePlot::setTimeSpan(double span) {
    span_ = span > 0 && std::isfinite(span) ? span : 10.0;
    update();
}

bool ProbePlot::folded() const {
    return !btnMesskurven->isChecked();
}

void ProbePlot::fold(bool folded) {
    btnMesskurven->setArrowType(folded ? Qt::RightArrow : Qt::DownArrow);
    btnMesskurven->setText(QStringLiteral("Messpunkte"));
    btnMesskurven->setToolTip(folded ? QStringLiteral("Zeigt das Diagramm der Messpunkte.")
                                     : QStringLiteral("Blendet das Diagramm der Messpunkte aus."));
    setFixedHeight(folded ? kTitleHeight : kOpenHeight);
    update();
}

void ProbePlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(0x90, 0x90, 0x90));
    p.drawLine(0, 0, width(), 0);
    if (!recording_) {
        return;
    }
    // The legend in the title line, beside the button.
    const QFontMetrics metrics(font());
    int x = btnMesskurven->geometry().right() + 12;
    for (const ProbeTrace& probe : recording_->probes()) {
        const QColor colour = QColor::fromRgb(probe.rgb);
        p.setPen(QPen(colour, 2));
        p.drawLine(x, kTitleHeight / 2, x + 16, kTitleHeight / 2);
        p.setPen(Qt::black);
        const QString name = QString::fromStdString(probe.name);
        p.drawText(x + 20, 0, metrics.horizontalAdvance(name) + 2, kTitleHeight, Qt::AlignVCenter,
                   name);
        x += 20 + metrics.horizontalAdvance(name) + 14;
    }
    if (folded()) {
        return;
    }
    const ProbeRecording& r = *recording_;
    const double span = simulationSeconds(span_);
    const double end = r.empty() ? span : r.seconds(r.size() - 1);
    const double begin = end - span;
    // The oldest sample inside the span; the times only grow.
    size_t first = r.size();
    while (first > 0 && r.seconds(first - 1) >= begin) {
        --first;
    }
    double peak = 0.0;
    for (size_t k = first; k < r.size(); ++k) {
        for (int q = 0; q < r.probeCount(); ++q) {
            const double v = std::abs(double(r.value(k, q)));
            if (std::isfinite(v)) {
                peak = std::max(peak, v);
            }
        }
    }
    // The scale follows the largest elongation in view, rounded up to a round number.
    const double yStep = niceStep(peak > 0 ? peak : 1.0, 4);
    const double top = std::max(yStep, std::ceil(peak / yStep) * yStep);
    const QString timeCaption = QStringLiteral("Zeit in s");
    int leftMargin = std::max(kLeftMargin, metrics.horizontalAdvance(timeCaption) + 8);
    for (double v : {top, -top}) {
        leftMargin = std::max(leftMargin, metrics.horizontalAdvance(axisLabel(v, yStep)) + 8);
    }
    const QRectF area(leftMargin, kTitleHeight + 4, width() - leftMargin - kRightMargin,
                      height() - kTitleHeight - 4 - kBottomMargin);
    if (area.width() < 20 || area.height() < 20) {
        return;
    }
    const auto px = [&](double t) { return area.left() + (t - begin) / span * area.width(); };
    const auto py = [&](double v) { return area.center().y() - v / top * area.height() / 2; };

    // Axes, ticks and labels.
    p.setPen(QColor(0xc8, 0xc8, 0xc8));
    p.drawRect(area);
    const double tStep = niceStep(span, std::max(2, int(area.width() / 90)));
    p.setPen(Qt::black);
    for (double t = std::ceil(begin / tStep) * tStep; t <= end + tStep * 1e-6; t += tStep) {
        const double xt = px(t);
        p.drawLine(QPointF(xt, area.bottom()), QPointF(xt, area.bottom() + 4));
        p.drawText(QRectF(xt - 40, area.bottom() + 3, 80, kBottomMargin - 3), Qt::AlignCenter,
                   axisLabel(std::abs(t) < tStep * 1e-6 ? 0.0 : t, tStep));
    }
    for (double v : {top, 0.0, -top}) {
        p.drawText(QRectF(0, py(v) - 8, leftMargin - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
                   axisLabel(v, yStep));
    }
    p.drawText(QRectF(2, area.bottom() + 3, leftMargin - 6, kBottomMargin - 3),
               Qt::AlignLeft | Qt::AlignVCenter, timeCaption);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1, Qt::DashLine));
    p.drawLine(QPointF(area.left(), py(0)), QPointF(area.right(), py(0)));

    // The curves, at most about two points per pixel; an undefined value breaks the line.
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(area);
    const size_t stride =
        std::max<size_t>(1, (r.size() - first) / std::max<size_t>(1, size_t(area.width()) * 2));
    for (int q = 0; q < r.probeCount(); ++q) {
        QPainterPath path;
        bool open = false;
        for (size_t k = first; k < r.size(); k += stride) {
            const double v = double(r.value(k, q));
            if (!std::isfinite(v)) {
                open = false;
                continue;
            }
            const QPointF point(px(r.seconds(k)), py(v));
            if (open) {
                path.lineTo(point);
            } else {
                path.moveTo(point);
                open = true;
            }
        }
        p.setPen(QPen(QColor::fromRgb(r.probes()[size_t(q)].rgb), 1.6));
        p.drawPath(path);
    }
}

} // namespace zb::ui
