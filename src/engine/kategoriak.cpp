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

QString IsmeretlenKategória(const QString& szöveg) {
    QStringList nevek;
    for (const Kategória& k : Kategóriák)
        nevek << QString::fromUtf16(k.név);
    return QStringLiteral("ismeretlen kategória: \"%1\" (0, 1, 2 vagy %2)")
        .arg(szöveg, nevek.join(QStringLiteral(", ")));
}

} // namespace Határérték
