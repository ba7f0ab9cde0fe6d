#pragma once

#include <QString>
#include <QStringList>

// libmseed's messages of one read, kept with that read instead of printed: while an
// Üzenetek lives, what libmseed says on its thread goes into it.
namespace Rezgésjel::Mseed {

class Üzenetek {
public:
    Üzenetek();
    ~Üzenetek();
    Üzenetek(const Üzenetek&) = delete;
    Üzenetek& operator=(const Üzenetek&) = delete;

    // How many messages there are so far: the mark before a call to libmseed.
    qsizetype Jel() const { return sorok_.size(); }
    // The words of libmseed's fault `állapot`: its last message since `jel`, else its own
    // text for the code.
    QString Szöveg(int állapot, qsizetype jel) const;
    const QStringList& Sorok() const { return sorok_; }

private:
    friend void Hozzáad(char* szöveg);
    QStringList sorok_;
    Üzenetek* előző_;
};

} // namespace Rezgésjel::Mseed
