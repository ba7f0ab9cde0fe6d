// libFuzzer target: any bytes as a measurement log, read as a file (checked, then written)
// and as a stream (written as it comes). Both must agree on every log that is not a fault.
#include "cli/ertekeles.h"
#include "cli/naplokimenet.h"
#include "readers/szovegforras.h"

#include <QBuffer>

#include <cstdlib>

namespace {

int evaluate(const QByteArray& input, bool stream, QByteArray& out) {
    QByteArray copy = input;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    Szöveg::Forrás source;
    source.megnyit(&buffer, !stream);
    PufferKimenet output;
    QString message;
    const int status = Értékelés::Értékel(source, QStringLiteral("fuzz.csv"), output, &message);
    if (message.isEmpty())
        std::abort(); // every run ends with a summary or a fault
    out = output.bájtok();
    return status;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    QByteArray asFile, asStream;
    const int fileStatus = evaluate(input, false, asFile);
    const int streamStatus = evaluate(input, true, asStream);
    if (fileStatus == Kilépés::HibásBemenet && !asFile.isEmpty())
        std::abort(); // a faulty file leaves the output empty
    if (fileStatus != Kilépés::HibásBemenet && (streamStatus != fileStatus || asStream != asFile))
        std::abort();
    return 0;
}
