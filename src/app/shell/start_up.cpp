#include "app/shell/start_up.h"

#include "app/shell/look.h"
#include "app/shell/main_window.h"
#include "app/shell/translations.h"
#include "core/store/stale_files.h"
#include "render/fonts.h"
#include "render/resource_names.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

namespace zorvane::app {

namespace {

// A borderless window centred on the screen: the picture on a teal panel with a raised bevel of
// 2 px.
std::unique_ptr<QLabel> showSplash() {
    auto splash = std::make_unique<QLabel>(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
    const auto& resource = render::kSplash;
    splash->setPixmap(
        QPixmap(QString::fromLatin1(resource.data(), static_cast<qsizetype>(resource.size()))));
    splash->setFrameStyle(QFrame::Panel | QFrame::Raised);
    splash->setLineWidth(2);
    setBackground(*splash, QColor(0x00, 0x80, 0x80));
    splash->adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        splash->move(screen->availableGeometry().center() - splash->rect().center());
    }
    splash->show();
    QCoreApplication::processEvents();
    return splash;
}

} // namespace

std::unique_ptr<MainWindow> startMainWindow(design::Interaction& ui,
                                            const std::filesystem::path& appDir) {
    store::removeStaleTemporaries(appDir / "database");
    render::installChineseFontSubstitutes();
    installToolkitTranslation(*QCoreApplication::instance());
    const auto splash = showSplash();
    auto window = std::make_unique<MainWindow>(ui, appDir);
    window->showMaximized();
    return window;
}

} // namespace zorvane::app
