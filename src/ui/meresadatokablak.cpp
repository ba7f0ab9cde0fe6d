#include "meresadatokablak.h"

#include "engine/szovegek.h"
#include "readers/cella.h"
#include "settings/emlek.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// The fields: caption, key in the store, and where each goes.
struct Mező {
    const char16_t* felirat;
    const char* kulcs;
};
constexpr Mező Mezők[MérésadatokPárbeszéd::Mezőszám] = {
    {u"&Helyszín:", "helyszin"},
    {u"Me&grendelő:", "megrendelo"},
    {u"Mérést &végezte:", "vegezte"},
    {u"Mű&szer (típus, gyári szám):", "muszer"},
    {u"&Kalibrálás dátuma:", "kalibralas"},
    {u"É&rzékelő helye:", "erzekelo"},
    {u"&Távolság a robbantástól (m):", "tavolsag"},
    {u"Tö&ltet késleltetésenként (kg):", "toltet"},
    {u"Me&gjegyzés:", "megjegyzes"},
};

QString szekció(const QString& állomás) {
    return QStringLiteral("Meresadatok %1").arg(állomás.isEmpty() ? QStringLiteral("-") : állomás);
}

// The fields' texts in their order, and back.
std::array<QString, MérésadatokPárbeszéd::Mezőszám> szövegek(const Mérésadatok& a) {
    auto szám = [](const std::optional<double>& v, int tizedes) {
        return v ? Határérték::Szám(*v, tizedes) : QString();
    };
    return {a.helyszín, a.megrendelő,        a.végezte,         a.műszer,    a.kalibrálás,
            a.érzékelő, szám(a.távolság, 1), szám(a.töltet, 2), a.megjegyzés};
}

Mérésadatok adatok(const std::array<QString, MérésadatokPárbeszéd::Mezőszám>& t) {
    auto szám = [](const QString& s) { return Cella::Beírt(s, Cella::Előjel::NemNegatív); };
    Mérésadatok a;
    a.helyszín = t[0].trimmed();
    a.megrendelő = t[1].trimmed();
    a.végezte = t[2].trimmed();
    a.műszer = t[3].trimmed();
    a.kalibrálás = t[4].trimmed();
    a.érzékelő = t[5].trimmed();
    a.távolság = szám(t[6]);
    a.töltet = szám(t[7]);
    a.megjegyzés = t[8].trimmed();
    return a;
}

} // namespace

MérésadatokPárbeszéd::MérésadatokPárbeszéd(const QString& állomás, const Mérésadatok& a,
                                           QWidget* szülő)
    : QDialog(szülő) {
    setObjectName(QStringLiteral("Mérés adatai"));
    setWindowTitle(QStringLiteral("Mérés adatai – %1")
                       .arg(állomás.isEmpty() ? QStringLiteral("felvétel") : állomás));
    auto* űrlap = new QFormLayout;
    const auto t = szövegek(a);
    for (int i = 0; i < Mezőszám; ++i) {
        mezők_[std::size_t(i)] = new QLineEdit(t[std::size_t(i)], this);
        auto* címke = new QLabel(QString::fromUtf16(Mezők[i].felirat), this);
        címke->setBuddy(mezők_[std::size_t(i)]);
        űrlap->addRow(címke, mezők_[std::size_t(i)]);
    }
    auto* gombok = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(gombok, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(gombok, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* elrendezés = new QVBoxLayout(this);
    elrendezés->addLayout(űrlap);
    elrendezés->addWidget(gombok);
    resize(480, sizeHint().height());
}

Mérésadatok MérésadatokPárbeszéd::Adatok() const {
    std::array<QString, Mezőszám> t;
    for (int i = 0; i < Mezőszám; ++i)
        t[std::size_t(i)] = mezők_[std::size_t(i)]->text();
    return adatok(t);
}

Mérésadatok MérésadatokPárbeszéd::Betölt(const QString& állomás) {
    QStringList kulcsok;
    for (int i = 0; i < Mezőszám; ++i)
        kulcsok << QString::fromLatin1(Mezők[i].kulcs);
    const QList<std::optional<QString>> tárolt = Emlék(szekció(állomás)).Szövegek(kulcsok);
    std::array<QString, Mezőszám> t;
    for (int i = 0; i < Mezőszám; ++i)
        t[std::size_t(i)] = tárolt[i].value_or(QString());
    return adatok(t);
}

std::optional<Hiba> MérésadatokPárbeszéd::Ment(const QString& állomás, const Mérésadatok& a) {
    const auto t = szövegek(a);
    QList<std::pair<QString, QString>> értékek;
    for (int i = 0; i < Mezőszám; ++i)
        értékek.append({QString::fromLatin1(Mezők[i].kulcs), t[std::size_t(i)]});
    QString miért;
    if (Emlék(szekció(állomás)).Ment(értékek, &miért))
        return std::nullopt;
    return ÍrásiHiba(QStringLiteral("beállítások"), miért);
}
