// Probes: inserted and edited like the other objects, at most eight; during a run their samples
// reach the plot under the view, and "Messwerte speichern..." writes them, complete or not at all.
#include "editor/exciter_box.h"
#include "editor/probe_box.h"
#include "main_window_parts.h"
#include "simulation/simulation_group.h"
#include "test_registry.h"
#include "ui_harness.h"
#include "view/engine_panel.h"
#include "view/probe_plot.h"
#include "widgets/spin_edit.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <vector>

namespace zb::ui::test {

namespace {

ProbeBox& probeBox(Harness& h) {
    return *h.editor().gbMesspunkt;
}

ProbePlot& plotOf(Harness& h) {
    return *frameOf(*h.window).probePlot;
}

// Elongations a scripted engine hands out: step n (from 0) of probe q.
float fed(long long n, int q) {
    return float(std::sin(0.1 * double(n) + 1.5 * q));
}

// Makes the engine hand out one step of fed() values for `probes` probes per read.
void feedProbes(Harness& h, int probes) {
    h.engine.probeFeed = [probes, n = 0LL](float* values, int32_t capacity) mutable {
        if (capacity < probes) {
            return 0;
        }
        for (int q = 0; q < probes; ++q) {
            values[q] = fed(n, q);
        }
        ++n;
        return 1;
    };
}

void startRunning(Harness& h) {
    part<QPushButton>(*h.window, "Button1").click();
    simulationOf(*h.window).btnSimRun->click();
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void triggerSaveMeasurements(Harness& h) {
    QAction& action = actionOf(*h.window, "actMesswerteSpeichern");
    // The file menu brings the action up to date when it opens.
    for (QObject* menu : action.associatedObjects()) {
        if (auto* m = qobject_cast<QMenu*>(menu)) {
            emit m->aboutToShow();
        }
    }
    action.trigger();
}

// The cells of a table as its form writes them: the German form's byte-order mark, separator
// and decimal comma are checked on the way; number cells come back with a decimal point.
std::vector<QStringList> readTable(const QString& path, CsvForm form) {
    QByteArray bytes = readAll(path);
    const QByteArray mark("\xEF\xBB\xBF");
    if (form == CsvForm::German) {
        if (!bytes.startsWith(mark)) {
            qWarning("no byte-order mark");
            return {};
        }
        bytes.remove(0, mark.size());
    } else if (bytes.startsWith(mark)) {
        qWarning("a byte-order mark in the international form");
        return {};
    }
    std::vector<QStringList> rows;
    QStringList lines = QString::fromUtf8(bytes).split('\n');
    if (lines.last().isEmpty()) {
        lines.removeLast();
    }
    for (int k = 0; k < lines.size(); ++k) {
        QStringList cells = lines[k].split(form == CsvForm::German ? ';' : ',');
        if (k > 0 && form == CsvForm::German) {
            for (QString& cell : cells) {
                if (cell.contains('.')) {
                    qWarning("a decimal point in the German form: %s", qPrintable(cell));
                    return {};
                }
                cell.replace(',', '.');
            }
        }
        rows.push_back(cells);
    }
    return rows;
}

// The mean spacing of the rising crossings of v's mean, over the samples from time `from` on.
double risingPeriod(const std::vector<double>& t, const std::vector<double>& v, double from) {
    size_t k0 = 0;
    while (k0 < t.size() && t[k0] < from) {
        ++k0;
    }
    double mean = 0;
    for (size_t k = k0; k < t.size(); ++k) {
        mean += v[k];
    }
    mean /= double(t.size() - k0);
    std::vector<double> crossings;
    for (size_t k = k0 + 1; k < t.size(); ++k) {
        const double a = v[k - 1] - mean, b = v[k] - mean;
        if (a < 0 && b >= 0) {
            crossings.push_back(t[k - 1] + (t[k] - t[k - 1]) * (-a) / (b - a));
        }
    }
    if (crossings.size() < 3) {
        return 0.0;
    }
    return (crossings.back() - crossings.front()) / double(crossings.size() - 1);
}

// "Messpunkt hier einfügen" from the flat view's context menu, in the middle of the view.
void insertProbeFromViewMenu(Harness& h) {
    EnginePanel& panel = *frameOf(*h.window).PanSim;
    const QPoint point(panel.width() / 2, panel.height() / 2);
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* a : menu->actions()) {
            if (a->text() == QStringLiteral("Messpunkt hier einfügen")) {
                a->trigger();
            }
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, panel.mapToGlobal(point));
    QCoreApplication::sendEvent(&panel, &event);
}

} // namespace

class ProbeTest : public QObject {
    Q_OBJECT

  private slots:
    void theRecordingKeepsTheNewestStepsWithTheirTimes() {
        ProbeRecording r;
        r.start({{"a", 0}, {"b", 0}}, 1.0, 3);
        const float first[] = {1, 10, 2, 20};
        r.append(first, 2, 2.0); // two steps in one frame share its time evenly
        QCOMPARE(r.size(), size_t(2));
        QCOMPARE(r.time(0), 1.5f);
        QCOMPARE(r.time(1), 2.0f);
        const float more[] = {3, 30, 4, 40, 5, 50};
        r.append(more, 3, 5.0);
        QCOMPARE(r.size(), size_t(3));
        QCOMPARE(r.firstStep(), 3LL);
        for (size_t k = 0; k < 3; ++k) {
            QCOMPARE(r.value(k, 0), float(k + 3));
            QCOMPARE(r.value(k, 1), float(10 * (k + 3)));
            QCOMPARE(r.time(k), float(k + 3));
        }
    }

    // Tiny elongations once read "0,000000"; a runaway one filled the margin with digits.
    void axisLabelsTakeTheirPrecisionFromTheStep() {
        const QString superscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
        const auto readBack = [&](QString label) {
            label.replace(QChar(0x2212), QLatin1Char('-'));
            const qsizetype times = label.indexOf(QStringLiteral("·10"));
            double scale = 1.0;
            if (times >= 0) {
                QString exponent;
                for (const QChar c : label.mid(times + 3)) {
                    exponent += c == QChar(0x207B) ? QLatin1Char('-')
                                                   : QChar(int('0' + superscripts.indexOf(c)));
                }
                scale = std::pow(10.0, exponent.toInt());
                label.truncate(times);
            }
            return QLocale(QLocale::German).toDouble(label) * scale;
        };
        QCOMPARE(axisLabel(3e-8, 1e-8), QStringLiteral("3·10⁻⁸"));
        QCOMPARE(axisLabel(-1.2e-7, 2e-8), QStringLiteral("−1,2·10⁻⁷"));
        QCOMPARE(axisLabel(0.006, 0.002), QStringLiteral("0,006"));
        QCOMPARE(axisLabel(2.5, 0.5), QStringLiteral("2,5"));
        QCOMPARE(axisLabel(0.0, 1e-9), QStringLiteral("0"));
        for (int exponent = -12; exponent <= 30; ++exponent) {
            for (double factor : {1.0, 2.0, 5.0}) {
                const double step = factor * std::pow(10.0, exponent);
                for (int m : {-3, 1, 2, 3, 4, 7}) {
                    const double v = m * step;
                    const QString label = axisLabel(v, step);
                    QVERIFY2(!label.contains(QStringLiteral("0000")), qPrintable(label));
                    QVERIFY2(std::abs(readBack(label) - v) <= 1e-9 * std::abs(v),
                             qPrintable(label + QStringLiteral(" for %1").arg(v)));
                }
            }
        }
    }

    void aProbeIsInsertedEditedAndSentToTheEngine() {
        Harness h(true);
        const TObjekt& probe = h.insert(QStringLiteral("Messpunkt"));
        QCOMPARE(probe.Art, int(kArtMesspunkt));
        QCOMPARE(h.selectedText(), QStringLiteral("Messpunkt 1"));
        QCOMPARE(h.node(QStringLiteral("Messpunkt 1"))->parent()->text(0),
                 QStringLiteral("Messpunkte"));
        QVERIFY(probeBox(h).isVisibleTo(&h.editor()));
        QCOMPARE(h.window->document().undoText(), QStringLiteral("Messpunkt 1 einfügen"));

        probeBox(h).seMessX->setValue(37);
        probeBox(h).seMessY->setValue(12);
        probeBox(h).cbMessFarbe->setCurrentIndex(1);
        emit probeBox(h).cbMessFarbe->activated(1);
        QCOMPARE(probe.messpunkt()->X, 37);
        QCOMPARE(probe.messpunkt()->Y, 12);
        QCOMPARE(probe.messpunkt()->Farbe, kProbeColours[1].rgb);
        probeBox(h).edMessName->setText(QStringLiteral("Boje links"));
        emit probeBox(h).edMessName->editingFinished();
        QCOMPARE(probe.Name, std::string("Boje links"));
        QCOMPARE(h.selectedText(), QStringLiteral("Boje links"));
        QCOMPARE(h.window->document().undoText(), QStringLiteral("Messpunkt umbenennen"));

        // The arrow keys move it like any object.
        EnginePanel& panel = *frameOf(*h.window).PanSim;
        panel.setFocus();
        QTest::keyClick(&panel, Qt::Key_Right);
        QCOMPARE(probe.messpunkt()->X, 38);

        h.engine.clear();
        h.settle();
        QCOMPARE(h.engine.last("addProbe"),
                 zb::test::callLine("addProbe", 38, 12, kProbeColours[1].rgb));
    }

    void newProbesTakeColoursNoOtherProbeHas() {
        Harness h(true);
        std::vector<uint32_t> colours;
        colours.push_back(h.insert(QStringLiteral("Messpunkt")).messpunkt()->Farbe);
        colours.push_back(h.insert(QStringLiteral("Messpunkt")).messpunkt()->Farbe);
        // The flat view's menu chooses alike.
        insertProbeFromViewMenu(h);
        QCOMPARE(h.tank().Objekte->Count(), 4);
        colours.push_back(h.tank().Objekte->at(3).messpunkt()->Farbe);
        QVERIFY(colours[0] != colours[1] && colours[1] != colours[2] && colours[0] != colours[2]);
        // The box offers each of them.
        for (const uint32_t c : colours) {
            QVERIFY(probeBox(h).cbMessFarbe->findData(c) >= 0);
        }
        // A colour freed by a deletion is the next one taken.
        h.select(QStringLiteral("Messpunkt 2"));
        h.editor().deleteSelected();
        QCOMPARE(h.insert(QStringLiteral("Messpunkt")).messpunkt()->Farbe, colours[1]);
    }

    void theNinthProbeIsRefused() {
        Harness h(true);
        for (int k = 0; k < kMaxMesspunkte; ++k) {
            h.insert(QStringLiteral("Messpunkt"));
        }
        QVERIFY(h.dialogs.errors.isEmpty());
        QCOMPARE(h.tank().Objekte->Count(), kMaxMesspunkte + 1);
        h.insert(QStringLiteral("Messpunkt"));
        QCOMPARE(h.tank().Objekte->Count(), kMaxMesspunkte + 1);
        QCOMPARE(h.dialogs.errors.size(), 1);
        QVERIFY2(h.dialogs.errors[0].contains(QStringLiteral("höchstens 8 Messpunkte")),
                 qPrintable(h.dialogs.errors[0]));

        // The flat view's menu is refused alike; other kinds still go in.
        insertProbeFromViewMenu(h);
        QCOMPARE(h.dialogs.errors.size(), 2);
        QCOMPARE(h.tank().Objekte->Count(), kMaxMesspunkte + 1);
        h.insert(QStringLiteral("Wand"));
        QCOMPARE(h.tank().Objekte->Count(), kMaxMesspunkte + 2);
    }

    void theRunPlotsWhatTheEngineRecorded() {
        Harness h(true);
        TFrame2& frame = frameOf(*h.window);
        // Without probes there is nothing to plot and the band stays away.
        startRunning(h);
        QVERIFY(plotOf(h).isHidden());
        h.window->run().end();

        h.insert(QStringLiteral("Messpunkt"));
        h.insert(QStringLiteral("Messpunkt"));
        feedProbes(h, 2);
        startRunning(h);
        QVERIFY(plotOf(h).isVisible());
        QTRY_VERIFY(h.window->run().probes().size() >= 30);
        const ProbeRecording& r = h.window->run().probes();
        QCOMPARE(r.probeCount(), 2);
        QCOMPARE(r.probes()[0].name, std::string("Messpunkt 1"));
        // The samples the run drained before it began are not the run's.
        const long long first = r.firstStep();
        QCOMPARE(first, 1LL);
        for (size_t k = 0; k < 30; ++k) {
            QCOMPARE(r.value(k, 0), fed((long long)k + 1, 0));
            QCOMPARE(r.value(k, 1), fed((long long)k + 1, 1));
            if (k > 0) {
                QVERIFY(r.time(k) > r.time(k - 1)); // the engine's time goes on with the steps
            }
        }

        // The picture gives the band its room: the engine's viewport ends above it.
        QCOMPARE(frame.PanSim->height() + frame.sbX->height() + plotOf(h).height(), frame.height());
        const int device = frame.devicePixels(frame.PanSim->height() + frame.sbX->height());
        QCOMPARE(h.engine.last("reshape"),
                 zb::test::callLine("reshape", frame.devicePixels(frame.width()), device));
        // Folded to its title line, and open again.
        const int open = plotOf(h).height();
        plotOf(h).btnMesskurven->click();
        QTRY_VERIFY(plotOf(h).height() < open / 4);
        QTRY_COMPARE(frame.PanSim->height() + frame.sbX->height() + plotOf(h).height(),
                     frame.height());
        plotOf(h).btnMesskurven->click();
        QTRY_COMPARE(plotOf(h).height(), open);

        h.window->run().end();
        QVERIFY(plotOf(h).isHidden());
    }

    void aPlaneWaveShowsItsPeriodInTheRecordedData() {
        Harness h(true);
        const double omega = 50.0, period = 2.0 * M_PI / omega;
        h.edit(h.insert(QStringLiteral("Erreger")), [&](TObjekt& o) {
            TErreger& e = *o.erreger();
            e.X = 5;
            e.Y = 25;
            e.Breite = 2;
            e.Laenge = 48;
            e.Frequenz = omega;
        });
        h.edit(h.insert(QStringLiteral("Messpunkt")), [](TObjekt& o) {
            o.messpunkt()->X = 20;
            o.messpunkt()->Y = 25;
        });
        startRunning(h);
        const ProbeRecording& r = h.window->run().probes();
        QTRY_VERIFY_WITH_TIMEOUT(!r.empty() && r.time(r.size() - 1) > 14 * period, 120000);
        h.window->run().end();
        QCOMPARE(r.firstStep(), 1LL);

        // Rising crossings of the mean over the last ten periods, when the wave has long arrived.
        const double from = double(r.time(r.size() - 1)) - 10 * period;
        size_t k0 = 0;
        while (double(r.time(k0)) < from) {
            ++k0;
        }
        double mean = 0;
        for (size_t k = k0; k < r.size(); ++k) {
            mean += double(r.value(k, 0));
        }
        mean /= double(r.size() - k0);
        std::vector<double> crossings;
        for (size_t k = k0 + 1; k < r.size(); ++k) {
            const double a = double(r.value(k - 1, 0)) - mean, b = double(r.value(k, 0)) - mean;
            if (a < 0 && b >= 0) {
                const double t0 = double(r.time(k - 1)), t1 = double(r.time(k));
                crossings.push_back(t0 + (t1 - t0) * (-a) / (b - a));
            }
        }
        QVERIFY2(crossings.size() >= 8, qPrintable(QString::number(crossings.size())));
        const double measured =
            (crossings.back() - crossings.front()) / double(crossings.size() - 1);
        QVERIFY2(std::abs(measured - period) < 0.01 * period,
                 qPrintable(QStringLiteral("%1 against %2").arg(measured).arg(period)));
    }

    // A teacher's check: the period read off the plot's data, the saved table and the clock is
    // the T the exciter box states.
    void everyClockShowsTheExcitersPeriod() {
        Harness h(true);
        // T typed into the exciter box, as a teacher would.
        const TObjekt& exciter = h.insert(QStringLiteral("Erreger"));
        h.editor().gbErreger->seErrT->setValue(2500);
        h.settle();
        QCOMPARE(exciter.erreger()->Frequenz, 20.0);
        h.edit(exciter, [](TObjekt& o) {
            TErreger& e = *o.erreger();
            e.X = 5;
            e.Y = 25;
            e.Breite = 2;
            e.Laenge = 48;
        });
        const double period = 2.5; // seconds
        h.edit(h.insert(QStringLiteral("Messpunkt")), [](TObjekt& o) {
            o.messpunkt()->X = 20;
            o.messpunkt()->Y = 25;
        });
        startRunning(h);
        const ProbeRecording& r = h.window->run().probes();
        QTRY_VERIFY_WITH_TIMEOUT(!r.empty() && r.seconds(r.size() - 1) > 8 * period, 180000);
        h.window->run().end();
        const double last = r.seconds(r.size() - 1);

        std::vector<double> t, v;
        for (size_t k = 0; k < r.size(); ++k) {
            t.push_back(r.seconds(k));
            v.push_back(double(r.value(k, 0)));
        }
        // The wave has long arrived three periods in.
        const double recorded = risingPeriod(t, v, 3 * period);
        QVERIFY2(std::abs(recorded - period) < 0.005 * period,
                 qPrintable(QStringLiteral("recorded period %1 s").arg(recorded)));

        // "t =" stopped at the recording's last sample.
        const QString shown = simulationOf(*h.window).lblSimZeit->text();
        QVERIFY2(shown.startsWith(QStringLiteral("t = ")) && shown.endsWith(QStringLiteral(" s")),
                 qPrintable(shown));
        bool ok = false;
        const double clock = QLocale(QLocale::German).toDouble(shown.mid(4).chopped(2), &ok);
        QVERIFY2(ok && std::abs(clock - last) <= 0.05 + 1e-9,
                 qPrintable(QStringLiteral("%1 against %2").arg(shown).arg(last)));

        // The saved table, in the dialog's default form.
        QTemporaryDir dir;
        h.dialogs.measurementName = dir.filePath(QStringLiteral("periode.csv"));
        triggerSaveMeasurements(h);
        QVERIFY2(h.dialogs.errors.isEmpty(), qPrintable(h.dialogs.errors.join('\n')));
        const std::vector<QStringList> rows = readTable(h.dialogs.measurementName, CsvForm::German);
        QCOMPARE(rows.size(), r.size() + 1);
        QCOMPARE(rows[0].mid(0, 2),
                 (QStringList{QStringLiteral("Schritt"), QStringLiteral("Zeit in s")}));
        std::vector<double> ct, cv;
        for (size_t k = 1; k < rows.size(); ++k) {
            ct.push_back(rows[k][1].toDouble());
            cv.push_back(rows[k][2].toDouble());
        }
        const double saved = risingPeriod(ct, cv, 3 * period);
        QVERIFY2(std::abs(saved - period) < 0.005 * period,
                 qPrintable(QStringLiteral("saved period %1 s").arg(saved)));
        QVERIFY(std::abs(ct.back() - last) < 1e-5 * last);
    }

    // German spreadsheets read the default form; the other file type writes the international
    // one for scripts, and the choice is offered again next time.
    void measurementsAreWrittenInTheChosenForm() {
        Harness h(true);
        h.insert(QStringLiteral("Messpunkt"));
        h.insert(QStringLiteral("Messpunkt"));
        feedProbes(h, 2);
        startRunning(h);
        QTRY_VERIFY(h.window->run().probes().size() >= 10);
        h.window->run().end();
        const ProbeRecording& r = h.window->run().probes();
        QTemporaryDir dir;

        const auto saveAndCheck = [&](const QString& file, CsvForm expected) {
            h.dialogs.measurementName = dir.filePath(file);
            triggerSaveMeasurements(h);
            QVERIFY2(h.dialogs.errors.isEmpty(), qPrintable(h.dialogs.errors.join('\n')));
            const std::vector<QStringList> rows = readTable(h.dialogs.measurementName, expected);
            QCOMPARE(rows.size(), r.size() + 1);
            QCOMPARE(rows[0],
                     (QStringList{QStringLiteral("Schritt"), QStringLiteral("Zeit in s"),
                                  QStringLiteral("Messpunkt 1"), QStringLiteral("Messpunkt 2")}));
            for (size_t k = 0; k < r.size(); ++k) {
                const QStringList& cells = rows[k + 1];
                QCOMPARE(cells.size(), 4);
                QCOMPARE(cells[0].toLongLong(), r.firstStep() + (long long)k);
                // Every value read back exactly.
                QCOMPARE(cells[1].toFloat(), float(r.seconds(k)));
                QCOMPARE(cells[2].toFloat(), r.value(k, 0));
                QCOMPARE(cells[3].toFloat(), r.value(k, 1));
            }
        };
        saveAndCheck(QStringLiteral("de.csv"), CsvForm::German);
        QCOMPARE(h.dialogs.offeredForms, std::vector<CsvForm>{CsvForm::German});
        h.dialogs.measurementForm = CsvForm::International;
        saveAndCheck(QStringLiteral("en.csv"), CsvForm::International);
        h.dialogs.measurementForm.reset(); // the user keeps the type offered
        saveAndCheck(QStringLiteral("wieder.csv"), CsvForm::International);
        QCOMPARE(h.dialogs.offeredForms.back(), CsvForm::International);
    }

    // The real dialog: the file type offered first is the form asked for, and the type the user
    // switches to is the form returned.
    void theFileDialogOffersBothForms() {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("messung.csv"));
        for (const CsvForm offered : {CsvForm::German, CsvForm::International}) {
            QString first;
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                QCOMPARE(dialog->nameFilters().size(), 2);
                first = dialog->selectedNameFilter();
                const QString other =
                    dialog->nameFilters().at(dialog->nameFilters().indexOf(first) == 0 ? 1 : 0);
                dialog->selectNameFilter(other);
                dialog->selectFile(target);
                static_cast<QDialog*>(dialog)->accept(); // as the save button does
            });
            CsvForm form = offered;
            UserDialogs real;
            QCOMPARE(real.saveMeasurementFileName(target, form), target);
            QCOMPARE(first.contains(QStringLiteral("deutsche")), offered == CsvForm::German);
            QCOMPARE(form, offered == CsvForm::German ? CsvForm::International : CsvForm::German);
        }
    }

    void measurementsAreSavedCompletelyOrNotAtAll() {
        Harness h(true);
        QTemporaryDir dir;
        // Nothing measured yet: nothing to save.
        h.dialogs.measurementName = dir.filePath(QStringLiteral("leer.csv"));
        triggerSaveMeasurements(h);
        QVERIFY(!actionOf(*h.window, "actMesswerteSpeichern").isEnabled());
        QVERIFY(!QFile::exists(h.dialogs.measurementName));

        h.insert(QStringLiteral("Messpunkt"));
        h.insert(QStringLiteral("Messpunkt"));
        h.window->document().editObject(h.tank().Objekte->at(2).serial(), QStringLiteral("Test"),
                                        [](TObjekt& o) { o.Name = "Boje, rechts"; });
        h.edit(h.insert(QStringLiteral("Schirm")), [](TObjekt& o) { o.schirm()->Position = 25; });
        feedProbes(h, 2);
        const std::vector<float> intensity{0.5f, 0.25f, 1e-7f, 3.0f};
        h.engine.intensityFeed = [&](int32_t screen, float* values, int32_t capacity) {
            if (screen != 0) {
                return -1;
            }
            for (int32_t k = 0; k < std::min(capacity, int32_t(intensity.size())); ++k) {
                values[k] = intensity[size_t(k)];
            }
            return int32_t(intensity.size());
        };
        // A screen's average before any step would be a column of zeros.
        triggerSaveMeasurements(h);
        QVERIFY(!actionOf(*h.window, "actMesswerteSpeichern").isEnabled());
        QVERIFY(!QFile::exists(h.dialogs.measurementName));
        startRunning(h);
        QTRY_VERIFY(h.window->run().probes().size() >= 10);
        h.window->run().end(); // the recording stays for saving
        const ProbeRecording& r = h.window->run().probes();

        const QString target = dir.filePath(QStringLiteral("messung.csv"));
        h.dialogs.measurementName = target;
        h.dialogs.measurementForm = CsvForm::International;
        triggerSaveMeasurements(h);
        QVERIFY2(h.dialogs.errors.isEmpty(), qPrintable(h.dialogs.errors.join('\n')));
        QVERIFY(
            h.dialogs.suggestions.last().endsWith(QStringLiteral("Zitterbecken Messwerte.csv")));
        const QStringList lines = QString::fromUtf8(readAll(target)).split('\n');
        QCOMPARE(lines.size(), int(r.size()) + 2); // the header, the rows, the final line break
        QCOMPARE(
            lines[0],
            QStringLiteral("Schritt,Zeit in s,Messpunkt 1,\"Boje, rechts\",Schwinger "
                           "entlang des Schirms,\"Schirm 1 (waagrecht, Position 25), Intensität: "
                           "gleitender Mittelwert über 2 Perioden\""));
        QVERIFY(lines.last().isEmpty());
        for (size_t k = 0; k < r.size(); ++k) {
            const QStringList cells = lines[int(k) + 1].split(',');
            QCOMPARE(cells.size(), 6);
            QCOMPARE(cells[0].toLongLong(), r.firstStep() + (long long)k);
            // Written exactly: read back, the numbers are the recorded ones.
            QCOMPARE(cells[1].toFloat(), float(r.seconds(k)));
            QCOMPARE(cells[2].toFloat(), r.value(k, 0));
            QCOMPARE(cells[3].toFloat(), r.value(k, 1));
            if (k < intensity.size()) {
                QCOMPARE(cells[4], QString::number(k));
                QCOMPARE(cells[5].toFloat(), intensity[k]);
            } else {
                QCOMPARE(cells[4] + cells[5], QString());
            }
        }
        QCOMPARE(lines[3].split(',')[5], QStringLiteral("1e-07"));

        // A folder as the target stays a folder; a folder that takes no new files keeps the
        // earlier table (root ignores permissions: a missing folder fails instead).
        const QByteArray before = readAll(target);
        h.dialogs.measurementName = dir.path();
        triggerSaveMeasurements(h);
        QCOMPARE(h.dialogs.errors.size(), 1);
        QVERIFY2(h.dialogs.errors[0].startsWith(QStringLiteral(
                     "Speichern fehlgeschlagen | Die Messwerttabelle konnte nicht als ")),
                 qPrintable(h.dialogs.errors[0]));
        QVERIFY(QFileInfo(dir.path()).isDir());
        h.dialogs.measurementName = target;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        if (QFile(dir.filePath(QStringLiteral("probe"))).open(QIODevice::WriteOnly)) {
            QFile::remove(dir.filePath(QStringLiteral("probe")));
            h.dialogs.measurementName = dir.filePath(QStringLiteral("fehlt/messung.csv"));
        }
        startRunning(h); // more samples: a complete write would change the file
        QTRY_VERIFY(h.window->run().probes().size() >= 5);
        triggerSaveMeasurements(h);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(h.dialogs.errors.size(), 2);
        QCOMPARE(readAll(target), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("messung.csv")});
    }
};

static RegisterTest<ProbeTest> registerProbeTest;

} // namespace zb::ui::test

#include "test_probes.moc"
