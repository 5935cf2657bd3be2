#pragma once
// The program folder (beside the executable) and the per-user data folder.
#include <string>

// Both end with a backslash.
const std::wstring& ProgramFolder();
const std::wstring& DataFolder();
std::wstring TempFolder();   // data folder + "temp\"
std::wstring CrashFolder();  // data folder + "temp\crash\"

// Makes the data folder, temp and temp\crash when temp\crash is missing.
void EnsureFolders();
// Removes the print job's file and all but the ten newest-sorting crash dumps.
void CleanTemporaryFiles();
