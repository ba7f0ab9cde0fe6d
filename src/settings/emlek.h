#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

// What the program remembers for the user besides the main window's placement (a record
// window's place, a station's sensitivity, a station's particulars): one section of the
// per-user settings store, under the application title. A store that cannot be read
// remembers nothing, and its reason goes to the warning sink (standard error); a store that
// cannot be written says why.
class Emlék {
public:
    explicit Emlék(QString szekció);

    // Each key's stored text, in the order asked; none for a key not stored, all none when
    // the store cannot be read.
    QList<std::optional<QString>> Szövegek(const QStringList& kulcsok) const;
    std::optional<QString> Szöveg(const QString& kulcs) const;
    // A positive number ("2500", "0.001"), as Szám writes it.
    std::optional<double> Szám(const QString& kulcs) const;
    // A rectangle of pixels ("x y w h"), as Téglalap writes it; none for one not valid.
    std::optional<QRect> Téglalap(const QString& kulcs) const;

    // Writes the keys' texts in one go; false, with the store's reason, when it cannot.
    bool Ment(const QList<std::pair<QString, QString>>& értékek, QString* hiba = nullptr) const;

    // How numbers and rectangles are stored (point, up to twelve significant digits).
    static QString Szám(double érték);
    static QString Téglalap(const QRect& téglalap);

    // Where a store that cannot be read is reported (standard error by default).
    static void FigyelmeztetésIde(std::function<void(const QString&)> nyelő);

private:
    QString szekció_;
};
