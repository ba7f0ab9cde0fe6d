#include "screen.h"

#include "runtime/errors.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace rt {

namespace {

QRectF twipsRect(const QRect& pixels) {
    return {toTwips(pixels.x()), toTwips(pixels.y()), toTwips(pixels.width()),
            toTwips(pixels.height())};
}

} // namespace

float SystemScreens::Width() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? toTwips(screen->geometry().width()) : 0.0f;
}

float SystemScreens::Height() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? toTwips(screen->geometry().height()) : 0.0f;
}

QVector<QRectF> SystemScreens::AvailableAreas() const {
    QVector<QRectF> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        areas.append(twipsRect(primary->availableGeometry()));
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != primary)
            areas.append(twipsRect(screen->availableGeometry()));
    return areas;
}

WidgetWindow::WidgetWindow(QWidget& widget, std::int16_t borderStyle)
    : widget_(widget), borderStyle_(borderStyle) {}

QString WidgetWindow::Name() const {
    return widget_.objectName();
}

namespace {

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

bool WidgetWindow::sizable() const {
    return borderStyle_ == vbSizable || borderStyle_ == vbSizableToolWindow;
}

std::int16_t WidgetWindow::WindowState() const {
    const Qt::WindowStates state = widget_.windowState();
    if (state & Qt::WindowMinimized)
        return vbMinimized;
    if (!(state & Qt::WindowMaximized))
        return vbNormal;
    // A shown fixed-size window that the window system flagged maximized but left at its
    // one size is a normal window where it stands: its position is what to keep.
    const bool keptItsSize =
        widget_.size() == widget_.minimumSize() && widget_.minimumSize() == widget_.maximumSize();
    return !sizable() && widget_.isVisible() && keptItsSize ? vbNormal : vbMaximized;
}

void WidgetWindow::SetWindowState(std::int16_t state) {
    switch (state) {
    case vbNormal:
        widget_.setWindowState(Qt::WindowNoState);
        return;
    case vbMinimized:
        widget_.setWindowState(Qt::WindowMinimized);
        return;
    case vbMaximized:
        // A Wayland compositor gives a maximized window the whole screen and ends the
        // program when its surface keeps another size: a fixed-size window stays normal.
        widget_.setWindowState(!sizable() && onWayland() ? Qt::WindowNoState : Qt::WindowMaximized);
        return;
    default:
        throw RuntimeError(ErrorKind::InvalidPropertyValue, QStringLiteral("WindowState"));
    }
}

float WidgetWindow::Left() const {
    return toTwips(widget_.frameGeometry().x());
}
float WidgetWindow::Top() const {
    return toTwips(widget_.frameGeometry().y());
}
float WidgetWindow::Width() const {
    return toTwips(widget_.frameGeometry().width());
}
float WidgetWindow::Height() const {
    return toTwips(widget_.frameGeometry().height());
}

void WidgetWindow::SetLeft(float twips) {
    widget_.move(toPixels(twips), widget_.frameGeometry().y());
}
void WidgetWindow::SetTop(float twips) {
    widget_.move(widget_.frameGeometry().x(), toPixels(twips));
}

void WidgetWindow::SetWidth(float twips) {
    const int frame = widget_.frameGeometry().width() - widget_.width();
    widget_.resize(toPixels(twips) - frame, widget_.height());
}

void WidgetWindow::SetHeight(float twips) {
    const int frame = widget_.frameGeometry().height() - widget_.height();
    widget_.resize(widget_.width(), toPixels(twips) - frame);
}

bool WidgetWindow::ReportsPosition() const {
    return !onWayland();
}

} // namespace rt
