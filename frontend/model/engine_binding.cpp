// How a tank is described to the engine: always completely, in the order the engine needs.
#include "model/simulation_time.h"
#include "model/tank.h"

#include <algorithm>
#include <vector>

namespace zb {

void TZBecken::TransferToEngine(EngineCalls& engine) const {
    // Material changes by ascending start row; equal rows keep their list order.
    std::vector<const TMatUebergang*> changes;
    for (int k = 0; k < Objekte->Count(); ++k)
        if (const TMatUebergang* m = Objekte->at(k).matUebergang())
            changes.push_back(m);
    std::stable_sort(changes.begin(), changes.end(),
                     [](const TMatUebergang* a, const TMatUebergang* b) { return a->Y < b->Y; });

    engine.resetAll();
    engine.createEmptyPool(GroesseX, GroesseY, StandardDaempfung, StandardKopplung, RandBreite);
    for (const TMatUebergang* m : changes)
        engine.addMatChange(m->Y, m->Kopplung, m->Daempfung);
    // Media paint over the rows the changes set, and walls over them; in list order, so that a
    // later medium covers an earlier one.
    for (int k = 0; k < Objekte->Count(); ++k)
        if (const TMedium* m = Objekte->at(k).medium())
            engine.addMedium(m->Form, m->X, m->Y, m->Breite, m->Hoehe, m->Winkel, m->Kopplung,
                             m->Daempfung);
    for (int k = 0; k < Objekte->Count(); ++k) {
        const TObjekt& o = Objekte->at(k);
        if (const TWand* w = o.wand()) {
            // The model keeps the slit distance from centre to centre; the engine wants the
            // wall between two slits.
            const int32_t bar = int32_t(int64_t(w->Spaltabstand) - w->Spaltbreite);
            engine.addWall(w->X, w->Y, w->Winkel, w->Laenge, w->SpaltAnz, w->Spaltbreite, bar);
        } else if (const TSchirm* s = o.schirm()) {
            engine.addScreen(int32_t(int64_t(s->Position) - 1), s->Horizontal);
        } else if (const TErreger* e = o.erreger()) {
            engine.addExciter(e->X, e->Y, e->Breite, e->Laenge, e->Winkel, e->Frequenz,
                              e->Fest ? e->Amplitude : 2.0 * e->Amplitude, e->Fest);
            // The model counts oscillators per second of Simulationszeit, the engine per unit
            // of its own time. A plain exciter sends nothing more, as before motion existed.
            if (e->extended())
                engine.setExciterMotion(e->Vx * kSecondsPerEngineTime,
                                        e->Vy * kSecondsPerEngineTime, e->Puls ? e->Perioden : 0);
        } else if (const TMesspunkt* m = o.messpunkt()) {
            engine.addProbe(m->X, m->Y, m->Farbe);
        } else if (const TKreisbogen* a = o.kreisbogen()) {
            engine.addArcWall(a->X, a->Y, a->Radius, a->Startwinkel, a->Endwinkel, a->Dicke,
                              a->SpaltAnz, a->Spaltbreite,
                              int32_t(int64_t(a->Spaltabstand) - a->Spaltbreite));
        } else if (const TParabel* b = o.parabel()) {
            engine.addParabolaWall(b->X, b->Y, b->Brennweite, b->Winkel, b->Breite, b->Dicke,
                                   b->SpaltAnz, b->Spaltbreite,
                                   int32_t(int64_t(b->Spaltabstand) - b->Spaltbreite));
        }
    }
    // Only a tank that asks for other edges says so: designed tanks send the calls they always
    // sent.
    if (RandArt != 0)
        engine.setEdgeKind(RandArt);
    engine.addEdges(RandHinten, RandVorne, RandLinks, RandRechts);
}

void TZBecken::PlaceCamera(double p1, double p2, double p3, double p4, double p5,
                           EngineCalls& engine) {
    engine.setCamera(p1 - 0.5, p2, p3 - 0.5, p2 + p4, p3 + p5 - 0.5);
}

} // namespace zb
