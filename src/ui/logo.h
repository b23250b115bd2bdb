// The program's logo: a kaleidoscope-like rosette drawn in code, so the program
// needs no picture files of its own. The same shapes give the desktop icon,
// as PNG and as SVG.
#pragma once

#include <QByteArray>
#include <QLabel>
#include <QPixmap>

namespace tessaran {

// A square logo of size x size pixels on a transparent background.
QPixmap kaleidoscope_logo(int size);

// The same logo as an SVG document of size x size units.
QByteArray kaleidoscope_logo_svg(int size);

// The logo in a window, size pixels square, that a click opens the about box from.
class LogoLabel : public QLabel {
    Q_OBJECT
public:
    LogoLabel(int size, QWidget* parent);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tessaran
