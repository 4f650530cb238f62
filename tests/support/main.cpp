#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication aplicacion(argc, argv);
    // Workstation settings written by the tests stay out of the user's own.
    QTemporaryDir ajustes;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ajustes.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, ajustes.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
