#pragma once

#include "readers/hiba.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>

// "Határgörbék": the foundation limit against frequency (0–100 Hz) for the three
// categories, the selected one emphasised, and the window's current frequency and limit
// as a marked point. Every figure comes from the window's model.
class Határgörbék : public QWidget {
public:
    explicit Határgörbék(QWidget* parent = nullptr);

    // The main window's category and scroll bar value, after each of its events.
    void Beállít(std::int16_t épülettípus, int frekvencia);
    std::int16_t épülettípus() const { return épülettípus_; }
    int frekvencia() const { return frekvencia_; }
    // The current point as text, e.g. "Lakóépület, 51 Hz: 15.10 mm/s".
    QString PontSzöveg() const;

    // Saves the picture as PNG or SVG, by the file's suffix; false when it cannot.
    std::optional<Hiba> Ment(const QString& fájl) const;
    // Asks where, then saves.
    void MentésPárbeszéddel();

    // Draws the whole picture into a rectangle of the given size.
    void Rajzol(QPainter& festő, const QSizeF& méret) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::int16_t épülettípus_ = 1;
    int frekvencia_ = 0;
};
