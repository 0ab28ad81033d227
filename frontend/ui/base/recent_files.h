// The tanks last opened or saved, newest first, kept between program starts.
#pragma once

#include <QString>
#include <QStringList>

namespace zb::ui {

class RecentFiles {
  public:
    static constexpr int kMaxEntries = 8;

    // Read from the program's settings.
    static RecentFiles load();
    void save() const;

    // The file goes to the front; the same file named otherwise (a relative path, a link, . and
    // ..) is not listed twice.
    void add(const QString& path);
    void remove(const QString& path);
    const QStringList& entries() const { return entries_; }

  private:
    QStringList entries_;
};

// The folder where the next file dialog starts: the one last used, or the user's documents.
QString lastFolder();
void setLastFolder(const QString& fileInIt);

} // namespace zb::ui
