#pragma once
// The one record of persistent settings. Fields are named after their stored values and kept
// in the order in which Load and Save handle them. Strings are UTF-8 in memory; the store
// keeps them in code page 932.
#include <cstdint>
#include <string>

// What Load and Save have to tell the clerk: nothing when `ok`, else one message.
struct StoreOutcome {
    bool ok = true;
    std::string message;
};

class TRegistory {
public:
    TRegistory(); // applies SetDefaults

    void SetDefaults();

    // Any unreadable flag, number or float gives all defaults. A stored key that cannot be
    // read as a whole (unreadable, unparsable or with a malformed value) is first moved aside
    // under a dated name so that nothing later writes over the clerk's file; the outcome then
    // says so (once: the next run finds no key there).
    StoreOutcome Load();

    // Writes all values. A failure (the key cannot be created or written, or an unreadable key
    // could not be moved aside and must not be overwritten) comes back with its reason.
    StoreOutcome Save();

    bool FolderClear;
    std::string L1Front, L1Back, L2Front, L2Back, L3Front, L3Back, L4Front, L4Back;
    std::string HPCode;
    bool WriteInhibit;
    bool WriteDate;
    bool JpegType, TiffType, BitmapType, PngType;
    std::string ScannerDir;
    std::string Target;
    std::string FileOpenDir;
    std::int32_t PdfPageWidth;
    std::int32_t PdfPageHeight;
    bool Stretch;
    bool FirstPage;
    std::int32_t Quality;
    std::int32_t Sequence;
    std::int32_t ImSize;
    double PrintDensity;
    double PanelDensity;
    std::int32_t PageWidth;
    std::int32_t PageHeight;
    std::string VolNo;
    std::string Tag1, Tag2, Tag3, Tag4, Tag5, Tag6, Tag7, Tag8, Tag9, Tag10;
    std::string LogOutFolder;
    std::int32_t ShowImage;
    bool ThumbStrech;

    // Tag1..Tag10 by 1-based index (1 to 10); convenience for the title picker.
    std::string& Tag(int index);

private:
    StoreOutcome keepAside(bool valuesKept);

    bool keepStoredKey_ = false; // the stored key could not be read nor moved aside
};
