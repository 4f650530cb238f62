// The browser of the licence form: windows of 100 positions, searches.
#include "platform/caja_mascara.h"
#include "platform/grilla.h"
#include "register/columnas_licencia.h"
#include "register/form_licencia.h"
#include "register/grilla_licencias.h"
#include "register/registro_licencia.h"
#include "shell/datos/conexion.h"
#include "shell/aplicacion.h"

#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr qint64 TamanoVentana = 100;

}  // namespace

std::unique_ptr<FuenteLicencias> Form_Licencia::licenciasDonde(const QString& condicion,
                                                               const QVariantList& valores)
{
    return std::make_unique<FuenteLicencias>(app().conexion().shared_from_this(), condicion,
                                             valores);
}

// The grid is bound to the window's rows at once; they are read block by
// block as the clerk scrolls.
void Form_Licencia::AbrePagina()
{
    grilla_->enlaza(licenciasDonde(QStringLiteral("Posicion BETWEEN ? AND ?"),
                                   {posicionDesde_, posicionHasta_}));
}

void Form_Licencia::LlenaGrilla()
{
    grilla_->fijaAnchoColumna(0, 100);
    for (int columna = 1; columna <= NumeroColumnasLicencia; ++columna) {
        const ColumnaLicencia& c = ColumnaEn(columna);
        if (c.titulo) {
            grilla_->fijaTexto(0, columna, QString::fromUtf8(c.titulo));
        }
        if (c.ancho > 0) {
            grilla_->fijaAnchoColumna(columna, c.ancho);
        }
    }
}

void Form_Licencia::Cmd_Todos_Click()
{
    AbrePagina();
    LlenaGrilla();
    grilla_->setFocus();
}

void Form_Licencia::Cmd_Proximos_Click()
{
    const qint64 desde = posicionDesde_;
    const qint64 hasta = posicionHasta_;
    posicionDesde_ = hasta + 1;
    posicionHasta_ = hasta + TamanoVentana;
    AbrePagina();
    if (grilla_->vacia()) {
        posicionDesde_ = desde;
        posicionHasta_ = hasta;
        AbrePagina();
    }
    LlenaGrilla();
}

void Form_Licencia::Cmd_Anterior_Click()
{
    if (posicionDesde_ - TamanoVentana < 1) {
        posicionDesde_ = 1;
        posicionHasta_ = TamanoVentana;
    } else {
        posicionDesde_ -= TamanoVentana;
        posicionHasta_ -= TamanoVentana;
    }
    AbrePagina();
    LlenaGrilla();
}

void Form_Licencia::Cmd_BuscaTexto_Click()
{
    if (control<QRadioButton>(QStringLiteral("Opt_Nombre")).isChecked()) {
        buscaTexto(QStringLiteral("Nombres"), QStringLiteral("Error en busca de nombre"));
    } else if (control<QRadioButton>(QStringLiteral("Opt_Apellido")).isChecked()) {
        buscaTexto(QStringLiteral("ApPaterno"), QStringLiteral("Error en busca de apellido"));
    }
}

void Form_Licencia::buscaTexto(const QString& columna, const QString& tituloVacio)
{
    const QString buscado = texto(QStringLiteral("Text_NomApe")).text().trimmed();
    if (buscado.isEmpty()) {
        app().mensajes().muestra(QStringLiteral("Debe ingresar un texto para buscar"), tituloVacio);
        return;
    }
    muestraEncontrados(FuenteLicencias::conPrefijo(app().conexion().shared_from_this(), columna,
                                                   buscado),
                       QStringLiteral("No existe información para el Nombre/Apellido solicitado"),
                       QStringLiteral("Verifique datos del Nombre/Apellido"));
}

void Form_Licencia::Cmd_BuscaRut_Click()
{
    const QString rut = mascara(QStringLiteral("MEd_BuscaRut")).texto();
    if (DigitosRut(rut).trimmed().size() < 9) {
        app().mensajes().muestra(QStringLiteral("RUT no tiene información digitada"),
                                 QStringLiteral("Error en RUT"));
        return;
    }
    muestraEncontrados(licenciasDonde(QStringLiteral("NumeroLicencia = ?"), {rut}),
                       QStringLiteral("No existe información para el RUT solicitado"),
                       QStringLiteral("Verifique número de RUT"));
}

// A search result replaces the grid's rows, without the captions and widths
// of the windows; finding nothing says so and shows the window again.
void Form_Licencia::muestraEncontrados(std::unique_ptr<FuenteLicencias> encontrados,
                                       const QString& noEncontrado, const QString& titulo)
{
    if (encontrados->tieneFilas()) {
        grilla_->enlaza(std::move(encontrados));
        return;
    }
    app().mensajes().muestra(noEncontrado, titulo, Botones::Aceptar, Icono::Informacion);
    Cmd_Todos_Click();
}
