#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Every test drops and makes the tables of the shared database named by
// LICENCIAS_PRUEBA_DB anew, so two test processes on one such database
// would undo each other's rows: they take turns through a lock file.
std::unique_ptr<QLockFile> turnoEnBaseCompartida()
{
    const QByteArray base = qgetenv("LICENCIAS_PRUEBA_DB");
    if (base.isEmpty()) {
        return nullptr;
    }
    const QString nombre = QString::fromLatin1(
        QCryptographicHash::hash(base, QCryptographicHash::Sha1).toHex().left(16));
    auto turno = std::make_unique<QLockFile>(QDir::temp().filePath("licencias-pruebas-" + nombre + ".lock"));
    turno->setStaleLockTime(0);
    turno->lock();
    return turno;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication aplicacion(argc, argv);
    const auto turno = turnoEnBaseCompartida();
    // Workstation settings written by the tests stay out of the user's own.
    QTemporaryDir ajustes;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ajustes.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, ajustes.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
