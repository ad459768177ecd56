#pragma once
// Creates the folder of a patient and tests and deletes files in it. Failures are boolean
// results, never exceptions.
#include "archive/TPathString.h"

class TDirFile : public TPathString {
public:
    bool MakeFolder() const;                              // folder exists afterwards
    bool DeleteIfExists(const std::string& fileName) const; // no such file remains afterwards
    bool ContainsFile(const std::string& fileName) const;
};
