#pragma once

#include "runtime/window.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>

namespace rt {
class SettingsReader;
}

// Saving and restoring a window's state, position and (for a sizable border) size in
// the per-user settings store, under the application title and the window's name.
class AblakHelyzet {
public:
    // The keys, letter for letter.
    static const QString KulcsÁllapot;
    static const QString KulcsBalszél;
    static const QString KulcsFelsőszél;
    static const QString KulcsSzélesség;
    static const QString KulcsMagasság;

    explicit AblakHelyzet(const rt::Screens& képernyő);
    virtual ~AblakHelyzet() = default;

    // As the window closes. A store that cannot be written does not stop the window
    // from closing: the failure goes to standard error and the rest is still written.
    void AblakHelyzetMentés(rt::Window& ablak);
    // As the window loads, before it is first shown. A stored value that cannot be read
    // counts as absent, and the window always ends up wholly on a screen.
    void AblakHelyzetBetöltés(rt::Window& ablak);
    // Moves a normal window wholly onto a screen (see KépernyőreIgazít). Loading does it
    // once; the window does it again when the window system first tells its frame.
    void KépernyőnTart(rt::Window& ablak);

    // The user's number format in which lengths are stored (the system's by default).
    void setNumberFormat(const QLocale& format) { számformátum_ = format; }
    // Where failures to write are reported (standard error by default).
    void setWarningSink(std::function<void(const QString&)> sink) {
        figyelmeztet_ = std::move(sink);
    }

    // The rectangle, in twips, moved by the least amount that puts it wholly within the
    // available area of the screen holding its top-left corner (or of the first area,
    // where none does); larger than that area, it goes to the area's top-left corner.
    static QRectF KépernyőreIgazít(const QRectF& ablak, const QVector<QRectF>& területek);

private:
    // The stored state, 0 for one that cannot be read or lies outside 0..2.
    std::int16_t olvasÁllapot(const rt::SettingsReader& tároló, const rt::Window& ablak) const;
    // A stored length, the default for one that cannot be read.
    float olvasHossz(const rt::SettingsReader& tároló, const rt::Window& ablak,
                     const QString& kulcs, float alapérték) const;

    const rt::Screens& képernyő_;
    QLocale számformátum_;
    std::function<void(const QString&)> figyelmeztet_;
};
