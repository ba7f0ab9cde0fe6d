// Campaigns' catalogues opened beside the main window, each in a window of its own.
#include "form1.h"

#include "kampanyablak.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

bool Form1::KatalógusE(const QString& cím) {
    if (cím.startsWith(QStringLiteral("postgresql://")) ||
        cím.startsWith(QStringLiteral("postgres://")))
        return true;
    if (QFileInfo(cím).suffix().compare(QStringLiteral("velorix"), Qt::CaseInsensitive) == 0)
        return true;
    QFile f(cím);
    return f.open(QIODevice::ReadOnly) && f.read(16) == QByteArray("SQLite format 3", 16);
}

KampányAblak* Form1::KampányMegnyit(const QString& cím) {
    KampányAblak* ablak = KampányAblak::Megnyit(cím, this);
    if (ablak) {
        kampányok_.removeAll(nullptr);
        kampányok_ << ablak;
    }
    return ablak;
}

void Form1::KampányPárbeszéddel() {
    const QString fájl = QFileDialog::getOpenFileName(
        this, QStringLiteral("Kampány megnyitása"), QString(),
        QStringLiteral("Velorix-katalógus (*.velorix);;Minden fájl (*)"));
    if (!fájl.isEmpty())
        KampányMegnyit(fájl);
}

void Form1::Megnyit(const QString& fájl) {
    if (KatalógusE(fájl))
        KampányMegnyit(fájl);
    else
        RezgésjelMegnyit(fájl);
}
