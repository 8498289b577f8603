// The real window after start-up, offscreen: the grid, the captions, the menu, key preview,
// clicks and the timers, with fakes for speech, sound, boxes, files and the deal.
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>

#include <map>

#include "frontend/qt/convert.h"
#include "frontend/qt/form_window.h"
#include "frontend/qt/main_window.h"
#include "frontend/qt/widget_testing.h"

class MainWindowTest : public FormWindowTest {
  Q_OBJECT

 private slots:
  void init() { startWindow(); }
  void cleanup() { stopWindow(); }

  void startUpFillsTheGridEdgeToEdge() {
    QCOMPARE(window->ButtonCount(), 150);
    for (int k = 0; k < 150; ++k) {
      const QRect r = window->button(k)->geometry();
      const int c = k % 15, row = k / 15;
      if (c == 0) QCOMPARE(r.left(), 0);
      if (row == 0) QCOMPARE(r.top(), 0);
      if (c < 14) QCOMPARE(window->button(k + 1)->geometry().left(), r.right() + 1);
      if (c == 14) QCOMPARE(r.right() + 1, 500);  // 7500 twips
      if (row < 9) QCOMPARE(window->button(k + 15)->geometry().top(), r.bottom() + 1);
      if (row == 9) QCOMPARE(r.bottom() + 1, 333);  // 5000 twips
      QCOMPARE(window->button(k + (c < 14 ? 1 : -1))->geometry().height(), r.height());
      QVERIFY(window->button(k)->isVisible());
      QVERIFY(window->button(k)->isEnabled());
    }
  }

  void startUpShowsEachCellsLetterAndColour() {
    const std::map<int, std::pair<QString, QColor>> looks = {
        {1, {"A", QColor(0, 255, 255)}}, {2, {"E", QColor(0, 255, 0)}},
        {3, {"i", QColor(255, 255, 0)}}, {4, {"O", QColor(255, 0, 0)}},
        {5, {"U", QColor(255, 140, 0)}}};
    for (int k = 0; k < 150; ++k) {
      const auto& [letter, colour] = looks.at(form->engine.Board(k % 15, k / 15));
      QCOMPARE(window->button(k)->text(), letter);
      QCOMPARE(window->buttonBackColor(k), colour);
    }
    // A screen reader reads a block by its caption.
    QAccessibleInterface* a11y = QAccessible::queryAccessibleInterface(window->button(2));
    QCOMPARE(a11y->text(QAccessible::Name), QString("i"));
  }

  void blockFaceIsItsBackColourInEveryStyle() {
    for (const QString& name : QStyleFactory::keys()) {
      std::unique_ptr<QStyle> style(QStyleFactory::create(name));
      window->button(4)->setStyle(style.get());
      const QImage face = window->button(4)->grab().toImage();
      // Left of the centred letter, inside the edge.
      QCOMPARE(face.pixelColor(5, face.height() / 2), QColor(255, 140, 0));
      window->button(4)->setStyle(nullptr);
    }
  }

  void startUpCaptionsMenuAndLines() {
    QCOMPARE(window->windowTitle(), QString("TOLVOS"));
    const std::vector<std::tuple<QAction*, QString, QKeySequence>> items = {
        {window->menuAction(MenuId::MnuJuego), "&Juego", QKeySequence()},
        {window->menuAction(MenuId::MnuJueNue), "&Nuevo juego", QKeySequence("F2")},
        {window->menuAction(MenuId::MnuJueMej), "&Mejores puntuaciones...",
         QKeySequence("Ctrl+P")},
        {window->menuAction(MenuId::MnuJueIns), "&Instrucciones", QKeySequence("F1")},
        {window->menuAction(MenuId::MnuJueIdi), "I&dioma", QKeySequence()},
        {window->menuAction(MenuId::MnuJueIdiList0), "Español", QKeySequence("Ctrl+E")},
        {window->menuAction(MenuId::MnuJueIdiList1), "English", QKeySequence("Ctrl+N")},
        {window->menuAction(MenuId::MnuJueSal), "&Salir Alt-F4", QKeySequence()}};
    for (const auto& [action, caption, shortcut] : items) {
      QCOMPARE(action->text(), caption);
      QCOMPARE(action->shortcut(), shortcut);
    }
    // On screen in this order, the language items in their own submenu.
    QMenu* game = window->menuAction(MenuId::MnuJuego)->menu();
    const QList<QAction*> order = game->actions();
    QCOMPARE(order.size(), 5);
    QCOMPARE(order[3], window->menuAction(MenuId::MnuJueIdi));
    QCOMPARE(order[4], window->menuAction(MenuId::MnuJueSal));
    QCOMPARE(window->menuAction(MenuId::MnuJueIdi)->menu()->actions(),
             QList<QAction*>({window->menuAction(MenuId::MnuJueIdiList0), window->menuAction(MenuId::MnuJueIdiList1)}));

    window->SetMenuCaption(MenuId::MnuJueNue, "New game");
    QCOMPARE(window->menuAction(MenuId::MnuJueNue)->shortcut(), QKeySequence("F2"));

    QCOMPARE(window->label(LabelId::Label1)->text(), QString());
    QCOMPARE(window->label(LabelId::Label2)->text(), QString("0 puntos"));
    QCOMPARE(speech.spoken.size(), 1u);
    QCOMPARE(sound.sound1_plays + sound.sound2_plays, 0);
  }

  void blocksComeInIndexOrderForScreenReaderAndTab() {
    QList<QPushButton*> children;
    for (QObject* child : window->button(0)->parentWidget()->children())
      if (auto* b = qobject_cast<QPushButton*>(child)) children.append(b);
    QCOMPARE(children.size(), 150);
    for (int k = 0; k < 150; ++k) QCOMPARE(children[k], window->button(k));

    for (int k = 0; k + 1 < 150; ++k) {
      QWidget* next = window->button(k)->nextInFocusChain();
      while (next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
      QCOMPARE(next, window->button(k + 1));
    }
  }

  void aScreenReaderMeetsBlocksByCaptionPlaceAndMark() {
    auto a11y = [&](int k) { return QAccessible::queryAccessibleInterface(window->button(k)); };
    QCOMPARE(a11y(16)->role(), QAccessible::Button);
    QCOMPARE(a11y(16)->text(QAccessible::Name), window->button(16)->text());
    QCOMPARE(a11y(16)->text(QAccessible::Description), QString("fila 2, columna 2"));
    // A screen reader presses a block as any push button.
    QList<int> clicks;
    events.on_click = [&](int k) { clicks << k; };
    QAccessibleActionInterface* actions = a11y(7)->actionInterface();
    QCOMPARE(actions->actionNames().first(), QAccessibleActionInterface::pressAction());
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(clicks, QList<int>{7});
    // The selected group is expanded, and only it; the mark moves with the next group and
    // goes with a removal.
    auto checkMarks = [&] {
      for (int k = 0; k < 150; ++k) {
        const bool marked =
            form->engine.SelectedIndex >= 0 && form->engine.Marked(k % 15, k / 15) != 0;
        const QAccessible::State state = a11y(k)->state();
        QVERIFY2(state.expanded == marked && state.expandable == marked,
                 qPrintable(QString("block %1").arg(k)));
      }
    };
    for (int k : {40, 41, 41}) {
      form->Command1_Click(static_cast<std::int16_t>(k));
      QVERIFY(a11y(k)->state().expanded == (form->engine.SelectedIndex >= 0));
      checkMarks();
    }
    const QAccessible::Id spanish = QAccessible::uniqueId(a11y(16));
    form->MnuJueIdiList_Click(1);  // English: a new object, of which a screen reader read nothing
    QVERIFY(QAccessible::uniqueId(a11y(16)) != spanish);
  }

  void theLinesAreTheStatusBarWhereTheyAlwaysWere() {
    QAccessibleInterface* message =
        QAccessible::queryAccessibleInterface(window->label(LabelId::Label1));
    QAccessibleInterface* bar = message->parent();
    QCOMPARE(bar->role(), QAccessible::StatusBar);
    QCOMPARE(bar->childCount(), 2);
    QCOMPARE(bar->child(0)->object(), window->label(LabelId::Label1));  // read first
    QCOMPARE(bar->child(1)->object(), window->label(LabelId::Label2));
    QWidget* client = window->centralWidget();
    auto place = [&](LabelId id) {
      QLabel* l = window->label(id);
      return QRect(l->mapTo(client, QPoint(0, 0)), l->size());
    };
    QCOMPARE(place(LabelId::Label1), placeRect({0, 5000, 4000, 500}));
    QCOMPARE(place(LabelId::Label2), placeRect({4000, 5000, 3500, 500}));
  }

  void positionsReadBackInTwipsAndFallInSmallSteps() {
    window->SetButtonLeft(20, 2512.5f);
    QCOMPARE(window->button(20)->x(), twipsToPixels(2512.5));
    int previous = window->button(20)->y();
    for (int step = 1; step <= 10; ++step) {
      window->SetButtonTop(20, 500.0f + 50.0f * static_cast<float>(step));
      QCOMPARE(window->ButtonTop(20), 500.0f + 50.0f * static_cast<float>(step));
      const int y = window->button(20)->y();
      QVERIFY2(y - previous == 3 || y - previous == 4, qPrintable(QString::number(y - previous)));
      previous = y;
    }
    QCOMPARE(window->button(20)->y(), window->button(35)->y());
  }

  void clickOnABlockReachesItsHandler() {
    QTest::mouseClick(window->button(37), Qt::LeftButton);
    QCOMPARE(form->engine.SelectedIndex, 37);
    QVERIFY(!window->label(LabelId::Label1)->text().isEmpty());
  }

  void everyKeyIsPreviewedOnceAndStillReachesTheFocusedBlock() {
    window->button(5)->setFocus();
    QList<QVariantList> keys;
    events.on_key_down = [&](int code, int shift) { keys << QVariantList({code, shift}); };
    KeySpy own;
    window->button(5)->installEventFilter(&own);
    // The question takes the focus away, as a box does; the key must not be seen twice.
    dialogs.answers = {BoxAnswer::No};
    dialogs.while_open = [&] { window->button(5)->clearFocus(); };
    QTest::keyClick(window->windowHandle(), Qt::Key_Escape, Qt::ShiftModifier);
    window->button(5)->setFocus();
    QTest::keyClick(window->windowHandle(), Qt::Key_A);
    // The Shift key itself comes first, as a key of its own.
    QCOMPARE(keys.size(), 3);
    QCOMPARE(keys[0], QVariantList({16, 1}));
    QCOMPARE(keys[1], QVariantList({27, 1}));
    QCOMPARE(keys[2], QVariantList({65, 0}));
    QCOMPARE(own.presses, 2);  // Shift and A; the Escape went on after the focus had left
    // Escape reached the window's handler, which asked its question once.
    QCOMPARE(dialogs.shown.size(), 1u);
    QCOMPARE(dialogs.shown[0].buttons, BoxButtons::YesNo);
  }

  void menuItemsReachTheirHandlers() {
    const int draws = random.draws;
    window->menuAction(MenuId::MnuJueNue)->trigger();
    QCOMPARE(random.draws, draws + 150);
    window->menuAction(MenuId::MnuJueMej)->trigger();
    window->menuAction(MenuId::MnuJueIns)->trigger();
    QCOMPARE(dialogs.shown.size(), 2u);
    QCOMPARE(dialogs.shown[0].title, std::string("Mejores puntuaciones"));
    QCOMPARE(dialogs.shown[1].title, std::string("Instrucciones para Tolvos"));
    window->menuAction(MenuId::MnuJueIdiList1)->trigger();
    QCOMPARE(form->language.LanguageIndex, 1);
    window->menuAction(MenuId::MnuJueIdiList0)->trigger();
    QCOMPARE(form->language.LanguageIndex, 0);
    window->menuAction(MenuId::MnuJueSal)->trigger();
    QVERIFY(!window->isVisible());
  }

  void timersStartStoppedAndKeepTheirScheduleWhenStartedAgain() {
    for (auto [id, interval] : {std::pair{TimerId::TmrRecolocar, 1050},
                                {TimerId::TmrBajar, 100}, {TimerId::Timer1, 75}}) {
      QVERIFY(!window->timer(id)->isActive());
      QCOMPARE(window->timer(id)->interval(), interval);
    }
    QTimer* bajar = window->timer(TimerId::TmrBajar);
    QSignalSpy ticks(bajar, &QTimer::timeout);
    window->StartTimer(TimerId::TmrBajar);
    QTRY_VERIFY(bajar->remainingTime() < 60);
    window->StartTimer(TimerId::TmrBajar);
    QVERIFY(bajar->remainingTime() < 60);
    QVERIFY(ticks.wait(1000));
    window->StopTimer(TimerId::TmrBajar);
    QVERIFY(!bajar->isActive());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
