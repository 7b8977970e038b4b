// Finding and loading a picture of the picture folder.
#include "TestPlatform.h"

#include "app/Form1.h"
#include "pictures/PictureFolder.h"

#include <QFile>
#include <QTest>

namespace {

QString missing(const QString& path)
{
    return QStringLiteral("Cannot find file: \r\n") + path + QStringLiteral("\r\nPlease read the 'ReadMe.txt' file.");
}

QString unreadable(const QString& path)
{
    return QStringLiteral("Error while loading file: \r\n") + path
        + QStringLiteral("\r\nPlease read the 'ReadMe.txt' file.");
}

} // namespace

class GetPicTest : public QObject
{
    Q_OBJECT

private slots:
    void buildsThePath_data();
    void buildsThePath();
    void loadsAPictureThatIsThere();
    void missingFileIsReportedAndChangesNothing_data();
    void missingFileIsReportedAndChangesNothing();
    void unreadableFileEndsTheProgram_data();
    void unreadableFileEndsTheProgram();
};

void GetPicTest::buildsThePath_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("file");
    QTest::newRow("face 0") << "cardPussy" << 0 << "cardPussy00.jpg";
    QTest::newRow("face 7") << "cardPussy" << 7 << "cardPussy07.jpg";
    QTest::newRow("face 17") << "cardPussy" << 17 << "cardPussy17.jpg";
    QTest::newRow("face 100") << "cardPussy" << 100 << "cardPussy100.jpg";
    QTest::newRow("deck") << "deckAcorn" << -1 << "deckAcorn.jpg";
    QTest::newRow("select new face") << "(select new)" << 8 << "(select new)08.jpg";
    QTest::newRow("select new deck") << "(select new)" << -1 << "(select new).jpg";
}

void GetPicTest::buildsThePath()
{
    QFETCH(QString, name);
    QFETCH(int, count);
    QFETCH(QString, file);
    QCOMPARE(pictures::picturePath(QStringLiteral("/games/brindlepair"), name, count),
             QStringLiteral("/games/brindlepair/pics/") + file);
}

void GetPicTest::loadsAPictureThatIsThere()
{
    TestPlatform platform;
    platform.writePicture(QStringLiteral("cardPussy03.jpg"), Qt::green, QSize(90, 30));
    Form1 form;
    const ui::Picture picture = form.getPic(QStringLiteral("cardPussy"), 3);
    QVERIFY(picture);
    QCOMPARE(picture->size(), QSize(90, 30));
    QVERIFY(platform.messages.isEmpty());
    // Nothing is kept: every call reads the file again.
    QVERIFY(form.getPic(QStringLiteral("cardPussy"), 3) != picture);
    QCOMPARE(platform.loadedPaths.size(), 2);
}

void GetPicTest::missingFileIsReportedAndChangesNothing_data()
{
    QTest::addColumn<QString>("present");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("asked");
    QTest::newRow("no such face") << "cardPussy00.jpg" << "cardPussy" << 1 << "cardPussy01.jpg";
    QTest::newRow("no such deck") << "" << "deckAcorn" << -1 << "deckAcorn.jpg";
    QTest::newRow("hidden file") << ".cardHidden00.jpg" << ".cardHidden" << 0 << ".cardHidden00.jpg";
    QTest::newRow("select new") << "" << "(select new)" << 8 << "(select new)08.jpg";
    QTest::newRow("wildcard in the name") << "cardPussy00.jpg" << "card*" << 0 << "card*00.jpg";
    QTest::newRow("other letter case") << "cardpussy00.jpg" << "cardPussy" << 0 << "cardPussy00.jpg";
}

void GetPicTest::missingFileIsReportedAndChangesNothing()
{
    QFETCH(QString, present);
    QFETCH(QString, name);
    QFETCH(int, count);
    QFETCH(QString, asked);
    TestPlatform platform;
    if (!present.isEmpty())
        platform.writePicture(present, Qt::red);
    platform.picsDir();
    Form1 form;

    QVERIFY(!form.getPic(name, count));

    QCOMPARE(platform.messages, QStringList{missing(platform.programDir() + QStringLiteral("/pics/") + asked)});
    QVERIFY(platform.loadedPaths.isEmpty());
    QVERIFY(!form.isClosing());
    QVERIFY(form.isLoaded());
    QCOMPARE(form.cardName, QStringLiteral("cardPussy"));
    QCOMPARE(form.deckName, QStringLiteral("deckAcorn"));
}

void GetPicTest::unreadableFileEndsTheProgram_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("listable");
    QTest::newRow("text file named .jpg") << QByteArray("this is no picture\n") << true;
    QTest::newRow("empty file") << QByteArray() << true;
    QTest::newRow("folder cannot be listed") << QByteArray() << false;
}

void GetPicTest::unreadableFileEndsTheProgram()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, listable);
    TestPlatform platform;
    const QString path = platform.picsDir() + QStringLiteral("/cardPussy00.jpg");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    if (!listable)
        platform.unlistable << path;
    Form1 form;
    form.show();

    QVERIFY(!form.getPic(QStringLiteral("cardPussy"), 0));

    QCOMPARE(platform.messages, QStringList{unreadable(path)});
    QVERIFY(form.isClosing());
    QVERIFY(!form.isLoaded());
    QVERIFY(!form.isVisible());
    QCOMPARE(platform.quitCalls, 1);
}

QTEST_MAIN(GetPicTest)
#include "tst_getpic.moc"
