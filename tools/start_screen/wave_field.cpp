#include "wave_field.h"

#include "model/tank.h"
#include "zbengine.h"
#include "zbengine_tools.h"

#include <memory>

namespace zb::start {

namespace {

// A quarter of the picture in each direction, so that the upscaled field stays smooth.
constexpr int32_t kVisibleX = 256;
constexpr int32_t kVisibleY = 192;
// The absorbing edges lie outside the visible part, where their imperfect absorption and the
// damped look of their cells do not show.
constexpr int32_t kEdge = 40;

// The values of the example tanks: the coupling of a new tank and its default time step.
constexpr double kCoupling = 4.0;
constexpr float kTimeStep = 0.0025f;
// Wavelength 363 / omega oscillators at this coupling: 14.5, i.e. 58 picture pixels, so that
// several fringes fit between the buttons.
constexpr double kOmega = 25.0;
constexpr double kAmplitude = 0.06;

// Visible rows of the exciter bar and of the wall; the title covers the rows above the wall.
constexpr int32_t kExciterRow = 6;
constexpr int32_t kWallRow = 50;
// Slits narrower than a wavelength spread their waves widely; four wavelengths apart they give
// a fan of fringes at sin a = k / 4.
constexpr int32_t kSlitWidth = 10;
constexpr int32_t kSlitDistance = 58;

// The wave travels about 0.14 oscillators per step: this is long enough for the front to leave
// the visible part, so the picture shows a settled pattern rather than the first front.
constexpr int kSteps = 3000;

TZBecken doubleSlitTank() {
    TZBecken t;
    t.SetSize(kVisibleX + 2 * kEdge, kVisibleY + 2 * kEdge);
    t.StandardKopplung = kCoupling;
    t.SetEdges(true, true, true, true, kEdge);
    const int32_t centreX = (t.GroesseX - 1) / 2;

    // Driven as an added acceleration, so that waves coming back from the wall pass through the
    // bar into the edge behind it instead of piling up in front of the wall.
    TErreger& bar =
        *t.Objekte->add(std::make_unique<TObjekt>(kArtErreger, "Ebener Erreger")).erreger();
    bar.X = centreX;
    bar.Y = kEdge + kExciterRow;
    bar.Breite = t.GroesseX;
    bar.Laenge = 2;
    bar.Frequenz = kOmega;
    bar.Amplitude = kAmplitude;
    bar.Fest = false;

    TWand& wall = *t.Objekte->add(std::make_unique<TObjekt>(kArtWand, "Doppelspalt")).wand();
    wall.X = centreX;
    wall.Y = kEdge + kWallRow;
    wall.Laenge = t.GroesseX;
    wall.SpaltAnz = 2;
    wall.Spaltbreite = kSlitWidth;
    wall.Spaltabstand = kSlitDistance;
    return t;
}

} // namespace

WaveField computeDoubleSlitField() {
    doubleSlitTank().TransferToEngine();
    ZBDLL_SetPaused(false);
    ZBDLL_SetSimulationSpeed(kTimeStep);
    ZBDLL_EnableExciters(true);
    const ZBTOOLS_PoolView pool = ZBTOOLS_GetPool();
    if (!pool.exists)
        return {};
    for (int step = 0; step < kSteps; ++step)
        ZBDLL_NextFrame();

    WaveField field;
    field.width = kVisibleX;
    field.height = kVisibleY;
    field.heights.resize(size_t(kVisibleX) * kVisibleY);
    field.walls.resize(field.heights.size());
    for (int j = 0; j < kVisibleY; ++j)
        for (int i = 0; i < kVisibleX; ++i) {
            const size_t k = size_t(i + kEdge) + size_t(j + kEdge) * size_t(pool.sizeX);
            field.heights[field.index(i, j)] = ZBTOOLS_Elongation(&pool, k);
            field.walls[field.index(i, j)] = ZBTOOLS_IsWall(&pool, k);
        }
    ZBDLL_ResetAll();
    return field;
}

} // namespace zb::start
