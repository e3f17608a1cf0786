#include "app/HelpWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    HelpWindow::ShowTopic(HelpWindow::Contents);
    return app.exec();
}
