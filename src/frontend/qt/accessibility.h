// What a screen reader is told about the window beyond Qt's own view of its widgets: the blocks
// of the selected group, and the two lines below the grid as the window's status bar.
#pragma once

#include <QWidget>

// The parent of the message line and the score line. It draws nothing of its own; to a screen
// reader it is the window's status bar, which its "read the status bar" command finds.
class StatusLines : public QWidget {
 public:
  explicit StatusLines(QWidget* parent) : QWidget(parent) {}
};

// Where the game's texts appear for a screen reader when Qt has no announcements: a nameless
// notification inside the status bar, whose text is its label's (see announcer_notice.cpp).
class Notice : public QWidget {
 public:
  explicit Notice(QWidget* parent) : QWidget(parent) {}
};

// Makes Qt describe the blocks and the status lines as above. Every window needs it before a
// screen reader first asks about them; it is installed once however often it is called.
void installAccessibility();
