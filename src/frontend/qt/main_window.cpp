// The main window's widgets, laid out in twips, and the window and timer operations on them.
#include "frontend/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>

#include <cassert>

#include "frontend/qt/accessibility.h"
#include "frontend/qt/block_grid.h"
#include "frontend/qt/convert.h"

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  installAccessibility();
  setWindowTitle(toQString(kFirstWindowCaption));
  buildMenu();

  // Black behind the grid: a hidden block shows as an empty black cell.
  auto* client = new QWidget(this);
  client->setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));
  QPalette black = client->palette();
  black.setColor(QPalette::Window, Qt::black);
  client->setPalette(black);
  client->setAutoFillBackground(true);
  setCentralWidget(client);
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  // Created in the design's order. The timers start stopped.
  auto newTimer = [this](TimerId id) {
    auto* t = new QTimer(this);
    t->setInterval(static_cast<int>(IntervalMs(id)));
    t->setTimerType(Qt::PreciseTimer);  // the landing sounds keep their 75 ms beat
    connect(t, &QTimer::timeout, this, [this, id] {
      if (events_ && TimerRunning(id)) events_->Tick(id);
    });
    timers_[static_cast<int>(id)] = t;
  };
  newTimer(TimerId::TmrRecolocar);
  newTimer(TimerId::TmrBajar);

  QPalette face = client->palette();
  face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
  face.setColor(QPalette::WindowText, Qt::black);

  // An empty picture: as a label it stays a silent, nameless stop for a screen reader's review,
  // where a bare frame would be announced as a frame.
  picture1_ = new QLabel(client);
  picture1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picture1_->setPalette(face);
  picture1_->setAutoFillBackground(true);
  picture1_->setGeometry(placeRect(kPicture1Place));

  // The blocks share one parent of their own, so a screen reader's review of it meets them in
  // index order with nothing between them. It covers the whole client area: nothing the
  // logic places is ever clipped.
  grid_ = new BlockGrid(client);
  grid_->setGeometry(client->rect());
  QFont courier(QStringLiteral("Courier New"));
  courier.setStyleHint(QFont::TypeWriter);  // the platform's fixed-pitch font where it is missing
  courier.setPointSizeF(kBlockFontPoints);
  courier.setWeight(QFont::Normal);
  grid_->setFont(courier);
  newBlockButton(0)->setText(toQString(kFirstButtonCaption));
  PlaceButton(0, Place(0));

  newTimer(TimerId::Timer1);

  // The two lines share a parent that a screen reader takes for the window's status bar. It
  // covers exactly their two places, so the window looks as it would without it.
  const QRect lines = placeRect(kLinesPlace);
  auto* status = new StatusLines(client);
  statusLines_ = status;
  status->setGeometry(lines);
  auto newLabel = [&](const QString& text, const QRect& place) {
    auto* l = new QLabel(text, status);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignCenter);
    l->setWordWrap(true);  // a long message takes a second line rather than being cut
    l->setPalette(face);
    l->setAutoFillBackground(true);
    l->setGeometry(place.translated(-lines.topLeft()));
    return l;
  };
  label2_ = newLabel(toQString(kFirstScoreCaption), placeRect(kLabel2Place));
  label1_ = newLabel(QString(), placeRect(kLabel1Place));
  label1_->lower();  // first among the lines: the status bar is read from the message on

  // Key preview: the window sees each key before the focused widget does.
  winId();
  windowHandle()->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::setEvents(WindowEvents* events) {
  events_ = events;
  grid_->setEvents(events);
}

void MainWindow::buildMenu() {
  std::array<QMenu*, 4> menus{};  // the last menu made at each level
  for (int i = 0; i < kMenuItems; ++i) {
    const MenuDesign& design = kMenuTree[i];
    const QString caption = toQString(design.caption);
    QAction* action = nullptr;
    if (HoldsItems(i)) {
      QMenu* menu = design.level == 1 ? menuBar()->addMenu(caption)
                                      : menus[design.level - 1]->addMenu(caption);
      menus[design.level] = menu;
      action = menu->menuAction();
    } else {
      action = menus[design.level - 1]->addAction(caption);
      // "F2", "Ctrl+P": the text the menus show is the key sequence too.
      action->setShortcut(QKeySequence(toQString(ShortcutText(design.shortcut))));
      action->setShortcutContext(Qt::WindowShortcut);
    }
    menuActions_[static_cast<std::size_t>(design.item)] = action;
    connect(action, &QAction::triggered, this, [this, item = design.item] {
      if (events_) events_->Menu(item);
    });
  }
  mnuJuego_ = menuAction(MenuId::MnuJuego)->menu();

  // F10 opens the menu, as everywhere on the desktop.
  auto* openMenu = new QAction(this);
  openMenu->setShortcut(QKeySequence(Qt::Key_F10));
  openMenu->setShortcutContext(Qt::WindowShortcut);
  addAction(openMenu);
  connect(openMenu, &QAction::triggered, this, [this] {
    menuBar()->setActiveAction(mnuJuego_->menuAction());
    if (!mnuJuego_->actions().isEmpty()) mnuJuego_->setActiveAction(mnuJuego_->actions()[0]);
  });
  // However the menu closes (Escape, a click elsewhere, a chosen item), the keyboard goes back
  // to the block that had it rather than staying on the menu bar. Once the closing is over:
  // the menu bar lets go of the focus only after it has hidden the menu.
  connect(mnuJuego_, &QMenu::aboutToHide, this, [this] {
    QMetaObject::invokeMethod(this, [this] {
      if (!QApplication::activePopupWidget()) grid_->takeFocusBack();
    }, Qt::QueuedConnection);
  });
}

BlockButton* MainWindow::newBlockButton(int k) {
  BlockButton* b = grid_->addButton();
  assert(b->index() == k);
  connect(b, &QPushButton::clicked, this, [this, k] {
    if (events_) events_->Command1_Click(static_cast<std::int16_t>(k));
  });
  return b;
}

BlockButton* MainWindow::block(int k) const { return grid_->button(k); }

void MainWindow::PlaceButton(int k, const TwipsPlace& place) {
  block(k)->setGeometry(placeRect(place));
}

void MainWindow::CopyButton0(int k) {
  BlockButton* b = newBlockButton(k);
  b->setText(block(0)->text());
  b->setFace(block(0)->face());
  b->setEnabled(false);
  b->setVisible(false);
}

void MainWindow::SetButtonCaption(int k, const std::string& text) {
  block(k)->setText(toQString(text));
}

void MainWindow::SetButtonBackColor(int k, std::uint32_t bgr) {
  block(k)->setFace(bgrToColor(bgr));
}

// Through the grid, which keeps the keyboard focus on the block's cell meanwhile.
void MainWindow::SetButtonVisible(int k, bool visible) { grid_->setBlockVisible(k, visible); }
void MainWindow::SetButtonEnabled(int k, bool enabled) { grid_->setBlockEnabled(k, enabled); }

void MainWindow::SetButtonDescription(int k, const std::string& text) {
  block(k)->setDescription(toQString(text));
}

void MainWindow::SetButtonMarked(int k, bool marked) { block(k)->setMarked(marked); }

void MainWindow::FocusButton(int k) { grid_->focusBlock(k); }

void MainWindow::SetLabelCaption(LabelId id, const std::string& text) {
  label(id)->setText(toQString(text));
}

void MainWindow::SetWindowCaption(const std::string& text) { setWindowTitle(toQString(text)); }

void MainWindow::SetMenuCaption(MenuId item, const std::string& text) {
  // The shortcut is a property of its own: a new text leaves it as it was.
  menuAction(item)->setText(toQString(text));
}

void MainWindow::CloseWindow() { close(); }

void MainWindow::StartSystemTimer(TimerId id) { timer(id)->start(); }
void MainWindow::StopSystemTimer(TimerId id) { timer(id)->stop(); }

QPushButton* MainWindow::button(int k) const { return block(k); }

QColor MainWindow::buttonBackColor(int k) const { return block(k)->face(); }

QLabel* MainWindow::label(LabelId id) const { return id == LabelId::Label1 ? label1_ : label2_; }

QAction* MainWindow::menuAction(MenuId item) const {
  return menuActions_[static_cast<std::size_t>(item)];
}

QTimer* MainWindow::timer(TimerId id) const { return timers_[static_cast<int>(id)]; }

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // The window system hands each key to this window's QWindow once, before it goes on to the
  // focused widget and up its parents; the filter leaves it on its way.
  if (watched == windowHandle() && event->type() == QEvent::KeyPress) {
    // The menu bar, active from the keyboard, has the keys to itself: Escape there leaves the
    // menu and gives nothing up.
    if (menuBar()->hasFocus()) return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (events_) events_->Form_KeyDown(keyCodeOf(key->key()), shiftStateOf(key->modifiers()));
  }
  return QMainWindow::eventFilter(watched, event);
}
