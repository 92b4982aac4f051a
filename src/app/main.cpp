#include <QApplication>
#include <QMessageBox>

#include "app/command_line.h"
#include "app/program.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("meterpanel");
    QApplication::setApplicationVersion(METERPANEL_VERSION);

    const app::Options options = app::parseCommandLine(QApplication::arguments());
    app::Program program;
    if (options.demo) {
        QString error;
        if (!program.startDemoMeter(&error)) {
            QMessageBox::critical(nullptr, "meterpanel", error);
            return 1;
        }
    }
    program.start();
    return QApplication::exec();
}
