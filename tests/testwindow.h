#pragma once

// A window and screens with exact twips values, for the placement and store tests.
#include "runtime/errors.h"
#include "runtime/window.h"

#include <QStringList>

struct TestScreens : rt::Screens {
    float width, height;
    QVector<QRectF> areas;
    TestScreens(float w, float h) : width(w), height(h), areas{QRectF(0, 0, w, h)} {}
    float Width() const override { return width; }
    float Height() const override { return height; }
    QVector<QRectF> AvailableAreas() const override { return areas; }
};

// A window with exact twips values; records the order of the assignments.
struct TestWindow : rt::Window {
    std::int16_t border = rt::vbFixedSingle;
    std::int16_t state = 0;
    float left = 0, top = 0, width = 3885, height = 3135;
    bool reportsPosition = true;
    QStringList assigned;

    QString Name() const override { return QStringLiteral("Form1"); }
    std::int16_t BorderStyle() const override { return border; }
    std::int16_t WindowState() const override { return state; }
    void SetWindowState(std::int16_t s) override {
        if (s < 0 || s > 2)
            throw rt::RuntimeError(rt::ErrorKind::InvalidPropertyValue);
        state = s;
        assigned << QStringLiteral("WindowState");
    }
    float Left() const override { return left; }
    float Top() const override { return top; }
    float Width() const override { return width; }
    float Height() const override { return height; }
    void SetLeft(float v) override {
        left = v;
        assigned << QStringLiteral("Left");
    }
    void SetTop(float v) override {
        top = v;
        assigned << QStringLiteral("Top");
    }
    void SetWidth(float v) override {
        width = v;
        assigned << QStringLiteral("Width");
    }
    void SetHeight(float v) override {
        height = v;
        assigned << QStringLiteral("Height");
    }
    bool ReportsPosition() const override { return reportsPosition; }
};
