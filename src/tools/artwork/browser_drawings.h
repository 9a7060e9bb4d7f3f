#pragma once
// The drawings of the reference browser, one function each; browser_catalogue.cpp lists them by
// the names the tree table uses.

#include <QImage>

namespace zorvane::artwork {

QImage drawRollerToothFactorCurves();
QImage drawToothedToothFactorCurve();
QImage drawCentreDistanceFactorCurve();
QImage drawRollerChainDimensions();
QImage drawToothedChainDimensions();
QImage drawMeasuringPins();
QImage drawToothedMeasuringPins();
QImage drawMultiRowChain();
QImage drawSolidSprocketStructure();
QImage drawWebSprocketStructure();
QImage drawMultiRowWebSprocketStructure();
QImage drawRollerToothGap();
QImage drawThreeArcGroove();
QImage drawRollerAxialProfile();
QImage drawToothedAxialProfile();
QImage drawRunout();
QImage drawSprocketBlank();
QImage drawRollerDeviations();
QImage drawToothedChecks();
QImage drawMarkedSprocket();

} // namespace zorvane::artwork
