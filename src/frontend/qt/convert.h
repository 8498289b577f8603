// Where the game's units meet Qt's: twips, 0x00BBGGRR colours, UTF-8 texts and key codes.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <Qt>

#include <cstdint>
#include <string>

#include "form/window_design.h"

// Twips are laid out as device-independent pixels at 96 dots per inch.
inline int twipsToPixels(double twips) { return TwipsToPixels(twips, kStandardDpi); }

inline QRect placeRect(const TwipsPlace& p) {
  const PixelBox box = PixelsOf(p, kStandardDpi);
  return QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
}

// 0x00BBGGRR: red in the low byte.
inline QColor bgrToColor(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

inline std::uint32_t colorToBgr(const QColor& colour) {
  return static_cast<std::uint32_t>(colour.blue() << 16 | colour.green() << 8 | colour.red());
}

inline QString toQString(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string toUtf8(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// The desktop's virtual key code of a key (27 for Escape, 65 for A, 112 for F1), as the
// window's key handler expects it; 0 for keys that have none.
inline std::int16_t keyCodeOf(int qtKey) {
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
    return static_cast<std::int16_t>(qtKey);  // Qt uses the same ASCII codes
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
    return static_cast<std::int16_t>(112 + (qtKey - Qt::Key_F1));
  switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
  }
}

// The shift state that goes with a key code: 1 Shift, 2 Ctrl, 4 Alt, added together.
inline std::int16_t shiftStateOf(Qt::KeyboardModifiers modifiers) {
  return static_cast<std::int16_t>((modifiers & Qt::ShiftModifier ? 1 : 0) |
                                   (modifiers & Qt::ControlModifier ? 2 : 0) |
                                   (modifiers & Qt::AltModifier ? 4 : 0));
}
