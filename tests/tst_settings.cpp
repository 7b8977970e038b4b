// The settings dialog: its window, the lists read from the picture folder, and
// what OK, Cancel and the close control write into the main window.
#include "TestPlatform.h"

#include "app/Form1.h"
#include "settings/Dialog.h"
#include "ui/Platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>

namespace {

const QString cardMessage = QStringLiteral("Error finding Card-Types.\r\nPlease read the 'ReadMe.txt' file.");
const QString deckMessage = QStringLiteral("Error finding Deck-Types\r\nPlease read the 'ReadMe.txt' file.");
const QString sizeMessage =
    QStringLiteral("Please choose one of the board sizes 4 x 4, 5 x 4, 6 x 4, 6 x 5 or 6 x 6.");
const QString caption = QStringLiteral("Brindlepair Settings");

// Puts an empty file into the picture folder (a path below it may name a
// sub-folder): the listings look at names only.
void putFile(TestPlatform& platform, const QString& name)
{
    const QString path = platform.picsDir() + u'/' + name;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

void putFiles(TestPlatform& platform, const QStringList& names)
{
    for (const QString& name : names)
        putFile(platform, name);
}

// The faces first to last of a card set, as file names.
QStringList faces(const QString& cardName, int first, int last)
{
    QStringList names;
    for (int n = first; n <= last; ++n)
        names << cardName + QStringLiteral("%1.jpg").arg(n, 2, 10, QChar(u'0'));
    return names;
}

// The listing pattern of one kind of picture, as the dialog asks for it.
QString patternOf(TestPlatform& platform, const QString& kind)
{
    return platform.programDir() + QStringLiteral("/pics/") + kind + QStringLiteral("*.*");
}

QStringList listOf(const ui::ComboBox& box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

// Replaces a box's text by typing, as the player would.
void retype(ui::ComboBox& box, const QString& text)
{
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_Backspace);
    for (const QChar c : text) {
        // A key of its own for every character; those beyond ASCII arrive as
        // text, as from an input method.
        if (c.unicode() < 128)
            QTest::keyClick(&box, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// The four choices of the main window, as text, to compare in one go.
QStringList choicesOf(const Form1& form)
{
    return {form.cardName, form.deckName, QString::number(form.squareMaxX), QString::number(form.squareMaxY)};
}

QString captionOf(const QWidget* control)
{
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    return {};
}

} // namespace

class SettingsDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void windowIsAFixedDialogAtItsDesignedPlace();
    void controlsSitAtTheirDesignedPlaces_data();
    void controlsSitAtTheirDesignedPlaces();
    void tabMovesThroughTheControlsInOrder();
    void enterAndEscapePressNoButton_data();
    void enterAndEscapePressNoButton();
    void listsTheFolder_data();
    void listsTheFolder();
    void presetsTheBoxes_data();
    void presetsTheBoxes();
    void okWritesTheChoices_data();
    void okWritesTheChoices();
    void pickingFromAListChoosesThatItem_data();
    void pickingFromAListChoosesThatItem();
    void boardSizeIsReadFromItsFirstAndLastCharacters_data();
    void boardSizeIsReadFromItsFirstAndLastCharacters();
    void refusedSizeKeepsTheOpenDialogOpen();
    void acceptedSizeRebuildsTheBoard();
    void cancelAndTheCloseControlWriteNothing_data();
    void cancelAndTheCloseControlWriteNothing();
    void listingFailuresAreReportedAndTheDialogStillOpens_data();
    void listingFailuresAreReportedAndTheDialogStillOpens();
    void eventsAreProcessedAfterEveryEntry_data();
    void eventsAreProcessedAfterEveryEntry();
    void closingTheMainWindowDuringAListingStopsIt();
    void fileNameLosesItsFolderAndExtension_data();
    void fileNameLosesItsFolderAndExtension();
};

void SettingsDialogTest::windowIsAFixedDialogAtItsDesignedPlace()
{
    TestPlatform platform;
    Form1 form;
    Dialog dialog(form);
    dialog.show();

    QCOMPARE(dialog.windowTitle(), caption);
    // 6030 x 1635 twips, at left 2760 and top 3750: 15 twips to the pixel.
    QCOMPARE(dialog.size(), QSize(402, 109));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QCOMPARE(dialog.pos(), QPoint(184, 250));
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    // A tool window keeps out of the taskbar.
    QVERIFY(flags.testFlag(Qt::Tool));
    for (const ui::ComboBox* box : {&dialog.Combo1, &dialog.Combo2, &dialog.Combo3})
        QVERIFY(box->isEditable());
}

void SettingsDialogTest::controlsSitAtTheirDesignedPlaces_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<QRect>("pixels");
    QTest::addColumn<QString>("caption");
    QTest::newRow("OKButton") << 0 << QRect(312, 8, 81, 25) << "OK";
    QTest::newRow("CancelButton") << 1 << QRect(312, 40, 81, 25) << "Cancel";
    QTest::newRow("Combo1") << 2 << QRect(152, 8, 145, 21) << "";
    QTest::newRow("Combo2") << 3 << QRect(152, 40, 145, 21) << "";
    QTest::newRow("Combo3") << 4 << QRect(152, 72, 145, 21) << "";
    QTest::newRow("Label1") << 5 << QRect(24, 8, 72, 13) << "select Card-Set";
    QTest::newRow("Label2") << 6 << QRect(24, 40, 57, 13) << "select Deck";
    QTest::newRow("Label3") << 7 << QRect(24, 72, 78, 13) << "select Gamefield";
}

void SettingsDialogTest::controlsSitAtTheirDesignedPlaces()
{
    QFETCH(int, control);
    QFETCH(QRect, pixels);
    QFETCH(QString, caption);
    TestPlatform platform;
    Form1 form;
    Dialog dialog(form);
    dialog.show();
    const QList<QWidget*> controls{&dialog.OKButton, &dialog.CancelButton, &dialog.Combo1, &dialog.Combo2,
                                   &dialog.Combo3,   &dialog.Label1,       &dialog.Label2, &dialog.Label3};
    const QRect shown = controls[control]->geometry();
    QCOMPARE(shown.topLeft(), pixels.topLeft());
    QCOMPARE(shown.height(), pixels.height());
    // A label whose caption is wider than its place runs on to the right.
    if (qobject_cast<QLabel*>(controls[control]))
        QVERIFY(shown.width() >= pixels.width());
    else
        QCOMPARE(shown.width(), pixels.width());
    QCOMPARE(captionOf(controls[control]), caption);
}

void SettingsDialogTest::tabMovesThroughTheControlsInOrder()
{
    TestPlatform platform;
    Form1 form;
    Dialog dialog(form);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(dialog.isActiveWindow());
    dialog.OKButton.setFocus();

    QList<QWidget*> visited;
    for (int press = 0; press < 5; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    // The labels take no focus: Tab passes them and comes round to OK again.
    QCOMPARE(visited, (QList<QWidget*>{&dialog.CancelButton, &dialog.Combo1, &dialog.Combo2, &dialog.Combo3,
                                       &dialog.OKButton}));
}

void SettingsDialogTest::enterAndEscapePressNoButton_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void SettingsDialogTest::enterAndEscapePressNoButton()
{
    QFETCH(int, key);
    TestPlatform platform;
    Form1 form;
    const QStringList before = choicesOf(form);
    Dialog dialog(form);
    dialog.show();
    retype(dialog.Combo1, QStringLiteral("cardOther"));
    QTest::keyClick(&dialog.Combo1, Qt::Key(key));
    QTest::keyClick(&dialog.OKButton, Qt::Key(key));

    QVERIFY(dialog.isLoaded());
    QCOMPARE(choicesOf(form), before);
}

void SettingsDialogTest::listsTheFolder_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<QStringList>("decks");
    QTest::newRow("no pics folder") << QStringList() << QStringList() << QStringList() << QStringList();
    QTest::newRow("no card or deck files")
        << QStringList{"ReadMe.txt", "acorn.jpg"} << QStringList() << QStringList() << QStringList();
    QTest::newRow("numbered faces give one set each")
        << (faces("cardX", 0, 17) << "cardY00.jpg") << QStringList() << QStringList{"cardX", "cardY"}
        << QStringList();
    QTest::newRow("a set whose name starts a later one")
        << (faces("cardAB", 0, 1) + faces("cardABC", 0, 1)) << QStringList() << QStringList{"cardAB", "cardABC"}
        << QStringList();
    QTest::newRow("a set whose name starts an earlier one")
        << (faces("cardAB-", 0, 1) + faces("cardAB", 0, 1)) << QStringList() << QStringList{"cardAB-", "cardAB"}
        << QStringList();
    QTest::newRow("letter case tells sets apart")
        << (faces("cardab", 0, 1) + faces("cardAB", 0, 1)) << QStringList() << QStringList{"cardAB", "cardab"}
        << QStringList();
    QTest::newRow("faces with any extension")
        << QStringList{"cardQ00.png", "cardQ01.jpg", "cardR00.txt"} << QStringList() << QStringList{"cardQ", "cardR"}
        << QStringList();
    QTest::newRow("a deck without its extension")
        << QStringList{"deckAcorn.jpg"} << QStringList() << QStringList() << QStringList{"deckAcorn"};
    QTest::newRow("two decks of one base name")
        << QStringList{"deckAcorn.jpg", "deckAcorn.png"} << QStringList() << QStringList()
        << QStringList{"deckAcorn", "deckAcorn"};
    QTest::newRow("folders and what they hold are not listed")
        << QStringList{"sub/cardS00.jpg", "sub/deckSub.jpg", "deckPlain.jpg", "cardPlain00.jpg"}
        << QStringList{"cardF00.jpg", "deckFolder.jpg"} << QStringList{"cardPlain"} << QStringList{"deckPlain"};
}

void SettingsDialogTest::listsTheFolder()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);
    QFETCH(QStringList, cards);
    QFETCH(QStringList, decks);
    TestPlatform platform;
    putFiles(platform, files);
    for (const QString& folder : folders)
        QVERIFY(QDir(platform.picsDir()).mkpath(folder));
    Form1 form;
    Dialog dialog(form);

    QCOMPARE(listOf(dialog.Combo1), cards);
    QCOMPARE(listOf(dialog.Combo2), decks);
    // The boxes show the current choices, whatever the lists hold.
    QCOMPARE(dialog.Combo1.text(), QStringLiteral("cardPussy"));
    QCOMPARE(dialog.Combo2.text(), QStringLiteral("deckAcorn"));
    QVERIFY(platform.messages.isEmpty());
}

void SettingsDialogTest::presetsTheBoxes_data()
{
    QTest::addColumn<QString>("cardName");
    QTest::addColumn<QString>("deckName");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("size");
    QTest::newRow("the defaults") << "cardPussy" << "deckAcorn" << 4 << 4 << "4 x 4";
    QTest::newRow("6 x 5") << "cardPussy" << "deckAcorn" << 6 << 5 << "6 x 5";
    QTest::newRow("names in the lists") << "cardX" << "deckOak" << 6 << 4 << "6 x 4";
    QTest::newRow("(select new)") << "(select new)" << "(select new)" << 4 << 4 << "4 x 4";
    QTest::newRow("a size not on offer") << "cardPussy" << "deckAcorn" << 9 << 7 << "9 x 7";
}

void SettingsDialogTest::presetsTheBoxes()
{
    QFETCH(QString, cardName);
    QFETCH(QString, deckName);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(QString, size);
    TestPlatform platform;
    putFiles(platform, {"cardX00.jpg", "cardY00.jpg", "deckOak.jpg"});
    Form1 form;
    form.cardName = cardName;
    form.deckName = deckName;
    form.squareMaxX = columns;
    form.squareMaxY = rows;
    Dialog dialog(form);

    QCOMPARE(dialog.Combo1.text(), cardName);
    QCOMPARE(dialog.Combo2.text(), deckName);
    QCOMPARE(dialog.Combo3.text(), size);
    QCOMPARE(listOf(dialog.Combo3), (QStringList{"4 x 4", "5 x 4", "6 x 4", "6 x 5", "6 x 6"}));
}

void SettingsDialogTest::okWritesTheChoices_data()
{
    QTest::addColumn<QString>("cardName");
    QTest::addColumn<QString>("deckName");
    QTest::addColumn<QString>("typedCard");
    QTest::addColumn<QString>("typedDeck");
    QTest::addColumn<QString>("typedSize");
    QTest::addColumn<QStringList>("choices");
    QTest::newRow("nothing changed")
        << "cardPussy" << "deckAcorn" << "" << "" << "" << QStringList{"cardPussy", "deckAcorn", "4", "4"};
    QTest::newRow("(select new) written back")
        << "(select new)" << "(select new)" << "" << "" << ""
        << QStringList{"(select new)", "(select new)", "4", "4"};
    QTest::newRow("5 x 4 typed")
        << "cardPussy" << "deckAcorn" << "" << "" << "5 x 4" << QStringList{"cardPussy", "deckAcorn", "5", "4"};
    QTest::newRow("typed names taken as they are")
        << "cardPussy" << "deckAcorn" << "cardNew" << "deck Oak " << "6 x 6"
        << QStringList{"cardNew", "deck Oak ", "6", "6"};
}

void SettingsDialogTest::okWritesTheChoices()
{
    QFETCH(QString, cardName);
    QFETCH(QString, deckName);
    QFETCH(QString, typedCard);
    QFETCH(QString, typedDeck);
    QFETCH(QString, typedSize);
    QFETCH(QStringList, choices);
    TestPlatform platform;
    Form1 form;
    form.cardName = cardName;
    form.deckName = deckName;
    Dialog dialog(form);
    if (!typedCard.isEmpty())
        retype(dialog.Combo1, typedCard);
    if (!typedDeck.isEmpty())
        retype(dialog.Combo2, typedDeck);
    if (!typedSize.isEmpty())
        retype(dialog.Combo3, typedSize);
    QTest::mouseClick(&dialog.OKButton, Qt::LeftButton);

    QVERIFY(!dialog.isLoaded());
    QCOMPARE(choicesOf(form), choices);
    QVERIFY(platform.messages.isEmpty());
}

void SettingsDialogTest::pickingFromAListChoosesThatItem_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QStringList>("choices");
    // The current names are not in the lists: the first press picks the first item.
    QTest::newRow("second card set") << 1 << 2 << QStringList{"cardY", "deckAcorn", "4", "4"};
    QTest::newRow("first deck") << 2 << 1 << QStringList{"cardPussy", "deckOak", "4", "4"};
    // The size is: the list starts from "4 x 4".
    QTest::newRow("5 x 4") << 3 << 1 << QStringList{"cardPussy", "deckAcorn", "5", "4"};
    QTest::newRow("6 x 6") << 3 << 4 << QStringList{"cardPussy", "deckAcorn", "6", "6"};
}

void SettingsDialogTest::pickingFromAListChoosesThatItem()
{
    QFETCH(int, box);
    QFETCH(int, presses);
    QFETCH(QStringList, choices);
    TestPlatform platform;
    putFiles(platform, {"cardX00.jpg", "cardY00.jpg", "deckOak.jpg", "deckPine.jpg"});
    Form1 form;
    Dialog dialog(form);
    ui::ComboBox* boxes[] = {&dialog.Combo1, &dialog.Combo2, &dialog.Combo3};
    for (int press = 0; press < presses; ++press)
        QTest::keyClick(boxes[box - 1], Qt::Key_Down);
    QTest::mouseClick(&dialog.OKButton, Qt::LeftButton);

    QCOMPARE(choicesOf(form), choices);
}

void SettingsDialogTest::boardSizeIsReadFromItsFirstAndLastCharacters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::newRow("6x5") << "6x5" << true << 6 << 5;
    QTest::newRow("6 by 4") << "6 by 4" << true << 6 << 4;
    QTest::newRow("a lone 6") << "6" << true << 6 << 6;
    QTest::newRow("8 x 8") << "8 x 8" << false << 4 << 4;
    QTest::newRow("5 x 5") << "5 x 5" << false << 4 << 4;
    QTest::newRow("4 x 5") << "4 x 5" << false << 4 << 4;
    QTest::newRow("0 x 4") << "0 x 4" << false << 4 << 4;
    QTest::newRow("x") << "x" << false << 4 << 4;
    QTest::newRow("empty") << "" << false << 4 << 4;
    QTest::newRow("a x 4") << "a x 4" << false << 4 << 4;
    QTest::newRow("trailing blank") << "6 x 5 " << false << 4 << 4;
    QTest::newRow("full-width digits") << QStringLiteral("\uFF16 x \uFF15") << false << 4 << 4;
}

void SettingsDialogTest::boardSizeIsReadFromItsFirstAndLastCharacters()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(int, columns);
    QFETCH(int, rows);
    TestPlatform platform;
    Form1 form;
    Dialog dialog(form);
    retype(dialog.Combo1, QStringLiteral("cardOther"));
    retype(dialog.Combo3, typed);
    QCOMPARE(dialog.Combo3.text(), typed);
    QTest::mouseClick(&dialog.OKButton, Qt::LeftButton);

    QCOMPARE(form.squareMaxX, columns);
    QCOMPARE(form.squareMaxY, rows);
    // A refused size writes nothing at all and leaves the dialog open.
    QCOMPARE(form.cardName, accepted ? QStringLiteral("cardOther") : QStringLiteral("cardPussy"));
    QCOMPARE(dialog.isLoaded(), !accepted);
    QCOMPARE(platform.messages, accepted ? QStringList() : QStringList{sizeMessage});
}

void SettingsDialogTest::refusedSizeKeepsTheOpenDialogOpen()
{
    TestPlatform platform;
    Form1 form;
    bool openAfterOK = false;
    platform.modalAnswers.push_back([&](ui::Window& window) {
        auto& dialog = static_cast<Dialog&>(window);
        retype(dialog.Combo3, QStringLiteral("5 x 5"));
        QTest::mouseClick(&dialog.OKButton, Qt::LeftButton);
        openAfterOK = dialog.isLoaded() && dialog.isVisible();
        QTest::mouseClick(&dialog.CancelButton, Qt::LeftButton);
    });
    QTest::mouseClick(&form.Command2, Qt::LeftButton);

    QVERIFY(openAfterOK);
    QCOMPARE(platform.messages, QStringList{sizeMessage});
    QCOMPARE(choicesOf(form), (QStringList{"cardPussy", "deckAcorn", "4", "4"}));
    QVERIFY(!form.board().allocated());
    QVERIFY(form.isLoaded());
}

void SettingsDialogTest::acceptedSizeRebuildsTheBoard()
{
    TestPlatform platform;
    for (int n = 0; n < 10; ++n)
        platform.writePicture(QStringLiteral("cardPussy%1.jpg").arg(n, 2, 10, QChar(u'0')), Qt::red);
    platform.writePicture(QStringLiteral("deckAcorn.jpg"), Qt::blue);
    Form1 form;
    platform.modalAnswers.push_back([](ui::Window& window) {
        auto& dialog = static_cast<Dialog&>(window);
        QTest::keyClick(&dialog.Combo3, Qt::Key_Down);
        QTest::mouseClick(&dialog.OKButton, Qt::LeftButton);
    });
    QTest::mouseClick(&form.Command2, Qt::LeftButton);

    QCOMPARE(platform.modalCaptions, QStringList{caption});
    QCOMPARE(choicesOf(form), (QStringList{"cardPussy", "deckAcorn", "5", "4"}));
    QVERIFY(form.isBoardReady());
    QCOMPARE(form.board().upperX(), 5);
    QCOMPARE(form.board().upperY(), 4);
}

void SettingsDialogTest::cancelAndTheCloseControlWriteNothing_data()
{
    QTest::addColumn<bool>("closeControl");
    QTest::newRow("Cancel") << false;
    QTest::newRow("close control") << true;
}

void SettingsDialogTest::cancelAndTheCloseControlWriteNothing()
{
    QFETCH(bool, closeControl);
    TestPlatform platform;
    putFiles(platform, {"cardX00.jpg", "deckOak.jpg"});
    Form1 form;
    bool closed = false;
    platform.modalAnswers.push_back([&](ui::Window& window) {
        auto& dialog = static_cast<Dialog&>(window);
        retype(dialog.Combo1, QStringLiteral("cardX"));
        retype(dialog.Combo2, QStringLiteral("deckOak"));
        retype(dialog.Combo3, QStringLiteral("6 x 6"));
        if (closeControl)
            dialog.close();
        else
            QTest::mouseClick(&dialog.CancelButton, Qt::LeftButton);
        closed = !dialog.isLoaded() && !dialog.isVisible();
    });
    QTest::mouseClick(&form.Command2, Qt::LeftButton);

    QVERIFY(closed);
    QCOMPARE(choicesOf(form), (QStringList{"cardPussy", "deckAcorn", "4", "4"}));
    QVERIFY(!form.board().allocated());
    QVERIFY(platform.messages.isEmpty());
}

void SettingsDialogTest::listingFailuresAreReportedAndTheDialogStillOpens_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("unlistable");
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<QStringList>("decks");
    QTest::addColumn<QStringList>("messages");
    const QStringList files{"cardX00.jpg", "cardX01.jpg", "deckOak.jpg"};
    QTest::newRow("card sets cannot be listed")
        << files << QStringList{"card"} << QStringList() << QStringList{"deckOak"} << QStringList{cardMessage};
    QTest::newRow("decks cannot be listed")
        << files << QStringList{"deck"} << QStringList{"cardX"} << QStringList() << QStringList{deckMessage};
    QTest::newRow("neither can be listed") << files << QStringList{"card", "deck"} << QStringList() << QStringList()
                                           << QStringList{cardMessage, deckMessage};
    QTest::newRow("a card file name too short")
        << (QStringList{"card."} + files) << QStringList() << QStringList() << QStringList{"deckOak"}
        << QStringList{cardMessage};
    QTest::newRow("a short name drops the sets found before it")
        << (QStringList{"card-00.jpg", "card."} + files) << QStringList() << QStringList() << QStringList{"deckOak"}
        << QStringList{cardMessage};
}

void SettingsDialogTest::listingFailuresAreReportedAndTheDialogStillOpens()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, unlistable);
    QFETCH(QStringList, cards);
    QFETCH(QStringList, decks);
    QFETCH(QStringList, messages);
    TestPlatform platform;
    putFiles(platform, files);
    for (const QString& kind : unlistable)
        platform.unlistable << patternOf(platform, kind);
    Form1 form;
    QStringList shownCards;
    QStringList shownDecks;
    QStringList shownTexts;
    platform.modalAnswers.push_back([&](ui::Window& window) {
        auto& dialog = static_cast<Dialog&>(window);
        shownCards = listOf(dialog.Combo1);
        shownDecks = listOf(dialog.Combo2);
        shownTexts = {dialog.Combo1.text(), dialog.Combo2.text(), dialog.Combo3.text()};
        QTest::mouseClick(&dialog.OKButton, Qt::LeftButton);
    });
    QTest::mouseClick(&form.Command2, Qt::LeftButton);

    QCOMPARE(platform.messages, messages);
    QCOMPARE(platform.modalCaptions, QStringList{caption});
    QCOMPARE(shownCards, cards);
    QCOMPARE(shownDecks, decks);
    QCOMPARE(shownTexts, (QStringList{"cardPussy", "deckAcorn", "4 x 4"}));
    QCOMPARE(choicesOf(form), (QStringList{"cardPussy", "deckAcorn", "4", "4"}));
    QVERIFY(form.isLoaded());
    QCOMPARE(platform.quitCalls, 0);
}

void SettingsDialogTest::eventsAreProcessedAfterEveryEntry_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("entries");
    // A face of a set already listed is an entry all the same.
    QTest::newRow("three faces and two decks")
        << QStringList{"cardX00.jpg", "cardX01.jpg", "cardY00.jpg", "deckOak.jpg", "deckPine.jpg", "ReadMe.txt"}
        << 5;
    QTest::newRow("nothing to list") << QStringList{"ReadMe.txt"} << 0;
}

void SettingsDialogTest::eventsAreProcessedAfterEveryEntry()
{
    QFETCH(QStringList, files);
    QFETCH(int, entries);
    TestPlatform platform;
    putFiles(platform, files);
    Form1 form;
    bool handled = false;
    QMetaObject::invokeMethod(&form, [&handled] { handled = true; }, Qt::QueuedConnection);
    const int before = platform.processEventsCalls;
    Dialog dialog(form);

    QCOMPARE(platform.processEventsCalls - before, entries);
    // Processing is the real thing: an event already waiting is handled.
    QCOMPARE(handled, entries > 0);
}

void SettingsDialogTest::closingTheMainWindowDuringAListingStopsIt()
{
    TestPlatform platform;
    putFiles(platform, {"cardX00.jpg", "cardY00.jpg", "deckOak.jpg"});
    Form1 form;
    form.show();
    platform.onProcessEvents = [&form] {
        if (form.isLoaded())
            form.close();
    };
    Dialog dialog(form);

    QVERIFY(!form.isLoaded());
    QVERIFY(!dialog.isLoaded());
    QCOMPARE(platform.quitCalls, 1);
    // The listing stopped at the entry during which the window was closed.
    QCOMPARE(platform.processEventsCalls, 1);
    QCOMPARE(dialog.Combo2.count(), 0);
    // Opening it afterwards, as the main window's Settings does, neither
    // lists again nor leaves it open.
    dialog.showModal(&form);
    QVERIFY(!dialog.isLoaded());
    QCOMPARE(platform.processEventsCalls, 1);
    QVERIFY(ui::Window::openWindows().isEmpty());
}

void SettingsDialogTest::fileNameLosesItsFolderAndExtension_data()
{
    const QString sep = ui::separator();
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("a path") << sep + "games" + sep + "pics" + sep + "deckAcorn.jpg" << "deckAcorn";
    QTest::newRow("a bare file name") << "cardX00.jpg" << "cardX00";
    QTest::newRow("the extension alone") << ".jpg" << "";
    QTest::newRow("shorter than an extension") << "pics" + sep + "abc" << "";
    QTest::newRow("a folder") << "pics" + sep << "";
}

void SettingsDialogTest::fileNameLosesItsFolderAndExtension()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    TestPlatform platform;
    Form1 form;
    Dialog dialog(form);
    QCOMPARE(dialog.getFileName(path), name);
}

QTEST_MAIN(SettingsDialogTest)
#include "tst_settingsdialog.moc"
