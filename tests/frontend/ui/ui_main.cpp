// Runs every window test class under the program's own application object, on X11.
#include "base/application.h"
#include "test_registry.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

namespace zb::ui::test {

std::vector<TestFactory>& testFactories() {
    static std::vector<TestFactory> factories;
    return factories;
}

} // namespace zb::ui::test

int main(int argc, char** argv) {
    // The program's settings and the documents folder of a user of its own, not the tester's.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DOCUMENTS_DIR", QFile::encodeName(home.filePath(QStringLiteral("Dokumente"))));
    QDir().mkpath(home.filePath(QStringLiteral("Dokumente")));
    // Qt takes the documents folder from the user's xdg-user-dirs file, not from the variable.
    QFile userDirs(home.filePath(QStringLiteral("config/user-dirs.dirs")));
    QDir().mkpath(home.filePath(QStringLiteral("config")));
    if (userDirs.open(QIODevice::WriteOnly)) {
        userDirs.write("XDG_DOCUMENTS_DIR=\"" +
                       QFile::encodeName(home.filePath(QStringLiteral("Dokumente"))) + "\"\n");
        userDirs.close();
    }
    zb::ui::ZbApplication::choosePlatform();
    zb::ui::ZbApplication app(argc, argv);
    if (!zb::ui::ZbApplication::engineCanDraw()) {
        std::fprintf(stderr, "The window tests need an X server (run them under xvfb-run).\n");
        return 2;
    }
    // ZB_UI_TESTS=GalleryWindowTest,TankDisplayTest runs only these classes.
    const QStringList only = qEnvironmentVariable("ZB_UI_TESTS").split(u',', Qt::SkipEmptyParts);
    int failed = 0;
    for (const auto& make : zb::ui::test::testFactories()) {
        std::unique_ptr<QObject> test(make());
        const QString name = QString::fromLatin1(test->metaObject()->className()).section(u':', -1);
        if (!only.isEmpty() && !only.contains(name)) {
            continue;
        }
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
