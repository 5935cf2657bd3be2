#pragma once
#include <string>
#include <vector>

// Of the crash dumps found, the paths to delete so that at most `keep` remain:
// paths are sorted ordinally and deleted from the front.
std::vector<std::wstring> DumpsToDelete(std::vector<std::wstring> paths, size_t keep = 10);
