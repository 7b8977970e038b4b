#!/usr/bin/env python3
"""Mutation check: which small slips in the code would the suite let through?

Each mutant below is one plausible slip: a file, an exact text that occurs
there once, what it is turned into, and what a player (or a card-maker user)
would notice. The check copies the project into build-mutate/tree, builds it
there without sanitizers, runs the whole suite (the end-to-end game included)
once as it is, and then once for every mutant, one at a time, rebuilding only
what the mutant touches. A mutant is killed when a test fails. The quick
tests run first; the end-to-end games (in real X windows, a minute or more)
run only when no quick test has failed, and a kill made by them alone is
confirmed by playing the games that failed a second time. It prints a table and, last:

    mutants killed: K/N (P%)

A full run takes about an hour on two cores. It is run by hand:

    tools/mutate.py                  every mutant
    tools/mutate.py shuffle hiscore  those whose name or file holds a word given
    tools/mutate.py --list           the list, without building anything
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WORK = os.path.join(ROOT, "build-mutate")
TREE = os.path.join(WORK, "tree")
BUILD = os.path.join(WORK, "build")
E2E = "e2e_"


@dataclass
class Mutant:
    name: str
    file: str
    find: str
    replace: str
    notice: str


MUTANTS = [
    # The deal and the shuffle.
    Mutant("shuffle-row-over-columns", "src/game/Shuffle.cpp",
           "roundHalfEven(double(u4) * n)", "roundHalfEven(double(u4) * m)",
           "New Game crashes on 5 x 4, 6 x 4 and 6 x 5: a card is swapped with the empty extra row"),
    Mutant("shuffle-one-swap-short", "src/game/Shuffle.cpp",
           "swap < m * n;", "swap < m * n - 1;",
           "the cards are mixed a little less than they should be"),
    Mutant("rounding-half-away", "src/game/Rounding.h",
           "std::nearbyint(value)", "std::round(value)",
           "cards half a twip off, end cards of a shuffle drawn too often"),
    Mutant("generator-past-one", "src/ui/QtPlatform.cpp",
           "float(z >> 40) / float(1 << 24)", "float(z >> 40) / float(1 << 23)",
           "New Game deals cells off the board"),
    Mutant("generator-never-reseeded", "src/ui/QtPlatform.cpp",
           "state_ = std::bit_cast<unsigned>(timeOfDay()) * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull;",
           "state_ = 0x632BE59BD9B4E019ull;",
           "every game of every run is dealt alike"),
    Mutant("new-game-keeps-half-turn", "src/app/Form1.cpp",
           "    busy = true;\n    firstCardOpen = false;\n", "    busy = true;\n",
           "after New Game in the middle of a turn, the first card turned is taken as a second"),
    Mutant("rebuild-every-deal", "src/app/Form1.cpp",
           "        dirty = false;\n", "",
           "every New Game reads all the pictures again and shows the progress window"),
    Mutant("attempts-kept-over-deals", "src/app/Form1.cpp",
           "    attempts = 0;\n", "",
           "a new game starts with the attempts of the last one"),
    # Turns, the clock and the end of a game.
    Mutant("open-card-counts-again", "src/app/Form1.cpp",
           "if (k.isFound || k.isOpen)", "if (k.isFound)",
           "clicking the open first card again counts an attempt and ends the turn"),
    Mutant("first-of-pair-not-found", "src/app/Form1.cpp",
           "        f.isFound = true;\n", "",
           "a found pair's first card can be turned again, and the game never ends"),
    Mutant("pair-up-half-a-second", "src/app/Form1.cpp",
           "if (now >= t0 + 1.0f)", "if (now >= t0 + 0.5f)",
           "an unmatched pair turns back after half a second"),
    Mutant("edge-turns-card", "src/app/Form1.cpp",
           "double(X) > card.x1", "double(X) >= card.x1",
           "a release on a card's left edge turns it"),
    Mutant("clock-stays-on-after-win", "src/app/Form1.cpp",
           "    Timer1.setEnabled(false);\n    Dialog1& dialog", "    Dialog1& dialog",
           "the time goes on counting on a won board"),
    Mutant("time-shown-a-second-ahead", "src/app/Form1.cpp",
           "game::formatDigits(lastTick - startTime, 2)", "game::formatDigits(now - startTime, 2)",
           "the time shown runs a second ahead of the one the game counts and keeps"),
    Mutant("game-clock-slowed", "src/app/Form1.cpp",
           "Timer1(this, 200, false)", "Timer1(this, 1000, false)",
           "the game's time runs slow: ticks a second apart lose counts"),
    Mutant("clock-in-milliseconds", "src/ui/QtPlatform.cpp",
           "nsecsElapsed() / 1e9", "nsecsElapsed() / 1e6",
           "the time counts milliseconds as seconds and an unmatched pair turns back at once"),
    Mutant("timer-interval-ignored", "src/ui/Timer.cpp",
           "timer_.setInterval(intervalMs);", "timer_.setInterval(1000);",
           "the clock and the window watch tick once a second: the time runs slow"),
    Mutant("time-label-one-digit", "src/game/Format.cpp",
           "rightJustified(minDigits, u'0')", "rightJustified(minDigits - 1, u'0')",
           "the time reads \"Time: 7\" instead of \"Time: 07\""),
    Mutant("watch-blind-to-a-pixel", "src/app/Form1.cpp",
           "if (bottom < lastBottom) {", "if (bottom + 15 < lastBottom) {",
           "a window brought up a pixel at a time from below the screen's edge is never repainted"),
    Mutant("watch-band-from-the-top", "src/app/Form1.cpp",
           "screenHeight() - bottomBand < float(bottom)", "bottomBand < float(bottom)",
           "a window moved up anywhere on the screen repaints the board at every tick"),
    Mutant("watch-repaints-going-down", "src/app/Form1.cpp",
           "if (bottom < lastBottom)", "if (bottom > lastBottom)",
           "the board is not repainted when the window comes back up from the screen's bottom"),
    # The main window's commands.
    Mutant("settings-compare-columns-only", "src/app/Form1.cpp",
           "squareMaxX != oldMaxX || squareMaxY != oldMaxY", "squareMaxX != oldMaxX",
           "going from 6 x 4 to 6 x 5 deals no new game"),
    Mutant("f5-is-f6", "src/app/Form1.cpp",
           "keyCode == ui::key::f5", "keyCode == ui::key::f5 + 1",
           "F5 does not lay the board out again"),
    Mutant("function-keys-off-by-one", "src/ui/Keys.cpp",
           "return key::f1 + (qtKey - Qt::Key_F1);", "return key::f1 - 1 + (qtKey - Qt::Key_F1);",
           "F5 does nothing and F6 lays the board out"),
    Mutant("no-layout-after-restore", "src/ui/Window.cpp",
           "if (wasMinimised_ && !minimised && loaded_ && onResize)",
           "if (wasMinimised_ && minimised && loaded_ && onResize)",
           "the board is blank when the window comes back from the taskbar"),
    Mutant("surface-top-closer", "src/app/Form1.cpp",
           "Command1.top() + 100);", "Command1.top() + 10);",
           "the board rides up against the buttons"),
    # Pictures, layout and drawing.
    Mutant("faces-held-at-a-sixth", "src/app/Form1.cpp",
           "limitPicturesToCards(4, 4);", "limitPicturesToCards(6, 6);",
           "photos are held at a sixth of the screen: soft, upscaled faces on a 4 x 4 board"),
    Mutant("bound-ignores-rows", "src/ui/QtPlatform.cpp",
           "(largest.height() + fewestRows_ - 1) / fewestRows_", "(largest.height() + fewestRows_ - 1) / 6",
           "photos are held too low for the cards of a 4 x 4 board"),
    Mutant("bound-fits-inside", "src/imaging/PictureDecode.cpp",
           "Qt::KeepAspectRatioByExpanding", "Qt::KeepAspectRatio",
           "a photo of another shape than its card is held too small and shows soft"),
    Mutant("photos-stay-on-their-side", "src/imaging/PictureDecode.cpp",
           "reader_.setAutoTransform(true);", "reader_.setAutoTransform(false);",
           "a phone's portrait photo shows on its side"),
    Mutant("stale-decode-taken", "src/imaging/PicturePrefetch.cpp",
           " || stampOf(path) != job->stamp", "",
           "a picture replaced during a build shows its old face"),
    Mutant("card-margin-swapped", "src/pictures/Layout.cpp",
           "card.x2 = i * w + w - cardMarginRightBottom;", "card.x2 = i * w + w - cardMarginLeftTop;",
           "cards touch their right-hand neighbours"),
    Mutant("missing-deck-paints-nothing", "src/pictures/CardPainting.cpp",
           "return shown ? shown : fallback;", "return shown;",
           "with a deck that cannot be found, face-down cards are blank instead of the fallback picture"),
    Mutant("old-scaled-copy-reused", "src/ui/Surface.cpp",
           "copy.key == picture.get() && copy.image.size() == size", "copy.key == picture.get()",
           "after a resize the cards show their pictures at the old size"),
    Mutant("release-y-from-x", "src/ui/Surface.cpp",
           "float(toTwips(event->position().y()))", "float(toTwips(event->position().x()))",
           "a click turns a card of another row"),
    Mutant("progress-bar-one-behind", "src/pictures/FormProgress.cpp",
           "double(barMaxWidth) / progressMax * val", "double(barMaxWidth) / progressMax * (val - 1)",
           "the progress bar is one face behind and never full"),
    Mutant("face-number-one-digit", "src/pictures/PictureFolder.cpp",
           "game::formatDigits(count, 2)", "game::formatDigits(count, 1)",
           "faces 00 to 09 are looked for as cardPussy0.jpg and are missing"),
    # Files and folders.
    Mutant("hidden-files-listed", "src/ui/QtPlatform.cpp",
           "dir.entryList({info.fileName()}, QDir::Files, QDir::Name)",
           "dir.entryList({info.fileName()}, QDir::Files | QDir::Hidden, QDir::Name)",
           "the settings list hidden files as card sets and decks"),
    Mutant("in-place-save-dropped", "src/ui/QtPlatform.cpp",
           "    if (!folderTakesNewFiles(QFileInfo(path).absolutePath())) {",
           "    if (false) {",
           "a shared installation's hiscore.dat that players may write is never written: every score is lost"),
    Mutant("missing-folder-an-error", "src/ui/QtPlatform.cpp",
           "    if (!dir.exists())\n        return true;", "    if (!dir.exists())\n        return false;",
           "a player without card sets of their own is told \"Error finding Card-Types.\" at every Settings"),
    Mutant("timer-ticks-while-off", "src/ui/Timer.cpp",
           "if (enabled_ && onTick)", "if (onTick)",
           "the time goes on counting on a won board"),
    Mutant("dialog-corner-on-the-middle", "src/ui/Placement.cpp",
           "outer.moveCenter(owner.frameGeometry().center());", "outer.moveTopLeft(owner.frameGeometry().center());",
           "the high-score dialog opens with its corner on the main window's middle, half off the window"),
    Mutant("ctrl-taken-for-shift", "src/ui/Keys.cpp",
           "        shift |= held::ctrl;", "        shift |= held::shift;",
           "Ctrl+Home and Ctrl+End go to the ends of the row, not of the board"),
    Mutant("keypad-enter-unknown", "src/ui/Keys.cpp",
           "    case Qt::Key_Enter: return key::enter;", "    case Qt::Key_Enter: return 0;",
           "Enter on the keypad does not turn the card under the cursor"),
    Mutant("settings-boxes-not-editable", "src/ui/ComboBox.cpp",
           "setEditable(true);", "setEditable(false);",
           "a card set's name or a size cannot be typed into the settings"),
    Mutant("long-caption-cut", "src/ui/Label.cpp",
           "sizeHint().width() > QLabel::width()", "sizeHint().width() < QLabel::width()",
           "a long time or a long set name is cut off in its label"),
    # A shared installation: each player's scores and card sets of their own.
    Mutant("writable-shared-file-passed-over", "src/hiscore/HiscoreTable.cpp",
           " || platform.fileTakesWrites(shared))", ")",
           "a shared hiscore.dat the players may write is left behind for a file of each player's own"),
    Mutant("shared-table-not-seeding", "src/hiscore/HiscoreTable.cpp",
           "read = platform.findFile(shared, sharedFound)", "read = false && platform.findFile(shared, sharedFound)",
           "a player's first table is the default one, not the installation's own"),
    Mutant("player-data-folder-not-made", "src/hiscore/HiscoreTable.cpp",
           "|| platform.makeFolder(platform.playerDataDir())", "|| true",
           "on a shared installation the first result is never saved: the player's folder is not there"),
    Mutant("player-sets-not-listed", "src/settings/Dialog.cpp",
           ": pictures::pictureFolders())", ": pictures::pictureFolders().first(1))",
           "the settings list none of the player's own card sets"),
    Mutant("player-faces-found-one-by-one", "src/pictures/PictureFolder.cpp",
           "const std::int32_t first = std::min(count, 0);", "const std::int32_t first = count;",
           "a set of the player's own that lacks a face is mixed with the game's set of that name"),
    Mutant("player-set-passed-over", "src/pictures/PictureFolder.cpp",
           "&& players)", "&& !players)",
           "a card set of the player's own is never dealt"),
    Mutant("card-maker-never-moves-over", "src/cards/CardsCommand.cpp",
           "|| files_.folderTakesNewFiles(folders_.game))", "|| true)",
           "on a shared installation brindlepair-cards cannot make a set for anyone but root"),
    # The real platform.
    Mutant("clock-by-time-of-day", "src/ui/QtPlatform.cpp",
           "return float(monotonic().nsecsElapsed() / 1e9);", "return timeOfDay();",
           "a game played across midnight, or while the system's time is set, counts a day of seconds, or none"),
    Mutant("folder-rights-not-asked", "src/ui/QtPlatform.cpp",
           "return info.isDir() && info.isWritable();", "return info.isDir();",
           "installed for everyone, the game writes its scores into a folder the player cannot write, and loses them"),
    Mutant("file-rights-not-asked", "src/ui/QtPlatform.cpp",
           "return info.isFile() && info.isWritable();", "return info.isFile();",
           "installed for everyone with a table of the installation's, no player's score is ever kept"),
    # The settings dialog.
    Mutant("size-rows-from-second-character", "src/settings/Dialog.cpp",
           "digitValue(text.back())", "digitValue(text.at(1))",
           "a size typed \"6x5\" is refused"),
    Mutant("set-name-cut-short", "src/settings/Dialog.cpp",
           "getFileName(entry).chopped(2)", "getFileName(entry).chopped(3)",
           "card sets are listed without their last letter"),
    Mutant("deck-from-card-box", "src/settings/Dialog.cpp",
           "form1.deckName = Combo2.text();", "form1.deckName = Combo1.text();",
           "OK sets the deck to the card set's name"),
    Mutant("size-shown-transposed", "src/settings/Dialog.cpp",
           "sizeText(form1.squareMaxX, form1.squareMaxY)", "sizeText(form1.squareMaxY, form1.squareMaxX)",
           "a 6 x 4 board is shown as \"4 x 6\" and OK then refuses it"),
    # The score file and the high-score dialog.
    Mutant("code-page-quotes-swapped", "src/hiscore/CodePage.cpp",
           "u'\\u2018', u'\\u2019'", "u'\\u2019', u'\\u2018'",
           "a name with \u2018 is saved with \u2019 and the other way round"),
    Mutant("scrambled-256-kept", "src/hiscore/HiscoreFormat.cpp",
           "if (code < 0 || code > 255)", "if (code < 0 || code > 256)",
           "a name with \u00fd saves a NUL byte and every later load of the scores fails"),
    Mutant("default-entry-wrong", "src/hiscore/HiscoreFormat.cpp",
           "{\"Bruno\", 32, 56}", "{\"Bruno\", 32, 65}",
           "a fresh score file gives Bruno 65 seconds instead of 56"),
    Mutant("line-ends-lf-only", "src/hiscore/HiscoreFormat.cpp",
           "bytes.append(cr).append(lf);", "bytes.append(lf);",
           "hiscore.dat is written with LF line ends"),
    Mutant("equal-time-not-enough", "src/hiscore/Dialog1.cpp",
           "*timeStored >= timePlayed", "*timeStored > timePlayed",
           "a game that equals the best result earns no place"),
    Mutant("nobody-not-filled-in", "src/hiscore/Dialog1.cpp",
           "Text1.setText(QStringLiteral(\"Nobody\"));", "Text1.setText(QString());",
           "a place left unnamed is saved with an empty name"),
    Mutant("long-name-one-short", "src/hiscore/Dialog1.cpp",
           "left(namePlaces), namePlaces)", "left(namePlaces - 1), namePlaces)",
           "long names in the table lose a letter"),
    Mutant("thirteen-letter-names", "src/hiscore/Dialog1.cpp",
           "constexpr int nameLength = 12;", "constexpr int nameLength = 13;",
           "the name box takes a thirteenth character"),
    # Keyboard play and the board for a screen reader.
    Mutant("down-arrow-moves-right", "src/game/BoardCursor.cpp",
           "case CursorMove::Down: to.y = from.y + 1;", "case CursorMove::Down: to.x = from.x + 1;",
           "the Down arrow moves the keyboard's cursor to the right"),
    Mutant("end-one-short", "src/game/BoardCursor.cpp",
           "case CursorMove::RowEnd: to.x = lastX;", "case CursorMove::RowEnd: to.x = lastX - 1;",
           "End stops one card short of the end of the row"),
    Mutant("home-and-ctrl-home-swapped", "src/app/Form1.cpp",
           "BoardStart : game::CursorMove::RowStart", "RowStart : game::CursorMove::BoardStart",
           "Home goes to the board's first card and Ctrl+Home to the row's"),
    Mutant("keys-turn-cards-without-inside", "src/app/Form1.cpp",
           "    if (card.x2 <= card.x1 || card.y2 <= card.y1)\n        return;\n    checkCardClick(x, y);",
           "    checkCardClick(x, y);",
           "on a tiny window Space turns cards too small to be seen or clicked"),
    Mutant("board-focused-by-a-click", "src/app/Form1.cpp",
           "Picture1.setFocusPolicy(Qt::TabFocus);", "Picture1.setFocusPolicy(Qt::StrongFocus);",
           "a click on the board gives it the focus: mouse players see a focus frame"),
    Mutant("cursor-kept-over-deals", "src/app/Form1.cpp",
           "    Picture1.setCurrentCell(0, 0);\n", "",
           "a new deal leaves the keyboard's cursor where the last game left it"),
    Mutant("found-pair-first-card-unnamed", "src/app/Form1.cpp",
           "        describeCard(firstX, firstY);\n        describeCard(x, y);\n        checkGameOver();",
           "        describeCard(x, y);\n        checkGameOver();",
           "a screen reader still calls the first card of a found pair face up"),
    Mutant("last-seen-never-forgotten", "src/app/Form1.cpp",
           "for (const game::Cell& cell : square.forgetGlimpse())", "for (const game::Cell& cell : std::vector<game::Cell>())",
           "a screen reader says \"last seen\" of an unmatched pair long after the next turn"),
    Mutant("row-and-column-swapped", "src/game/CardDescription.cpp",
           ".arg(y + 1).arg(x + 1)", ".arg(x + 1).arg(y + 1)",
           "a screen reader names a card's column as its row"),
    Mutant("cell-focused-without-the-board", "src/ui/access/SurfaceCellAccessible.cpp",
           "surface_->hasFocus() && surface_->currentColumn() == column_", "surface_->currentColumn() == column_",
           "a screen reader hears a card as focused while the focus is on New Game"),
    Mutant("cell-focused-by-column-alone", "src/ui/access/SurfaceCellAccessible.cpp",
           " && surface_->currentRow() == row_;", ";",
           "a screen reader hears every card of the cursor's column as focused"),
    Mutant("cell-never-invisible", "src/ui/access/SurfaceCellAccessible.cpp",
           "state.invisible = !surface_->isVisible();", "state.invisible = false;",
           "a screen reader offers the cards of a hidden window"),
    Mutant("cell-off-the-board-valid", "src/ui/access/SurfaceCellAccessible.cpp",
           "column_ < surface_->columns() && row_ < surface_->rows()",
           "column_ <= surface_->columns() && row_ <= surface_->rows()",
           "after a smaller deal a screen reader still offers a card beyond the board"),
    Mutant("renamed-focused-card-kept", "src/ui/Surface.cpp",
           "        cell.identity = ++identities_;\n        announceCurrentCell();",
           "        announceCurrentCell();",
           "a screen reader does not say what the card under the cursor shows once it is turned"),
    Mutant("cells-by-column-and-row-swapped", "src/ui/access/SurfaceAccessible.cpp",
           "new SurfaceCellAccessible(surface(), index % columns, index / columns)",
           "new SurfaceCellAccessible(surface(), index / columns, index % columns)",
           "a screen reader reading the table row by row hears the cards of the wrong places"),
    Mutant("held-space-repeats", "src/ui/Surface.cpp",
           "    if (event->isAutoRepeat()) {\n        event->setAccepted(event->key() == heldKey_);\n        return;\n    }\n",
           "",
           "a held Space turns card after card"),
    Mutant("tab-order-backwards", "src/ui/TabOrder.cpp",
           "QWidget::setTabOrder(previous, control);", "QWidget::setTabOrder(control, previous);",
           "Tab walks the main window and the dialogs backwards"),
    Mutant("controls-placed-short", "src/ui/Control.cpp",
           "int(std::lround(toPixels(twips)))", "int(toPixels(twips))",
           "buttons, labels and boxes land a pixel short where their twips are not whole pixels"),
    Mutant("press-behind-a-modal-dialog", "src/ui/Surface.cpp",
           "return isVisible() && isEnabled() && (!modal || modal == window());",
           "return isVisible() && isEnabled();",
           "a screen reader's press turns cards behind the open settings dialog"),
    # Reading large photos at card size.
    Mutant("reduced-size-rounded-up", "src/imaging/PictureDecode.cpp",
           "reader_.setScaledSize(QSize(size.width() / denominator_, size.height() / denominator_));",
           "reader_.setScaledSize(QSize((size.width() + denominator_ - 1) / denominator_,"
           " (size.height() + denominator_ - 1) / denominator_));",
           "a photo whose sides are not multiples of 8 is decoded at twice the size each way: slow builds"),
    Mutant("shown-coefficients-too-many", "src/imaging/ProgressiveJpeg.cpp",
           "natural[k] / DCTSIZE < size && natural[k] % DCTSIZE < size",
           "natural[k] / DCTSIZE < size || natural[k] % DCTSIZE < size",
           "progressive photos are read far past what the card shows: slow builds of wallpapers"),
    Mutant("first-scan-enough", "src/imaging/ProgressiveJpeg.cpp",
           "(d.bits[c][k] < 0 || d.bits[c][k] > lacking)", "d.bits[c][k] > lacking",
           "a progressive photo shows as blurred blocks of colour: its read stops after the first scan"),
    Mutant("scale-by-one-side", "src/imaging/PictureDecode.cpp",
           "size.width() / denominator >= held.width() && size.height()",
           "size.width() / denominator >= held.width() || size.height()",
           "a photo whose side falls a pixel short of an eighth of it is read too narrow and stretched: soft"),
    Mutant("portrait-held-for-a-wide-card", "src/imaging/PictureDecode.cpp",
           "turned_ ? bound.transposed() : bound", "bound",
           "a phone's portrait photo is held too small for its card and shows soft"),
    Mutant("progressive-scaled-roughly", "src/imaging/PictureDecode.cpp",
           ": into.scaled(held_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);",
           ": into.scaled(held_, Qt::IgnoreAspectRatio, Qt::FastTransformation);",
           "progressive photos show jagged on their cards"),
    Mutant("old-size-decode-taken", "src/imaging/PicturePrefetch.cpp",
           "job->bound != bound || ", "",
           "after the window is resized during a build, cards show pictures held for the old size: soft, or far too large"),
    Mutant("refinement-against-nothing", "src/imaging/ProgressiveJpeg.cpp",
           "blocks[b][std::countr_zero(marks)] = nonzero;", "blocks[b][std::countr_zero(marks)] = 0;",
           "a progressive photo read at a reduced size has the detail its refinement scans bring scrambled"),
    Mutant("reduced-read-keeps-everything", "src/imaging/ProgressiveJpeg.cpp",
           "if (size >= DCTSIZE) {", "if (size >= 1) {",
           "a 12-megapixel progressive photo read at 1/4 holds 36 MB of coefficients, not 4"),
    Mutant("scan-flood-read", "src/imaging/ProgressiveJpeg.cpp",
           "if (cinfo->input_scan_number > ProgressiveJpeg::maxScans)",
           "if (cinfo->input_scan_number > 100 * ProgressiveJpeg::maxScans)",
           "a hostile picture of thousands of scans keeps the game busy for seconds"),
    Mutant("huge-header-read", "src/imaging/ProgressiveJpeg.cpp",
           "qint64(d.cinfo.image_width) * d.cinfo.image_height > maxPixels\n        || ",
           "",
           "a picture claiming 30000 x 30000 is decoded, a pass over 21 million blocks a scan"),
    Mutant("cmyk-without-black", "src/imaging/ProgressiveJpeg.cpp",
           "qRgb(in[3] * in[0] / 255, in[3] * in[1] / 255, in[3] * in[2] / 255)", "qRgb(in[0], in[1], in[2])",
           "progressive CMYK pictures come out washed out, their black left out"),
    # Start-up, installation and the score file read with a bound.
    Mutant("stored-pictures-guessed", "src/imaging/Picture.cpp",
           "reader.setAutoDetectImageFormat(false);", "reader.setAutoDetectImageFormat(true);",
           "every image-format plugin is loaded before the window shows: a slower start"),
    Mutant("score-file-read-whole", "src/ui/QtPlatform.cpp",
           "contents = file.read(maxBytes);", "contents = file.readAll();",
           "a huge hiscore.dat is held whole in memory at the end of a game"),
    Mutant("cut-table-taken", "src/hiscore/HiscoreFormat.cpp",
           "            return !cut;", "            return true;",
           "a score file whose last field runs past what is read loads a cut name or number"),
    Mutant("icons-named-by-size", "tools/desktop/install.cmake",
           "            RENAME ${BRINDLEPAIR_APP_ID}.png)", "            )",
           "the installed game has no icon in the menu: its icons are named 16x16.png ..."),
    Mutant("menu-entry-unquoted", "tools/desktop/install.cmake",
           "        set(EXEC \"\\\"${EXEC}\\\"\")\n", "",
           "installed under a folder with a blank, the menu entry cannot start the game"),
    # brindlepair-cards.
    Mutant("underscore-refused", "src/cards/SetName.cpp",
           " || c == u'-' || c == u'_';", " || c == u'-';",
           "brindlepair-cards refuses the name My_Pets, which its help allows"),
    Mutant("capital-extensions-skipped", "src/cards/InputListing.cpp",
           "info.suffix().toLower().toUtf8()", "info.suffix().toUtf8()",
           "a camera folder of IMG_0001.JPG gives no pictures"),
    Mutant("numbers-ordered-by-length-backwards", "src/cards/InputListing.cpp",
           "return x.size() < y.size();", "return x.size() > y.size();",
           "IMG_10 comes before IMG_2"),
    Mutant("see-through-turns-black", "src/cards/PictureConverter.cpp",
           "flat.fill(Qt::white);", "flat.fill(Qt::black);",
           "the see-through parts of a PNG turn black instead of white"),
    Mutant("faces-saved-progressive", "src/cards/PictureConverter.cpp",
           "writer.setProgressiveScanWrite(false);", "writer.setProgressiveScanWrite(true);",
           "faces are saved as progressive JPEGs, slow to decode"),
    Mutant("deck-counted-without-deck-option", "src/cards/CardsCommand.cpp",
           "SetMaker::filesOf(name, picsDir, !deckPicture.isEmpty())", "SetMaker::filesOf(name, picsDir, true)",
           "with --replace and no --deck, the player's deck of that name is removed"),
    Mutant("eight-pictures-refused", "src/cards/CardsCommand.cpp",
           "if (pictures.size() < fewestFaces)", "if (pictures.size() <= fewestFaces)",
           "a set of 8 pictures is refused"),
    Mutant("same-picture-twice-taken", "src/cards/SetMaker.cpp",
           "        seen.insert(face.jpeg, n);\n", "",
           "two inputs of one picture make a pair that never matches"),
    Mutant("old-faces-left-over", "src/cards/FolderChange.cpp",
           "    for (const QString& fileName : old)\n        if (!move(inPics(fileName), inHidden(asideMark + fileName)))\n            return false;\n",
           "",
           "replacing 18 faces by 12 leaves the old faces 12 to 17 in the set"),
    Mutant("longer-names-taken-as-faces", "src/cards/SetName.cpp",
           "fileName.size() == name.size() + 6", "fileName.size() >= name.size() + 6",
           "--replace of cardHoliday removes cardHoliday100.jpg, a face of the set cardHoliday1"),
    Mutant("empty-pics-folder-left", "src/cards/FolderChange.cpp",
           "        madePics_ = true;\n", "",
           "a failed first set leaves an empty pics folder behind"),
    Mutant("pics-rights-not-asked", "src/cards/Files.cpp",
           "return folder.isDir() && folder.isWritable();", "return folder.isDir();",
           "installed for everyone, brindlepair-cards tries the game's own pics and fails for every player"),
    Mutant("players-data-folder-not-made", "src/cards/CardsCommand.cpp",
           "const QString why = files_.makeFolders(data);", "const QString why;",
           "on a shared installation a player's first set fails: the player's data folder is not there yet"),
    Mutant("deck-named-with-the-prefix", "src/cards/SetName.h",
           "QStringLiteral(\"deck\") + rest_", "QStringLiteral(\"deck\") + given_",
           "the deck of a set typed as cardHoliday is deckcardHoliday.jpg, which the game does not pair with it"),
    Mutant("prefix-read-in-any-case", "src/cards/SetName.cpp",
           "given.startsWith(prefix)", "given.startsWith(prefix, Qt::CaseInsensitive)",
           "the set CardX is made as cardX"),
    Mutant("prefix-taken-off-twice", "src/cards/SetName.cpp",
           "given.startsWith(prefix) ? given.mid(prefix.size()) : given",
           "given.startsWith(prefix) ? QString(given).remove(prefix) : given",
           "the set cardcardX is made as cardX"),
]


def run(command, cwd, log=None, timeout=None):
    """Runs a command; True when it succeeds. Its output goes to the log."""
    with open(log or os.devnull, "a") as out:
        try:
            return subprocess.run(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT,
                                  timeout=timeout).returncode == 0
        except subprocess.TimeoutExpired:
            return False


def sync_tree():
    """Copies the project's files (tracked and new, not ignored) into the tree,
    leaving the files that have not changed untouched so the build stays warm."""
    listed = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=ROOT, check=True,
                            capture_output=True).stdout.decode().split("\0")
    for name in filter(None, listed):
        source = os.path.join(ROOT, name)
        target = os.path.join(TREE, name)
        if not os.path.isfile(source):
            continue
        with open(source, "rb") as f:
            data = f.read()
        if os.path.isfile(target):
            with open(target, "rb") as f:
                if f.read() == data:
                    continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        # A fresh time stamp: the copy is newer than whatever was built from the old one.
        shutil.copyfile(source, target)
        shutil.copymode(source, target)


def check_mutants(mutants):
    """Every mutant's text must be in its file exactly once."""
    problems = []
    for m in mutants:
        with open(os.path.join(ROOT, m.file), encoding="utf-8") as f:
            count = f.read().count(m.find)
        if count != 1:
            problems.append(f"{m.name}: its text occurs {count} times in {m.file}")
    return problems


def build(log):
    return run(["cmake", "--build", BUILD, "--parallel", str(os.cpu_count() or 2)], TREE, log)


def failing(log, selection):
    """Runs the tests ctest selects; the names of those that failed."""
    failed_log = os.path.join(BUILD, "Testing", "Temporary", "LastTestsFailed.log")
    if os.path.exists(failed_log):
        os.remove(failed_log)
    run(["ctest", "--timeout", "180", "--parallel", str(os.cpu_count() or 2), *selection], BUILD, log)
    if not os.path.exists(failed_log):
        return []
    with open(failed_log) as f:
        return [line.strip().split(":", 1)[1] for line in f if ":" in line]


def failing_tests(log, every=False):
    """The tests that fail: the quick ones first, and the end-to-end games (a
    minute or more) only when no quick one fails, or when every test is asked for."""
    quick = failing(log, ["-E", f"^{E2E}"])
    if quick and not every:
        return quick
    games = failing(log, ["-R", f"^{E2E}"])
    # A game that fails alone is played again: the kill stands if it fails again.
    if games and not quick:
        games = failing(log + ".again", ["-R", "^(" + "|".join(games) + ")$"])
    return quick + games


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("words", nargs="*", help="run only the mutants whose name or file holds one of these")
    parser.add_argument("--list", action="store_true", help="list the mutants and stop")
    args = parser.parse_args()

    mutants = [m for m in MUTANTS if not args.words or any(w in m.name or w in m.file for w in args.words)]
    if args.list:
        for m in mutants:
            print(f"{m.name:40} {m.file:32} {m.notice}")
        print(f"{len(mutants)} mutants")
        return 0
    problems = check_mutants(mutants)
    if problems:
        print("\n".join(problems))
        return 2
    if not mutants:
        print("no mutant matches")
        return 2

    os.makedirs(WORK, exist_ok=True)
    sync_tree()
    logs = os.path.join(WORK, "logs")
    shutil.rmtree(logs, ignore_errors=True)
    os.makedirs(logs)
    configured = run(["cmake", "-S", TREE, "-B", BUILD, "-DCMAKE_BUILD_TYPE=Debug", "-DBUILD_TESTING=ON",
                      "-DBRINDLEPAIR_SANITIZE=OFF", "-DBRINDLEPAIR_BENCH=OFF"], TREE, os.path.join(logs, "configure.log"))
    if not configured or not build(os.path.join(logs, "build.log")):
        print(f"the project does not build as it is; see {logs}")
        return 2
    started = time.monotonic()
    baseline = failing_tests(os.path.join(logs, "suite.log"), every=True)
    if baseline:
        print(f"the suite fails without any mutant ({', '.join(baseline)}); see {logs}/suite.log")
        return 2
    print(f"the suite passes as it is ({time.monotonic() - started:.0f} s); {len(mutants)} mutants to run", flush=True)

    rows = []
    for number, m in enumerate(mutants, 1):
        path = os.path.join(TREE, m.file)
        with open(path, encoding="utf-8") as f:
            original = f.read()
        log = os.path.join(logs, f"{m.name}.log")
        try:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original.replace(m.find, m.replace, 1))
            if not build(log):
                # A slip that does not compile is no slip a developer could ship: the list is wrong.
                verdict = "BROKEN: does not build"
            else:
                failed = failing_tests(log)
                verdict = ", ".join(failed) if failed else "SURVIVED"
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        rows.append((m, verdict))
        print(f"[{number}/{len(mutants)}] {m.name}: {verdict}", flush=True)

    print()
    width = max(len(m.name) for m, _ in rows)
    print(f"{'mutant':{width}}  {'killed by':40}  what a player would notice")
    for m, verdict in rows:
        print(f"{m.name:{width}}  {verdict:40}  {m.notice}")
    killed = sum(verdict not in ("SURVIVED", "BROKEN: does not build") for _, verdict in rows)
    print(f"\nmutants killed: {killed}/{len(rows)} ({100 * killed / len(rows):.0f}%)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
