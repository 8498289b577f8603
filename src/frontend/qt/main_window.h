// The game's one window in Qt Widgets: the block buttons, the two lines below them, the menu
// and the three timers, offered to the game logic as its window and timer operations.
#pragma once

#include <QMainWindow>

#include <array>
#include <cstdint>

#include "form/twips_window.h"
#include "form/window_events.h"
#include "form/window_timers.h"

class BlockButton;
class BlockGrid;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

class MainWindow : public QMainWindow, public TwipsWindow, public WindowTimers {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // Where the window's clicks, keys, menu commands and ticks go from now on; nowhere before.
  void setEvents(WindowEvents* events);

  // WindowOps; the places are TwipsWindow's
  void SetButtonCaption(int k, const std::string& text) override;
  void SetButtonBackColor(int k, std::uint32_t bgr) override;
  void SetButtonVisible(int k, bool visible) override;
  void SetButtonEnabled(int k, bool enabled) override;
  void SetButtonDescription(int k, const std::string& text) override;
  void SetButtonMarked(int k, bool marked) override;
  void FocusButton(int k) override;
  void SetLabelCaption(LabelId label, const std::string& text) override;
  void SetWindowCaption(const std::string& text) override;
  void SetMenuCaption(MenuId item, const std::string& text) override;
  void CloseWindow() override;


  // The widgets, for the wiring to the handlers and for tests.
  QPushButton* button(int k) const;
  // The parent of the blocks, which holds the keyboard focus while its block cannot.
  BlockGrid* grid() const { return grid_; }
  QLabel* label(LabelId id) const;
  QFrame* picture() const { return picture1_; }
  // The parent of the two lines, which a screen reader takes for the status bar.
  QWidget* statusLines() const { return statusLines_; }
  // A menu's own action for the two menus.
  QAction* menuAction(MenuId item) const;
  QTimer* timer(TimerId id) const;
  QColor buttonBackColor(int k) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void StartSystemTimer(TimerId id) override;
  void StopSystemTimer(TimerId id) override;
  void CopyButton0(int k) override;
  void PlaceButton(int k, const TwipsPlace& place) override;
  BlockButton* block(int k) const;
  void buildMenu();
  BlockButton* newBlockButton(int k);

  BlockGrid* grid_;
  QFrame* picture1_;
  QLabel* label1_;
  QLabel* label2_;
  QWidget* statusLines_;
  std::array<QTimer*, 3> timers_{};  // in TimerId order
  QMenu* mnuJuego_ = nullptr;
  std::array<QAction*, kMenuItems> menuActions_{};  // in MenuId order
  WindowEvents* events_ = nullptr;
};
