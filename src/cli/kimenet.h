#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdio>

// Where the command line's rows go. Every write is checked; the rows go out whole.
class Kimenet {
public:
    virtual ~Kimenet() = default;
    virtual bool ír(QByteArrayView bájtok) = 0;
    virtual QString hiba() const = 0;
};

// A C stream (standard output): written and flushed, each step checked.
class FájlKimenet : public Kimenet {
public:
    explicit FájlKimenet(std::FILE* fájl) : fájl_(fájl) {}
    bool ír(QByteArrayView bájtok) override;
    QString hiba() const override { return hiba_; }

private:
    std::FILE* fájl_;
    QString hiba_;
};

// In memory, for callers in the same process.
class PufferKimenet : public Kimenet {
public:
    bool ír(QByteArrayView bájtok) override {
        bájtok_.append(bájtok.data(), bájtok.size());
        return true;
    }
    QString hiba() const override { return {}; }
    const QByteArray& bájtok() const { return bájtok_; }

private:
    QByteArray bájtok_;
};

// A line of text, as UTF-8, on a stream (a message on standard error).
void SorKiír(std::FILE* hova, const QString& szöveg);
