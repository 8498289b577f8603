// The window's keys with its logic behind it, offscreen: the menu's shortcut keys and Escape
// pressed on a focused block, the menu that always stays whole, and the focus that comes back
// to its block after the game's own redraws and boxes. Keys go to the window as the window
// system hands them over, so shortcuts and the window's preview of keys take part.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>

#include "frontend/qt/block_grid.h"
#include "frontend/qt/form_window.h"
#include "frontend/qt/main_window.h"
#include "frontend/qt/qt_dialogs.h"
#include "frontend/qt/widget_testing.h"

namespace {

bool isYesNo(const ShownBox& box) { return !box.input && box.buttons == BoxButtons::YesNo; }

}  // namespace

class WindowKeysTest : public FormWindowTest {
  Q_OBJECT

 private:
  QWidget* grid() const { return window->grid(); }
  QPushButton* block(int k) const { return window->button(k); }
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window->windowHandle(), key, modifiers);
  }
  void focusBlock(int k) {
    block(k)->setFocus();
    QVERIFY(block(k)->hasFocus());
  }
  bool motionUnderWay() const {
    for (TimerId id : {TimerId::TmrBajar, TimerId::Timer1, TimerId::TmrRecolocar})
      if (window->timer(id)->isActive()) return true;
    return false;
  }

  // No item is ever checked, disabled or hidden, whatever the game is doing.
  static void checkMenuIsWhole(const MainWindow& w) {
    QList<QAction*> items = w.menuAction(MenuId::MnuJuego)->menu()->actions();
    items << w.menuAction(MenuId::MnuJuego) << w.menuAction(MenuId::MnuJueIdi)->menu()->actions();
    QCOMPARE(items.size(), 8);
    for (QAction* item : items) {
      QVERIFY2(!item->isCheckable() && !item->isChecked(), qPrintable(item->text()));
      QVERIFY2(item->isEnabled() && item->isVisible(), qPrintable(item->text()));
    }
  }

 private slots:
  void init() { startWindow(); }
  void cleanup() { stopWindow(); }

  void menuKeysWorkOnAFocusedBlock() {
    struct Case {
      const char* what;
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      std::function<void()> check;
    };
    const Case cases[] = {
        {"F2 deals anew and drops the score of the game under way", Qt::Key_F2, Qt::NoModifier,
         [&] {
           QCOMPARE(form->engine.Score, 0);
           QCOMPARE(window->label(LabelId::Label2)->text(), QString("0 puntos"));
           QVERIFY(dialogs.shown.empty());  // not offered to the best scores
         }},
        {"Ctrl+P shows the best scores", Qt::Key_P, Qt::ControlModifier,
         [&] { QCOMPARE(dialogs.shown.back().title, std::string("Mejores puntuaciones")); }},
        {"F1 shows the instructions", Qt::Key_F1, Qt::NoModifier,
         [&] { QCOMPARE(dialogs.shown.back().title, std::string("Instrucciones para Tolvos")); }},
        {"Ctrl+N switches to English", Qt::Key_N, Qt::ControlModifier,
         [&] {
           QCOMPARE(window->windowTitle(), QString("Tolvos"));
           QCOMPARE(window->menuAction(MenuId::MnuJuego)->text(), QString("&Game"));
           QCOMPARE(window->menuAction(MenuId::MnuJueNue)->text(), QString("&New game"));
         }},
        {"Ctrl+E switches back to Spanish", Qt::Key_E, Qt::ControlModifier,
         [&] {
           QCOMPARE(window->windowTitle(), QString("TOLVOS"));
           QCOMPARE(window->menuAction(MenuId::MnuJuego)->text(), QString("&Juego"));
           QCOMPARE(window->menuAction(MenuId::MnuJueNue)->text(), QString("&Nuevo juego"));
         }},
    };
    form->engine.Score = 550;
    for (const Case& c : cases) {
      qInfo("%s", c.what);
      focusBlock(33);
      const int draws = random.draws;
      press(c.key, c.modifiers);
      c.check();
      const bool newGame = c.key == Qt::Key_F2;
      QCOMPARE(random.draws, draws + (newGame ? 150 : 0));
      // A new game starts the player at the first block; the rest leave the focus alone.
      QVERIFY(block(newGame ? 0 : 33)->hasFocus());
      checkMenuIsWhole(*window);
    }
  }

  void onlyEscapeAsks_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("asks");
    QTest::newRow("escape") << Qt::Key_Escape << Qt::KeyboardModifiers() << true;
    QTest::newRow("shift+escape") << Qt::Key_Escape << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                  << true;
    QTest::newRow("ctrl+escape") << Qt::Key_Escape << Qt::KeyboardModifiers(Qt::ControlModifier)
                                 << true;
    QTest::newRow("enter") << Qt::Key_Return << Qt::KeyboardModifiers() << false;
    QTest::newRow("a letter") << Qt::Key_O << Qt::KeyboardModifiers() << false;
    QTest::newRow("an arrow") << Qt::Key_Down << Qt::KeyboardModifiers() << false;
  }

  void onlyEscapeAsks() {
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, asks);
    focusBlock(64);
    KeySpy reached;
    block(64)->installEventFilter(&reached);
    dialogs.answers = {BoxAnswer::No};
    press(key, modifiers);
    const auto questions = std::count_if(dialogs.shown.begin(), dialogs.shown.end(), isYesNo);
    QCOMPARE(questions, asks ? 1 : 0);
    if (asks) {
      QCOMPARE(dialogs.shown.back().text,
               std::string("¿Realmente desea dar la partida por terminada?"));
      QCOMPARE(dialogs.shown.back().title, std::string("Terminar juego"));
      // Answered No: the game goes on, and the key went on to the block as any other key.
      QCOMPARE(form->engine.GameEnded, 0);
      QVERIFY(block(64)->hasFocus());
      QCOMPARE(reached.presses, 1 + (modifiers != Qt::NoModifier ? 1 : 0));
    }
  }

  // The form answers; the window only hands it the key of the focused block, or of the block
  // the parked grid holds the focus for, and carries out a jump.
  void surveyKeysReachTheFormFromTheFocusedBlock() {
    auto said = [&](const char* start) {
      return !speech.spoken.empty() && speech.spoken.back().rfind(start, 0) == 0;
    };
    focusBlock(17);
    press(Qt::Key_R);
    QVERIFY(said("fila 2: "));
    window->SetButtonVisible(17, false);  // parked
    press(Qt::Key_C);
    QVERIFY(said("columna 3: "));
    window->SetButtonVisible(17, true);
    QTRY_VERIFY(block(17)->hasFocus());
    press(Qt::Key_U);
    QTRY_VERIFY(!block(17)->hasFocus());
    QCOMPARE(QApplication::focusWidget()->property("text").toString(), QString("U"));
  }

  void menusOpenFromTheKeyboardInBothLanguagesAndGiveTheBlockBack() {
    QMenu* game = window->menuAction(MenuId::MnuJuego)->menu();
    auto closeMenu = [&] {
      QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
      QTRY_VERIFY(!QApplication::activePopupWidget());
      // The offscreen platform lets a popup take the activation away, a desktop does not.
      window->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(window));
    };
    struct Case { const char* what; int language; Qt::Key key; Qt::KeyboardModifiers mods; };
    const Case cases[] = {{"F10", 0, Qt::Key_F10, Qt::NoModifier},
                          {"Alt+G in English", 1, Qt::Key_G, Qt::AltModifier},
                          {"Alt+J after a switch back", 0, Qt::Key_J, Qt::AltModifier}};
    for (const Case& c : cases) {
      qInfo("%s", c.what);
      form->MnuJueIdiList_Click(static_cast<std::int16_t>(c.language));
      focusBlock(33);
      press(c.key, c.mods);
      QTRY_COMPARE(QApplication::activePopupWidget(), game);
      QCOMPARE(game->activeAction(), window->menuAction(MenuId::MnuJueNue));
      closeMenu();
      // Escape in the menu only closed it: the block has the keys again, nothing was asked.
      QTRY_VERIFY(block(33)->hasFocus());
      QVERIFY(dialogs.shown.empty());
    }
    // The menu bar alone, active from the keyboard: Escape leaves it and asks nothing; the
    // next Escape, on the block, asks.
    dialogs.answers = {BoxAnswer::No};
    press(Qt::Key_Alt);
    QCOMPARE(QApplication::focusWidget(), window->menuBar());
    press(Qt::Key_Escape);
    QTRY_VERIFY(block(33)->hasFocus());
    QVERIFY(dialogs.shown.empty());
    press(Qt::Key_Escape);
    QCOMPARE(std::count_if(dialogs.shown.begin(), dialogs.shown.end(), isYesNo), 1);
  }

  void focusWaitsOnTheGridThroughTheEndOfAGame() {
    // With the real boxes, answered from the keyboard: Yes to the question, OK to the score.
    auto real = std::make_unique<MainWindow>();
    QtDialogs boxes(real.get());
    Form1 game({*real, *real, boxes, host, speech, sound, random});
    real->setEvents(&game);
    game.Form_Load();
    real->show();
    QVERIFY(QTest::qWaitForWindowActive(real.get()));
    real->button(40)->setFocus();
    FocusTrail trail(real.get());
    confirmBoxes(2);
    QTest::keyClick(real->windowHandle(), Qt::Key_Escape);
    QCOMPARE(game.engine.GameEnded, -1);
    QVERIFY(!real->button(40)->isEnabled());
    QVERIFY(QTest::qWaitForWindowActive(real.get()));
    QCOMPARE(QApplication::focusWidget(), real->grid());
    checkMenuIsWhole(*real);
    QTest::keyClick(real->windowHandle(), Qt::Key_F2);
    QVERIFY(real->button(0)->hasFocus());
    // Until the new game, the focus was only ever on its block or waiting on the grid.
    QCOMPARE(trail.widgets.last(), real->button(0));
    trail.widgets.removeLast();
    for (QWidget* w : trail.widgets) QVERIFY(w == real->grid() || w == real->button(40));
    real.reset();  // the window goes before the logic its signals reach
  }

  void focusKeepsItsCellThroughARemovalAndItsFall() {
    // A group low on the board, so that blocks fall into its cells.
    const int k = 145;
    focusBlock(k);
    FocusTrail trail(window);
    press(Qt::Key_Return);  // marks
    press(Qt::Key_Return);  // removes
    QVERIFY(motionUnderWay());
    checkMenuIsWhole(*window);
    QTRY_VERIFY_WITH_TIMEOUT(!motionUnderWay(), 10000);
    QVERIFY(block(k)->hasFocus());
    QVERIFY(trail.widgets.contains(grid()));
    for (QWidget* w : trail.widgets) QVERIFY(w == grid() || w == block(k));
  }
};

QTEST_MAIN(WindowKeysTest)
#include "window_keys_test.moc"
