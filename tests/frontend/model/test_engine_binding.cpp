#include "model/tank.h"
#include "recording_engine.h"

#include <gtest/gtest.h>

namespace zb::test {

namespace {

template <class Record>
Record& add(TZBecken& tank, int32_t art) {
    TObjekt& o = tank.Objekte->add(std::make_unique<TObjekt>(art));
    if constexpr (std::is_same_v<Record, TWand>)
        return *o.wand();
    else if constexpr (std::is_same_v<Record, TSchirm>)
        return *o.schirm();
    else if constexpr (std::is_same_v<Record, TMatUebergang>)
        return *o.matUebergang();
    else if constexpr (std::is_same_v<Record, TMesspunkt>)
        return *o.messpunkt();
    else
        return *o.erreger();
}

} // namespace

TEST(EngineBinding, EmptyTankIsPoolAndEdgesOnly) {
    TZBecken tank;
    tank.SetSize(120, 80);
    tank.StandardDaempfung = 0.02;
    tank.StandardKopplung = 1.05;
    tank.SetEdges(true, false, false, true, 12);
    RecordingEngine engine;
    tank.TransferToEngine(engine);
    EXPECT_EQ(engine.calls,
              (std::vector<std::string>{"resetAll", "createEmptyPool 120, 80, 0.02, 1.05, 12",
                                        "addEdges true, false, false, true"}));
}

TEST(EngineBinding, MixedObjectsInTheEnginesOrder) {
    TZBecken tank;
    tank.SetSize(100, 100);
    add<TMatUebergang>(tank, kArtMatUebergang) = {40, 2.0, 0.1};
    add<TWand>(tank, kArtWand) = {50, 20, 0, 60, 2, 8, 20};
    add<TMatUebergang>(tank, kArtMatUebergang) = {10, 1.5, 0.0};
    add<TSchirm>(tank, kArtSchirm) = {1, false};
    TErreger& plane = add<TErreger>(tank, kArtErreger);
    plane.Fest = false; // acceleration mode: twice the amplitude
    plane.Breite = 40;
    plane.Laenge = 1;
    add<TWand>(tank, kArtWand) = {30, 60, -45, 10, 1, 8, 5};
    add<TMatUebergang>(tank, kArtMatUebergang) = {10, 0.5, 0.25}; // same row: list order
    add<TMesspunkt>(tank, kArtMesspunkt) = {12, 34, 0xabcdef};
    add<TErreger>(tank, kArtErreger);
    tank.Objekte->add(TObjekt::withoutRecord(7)); // a curved wall's code from a version 3 file
    tank.Objekte->add(TObjekt::withoutRecord(kArtMesspunkt)); // from a version 2 file
    add<TMesspunkt>(tank, kArtMesspunkt) = {-1, 0, 0};
    RecordingEngine engine;
    tank.TransferToEngine(engine);
    EXPECT_EQ(engine.calls, (std::vector<std::string>{
                                "resetAll",
                                "createEmptyPool 100, 100, 0, 0, 0",
                                "addMatChange 10, 1.5, 0",
                                "addMatChange 10, 0.5, 0.25",
                                "addMatChange 40, 2, 0.10000000000000001",
                                "addWall 50, 20, 0, 60, 2, 8, 12",
                                "addScreen 0, false",
                                "addExciter 4, 4, 40, 1, 0, 10, 0.20000000000000001, false",
                                "addWall 30, 60, -45, 10, 1, 8, -3",
                                "addProbe 12, 34, 11259375",
                                "addExciter 4, 4, 5, 5, 0, 10, 0.10000000000000001, true",
                                "addProbe -1, 0, 0",
                                "addEdges false, false, false, false",
                            }));
}

TEST(EngineBinding, ExtendedObjectsWhereTheEngineWantsThem) {
    TZBecken tank;
    tank.SetSize(100, 100);
    tank.SetEdges(true, true, true, true, 40);
    tank.RandArt = 1;
    add<TWand>(tank, kArtWand) = {50, 20, 0, 60, 0, 8, 20};
    TObjekt& lens = tank.Objekte->add(std::make_unique<TObjekt>(kArtMedium));
    *lens.medium() = {kMediumEllipse, 40, 50, 20, 60, 10, 0.5, 0.25};
    *tank.Objekte->add(std::make_unique<TObjekt>(kArtKreisbogen)).kreisbogen() = {
        60, 50, 30, -45, 45, 2, 1, 6, 10};
    TErreger& moving = add<TErreger>(tank, kArtErreger);
    moving.Vx = 1.0;
    moving.Vy = -0.5;
    add<TMatUebergang>(tank, kArtMatUebergang) = {70, 2.0, 0.0};
    TErreger& pulse = add<TErreger>(tank, kArtErreger);
    pulse.Puls = true;
    pulse.Perioden = 3;
    add<TErreger>(tank, kArtErreger).Perioden = 4; // no pulse: a plain exciter
    *tank.Objekte->add(std::make_unique<TObjekt>(kArtParabel)).parabel() = {20, 30, 12, 90, 50,
                                                                            1,  0,  8,  20};
    *tank.Objekte->add(std::make_unique<TObjekt>(kArtMedium)).medium() = {
        kMediumDreieck, 10, 90, 8, 6, -90, 3.0, 0.0};
    TErreger& both = add<TErreger>(tank, kArtErreger);
    both.Vy = 2.0;
    both.Puls = true;
    both.Perioden = 10;
    RecordingEngine engine;
    tank.TransferToEngine(engine);
    // Oscillators per second of Simulationszeit times 25/π seconds per engine time unit.
    EXPECT_EQ(engine.calls, (std::vector<std::string>{
                                "resetAll",
                                "createEmptyPool 100, 100, 0, 0, 40",
                                "addMatChange 70, 2, 0",
                                "addMedium 1, 40, 50, 20, 60, 10, 0.5, 0.25",
                                "addMedium 2, 10, 90, 8, 6, -90, 3, 0",
                                "addWall 50, 20, 0, 60, 0, 8, 12",
                                "addArcWall 60, 50, 30, -45, 45, 2, 1, 6, 4",
                                "addExciter 4, 4, 5, 5, 0, 10, 0.10000000000000001, true",
                                "setExciterMotion 7.9577471545947667, -3.9788735772973833, 0",
                                "addExciter 4, 4, 5, 5, 0, 10, 0.10000000000000001, true",
                                "setExciterMotion 0, 0, 3",
                                "addExciter 4, 4, 5, 5, 0, 10, 0.10000000000000001, true",
                                "addParabolaWall 20, 30, 12, 90, 50, 1, 0, 8, 12",
                                "addExciter 4, 4, 5, 5, 0, 10, 0.10000000000000001, true",
                                "setExciterMotion 0, 15.915494309189533, 10",
                                "setEdgeKind 1",
                                "addEdges true, true, true, true",
                            }));
}

TEST(EngineBinding, CameraIsPlacedOverTheTanksCentre) {
    RecordingEngine engine;
    TZBecken::PlaceCamera(0.5, 1.2, 0.5, -1.0, 0.0, engine);
    TZBecken::PlaceCamera(0.25, 0.6, 1.0, -0.5, -0.75, engine);
    EXPECT_EQ(engine.calls,
              (std::vector<std::string>{
                  "setCamera 0, 1.2, 0, 0.19999999999999996, 0",
                  "setCamera -0.25, 0.59999999999999998, 0.5, 0.099999999999999978, -0.25"}));
}

} // namespace zb::test
