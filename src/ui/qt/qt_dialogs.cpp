// Message and input boxes: plain text, no icon, buttons in the game's language.
#include "ui/qt/qt_dialogs.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include "ui/qt/convert.h"

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
  if (box.exec() != QDialog::Accepted) return {};
  return toUtf8(box.textValue());
}
