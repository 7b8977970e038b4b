#include "app/Form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Brindlepair"));
    // The desktop matches the game's windows to its menu entry and icon by this name.
    app.setDesktopFileName(QStringLiteral(BRINDLEPAIR_APP_ID));
    Form1 form1;
    form1.show();
    return app.exec();
}
