// libFuzzer target for the rich-text reader: any bytes must fill a document or be refused,
// never crash, hang or leak, and what was read must lay out as the text windows would do it.
#include "text/rtf_reader.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Fontconfig keeps a pattern's elements behind an offset from the pattern, not a pointer, so the
// leak checker takes the elements of every live pattern (Qt caches the fallback fonts' patterns)
// for lost memory. Only allocations made inside fontconfig are exempt; the reader's and Qt's
// own are still checked.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

// Laying out needs fonts, and fonts need an application. It lives for the whole run and gets
// arguments of its own: libFuzzer's options are not Qt's business.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    (void)argc;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    static QGuiApplication* application = new QGuiApplication(qtArgc, qtArgv);
    (void)application;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray rtf(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    if (!zb::ui::parseRtf(rtf, document)) {
        if (!document.isEmpty())
            std::abort(); // refused input must leave nothing behind
        return 0;
    }
    document.setTextWidth(400);
    if (!(document.documentLayout()->documentSize().height() >= 0))
        std::abort();
    return 0;
}
