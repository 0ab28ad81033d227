#include "base/application.h"

#include "base/user_dialogs.h"
#include "model/engine_calls.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdlib>
#include <exception>

namespace zb::ui {

namespace {

void showEngineMessage(const char* title, const char* text) {
    userDialogs().error(QString::fromUtf8(title ? title : ""), QString::fromUtf8(text ? text : ""));
}

} // namespace

void ZbApplication::choosePlatform() {
    // On a Wayland desktop the program runs through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
}

ZbApplication::ZbApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Zitterbecken"));
    setOrganizationName(QStringLiteral("Zitterbecken")); // settings in ~/.config/Zitterbecken/
    // Qt's own dialogs (file dialogs, standard buttons) speak German like the rest.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installTranslator(translator);
    }
    theEngine().setMessageHandler(&showEngineMessage);
}

ZbApplication::~ZbApplication() {
    theEngine().setMessageHandler(nullptr);
}

bool ZbApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        userDialogs().error(QStringLiteral("Fehler"), QString::fromUtf8(e.what()));
    } catch (...) {
        userDialogs().error(QStringLiteral("Fehler"),
                            QStringLiteral("Ein unbekannter Fehler ist aufgetreten."));
    }
    return false;
}

std::string ZbApplication::programDir() {
    QString dir = QDir::toNativeSeparators(applicationDirPath());
    if (!dir.endsWith(QDir::separator())) {
        dir += QDir::separator();
    }
    return QFile::encodeName(dir).toStdString();
}

bool ZbApplication::engineCanDraw() {
    return platformName() == QLatin1String("xcb");
}

} // namespace zb::ui
