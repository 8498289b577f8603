// Start-up of the main window.
#include "ui/form1.h"

namespace {

std::string WithSeparator(std::string folder) {
  if (folder.empty() || folder.back() != kPathSeparator) folder += kPathSeparator;
  return folder;
}

}  // namespace

Form1::Form1(FormPorts ports)
    : engine({ports.window, ports.timers, ports.dialogs, ports.speech, ports.sound, ports.random},
             language), ports_(ports) {}

void Form1::Form_Load() {
  language.LanguageIndex = 0;
  ports_.host.SetWorkingDirectory(ports_.host.ProgramFolder());
  ports_.random.Randomize(static_cast<float>(ports_.host.SecondsSinceMidnight()));
  SetAppFolder();
  ports_.speech.Speak(language.Text(kWelcome), language.LanguageIndex);
  LoadSounds();
  engine.FillColourTables();
  engine.NewGame();
  engine.SelectedIndex = -1;
}

void Form1::SetAppFolder() {
  AppFolder = WithSeparator(ports_.host.ProgramFolder());
  // Installed for every user, the program's folder is read-only: the two files then live in
  // the player's own data folder. Decided once, here, so a game never mixes the two.
  if (!ports_.host.IsWritableFolder(AppFolder))
    AppFolder = WithSeparator(ports_.host.UserDataFolder());
}

void Form1::LoadSounds() {
  // The sounds ship beside the program, wherever the player's files are kept.
  const std::string folder = WithSeparator(ports_.host.ProgramFolder());
  ports_.sound.LoadSounds(folder + "snd.wav", folder + "snd2.wav");
}
