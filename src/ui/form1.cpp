// Start-up of the main window.
#include "ui/form1.h"

Form1::Form1(FormPorts ports)
    : scores(ports.host, ports.dialogs, language, AppFolder),
      engine({ports.window, ports.timers, ports.dialogs, ports.speech, ports.sound, ports.random},
             language, scores),
      ports_(ports) {}

void Form1::Form_Load() {
  language.LanguageIndex = 0;
  ports_.host.SetWorkingDirectory(ports_.host.ProgramFolder());
  ports_.random.Randomize(static_cast<float>(ports_.host.SecondsSinceMidnight()));
  SetAppFolder();
  scores.LoadBestScores();
  ports_.speech.Speak(language.Text(kWelcome), language.LanguageIndex);
  ports_.sound.LoadSounds(AppFolder + "snd.wav", AppFolder + "snd2.wav");
  engine.FillColourTables();
  engine.NewGame();
  engine.SelectedIndex = -1;
}

void Form1::SetAppFolder() {
  AppFolder = ports_.host.ProgramFolder();
  if (AppFolder.empty() || AppFolder.back() != kPathSeparator) AppFolder += kPathSeparator;
}
