#include "kampanyjelentes.h"

#include "oldalak.h"

#include "catalogue/kampanymodell.h"
#include "engine/kategoriak.h"
#include "engine/szovegek.h"
#include "painters/betu.h"
#include "painters/hatargorbe.h"
#include "painters/idosor.h"
#include "painters/terjedesabra.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTimeZone>

#include <functional>
#include <set>

namespace KampányJelentés {

namespace {

using Határérték::Jegyek;
using Jelentés::Felbontás;

const QTimeZone& budapest() {
    static const QTimeZone z(QByteArrayLiteral("Europe/Budapest"));
    return z;
}

QString helyiIdő(std::optional<qint64> mikro) {
    if (!mikro)
        return QStringLiteral("–");
    return QDateTime::fromMSecsSinceEpoch(*mikro / 1000, budapest())
        .toString(QStringLiteral("yyyy.MM.dd. HH:mm:ss"));
}

QString szám(const std::optional<double>& v, int tizedes) {
    return v ? Határérték::Szám(*v, tizedes) : QStringLiteral("–");
}

// A table: its columns' shares of the width, its header; each cell's text wraps inside its
// column, so nothing is cut, and a row is as high as its highest cell.
struct Tábla {
    std::vector<double> arányok;
    QStringList fej;
    std::vector<int> jobbra; // the columns aligned right (figures)
};

// Words wrap; a word wider than its column (a file's name) breaks anywhere rather than be cut.
int sortörés(const QFontMetricsF& m, double szélesség, const QString& szöveg) {
    for (const QString& szó : szöveg.split(u' ', Qt::SkipEmptyParts))
        if (m.horizontalAdvance(szó) > szélesség)
            return Qt::TextWrapAnywhere;
    return Qt::TextWordWrap;
}

double sorMagasság(const QFontMetricsF& m, double szélesség, const Tábla& t,
                   const QStringList& cellák) {
    double h = m.height();
    for (qsizetype c = 0; c < cellák.size(); ++c) {
        const double w = szélesség * t.arányok[std::size_t(c)] - 6;
        h = std::max(
            h, m.boundingRect(QRectF(0, 0, w, 1e6), sortörés(m, w, cellák[c]), cellák[c]).height());
    }
    return h + 4;
}

double sorRajz(QPainter& f, const QRectF& keret, double y, const Tábla& t, const QStringList& c,
               const QFont& betű, bool fejsor, bool kiemelt) {
    const QFontMetricsF m(betű);
    const double h = sorMagasság(m, keret.width(), t, c);
    if (fejsor || kiemelt)
        f.fillRect(QRectF(keret.left(), y, keret.width(), h),
                   fejsor ? QColor(230, 230, 230) : QColor(255, 225, 225));
    f.setPen(QPen(QColor(150, 150, 150), 0.4));
    f.drawLine(QPointF(keret.left(), y + h), QPointF(keret.right(), y + h));
    f.setPen(Qt::black);
    f.setFont(betű);
    double x = keret.left();
    for (qsizetype i = 0; i < c.size(); ++i) {
        const double w = keret.width() * t.arányok[std::size_t(i)];
        const bool jobb =
            !fejsor && std::find(t.jobbra.begin(), t.jobbra.end(), int(i)) != t.jobbra.end();
        f.drawText(QRectF(x + 3, y + 2, w - 6, h - 2),
                   sortörés(m, w - 6, c[i]) | int(jobb ? Qt::AlignRight : Qt::AlignLeft) |
                       Qt::AlignTop,
                   c[i]);
        x += w;
    }
    return y + h;
}

struct Betűk {
    QFont cím = Rajz::Betű(13), alcím = Rajz::Betű(10.5), szöveg = Rajz::Betű(8.5),
          kicsi = Rajz::Betű(7.2), kicsiVastag = Rajz::Betű(7.2), vastag = Rajz::Betű(8.5);
    Betűk() {
        cím.setBold(true);
        alcím.setBold(true);
        kicsiVastag.setBold(true);
        vastag.setBold(true);
    }
};

// Text lines at y, wrapped to the width; the new y.
double bekezdés(QPainter& f, const QRectF& keret, double y, const QString& szöveg,
                const QFont& betű, const QColor& szín = Qt::black) {
    f.setFont(betű);
    f.setPen(szín);
    const QRectF r = QFontMetricsF(betű).boundingRect(QRectF(0, 0, keret.width(), 1e6),
                                                      Qt::TextWordWrap, szöveg);
    f.drawText(QRectF(keret.left(), y, keret.width(), r.height()), Qt::TextWordWrap, szöveg);
    return y + r.height() + 3;
}

double címsor(QPainter& f, const QRectF& keret, double y, const QString& szöveg,
              const QFont& betű) {
    f.setFont(betű);
    f.setPen(Qt::black);
    const QFontMetricsF m(betű);
    f.drawText(QPointF(keret.left(), y + m.ascent()), szöveg);
    return y + m.height() + 6;
}

// A chart drawn by a painter into a rectangle of the page.
void ábra(QPainter& f, const QRectF& hely,
          const std::function<void(QPainter&, const QSizeF&)>& rajzol) {
    f.save();
    f.translate(hely.topLeft());
    f.setClipRect(QRectF(QPointF(0, 0), hely.size()));
    rajzol(f, hely.size());
    f.restore();
}

const Tábla MérésTábla{
    {0.09, 0.085, 0.16, 0.07, 0.06, 0.065, 0.06, 0.065, 0.06, 0.065, 0.085, 0.135},
    {QStringLiteral("Pont"), QStringLiteral("Robbantás"), QStringLiteral("Idő (helyi)"),
     QStringLiteral("Táv. (m)"), QStringLiteral("Töltet (kg)"), QStringLiteral("SD"),
     QStringLiteral("Össze-tevő"), QStringLiteral("PPV (mm/s)"), QStringLiteral("Frekv. (Hz)"),
     QStringLiteral("Határ (mm/s)"), QStringLiteral("Kihaszn."), QStringLiteral("Megítélés")},
    {3, 4, 5, 7, 8, 9, 10}};

QStringList mérésSor(const Katalógus::ListaSor& s) {
    const Katalógus::Mérés& m = s.mérés;
    return {m.pont,
            s.robbantás.isEmpty() ? QStringLiteral("–") : s.robbantás,
            helyiIdő(Katalógus::Időpontja(m)),
            szám(m.távolság, 1),
            szám(m.töltet, 2),
            szám(m.arányosTávolság, 2),
            m.döntő.isEmpty() ? QStringLiteral("–") : m.döntő,
            szám(m.ppv, 3),
            szám(m.frekvencia, 2),
            m.határSzázad ? Határérték::SzázadSzöveg(int(*m.határSzázad)) : QStringLiteral("–"),
            m.kihasználtságTized
                ? Határérték::Százalék(*m.kihasználtságTized) + QStringLiteral(" %")
                : QStringLiteral("–"),
            Katalógus::ÍtéletSzöveg(m)};
}

// Every statistics row, by month and for the whole period, with the utilisation's figures
// the first page leaves out.
const Tábla HaviTábla{
    {0.12, 0.08, 0.06, 0.06, 0.06, 0.07, 0.08, 0.07, 0.07, 0.06, 0.06, 0.07, 0.07, 0.07},
    {QStringLiteral("Pont"), QStringLiteral("Hónap"), QStringLiteral("Mérés"),
     QStringLiteral("Robb."), QStringLiteral("Túll."), QStringLiteral("Nincs megít."),
     QStringLiteral("Legn. kih."), QStringLiteral("Kih. P50"), QStringLiteral("Kih. P95"),
     QStringLiteral("> 50 %"), QStringLiteral("> 80 %"), QStringLiteral("> 100 %"),
     QStringLiteral("PPV P50"), QStringLiteral("PPV P95")},
    {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}};

const QString HaviKulcs = QStringLiteral(
    "Pontonként hónapról hónapra, majd a pont összesen; végül a helyszín. Robb.: robbantások; "
    "Túll.: túllépések; Nincs megít.: nincs megítélve; kih.: kihasználtság; > 50 %, > 80 %, "
    "> 100 %: az ennél nagyobb kihasználtságú mérések száma; PPV mm/s-ban. A percentilisek a "
    "megítélt mérésekből, legközelebbi rang szerint.");

QString százalék(const std::optional<qint64>& tized) {
    return tized ? Határérték::Százalék(*tized) + QStringLiteral(" %") : QStringLiteral("–");
}

// A statistics row's point: the site's row has none.
QString pontNév(const Katalógus::Statisztikasor& s) {
    return s.pont.isEmpty() ? QStringLiteral("helyszín") : s.pont;
}

QStringList haviSor(const Katalógus::Statisztikasor& s) {
    return {pontNév(s),
            s.hónap.isEmpty() ? QStringLiteral("összesen") : s.hónap,
            QString::number(s.mérések),
            QString::number(s.robbantások),
            QString::number(s.túllépések),
            QString::number(s.nincsMegítélve),
            százalék(s.legnagyobbTized),
            százalék(s.kihasználtság50),
            százalék(s.kihasználtság95),
            QString::number(s.fölött50),
            QString::number(s.fölött80),
            QString::number(s.fölött100),
            szám(s.ppv50, 3),
            szám(s.ppv95, 3)};
}

// The report's pages, laid out before any is drawn so that each knows the count.
class Tördelés {
public:
    Tördelés(const Kampány::Adatok& a, const QRectF& keret) : a_(a), keret_(keret) {
        for (const Katalógus::ListaSor& s : a.sorok)
            mérésSorok_.push_back(mérésSor(s));
        for (const Katalógus::Statisztikasor& s : a.statisztika)
            haviSorok_.push_back(haviSor(s));
        mérésLapok_ = lapokra(MérésTábla, mérésSorok_, 0);
        // below the table, the abbreviations' key
        const double kulcs =
            QFontMetricsF(b_.kicsi)
                .boundingRect(QRectF(0, 0, keret.width(), 1e6), Qt::TextWordWrap, HaviKulcs)
                .height();
        haviLapok_ = lapokra(HaviTábla, haviSorok_, kulcs + 9);
        for (const Katalógus::Pont& p : a.pontok)
            pontok_ << p.kód;
    }

    std::size_t lapok() const {
        return 1 + haviLapok_.size() + 1 + idősorLapok() + 1 + mérésLapok_.size();
    }

    void rajzol(QPdfWriter& író, QPainter& f) {
        const std::size_t n = lapok();
        std::size_t lap = 1;
        első(f, lap++, n);
        for (std::size_t i = 0; i < haviLapok_.size(); ++i) {
            író.newPage();
            havi(f, i, lap++, n);
        }
        író.newPage();
        megfelelőség(f, lap++, n);
        for (std::size_t i = 0; i < idősorLapok(); ++i) {
            író.newPage();
            idősor(f, i, lap++, n);
        }
        író.newPage();
        terjedés(f, lap++, n);
        for (std::size_t i = 0; i < mérésLapok_.size(); ++i) {
            író.newPage();
            mérések(f, i, lap++, n);
        }
    }

private:
    using Lapok = std::vector<std::pair<std::size_t, std::size_t>>;

    // A paged table's rows, as many a page as fit under its title and header and above the
    // footer (and `alatta` more): each page's first row and end. No rows: one page.
    Lapok lapokra(const Tábla& t, const std::vector<QStringList>& sorok, double alatta) const {
        const QFontMetricsF m(b_.kicsi);
        const double fej = sorMagasság(QFontMetricsF(b_.kicsiVastag), keret_.width(), t, t.fej);
        const double hely =
            keret_.height() - 40 - fej - QFontMetricsF(b_.alcím).height() - 10 - alatta;
        Lapok lapok;
        double y = 0;
        std::size_t eleje = 0;
        for (std::size_t i = 0; i < sorok.size(); ++i) {
            const double h = sorMagasság(m, keret_.width(), t, sorok[i]);
            if (y + h > hely && i > eleje) {
                lapok.push_back({eleje, i});
                eleje = i;
                y = 0;
            }
            y += h;
        }
        if (eleje < sorok.size() || sorok.empty())
            lapok.push_back({eleje, sorok.size()});
        return lapok;
    }

    std::size_t idősorLapok() const { return (std::size_t(pontok_.size()) + 1) / 2; }

    void első(QPainter& f, std::size_t lap, std::size_t lapok) {
        double y = keret_.top();
        const QString név = a_.helyszín.név.isEmpty() ? a_.katalógus : a_.helyszín.név;
        y = címsor(f, keret_, y, QStringLiteral("Kampányjelentés – %1").arg(név), b_.cím);
        std::optional<qint64> első, utolsó;
        int túl = 0, nem = 0;
        std::set<QString> robbantások;
        for (const Katalógus::ListaSor& s : a_.sorok) {
            if (const auto t = Katalógus::Időpontja(s.mérés)) {
                első = std::min(első.value_or(*t), *t);
                utolsó = std::max(utolsó.value_or(*t), *t);
            }
            túl += s.mérés.ítélet == Katalógus::Ítélet::Túllépi;
            nem += s.mérés.ítélet == Katalógus::Ítélet::NincsMegítélve;
            if (!s.robbantás.isEmpty())
                robbantások.insert(s.robbantás);
        }
        QStringList sorok;
        if (!a_.helyszín.megrendelő.isEmpty())
            sorok << QStringLiteral("Megrendelő: ") + a_.helyszín.megrendelő;
        sorok << QStringLiteral("Katalógus: ") + a_.katalógus;
        sorok << QStringLiteral("Időszak: %1 – %2 (magyar idő)")
                     .arg(helyiIdő(első), helyiIdő(utolsó));
        sorok << QStringLiteral("Szűrő: ") +
                     (a_.szűrő.isEmpty() ? QStringLiteral("nincs, a katalógus minden mérése")
                                         : a_.szűrő);
        sorok << QStringLiteral("%1 mérés, %2 robbantás; %3 túllépi a határértéket, %4 nincs "
                                "megítélve.")
                     .arg(a_.sorok.size())
                     .arg(robbantások.size())
                     .arg(túl)
                     .arg(nem);
        if (!a_.helyszín.megjegyzés.isEmpty())
            sorok << QStringLiteral("Megjegyzés: ") + a_.helyszín.megjegyzés;
        for (const QString& s : sorok)
            y = bekezdés(f, keret_, y, s, b_.szöveg);
        y += 8;
        y = címsor(f, keret_, y, QStringLiteral("Mérési pontok"), b_.alcím);
        const Tábla pontTábla{{0.16, 0.2, 0.2, 0.16, 0.14, 0.14},
                              {QStringLiteral("Pont"), QStringLiteral("Épület (kategória)"),
                               QStringLiteral("Megítélés helye"), QStringLiteral("Érzékelő"),
                               QStringLiteral("Műszer"), QStringLiteral("Kalibrálás")},
                              {}};
        y = sorRajz(f, keret_, y, pontTábla, pontTábla.fej, b_.vastag, true, false);
        for (const Katalógus::Pont& p : a_.pontok)
            y = sorRajz(f, keret_, y, pontTábla,
                        {p.kód, Határérték::KategóriaNév(p.kategória),
                         Határérték::HelyNév(Határérték::Hely(p.hely)),
                         p.érzékelő.isEmpty() ? QStringLiteral("–") : p.érzékelő,
                         p.műszer.isEmpty() ? QStringLiteral("–") : p.műszer,
                         p.kalibrálás.isEmpty() ? QStringLiteral("–") : p.kalibrálás},
                        b_.szöveg, false, false);
        y += 14;
        y = címsor(f, keret_, y, QStringLiteral("Statisztika (teljes időszak)"), b_.alcím);
        const Tábla stat{{0.14, 0.08, 0.1, 0.09, 0.1, 0.12, 0.17, 0.1, 0.1},
                         {QStringLiteral("Pont"), QStringLiteral("Mérés"),
                          QStringLiteral("Robbantás"), QStringLiteral("Túllépés"),
                          QStringLiteral("Nincs megítélve"),
                          QStringLiteral("Legnagyobb kihasználtság"), QStringLiteral("Hol"),
                          QStringLiteral("PPV P50 (mm/s)"), QStringLiteral("PPV P95 (mm/s)")},
                         {1, 2, 3, 4, 5, 7, 8}};
        y = sorRajz(f, keret_, y, stat, stat.fej, b_.kicsiVastag, true, false);
        for (const Katalógus::Statisztikasor& s : a_.statisztika) {
            if (!s.hónap.isEmpty())
                continue;
            y = sorRajz(f, keret_, y, stat,
                        {pontNév(s), QString::number(s.mérések), QString::number(s.robbantások),
                         QString::number(s.túllépések), QString::number(s.nincsMegítélve),
                         százalék(s.legnagyobbTized), s.hol.isEmpty() ? QStringLiteral("–") : s.hol,
                         szám(s.ppv50, 3), szám(s.ppv95, 3)},
                        s.pont.isEmpty() ? b_.kicsiVastag : b_.kicsi, false,
                        s.túllépések > 0 && !s.pont.isEmpty());
        }
        y += 6;
        bekezdés(f, keret_, y,
                 QStringLiteral("A percentilisek a megítélt mérésekből, legközelebbi rang szerint. "
                                "A határérték az MSZ 13018 szerinti, a mért frekvencián."),
                 b_.kicsi, QColor(80, 80, 80));
        Jelentés::lábléc(f, keret_, lap, lapok);
    }

    void megfelelőség(QPainter& f, std::size_t lap, std::size_t lapok) {
        double y = címsor(f, keret_, keret_.top(), QStringLiteral("Megfelelőségi ábra"), b_.alcím);
        const double magas = (keret_.bottom() - 40 - y) / 2 - 6;
        for (const bool födém : {false, true}) {
            std::vector<Rajz::Pont> pontok;
            std::map<int, int> kategóriák;
            for (const Katalógus::ListaSor& s : a_.sorok) {
                const Katalógus::Mérés& m = s.mérés;
                if ((m.hely == int(Határérték::Hely::Födém)) != födém || !m.ppv || !m.frekvencia)
                    continue;
                ++kategóriák[m.kategória];
                pontok.push_back({*m.frekvencia,
                                  *m.ppv,
                                  Rajz::KategóriaSzín(m.kategória),
                                  {},
                                  m.ítélet == Katalógus::Ítélet::Túllépi,
                                  m.ítélet == Katalógus::Ítélet::NincsMegítélve});
            }
            if (födém && pontok.empty())
                break;
            int kiemelt = Határérték::AlapKategória, legtöbb = 0;
            for (const auto& [k, db] : kategóriák)
                if (db > legtöbb)
                    kiemelt = k, legtöbb = db;
            y = bekezdés(
                f, keret_, y,
                Határérték::HelyNév(födém ? Határérték::Hely::Födém : Határérték::Hely::Alap),
                b_.vastag);
            ábra(f, QRectF(keret_.left(), y, keret_.width(), magas - 20),
                 [&](QPainter& p, const QSizeF& méret) {
                     Rajz::Felhő(p, méret, Jelentés::nyomtatóPaletta(), b_.kicsi, kiemelt, födém,
                                 pontok);
                 });
            y += magas;
        }
        Jelentés::lábléc(f, keret_, lap, lapok);
    }

    void idősor(QPainter& f, std::size_t rész, std::size_t lap, std::size_t lapok) {
        double y =
            címsor(f, keret_, keret_.top(), QStringLiteral("PPV időben, pontonként"), b_.alcím);
        const double magas = (keret_.bottom() - 40 - y) / 2 - 6;
        for (qsizetype i = qsizetype(rész * 2);
             i < std::min(pontok_.size(), qsizetype(rész * 2 + 2)); ++i) {
            std::vector<Rajz::Időpont> pontok;
            int kategória = 0;
            for (const Katalógus::ListaSor& s : a_.sorok) {
                const Katalógus::Mérés& m = s.mérés;
                const auto t = Katalógus::Időpontja(m);
                if (m.pont != pontok_[i] || !t)
                    continue;
                kategória = m.kategória;
                pontok.push_back(
                    {*t, m.ppv,
                     m.határSzázad ? std::optional<double>(*m.határSzázad / 100.0) : std::nullopt,
                     m.ítélet == Katalógus::Ítélet::Túllépi,
                     m.ítélet == Katalógus::Ítélet::NincsMegítélve});
            }
            ábra(f, QRectF(keret_.left(), y, keret_.width(), magas),
                 [&](QPainter& p, const QSizeF& méret) {
                     Rajz::Idősor(p, méret, Jelentés::nyomtatóPaletta(), b_.kicsi,
                                  QStringLiteral("%1 – %2").arg(
                                      pontok_[i], Határérték::KategóriaNév(kategória)),
                                  Rajz::KategóriaSzín(kategória), pontok);
                 });
            y += magas + 12;
        }
        Jelentés::lábléc(f, keret_, lap, lapok);
    }

    void terjedés(QPainter& f, std::size_t lap, std::size_t lapok) {
        const Terjedés::Illesztés& i = a_.illesztés;
        double y = címsor(f, keret_, keret_.top(),
                          QStringLiteral("Terjedési törvény és a legnagyobb töltet"), b_.alcím);
        std::set<QString> kiugrók;
        for (const Terjedés::Kiugró& k : i.kiugrók)
            kiugrók.insert(k.pont.azonosító);
        std::vector<Rajz::TerjedésPont> pontok;
        for (const Terjedés::Pont& p : a_.gyűjtés.pontok)
            pontok.push_back(
                {i.arányos(p.távolság, p.töltet), p.ppv, kiugrók.count(p.azonosító) > 0});
        const Terjedés::Görbék g = Terjedés::Vonalak(i);
        std::vector<Rajz::Szint> szintek;
        std::set<int> kategóriák;
        for (const Katalógus::Pont& p : a_.pontok)
            kategóriák.insert(p.kategória);
        for (const int k : kategóriák) {
            const double h = (a_.frekvencia ? Határérték::AlaponSzázad(k, *a_.frekvencia)
                                            : Határérték::LegkisebbAlaponSzázad(k)) /
                             100.0;
            szintek.push_back({QStringLiteral("%1 %2 mm/s")
                                   .arg(Határérték::KategóriaNév(k), Határérték::Szám(h, 2)),
                               h, Rajz::KategóriaSzín(k), false});
        }
        const double magas = keret_.height() * 0.36;
        ábra(f, QRectF(keret_.left(), y, keret_.width(), magas),
             [&](QPainter& p, const QSizeF& méret) {
                 Rajz::Terjedés(
                     p, méret, Jelentés::nyomtatóPaletta(), b_.kicsi,
                     QStringLiteral("PPV = K·SD^−béta%1")
                         .arg(i.használható() ? QString() : QStringLiteral(" – megbízhatatlan")),
                     i.gyök == 3 ? QStringLiteral("SD = D/∛W (m/kg^⅓)")
                                 : QStringLiteral("SD = D/√W (m/kg^½)"),
                     pontok, Rajz::TörvényVonalai(g.ötven, g.kilencvenöt, g.szokásos), szintek);
             });
        y += magas + 6;
        y = bekezdés(
            f, keret_, y,
            QStringLiteral(
                "Meghatározások: SD = D / W^(1/%1) (D m-ben, W kg késleltetésenként). Egy mérés "
                "PPV-je %2. Illesztés: legkisebb négyzetek, y = log10 PPV, x = log10 SD; béta = "
                "−meredekség, K = 10^tengelymetszet; s a maradék szórása n − 2 szabadságfokkal. "
                "PPV50 = K·SD^−béta. PPV95 az egyoldali 95 %-os előrejelzési korlát: log10 PPV95 = "
                "log10 K − béta·x + t(0,95; n − 2)·s·√(1 + 1/n + (x − x̄)²/Sxx). A szokásos K95 = "
                "K·10^(1,645·s) csak összevetésre. Megbízhatatlan (nem jelez előre): n < 10, R² < "
                "0,5, béta ≤ 0, kétszeresnél szűkebb SD-tartomány, vagy a tartományon "
                "1,5-szeresnél "
                "messzebbi SD. A nem megítélt és a távolság vagy töltet nélküli mérések "
                "kimaradnak; "
                "a 3 s-nál nagyobb maradékúak lehetséges kiugrók.")
                .arg(i.gyök)
                .arg(a_.mérték == Terjedés::Mérték::Pvs
                         ? QStringLiteral("a PVS")
                         : QStringLiteral("a legnagyobb sebességösszetevőé")),
            b_.kicsi);
        QStringList illesztés;
        if (i.illeszthető)
            illesztés << QStringLiteral("n = %1, K = %2, béta = %3, R² = %4, s = %5, x̄ = %6, Sxx = "
                                        "%7, SD %8–%9, t(0,95; %10) = %11, K95 (1,645 s) = %12.")
                             .arg(i.n)
                             .arg(Jegyek(i.K), Jegyek(i.béta), Jegyek(i.R2), Jegyek(i.s),
                                  Jegyek(i.xÁtlag), Jegyek(i.Sxx), Jegyek(i.sdMin), Jegyek(i.sdMax))
                             .arg(i.n - 2)
                             .arg(Jegyek(i.t), Jegyek(i.K95_1645s()));
        else
            illesztés << QStringLiteral("n = %1: nem illeszthető egyenes.").arg(i.n);
        if (a_.gyűjtés.kimaradt() > 0)
            illesztés << QStringLiteral("%1 mérés kimaradt: %2 nem megítélt, %3 távolság vagy "
                                        "töltet nélküli, %4 PPV nélküli.")
                             .arg(a_.gyűjtés.kimaradt())
                             .arg(a_.gyűjtés.megítéletlen)
                             .arg(a_.gyűjtés.adatNélkül)
                             .arg(a_.gyűjtés.ppvNélkül);
        if (!a_.gyűjtés.kizárva.isEmpty())
            illesztés << QStringLiteral("Kizárva (kérésre): ") +
                             a_.gyűjtés.kizárva.join(QStringLiteral(", ")) + u'.';
        y = bekezdés(f, keret_, y, illesztés.join(u' '), b_.szöveg);
        if (!i.használható())
            y = bekezdés(f, keret_, y,
                         QStringLiteral("Megbízhatatlan illesztés, nem jelez előre: ") +
                             i.megbízhatatlan.join(QStringLiteral("; ")) + u'.',
                         b_.vastag, QColor(139, 0, 0));
        if (!i.kiugrók.empty()) {
            QStringList k;
            for (const Terjedés::Kiugró& o : i.kiugrók)
                k << QStringLiteral("%1 (%2, SD = %3, PPV = %4 mm/s, maradék %5 s)")
                         .arg(o.pont.azonosító, o.pont.pont, Jegyek(o.arányos, 4),
                              Jegyek(o.pont.ppv, 4), Határérték::Szám(o.maradék, 2));
            y = bekezdés(f, keret_, y,
                         QStringLiteral("Lehetséges kiugrók (az illesztésben benne maradtak): ") +
                             k.join(QStringLiteral("; ")) + u'.',
                         b_.szöveg);
        }
        y += 6;
        y = bekezdés(
            f, keret_, y,
            QStringLiteral("Legnagyobb töltet késleltetésenként: a PPV95 épp az alap "
                           "határértékét éri el %1; a távolság a megadott, vagy a "
                           "ponton mért legkisebb.")
                .arg(a_.frekvencia
                         ? QStringLiteral("%1 Hz-en").arg(Határérték::Szám(*a_.frekvencia, 2))
                         : QStringLiteral("a kategória legkisebb "
                                          "határértékével (10 Hz alatt)")),
            b_.vastag);
        const Tábla t{{0.13, 0.17, 0.15, 0.11, 0.11, 0.11, 0.22},
                      {QStringLiteral("Pont"), QStringLiteral("Épület"),
                       QStringLiteral("Távolság (m)"), QStringLiteral("Határérték (mm/s)"),
                       QStringLiteral("W50 (kg)"), QStringLiteral("W95 (kg)"),
                       QStringLiteral("Megjegyzés")},
                      {2, 3, 4, 5}};
        y = sorRajz(f, keret_, y, t, t.fej, b_.kicsiVastag, true, false);
        for (const Kampány::PontTöltet& p : a_.töltetek) {
            QString w50 = QStringLiteral("–"), w95 = QStringLiteral("–"), megj;
            if (const auto* w = std::get_if<Terjedés::Töltet>(&p.töltet)) {
                w95 = Jegyek(w->w95, 4);
                if (w->w50)
                    w50 = Jegyek(*w->w50, 4);
                megj = w->megjegyzés;
            } else {
                megj = std::get<QString>(p.töltet);
            }
            y = sorRajz(f, keret_, y, t,
                        {p.pont, Határérték::KategóriaNév(p.kategória),
                         p.távolság ? Jegyek(*p.távolság, 4) +
                                          (p.mért ? QStringLiteral(" (mért)") : QString())
                                    : QStringLiteral("–"),
                         Határérték::Szám(p.határ, 2), w50, w95, megj},
                        b_.kicsi, false, false);
        }
        Jelentés::lábléc(f, keret_, lap, lapok);
    }

    void mérések(QPainter& f, std::size_t rész, std::size_t lap, std::size_t lapok) {
        const auto [eleje, vége] = mérésLapok_[rész];
        double y = címsor(f, keret_, keret_.top(),
                          QStringLiteral("Robbantások és mérések (%1–%2. / %3)")
                              .arg(std::min(eleje + 1, vége))
                              .arg(vége)
                              .arg(a_.sorok.size()),
                          b_.alcím);
        y = sorRajz(f, keret_, y, MérésTábla, MérésTábla.fej, b_.kicsiVastag, true, false);
        for (std::size_t i = eleje; i < vége; ++i)
            y = sorRajz(f, keret_, y, MérésTábla, mérésSorok_[i], b_.kicsi, false,
                        a_.sorok[i].mérés.ítélet == Katalógus::Ítélet::Túllépi);
        Jelentés::lábléc(f, keret_, lap, lapok);
    }

    void havi(QPainter& f, std::size_t rész, std::size_t lap, std::size_t lapok) {
        const auto [eleje, vége] = haviLapok_[rész];
        double y = címsor(f, keret_, keret_.top(),
                          haviLapok_.size() > 1 ? QStringLiteral("Statisztika havonta (%1/%2. lap)")
                                                      .arg(rész + 1)
                                                      .arg(haviLapok_.size())
                                                : QStringLiteral("Statisztika havonta"),
                          b_.alcím);
        y = sorRajz(f, keret_, y, HaviTábla, HaviTábla.fej, b_.kicsiVastag, true, false);
        for (std::size_t i = eleje; i < vége; ++i) {
            const Katalógus::Statisztikasor& s = a_.statisztika[i];
            y = sorRajz(f, keret_, y, HaviTábla, haviSorok_[i],
                        s.hónap.isEmpty() ? b_.kicsiVastag : b_.kicsi, false, s.túllépések > 0);
        }
        if (rész + 1 == haviLapok_.size())
            bekezdés(f, keret_, y + 6, HaviKulcs, b_.kicsi, QColor(80, 80, 80));
        Jelentés::lábléc(f, keret_, lap, lapok);
    }

    const Kampány::Adatok& a_;
    QRectF keret_;
    Betűk b_;
    std::vector<QStringList> mérésSorok_, haviSorok_;
    Lapok mérésLapok_, haviLapok_;
    QStringList pontok_;
};

} // namespace

std::optional<Hiba> Ír(const QString& pdf, const Kampány::Adatok& a) {
    Jelentés::Dokumentumadatok d;
    d.cím = QStringLiteral("Kampányjelentés");
    d.tárgy = QStringLiteral("Robbantási rezgésmérési kampány: %1")
                  .arg(a.helyszín.név.isEmpty() ? a.katalógus : a.helyszín.név);
    return Jelentés::PdfÍr(pdf, d, [&](QPdfWriter& író, QPainter& festő, const QRectF& keret) {
        Tördelés(a, keret).rajzol(író, festő);
    });
}

std::size_t Oldalszám(const Kampány::Adatok& a) {
    return Tördelés(a, Jelentés::Lapkeret()).lapok();
}

} // namespace KampányJelentés
