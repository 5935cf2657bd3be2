#pragma once
// The process's one imaging factory; null when it could not be created.
#include <wincodec.h>

IWICImagingFactory* SharedWicFactory();
void CreateSharedWicFactory();
void ReleaseSharedWicFactory();
