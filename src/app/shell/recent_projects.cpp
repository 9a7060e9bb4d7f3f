#include "app/shell/recent_projects.h"

#include "app/shell/user_settings.h"
#include <QFileInfo>

namespace zorvane::app {

namespace {

constexpr const char* kKey = "files/recentProjects";

// Two names of one file count once.
QString canonical(const QString& path) {
    const QFileInfo info(path);
    const QString resolved = info.canonicalFilePath();
    return resolved.isEmpty() ? info.absoluteFilePath() : resolved;
}

} // namespace

QStringList RecentProjects::paths() const {
    QStringList paths = UserSettings().value(QString::fromLatin1(kKey)).toStringList();
    // The settings file may have been edited by hand: no empty entries, none beyond the limit.
    paths.removeAll(QString());
    return paths.mid(0, kMaxCount);
}

void RecentProjects::add(const QString& path) {
    const QString entry = canonical(path);
    QStringList list = paths();
    list.removeAll(entry);
    list.prepend(entry);
    store(list.mid(0, kMaxCount));
}

void RecentProjects::remove(const QString& path) {
    QStringList list = paths();
    list.removeAll(path);
    store(list);
}

void RecentProjects::store(const QStringList& paths) {
    UserSettings().setValue(QString::fromLatin1(kKey), paths);
}

} // namespace zorvane::app
