#include "app/Form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Brindlepair"));
    Form1 form1;
    form1.show();
    return app.exec();
}
