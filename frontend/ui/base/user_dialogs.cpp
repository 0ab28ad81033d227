#include "base/user_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace zb::ui {

namespace {

UserDialogs* installed = nullptr;

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

// filters: the file types offered, the one at *chosen first; *chosen tells the one taken.
QString fileDialog(QFileDialog::AcceptMode mode, const QString& suggestion, const QString& title,
                   const QStringList& filters, const QString& suffix, int* chosen = nullptr) {
    QFileDialog dialog(dialogParent());
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (chosen) {
        dialog.selectNameFilter(filters.value(*chosen));
    }
    dialog.setDefaultSuffix(suffix);
    dialog.setWindowTitle(title);
    const QFileInfo suggested(suggestion);
    if (suggested.isDir()) {
        dialog.setDirectory(suggestion);
    } else if (!suggestion.isEmpty()) {
        // A folder removed since it was remembered: the file name alone, in the home folder.
        const QString folder = QFileInfo(suggested.absolutePath()).isDir()
                                   ? suggested.absolutePath()
                                   : QDir::homePath();
        dialog.setDirectory(folder);
        dialog.selectFile(QDir(folder).filePath(suggested.fileName()));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    if (chosen) {
        *chosen = std::max(0, int(filters.indexOf(dialog.selectedNameFilter())));
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

UserDialogs::Answer UserDialogs::askYesNoCancel(const QString& caption, const QString& question) {
    QMessageBox box(QMessageBox::Question, caption, question,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, dialogParent());
    // German even where Qt's translations are not installed.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Nein"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel; // also the close box
    }
}

void UserDialogs::information(const QString& text) {
    QMessageBox::information(dialogParent(), QStringLiteral("Information"), text);
}

void UserDialogs::error(const QString& caption, const QString& text) {
    QMessageBox::critical(dialogParent(), caption, text);
}

QString UserDialogs::saveTankFileName(const QString& suggestion) {
    return fileDialog(QFileDialog::AcceptSave, suggestion, QStringLiteral("Speichern unter"),
                      {QStringLiteral("Zitterbecken (*.zb)")}, QStringLiteral("zb"));
}

QString UserDialogs::openTankFileName(const QString& folder) {
    return fileDialog(QFileDialog::AcceptOpen, folder, QStringLiteral("Öffnen"),
                      {QStringLiteral("Zitterbecken (*.zb)")}, QStringLiteral("zb"));
}

QString UserDialogs::savePictureFileName(const QString& suggestion) {
    return fileDialog(QFileDialog::AcceptSave, suggestion, QStringLiteral("Bild speichern"),
                      {QStringLiteral("PNG-Bild (*.png)")}, QStringLiteral("png"));
}

QString UserDialogs::saveMeasurementFileName(const QString& suggestion, CsvForm& form) {
    const QStringList types = {
        QStringLiteral("CSV-Tabelle für deutsche Tabellenkalkulation, Semikolon und "
                       "Dezimalkomma (*.csv)"),
        QStringLiteral("CSV-Tabelle international, Komma und Dezimalpunkt (*.csv)")};
    int chosen = form == CsvForm::German ? 0 : 1;
    const QString name =
        fileDialog(QFileDialog::AcceptSave, suggestion, QStringLiteral("Messwerte speichern"),
                   types, QStringLiteral("csv"), &chosen);
    form = chosen == 0 ? CsvForm::German : CsvForm::International;
    return name;
}

UserDialogs& userDialogs() {
    static UserDialogs real;
    return installed ? *installed : real;
}

void setUserDialogs(UserDialogs* dialogs) {
    installed = dialogs;
}

} // namespace zb::ui
