// Hands the window's events to the handlers of the game logic.
#pragma once

class Form1;
class MainWindow;

// One connection per handler; the window and the form must outlive the connections.
void connectForm(MainWindow& window, Form1& form);
