// What the window tests share: dialogs that answer from a script, an engine that writes down its
// calls before it runs them, and a main window built on both.
#pragma once

#include "base/user_dialogs.h"
#include "editor/object_editor.h"
#include "frontend/call_line.h"
#include "main_window/main_window.h"
#include "main_window_parts.h"
#include "model/engine_calls.h"

#include <QImage>
#include <QStringList>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zb::ui::test {

class ScriptedDialogs : public UserDialogs {
  public:
    UserDialogs::Answer answer = UserDialogs::Answer::No; // to "Speichern?"
    QString saveName;                                     // empty: the user cancels
    QString openName;
    QStringList questions, informations, errors;

    Answer askYesNoCancel(const QString& caption, const QString& question) override {
        questions << caption + QStringLiteral(" | ") + question;
        return answer;
    }
    void information(const QString& text) override { informations << text; }
    void error(const QString& caption, const QString& text) override {
        errors << caption + QStringLiteral(" | ") + text;
    }
    QString saveTankFileName(const QString& suggestion) override {
        suggestions << suggestion;
        return saveName;
    }
    QString openTankFileName(const QString& folder) override {
        suggestions << folder;
        return openName;
    }
    QString measurementName;                // for "Messwerte speichern..."; empty: the user cancels
    std::optional<CsvForm> measurementForm; // the file type taken; unset: the one offered
    std::vector<CsvForm> offeredForms;      // the file type each dialog offered first
    QString saveMeasurementFileName(const QString& suggestion, CsvForm& form) override {
        suggestions << suggestion;
        offeredForms.push_back(form);
        if (measurementForm) {
            form = *measurementForm;
        }
        return measurementName;
    }
    QString pictureName; // for "Bild speichern..."; empty: the user cancels
    QString savePictureFileName(const QString& suggestion) override {
        suggestions << suggestion;
        return pictureName;
    }
    QStringList suggestions; // where the file dialogs would have started
};

// Records each call as one line ("addEdges true, false, false, false") and then makes it.
class RecordingEngine : public EngineCalls {
  public:
    std::vector<std::string> calls;
    long long frames = 0;

    void clear() { calls.clear(); }
    // Calls whose line starts with the name.
    std::vector<std::string> named(const std::string& name) const {
        std::vector<std::string> found;
        for (const std::string& c : calls) {
            if (c.rfind(name + " ", 0) == 0 || c == name) {
                found.push_back(c);
            }
        }
        return found;
    }
    bool anyStartingWith(const std::string& prefix) const {
        for (const std::string& c : calls) {
            if (c.rfind(prefix, 0) == 0) {
                return true;
            }
        }
        return false;
    }
    std::string last(const std::string& name) const {
        const auto found = named(name);
        return found.empty() ? std::string() : found.back();
    }

    void resetAll() override {
        record("resetAll");
        EngineCalls::resetAll();
    }
    void createEmptyPool(int32_t x, int32_t y, double d, double c, int32_t e) override {
        record("createEmptyPool", x, y, d, c, e);
        EngineCalls::createEmptyPool(x, y, d, c, e);
    }
    void addMatChange(int32_t y, double c, double d) override {
        record("addMatChange", y, c, d);
        EngineCalls::addMatChange(y, c, d);
    }
    void addWall(int32_t x, int32_t y, int32_t a, int32_t l, int32_t n, int32_t b,
                 int32_t g) override {
        record("addWall", x, y, a, l, n, b, g);
        EngineCalls::addWall(x, y, a, l, n, b, g);
    }
    void addScreen(int32_t p, bool h) override {
        record("addScreen", p, h);
        EngineCalls::addScreen(p, h);
    }
    void addExciter(int32_t x, int32_t y, int32_t w, int32_t l, int32_t a, double o, double am,
                    bool s) override {
        record("addExciter", x, y, w, l, a, o, am, s);
        EngineCalls::addExciter(x, y, w, l, a, o, am, s);
    }
    void addEdges(bool b, bool f, bool l, bool r) override {
        record("addEdges", b, f, l, r);
        EngineCalls::addEdges(b, f, l, r);
    }
    void setCamera(double x, double y, double z, double ty, double tz) override {
        record("setCamera", x, y, z, ty, tz);
        EngineCalls::setCamera(x, y, z, ty, tz);
    }
    int32_t createFromHwnd(uintptr_t w, int32_t width, int32_t height, const char* p) override {
        record("createFromHwnd", width, height);
        return EngineCalls::createFromHwnd(w, width, height, p);
    }
    int32_t setWindow(uintptr_t w, int32_t width, int32_t height) override {
        record("setWindow", w != 0, width, height);
        return EngineCalls::setWindow(w, width, height);
    }
    void reshape(int32_t w, int32_t h) override {
        record("reshape", w, h);
        EngineCalls::reshape(w, h);
    }
    void set3dMode(bool on) override {
        record("set3dMode", on);
        EngineCalls::set3dMode(on);
    }
    void repaintScene(bool s, bool p) override {
        record("repaintScene", s, p);
        EngineCalls::repaintScene(s, p);
    }
    void nextFrame() override {
        ++frames;
        EngineCalls::nextFrame(); // every frame would flood the record
    }
    void setPaused(bool p) override {
        record("setPaused", p);
        EngineCalls::setPaused(p);
    }
    void setSimulationSpeed(float s) override {
        record("setSimulationSpeed", s);
        EngineCalls::setSimulationSpeed(s);
    }
    void enableExciters(bool on) override {
        record("enableExciters", on);
        EngineCalls::enableExciters(on);
    }
    void setViewParameters(bool translucent, bool wire) override {
        record("setViewParameters", translucent, wire);
        EngineCalls::setViewParameters(translucent, wire);
    }
    int32_t readFrame(bool s, bool p, uint8_t* rgb, int64_t capacity, int32_t* width,
                      int32_t* height) override {
        record("readFrame", s, p, rgb != nullptr);
        return EngineCalls::readFrame(s, p, rgb, capacity, width, height);
    }
    void setPoolAngle(double a) override {
        record("setPoolAngle", a);
        EngineCalls::setPoolAngle(a);
    }
    void setColorMode(int32_t m) override {
        record("setColorMode", m);
        EngineCalls::setColorMode(m);
    }
    void setHeightScale(float s) override {
        record("setHeightScale", s);
        EngineCalls::setHeightScale(s);
    }
    void setScreenIntensity(bool on) override {
        record("setScreenIntensity", on);
        EngineCalls::setScreenIntensity(on);
    }
    void addProbe(int32_t x, int32_t y, uint32_t rgb) override {
        record("addProbe", x, y, rgb);
        EngineCalls::addProbe(x, y, rgb);
    }
    // When set, readProbes and readScreenIntensity answer from these instead of the engine.
    std::function<int32_t(float* values, int32_t capacity)> probeFeed;
    std::function<int32_t(int32_t screen, float* values, int32_t capacity)> intensityFeed;
    int32_t readProbes(float* values, int32_t capacity) override {
        return probeFeed ? probeFeed(values, capacity) : EngineCalls::readProbes(values, capacity);
    }
    int32_t readScreenIntensity(int32_t screen, float* values, int32_t capacity) override {
        return intensityFeed ? intensityFeed(screen, values, capacity)
                             : EngineCalls::readScreenIntensity(screen, values, capacity);
    }

  private:
    template <class... A>
    void record(const char* name, A... args) {
        calls.push_back(zb::test::callLine(name, args...));
    }
};

// A main window in free mode on a new 100 x 50 tank, with scripted dialogs.
struct Harness {
    ScriptedDialogs dialogs;
    RecordingEngine engine;
    std::unique_ptr<TfrmMain> window;

    explicit Harness(bool shown = false);
    ~Harness();

    ObjectEditor& editor() { return editorOf(*window); }
    const TZBecken& tank() { return window->document().tank(); }
    // Inserts an object of the combo box's item and returns it (now selected).
    const TObjekt& insert(const QString& kind);
    // Changes an object through the document, as the editor's boxes do.
    void edit(const TObjekt& object, const std::function<void(TObjekt&)>& change);
    // Lets the document's pending change reach the engine.
    void settle();
    // Selects the tree node with this text; fails the test when there is none.
    void select(const QString& nodeText);
    QTreeWidgetItem* node(const QString& nodeText) const;
    QString selectedText() const;
    // The view panel as the X server shows it.
    QImage grabPanel();
};

} // namespace zb::ui::test
