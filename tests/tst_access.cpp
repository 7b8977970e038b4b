// What a screen reader is told of the game's windows.
#include "BoardFixture.h"

#include "hiscore/Dialog1.h"

#include <QAccessible>
#include <QTest>

class AccessTest : public QObject
{
    Q_OBJECT

private slots:
    void dialogControlsAreNamedByTheirLabels()
    {
        TestPlatform platform;
        fixture::writePictures(platform);
        Form1 form;
        Dialog settings(form);
        const std::pair<QWidget*, QString> boxes[] = {{&settings.Combo1, "select Card-Set"},
                                                      {&settings.Combo2, "select Deck"},
                                                      {&settings.Combo3, "select Gamefield"}};
        for (const auto& [box, label] : boxes) {
            const auto labels = QAccessible::queryAccessibleInterface(box)->relations(QAccessible::Label);
            QCOMPARE(labels.size(), 1);
            QCOMPARE(labels.first().first->text(QAccessible::Name), label);
        }
        QAccessibleInterface* nameBox = QAccessible::queryAccessibleInterface(&form.hiscoreDialog().Text1);
        QCOMPARE(nameBox->text(QAccessible::Name), QStringLiteral("Enter name:"));
    }
};

QTEST_MAIN(AccessTest)
#include "tst_access.moc"
