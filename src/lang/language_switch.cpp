// The captions of each language and the one-line language file.
#include "lang/language_switch.h"

#include "lang/leading_number.h"
#include "lang/texts.h"

namespace {

struct MenuCaption {
  MenuId item;
  Bilingual text;
};

// In the order they are set. An "&" marks the access key of the letter after it; the window
// shows and a screen reader speaks the text without it. No two items of the menu share a key
// in one language: N, M, I, D, S in Spanish; N, B, I, L, E in English.
constexpr MenuCaption kMenuCaptions[] = {
    {MenuId::MnuJuego, {"&Juego", "&Game"}},
    {MenuId::MnuJueIdi, {"I&dioma", "&Language"}},
    {MenuId::MnuJueIns, {"&Instrucciones...", "&Instructions..."}},
    {MenuId::MnuJueMej, {"&Mejores puntuaciones", "&Best records"}},
    {MenuId::MnuJueNue, {"&Nuevo juego", "&New game"}},
    {MenuId::MnuJueSal, {"&Salir Alt - F4", "&Exit  Alt - F4"}},
};
constexpr Bilingual kWindowCaption{"TOLVOS", "Tolvos"};

// The file holds a digit; the bound keeps a damaged one from being read whole. The best-score
// file has a bound of its own, far larger: seven long names.
constexpr std::size_t kMaxLineBytes = 256;

}  // namespace

LanguageSwitch::LanguageSwitch(Language& language, WindowOps& window, HostOps& host,
                               const std::int32_t& score, const std::string& app_folder)
    : language_(language), window_(window), host_(host), score_(score), app_folder_(app_folder) {}

void LanguageSwitch::MnuJueIdiList_Click(std::int16_t Index) {
  // Every text of the game is chosen by this field, so it never holds anything but 0 or 1.
  language_.LanguageIndex = Index == 1 ? 1 : 0;
  const std::int16_t k = language_.LanguageIndex;
  window_.SetWindowCaption(kWindowCaption.In(k));
  window_.SetLabelCaption(LabelId::Label2, ScoreText(score_, k));
  for (const MenuCaption& caption : kMenuCaptions)
    window_.SetMenuCaption(caption.item, caption.text.In(k));
  // A folder that cannot be written, or none at all, keeps the choice for this run only; a
  // language is not worth a box, and the next start finds the old file.
  if (!app_folder_.empty())
    host_.WriteFileAtomically(FilePath(), std::to_string(k) + "=Idioma\r\n");
}

void LanguageSwitch::LoadLanguage() {
  if (app_folder_.empty() || !host_.FileExists(FilePath())) return;
  const std::optional<std::string> line = host_.ReadFirstLine(FilePath(), kMaxLineBytes);
  // An unreadable or empty file, or a number other than 0 or 1, means Spanish.
  std::int16_t index = 0;
  if (line) {
    const std::optional<double> number = LeadingNumber(*line);
    if (number && RoundHalfEven(*number) == 1) index = 1;
  }
  MnuJueIdiList_Click(index);
}
