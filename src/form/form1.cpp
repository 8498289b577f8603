// Start-up of the main window, its menu commands and the Escape key.
#include "form/form1.h"

#include "form/instructions.h"
#include "form/survey.h"

namespace {

constexpr Bilingual kGiveUpQuestion{"¿Realmente desea dar la partida por terminada?",
                                     "Do you really wish to terminate the game?"};
constexpr Bilingual kGiveUpTitle{"Terminar juego", "Terminate game"};
// A block's place: its row (1 to 10 from the top), then its column (1 to 15 from the left).
constexpr Bilingual kRowWord{"fila ", "row "};
constexpr Bilingual kColumnWord{", columna ", ", column "};

std::string WithSeparator(std::string folder) {
  if (folder.empty() || folder.back() != kPathSeparator) folder += kPathSeparator;
  return folder;
}

}  // namespace

Form1::Form1(FormPorts ports)
    : lines(ports.window),
      scores(ports.host, ports.dialogs, language, AppFolder),
      engine({lines, ports.timers, ports.dialogs, ports.speech, ports.sound, ports.random},
             language, scores),
      language_switch(language, lines, ports.host, engine.Score, AppFolder),
      ports_(ports) {}

void Form1::Form_Load() {
  language.LanguageIndex = 0;
  ports_.host.SetWorkingDirectory(ports_.host.ProgramFolder());
  ports_.random.Randomize(static_cast<float>(ports_.host.SecondsSinceMidnight()));
  SetAppFolder();
  scores.LoadBestScores();
  language_switch.LoadLanguage();
  ports_.speech.Speak(language.Text(kWelcome), language.LanguageIndex);
  LoadSounds();
  engine.FillColourTables();
  engine.NewGame();
  DescribeBlocks();
  engine.SelectedIndex = -1;
}

void Form1::MnuJueNue_Click() {
  engine.NewGame();
  ports_.window.FocusButton(0);
}

void Form1::MnuJueIdiList_Click(std::int16_t Index) {
  language_switch.MnuJueIdiList_Click(Index);
  DescribeBlocks();
}

void Form1::DescribeBlocks() {
  for (int k = 0; k < ports_.window.ButtonCount(); ++k) {
    ports_.window.SetButtonDescription(k, language.Text(kRowWord) + std::to_string(RowOf(k) + 1) +
                                              language.Text(kColumnWord) +
                                              std::to_string(ColumnOf(k) + 1));
  }
}

void Form1::SetAppFolder() {
  AppFolder = WithSeparator(ports_.host.ProgramFolder());
  // Installed for every user, the program's folder is read-only: the two files then live in
  // the player's own data folder. Decided once, here, so a game never mixes the two.
  if (!ports_.host.IsWritableFolder(AppFolder)) {
    const std::string data = ports_.host.UserDataFolder();
    AppFolder = data.empty() ? "" : WithSeparator(data);
  }
}

void Form1::LoadSounds() {
  // The sounds ship beside the program, wherever the player's files are kept.
  const std::string folder = WithSeparator(ports_.host.ProgramFolder());
  ports_.sound.LoadSounds(folder + "snd.wav", folder + "snd2.wav");
}

void Form1::Form_KeyDown(std::int16_t KeyCode, std::int16_t /*Shift*/) {
  if (KeyCode != kKeyEscape) return;
  const BoxAnswer answer = ports_.dialogs.MessageBox(
      language.Text(kGiveUpQuestion), language.Text(kGiveUpTitle), BoxButtons::YesNo);
  if (answer == BoxAnswer::Yes) engine.EndGame();
}

void Form1::Menu(MenuId item) {
  switch (item) {
    case MenuId::MnuJueNue: return MnuJueNue_Click();
    case MenuId::MnuJueMej: return MnuJueMej_Click();
    case MenuId::MnuJueIns: return MnuJueIns_Click();
    case MenuId::MnuJueIdiList0: return MnuJueIdiList_Click(0);
    case MenuId::MnuJueIdiList1: return MnuJueIdiList_Click(1);
    case MenuId::MnuJueSal: return MnuJueSal_Click();
    case MenuId::MnuJuego:
    case MenuId::MnuJueIdi: return;  // they open a menu
  }
}

void Form1::Tick(TimerId id) {
  switch (id) {
    case TimerId::TmrRecolocar: return TmrRecolocar_Timer();
    case TimerId::TmrBajar: return TmrBajar_Timer();
    case TimerId::Timer1: return Timer1_Timer();
  }
}

void Form1::MnuJueIns_Click() {
  ports_.dialogs.MessageBox(InstructionsText(language.LanguageIndex),
                            InstructionsTitle(language.LanguageIndex), BoxButtons::Ok);
}

bool Form1::SurveyKey(std::int16_t KeyCode, std::int16_t Shift, std::int16_t Index) {
  if (!IsSurveyKey(KeyCode, Shift) || Index < 0 || Index >= kCells) return false;
  engine.SettleFall();
  const SurveyAnswer answer =
      AnswerSurveyKey(KeyCode, Index, {engine.Board, engine.ColourLetters, language.LanguageIndex,
                                       lines.message_line, lines.score_line});
  // The screen reader says the block the focus reaches; the text adds what it cannot know.
  if (answer.focus) ports_.window.FocusButton(*answer.focus);
  if (!answer.text.empty()) ports_.speech.Speak(answer.text, language.LanguageIndex);
  return true;
}
