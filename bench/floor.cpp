// The floor: a bare Qt program that starts the offscreen platform and writes a one-line PDF.
// No label printer built on Qt starts and writes a PDF faster; scripts/bench-floor compares
// a whole `tagwright-cli print` process with it.
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    QGuiApplication app(argc, argv);
    QPdfWriter pdf(QString::fromLocal8Bit(argv[1]));
    QPainter painter(&pdf);
    painter.setFont(QFont(QStringLiteral("Liberation Sans"), 10));
    painter.drawText(100, 100, QStringLiteral("N5217K C172S 172S10458"));
    return 0;
}
