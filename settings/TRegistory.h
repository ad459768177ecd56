#pragma once
// The one record of persistent settings. Fields are named after their stored values and kept
// in the order in which Load and Save handle them. Strings are UTF-8 in memory; the store
// keeps them in code page 932.
#include <cstdint>
#include <string>

class TRegistory {
public:
    TRegistory(); // applies SetDefaults

    void SetDefaults();
    void Load();   // never reports anything; any unreadable flag or number gives all defaults
    void Save();   // writes all values; silently writes nothing when the key cannot be created

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
};
