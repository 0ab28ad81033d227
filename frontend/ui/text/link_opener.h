// Links in the texts open in the browser: a click on a link of a read-only text view hands its
// target to the desktop, for web and mail addresses only.
#pragma once

#include <QUrl>

#include <functional>

class QTextEdit;

namespace zb::ui {

using UrlOpener = std::function<bool(const QUrl&)>;

// Installs the link handling on the view once; later calls only replace the opener. Without an
// opener the desktop's (QDesktopServices::openUrl) is used.
void openLinksInBrowser(QTextEdit& view, UrlOpener opener = {});

} // namespace zb::ui
