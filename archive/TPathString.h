#pragma once
// The folder of a patient number: four levels of two digits each below the archive's base
// folder, each level optionally wrapped in a prefix and suffix. Strings are UTF-8; both '\'
// and '/' count as separators in the base folder and level texts, and paths are returned with
// the native separator.
#include <cstdint>
#include <string>

class TPathString {
public:
    TPathString();
    virtual ~TPathString() = default;

    std::string BaseFolder;
    std::uint32_t Number = 0;
    std::string L1Front, L2Front, L3Front, L4Front;
    std::string L1Back, L2Back, L3Back, L4Back;

    void SetNumber(std::uint32_t n);  // Number := n modulo 100000000
    std::string RelativePath() const; // "\00\01\23\45" form, native separators
    std::string FolderPath() const;   // base folder + relative path, collapsed

    // Whether the folder path lies below the base folder: the base folder is not empty and no
    // level text makes a "." or ".." component or names a drive.
    bool StaysBelowBase() const;
    static std::string CollapseBackslashes(const std::string& s); // runs of separators -> one
};
