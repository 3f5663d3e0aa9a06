#pragma once
// The automation page in the running program: opened from the main
// window's automation button and from the tray menu, made on first use,
// over the stored settings and the automation engine.

class TForm;

void AttachAutomationButton(TForm& mainWindow);
void ShowAutomationPage();
