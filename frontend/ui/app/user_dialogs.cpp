#include "app/user_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace zb::ui {

namespace {

UserDialogs* installed = nullptr;

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

QString fileDialog(QFileDialog::AcceptMode mode, const QString& suggestion, const QString& title,
                   const QString& filter, const QString& suffix) {
    QFileDialog dialog(dialogParent());
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    dialog.setWindowTitle(title);
    if (QFileInfo(suggestion).isDir()) {
        dialog.setDirectory(suggestion);
    } else if (!suggestion.isEmpty()) {
        dialog.setDirectory(QFileInfo(suggestion).absolutePath());
        dialog.selectFile(suggestion);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
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
                      QStringLiteral("Zitterbecken (*.zb)"), QStringLiteral("zb"));
}

QString UserDialogs::openTankFileName(const QString& folder) {
    return fileDialog(QFileDialog::AcceptOpen, folder, QStringLiteral("Öffnen"),
                      QStringLiteral("Zitterbecken (*.zb)"), QStringLiteral("zb"));
}

QString UserDialogs::savePictureFileName(const QString& suggestion) {
    return fileDialog(QFileDialog::AcceptSave, suggestion, QStringLiteral("Bild speichern"),
                      QStringLiteral("PNG-Bild (*.png)"), QStringLiteral("png"));
}

QString UserDialogs::saveMeasurementFileName(const QString& suggestion) {
    return fileDialog(QFileDialog::AcceptSave, suggestion, QStringLiteral("Messwerte speichern"),
                      QStringLiteral("CSV-Tabelle (*.csv)"), QStringLiteral("csv"));
}

UserDialogs& userDialogs() {
    static UserDialogs real;
    return installed ? *installed : real;
}

void setUserDialogs(UserDialogs* dialogs) {
    installed = dialogs;
}

} // namespace zb::ui
