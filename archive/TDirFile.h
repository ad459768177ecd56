#pragma once
// Creates the folder of a patient and tests and deletes files in it. Failures are boolean
// results, never exceptions.
#include "archive/TPathString.h"

class TDirFile : public TPathString {
public:
    // Whether the base folder exists as a directory. It is never created here: a missing base
    // (an unmounted share, a renamed disk) must not turn into a new local folder.
    bool BaseFolderExists() const;

    // The folder exists afterwards. Creates the missing levels below the base folder only:
    // false, creating nothing, when the base folder is missing or the path leaves it.
    bool MakeFolder() const;
    bool DeleteIfExists(const std::string& fileName) const; // no such file remains afterwards
    bool ContainsFile(const std::string& fileName) const;
};
