#pragma once
// "&Load from disk" and "&Save to disk": all schemes to or from a scheme file. Both end with the
// list in step with the registry.
class SchemeListSite;
class SchemeStore;

void LoadFromDisk(SchemeStore& store, SchemeListSite& list);
void SaveToDisk(SchemeListSite& list);
