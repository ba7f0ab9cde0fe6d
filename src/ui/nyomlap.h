#pragma once

#include <QRectF>
#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

// The traces of a record, to be looked into: the wheel zooms about the pointer, dragging
// pans, + and − zoom, the arrow keys pan, Home shows the whole record again.
class Nyomlap : public QWidget {
public:
    using Tartomány = std::pair<double, double>; // s from the record's start
    // Draws the traces of the span (all of them without one); returns the time axis's extent.
    using Rajzoló = std::function<QRectF(QPainter&, const QRectF&, std::optional<Tartomány>)>;

    Nyomlap(Rajzoló rajzol, std::function<double()> hossz, const QString& név, QWidget* szülő);

    // The span shown, none while the whole record is.
    std::optional<Tartomány> Látható() const { return tartomány_; }
    // Zooms by `szorzó` (below 1 in, above 1 out) about the time `körül`, or the middle.
    void Nagyít(double szorzó, std::optional<double> körül = std::nullopt);
    // Pans by a part of the span shown: positive later, negative earlier.
    void Tol(double rész);
    void Mindet();

protected:
    void paintEvent(QPaintEvent*) override;
    void wheelEvent(QWheelEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    Tartomány jelenlegi() const;
    void beállít(double eleje, double vége);
    std::optional<double> időnél(double x) const;

    Rajzoló rajzol_;
    std::function<double()> hossz_;
    std::optional<Tartomány> tartomány_;
    QRectF tengely_; // where the time axis was drawn
    std::optional<double> húzásX_;
};
