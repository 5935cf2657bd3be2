#pragma once
// The ordered picture names of one folder and the position of the picture on screen.
// No platform headers: file-system access and ordering are supplied by the caller.
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

struct FolderScanResult {
    std::set<std::wstring> subfolders;  // exact names
    std::deque<std::wstring> names;
    int index = -1;
};

// Picture names (not folders) in the order of an Explorer view, when that view holds the
// opened file; otherwise the sorted names. isPicture filters names.
void MergeExplorerOrder(FolderScanResult& result, const std::vector<std::wstring>& explorerNames,
                        const std::wstring& openedName,
                        const std::function<bool(const std::wstring&)>& isPicture);

class CFolderListModel {
public:
    const std::wstring& Folder() const { return m_folder; }
    const std::deque<std::wstring>& Names() const { return m_names; }
    int CurrentIndex() const { return m_index; }
    int Count() const { return int(m_names.size()); }

    // Starts a new folder holding only the opened name.
    void Start(const std::wstring& folder, const std::wstring& name);
    // Moves to name when the folder is the same one and the name is listed; false otherwise.
    bool MoveTo(const std::wstring& folder, const std::wstring& name);
    // Takes a finished scan's list when it found the opened file.
    void Adopt(FolderScanResult& result);
    bool CanMove(int offset, bool loop) const;
    // The full path of the neighbour, or empty when there is nowhere to go.
    std::wstring GetNeighbour(int offset, bool loop) const;
    // Erases a deleted file's name; the path to show next, or empty when the list emptied.
    std::wstring Remove(const std::wstring& name);
    void Reset();

private:
    int TargetIndex(int offset, bool loop) const;
    std::wstring PathAt(int index) const;

    std::wstring m_folder;
    std::deque<std::wstring> m_names;
    int m_index = -1;
};

// Sorts names ascending by compare (negative means "before"). Stays within bounds and keeps
// every name even when compare is not a consistent ordering, as file names are untrusted.
// When stop returns true the sort ends early and leaves names in no useful state.
void SortNames(std::vector<std::wstring>& names,
               const std::function<int(const std::wstring&, const std::wstring&)>& compare,
               const std::function<bool()>& stop = nullptr);

// Splits "C:\a\b.jpg" into "C:\a" and "b.jpg".
void SplitPicturePath(const std::wstring& path, std::wstring& folder, std::wstring& name);
bool EqualsIgnoreCase(const std::wstring& a, const std::wstring& b);
// Position of name in names (case-insensitive), or -1.
int FindName(const std::deque<std::wstring>& names, const std::wstring& name);
