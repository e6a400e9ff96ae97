#pragma once
// The main dialog's "&Load from disk" and "&Save to disk": all schemes to or from a scheme file.
class CMainDialog;

void LoadFromDisk(CMainDialog& main);
void SaveToDisk(CMainDialog& main);
