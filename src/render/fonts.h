#pragma once
// The windows ask for the classic Chinese faces by name (宋体, 楷体_GB2312, 隶书). Where those are
// not installed, Qt is told which installed faces stand in for them.

#include <QStringList>

namespace zorvane::render {

// Maps every Chinese face name the windows use to the installed stand-ins, best first. Call once,
// after the QGuiApplication (or QApplication) exists and before any window or page is built.
void installChineseFontSubstitutes();

// The stand-ins chosen for `family` among the installed faces, best first (empty when none of
// them is installed).
QStringList chineseFontStandIns(const QString& family);

} // namespace zorvane::render
