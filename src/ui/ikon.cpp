#include "ikon.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace {

// An icon whose images are read from their files when first asked for, not at start.
class KésleltetettIkon : public QIconEngine {
public:
    explicit KésleltetettIkon(QList<std::pair<QSize, QString>> fájlok)
        : fájlok_(std::move(fájlok)) {}

    QPixmap pixmap(const QSize& méret, QIcon::Mode mód, QIcon::State) override {
        // the smallest image at least as large, else the largest; scaled to the size asked
        const auto* választott = &fájlok_.constLast();
        for (const auto& f : fájlok_) {
            if (f.first.width() >= méret.width() && f.first.height() >= méret.height()) {
                választott = &f;
                break;
            }
        }
        QPixmap& kép = betöltött_[választott->second];
        if (kép.isNull())
            kép.load(választott->second);
        QPixmap eredmény = kép.size() == méret
                               ? kép
                               : kép.scaled(méret, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mód == QIcon::Disabled) {
            QStyleOption opció;
            eredmény = QApplication::style()->generatedIconPixmap(mód, eredmény, &opció);
        }
        return eredmény;
    }
    void paint(QPainter* festő, const QRect& hely, QIcon::Mode mód, QIcon::State állapot) override {
        const qreal arány = festő->device() ? festő->device()->devicePixelRatioF() : 1.0;
        QPixmap kép = pixmap(hely.size() * arány, mód, állapot);
        kép.setDevicePixelRatio(arány);
        festő->drawPixmap(hely, kép);
    }
    QSize actualSize(const QSize& méret, QIcon::Mode, QIcon::State) override {
        for (const auto& f : fájlok_)
            if (f.first.width() >= méret.width() && f.first.height() >= méret.height())
                return méret;
        return fájlok_.constLast().first.boundedTo(méret);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> méretek;
        for (const auto& f : fájlok_)
            méretek << f.first;
        return méretek;
    }
    QIconEngine* clone() const override { return new KésleltetettIkon(*this); }
    QString key() const override { return QStringLiteral("velorix-lazy"); }

private:
    QList<std::pair<QSize, QString>> fájlok_;
    QHash<QString, QPixmap> betöltött_;
};

} // namespace

QIcon AlkalmazásIkon() {
    QList<std::pair<QSize, QString>> ikonok;
    for (const int size : {16, 32, 48, 64, 128})
        ikonok.append({QSize(size, size), QStringLiteral(":/icons/velorix-%1.png").arg(size)});
    return QIcon(new KésleltetettIkon(ikonok));
}
