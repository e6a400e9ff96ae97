#pragma once
// The main dialog's "&Load from disk" and "&Save to disk": all schemes to or from a scheme file.
class CMainDialog;

void LoadFromDisk(CMainDialog& main);
void SaveToDisk(CMainDialog& main);
// The system menu's "Undo Last Load...": names the last load's time and file, asks, and puts
// back what it changed.
void UndoLastLoad(CMainDialog& main);
