#include "app/shell/look.h"

#include <QPalette>
#include <QWidget>

namespace zorvane::app {

QFont pixelFont(const char* family, int pixels, bool bold) {
    QFont font(QString::fromUtf8(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void setPixelSize(QWidget& widget, int pixels, bool bold) {
    QFont font = widget.font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    widget.setFont(font);
}

void setTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
            palette.setColor(group, role, colour);
        }
    }
    widget.setPalette(palette);
}

void setBackground(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

} // namespace zorvane::app
