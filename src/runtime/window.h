#pragma once

#include <QRectF>
#include <QString>
#include <QVector>

#include <cstdint>

namespace rt {

inline constexpr float TwipsPerPixel = 15.0f; // at 96 device-independent dots per inch

// Nearest pixel; lengths past the window system's range stop at its end (16777215 pixels)
// rather than overflow.
inline constexpr int toPixels(float twips) {
    constexpr float limit = 16777215.0f;
    const float pixels = twips / TwipsPerPixel;
    if (!(pixels > -limit))
        return -int(limit);
    if (!(pixels < limit))
        return int(limit);
    return int(pixels + (pixels < 0 ? -0.5f : 0.5f));
}
inline constexpr float toTwips(int pixels) {
    return float(pixels) * TwipsPerPixel;
}

// The window states and border styles of the forms runtime.
enum WindowStateValue : std::int16_t { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };
enum BorderStyleValue : std::int16_t {
    vbBSNone = 0,
    vbFixedSingle = 1,
    vbSizable = 2,
    vbFixedDialog = 3,
    vbFixedToolWindow = 4,
    vbSizableToolWindow = 5
};

// What placement code needs of a window; lengths are its outer frame in twips.
class Window {
public:
    virtual ~Window() = default;

    virtual QString Name() const = 0;
    virtual std::int16_t BorderStyle() const = 0;
    virtual std::int16_t WindowState() const = 0;
    // Raises the invalid property value error for a state other than 0, 1 and 2.
    virtual void SetWindowState(std::int16_t state) = 0;
    virtual float Left() const = 0;
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void SetLeft(float twips) = 0;
    virtual void SetTop(float twips) = 0;
    virtual void SetWidth(float twips) = 0;
    virtual void SetHeight(float twips) = 0;
    // False where the window system does not tell a window where it stands.
    virtual bool ReportsPosition() const { return true; }
};

// The screens, in twips: the primary screen's size and every screen's available area,
// the primary screen's first.
class Screens {
public:
    virtual ~Screens() = default;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual QVector<QRectF> AvailableAreas() const = 0;
};

} // namespace rt
