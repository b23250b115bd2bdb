// A frame around the control that has the keyboard focus, drawn in black or
// white, whichever stands out more against the background around the control,
// so that the focus is visible in every colour scheme a collector can choose.
#pragma once

#include <QPointer>
#include <QWidget>

namespace tessaran {

class FocusRing : public QWidget {
    Q_OBJECT
public:
    // Follows the application's focus from now on, in every window (not menus).
    static void install();

    // The ring of window, made the first time it is needed.
    static FocusRing* of(QWidget* window);
    // The control it marks; nullptr: none in this window.
    QWidget* target() const { return target_; }
    void follow(QWidget* target);
    // The colour the ring is drawn in around target.
    static QColor ring_color(const QWidget* target);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    explicit FocusRing(QWidget* window);
    QPointer<QWidget> target_;
};

}  // namespace tessaran
