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

QString tankFileDialog(QFileDialog::AcceptMode mode, const QString& suggestion) {
    QFileDialog dialog(dialogParent());
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Zitterbecken (*.zb)"));
    dialog.setDefaultSuffix(QStringLiteral("zb"));
    dialog.setWindowTitle(mode == QFileDialog::AcceptSave ? QStringLiteral("Speichern unter")
                                                          : QStringLiteral("Öffnen"));
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
    return tankFileDialog(QFileDialog::AcceptSave, suggestion);
}

QString UserDialogs::openTankFileName(const QString& folder) {
    return tankFileDialog(QFileDialog::AcceptOpen, folder);
}

UserDialogs& userDialogs() {
    static UserDialogs real;
    return installed ? *installed : real;
}

void setUserDialogs(UserDialogs* dialogs) {
    installed = dialogs;
}

} // namespace zb::ui
