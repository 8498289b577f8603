// The game's boxes, offscreen: no icon, texts shown as typed, Yes as default, buttons in the
// game's language, and what each box returns.
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QApplication>
#include <QTest>

#include "lang/language.h"
#include "frontend/qt/qt_dialogs.h"
#include "frontend/qt/widget_testing.h"

namespace {

QString withoutAccessKey(QString text) { return text.remove('&'); }

QLabel* labelShowing(QWidget* box, const QString& text) {
  for (QLabel* label : box->findChildren<QLabel*>())
    if (label->text() == text) return label;
  return nullptr;
}

}  // namespace

class QtDialogsTest : public QObject {
  Q_OBJECT

 private:
  QWidget parent;
  Language language;
  QtDialogs dialogs{&parent};

 private slots:
  void initTestCase() { dialogs.follow(language); }

  void messageBoxHasNoIconAndShowsMarkupAsTyped() {
    bool checked = false;
    whenBoxOpens([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      QVERIFY(box);
      QCOMPARE(box->icon(), QMessageBox::NoIcon);
      QCOMPARE(box->windowTitle(), QString("Récord"));
      QLabel* text = labelShowing(box, "<b>x</b> 120 puntos");
      QVERIFY(text);
      QCOMPARE(text->textFormat(), Qt::PlainText);
      QCOMPARE(box->buttons().size(), 1);
      checked = true;
      box->button(QMessageBox::Ok)->click();
    });
    QCOMPARE(dialogs.MessageBox("<b>x</b> 120 puntos", "Récord", BoxButtons::Ok), BoxAnswer::Ok);
    QVERIFY(checked);
  }

  void yesNoBoxDefaultsToYesInTheGamesLanguage() {
    struct Case {
      std::int16_t language;
      QString yes, no;
      bool pressEnter;
      BoxAnswer answer;
    };
    for (const Case& c : {Case{0, "Sí", "No", true, BoxAnswer::Yes},
                          Case{1, "Yes", "No", false, BoxAnswer::No},
                          Case{0, "Sí", "No", false, BoxAnswer::No}}) {
      language.LanguageIndex = c.language;
      whenBoxOpens([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box);
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->buttons().size(), 2);
        QCOMPARE(withoutAccessKey(box->button(QMessageBox::Yes)->text()), c.yes);
        QCOMPARE(withoutAccessKey(box->button(QMessageBox::No)->text()), c.no);
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
        if (c.pressEnter)
          QTest::keyClick(box, Qt::Key_Return);
        else
          box->button(QMessageBox::No)->click();
      });
      QCOMPARE(dialogs.MessageBox("¿Seguro?", "Terminar juego", BoxButtons::YesNo), c.answer);
    }
  }

  void inputBoxStartsEmptyAndCancelGivesNothing() {
    language.LanguageIndex = 0;
    for (bool accept : {true, false}) {
      whenBoxOpens([&](QWidget* w) {
        auto* box = qobject_cast<QInputDialog*>(w);
        QVERIFY(box);
        QLabel* prompt = labelShowing(box, "<i>Nombre</i>:");
        QVERIFY(prompt);
        QCOMPARE(prompt->textFormat(), Qt::PlainText);
        QLineEdit* line = box->findChild<QLineEdit*>();
        QCOMPARE(line->text(), QString());
        QDialogButtonBox* buttons = box->findChild<QDialogButtonBox*>();
        QCOMPARE(buttons->buttons().size(), 2);
        QCOMPARE(withoutAccessKey(buttons->button(QDialogButtonBox::Cancel)->text()),
                 QString("Cancelar"));
        line->setText("Ana ñ");
        buttons->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
      });
      QCOMPARE(dialogs.InputBox("<i>Nombre</i>:", "Récord"), accept ? "Ana ñ" : "");
    }
  }
};

QTEST_MAIN(QtDialogsTest)
#include "qt_dialogs_test.moc"
