#include "ablakhelyzet.h"

#include "runtime/app.h"
#include "runtime/errors.h"
#include "runtime/settings_store.h"
#include "runtime/text.h"

#include <cstdio>

namespace {

bool sizable(const rt::Window& ablak) {
    const auto style = ablak.BorderStyle();
    return style == rt::vbSizable || style == rt::vbSizableToolWindow;
}

// The same format with the other decimal separator: a value written under a point
// format is read under a comma one and the other way round.
QString otherSeparator(QString text, const QLocale& format) {
    const QString own = format.decimalPoint();
    const QString other = own == QStringLiteral(",") ? QStringLiteral(".") : QStringLiteral(",");
    return text.replace(other, own);
}

// The stored value of a key, converted in the given number format or else with the other
// decimal separator; the default for a value that is absent or cannot be read.
template <typename Érték, typename Átalakítás>
Érték olvas(const rt::SettingsReader& tároló, const rt::Window& ablak, const QString& kulcs,
            const QString& alapSzöveg, Érték alapérték, const QLocale& formátum,
            Átalakítás átalakít) {
    try {
        const QString szöveg = tároló.GetSetting(ablak.Name(), kulcs, alapSzöveg);
        try {
            return átalakít(szöveg, formátum);
        } catch (const rt::RuntimeError&) {
            return átalakít(otherSeparator(szöveg, formátum), formátum);
        }
    } catch (const rt::RuntimeError&) {
        return alapérték;
    }
}

} // namespace

const QString AblakHelyzet::KulcsÁllapot = QStringLiteral("ablakállapot");
const QString AblakHelyzet::KulcsBalszél = QStringLiteral("ablak balszéle");
const QString AblakHelyzet::KulcsFelsőszél = QStringLiteral("ablak felsőszéle");
const QString AblakHelyzet::KulcsSzélesség = QStringLiteral("ablak szélessége");
const QString AblakHelyzet::KulcsMagasság = QStringLiteral("ablak magassága");

AblakHelyzet::AblakHelyzet(const rt::Screens& képernyő)
    : képernyő_(képernyő), figyelmeztet_([](const QString& szöveg) {
          std::fprintf(stderr, "%s\n", qPrintable(szöveg));
      }) {}

void AblakHelyzet::AblakHelyzetMentés(rt::Window& ablak) {
    // One close's values are written together, so that the store always holds one
    // window's complete placement, and closing never waits long for the store.
    rt::SettingsWriter tároló(rt::App::Title());
    const std::int16_t állapot = ablak.WindowState();
    tároló.SaveSetting(ablak.Name(), KulcsÁllapot, rt::IntegerText(állapot));
    // Minimized or maximized, and where the window system keeps positions to itself,
    // the position stored earlier stays.
    if (állapot == rt::vbNormal && ablak.ReportsPosition()) {
        tároló.SaveSetting(ablak.Name(), KulcsBalszél, rt::NumberText(ablak.Left(), számformátum_));
        tároló.SaveSetting(ablak.Name(), KulcsFelsőszél,
                           rt::NumberText(ablak.Top(), számformátum_));
        if (sizable(ablak)) {
            tároló.SaveSetting(ablak.Name(), KulcsSzélesség,
                               rt::NumberText(ablak.Width(), számformátum_));
            tároló.SaveSetting(ablak.Name(), KulcsMagasság,
                               rt::NumberText(ablak.Height(), számformátum_));
        }
    }
    const rt::SettingsWriter::Result eredmény = tároló.commit();
    for (const QString& üzenet : eredmény.messages)
        figyelmeztet_(eredmény.written ? rt::App::Prefix() + üzenet
                                       : (rt::App::Prefix() +
                                          QStringLiteral("az ablak helyzete nem menthető (%1)"))
                                             .arg(üzenet));
}

std::int16_t AblakHelyzet::olvasÁllapot(const rt::SettingsReader& tároló,
                                        const rt::Window& ablak) const {
    const std::int16_t állapot = olvas(
        tároló, ablak, KulcsÁllapot, rt::IntegerText(rt::vbNormal), std::int16_t(rt::vbNormal),
        számformátum_, [](const QString& s, const QLocale& f) { return rt::ToInteger(s, f); });
    return állapot >= rt::vbNormal && állapot <= rt::vbMaximized ? állapot
                                                                 : std::int16_t(rt::vbNormal);
}

float AblakHelyzet::olvasHossz(const rt::SettingsReader& tároló, const rt::Window& ablak,
                               const QString& kulcs, float alapérték) const {
    return olvas(tároló, ablak, kulcs, rt::NumberText(alapérték, számformátum_), alapérték,
                 számformátum_,
                 [](const QString& s, const QLocale& f) { return rt::ToSingle(s, f); });
}

void AblakHelyzet::AblakHelyzetBetöltés(rt::Window& ablak) {
    // One snapshot of the store for the whole load: every value follows one rule.
    const rt::SettingsReader tároló(rt::App::Title());
    if (!tároló.problem().isEmpty())
        figyelmeztet_((rt::App::Prefix() + QStringLiteral("a tárolt ablakhelyzet nem olvasható, az "
                                                          "alapértékek érvényesek (%1)"))
                          .arg(tároló.problem()));
    ablak.SetWindowState(olvasÁllapot(tároló, ablak));
    if (ablak.WindowState() != rt::vbNormal)
        return;
    if (!ablak.ReportsPosition())
        return; // the window system places the window

    const float szélesség = képernyő_.Width();
    const float balAlap = szélesség / 4.0f;
    const float felsőAlap = szélesség / 3.0f; // the screen's width, not its height
    ablak.SetLeft(olvasHossz(tároló, ablak, KulcsBalszél, balAlap));
    ablak.SetTop(olvasHossz(tároló, ablak, KulcsFelsőszél, felsőAlap));
    if (sizable(ablak)) {
        const float szélességAlap = szélesség / 2.0f;
        const float magasságAlap = szélesség / 3.0f;
        ablak.SetWidth(olvasHossz(tároló, ablak, KulcsSzélesség, szélességAlap));
        ablak.SetHeight(olvasHossz(tároló, ablak, KulcsMagasság, magasságAlap));
    }

    KépernyőnTart(ablak);
}

void AblakHelyzet::KépernyőnTart(rt::Window& ablak) {
    if (ablak.WindowState() != rt::vbNormal || !ablak.ReportsPosition())
        return;
    const QRectF most(ablak.Left(), ablak.Top(), ablak.Width(), ablak.Height());
    const QRectF igazított = KépernyőreIgazít(most, képernyő_.AvailableAreas());
    if (igazított.left() != most.left())
        ablak.SetLeft(float(igazított.left()));
    if (igazított.top() != most.top())
        ablak.SetTop(float(igazított.top()));
}

QRectF AblakHelyzet::KépernyőreIgazít(const QRectF& ablak, const QVector<QRectF>& területek) {
    if (területek.isEmpty())
        return ablak;
    QRectF terület = területek.first();
    for (const QRectF& t : területek) {
        // the top-left corner belongs to a screen when it lies inside its area
        if (ablak.left() >= t.left() && ablak.left() < t.right() && ablak.top() >= t.top() &&
            ablak.top() < t.bottom()) {
            terület = t;
            break;
        }
    }
    auto igazít = [](double kezdet, double hossz, double tkezdet, double thossz) {
        if (hossz > thossz)
            return tkezdet;
        if (kezdet < tkezdet)
            return tkezdet;
        if (kezdet + hossz > tkezdet + thossz)
            return tkezdet + thossz - hossz;
        return kezdet;
    };
    return {igazít(ablak.left(), ablak.width(), terület.left(), terület.width()),
            igazít(ablak.top(), ablak.height(), terület.top(), terület.height()), ablak.width(),
            ablak.height()};
}
