#pragma once
// Draws formula markup (see formula_markup.h) to a picture for the reference database: black
// antialiased ink on white, lines left-aligned. The same source and style always give the same
// pixels and the same PNG bytes, so that a database build is reproducible.
//
// Qt needs a QGuiApplication for its fonts; the caller creates one (the offscreen platform is
// enough) before the first call.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <string>

#include "tools/dbbuild/formula_markup.h"

namespace zorvane::dbbuild {

struct FormulaStyle {
    // When the family is not installed, a family that covers Chinese is taken instead.
    QString family = QStringLiteral("WenQuanYi Zen Hei");
    int pixelSize = 16;       // main text
    double scriptScale = 0.7; // sub- and superscripts, again for scripts of scripts
    int margin = 6;           // white border around the ink, in pixels
    int lineGap = 4;          // least white space between the lines of a multi-line source
};

// The picture, Format_RGB32 at 96 dpi. Throws FormulaSyntaxError for malformed markup.
QImage renderFormula(const std::string& source, const FormulaStyle& style = {});

// The same picture as PNG, without text or time chunks.
QByteArray renderFormulaPng(const std::string& source, const FormulaStyle& style = {});

} // namespace zorvane::dbbuild
