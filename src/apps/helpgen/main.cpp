// numora-helpgen MANUAL OUTDIR: splits the manual into the pages and the project of Qt Help, which
// qhelpgenerator then compresses into "Numora.qch". Used by the build only.
#include "platform/HelpFile.h"
#include "platform/HelpProject.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << "uso: numora-helpgen MANUALE.html CARTELLA\n";
        return 2;
    }
    numora::HelpFile file;
    QString message;
    if (!file.load(args[1], message) || !numora::WriteHelpProject(file, args[2], message)) {
        err << message << '\n';
        return 1;
    }
    return 0;
}
