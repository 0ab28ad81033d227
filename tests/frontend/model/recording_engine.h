// An engine that only writes down what it is asked, one line per call.
#pragma once

#include "frontend/call_line.h"
#include "model/engine_calls.h"

#include <string>
#include <vector>

namespace zb::test {

class RecordingEngine : public EngineCalls {
  public:
    std::vector<std::string> calls;

    void resetAll() override { record("resetAll"); }
    void createEmptyPool(int32_t x, int32_t y, double damping, double coupling,
                         int32_t edge) override {
        record("createEmptyPool", x, y, damping, coupling, edge);
    }
    void addMatChange(int32_t y, double coupling, double damping) override {
        record("addMatChange", y, coupling, damping);
    }
    void addWall(int32_t x, int32_t y, int32_t angle, int32_t length, int32_t n, int32_t b,
                 int32_t g) override {
        record("addWall", x, y, angle, length, n, b, g);
    }
    void addScreen(int32_t position, bool horizontal) override {
        record("addScreen", position, horizontal);
    }
    void addExciter(int32_t x, int32_t y, int32_t w, int32_t l, int32_t angle, double omega,
                    double amplitude, bool sine) override {
        record("addExciter", x, y, w, l, angle, omega, amplitude, sine);
    }
    void addProbe(int32_t x, int32_t y, uint32_t rgb) override { record("addProbe", x, y, rgb); }
    void addEdges(bool back, bool front, bool left, bool right) override {
        record("addEdges", back, front, left, right);
    }
    void setExciterMotion(double vx, double vy, int32_t periods) override {
        record("setExciterMotion", vx, vy, periods);
    }
    void addMedium(int32_t shape, double x, double y, double w, double h, double angle,
                   double coupling, double damping) override {
        record("addMedium", shape, x, y, w, h, angle, coupling, damping);
    }
    void addArcWall(double x, double y, double r, double start, double end, int32_t thickness,
                    int32_t n, int32_t b, int32_t g) override {
        record("addArcWall", x, y, r, start, end, thickness, n, b, g);
    }
    void addParabolaWall(double x, double y, double f, double angle, double width,
                         int32_t thickness, int32_t n, int32_t b, int32_t g) override {
        record("addParabolaWall", x, y, f, angle, width, thickness, n, b, g);
    }
    void setEdgeKind(int32_t kind) override { record("setEdgeKind", kind); }
    void setCamera(double x, double y, double z, double ty, double tz) override {
        record("setCamera", x, y, z, ty, tz);
    }

  private:
    template <class... A>
    void record(const char* name, A... args) {
        calls.push_back(callLine(name, args...));
    }
};

} // namespace zb::test
