#pragma once

#include "runtime/window.h"

class QWidget;

namespace rt {

// The screens as the window system reports them.
class SystemScreens : public Screens {
public:
    float Width() const override;
    float Height() const override;
    QVector<QRectF> AvailableAreas() const override;
};

// A top-level widget as a window of the forms runtime; lengths are its outer frame.
class WidgetWindow : public Window {
public:
    WidgetWindow(QWidget& widget, std::int16_t borderStyle);

    QString Name() const override;
    std::int16_t BorderStyle() const override { return borderStyle_; }
    std::int16_t WindowState() const override;
    void SetWindowState(std::int16_t state) override;
    float Left() const override;
    float Top() const override;
    float Width() const override;
    float Height() const override;
    void SetLeft(float twips) override;
    void SetTop(float twips) override;
    void SetWidth(float twips) override;
    void SetHeight(float twips) override;
    bool ReportsPosition() const override;

private:
    bool sizable() const;

    QWidget& widget_;
    std::int16_t borderStyle_;
};

} // namespace rt
