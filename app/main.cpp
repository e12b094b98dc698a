#include "startup/Startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return tagwright::startup::runTagwright(app);
}
