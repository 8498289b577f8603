// Helpers of the offscreen widget tests: spies on keys and focus, and acting on modal boxes
// from inside their own event loops.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// Counts the key presses that reach the widgets it is installed on.
class KeySpy : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) ++presses;
    return false;
  }
  int presses = 0;
};

// Every widget of one window that takes the focus, in order.
class FocusTrail : public QObject {
 public:
  explicit FocusTrail(QWidget* window) {
    connect(qApp, &QApplication::focusChanged, this, [this, window](QWidget*, QWidget* now) {
      if (now && now->window() == window) widgets.append(now);
    });
  }
  QList<QWidget*> widgets;
};

// Runs act on the next modal box as soon as it is open. A box that act leaves open, as a
// failed check does, is cancelled so the test goes on.
inline void whenBoxOpens(std::function<void(QWidget*)> act) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, act] {
    if (QWidget* box = QApplication::activeModalWidget(); box && box->isVisible()) {
      poll->stop();
      poll->deleteLater();
      act(box);
      auto* dialog = qobject_cast<QDialog*>(box);
      if (dialog && dialog->isVisible()) dialog->reject();
    }
  });
  poll->start(5);
}

// Presses Return on each of the next `count` modal boxes as it opens: Yes, or OK.
inline void confirmBoxes(int count) {
  auto* poll = new QTimer;
  auto last = std::make_shared<QWidget*>(nullptr);
  auto left = std::make_shared<int>(count);
  QObject::connect(poll, &QTimer::timeout, [poll, last, left] {
    QWidget* box = QApplication::activeModalWidget();
    if (!box || box == *last || !box->isVisible()) return;
    *last = box;
    QTest::keyClick(box, Qt::Key_Return);
    if (--*left == 0) poll->deleteLater();
  });
  poll->start(5);
}
