#pragma once
// The report: owns the open PDF document and prints page components into it.
//
// Typical use:
//   TPReport report;                       // idle: set the document properties
//   report.SetFileName(path); report.SetUseOutlines(true);
//   report.StartDocument();                // open
//   page.OnPrintPage = [&](TPRPage&, TPRCanvas&) { auto& d = report.CreateDestination(); ... };
//   report.PrintPage(page);                // once per PDF page
//   report.GetOutlineRoot().AppendChild().SetTitle(cp932Title);
//   report.FinishDocument();               // writes the file and closes the document
//
// Text properties (Author, Title, ...) are code page 932 bytes. Destination and outline
// handles obtained while a document is open become invalid when it is finished or discarded.
#include <memory>
#include <string>

#include "pdf/PRControls.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfServices.h"

class TPdfOutputStream;
class TPRDestination;
class TPROutlineRoot;

class TPReport {
public:
    // `clock` gives the default CreationDate (now) and the modification date written when
    // the document is saved.
    explicit TPReport(std::shared_ptr<const TPdfClock> clock = DefaultPdfClock());
    ~TPReport();
    TPReport(const TPReport&) = delete;
    TPReport& operator=(const TPReport&) = delete;

    // Properties. While a document is open every setter but SetFileName and
    // SetCompressionMethod fails with EPdfInvalidOperation ("SetTitle --invalid operation.").
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string value) { fileName_ = std::move(value); }
    const std::string& Author() const { return author_; }
    void SetAuthor(std::string value);
    const TPdfDateTime& CreationDate() const { return creationDate_; }
    void SetCreationDate(const TPdfDateTime& value);
    const std::string& Creator() const { return creator_; }
    void SetCreator(std::string value);
    const std::string& Keywords() const { return keywords_; }
    void SetKeywords(std::string value);
    const TPdfDateTime& ModDate() const { return modDate_; }
    void SetModDate(const TPdfDateTime& value);
    const std::string& Subject() const { return subject_; }
    void SetSubject(std::string value);
    const std::string& Title() const { return title_; }
    void SetTitle(std::string value);
    TPdfPageLayout PageLayout() const { return pageLayout_; }
    void SetPageLayout(TPdfPageLayout value);
    TPdfPageMode PageMode() const { return pageMode_; }
    void SetPageMode(TPdfPageMode value);
    TPdfPageMode NonFullScreenPageMode() const { return nonFullScreenPageMode_; }
    // pmFullScreen is stored as pmUseNone.
    void SetNonFullScreenPageMode(TPdfPageMode value);
    TPdfCompressionMethod CompressionMethod() const { return compressionMethod_; }
    void SetCompressionMethod(TPdfCompressionMethod value) { compressionMethod_ = value; }
    bool UseOutlines() const { return useOutlines_; }
    void SetUseOutlines(bool value);
    const TPdfViewerPreferences& ViewerPreference() const { return viewerPreference_; }
    void SetViewerPreference(const TPdfViewerPreferences& value);

    // The clock handed to every document this report opens.
    void SetClock(std::shared_ptr<const TPdfClock> clock) { clock_ = std::move(clock); }

    // Opens a new document (discarding an open one) with catalog, outlines and information.
    void StartDocument();
    // Adds a PDF page and prints the page component into it.
    void PrintPage(TPRPage& page);
    // Writes the document to FileName (created or emptied) and closes it. On failure the
    // file is closed, the error passes on and the document stays open.
    void FinishDocument();
    // The same, writing to `stream`.
    void FinishDocument(TPdfOutputStream& stream);
    // Closes an open document without writing anything.
    void DiscardDocument();

    // Open document with outlines only.
    TPROutlineRoot& GetOutlineRoot();
    // A destination on the page being printed: top edge of the page, zoom 1.
    TPRDestination& CreateDestination();
    // The destination the viewer opens at (the last call before finishing wins).
    void SetOpenAction(TPRDestination& destination);

    bool IsOpen() const { return document_ != nullptr; }
    TPdfDoc* Document() const { return document_.get(); }
    int PageCount() const { return pageCount_; }
    TPRCanvas& Canvas() { return *canvas_; }
    TPRDestination* OpenAction() const { return openAction_; }

private:
    void CheckIdle(const char* operation) const;
    // Stores a property value; fails while a document is open ("<operation> --invalid operation.").
    template <class Field, class Value>
    void AssignWhileIdle(Field& field, Value&& value, const char* operation)
    {
        CheckIdle(operation);
        field = std::forward<Value>(value);
    }
    void CloseDocument();

    std::shared_ptr<const TPdfClock> clock_;
    std::string fileName_ = "default.pdf";
    std::string author_;
    TPdfDateTime creationDate_;
    std::string creator_;
    std::string keywords_;
    TPdfDateTime modDate_ = TPdfDateTime::Zero();
    std::string subject_;
    std::string title_;
    TPdfPageLayout pageLayout_ = plSinglePage;
    TPdfPageMode pageMode_ = pmUseNone;
    TPdfPageMode nonFullScreenPageMode_ = pmUseNone;
    TPdfCompressionMethod compressionMethod_ = cmNone;
    bool useOutlines_ = false;
    TPdfViewerPreferences viewerPreference_;

    std::unique_ptr<TPRCanvas> canvas_;
    std::unique_ptr<TPdfDoc> document_;
    int pageCount_ = 0;
    TPROutlineRoot* outlineRoot_ = nullptr;
    TPRDestination* openAction_ = nullptr;
};
