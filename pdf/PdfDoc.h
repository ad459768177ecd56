#pragma once
// One PDF document under construction: catalog, information, page tree, fonts, images,
// annotations, destinations and outlines, and the canvas of the current page.
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/PdfObjects.h"
#include "pdf/PdfServices.h"
#include "pdf/PdfWrapper.h"

class TPdfCanvas;
class TPdfDestination;
class TPdfFont;
class TPdfHeader;
class TPdfOutlineRoot;
class TPdfOutputStream;
class TPdfTrailer;
class TPdfXref;

enum TPdfPageLayout { plSinglePage, plOneColumn, plTwoColumnLeft, plTwoColumnRight };
enum TPdfPageMode { pmUseNone, pmUseOutlines, pmUseThumbs, pmFullScreen };
enum TPdfViewerPreference { vpHideToolbar, vpHideMenubar, vpHideWindowUI, vpFitWindow, vpCenterWindow };
using TPdfViewerPreferences = std::set<TPdfViewerPreference>;
enum TPdfCompressionMethod { cmNone };
enum TPdfAnnotationSubType {
    asTextNotes,
    asLink,
    asSound,
    asFreeText,
    asStamp,
    asSquare,
    asCircle,
    asStrikeOut,
    asHighlight,
    asUnderline,
    asInk,
    asFileAttachment,
    asPopup
};

extern const char* const PageLayoutNames[4];
extern const char* const PageModeNames[4];
extern const char* const ViewerPreferenceNames[5];
extern const char* const AnnotSubtypeNames[13];

// A rectangle in PDF page space: lower-left (X1, Y1), upper-right (X2, Y2).
struct TPdfBox {
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

// The document information dictionary.
class TPdfInfo final : public TPdfDictionaryWrapper {
public:
    void SetAuthor(std::string value) { PutText("Author", std::move(value)); }
    void SetCreator(std::string value) { PutText("Creator", std::move(value)); }
    void SetTitle(std::string value) { PutText("Title", std::move(value)); }
    void SetSubject(std::string value) { PutText("Subject", std::move(value)); }
    void SetKeywords(std::string value) { PutText("Keywords", std::move(value)); }
    void SetCreationDate(const TPdfDateTime& value);
    void SetModDate(const TPdfDateTime& value);

private:
    void PutText(std::string_view key, std::string value);
};

// The catalog dictionary (object 1).
class TPdfCatalog final : public TPdfDictionaryWrapper {
public:
    void SetPageLayout(TPdfPageLayout layout);
    void SetPageMode(TPdfPageMode mode);
    void SetNonFullScreenPageMode(TPdfPageMode mode);
    void SetViewerPreference(const TPdfViewerPreferences& preferences);
    // Puts the dictionary under Pages when its Type is Pages; else nothing.
    void SetPages(TPdfDictionary& pages);
    // The open action destination (owned by the document), written at save time.
    TPdfDestination* OpenAction = nullptr;
    void SaveOpenAction();

private:
    void SetNameKey(TPdfDictionary& dictionary, std::string_view key, const char* name);
    TPdfDictionary& ViewerPreferences();
};

class TPdfDoc {
public:
    explicit TPdfDoc(std::shared_ptr<const TPdfClock> clock = DefaultPdfClock());
    ~TPdfDoc();
    TPdfDoc(const TPdfDoc&) = delete;
    TPdfDoc& operator=(const TPdfDoc&) = delete;

    // Settings read by NewDocument.
    bool UseOutlines = false;
    TPdfCompressionMethod CompressionMethod = cmNone;
    std::uint16_t DefaultPageWidth = 596;
    std::uint16_t DefaultPageHeight = 842;

    // The clock for CreationDate (NewDocument) and ModDate (SaveToStream).
    void SetClock(std::shared_ptr<const TPdfClock> clock) { clock_ = std::move(clock); }
    const TPdfClock& Clock() const { return *clock_; }

    // Frees any open document, then builds catalog, outline root, information and page tree.
    void NewDocument();
    void FreeDocument();
    bool HasDoc() const { return hasDoc_; }

    // Adds a page to the current page tree node and makes it the canvas's page.
    TPdfDictionary& AddPage();
    // Prepares the last values and writes the whole file. The document stays open.
    void SaveToStream(TPdfOutputStream& stream);

    TPdfCanvas& GetCanvas();
    TPdfCatalog& GetRoot();
    TPdfInfo& GetInfo();
    TPdfOutlineRoot& GetOutlineRoot();
    TPdfFont& GetFont(std::string_view name);
    TPdfFont& CreateFont(std::string_view name);

    // Registers an XObject under a name; a new (direct) one is added to the table first.
    TPdfXObject& RegisterXObject(std::unique_ptr<TPdfXObject> object, std::string_view name);
    // Registers an XObject that is already in the table; one already registered is left as is.
    void RegisterXObject(TPdfXObject* object, std::string_view name);
    TPdfImage& AddImage(std::string_view name, std::unique_ptr<TPdfImage> image);
    TPdfXObject* GetXObject(std::string_view name) const;

    // A new annotation on the current page; the caller adds further keys.
    TPdfDictionary& AddAnotation(TPdfAnnotationSubType subtype, const TPdfBox& box);
    // A new destination on the current page, owned by the document.
    TPdfDestination& CreateDestination();
    // A document with one page whose canvas writes nothing.
    TPdfCanvas& OpenVirtualCanvas();

    TPdfXref& Xref();
    TPdfDictionary* CurrentPages() const { return currentPages_; }
    int FontCount() const { return static_cast<int>(fontList_.size()); }

    // Helper objects created for this document (destinations, outline entries) join its
    // object list and are freed with it.
    template <class T> T& Adopt(std::unique_ptr<T> object)
    {
        T& adopted = *object;
        objectList_.push_back(std::move(object));
        return adopted;
    }

private:
    void AddPageToNode(TPdfDictionary& node, TPdfDictionary& page);
    TPdfDictionary& NewIndirectDictionary();

    std::shared_ptr<const TPdfClock> clock_;
    std::unique_ptr<TPdfCanvas> canvas_;
    std::unique_ptr<TPdfXref> xref_;
    std::unique_ptr<TPdfHeader> header_;
    std::unique_ptr<TPdfTrailer> trailer_;
    std::unique_ptr<TPdfArray> xObjectList_;
    std::vector<std::unique_ptr<TPdfFont>> fontList_;
    std::vector<std::unique_ptr<TPdfDocumentObject>> objectList_;
    TPdfCatalog* root_ = nullptr;
    TPdfInfo* info_ = nullptr;
    TPdfOutlineRoot* outlineRoot_ = nullptr;
    TPdfDictionary* currentPages_ = nullptr;
    bool hasDoc_ = false;
};
