#pragma once
// One waveshaper table file of the library: its folder, name, path and whether it is the user's.

#include <string>

struct TableData
{
    std::string folder; // "Basics", "Emulation", ... or "User"
    std::string name;   // file name without extension, case as on disk
    std::string path;
    bool isUser = false;

    // Factory tables first, then by folder, then by name, as byte strings.
    static bool compareTables(const TableData& a, const TableData& b)
    {
        if (a.isUser != b.isUser)
            return !a.isUser;
        if (a.folder != b.folder)
            return a.folder < b.folder;
        return a.name < b.name;
    }
};
