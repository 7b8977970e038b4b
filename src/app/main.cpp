#include "app/Form1.h"
#include "ui/access/SurfaceAccessible.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Brindlepair"));
    // The desktop matches the game's windows to its menu entry and icon by this name.
    app.setDesktopFileName(QStringLiteral(BRINDLEPAIR_APP_ID));
    // A screen reader sees the board as a table of cards.
    ui::SurfaceAccessible::installFactory();
    Form1 form1;
    form1.show();
    return app.exec();
}
