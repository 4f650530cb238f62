#include "texto_pdf.h"

#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QtEndian>
#include <cmath>
#include <optional>

namespace {

constexpr double CmPorPunto = 2.54 / 72.0;

struct Objeto {
    QByteArray diccionario;
    QByteArray flujo;  // inflated
};

QByteArray inflate(const QByteArray& datos)
{
    // qUncompress wants the expected size in front; it grows past it.
    QByteArray conTamano(4, '\0');
    qToBigEndian<quint32>(quint32(datos.size() * 8 + 1024), conTamano.data());
    return qUncompress(conTamano + datos);
}

QMap<int, Objeto> objetos(const QByteArray& pdf)
{
    QMap<int, Objeto> todos;
    static const QRegularExpression inicio(QStringLiteral("(\\d+) 0 obj"));
    const QString texto = QString::fromLatin1(pdf);
    auto it = inicio.globalMatch(texto);
    while (it.hasNext()) {
        const auto m = it.next();
        const qsizetype desde = m.capturedEnd();
        const qsizetype fin = pdf.indexOf("endobj", desde);
        QByteArray cuerpo = pdf.mid(desde, fin - desde);
        Objeto o;
        const qsizetype flujo = cuerpo.indexOf("stream");
        if (flujo >= 0 && !cuerpo.mid(flujo - 3, 3).contains("end")) {
            o.diccionario = cuerpo.left(flujo);
            qsizetype datos = flujo + 6;
            while (datos < cuerpo.size() && (cuerpo[datos] == '\r' || cuerpo[datos] == '\n')) {
                ++datos;
            }
            QByteArray crudo = cuerpo.mid(datos, cuerpo.lastIndexOf("endstream") - datos);
            while (crudo.endsWith('\n') || crudo.endsWith('\r')) {
                crudo.chop(1);
            }
            o.flujo = o.diccionario.contains("/FlateDecode") ? inflate(crudo) : crudo;
        } else {
            o.diccionario = cuerpo;
        }
        todos.insert(m.captured(1).toInt(), o);
    }
    return todos;
}

int referencia(const QByteArray& diccionario, const char* clave)
{
    const QRegularExpression r(QStringLiteral("/%1\\s+(\\d+) 0 R").arg(QLatin1String(clave)));
    const auto m = r.match(QString::fromLatin1(diccionario));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Glyph code -> text, from a ToUnicode CMap (bfchar and bfrange).
QHash<uint, QString> mapaUnicode(const QByteArray& cmap)
{
    QHash<uint, QString> mapa;
    auto unicode = [](const QString& hex) {
        QString t;
        for (int i = 0; i + 4 <= hex.size(); i += 4) {
            const QChar c(ushort(hex.mid(i, 4).toUInt(nullptr, 16)));
            t += c.unicode() < 0x20 ? QChar(u' ') : c;  // the blank glyph maps to a tab
        }
        return t;
    };
    const QString texto = QString::fromLatin1(cmap);
    static const QRegularExpression bloque(
        QStringLiteral("begin(bfchar|bfrange)(.*?)end\\1"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression hex(QStringLiteral("<([0-9A-Fa-f]+)>|\\[|\\]"));
    auto bloques = bloque.globalMatch(texto);
    while (bloques.hasNext()) {
        const auto b = bloques.next();
        QStringList piezas;
        auto h = hex.globalMatch(b.captured(2));
        while (h.hasNext()) {
            const auto m = h.next();
            piezas << (m.captured(1).isEmpty() ? m.captured(0) : m.captured(1));
        }
        if (b.captured(1) == QLatin1String("bfchar")) {
            for (int i = 0; i + 1 < piezas.size(); i += 2) {
                mapa.insert(piezas[i].toUInt(nullptr, 16), unicode(piezas[i + 1]));
            }
            continue;
        }
        for (int i = 0; i + 2 < piezas.size();) {
            const uint desde = piezas[i].toUInt(nullptr, 16);
            const uint hasta = piezas[i + 1].toUInt(nullptr, 16);
            if (piezas[i + 2] == QLatin1String("[")) {
                int j = i + 3;
                for (uint codigo = desde; codigo <= hasta && piezas[j] != QLatin1String("]"); ++codigo, ++j) {
                    mapa.insert(codigo, unicode(piezas[j]));
                }
                while (piezas[j] != QLatin1String("]")) {
                    ++j;
                }
                i = j + 1;
            } else {
                const uint primero = piezas[i + 2].toUInt(nullptr, 16);
                for (uint codigo = desde; codigo <= hasta; ++codigo) {
                    mapa.insert(codigo, unicode(QString::number(primero + codigo - desde, 16)
                                                    .rightJustified(4, u'0')));
                }
                i += 3;
            }
        }
    }
    return mapa;
}

// An affine matrix [a b c d e f]: a point (x, y) maps to
// (a x + c y + e, b x + d y + f).
struct Matriz {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
    // This matrix applied first, then `o`.
    Matriz por(const Matriz& o) const
    {
        return {a * o.a + b * o.c,       a * o.b + b * o.d,       c * o.a + d * o.c,
                c * o.b + d * o.d,       e * o.a + f * o.c + o.e, e * o.b + f * o.d + o.f};
    }
};

QList<QByteArray> fichas(const QByteArray& contenido)
{
    QList<QByteArray> todas;
    qsizetype i = 0;
    while (i < contenido.size()) {
        const char c = contenido[i];
        if (QChar::isSpace(uchar(c))) {
            ++i;
        } else if (c == '<' || c == '(') {
            const qsizetype fin = contenido.indexOf(c == '<' ? '>' : ')', i);
            todas << contenido.mid(i, fin - i + 1);
            i = fin + 1;
        } else if (c == '[' || c == ']') {
            todas << QByteArray(1, c);
            ++i;
        } else {
            qsizetype fin = i + 1;
            while (fin < contenido.size() && !QChar::isSpace(uchar(contenido[fin])) &&
                   !QByteArray("<([]/").contains(contenido[fin])) {
                ++fin;
            }
            todas << contenido.mid(i, fin - i);
            i = fin;
        }
    }
    return todas;
}

void leePagina(const QByteArray& contenido, double altoPuntos, int pagina,
               const QHash<QByteArray, QHash<uint, QString>>& fuentes, std::vector<TextoPdf>& textos)
{
    QList<double> numeros;
    QByteArray nombre;
    QList<Matriz> pila;
    Matriz ctm, tm, tlm;
    QHash<uint, QString> fuente;
    double tamano = 0;
    std::optional<TextoPdf> actual;
    auto matriz = [&numeros] {
        const qsizetype n = numeros.size();
        return Matriz{numeros[n - 6], numeros[n - 5], numeros[n - 4],
                      numeros[n - 3], numeros[n - 2], numeros[n - 1]};
    };
    for (const QByteArray& f : fichas(contenido)) {
        bool esNumero = false;
        const double valor = f.toDouble(&esNumero);
        if (esNumero) {
            numeros << valor;
            continue;
        }
        if (f.startsWith('/')) {
            nombre = f.mid(1);
        } else if (f == "q") {
            pila << ctm;
        } else if (f == "Q") {
            ctm = pila.takeLast();
        } else if (f == "cm") {
            ctm = matriz().por(ctm);
        } else if (f == "BT") {
            tm = tlm = Matriz{};
        } else if (f == "Tf") {
            fuente = fuentes.value(nombre);
            tamano = numeros.last();
        } else if (f == "Tm") {
            tm = tlm = matriz();
        } else if (f == "Td") {
            tlm = Matriz{1, 0, 0, 1, numeros[numeros.size() - 2], numeros.last()}.por(tlm);
            tm = tlm;
        } else if (f.startsWith('<') && f != "<<") {
            const Matriz trm = tm.por(ctm);
            if (!actual) {
                actual = TextoPdf{QString(), trm.e * CmPorPunto, (altoPuntos - trm.f) * CmPorPunto,
                                  tamano * std::hypot(trm.c, trm.d), pagina};
            }
            const QByteArray hex = f.mid(1, f.size() - 2);
            for (qsizetype i = 0; i + 4 <= hex.size(); i += 4) {
                actual->texto += fuente.value(hex.mid(i, 4).toUInt(nullptr, 16), QStringLiteral("?"));
            }
        } else if (f == "ET" && actual) {
            textos.push_back(*actual);
            actual.reset();
        }
        if (!f.startsWith('/')) {
            numeros.clear();
        }
    }
}

}  // namespace

DocumentoPdf LeePdf(const QByteArray& pdf)
{
    DocumentoPdf documento;
    const QMap<int, Objeto> todos = objetos(pdf);
    static const QRegularExpression esPagina(QStringLiteral("/Type\\s*/Page[^s]"));
    static const QRegularExpression caja(
        QStringLiteral("/MediaBox\\s*\\[\\s*([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)"));
    static const QRegularExpression fuenteRecurso(QStringLiteral("/(F\\d+)\\s+(\\d+) 0 R"));
    for (auto it = todos.begin(); it != todos.end(); ++it) {
        const QString diccionario = QString::fromLatin1(it->diccionario);
        if (!esPagina.match(diccionario).hasMatch()) {
            continue;
        }
        const auto m = caja.match(diccionario);
        const QSizeF hoja(m.captured(3).toDouble() - m.captured(1).toDouble(),
                          m.captured(4).toDouble() - m.captured(2).toDouble());
        if (documento.paginas == 0) {
            documento.hojaPuntos = hoja;
        }
        QHash<QByteArray, QHash<uint, QString>> fuentes;
        const QByteArray recursos = todos.value(referencia(it->diccionario, "Resources")).diccionario;
        auto f = fuenteRecurso.globalMatch(QString::fromLatin1(recursos));
        while (f.hasNext()) {
            const auto r = f.next();
            const Objeto fuente = todos.value(r.captured(2).toInt());
            fuentes.insert(r.captured(1).toLatin1(),
                           mapaUnicode(todos.value(referencia(fuente.diccionario, "ToUnicode")).flujo));
        }
        leePagina(todos.value(referencia(it->diccionario, "Contents")).flujo, hoja.height(),
                  documento.paginas, fuentes, documento.textos);
        ++documento.paginas;
    }
    return documento;
}
