#include "tervezeslap.h"

#include "engine/hatarertek.h"
#include "engine/kategoriak.h"
#include "engine/szovegek.h"
#include "painters/hatargorbe.h"
#include "painters/terjedesabra.h"
#include "rajzlap.h"
#include "readers/cella.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>
#include <set>

namespace {

using Határérték::Jegyek;

// A positive number typed with a decimal comma or point; none for anything else.
std::optional<double> szám(const QLineEdit* mező) {
    return Cella::Beírt(mező->text());
}

QString hibás(const QString& szöveg) {
    return QStringLiteral("<span style=\"color:#8b0000\">%1</span>").arg(szöveg.toHtmlEscaped());
}

} // namespace

TervezésLap::TervezésLap(const std::vector<Katalógus::ListaSor>* sorok,
                         const std::unordered_map<qint64, double>* legnagyobb, QWidget* szülő)
    : QWidget(szülő), sorok_(sorok), legnagyobb_(legnagyobb) {
    ábra_ = new Rajzlap([this](QPainter& f, const QRectF& r) { rajzol(f, r); },
                        QStringLiteral("Terjedési ábra"), this);

    gyök_ = new QComboBox;
    gyök_->setAccessibleName(QStringLiteral("Arányos távolság"));
    gyök_->addItem(QStringLiteral("D/√W (négyzetgyök)"), 2);
    gyök_->addItem(QStringLiteral("D/∛W (köbgyök)"), 3);
    ppv_ = new QComboBox;
    ppv_->setAccessibleName(QStringLiteral("Illesztett PPV"));
    ppv_->addItem(QStringLiteral("legnagyobb összetevő"),
                  int(Terjedés::Mérték::LegnagyobbÖsszetevő));
    ppv_->addItem(QStringLiteral("PVS"), int(Terjedés::Mérték::Pvs));
    összegzés_ = new QLabel;
    összegzés_->setWordWrap(true);
    összegzés_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    összegzés_->setAccessibleName(QStringLiteral("Illesztés"));

    auto mező = [](const QString& név) {
        auto* m = new QLineEdit;
        m->setAccessibleName(név);
        m->setMaximumWidth(80);
        return m;
    };
    dElőre_ = mező(QStringLiteral("Előrejelzés távolsága"));
    wElőre_ = mező(QStringLiteral("Előrejelzés töltete"));
    előre_ = new QLabel;
    előre_->setWordWrap(true);
    előre_->setAccessibleName(QStringLiteral("Várható PPV"));
    dTöltet_ = mező(QStringLiteral("Töltet távolsága"));
    kategória_ = new QComboBox;
    kategória_->setAccessibleName(QStringLiteral("Épület"));
    for (int k = 0; k < Határérték::KategóriákSzáma; ++k)
        kategória_->addItem(Határérték::KategóriaNév(k), k);
    kategória_->setCurrentIndex(Határérték::AlapKategória);
    frekvencia_ = mező(QStringLiteral("Frekvencia"));
    frekvencia_->setPlaceholderText(QStringLiteral("legkisebb"));
    töltet_ = new QLabel;
    töltet_->setWordWrap(true);
    töltet_->setAccessibleName(QStringLiteral("Legnagyobb töltet"));

    // label and field pairs in a grid, two to a row where they fit
    auto rács = [](QGridLayout* r, int sor, int oszlop, const QString& szöveg, QWidget* mező) {
        auto* c = new QLabel(szöveg);
        c->setBuddy(mező);
        r->addWidget(c, sor, oszlop);
        r->addWidget(mező, sor, oszlop + 1);
    };
    auto* illesztés = new QGridLayout;
    rács(illesztés, 0, 0, QStringLiteral("S&D:"), gyök_);
    rács(illesztés, 1, 0, QStringLiteral("PP&V:"), ppv_);
    illesztés->setColumnStretch(1, 1);
    auto* előreDoboz = new QGroupBox(QStringLiteral("Várható PPV"));
    auto* előreRács = new QGridLayout(előreDoboz);
    rács(előreRács, 0, 0, QStringLiteral("T&ávolság (m):"), dElőre_);
    rács(előreRács, 0, 2, QStringLiteral("Tö&ltet (kg):"), wElőre_);
    előreRács->addWidget(előre_, 1, 0, 1, 4);
    auto* töltetDoboz = new QGroupBox(QStringLiteral("Legnagyobb töltet késleltetésenként"));
    auto* töltetRács = new QGridLayout(töltetDoboz);
    rács(töltetRács, 0, 0, QStringLiteral("Távolsá&g (m):"), dTöltet_);
    rács(töltetRács, 0, 2, QStringLiteral("Fre&kv. (Hz):"), frekvencia_);
    rács(töltetRács, 1, 0, QStringLiteral("Ép&ület:"), kategória_);
    töltetRács->addWidget(kategória_, 1, 1, 1, 3);
    töltetRács->addWidget(töltet_, 2, 0, 1, 4);
    auto* jobb = new QVBoxLayout;
    jobb->addLayout(illesztés);
    jobb->addWidget(előreDoboz);
    jobb->addWidget(töltetDoboz);
    jobb->addWidget(összegzés_); // the chart's title has the law; the rest of the fit below
    jobb->addStretch(1);
    auto* panel = new QWidget;
    panel->setLayout(jobb);
    auto* görgető = new QScrollArea; // on a low screen nothing of it is cut
    görgető->setWidget(panel);
    görgető->setWidgetResizable(true);
    görgető->setFrameShape(QFrame::NoFrame);
    görgető->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    görgető->setFixedWidth(fontMetrics().averageCharWidth() * 46 +
                           görgető->verticalScrollBar()->sizeHint().width());
    auto* elrendezés = new QHBoxLayout(this);
    elrendezés->setContentsMargins(0, 4, 0, 0);
    elrendezés->addWidget(ábra_, 1);
    elrendezés->addWidget(görgető);

    connect(gyök_, &QComboBox::currentIndexChanged, this, [this] { Frissít(); });
    connect(ppv_, &QComboBox::currentIndexChanged, this, [this] { Frissít(); });
    for (QLineEdit* m : {dElőre_, wElőre_, dTöltet_, frekvencia_})
        connect(m, &QLineEdit::textChanged, this, [this] { számol(); });
    connect(kategória_, &QComboBox::currentIndexChanged, this, [this] { számol(); });
}

QWidget* TervezésLap::Ábra() const {
    return ábra_;
}

void TervezésLap::Frissít() {
    gyűjtés_ = Terjedés::Sorokból(*sorok_, *legnagyobb_,
                                  Terjedés::Mérték(ppv_->currentData().toInt()), {});
    illesztés_ = Terjedés::Illeszt(gyűjtés_.pontok, gyök_->currentData().toInt());
    const Terjedés::Illesztés& i = illesztés_;
    QStringList s;
    if (i.illeszthető) {
        s << QStringLiteral("n = %1, K = %2, béta = %3, R² = %4, s = %5, SD %6–%7; "
                            "t(0,95; %8) = %9; K95 (1,645 s) = %10")
                 .arg(i.n)
                 .arg(Jegyek(i.K), Jegyek(i.béta, 4), Jegyek(i.R2, 4), Jegyek(i.s, 4),
                      Jegyek(i.sdMin, 4), Jegyek(i.sdMax, 4))
                 .arg(i.n - 2)
                 .arg(Jegyek(i.t, 4), Jegyek(i.K95_1645s()));
    } else {
        s << QStringLiteral("n = %1").arg(i.n);
    }
    QString html = s.join(QStringLiteral("<br>"))
                       .toHtmlEscaped()
                       .replace(QStringLiteral("&lt;br&gt;"), QStringLiteral("<br>"));
    if (!i.használható())
        html += QStringLiteral("<br>") + hibás(QStringLiteral("megbízhatatlan: ") +
                                               i.megbízhatatlan.join(QStringLiteral("; ")));
    if (!i.kiugrók.empty())
        html += QStringLiteral("<br>%1 lehetséges kiugró (maradék > 3 s)").arg(i.kiugrók.size());
    if (gyűjtés_.kimaradt() > 0)
        html += QStringLiteral("<br>%1 mérés kimaradt (%2 nem megítélt, %3 távolság vagy "
                               "töltet, %4 PPV nélkül)")
                    .arg(gyűjtés_.kimaradt())
                    .arg(gyűjtés_.megítéletlen)
                    .arg(gyűjtés_.adatNélkül)
                    .arg(gyűjtés_.ppvNélkül);
    összegzés_->setText(html);
    számol();
}

double TervezésLap::határ() const {
    const int k = kategória_->currentData().toInt();
    const std::optional<double> f = Cella::Beírt(frekvencia_->text(), Cella::Előjel::NemNegatív);
    return (f ? Határérték::AlaponSzázad(k, *f) : Határérték::LegkisebbAlaponSzázad(k)) / 100.0;
}

void TervezésLap::számol() {
    számított_.clear();
    const std::optional<double> d = szám(dElőre_), w = szám(wElőre_);
    if (!d || !w) {
        előre_->setText(QStringLiteral("Adja meg a távolságot és a töltetet."));
    } else {
        const auto e = Terjedés::Előrejelez(illesztés_, *d, *w);
        if (const QString* miért = std::get_if<QString>(&e))
            előre_->setText(hibás(*miért));
        else {
            const auto& p = std::get<Terjedés::Előrejelzés>(e);
            számított_.push_back({p.arányos, p.ppv95});
            előre_->setText(QStringLiteral("SD = %1: PPV50 = %2, <b>PPV95 = %3 mm/s</b>")
                                .arg(Jegyek(p.arányos, 4), Jegyek(p.ppv50, 4), Jegyek(p.ppv95, 4)));
        }
    }
    const std::optional<double> dt = szám(dTöltet_);
    const bool frekvenciaJó = frekvencia_->text().trimmed().isEmpty() ||
                              Cella::Beírt(frekvencia_->text(), Cella::Előjel::NemNegatív);
    const QString h =
        QStringLiteral("határérték %1 mm/s%2")
            .arg(Határérték::Szám(határ(), 2), frekvencia_->text().trimmed().isEmpty()
                                                   ? QStringLiteral(" (a kategória legkisebbje)")
                                                   : QString());
    if (!frekvenciaJó) {
        töltet_->setText(hibás(QStringLiteral("a frekvencia nem negatív szám (Hz)")));
    } else if (!dt) {
        töltet_->setText(h + QStringLiteral("<br>Adja meg a távolságot."));
    } else {
        const auto t = Terjedés::MaxTöltet(illesztés_, *dt, határ());
        if (const QString* miért = std::get_if<QString>(&t)) {
            töltet_->setText(h + QStringLiteral("<br>") + hibás(*miért));
        } else {
            const auto& w = std::get<Terjedés::Töltet>(t);
            számított_.push_back({illesztés_.arányos(*dt, w.w95), határ()});
            töltet_->setText(
                h + QStringLiteral("<br>W50 = %1 kg<br><b>W95 = %2 kg</b>")
                        .arg(w.w50 ? Jegyek(*w.w50, 4) : QStringLiteral("–"), Jegyek(w.w95, 4)));
        }
    }
    ábra_->update();
}

void TervezésLap::rajzol(QPainter& festő, const QRectF& r) {
    const Terjedés::Illesztés& i = illesztés_;
    std::set<QString> kiugrók;
    for (const Terjedés::Kiugró& k : i.kiugrók)
        kiugrók.insert(k.pont.azonosító);
    std::vector<Rajz::TerjedésPont> pontok;
    for (const Terjedés::Pont& p : gyűjtés_.pontok)
        pontok.push_back({i.arányos(p.távolság, p.töltet), p.ppv, kiugrók.count(p.azonosító) > 0});
    for (const auto& [sd, ppv] : számított_)
        pontok.push_back({sd, ppv, false, true});
    const Terjedés::Görbék g = Terjedés::Vonalak(i);
    const std::vector<Rajz::TerjedésVonal> vonalak =
        Rajz::TörvényVonalai(g.ötven, g.kilencvenöt, g.szokásos);
    std::vector<Rajz::Szint> szintek;
    const bool frekvenciával = !frekvencia_->text().trimmed().isEmpty();
    const int választott = kategória_->currentData().toInt();
    for (int k = 0; k < Határérték::KategóriákSzáma; ++k) {
        const double h = k == választott ? határ() : Határérték::LegkisebbAlaponSzázad(k) / 100.0;
        if (k != választott && frekvenciával)
            continue; // the other buildings' lowest would mislead beside one at a frequency
        szintek.push_back(
            {QStringLiteral("%1 %2 mm/s").arg(Határérték::KategóriaNév(k), Határérték::Szám(h, 2)),
             h, Rajz::KategóriaSzín(k), k == választott});
    }
    QString cím = QStringLiteral("Terjedési törvény: PPV = K·SD^−béta");
    if (i.illeszthető)
        cím += QStringLiteral(", K = %1, béta = %2, R² = %3, n = %4")
                   .arg(Jegyek(i.K, 4), Jegyek(i.béta, 3), Jegyek(i.R2, 3))
                   .arg(i.n);
    if (!i.használható())
        cím += QStringLiteral(" – megbízhatatlan");
    Rajz::Terjedés(festő, r.size(), palette(), font(), cím,
                   i.gyök == 3 ? QStringLiteral("SD = D/∛W (m/kg^⅓)")
                               : QStringLiteral("SD = D/√W (m/kg^½)"),
                   pontok, vonalak, szintek);
}
