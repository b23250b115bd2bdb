#include "screen_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tessaran {

namespace {

const QScreen* screen_of(const QWidget* w)
{
    if (w && w->screen())
        return w->screen();
    return QGuiApplication::primaryScreen();
}

}  // namespace

QRect room_for_windows(const QRect& available, bool panels_reported)
{
    if (panels_reported)
        return available;
    return available.adjusted(0, 0, 0, -std::min(panel_allowance, available.height() / 4));
}

bool windows_placed_by_program()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QRect work_area(const QWidget* w)
{
    if (const QScreen* screen = screen_of(w))
        return room_for_windows(screen->availableGeometry(), windows_placed_by_program());
    return QRect(0, 0, 1024, 768);
}

QSize fitted_to_screen(const QSize& want, const QWidget* w)
{
    return want.boundedTo(work_area(w).size() - frame_allowance);
}

void centre_on_screen(QWidget* w)
{
    if (!w || !screen_of(w))
        return;
    const QRect a = work_area(w);
    const QSize size = w->frameGeometry().size();
    const int usable_height = a.height() - twips_to_px(400);
    const int left = a.x() + std::max(0, (a.width() - size.width()) / 2);
    const int top = a.y() + std::max(0, (usable_height - size.height()) / 2);
    w->move(left, top);
}

ListPlacement place_list_beside(const QRect& room, const QRect& editor_frame, int list_width, bool can_place)
{
    ListPlacement p;
    if (!can_place || editor_frame.width() + list_width > room.width())
        return p;
    p.docked = false;
    p.editor_left = editor_frame.left();
    // Right of the editor, else left of it, else the editor moves over just
    // enough for the list to fit at its right.
    if (editor_frame.right() + list_width <= room.right()) {
        p.list_left = editor_frame.right() + 1;
    } else if (editor_frame.left() - list_width >= room.left()) {
        p.list_left = editor_frame.left() - list_width;
    } else {
        p.editor_left = room.right() + 1 - list_width - editor_frame.width();
        p.list_left = room.right() + 1 - list_width;
    }
    return p;
}

}  // namespace tessaran
