#pragma once

#include "register/grabacion_licencia.h"
#include "register/registro_licencia.h"
#include "shell/forma.h"

#include <QHash>
#include <QVariantList>
#include <memory>
#include <optional>

class CajaFecha;
class CajaLista;
class CajaMascara;
class FuenteLicencias;
class Grilla;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
struct CampoLicencia;
struct DatosSolicitud;

// The licence form: a browser over TLicencias on top, one control for each
// stored column below, and the commands that check, store, annul, delete,
// print and sign applications. Its parts live in form_licencia_*.cpp by
// concern: layout, browser, fields and validation.
class Form_Licencia : public Forma {
    Q_OBJECT
public:
    explicit Form_Licencia(Aplicacion& app);

    void Form_Load() override;

    // Browser.
    void AbrePagina();
    void LlenaGrilla();
    void Cmd_Todos_Click();
    void Cmd_Anterior_Click();
    void Cmd_Proximos_Click();
    void Cmd_BuscaTexto_Click();
    void Cmd_BuscaRut_Click();
    void MSHF_Licencias_Click();
    qint64 PosicionDesde() const { return posicionDesde_; }
    qint64 PosicionHasta() const { return posicionHasta_; }
    Grilla& MSHF_Licencias() { return *grilla_; }

    // Fields.
    void CargaListas();
    void Cmd_Limpiar_Click();
    void Cmd_Salir_Click();

    // The hand-over row that the exam-detail and denial forms read and write
    // by grid column (1 to 115): the grid's current row, or, after "Limpiar
    // Campos", the blank row of the new application until a grid row is
    // chosen again.
    QString celdaEntrega(int columna) const;
    void fijaCeldaEntrega(int columna, const QString& texto);
    bool solicitudNueva() const { return solicitudNueva_; }

    // Validation: true when the command may go on.
    bool ValidaLicencia();

    // Storing commands (form_licencia_comandos.cpp).
    void Cmd_Registrar_Click();
    void Cmd_Modificar_Click();
    void Cmd_Anular_Click();
    void Cmd_Eliminar_Click();
    void RegistraLicencia();
    void ModificaLicencia();
    void Cmd_Firma_Click();
    void Cmd_FrmAceptar_Click();
    void Cmd_FrmSalir_Click();

    // Printing on the valued form (form_licencia_impresion.cpp): what the
    // print reads from the controls; "Imprimir", through the print preview;
    // the print straight to the chosen printer; loading the stored
    // application of a folio as a click on its grid row does (false when
    // none is stored).
    DatosSolicitud DatosImpresion();
    void Cmd_Imprimir_Click();
    void ImprimeSolicitud();
    bool CargaFolio(const QString& folio);

    // The twelve class boxes from the column of the first one on.
    ClasesLicencia clasesDesde(const QString& primeraColumna) const;

    // A field control by its name.
    QLineEdit& texto(const QString& control) const;
    CajaLista& lista(const QString& control) const;
    QCheckBox& casilla(const QString& control) const;
    CajaFecha& fecha(const QString& control) const;
    CajaMascara& mascara(const QString& control) const;
    QSpinBox& numero(const QString& control) const;
    QLabel& Label_Aviso() const { return *labelAviso_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // Layout.
    QWidget* creaCampo(const CampoLicencia& campo);
    QWidget* creaBuscador();
    QWidget* creaMarcos();
    QWidget* creaBotones();
    QPushButton* creaBoton(const QString& nombre, const QString& texto);

    // Browser.
    std::unique_ptr<FuenteLicencias> licenciasDonde(const QString& condicion,
                                                    const QVariantList& valores);
    void buscaTexto(const QString& columna, const QString& tituloVacio);
    void muestraEncontrados(std::unique_ptr<FuenteLicencias> encontrados,
                            const QString& noEncontrado, const QString& titulo);

    // Fields.
    void cargaFila(int fila);
    void reiniciaFilaNueva();
    void muestraAyudaJuntoA(const QWidget& caja);
    bool entregaEnFilaNueva() const;
    void fijaCampo(const CampoLicencia& campo, const QString& valor);
    void actualizaMarcasExamen();
    void Chk_ExamenControl_Click();
    void NE_Edad_Calcula();
    void aplicaAccesos();

    // Storing commands.
    void ejecutaSiEsValida(const std::function<void()>& comando);
    void MarcaFolio(const QString& estado);
    void avisaFolio(const QString& texto);
    void anotaBitacora(const QString& accion, const QString& folio, const QString& cambios);
    void anotaCambio(const QString& accion, qint64 posicion, const QStringList& antes);
    void preguntaImprimir(const QString& pregunta);
    void muestraPaginaConservandoEntrega();
    std::optional<qint64> posicionParaCambiar();
    QStringList filaAlmacenada(qint64 posicion);
    static QStringList comoSeComparan(QStringList fila);
    void recuerdaCargada(qint64 posicion);
    QVariant valorCampo(const CampoLicencia& campo) const;
    ValoresLicencia valoresGrabados();

    // Until the clerk chooses a grid row the form holds a new application.
    bool solicitudNueva_ = true;
    // The stored application the form holds, as it was read: a later
    // modify, annul or delete refuses to overwrite a change made meanwhile
    // at another workstation.
    struct SolicitudCargada {
        qint64 posicion;
        QStringList textos;
    };
    std::optional<SolicitudCargada> cargada_;
    QStringList filaNueva_;
    Grilla* grilla_ = nullptr;
    qint64 posicionDesde_ = 1;
    qint64 posicionHasta_ = 100;
    QLabel* labelAviso_ = nullptr;
    QGroupBox* frmRestricciones_ = nullptr;
};
