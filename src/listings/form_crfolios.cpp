#include "listings/form_crfolios.h"

#include "listings/vista_informe.h"
#include "shell/aplicacion.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QSaveFile>
#include <QTextStream>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The busy pointer while the report is prepared, back to normal however the
// preparation ends.
class CursorOcupado {
public:
    CursorOcupado() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorOcupado() { QApplication::restoreOverrideCursor(); }
    CursorOcupado(const CursorOcupado&) = delete;
    CursorOcupado& operator=(const CursorOcupado&) = delete;
};

}  // namespace

FormCRFolios::FormCRFolios(Aplicacion& app, PeticionFolios peticion)
    : Forma(app, QStringLiteral("FormCRFolios"), QStringLiteral("Formulario de Roles emitidos")),
      peticion_(std::move(peticion)),
      impresora_(QPrinter::HighResolution)
{
    impresora_.setPageLayout(PaginaInforme());
    visor_ = new QWidget(this);
    visor_->setObjectName(QStringLiteral("CRViewer1"));
    vista_ = new VistaInforme(visor_);
    vista_->setObjectName(QStringLiteral("VistaInforme"));
    vista_->hide();
    auto* capa = new QVBoxLayout(visor_);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->setSpacing(0);
    barra_ = creaBarra();
    capa->addWidget(barra_);
    capa->addWidget(vista_, 1);
    capa->addStretch();
    barra_->setEnabled(false);
    connect(vista_, &VistaInforme::previewChanged, this, [this] { actualizaPagina(); });
    setMinimumSize(640, 480);
    resize(1100, 700);
}

QAction* FormCRFolios::accion(QToolBar* barra, const QString& nombre, const QString& texto,
                              std::function<void()> reaccion)
{
    QAction* a = barra->addAction(texto);
    a->setObjectName(nombre);
    connect(a, &QAction::triggered, this, [this, reaccion = std::move(reaccion)] { protege(reaccion); });
    return a;
}

QToolBar* FormCRFolios::creaBarra()
{
    auto* barra = new QToolBar(visor_);
    barra->setObjectName(QStringLiteral("BarraInforme"));
    barra->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto irA = [this](auto pagina) {
        return [this, pagina] {
            vista_->setCurrentPage(pagina());
            actualizaPagina();
        };
    };
    accion(barra, QStringLiteral("Cmd_Primera"), QStringLiteral("Primera"), irA([] { return 1; }));
    accion(barra, QStringLiteral("Cmd_Anterior"), QStringLiteral("Anterior"),
           irA([this] { return vista_->currentPage() - 1; }));
    pagina_ = new QLabel(barra);
    pagina_->setObjectName(QStringLiteral("Label_Pagina"));
    pagina_->setMinimumWidth(120);
    pagina_->setAlignment(Qt::AlignCenter);
    barra->addWidget(pagina_);
    accion(barra, QStringLiteral("Cmd_Siguiente"), QStringLiteral("Siguiente"),
           irA([this] { return vista_->currentPage() + 1; }));
    accion(barra, QStringLiteral("Cmd_Ultima"), QStringLiteral("Última"),
           irA([this] { return vista_->pageCount(); }));
    barra->addSeparator();
    accion(barra, QStringLiteral("Cmd_Alejar"), QStringLiteral("Alejar"), [this] { vista_->zoomOut(); });
    accion(barra, QStringLiteral("Cmd_Acercar"), QStringLiteral("Acercar"), [this] { vista_->zoomIn(); });
    accion(barra, QStringLiteral("Cmd_PaginaEntera"), QStringLiteral("Página entera"),
           [this] { vista_->fitInView(); });
    accion(barra, QStringLiteral("Cmd_AnchoPagina"), QStringLiteral("Ancho de página"),
           [this] { vista_->fitToWidth(); });
    barra->addSeparator();
    accion(barra, QStringLiteral("Cmd_Imprimir"), QStringLiteral("Imprimir"), [this] { imprime(); });
    accion(barra, QStringLiteral("Cmd_GuardarPdf"), QStringLiteral("Guardar PDF"), [this] {
        eligeArchivo(QStringLiteral("Guardar PDF"), QStringLiteral("Documento PDF (*.pdf)"),
                     QStringLiteral("pdf"), &FormCRFolios::guardaPdf);
    });
    accion(barra, QStringLiteral("Cmd_GuardarCsv"), QStringLiteral("Guardar CSV"), [this] {
        eligeArchivo(QStringLiteral("Guardar CSV"),
                     QStringLiteral("Valores separados por comas (*.csv)"), QStringLiteral("csv"),
                     &FormCRFolios::guardaCsv);
    });
    return barra;
}

void FormCRFolios::Form_Load()
{
    const TipoListado* tipo = BuscaTipoListado(peticion_.modo);
    if (!tipo) {
        throw std::invalid_argument(
            QStringLiteral("El modo de listado «%1» no es un listado de folios")
                .arg(peticion_.modo.trimmed())
                .toStdString());
    }
    {
        const CursorOcupado ocupado;
        PreparaInforme(informe_, app().conexion().shared_from_this(), *tipo, peticion_);
    }
    if (informe_.filas.vacias()) {
        app().mensajes().muestra(QStringLiteral("No se han encontrado registros en esta fecha"),
                                 QStringLiteral("Error en seleccion de fecha"), Botones::Aceptar,
                                 Icono::Ninguno);
        return;
    }
    conInforme_ = true;
    barra_->setEnabled(true);
}

void FormCRFolios::showEvent(QShowEvent* evento)
{
    Forma::showEvent(evento);
    // Only the pages the clerk looks at are drawn, and only when looked at.
    if (conInforme_ && vista_->isHidden()) {
        const QPageLayout hoja = impresora_.pageLayout();
        const int paginas = PaginacionFolios(informe_, impresora_).paginas();
        vista_->fijaDocumento(hoja, paginas, [this](QPainter& pintor, int pagina) {
            PintaPaginaFolios(pintor, informe_, pagina, impresora_.pageLayout());
        });
        vista_->show();
        vista_->fitInView();
        actualizaPagina();
    }
}

void FormCRFolios::actualizaPagina()
{
    pagina_->setText(conInforme_ ? QStringLiteral("Página %1 de %2")
                                       .arg(vista_->currentPage())
                                       .arg(vista_->pageCount())
                                 : QString());
}

void FormCRFolios::resizeEvent(QResizeEvent* evento)
{
    Forma::resizeEvent(evento);
    visor_->setGeometry(0, 0, width(), height());
}

void FormCRFolios::imprime()
{
    QPrintDialog dialogo(&impresora_, this);
    dialogo.setWindowTitle(QStringLiteral("Imprimir listado"));
    if (dialogo.exec() != QDialog::Accepted) {
        return;
    }
    const CursorOcupado ocupado;
    if (!ImprimeInforme(impresora_, informe_)) {
        app().mensajes().muestra(QStringLiteral("No fue posible imprimir el listado"),
                                 QStringLiteral("Imprimir listado"), Botones::Aceptar,
                                 Icono::Critico);
    }
}

void FormCRFolios::eligeArchivo(const QString& titulo, const QString& filtro,
                                const QString& extension,
                                bool (FormCRFolios::*guarda)(const QString&))
{
    const QString sugerido =
        QDir::home().filePath(QStringLiteral("%1_%2_%3.%4")
                                  .arg(peticion_.modo.trimmed(),
                                       peticion_.desde.toString(QStringLiteral("yyyyMMdd")),
                                       peticion_.hasta.toString(QStringLiteral("yyyyMMdd")),
                                       extension));
    const QString archivo = QFileDialog::getSaveFileName(this, titulo, sugerido, filtro);
    if (!archivo.isEmpty()) {
        (this->*guarda)(archivo);
    }
}

bool FormCRFolios::guarda(const QString& archivo, const QString& titulo,
                          const std::function<bool(QIODevice&)>& escribe)
{
    QSaveFile destino(archivo);
    if (destino.open(QIODevice::WriteOnly) && escribe(destino) && destino.commit()) {
        return true;
    }
    app().mensajes().muestra(QStringLiteral("No fue posible guardar el archivo %1\n\n%2")
                                 .arg(QDir::toNativeSeparators(archivo), destino.errorString()),
                             titulo, Botones::Aceptar, Icono::Critico);
    return false;
}

bool FormCRFolios::guardaPdf(const QString& archivo)
{
    return guarda(archivo, QStringLiteral("Guardar PDF"),
                  [this](QIODevice& destino) { return GuardaPdfInforme(destino, informe_); });
}

bool FormCRFolios::guardaCsv(const QString& archivo)
{
    return guarda(archivo, QStringLiteral("Guardar CSV"), [this](QIODevice& destino) {
        QTextStream salida(&destino);
        EscribeCsvInforme(salida, informe_);
        salida.flush();
        return salida.status() == QTextStream::Ok;
    });
}
