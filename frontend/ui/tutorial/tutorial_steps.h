// The guided sequences: for each step the text shown in the tutorial panel and the example tank
// it loads. Paths are relative to the program folder; letter case does not matter.
#pragma once

namespace zb::ui {

enum : int { kIntroduction = 1, kExperimentSeries = 2 };

constexpr int kMaxTutorialSteps = 15;

struct TutorialStep {
    const char* text = nullptr;
    const char* tank = nullptr;
};

// Indexed [sequence][step], both from 1; further steps go into the empty slots.
constexpr TutorialStep TutorialSteps[3][kMaxTutorialSteps + 1] = {
    {},
    {
        {},
        {"Data\\RTFs\\Einfuehrung\\01_Vogelsicht.rtf", "Data\\RTFs\\Einfuehrung\\Schritt1.zb"},
        {"Data\\RTFs\\Einfuehrung\\02_ErsteSim.rtf", "Data\\RTFs\\Einfuehrung\\Schritt2.zb"},
        {"Data\\RTFs\\Einfuehrung\\03_DaempfRaender.rtf", "Data\\RTFs\\Einfuehrung\\Schritt3.zb"},
        {"Data\\RTFs\\Einfuehrung\\04_Waende.rtf", "Data\\RTFs\\Einfuehrung\\Schritt4.zb"},
        {"Data\\RTFs\\Einfuehrung\\05_Materialuebergaenge.rtf",
         "Data\\RTFs\\Einfuehrung\\Schritt5.zb"},
        {"Data\\RTFs\\Einfuehrung\\06_Schirme.rtf", "Data\\RTFs\\Einfuehrung\\Schritt6.zb"},
    },
    {
        {},
        {"Data\\RTFs\\MR\\01_Radialwelle.rtf", "Data\\RTFs\\MR\\01_Radialwelle.zb"},
        {"Data\\RTFs\\MR\\02_EbeneWelle.rtf", "Data\\RTFs\\MR\\02_EbeneWelle.zb"},
        {"Data\\RTFs\\MR\\03a_BeugungRadial.rtf", "Data\\RTFs\\MR\\03a_BeugungRadial.zb"},
        {"Data\\RTFs\\MR\\11b_StehendeWelle.rtf", "Data\\RTFs\\MR\\11b_StehendeWelle.zb"},
    },
};

constexpr int TutorialStepCount[3] = {0, 6, 4};

constexpr const char* kTutorialFinishedText = "Data\\RTFs\\TutorialFertig.rtf";
constexpr const char* kSimulationMenuText = "Data\\RTFs\\Einfuehrung\\SimulationsMenue.rtf";

} // namespace zb::ui
