#pragma once

#include "register/grabacion_licencia.h"

#include <QByteArray>
#include <QDataStream>
#include <QFile>
#include <QIODevice>
#include <QString>
#include <QVariant>
#include <vector>

// The log a writing process keeps of what it stores: each write is logged
// before its commit and confirmed after it, so that whoever finds the
// database after a kill knows every row as it was written. A kill can cut the
// last entry short; the reader stops there.
struct EntradaDiario {
    enum class Tipo : quint8 { Escritura = 1, Confirmacion = 2 };
    Tipo tipo = Tipo::Confirmacion;
    bool nueva = false;  // a new application, else a change of a stored one
    QString folio;
    ValoresLicencia valores;
};

class DiarioEscritura {
public:
    explicit DiarioEscritura(const QString& ruta) : archivo_(ruta)
    {
        // Unbuffered: each entry reaches the system in one write, before
        // the commit it announces.
        abierto_ = archivo_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    }
    bool abierto() const { return abierto_; }

    bool anota(const EntradaDiario& entrada)
    {
        QByteArray cuerpo;
        {
            QDataStream flujo(&cuerpo, QIODevice::WriteOnly);
            flujo.setVersion(QDataStream::Qt_6_4);
            flujo << quint8(entrada.tipo) << entrada.nueva << entrada.folio
                  << quint32(entrada.valores.size());
            for (const auto& [columna, valor] : entrada.valores) {
                flujo << columna << valor;
            }
        }
        QByteArray marco;
        QDataStream(&marco, QIODevice::WriteOnly) << quint32(cuerpo.size());
        marco += cuerpo;
        return archivo_.write(marco) == marco.size();
    }
    bool confirma() { return anota(EntradaDiario{}); }

private:
    QFile archivo_;
    bool abierto_ = false;
};

struct LecturaDiario {
    std::vector<EntradaDiario> entradas;
    bool cortada = false;  // the last entry was cut short by the kill
};

inline LecturaDiario LeeDiario(const QString& ruta)
{
    LecturaDiario lectura;
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly)) {
        return lectura;
    }
    const QByteArray todo = archivo.readAll();
    qsizetype pos = 0;
    while (pos < todo.size()) {
        quint32 largo = 0;
        if (todo.size() - pos < 4) {
            lectura.cortada = true;
            break;
        }
        QDataStream(todo.mid(pos, 4)) >> largo;
        if (todo.size() - pos - 4 < qsizetype(largo)) {
            lectura.cortada = true;
            break;
        }
        QDataStream flujo(todo.mid(pos + 4, largo));
        flujo.setVersion(QDataStream::Qt_6_4);
        EntradaDiario e;
        quint8 tipo = 0;
        quint32 cantidad = 0;
        flujo >> tipo >> e.nueva >> e.folio >> cantidad;
        e.tipo = EntradaDiario::Tipo(tipo);
        for (quint32 i = 0; i < cantidad; ++i) {
            QString columna;
            QVariant valor;
            flujo >> columna >> valor;
            e.valores.emplace_back(columna, valor);
        }
        lectura.entradas.push_back(std::move(e));
        pos += 4 + qsizetype(largo);
    }
    return lectura;
}
