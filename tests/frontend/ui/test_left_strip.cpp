#include "main_window_parts.h"
#include "simulation/simulation_group.h"
#include "test_registry.h"
#include "ui_harness.h"

#include <QAbstractButton>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace zb::ui::test {

namespace {

// The buttons and labels of the group a user can see (once scrolled to), with their places in
// the group's coordinates.
std::vector<std::pair<QWidget*, QRect>> visibleControls(QWidget& group) {
    std::vector<std::pair<QWidget*, QRect>> found;
    for (QWidget* w : group.findChildren<QWidget*>()) {
        if ((qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w)) &&
            w->isVisibleTo(&group) && !w->size().isEmpty()) {
            found.emplace_back(w, QRect(w->mapTo(&group, QPoint(0, 0)), w->size()));
        }
    }
    return found;
}

QString nameOf(const QWidget* w) {
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
        return b->text();
    }
    if (const auto* l = qobject_cast<const QLabel*>(w)) {
        return l->text().isEmpty() ? w->objectName() : l->text();
    }
    return w->objectName();
}

} // namespace

class LeftStripTest : public QObject {
    Q_OBJECT

  private slots:
    void aLowWindowsRunStripScrollsInsteadOfOverlapping() {
        Harness h(true);
        h.window->run().start();
        h.window->resize(640, 450);
        QTRY_COMPARE(h.window->size(), QSize(640, 450));
        SimulationGroup& g = simulationOf(*h.window);
        auto& area = part<QScrollArea>(*h.window, "gbSimulationScroller");
        QTRY_COMPARE(area.height(), h.window->centralWidget()->height());

        const auto controls = visibleControls(g);
        QVERIFY(controls.size() > 10);
        for (size_t a = 0; a < controls.size(); ++a) {
            for (size_t b = a + 1; b < controls.size(); ++b) {
                const auto& [wa, ra] = controls[a];
                const auto& [wb, rb] = controls[b];
                if (wa->isAncestorOf(wb) || wb->isAncestorOf(wa)) {
                    continue;
                }
                QVERIFY2(!ra.intersects(rb),
                         qPrintable(nameOf(wa) + QStringLiteral(" overlaps ") + nameOf(wb)));
            }
        }
        // Nothing cut at the side, and the view keeps to the right of the strip.
        QTRY_VERIFY(area.verticalScrollBar()->isVisible());
        QCOMPARE(g.width(), SimulationGroup::kDesignedWidth);
        QVERIFY(area.mapTo(h.window.get(), QPoint(area.width(), 0)).x() <=
                frameOf(*h.window).mapTo(h.window.get(), QPoint(0, 0)).x());
        for (const auto& [w, r] : controls) {
            area.ensureWidgetVisible(w, 0, 0);
            const QRect seen(w->mapTo(area.viewport(), QPoint(0, 0)), w->size());
            QVERIFY2(area.viewport()->rect().contains(seen), qPrintable(nameOf(w)));
        }
    }

    void atTheDesignedSizeTheStripIsAsDesigned() {
        Harness h(true);
        h.window->run().start();
        SimulationGroup& g = simulationOf(*h.window);
        QTRY_COMPARE(g.size(),
                     QSize(SimulationGroup::kDesignedWidth, SimulationGroup::kDesignedHeight));
        const auto& area = part<QScrollArea>(*h.window, "gbSimulationScroller");
        QVERIFY(!area.verticalScrollBar()->isVisible());
        QCOMPARE(area.width(), SimulationGroup::kDesignedWidth);
        QCOMPARE(g.mapTo(h.window->centralWidget(), QPoint(0, 0)), QPoint(0, 0));
        QCOMPARE(g.Button2->geometry(), QRect(8, SimulationGroup::kDesignedHeight - 34, 185, 28));

        // Editing again: the editing panel takes the strip as before.
        g.Button2->click();
        QTRY_VERIFY(area.isHidden());
        QCOMPARE(editPanelOf(*h.window).width(), SimulationGroup::kDesignedWidth);
        QVERIFY(!editPanelOf(*h.window).isHidden());
        // A sequence hides both parts; the view keeps its designed place beside the strip.
        h.window->StartIntroduction();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCOMPARE(frameOf(*h.window).mapTo(h.window->centralWidget(), QPoint(0, 0)),
                 QPoint(SimulationGroup::kDesignedWidth, 0));
    }
};

static RegisterTest<LeftStripTest> registerLeftStripTest;

} // namespace zb::ui::test

#include "test_left_strip.moc"
