#pragma once
// Fonts and colours of single widgets, set through QFont and QPalette. Style sheets would do the
// same, but each one makes its widget resolve a font of its own at polish time, and a window full
// of them starts noticeably slower.

#include <QColor>
#include <QFont>

class QWidget;

namespace zorvane::app {

// A font of the named family (a Windows family name the font stand-ins map) at `pixels`.
QFont pixelFont(const char* family, int pixels, bool bold = false);
// The widget's own family at `pixels`, bold or not.
void setPixelSize(QWidget& widget, int pixels, bool bold = false);
// The text colour of labels, buttons and inputs while enabled; disabled text keeps the grey of
// the style.
void setTextColour(QWidget& widget, const QColor& colour);
// A filled background of `colour`.
void setBackground(QWidget& widget, const QColor& colour);

} // namespace zorvane::app
