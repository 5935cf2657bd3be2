#include "browse_instances.h"

#include "current_folder_image.h"
#include "singleton.h"
#include "system_cache.h"

CCurrentFolderImage* GetFolderImage() { return CSingletonT<CCurrentFolderImage>::Instance(); }
void DestroyFolderImage() { CSingletonT<CCurrentFolderImage>::DestroyInstance(); }
CSystemCache* GetSystemCache() { return CSingletonT<CSystemCache>::Instance(); }
void DestroySystemCache() { CSingletonT<CSystemCache>::DestroyInstance(); }
