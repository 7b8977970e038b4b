#include "BoardFixture.h"

#include "app/Form1.h"
#include "hiscore/HiscoreTable.h"
#include "ui/Twips.h"

#include <QTest>

#include <cmath>
#include <cstdlib>

namespace fixture {

QColor faceColor(int n)
{
    // Hues spread around the wheel, in two rows of lightness.
    return QColor::fromHsv((n * 47) % 360, 255, n % 2 == 0 ? 255 : 150);
}

QColor deckColor()
{
    return QColor(128, 128, 128);
}

void writePictures(TestPlatform& platform, int faces, const QString& cardName, const QString& deckName)
{
    for (int n = 0; n < faces; ++n)
        platform.writePicture(cardName + QString::number(n).rightJustified(2, u'0') + QStringLiteral(".jpg"),
                              faceColor(n));
    platform.writePicture(deckName + QStringLiteral(".jpg"), deckColor());
}

void showAtDesignedSize(Form1& form)
{
    form.show();
    form.setClientSize(6930, 5010);
    QVERIFY(QTest::qWaitForWindowExposed(&form));
}

QPoint cardCentre(const Form1& form, int x, int y)
{
    const MemoCard& card = form.board().card(x, y);
    return QPoint(int(ui::toPixels((card.x1 + card.x2) / 2.0)), int(ui::toPixels((card.y1 + card.y2) / 2.0)));
}

void clickCard(Form1& form, int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(&form.Picture1, button, modifiers, cardCentre(form, x, y));
}

QPoint partnerOf(const Form1& form, int x, int y)
{
    const Board& board = form.board();
    QPoint partner(-1, -1);
    board.forEachCell([&](int i, int j) {
        if ((i != x || j != y) && board.card(i, j).fName == board.card(x, y).fName)
            partner = QPoint(i, j);
    });
    return partner;
}

QColor shownColor(const Form1& form, int x, int y)
{
    const QImage& canvas = form.Picture1.canvas();
    const QPoint centre = cardCentre(form, x, y) * canvas.devicePixelRatio();
    return canvas.pixelColor(centre);
}

bool sameColour(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24
        && std::abs(a.blue() - b.blue()) < 24;
}

void writeScoresNobodyBeats(TestPlatform& platform)
{
    hiscore::HsTable table;
    hiscore::makeDefaultTable(table);
    for (int row = 0; row < hiscore::usedRows; ++row) {
        table[hiscore::attemptsColumn][row] = QStringLiteral("1");
        table[hiscore::timeColumn][row] = QStringLiteral("0");
    }
    const auto contents = hiscore::writeTable(table);
    QVERIFY(contents);
    QVERIFY(platform.QtPlatform::writeFileWhole(hiscore::hsPath(), *contents));
}

void startGame(TestPlatform& platform, Form1& form)
{
    writePictures(platform);
    writeScoresNobodyBeats(platform);
    showAtDesignedSize(form);
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
}

QColor faceColorOf(const Form1& form, int x, int y)
{
    // The key is the card set's name followed by the face's number, counted from 1.
    const QString& key = form.board().card(x, y).fName;
    return faceColor(key.mid(form.cardName.size()).toInt() - 1);
}

void findEveryPair(Form1& form)
{
    form.board().forEachCell([&](int x, int y) {
        if (form.board().card(x, y).isFound)
            return;
        const QPoint partner = partnerOf(form, x, y);
        clickCard(form, x, y);
        clickCard(form, partner.x(), partner.y());
    });
}

} // namespace fixture
