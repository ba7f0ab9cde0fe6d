#include "dokumentumadatok.h"

#include <QRegularExpression>

namespace Jelentés {

namespace {

QByteArray xml(const QString& s) {
    return s.toHtmlEscaped().toUtf8();
}

// A PDF text string: UTF-16BE with its byte order mark, written in hex, so that no
// character of the text needs escaping.
QByteArray pdfSzöveg(const QString& s) {
    QByteArray bájtok("\xFE\xFF", 2);
    for (const QChar c : s) {
        bájtok.append(char(c.unicode() >> 8));
        bájtok.append(char(c.unicode() & 0xFF));
    }
    return '<' + bájtok.toHex().toUpper() + '>';
}

} // namespace

QByteArray Xmp(const Dokumentumadatok& a) {
    const QByteArray idő = a.készült.toUTC().toString(Qt::ISODate).toLatin1();
    QByteArray x;
    x += "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
         "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
         " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
         "  <rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n";
    x += "   <dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">" + xml(a.cím) +
         "</rdf:li></rdf:Alt></dc:title>\n";
    if (!a.szerző.isEmpty())
        x += "   <dc:creator><rdf:Seq><rdf:li>" + xml(a.szerző) +
             "</rdf:li></rdf:Seq></dc:creator>\n";
    if (!a.tárgy.isEmpty())
        x += "   <dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">" + xml(a.tárgy) +
             "</rdf:li></rdf:Alt></dc:description>\n";
    x += "  </rdf:Description>\n"
         "  <rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">\n"
         "   <xmp:CreatorTool>" +
         xml(a.készítő) +
         "</xmp:CreatorTool>\n"
         "   <xmp:CreateDate>" +
         idő +
         "</xmp:CreateDate>\n"
         "   <xmp:ModifyDate>" +
         idő +
         "</xmp:ModifyDate>\n"
         "  </rdf:Description>\n"
         "  <rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">\n"
         "   <pdf:Producer>" +
         xml(a.előállító) +
         "</pdf:Producer>\n"
         "  </rdf:Description>\n"
         "  <rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">\n"
         "   <pdfaid:part>1</pdfaid:part>\n"
         "   <pdfaid:conformance>B</pdfaid:conformance>\n"
         "  </rdf:Description>\n"
         " </rdf:RDF>\n"
         "</x:xmpmeta>\n"
         "<?xpacket end='w'?>";
    return x;
}

bool InfoFrissít(QByteArray& pdf, const Dokumentumadatok& a) {
    // The last trailer: its size, catalogue, information dictionary and identifier, and
    // where its cross-reference section starts.
    const qsizetype trailer = pdf.lastIndexOf("trailer");
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    if (trailer < 0 || startxref < trailer)
        return false;
    const QString t = QString::fromLatin1(pdf.mid(trailer, startxref - trailer));
    const auto méret = QRegularExpression(QStringLiteral("/Size\\s+(\\d+)")).match(t);
    const auto gyökér = QRegularExpression(QStringLiteral("/Root\\s+(\\d+\\s+\\d+\\s+R)")).match(t);
    const auto info = QRegularExpression(QStringLiteral("/Info\\s+(\\d+)\\s+0\\s+R")).match(t);
    const auto id = QRegularExpression(QStringLiteral("/ID\\s*(\\[[^\\]]*\\])")).match(t);
    const auto előző = QRegularExpression(QStringLiteral("startxref\\s+(\\d+)"))
                           .match(QString::fromLatin1(pdf.mid(startxref, 40)));
    if (!méret.hasMatch() || !gyökér.hasMatch() || !info.hasMatch() || !id.hasMatch() ||
        !előző.hasMatch())
        return false;

    QByteArray frissítés;
    if (!pdf.endsWith('\n'))
        frissítés += '\n';
    const qsizetype objektum = pdf.size() + frissítés.size();
    const QByteArray szám = info.captured(1).toLatin1();
    frissítés += szám + " 0 obj\n<<\n/Title " + pdfSzöveg(a.cím) + '\n';
    if (!a.szerző.isEmpty())
        frissítés += "/Author " + pdfSzöveg(a.szerző) + '\n';
    if (!a.tárgy.isEmpty())
        frissítés += "/Subject " + pdfSzöveg(a.tárgy) + '\n';
    frissítés += "/Creator " + pdfSzöveg(a.készítő) + "\n/Producer " + pdfSzöveg(a.előállító) +
                 "\n/CreationDate (D:" +
                 a.készült.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() +
                 "Z)\n/ModDate (D:" +
                 a.készült.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() +
                 "Z)\n>>\nendobj\n";
    const qsizetype xref = pdf.size() + frissítés.size();
    frissítés += "xref\n" + szám + " 1\n" + QByteArray::number(objektum).rightJustified(10, '0') +
                 " 00000 n \n";
    frissítés += "trailer\n<<\n/Size " + méret.captured(1).toLatin1() + "\n/Info " + szám +
                 " 0 R\n/Root " + gyökér.captured(1).toLatin1() + "\n/ID " +
                 id.captured(1).toLatin1() + "\n/Prev " + előző.captured(1).toLatin1() +
                 "\n>>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    pdf += frissítés;
    return true;
}

} // namespace Jelentés
