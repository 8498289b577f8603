// Hands the window's events to the handlers of the game logic.
#pragma once

class Form1;
class MainWindow;

// The window and the form must outlive the window's events.
void ConnectForm(MainWindow& window, Form1& form);
