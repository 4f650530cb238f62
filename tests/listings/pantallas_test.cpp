#include "fixtura.h"
#include "listings/form_crfolios.h"
#include "listings/hoja_estadistica.h"
#include "platform/caja_fecha.h"

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QStyle>

namespace {

// Saves what the clerk sees when LICENCIAS_CAPTURAS names a folder.
void captura(QWidget& forma, const QString& nombre)
{
    const QString carpeta = qEnvironmentVariable("LICENCIAS_CAPTURAS");
    if (!carpeta.isEmpty()) {
        forma.grab().save(QDir(carpeta).filePath(nombre + ".png"));
    }
}

// Where a control's text is drawn: a label's text within its box, a box
// whole.
QRect lugarDelTexto(const QWidget& w)
{
    if (const auto* l = qobject_cast<const QLabel*>(&w); l && l->objectName().isEmpty()) {
        return QStyle::alignedRect(Qt::LeftToRight, l->alignment(), l->sizeHint(), l->geometry());
    }
    return w.geometry();
}

using Pantallas = Listados;

TEST_F(Pantallas, LasHojasCabenEnLaPantallaYNadaSeCortaNiSeMonta)
{
    e.app().FirmaJefe.asigna("PEDRO PABLO GONZÁLEZ SOTO");
    for (const TipoEstadistica tipo : {TipoEstadistica::Otorgadas, TipoEstadistica::Denegadas}) {
        ValoresHoja valores;
        for (const CajaHoja& c : CajasHoja(ConfiguracionDe(tipo))) {
            valores.insert(c.nombre, 99999);
        }
        HojaEstadistica hoja(e.app(), tipo, DatosHoja{"Septiembre", "2010", valores});
        hoja.Form_Load();
        SCOPED_TRACE(hoja.objectName().toStdString());
        // A 1366x768 screen, less a title bar and a task bar.
        EXPECT_LE(hoja.width(), 1366);
        EXPECT_LE(hoja.height(), 768 - 70);

        std::vector<QWidget*> controles;
        for (QWidget* w : hoja.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (qobject_cast<QFrame*>(w) && !qobject_cast<QLabel*>(w)) {
                continue;  // the signature line
            }
            controles.push_back(w);
            EXPECT_TRUE(hoja.rect().contains(w->geometry())) << w->objectName().toStdString();
            if (auto* l = qobject_cast<QLabel*>(w)) {
                const QSize texto = l->fontMetrics().size(0, l->text());
                EXPECT_LE(texto.width(), l->contentsRect().width() - l->indent())
                    << l->text().toStdString();
                EXPECT_LE(texto.height(), l->height() + 2) << l->text().toStdString();
            }
            if (auto* b = qobject_cast<QPushButton*>(w)) {
                EXPECT_LE(b->sizeHint().width(), b->width()) << b->text().toStdString();
            }
        }
        for (size_t i = 0; i < controles.size(); ++i) {
            for (size_t j = i + 1; j < controles.size(); ++j) {
                EXPECT_FALSE(lugarDelTexto(*controles[i]).intersects(lugarDelTexto(*controles[j])))
                    << controles[i]->objectName().toStdString() << " "
                    << controles[j]->objectName().toStdString() << " "
                    << (qobject_cast<QLabel*>(controles[i]) ? qobject_cast<QLabel*>(controles[i])->text().toStdString() : "")
                    << " / "
                    << (qobject_cast<QLabel*>(controles[j]) ? qobject_cast<QLabel*>(controles[j])->text().toStdString() : "");
            }
        }
        captura(hoja, hoja.objectName());
    }
}

TEST_F(Pantallas, LaHojaImpresaNoLlevaLosBotones)
{
    HojaEstadistica hoja(e.app(), TipoEstadistica::Otorgadas, DatosHoja{"Marzo", "2010", {}});
    hoja.Form_Load();
    // A Legal page at 100 dots per inch.
    QImage pagina(850, 1400, QImage::Format_RGB32);
    pagina.fill(Qt::white);
    QPainter pintor(&pagina);
    hoja.pinta(pintor, QRectF(pagina.rect()));
    pintor.end();
    const double escala = double(pagina.width()) / hoja.width();
    const auto oscuros = [&](const QWidget& w) {
        const QRect lugar(QPoint(int(w.x() * escala), int(w.y() * escala)),
                          QSize(int(w.width() * escala), int(w.height() * escala)));
        int n = 0;
        for (int y = lugar.top(); y <= lugar.bottom(); ++y) {
            for (int x = lugar.left(); x <= lugar.right(); ++x) {
                n += qGray(pagina.pixel(x, y)) < 200 ? 1 : 0;
            }
        }
        return n;
    };
    for (const char* nombre : {"Cmd_Imprimir", "Cmd_Abortar"}) {
        const auto* boton = hoja.findChild<QPushButton*>(nombre);
        EXPECT_FALSE(boton->isHidden());
        EXPECT_EQ(oscuros(*boton), 0) << nombre;
    }
    EXPECT_GT(oscuros(*hoja.findChild<QLabel*>("NE_CCBH")), 0);
    const QString carpeta = qEnvironmentVariable("LICENCIAS_CAPTURAS");
    if (!carpeta.isEmpty()) {
        pagina.save(QDir(carpeta).filePath("Form_Esta_impresa.png"));
    }
}

TEST_F(Pantallas, CadaHojaLlevaSusLeyendas)
{
    const struct {
        TipoEstadistica tipo;
        const char* ventana;
        QStringList leyendas;
    } casos[] = {
        {TipoEstadistica::Otorgadas,
         "Formulario de estadisticas mensuales",
         {"Licencias otorgadas", "Cambio de Clase", "1º vez (B,C,D,E,F)", "Ampliación de Clase",
          "Examen de Control"}},
        {TipoEstadistica::Denegadas,
         "Form1",
         {"Licencias denegadas", "Exámen Médico", "Examen Teórico", "Examen Práctico"}},
    };
    for (const auto& c : casos) {
        HojaEstadistica hoja(e.app(), c.tipo, DatosHoja{});
        EXPECT_EQ(hoja.windowTitle(), c.ventana);
        QStringList textos;
        for (QLabel* l : hoja.findChildren<QLabel*>()) {
            textos << l->text();
        }
        for (const QString& leyenda :
             c.leyendas + QStringList{"Estadistica Mensual", "Petición de Licencia", "T O T A L",
                                      "T i p o s    d e    L i c e n c i a s",
                                      "E s p e c i f i c a c i ó n    p o r    C l a s e",
                                      "L i c e n c i a s   P r o f e s i o n a l e s",
                                      "Director de Transito", "Mes ", "Año"}) {
            EXPECT_TRUE(textos.contains(leyenda)) << leyenda.toStdString();
        }
        EXPECT_EQ(textos.count("T O T A L"), 2);
    }
}

TEST_F(Pantallas, FormularioDeListadosYVisor)
{
    for (const char* modo : {"LicAnuladasElim", "Estadistica"}) {
        Form_Listados& f = listados(modo);
        f.show();
        QCoreApplication::processEvents();
        for (QWidget* w : f.findChildren<QWidget*>()) {
            if (w->isVisibleTo(&f) && (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w))) {
                EXPECT_LE(w->sizeHint().width(), w->width()) << w->objectName().toStdString();
            }
        }
        captura(f, QString("Form_Listados_") + modo);
    }
    QList<Campos> muchas;
    for (int i = 0; i < 80; ++i) {
        muchas << solicitud("10-03-2010", {{"Nombres", QString("NOMBRE %1").arg(i)}});
    }
    agrega(muchas);
    Form_Listados& f = listados("LicOtorgadas");
    f.control<CajaFecha>("DTP_FechaFolio").setDate(QDate(2010, 3, 1));
    f.control<CajaFecha>("DTP_FechaFolioFin").setDate(QDate(2010, 3, 31));
    e.ventanas->mientrasModal["FormCRFolios"] = [&](QWidget& visor) {
        visor.show();
        visor.resize(1366, 768 - 70);
        QCoreApplication::processEvents();
        captura(visor, "FormCRFolios");
    };
    f.control<QPushButton>("Cmd_AceptaFolio").click();
}

}  // namespace
