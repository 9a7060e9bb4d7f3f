#pragma once
// The projects opened or saved most recently, newest first, kept in the settings between runs.

#include <QString>
#include <QStringList>

namespace zorvane::app {

class RecentProjects {
public:
    static constexpr int kMaxCount = 8;

    QStringList paths() const;
    // Puts `path` first; the oldest beyond the limit goes.
    void add(const QString& path);
    void remove(const QString& path);

private:
    void store(const QStringList& paths);
};

} // namespace zorvane::app
