#include "emlek.h"

#include "runtime/app.h"
#include "runtime/settings_store.h"

#include <QStringList>

#include <cmath>
#include <cstdio>

namespace {

std::function<void(const QString&)>& figyelmeztet() {
    static std::function<void(const QString&)> nyelő = [](const QString& szöveg) {
        std::fprintf(stderr, "%s\n", szöveg.toLocal8Bit().constData());
    };
    return nyelő;
}

} // namespace

Emlék::Emlék(QString szekció) : szekció_(std::move(szekció)) {}

void Emlék::FigyelmeztetésIde(std::function<void(const QString&)> nyelő) {
    figyelmeztet() = std::move(nyelő);
}

QList<std::optional<QString>> Emlék::Szövegek(const QStringList& kulcsok) const {
    QList<std::optional<QString>> ki(kulcsok.size());
    const rt::SettingsReader olvasó(rt::App::Title());
    if (!olvasó.problem().isEmpty()) {
        if (figyelmeztet())
            figyelmeztet()(rt::App::Prefix() +
                           QStringLiteral("a tárolt beállítások nem olvashatók, a program most "
                                          "nem emlékszik rájuk (%1)")
                               .arg(olvasó.problem()));
        return ki;
    }
    // a key absent and a key stored empty read alike but for the default
    const QString nincs(QChar(0x1f));
    for (qsizetype i = 0; i < kulcsok.size(); ++i) {
        const QString s = olvasó.GetSetting(szekció_, kulcsok[i], nincs);
        if (s != nincs)
            ki[i] = s;
    }
    return ki;
}

std::optional<QString> Emlék::Szöveg(const QString& kulcs) const {
    return Szövegek({kulcs}).front();
}

std::optional<double> Emlék::Szám(const QString& kulcs) const {
    const std::optional<QString> s = Szöveg(kulcs);
    if (!s)
        return std::nullopt;
    bool jó = false;
    const double v = s->toDouble(&jó); // QString's conversion: the C locale's point
    if (!jó || !(v > 0) || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<QRect> Emlék::Téglalap(const QString& kulcs) const {
    const std::optional<QString> s = Szöveg(kulcs);
    if (!s)
        return std::nullopt;
    const QStringList t = s->split(u' ');
    if (t.size() != 4)
        return std::nullopt;
    const QRect r(t[0].toInt(), t[1].toInt(), t[2].toInt(), t[3].toInt());
    if (!r.isValid())
        return std::nullopt;
    return r;
}

bool Emlék::Ment(const QList<std::pair<QString, QString>>& értékek, QString* hiba) const {
    rt::SettingsWriter író(rt::App::Title());
    for (const auto& [kulcs, érték] : értékek)
        író.SaveSetting(szekció_, kulcs, érték);
    const rt::SettingsWriter::Result eredmény = író.commit();
    if (!eredmény.written && hiba)
        *hiba = eredmény.messages.join(QStringLiteral("; "));
    return eredmény.written;
}

QString Emlék::Szám(double érték) {
    return QString::number(érték, 'g', 12);
}

QString Emlék::Téglalap(const QRect& r) {
    return QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}
