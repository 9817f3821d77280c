#include "monitor/Frmload.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tarvik::Frmload w;
    w.show();
    return app.exec();
}
