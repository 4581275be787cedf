// Program entry: the GUI application, its font, the settings directory as current directory and
// the main window.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>

#include "core/settingsdir.h"
#include "orbikaapp.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setFont(QFont(QStringLiteral("helvetica"), 10));
    // Settings, results and downloads go to the program directory when it is writable, else to
    // the user's configuration directory, which gets copies of the bundled element files.
    const std::string programDir = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    const std::string dir = SettingsDir(programDir);
    PrepareSettingsDir(dir, programDir);
    QDir::setCurrent(QFile::decodeName(dir.c_str()));
    OrbikaApp window;
    window.show();
    return app.exec();
}
