// Keyboard play on the block grid, offscreen, through the window's own window operations: where
// each key takes the focus, the clicks of Space and Enter, the focus frame, and a focus that
// keeps its cell while the game hides or disables its block. No game logic is involved.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <cmath>

#include "fakes/form_rig.h"
#include "frontend/qt/block_grid.h"
#include "frontend/qt/main_window.h"
#include "frontend/qt/qt_dialogs.h"
#include "frontend/qt/widget_testing.h"

namespace {

constexpr int kBlocks = 150;

// The 150 blocks in their cells, visible and enabled, as a new game leaves them.
void fillGrid(MainWindow& window) {
  for (int k = window.ButtonCount(); k < kBlocks; ++k) window.CreateButton(k);
  for (int k = 0; k < kBlocks; ++k) {
    window.SetButtonVisible(k, true);
    window.SetButtonEnabled(k, true);
    window.SetButtonLeft(k, static_cast<float>(k % 15) * 500.0f);
    window.SetButtonTop(k, static_cast<float>(k / 15) * 500.0f);
  }
}

// One key event as the window system delivers it, auto-repeat flag included.
void sendKey(QWindow* window, QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers modifiers,
             bool autoRepeat) {
  const QString text = key == Qt::Key_Space ? QStringLiteral(" ") : QString();
  qt_handleKeyEvent(window, type, key, modifiers, text, autoRepeat);
  QCoreApplication::processEvents();
}

double luminance(const QColor& c) {
  auto linear = [](double v) {
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

class BlockGridTest : public QObject {
  Q_OBJECT

 private:
  MainWindow* window = nullptr;
  EventTap events;  // with no game behind it

  QWidget* grid() const { return window->grid(); }
  QWidget* block(int k) const { return window->button(k); }
  QWindow* keys() const { return window->windowHandle(); }
  void focusBlock(int k) {
    block(k)->setFocus();
    QVERIFY(block(k)->hasFocus());
  }

 private slots:
  void init() {
    window = new MainWindow;
    events = EventTap();
    window->setEvents(&events);
    fillGrid(*window);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
  }

  void cleanup() { delete window; }

  void keysMoveTheFocusAfterTheWindowHasSeenThem() {
    focusBlock(16);
    int previewed = 0;
    events.on_key_down = [&](int, int) { ++previewed; };
    const struct { Qt::Key key; Qt::KeyboardModifiers mods; int to; } steps[] = {
        {Qt::Key_Down, Qt::NoModifier, 31},   {Qt::Key_Right, Qt::NoModifier, 32},
        {Qt::Key_End, Qt::NoModifier, 44},    {Qt::Key_Right, Qt::NoModifier, 44},
        {Qt::Key_End, Qt::ControlModifier, 149}, {Qt::Key_Home, Qt::NoModifier, 135},
        {Qt::Key_Up, Qt::NoModifier, 120},    {Qt::Key_Home, Qt::ControlModifier, 0},
        {Qt::Key_Left, Qt::NoModifier, 0},    {Qt::Key_Up, Qt::NoModifier, 0},
        {Qt::Key_Tab, Qt::NoModifier, 1},     {Qt::Key_Backtab, Qt::ShiftModifier, 0},
    };
    int presses = 0;
    for (const auto& s : steps) {
      QTest::keyClick(keys(), s.key, s.mods);
      presses += s.mods == Qt::NoModifier ? 1 : 2;  // Ctrl and Shift are key presses of their own
      // A key that cannot move has its block announced again, which takes a moment.
      QTRY_VERIFY2(block(s.to)->hasFocus(), qPrintable(QString("expected block %1").arg(s.to)));
      QCOMPARE(previewed, presses);
    }
  }

  void aKeyThatMovesNothingHasTheBlockAnnouncedAgain() {
    window->SetButtonVisible(18, false);
    struct Case { const char* what; int from; Qt::Key key; Qt::KeyboardModifiers mods; };
    const Case cases[] = {{"left edge", 15, Qt::Key_Left, Qt::NoModifier},
                          {"top edge", 2, Qt::Key_Up, Qt::NoModifier},
                          {"home at the start of the row", 30, Qt::Key_Home, Qt::NoModifier},
                          {"ctrl+end on the last block", 149, Qt::Key_End, Qt::ControlModifier},
                          {"a hidden cell", 17, Qt::Key_Right, Qt::NoModifier}};
    for (const Case& c : cases) {
      qInfo("%s", c.what);
      focusBlock(c.from);
      FocusTrail trail(window);
      QTest::keyClick(keys(), c.key, c.mods);
      // A screen reader announces a focus that arrives, never one that stays: the block gets
      // it anew, by way of the grid, and looks focused all along.
      QCOMPARE(QApplication::focusWidget(), grid());
      const QImage held = block(c.from)->grab().toImage();
      QTRY_VERIFY(block(c.from)->hasFocus());
      QCOMPARE(held, block(c.from)->grab().toImage());
      QCOMPARE(trail.widgets, QList<QWidget*>({grid(), block(c.from)}));
    }
    // A key pressed meanwhile goes on from the block; the game's own move to the block that
    // has the focus announces it too.
    focusBlock(15);
    QTest::keyClick(keys(), Qt::Key_Left);
    QTest::keyClick(keys(), Qt::Key_Right);
    QVERIFY(block(16)->hasFocus());
    FocusTrail trail(window);
    window->FocusButton(16);
    QTRY_COMPARE(trail.widgets, QList<QWidget*>({grid(), block(16)}));
  }

  void aBlockThatCannotTakeTheFocusStopsAMove() {
    window->SetButtonVisible(17, false);
    window->SetButtonEnabled(31, false);
    window->SetButtonVisible(15, false);
    focusBlock(16);
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Home}) {
      QTest::keyClick(keys(), key);
      QTRY_VERIFY(block(16)->hasFocus());
    }
    // Tab passes over them, in index order both ways.
    QTest::keyClick(keys(), Qt::Key_Tab);
    QVERIFY(block(18)->hasFocus());
    focusBlock(32);
    QTest::keyClick(keys(), Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(block(30)->hasFocus());
  }

  void clickKeys_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("repeats");  // auto-repeated presses while the key is held
    QTest::addColumn<int>("clicks");
    for (int repeats : {0, 3}) {
      const QByteArray held = repeats ? " held with auto-repeat" : " without auto-repeat";
      QTest::newRow("space" + held) << Qt::Key_Space << Qt::KeyboardModifiers() << repeats << 1;
      QTest::newRow("return" + held) << Qt::Key_Return << Qt::KeyboardModifiers() << repeats
                                     << 1;
      // The screen reader's key, which may reach the program when the screen reader is slow.
      QTest::newRow("keypad enter" + held)
          << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier) << repeats << 0;
    }
  }

  void clickKeys() {
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, repeats);
    QFETCH(int, clicks);
    focusBlock(77);
    QStringList order;
    events.on_key_down = [&](int code, int) { order << QString::number(code); };
    events.on_click = [&](int k) { order << QString("click %1").arg(k); };

    // A release without its press, as after Enter has closed a box, clicks nothing.
    sendKey(keys(), QEvent::KeyRelease, key, modifiers, false);
    QCOMPARE(order, QStringList());

    sendKey(keys(), QEvent::KeyPress, key, modifiers, false);
    for (int i = 0; i < repeats; ++i) {  // how X reports a held key
      sendKey(keys(), QEvent::KeyRelease, key, modifiers, true);
      sendKey(keys(), QEvent::KeyPress, key, modifiers, true);
    }
    sendKey(keys(), QEvent::KeyRelease, key, modifiers, false);
    const QString code = key == Qt::Key_Space ? "32" : "13";
    QCOMPARE(order.count("click 77"), clicks);
    QCOMPARE(order.size(), repeats + 1 + clicks);  // every press previewed, at most one click
    QCOMPARE(order.first(), code);        // the window saw the key before the block acted
    QVERIFY(block(77)->hasFocus());
  }

  void focusFrameStandsOutOnEveryFace() {
    // The faces of the five colours, of a marked group and of an empty cell.
    const QList<QColor> faces = {QColor(0, 255, 255), QColor(0, 255, 0),   QColor(255, 255, 0),
                                 QColor(255, 0, 0),   QColor(255, 140, 0), Qt::white, Qt::black};
    for (const QColor& face : faces) {
      window->SetButtonBackColor(60, (face.blue() << 16) | (face.green() << 8) | face.red());
      block(61)->setFocus();
      const QImage plain = block(60)->grab().toImage();
      focusBlock(60);
      const QImage focused = block(60)->grab().toImage();
      const QPoint onFrame(3, plain.height() / 2), inside(7, plain.height() / 2);
      QCOMPARE(plain.pixelColor(onFrame), face);
      QCOMPARE(focused.pixelColor(inside), face);
      const double ratio = contrast(focused.pixelColor(onFrame), face);
      QVERIFY2(ratio >= 4.5, qPrintable(QString("%1 on %2").arg(ratio).arg(face.name())));
    }
  }

  void hiddenBlockKeepsItsCellUntilShownAgain() {
    focusBlock(40);
    FocusTrail trail(window);
    // A removed group goes from the screen, its neighbour included.
    for (int k : {40, 41, 55}) window->SetButtonVisible(k, false);
    QCOMPARE(QApplication::focusWidget(), grid());
    // The redraw shows every block in index order; the focus waits for its own.
    for (int k = 0; k < kBlocks; ++k) {
      window->SetButtonVisible(k, true);
      if (k < 40) QCOMPARE(QApplication::focusWidget(), grid());
    }
    QVERIFY(block(40)->hasFocus());
    QCOMPARE(trail.widgets, QList<QWidget*>({grid(), block(40)}));
  }

  void disabledGridGetsItsFocusBackWhenEnabledAgain() {
    focusBlock(88);
    FocusTrail trail(window);
    for (int k = 0; k < kBlocks; ++k) window->SetButtonEnabled(k, false);
    QCOMPARE(QApplication::focusWidget(), grid());
    QTest::keyClick(keys(), Qt::Key_Tab);  // nowhere to go: it stays on the grid
    QTest::keyClick(keys(), Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), grid());
    for (int k = 0; k < kBlocks; ++k) window->SetButtonEnabled(k, true);
    QVERIFY(block(88)->hasFocus());
    QCOMPARE(trail.widgets, QList<QWidget*>({grid(), block(88)}));
    // A block that is only moving keeps the focus.
    window->SetButtonTop(88, 3000.0f);
    QVERIFY(block(88)->hasFocus());
  }

  void keysOnTheWaitingGridGoOnFromItsCell() {
    struct Case { Qt::Key key; Qt::KeyboardModifiers mods; int to; };
    const Case cases[] = {{Qt::Key_Tab, Qt::NoModifier, 41},
                          {Qt::Key_Backtab, Qt::ShiftModifier, 39},
                          {Qt::Key_Right, Qt::NoModifier, 41},
                          {Qt::Key_Up, Qt::NoModifier, 25},
                          {Qt::Key_End, Qt::ControlModifier, 149}};
    for (const Case& c : cases) {
      focusBlock(40);
      window->SetButtonVisible(40, false);
      QCOMPARE(QApplication::focusWidget(), grid());
      QTest::keyClick(keys(), c.key, c.mods);
      QVERIFY2(block(c.to)->hasFocus(), qPrintable(QString("expected block %1").arg(c.to)));
      // The player has moved on: showing the block again leaves the focus where it is.
      window->SetButtonVisible(40, true);
      QVERIFY(block(c.to)->hasFocus());
    }
  }

  void focusComesBackAfterABoxThatWasOpenMeanwhile() {
    QtDialogs dialogs(window);
    // Whether the block comes back while the box is open or after it has closed, the focus is
    // on it once the window has the keys again; a block still hidden leaves it on the grid.
    enum When { WhileOpen, AfterClose, Never };
    for (When when : {WhileOpen, AfterClose, Never}) {
      focusBlock(63);
      whenBoxOpens([&](QWidget*) {
        window->SetButtonVisible(63, false);  // a tick's fall, under the box
        if (when == WhileOpen) window->SetButtonVisible(63, true);
      });
      dialogs.MessageBox("", "Game over", BoxButtons::Ok);
      QVERIFY(QTest::qWaitForWindowActive(window));
      if (when == AfterClose) window->SetButtonVisible(63, true);
      QTRY_COMPARE(QApplication::focusWidget(), when == Never ? grid() : block(63));
      window->SetButtonVisible(63, true);
    }
  }

  void aMenuKeepsItsKeysAndGivesTheFocusBack() {
    focusBlock(70);
    window->SetButtonEnabled(70, false);
    QMenu* menu = window->menuAction(MenuId::MnuJuego)->menu();
    menu->popup(window->mapToGlobal(QPoint(0, 0)));
    QTRY_COMPARE(QApplication::activePopupWidget(), menu);
    window->SetButtonEnabled(70, true);
    QVERIFY(!block(70)->hasFocus());  // not while the menu is open
    QTest::keyClick(menu, Qt::Key_Escape);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    // The offscreen platform lets a popup take the activation away, a desktop does not.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTRY_VERIFY(block(70)->hasFocus());
  }

  void focusThePlayerPutOnTheMenuBarStaysThere() {
    focusBlock(12);
    window->SetButtonVisible(12, false);
    QTest::keyClick(keys(), Qt::Key_Alt);  // the menu bar's keyboard mode, no menu open yet
    QCOMPARE(QApplication::focusWidget(), window->menuBar());
    window->SetButtonVisible(12, true);
    QCOMPARE(QApplication::focusWidget(), window->menuBar());
    QTest::keyClick(keys(), Qt::Key_Escape);
    QTRY_VERIFY(block(12)->hasFocus());
  }

  void focusTheGameTookAwayDoesNotComeBackIntoAnotherWindow() {
    focusBlock(12);
    window->SetButtonVisible(12, false);
    QWidget other;
    auto* field = new QLineEdit(&other);
    other.show();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    field->setFocus();
    window->SetButtonVisible(12, true);
    QCOMPARE(QApplication::focusWidget(), field);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTRY_VERIFY(block(12)->hasFocus());
  }
};

QTEST_MAIN(BlockGridTest)
#include "block_grid_test.moc"
