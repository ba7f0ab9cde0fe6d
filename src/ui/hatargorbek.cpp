#include "hatargorbek.h"

#include "model/hatarertek.h"
#include "model/rezgesmodell.h"
#include "runtime/text.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <QSvgGenerator>

namespace {

constexpr double FelsőHatár = 50.0; // mm/s, the top of the axis
const QColor Színek[3] = {QColor(0, 70, 160), QColor(200, 30, 30), QColor(0, 130, 60)};

} // namespace

Határgörbék::Határgörbék(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Határgörbék"));
    setWindowTitle(QStringLiteral("Határgörbék"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(360, 260);
    resize(560, 380);
    for (std::size_t k = 0; k < görbék_.size(); ++k)
        for (std::size_t f = 0; f < görbék_[k].size(); ++f)
            görbék_[k][f] = Határérték::AlaponSzázad(int(k), double(f)) / 100.0;
    auto* mentés = new QShortcut(QKeySequence::Save, this);
    connect(mentés, &QShortcut::activated, this, [this] { MentésPárbeszéddel(); });
    Beállít(épülettípus_, frekvencia_);
}

void Határgörbék::Beállít(std::int16_t épülettípus, int frekvencia) {
    if (Határérték::ÉrvényesKategória(épülettípus))
        épülettípus_ = épülettípus;
    frekvencia_ =
        std::clamp(frekvencia, Határérték::LegkisebbFrekvencia, Határérték::LegnagyobbFrekvencia);
    setAccessibleDescription(PontSzöveg());
    update();
}

QString Határgörbék::PontSzöveg() const {
    const Eredmény e = RezgésModell::Eredményszövegek(épülettípus_, std::int16_t(frekvencia_));
    return QStringLiteral("%1, %2 Hz: %3")
        .arg(RezgésModell::KategóriaNév(épülettípus_), rt::IntegerText(frekvencia_),
             rt::Trim(e.alapon));
}

void Határgörbék::paintEvent(QPaintEvent*) {
    QPainter festő(this);
    Rajzol(festő, size());
}

void Határgörbék::Rajzol(QPainter& festő, const QSizeF& méret) const {
    festő.setRenderHint(QPainter::Antialiasing);
    festő.fillRect(QRectF(QPointF(0, 0), méret), palette().color(QPalette::Base));
    const QColor szöveg = palette().color(QPalette::Text);
    const QFontMetricsF betű(font());
    const double bal = betű.horizontalAdvance(QStringLiteral("50")) + betű.height() * 2.2;
    const double lent = betű.height() * 3.2;
    const double fent = betű.height() * 1.5;
    QFont kiemelt = font();
    kiemelt.setBold(true);
    const double jobb =
        QFontMetricsF(kiemelt).horizontalAdvance(RezgésModell::KategóriaNév(0)) + 60;
    const QRectF tér(bal, fent, std::max(10.0, méret.width() - bal - jobb),
                     std::max(10.0, méret.height() - fent - lent));
    auto pont = [&](double f, double v) {
        return QPointF(tér.left() + tér.width() * f / 100.0,
                       tér.bottom() - tér.height() * v / FelsőHatár);
    };

    // grid, bands and axes
    festő.setPen(QPen(palette().color(QPalette::Mid), 0.5, Qt::DotLine));
    for (int v = 10; v <= 50; v += 10)
        festő.drawLine(pont(0, v), pont(100, v));
    festő.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
    for (const double f : {Határérték::AlsóSávhatár, Határérték::FelsőSávhatár}) // band edges
        festő.drawLine(pont(f, 0), pont(f, FelsőHatár));
    festő.setPen(QPen(szöveg, 1));
    festő.drawLine(pont(0, 0), pont(100, 0));
    festő.drawLine(pont(0, 0), pont(0, FelsőHatár));
    for (int f = 0; f <= 100; f += 10) {
        festő.drawLine(pont(f, 0), pont(f, 0) + QPointF(0, 4));
        const QString t = rt::IntegerText(f);
        festő.drawText(pont(f, 0) + QPointF(-betű.horizontalAdvance(t) / 2, betű.height() + 4), t);
    }
    for (int v = 0; v <= 50; v += 10) {
        festő.drawLine(pont(0, v), pont(0, v) - QPointF(4, 0));
        const QString t = rt::IntegerText(v);
        festő.drawText(pont(0, v) - QPointF(betű.horizontalAdvance(t) + 7, -betű.ascent() / 3), t);
    }
    const QString xTengely = QStringLiteral("Mért domináns frekvencia (Hz)");
    festő.drawText(QPointF(tér.center().x() - betű.horizontalAdvance(xTengely) / 2,
                           tér.bottom() + betű.height() * 2.6),
                   xTengely);
    festő.save();
    const QString yTengely = QStringLiteral("Megengedhető sebesség az alapon (mm/s)");
    festő.translate(betű.height() * 0.9, tér.center().y() + betű.horizontalAdvance(yTengely) / 2);
    festő.rotate(-90);
    festő.drawText(QPointF(0, 0), yTengely);
    festő.restore();

    // the three curves, the selected one last and strongest; a legend beside them
    for (int lépés = 0; lépés < 3; ++lépés) {
        const int k = (épülettípus_ + 1 + lépés) % 3;
        const bool kiemelt = k == épülettípus_;
        QColor szín = Színek[k];
        if (!kiemelt)
            szín.setAlphaF(0.55);
        QPainterPath út(pont(0, double(görbék_[std::size_t(k)][0])));
        for (int f = 1; f <= 100; ++f)
            út.lineTo(pont(f, double(görbék_[std::size_t(k)][std::size_t(f)])));
        festő.setPen(QPen(szín, kiemelt ? 3.0 : 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        festő.setBrush(Qt::NoBrush);
        festő.drawPath(út);
        const QPointF jel(tér.right() + 14, tér.top() + betű.height() * (1.0 + 1.5 * k));
        festő.drawLine(jel, jel + QPointF(18, 0));
        QFont f = font();
        f.setBold(kiemelt);
        festő.setFont(f);
        festő.setPen(szöveg);
        festő.drawText(jel + QPointF(24, betű.ascent() / 3),
                       RezgésModell::KategóriaNév(std::int16_t(k)));
        festő.setFont(font());
    }

    // the window's current frequency and limit
    const double v = double(görbék_[std::size_t(épülettípus_)][std::size_t(frekvencia_)]);
    const QPointF itt = pont(frekvencia_, v);
    festő.setPen(QPen(szöveg, 1.5));
    festő.setBrush(palette().color(QPalette::Base));
    festő.drawEllipse(itt, 5, 5);
    festő.setBrush(Színek[épülettípus_]);
    festő.drawEllipse(itt, 2.5, 2.5);
    const QString felirat = PontSzöveg().section(QStringLiteral(", "), 1);
    const double szélesség = betű.horizontalAdvance(felirat);
    QPointF hely = itt + QPointF(-szélesség / 2, -12); // above the point
    hely.setX(std::clamp(hely.x(), tér.left() + 4, tér.right() - szélesség));
    if (hely.y() - betű.ascent() < tér.top())
        hely.setY(itt.y() + 12 + betű.ascent());
    QColor alap = palette().color(QPalette::Base);
    alap.setAlphaF(0.85);
    festő.setPen(Qt::NoPen);
    festő.setBrush(alap);
    festő.drawRoundedRect(
        QRectF(hely.x() - 3, hely.y() - betű.ascent() - 2, szélesség + 6, betű.height() + 4), 3, 3);
    festő.setPen(szöveg);
    festő.drawText(hely, felirat);
}

bool Határgörbék::Ment(const QString& fájl, QString* hiba) const {
    const QSize méret = size();
    bool rendben = false;
    if (QFileInfo(fájl).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setFileName(fájl);
        svg.setSize(méret);
        svg.setViewBox(QRect(QPoint(0, 0), méret));
        svg.setTitle(windowTitle());
        svg.setDescription(PontSzöveg());
        QPainter festő;
        if (festő.begin(&svg)) {
            Rajzol(festő, méret);
            rendben = festő.end() && QFileInfo(fájl).size() > 0;
        }
    } else {
        const qreal arány = std::max<qreal>(2.0, devicePixelRatioF()); // crisp when printed
        QImage kép(méret * arány, QImage::Format_ARGB32_Premultiplied);
        kép.setDevicePixelRatio(arány);
        QPainter festő(&kép);
        Rajzol(festő, méret);
        festő.end();
        rendben = kép.save(fájl, "PNG");
    }
    if (!rendben && hiba)
        *hiba = QStringLiteral("A(z) %1 fájl nem írható.").arg(fájl);
    return rendben;
}

void Határgörbék::MentésPárbeszéddel() {
    QString szűrő;
    const QString fájl = QFileDialog::getSaveFileName(
        this, QStringLiteral("Határgörbék mentése"), QStringLiteral("hatargorbek.png"),
        QStringLiteral("PNG kép (*.png);;SVG rajz (*.svg)"), &szűrő);
    if (fájl.isEmpty())
        return;
    QString cél = fájl;
    if (QFileInfo(cél).suffix().isEmpty())
        cél +=
            szűrő.contains(QLatin1String("svg")) ? QStringLiteral(".svg") : QStringLiteral(".png");
    QString hiba;
    if (!Ment(cél, &hiba))
        QMessageBox::warning(this, windowTitle(), hiba);
}

void Határgörbék::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menü(this);
    QAction* mentés = menü.addAction(QStringLiteral("Mentés képként…"));
    mentés->setShortcut(QKeySequence::Save);
    connect(mentés, &QAction::triggered, this, [this] { MentésPárbeszéddel(); });
    menü.exec(event->globalPos());
}
