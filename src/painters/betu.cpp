#include "betu.h"

#include <QFontDatabase>
#include <QStringList>

namespace Rajz {

QString Betűcsalád() {
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        if (families.contains(QStringLiteral("MS Sans Serif"), Qt::CaseInsensitive))
            return QStringLiteral("MS Sans Serif");
        // the system's own copy of the carried font, where it has one, saves loading it again
        const QString carried = QStringLiteral("Liberation Sans");
        if (families.contains(carried) &&
            QFontDatabase::styles(carried).contains(QStringLiteral("Regular")))
            return carried;
        const int id =
            QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/LiberationSans-Regular.ttf"));
        const QStringList loaded = QFontDatabase::applicationFontFamilies(id);
        if (!loaded.isEmpty())
            return loaded.first();
        return QStringLiteral("Liberation Sans");
    }();
    return family;
}

QFont Betű(double pointSize) {
    QFont font(Betűcsalád());
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

} // namespace Rajz
