#include <string>

// The platform-free tests log nowhere.
void WriteLogLine(const std::wstring&) {}
