#pragma once
// The user's settings of the program (the recent projects, the folder a file dialog last used),
// kept between runs in the user's configuration directory as zorvane/zorvane.conf.

#include <QSettings>

namespace zorvane::app {

class UserSettings : public QSettings {
public:
    UserSettings()
        : QSettings(QSettings::UserScope, QStringLiteral("zorvane"), QStringLiteral("zorvane")) {}
};

} // namespace zorvane::app
