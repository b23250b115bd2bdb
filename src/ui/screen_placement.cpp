#include "screen_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tessaran {

QRect work_area()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->availableGeometry();
    return QRect(0, 0, 1024, 768);
}

QSize fitted_to_screen(const QSize& want)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? want.boundedTo(screen->availableGeometry().size() - QSize(16, 40)) : want;
}

void centre_on_screen(QWidget* w)
{
    if (!w)
        return;
    const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect a = screen->availableGeometry();
    const QSize size = w->frameGeometry().size();
    const int usable_height = a.height() - twips_to_px(400);
    const int left = a.x() + std::max(0, (a.width() - size.width()) / 2);
    const int top = a.y() + std::max(0, (usable_height - size.height()) / 2);
    w->move(left, top);
}

}  // namespace tessaran
