// Message and input boxes: plain text, no icon, buttons in the game's language.
#include "frontend/qt/qt_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include "frontend/qt/convert.h"

QtDialogs::QtDialogs(QWidget* parent) : parent_(parent) {}

QtDialogs::~QtDialogs() {
  if (spanishInstalled_) QCoreApplication::removeTranslator(spanish_.get());
}

void QtDialogs::useLanguage() {
  const bool wantSpanish = language_ && language_->LanguageIndex == 0;
  if (wantSpanish == spanishInstalled_) return;
  if (!wantSpanish) {
    QCoreApplication::removeTranslator(spanish_.get());
    spanishInstalled_ = false;
    return;
  }
  if (!spanish_) {
    spanish_ = std::make_unique<QTranslator>();
    // Without Qt's translations installed the buttons stay in English; the game goes on.
    if (!spanish_->load(QStringLiteral("qtbase_es"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      return;
  }
  spanishInstalled_ = QCoreApplication::installTranslator(spanish_.get());
}

void QtDialogs::giveKeysBack() {
  // Without a window manager nothing gives the window the keys back when its box has gone, and
  // a keyboard player would be left with no focus at all. A box still open under this one
  // keeps them.
  if (parent_ && !QApplication::activeModalWidget()) parent_->window()->activateWindow();
}

BoxAnswer QtDialogs::MessageBox(const std::string& text, const std::string& title,
                                BoxButtons buttons) {
  useLanguage();
  const bool yesNo = buttons == BoxButtons::YesNo;
  QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(text),
                  yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent_);
  // A player's name such as "<b>x</b>" must show as typed.
  box.setTextFormat(Qt::PlainText);
  if (yesNo) box.setDefaultButton(QMessageBox::Yes);
  const int chosen = box.exec();
  giveKeysBack();
  if (!yesNo) return BoxAnswer::Ok;
  return chosen == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}

std::string QtDialogs::InputBox(const std::string& prompt, const std::string& title) {
  useLanguage();
  QInputDialog box(parent_);
  box.setInputMode(QInputDialog::TextInput);
  box.setWindowTitle(toQString(title));
  box.setLabelText(toQString(prompt));
  box.setTextValue(QString());
  for (QLabel* label : box.findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
  const bool accepted = box.exec() == QDialog::Accepted;
  giveKeysBack();
  if (!accepted) return {};
  return toUtf8(box.textValue());
}
