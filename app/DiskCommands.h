#pragma once
// "&Load from disk" and "&Save to disk": all schemes to or from a scheme file. Both end with the
// list in step with the registry.
class SchemeListSite;
class SchemeStore;

void LoadFromDisk(SchemeStore& store, SchemeListSite& list);
void SaveToDisk(SchemeListSite& list);
// The system menu's "Undo Last Load...": names the last load's time and file, asks, and puts
// back what it changed.
void UndoLastLoad(SchemeStore& store, SchemeListSite& list);
