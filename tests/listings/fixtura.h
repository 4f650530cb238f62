#pragma once

#include "entorno.h"
#include "listings/form_listados.h"
#include "prueba.h"
#include "register/almacen_licencias.h"
#include "register/columnas_licencia.h"

#include "platform/caja_lista.h"
#include "platform/caja_mascara.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <optional>
#include <QMap>
#include <QVariant>

using Campos = QMap<QString, QVariant>;

// A database of applications for the listings: each one granted to a man on
// the given date unless the test says otherwise, with its own folio.
class Listados : public ::testing::Test {
protected:
    static Campos solicitud(const QString& fecha, const Campos& cambios = {})
    {
        Campos c{{"FechaActual", fecha}, {"Estado", "Ok"},       {"Sexo", "Masculino"},
                 {"EsDonante", "Si"},    {"Nombres", "JUAN"},    {"ApPaterno", "PÉREZ"},
                 {"ApMaterno", "SOTO"},  {"LicActual", "B"},     {"NumeroLicencia", "10.000.000-8"}};
        for (auto it = cambios.cbegin(); it != cambios.cend(); ++it) {
            c.insert(it.key(), it.value());
        }
        return c;
    }

    // Stores the applications in one transaction; folios count up from
    // CA00000001 unless given.
    void agrega(const QList<Campos>& solicitudes)
    {
        std::vector<QVariantList> filas;
        for (const Campos& s : solicitudes) {
            QVariantList fila;
            for (int i = 0; i < NumeroColumnasLicencia; ++i) {
                fila << QVariant();
            }
            fila[PosicionColumna("FolioActual") - 1] =
                QString("CA%1").arg(++folio_, 8, 10, QLatin1Char('0'));
            for (auto it = s.cbegin(); it != s.cend(); ++it) {
                const int posicion = PosicionColumna(it.key());
                EXPECT_GT(posicion, 0) << it.key().toStdString();
                if (posicion > 0) {
                    fila[posicion - 1] = it.value();
                }
            }
            filas.push_back(fila);
        }
        AgregaLicencias(e.conexion(), filas);
    }
    void agrega(const Campos& s) { agrega(QList<Campos>{s}); }

    // The listing form in a mode, loaded anew.
    Form_Listados& listados(const QString& modo)
    {
        if (e.app().cargada<Form_Listados>()) {
            e.app().descarga<Form_Listados>();
            Entorno::procesaEliminaciones();
        }
        e.app().ModoListado.asigna(modo);
        return e.app().forma<Form_Listados>();
    }

    // Types the month and the year and presses the month panel's "Aceptar";
    // the boxes of the sheet it showed, by name, if it showed one.
    std::optional<QMap<QString, QString>> acepta(const QString& mes, const QString& anio,
                                                 const QString& modo = "Estadistica")
    {
        Form_Listados& f = listados(modo);
        f.control<CajaLista>("Cbo_Mes").fijaTexto(mes);
        f.control<CajaMascara>("MEd_Ano").fijaTexto(anio);
        std::optional<QMap<QString, QString>> cajas;
        const auto copia = [&](QWidget& hoja) {
            cajas.emplace();
            for (QLabel* l : hoja.findChildren<QLabel*>(QRegularExpression("^NE_"))) {
                cajas->insert(l->objectName(), l->text());
            }
            for (QLineEdit* l : hoja.findChildren<QLineEdit*>()) {
                cajas->insert(l->objectName(), l->displayText());
            }
        };
        e.ventanas->mientrasModal["Form_Esta"] = copia;
        e.ventanas->mientrasModal["Form_Deniega"] = copia;
        f.control<QPushButton>("Cmd_Aceptar").click();
        return cajas;
    }

    Entorno e;

private:
    int folio_ = 0;
};
