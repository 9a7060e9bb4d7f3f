// The drawings of the reference browser by the names the tree table gives them.

#include "tools/artwork/artwork.h"
#include "tools/artwork/browser_drawings.h"

#include <algorithm>
#include <array>

namespace zorvane::artwork {

namespace {

const std::array kBrowserDrawings{
    BrowserDrawing{"roller-kz", QSize(520, 360), &drawRollerToothFactorCurves},
    BrowserDrawing{"toothed-kz", QSize(520, 360), &drawToothedToothFactorCurve},
    BrowserDrawing{"centre-distance", QSize(520, 360), &drawCentreDistanceFactorCurve},
    BrowserDrawing{"roller-chain", QSize(620, 400), &drawRollerChainDimensions},
    BrowserDrawing{"toothed-chain", QSize(620, 400), &drawToothedChainDimensions},
    BrowserDrawing{"pins", QSize(620, 420), &drawMeasuringPins},
    BrowserDrawing{"toothed-pins", QSize(620, 420), &drawToothedMeasuringPins},
    BrowserDrawing{"solid-sprocket", QSize(620, 440), &drawSolidSprocketStructure},
    BrowserDrawing{"web-sprocket", QSize(620, 440), &drawWebSprocketStructure},
    BrowserDrawing{"web-sprocket-rows", QSize(620, 440), &drawMultiRowWebSprocketStructure},
    BrowserDrawing{"tooth-gap", QSize(620, 460), &drawRollerToothGap},
    BrowserDrawing{"three-arc", QSize(620, 480), &drawThreeArcGroove},
    BrowserDrawing{"roller-axial", QSize(620, 420), &drawRollerAxialProfile},
    BrowserDrawing{"toothed-axial", QSize(620, 420), &drawToothedAxialProfile},
    BrowserDrawing{"multi-row-chain", QSize(620, 300), &drawMultiRowChain},
    BrowserDrawing{"runout", QSize(620, 420), &drawRunout},
    BrowserDrawing{"sprocket-blank", QSize(620, 420), &drawSprocketBlank},
    BrowserDrawing{"roller-deviations", QSize(620, 420), &drawRollerDeviations},
    BrowserDrawing{"toothed-checks", QSize(620, 440), &drawToothedChecks},
    BrowserDrawing{"marked-sprocket", QSize(620, 440), &drawMarkedSprocket},
    // The sprocket drawings of the size area explain the size tables' symbols as well.
    BrowserDrawing{"roller-sprocket", QSize(620, 360), &drawRollerSprocketDrawing},
    BrowserDrawing{"toothed-sprocket", QSize(620, 440), &drawToothedSprocketDrawing},
};

} // namespace

std::span<const BrowserDrawing> browserDrawings() {
    return kBrowserDrawings;
}

const BrowserDrawing* findBrowserDrawing(std::string_view name) {
    const auto found = std::find_if(kBrowserDrawings.begin(), kBrowserDrawings.end(),
                                    [name](const BrowserDrawing& d) { return d.name == name; });
    return found == kBrowserDrawings.end() ? nullptr : &*found;
}

} // namespace zorvane::artwork
