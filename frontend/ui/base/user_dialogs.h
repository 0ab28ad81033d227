// Every question, message and file dialog the program puts to the user goes through here, so
// tests can answer them without a modal window.
#pragma once

#include "model/csv_table.h"

#include <QString>

namespace zb::ui {

class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

    enum class Answer { Yes, No, Cancel };
    // Ja, Nein and Abbrechen; Escape and the close box mean Abbrechen.
    virtual Answer askYesNoCancel(const QString& caption, const QString& question);
    // Caption "Information", information icon.
    virtual void information(const QString& text);
    virtual void error(const QString& caption, const QString& text);
    // Tank file dialogs, starting in folder (or at a suggested file); an empty name means the
    // user cancelled.
    virtual QString saveTankFileName(const QString& suggestion);
    virtual QString openTankFileName(const QString& folder);
    // The PNG file for "Bild speichern...", starting at a suggested file.
    virtual QString savePictureFileName(const QString& suggestion);
    // The CSV file for "Messwerte speichern...", starting at a suggested file; the file type
    // offers both table forms, `form` first, and tells the one the user took.
    virtual QString saveMeasurementFileName(const QString& suggestion, CsvForm& form);
};

UserDialogs& userDialogs();
// Replaces the dialogs (nullptr restores the real ones); the caller keeps ownership.
void setUserDialogs(UserDialogs* dialogs);

} // namespace zb::ui
