#include "kategoriak.h"

#include "runtime/text.h"

#include <QStringList>

namespace Határérték {

bool ÉrvényesKategória(int kategória) {
    return kategória >= 0 && kategória < KategóriákSzáma;
}

QString KategóriaNév(int kategória) {
    if (!ÉrvényesKategória(kategória))
        return {};
    return QString::fromUtf16(Kategóriák[std::size_t(kategória)].felirat).remove(u'&');
}

std::optional<int> KategóriaKeres(const QString& szöveg) {
    const QString keresett = rt::NameKey(szöveg);
    for (int i = 0; i < KategóriákSzáma; ++i) {
        const Kategória& k = Kategóriák[std::size_t(i)];
        if (keresett == QString::number(i) || keresett == rt::NameKey(QString::fromUtf16(k.név)) ||
            keresett == rt::NameKey(QString::fromUtf16(k.angolNév)) ||
            keresett == rt::NameKey(KategóriaNév(i)))
            return i;
    }
    return std::nullopt;
}

QString KategóriaVálaszték() {
    QStringList számok, nevek;
    for (int i = 0; i < KategóriákSzáma; ++i) {
        számok << QString::number(i);
        nevek << QString::fromUtf16(Kategóriák[std::size_t(i)].név);
    }
    return QStringLiteral("%1 vagy %2")
        .arg(számok.join(QStringLiteral(", ")), nevek.join(QStringLiteral(", ")));
}

QString IsmeretlenKategória(const QString& szöveg) {
    return QStringLiteral("ismeretlen kategória: \"%1\" (%2)").arg(szöveg, KategóriaVálaszték());
}

} // namespace Határérték
