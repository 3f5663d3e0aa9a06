#pragma once
// The main window's history button: opens the savings history window,
// made on first use, over the power monitor's history.

class TForm;

void AttachHistoryButton(TForm& mainWindow);
