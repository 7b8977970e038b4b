// The settings dialog: the lists read from the picture folder, the boxes preset
// from the main window, and what OK, Cancel and the close control write back.
#include "BoardFixture.h"

#include "settings/Dialog.h"

#include <QDir>
#include <QTest>

namespace {

const QString cardMessage = QStringLiteral("Error finding Card-Types.\r\nPlease read the 'ReadMe.txt' file.");
const QString deckMessage = QStringLiteral("Error finding Deck-Types\r\nPlease read the 'ReadMe.txt' file.");
const QStringList defaults{"cardPussy", "deckAcorn", "4", "4"};

// Puts empty files into the picture folder (a name ending in a slash is a
// folder, one with a slash inside lies in a sub-folder): the listings look at names only.
void putFiles(const QString& pics, const QStringList& names)
{
    for (const QString& name : names) {
        const QString path = pics + u'/' + name;
        QDir().mkpath(QFileInfo(path).path());
        if (!name.endsWith(u'/'))
            fixture::putFile(path, {});
    }
}

// Faces 00 and 01 of a card set, as file names.
QStringList twoFaces(const QString& cardName)
{
    return {fixture::faceFile(cardName, 0), fixture::faceFile(cardName, 1)};
}

QStringList listOf(const ui::ComboBox& box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

QStringList choicesOf(const Form1& form)
{
    return {form.cardName, form.deckName, QString::number(form.squareMaxX), QString::number(form.squareMaxY)};
}

} // namespace

struct Listing
{
    QStringList files;
    QStringList cards;
    QStringList decks;
    // "card" or "deck": the listings that fail as if the folder could not be read.
    QStringList unlistable = {};
    QStringList messages = {};
    // In the player's own picture folder.
    QStringList own = {};
};

struct Choice
{
    QStringList choices;
    QString shownSize;
    // Typed into the boxes ("(empty)" empties one), or "down N" for N presses of the arrow key.
    QStringList typed;
    QStringList written;
    // A size that is not on offer is refused: nothing is written and the dialog stays open.
    bool refused = false;
    // How the dialog is answered: OK, or one of the ways that write nothing.
    enum { ok, cancel, closeControl, enter, escape } answer = ok;
};

class SettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void listsTheFolder_data()
    {
        QTest::addColumn<Listing>("listing");
        const QStringList none;
        QTest::newRow("no pics folder") << Listing{{}, none, none};
        QTest::newRow("numbered faces give one set each")
            << Listing{twoFaces("cardX") << "cardX17.jpg" << "cardY00.jpg", {"cardX", "cardY"}, none};
        QTest::newRow("a set whose name starts a later one")
            << Listing{twoFaces("cardAB") + twoFaces("cardABC"), {"cardAB", "cardABC"}, none};
        QTest::newRow("a set whose name starts an earlier one")
            << Listing{twoFaces("cardAB-") + twoFaces("cardAB"), {"cardAB-", "cardAB"}, none};
        QTest::newRow("brackets in a name") << Listing{twoFaces("card[1]"), {"card[1]"}, none};
        QTest::newRow("letter case tells sets apart")
            << Listing{twoFaces("cardab") + twoFaces("cardAB"), {"cardAB", "cardab"}, none};
        QTest::newRow("faces with any extension")
            << Listing{{"cardQ00.png", "cardQ01.jpg", "cardR00.txt"}, {"cardQ", "cardR"}, none};
        QTest::newRow("two decks of one base name")
            << Listing{{"deckAcorn.jpg", "deckAcorn.png"}, none, {"deckAcorn", "deckAcorn"}};
        QTest::newRow("folders, what they hold and hidden files are not listed")
            << Listing{{"sub/cardS00.jpg", "sub/deckSub.jpg", "cardF00.jpg/", "deckFolder.jpg/", ".cardH00.jpg",
                        "deckPlain.jpg", "cardPlain00.jpg"},
                       {"cardPlain"},
                       {"deckPlain"}};
        const QStringList files{"cardX00.jpg", "cardX01.jpg", "deckOak.jpg"};
        QTest::newRow("card sets cannot be listed") << Listing{files, none, {"deckOak"}, {"card"}, {cardMessage}};
        QTest::newRow("decks cannot be listed") << Listing{files, {"cardX"}, none, {"deck"}, {deckMessage}};
        QTest::newRow("neither can be listed")
            << Listing{files, none, none, {"card", "deck"}, {cardMessage, deckMessage}};
        QTest::newRow("the player's own, in name order with the game's")
            << Listing{{"cardX00.jpg", "deckOak.jpg"}, {"cardA", "cardX", "cardZ"}, {"deckBirch", "deckOak"}, {}, {},
                       {"cardZ00.jpg", "cardA00.jpg", "deckBirch.jpg"}};
        QTest::newRow("a set and a deck in both folders, once")
            << Listing{files, {"cardX"}, {"deckOak"}, {}, {}, {"cardX00.jpg", "cardX05.jpg", "deckOak.jpg"}};
        QTest::newRow("a name too short drops the sets found before it")
            << Listing{QStringList{"card-00.jpg", "card."} + files, none, {"deckOak"}, {}, {cardMessage}};
    }

    void listsTheFolder()
    {
        QFETCH(Listing, listing);
        TestPlatform platform;
        putFiles(platform.picsDir(), listing.files);
        if (!listing.own.isEmpty())
            putFiles(platform.playerPicsDir(), listing.own);
        for (const QString& kind : listing.unlistable)
            platform.unlistable << platform.programDir() + QStringLiteral("/pics/") + kind + QStringLiteral("*.*");
        Form1 form;
        QList<QStringList> shown;
        platform.modalAnswers.push_back([&](ui::Window& window) {
            auto& dialog = static_cast<Dialog&>(window);
            shown = {listOf(dialog.Combo1), listOf(dialog.Combo2), listOf(dialog.Combo3),
                     {dialog.Combo1.text(), dialog.Combo2.text(), dialog.Combo3.text()}};
            QTest::mouseClick(&dialog.OKButton, Qt::LeftButton);
        });
        QTest::mouseClick(&form.Command2, Qt::LeftButton);

        // The dialog opens whatever the listings met, and shows the current
        // choices whatever the lists hold.
        QCOMPARE(platform.modalCaptions, QStringList{QStringLiteral("Brindlepair Settings")});
        QCOMPARE(platform.messages, listing.messages);
        const QList<QStringList> expected{listing.cards, listing.decks, {"4 x 4", "5 x 4", "6 x 4", "6 x 5", "6 x 6"},
                                          {"cardPussy", "deckAcorn", "4 x 4"}};
        QCOMPARE(shown, expected);
        QCOMPARE(choicesOf(form), defaults);
    }

    void okWritesWhatTheBoxesShow_data()
    {
        QTest::addColumn<Choice>("choice");
        const QStringList none{"", "", ""};
        QTest::newRow("nothing changed") << Choice{defaults, "4 x 4", none, defaults};
        QTest::newRow("(select new) written back") << Choice{{"(select new)", "(select new)", "6", "5"}, "6 x 5", none,
                                                             {"(select new)", "(select new)", "6", "5"}};
        QTest::newRow("typed names taken as they are")
            << Choice{defaults, "4 x 4", {"cardNew", "deck Oak ", "6 x 6"}, {"cardNew", "deck Oak ", "6", "6"}};
        // The current names are not in the lists: the first press picks the first item.
        QTest::newRow("second card set picked")
            << Choice{defaults, "4 x 4", {"down 2", "", ""}, {"cardY", "deckAcorn", "4", "4"}};
        // The size list starts from the size shown.
        QTest::newRow("6 x 4 to 6 x 6 picked")
            << Choice{{"cardX", "deckOak", "6", "4"}, "6 x 4", {"", "", "down 2"}, {"cardX", "deckOak", "6", "6"}};
        // A size is read from the first and last characters of the box.
        QTest::newRow("6x5") << Choice{defaults, "4 x 4", {"cardNew", "", "6x5"}, {"cardNew", "deckAcorn", "6", "5"}};
        QTest::newRow("a lone 6") << Choice{defaults, "4 x 4", {"cardX", "", "6"}, {"cardX", "deckAcorn", "6", "6"}};
        // Cancel, the close control, Enter and Escape write nothing; neither
        // button is bound to either key, so the dialog stays open after them.
        const QStringList changed{"cardX", "deckOak", "6 x 6"};
        QTest::newRow("Cancel") << Choice{defaults, "4 x 4", changed, defaults, false, Choice::cancel};
        QTest::newRow("the close control") << Choice{defaults, "4 x 4", changed, defaults, false, Choice::closeControl};
        QTest::newRow("Enter") << Choice{defaults, "4 x 4", changed, defaults, true, Choice::enter};
        QTest::newRow("Escape") << Choice{defaults, "4 x 4", changed, defaults, true, Choice::escape};
        for (const QString size : {"8 x 8", "5 x 5", "4 x 5", "0 x 4", "(empty)", "a x 4", "6 x 5 ", "\uFF16 x \uFF15"})
            QTest::newRow(qPrintable(QStringLiteral("\"%1\" refused").arg(size)))
                << Choice{defaults, "4 x 4", {"cardNew", "", size}, defaults, true};
    }

    void okWritesWhatTheBoxesShow()
    {
        QFETCH(Choice, choice);
        TestPlatform platform;
        putFiles(platform.picsDir(), {"cardX00.jpg", "cardY00.jpg", "deckOak.jpg", "deckPine.jpg"});
        Form1 form;
        form.cardName = choice.choices[0];
        form.deckName = choice.choices[1];
        form.squareMaxX = choice.choices[2].toInt();
        form.squareMaxY = choice.choices[3].toInt();
        Dialog dialog(form);
        QCOMPARE((QStringList{dialog.Combo1.text(), dialog.Combo2.text(), dialog.Combo3.text()}),
                 (QStringList{choice.choices[0], choice.choices[1], choice.shownSize}));

        ui::ComboBox* boxes[] = {&dialog.Combo1, &dialog.Combo2, &dialog.Combo3};
        for (int box = 0; box < 3; ++box) {
            const QString& typed = choice.typed[box];
            for (int press = typed.startsWith(QStringLiteral("down ")) ? typed.mid(5).toInt() : 0; press > 0; --press)
                QTest::keyClick(boxes[box], Qt::Key_Down);
            if (!typed.isEmpty() && !typed.startsWith(QStringLiteral("down ")))
                fixture::retype(*boxes[box], typed == QStringLiteral("(empty)") ? QString() : typed);
        }
        dialog.show();
        if (choice.answer == Choice::ok || choice.answer == Choice::cancel) {
            QTest::mouseClick(choice.answer == Choice::ok ? &dialog.OKButton : &dialog.CancelButton, Qt::LeftButton);
        } else if (choice.answer == Choice::closeControl) {
            dialog.close();
        } else {
            const Qt::Key key = choice.answer == Choice::enter ? Qt::Key_Return : Qt::Key_Escape;
            QTest::keyClick(&dialog.Combo1, key);
            QTest::keyClick(&dialog.OKButton, key);
        }

        QCOMPARE(dialog.isLoaded(), choice.refused);
        QCOMPARE(choicesOf(form), choice.written);
        const QString refusal = "Please choose one of the board sizes 4 x 4, 5 x 4, 6 x 4, 6 x 5 or 6 x 6.";
        const bool sizeRefused = choice.refused && choice.answer == Choice::ok;
        QCOMPARE(platform.messages, sizeRefused ? QStringList{refusal} : QStringList());
    }

    void labelsShowTheirWholeCaption()
    {
        // A caption wider than its designed place runs on to the right instead
        // of being cut off.
        TestPlatform platform;
        Form1 form;
        Dialog dialog(form);
        dialog.show();
        for (const ui::Label* label : {&dialog.Label1, &dialog.Label2, &dialog.Label3}) {
            QVERIFY2(label->QLabel::width() >= label->sizeHint().width(), qPrintable(label->caption()));
            QVERIFY(label->geometry().right() < dialog.Combo1.geometry().left());
        }
    }
};

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
