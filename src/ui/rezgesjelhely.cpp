// Where a record window opens: beside the main window, in the place the user left the last
// one, and that place kept when it closes.
#include "rezgesjelablak.h"

#include "settings/emlek.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

const QString HelySzekció = QStringLiteral("Rezgesjel");
const QString HelyKulcs = QStringLiteral("Hely");

} // namespace

void RezgésjelAblak::closeEvent(QCloseEvent* esemény) {
    // where the user left it, for the next record window
    // a store that cannot be written: the window closes all the same
    Emlék(HelySzekció).Ment({{HelyKulcs, Emlék::Téglalap(geometry())}});
    QWidget::closeEvent(esemény);
}

void RezgésjelAblak::Elhelyez(QWidget& ablak, const QWidget& főablak, int lépcső) {
    const QScreen* képernyő =
        főablak.screen() ? főablak.screen() : QGuiApplication::primaryScreen();
    const QRect terület = képernyő->availableGeometry();
    const QRect fő = főablak.frameGeometry();
    constexpr int Keret = 40;      // the window system's frame and title, about
    const int lépés = 32 * lépcső; // a cascade stays on the screen
    const int magas = std::min(900, terület.height() - Keret - lépés);
    // beside the main window, on its roomier side, if a useful width is left there
    const int jobbra = terület.right() - fő.right() - 8, balra = fő.left() - terület.left() - 8;
    const int mellette = std::max(jobbra, balra) - 8;
    const int széles = std::min(1000, (mellette >= 700 ? mellette : terület.width() - 16) - lépés);
    ablak.resize(std::max(széles, ablak.minimumSizeHint().width()),
                 std::max(magas, ablak.minimumSizeHint().height()));
    QPoint hol;
    if (mellette >= 700)
        hol = jobbra >= balra ? QPoint(fő.right() + 8, fő.top())
                              : QPoint(fő.left() - 8 - ablak.width(), fő.top());
    else // no room beside it: over its right part, its left part (the categories) still free
        hol = QPoint(std::min(fő.left() + 200, terület.right() - ablak.width()), terület.top());
    hol += QPoint(lépés, lépés);
    // where the user left the last one, if it fits this screen
    if (const std::optional<QRect> tárolt = Emlék(HelySzekció).Téglalap(HelyKulcs);
        tárolt && terület.contains(tárolt->translated(lépés, lépés))) {
        ablak.resize(tárolt->size());
        hol = tárolt->topLeft() + QPoint(lépés, lépés);
    }
    hol.setX(std::clamp(hol.x(), terület.left(),
                        std::max(terület.left(), terület.right() - ablak.width())));
    hol.setY(std::clamp(hol.y(), terület.top(),
                        std::max(terület.top(), terület.bottom() - ablak.height() - Keret)));
    ablak.move(hol);
}
