#include "hatargorbek.h"

#include "runtime/fajliras.h"

#include "engine/hatarertek.h"
#include "model/rezgesmodell.h"
#include "painters/hatargorbe.h"
#include "runtime/text.h"

#include <QBuffer>
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

Határgörbék::Határgörbék(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Határgörbék"));
    setWindowTitle(QStringLiteral("Határgörbék"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(360, 260);
    resize(560, 380);
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
    const Ablakszövegek e = RezgésModell::Eredményszövegek(épülettípus_, std::int16_t(frekvencia_));
    return QStringLiteral("%1, %2 Hz: %3")
        .arg(Határérték::KategóriaNév(épülettípus_), rt::IntegerText(frekvencia_),
             rt::Trim(e.alapon));
}

void Határgörbék::paintEvent(QPaintEvent*) {
    QPainter festő(this);
    Rajzol(festő, size());
}

void Határgörbék::Rajzol(QPainter& festő, const QSizeF& méret) const {
    const QPalette& paletta = palette();
    const Rajz::Határábra ábra = Rajz::Határgörbe(festő, méret, paletta, font(), épülettípus_);
    // the window's current frequency and limit
    const double v = Határérték::AlaponSzázad(épülettípus_, frekvencia_) / 100.0;
    Rajz::Pontjel(festő, ábra, paletta, font(), ábra.pont(frekvencia_, v),
                  Rajz::KategóriaSzín(épülettípus_), PontSzöveg().section(QStringLiteral(", "), 1));
}

std::optional<Hiba> Határgörbék::Ment(const QString& fájl) const {
    const QSize méret = size();
    bool rendben = false;
    QBuffer tár; // drawn whole first, then written as every file of the program is
    tár.open(QIODevice::WriteOnly);
    if (QFileInfo(fájl).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setOutputDevice(&tár);
        svg.setSize(méret);
        svg.setViewBox(QRect(QPoint(0, 0), méret));
        svg.setTitle(windowTitle());
        svg.setDescription(PontSzöveg());
        QPainter festő;
        if (festő.begin(&svg)) {
            Rajzol(festő, méret);
            rendben = festő.end() && tár.size() > 0;
        }
    } else {
        const qreal arány = std::max<qreal>(2.0, devicePixelRatioF()); // crisp when printed
        QImage kép(méret * arány, QImage::Format_ARGB32_Premultiplied);
        kép.setDevicePixelRatio(arány);
        QPainter festő(&kép);
        Rajzol(festő, méret);
        festő.end();
        rendben = kép.save(&tár, "PNG");
    }
    std::optional<QString> miért;
    if (!rendben || (miért = rt::FájlbaÍr(fájl, tár.data())))
        return ÍrásiHiba(fájl, miért.value_or(QString()));
    return std::nullopt;
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
    if (const std::optional<Hiba> h = Ment(cél))
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("A(z) %1 fájl nem írható.").arg(h->fájl));
}

void Határgörbék::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menü(this);
    QAction* mentés = menü.addAction(QStringLiteral("Mentés képként…"));
    mentés->setShortcut(QKeySequence::Save);
    connect(mentés, &QAction::triggered, this, [this] { MentésPárbeszéddel(); });
    menü.exec(event->globalPos());
}
