#include "uzenetek.h"

#include <libmseed.h>

#include <mutex>

namespace Rezgésjel::Mseed {

namespace {

thread_local Üzenetek* most = nullptr; // the read under way on this thread

} // namespace

void Hozzáad(char* szöveg) {
    if (most)
        most->sorok_ << QString::fromLocal8Bit(szöveg).trimmed();
}

Üzenetek::Üzenetek() : előző_(most) {
    static std::once_flag egyszer;
    std::call_once(egyszer, [] { ms_loginit(Hozzáad, nullptr, Hozzáad, nullptr); });
    most = this;
}

Üzenetek::~Üzenetek() {
    most = előző_;
}

QString Üzenetek::Szöveg(int állapot, qsizetype jel) const {
    if (sorok_.size() > jel)
        return sorok_.last();
    return QString::fromLatin1(ms_errorstr(állapot));
}

} // namespace Rezgésjel::Mseed
