#pragma once
// The process's folder list and preload cache, made on first use on the user-interface thread
// and destroyed by the application object at exit (the cache first).
class CCurrentFolderImage;
class CSystemCache;

CCurrentFolderImage* GetFolderImage();
void DestroyFolderImage();
CSystemCache* GetSystemCache();
void DestroySystemCache();
