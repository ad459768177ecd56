#include "pdf/PReport.h"

#include "pdf/PROutlines.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfExceptions.h"
#include "pdf/PdfOutput.h"

TPReport::TPReport(std::shared_ptr<const TPdfClock> clock)
    : clock_(std::move(clock)), creationDate_(clock_->Now()), canvas_(std::make_unique<TPRCanvas>())
{
}

TPReport::~TPReport() { DiscardDocument(); }

void TPReport::CheckIdle(const char* operation) const
{
    if (document_)
        throw EPdfInvalidOperation(std::string(operation) + " --invalid operation.");
}

void TPReport::SetAuthor(std::string value) { AssignWhileIdle(author_, std::move(value), "SetAuthor"); }
void TPReport::SetCreationDate(const TPdfDateTime& value)
{
    AssignWhileIdle(creationDate_, value, "SetCreationDate");
}
void TPReport::SetCreator(std::string value) { AssignWhileIdle(creator_, std::move(value), "SetCreator"); }
void TPReport::SetKeywords(std::string value) { AssignWhileIdle(keywords_, std::move(value), "SetKeyWords"); }
void TPReport::SetModDate(const TPdfDateTime& value) { AssignWhileIdle(modDate_, value, "SetModDate"); }
void TPReport::SetSubject(std::string value) { AssignWhileIdle(subject_, std::move(value), "SetSubject"); }
void TPReport::SetTitle(std::string value) { AssignWhileIdle(title_, std::move(value), "SetTitle"); }
void TPReport::SetPageLayout(TPdfPageLayout value) { AssignWhileIdle(pageLayout_, value, "SetPageLayout"); }
void TPReport::SetPageMode(TPdfPageMode value) { AssignWhileIdle(pageMode_, value, "SetPageMode"); }
void TPReport::SetUseOutlines(bool value) { AssignWhileIdle(useOutlines_, value, "SetUseOutlines"); }

void TPReport::SetNonFullScreenPageMode(TPdfPageMode value)
{
    AssignWhileIdle(nonFullScreenPageMode_, value == pmFullScreen ? pmUseNone : value,
                    "SetNonFullScreenPageMode");
}

void TPReport::SetViewerPreference(const TPdfViewerPreferences& value)
{
    AssignWhileIdle(viewerPreference_, value, "SetViewerPreference");
}

void TPReport::StartDocument()
{
    DiscardDocument();
    auto document = std::make_unique<TPdfDoc>(clock_);
    document->UseOutlines = useOutlines_;
    document->CompressionMethod = compressionMethod_;
    document->NewDocument();
    TPROutlineRoot* outlineRoot = useOutlines_ ? &TPROutlineRoot::CreateForDocument(*document) : nullptr;

    TPdfCatalog& catalog = document->GetRoot();
    catalog.SetPageMode(pageMode_);
    catalog.SetPageLayout(pageLayout_);
    if (nonFullScreenPageMode_ != pmUseNone)
        catalog.SetNonFullScreenPageMode(nonFullScreenPageMode_);
    if (!viewerPreference_.empty())
        catalog.SetViewerPreference(viewerPreference_);

    TPdfInfo& info = document->GetInfo();
    info.SetAuthor(author_);
    info.SetCreationDate(creationDate_);
    info.SetCreator(creator_);
    info.SetKeywords(keywords_);
    info.SetModDate(modDate_);
    info.SetSubject(subject_);
    info.SetTitle(title_);

    document_ = std::move(document);
    outlineRoot_ = outlineRoot;
    pageCount_ = 0;
}

void TPReport::PrintPage(TPRPage& page)
{
    if (!document_)
        throw EPdfInvalidOperation("PrintPage --invalid operation.");
    document_->AddPage();
    ++pageCount_;
    canvas_->PdfCanvas = &document_->GetCanvas();
    page.PrintTo(*canvas_);
}

void TPReport::FinishDocument()
{
    if (!document_)
        throw EInvalidOperation("document is null..");
    TPdfFileStream file(fileName_);
    document_->SaveToStream(file);
    file.Close();
    CloseDocument();
}

void TPReport::FinishDocument(TPdfOutputStream& stream)
{
    if (!document_)
        throw EInvalidOperation("document is null..");
    document_->SaveToStream(stream);
    CloseDocument();
}

void TPReport::DiscardDocument() { CloseDocument(); }

void TPReport::CloseDocument()
{
    canvas_->PdfCanvas = nullptr;
    outlineRoot_ = nullptr;
    openAction_ = nullptr;
    document_.reset();
}

TPROutlineRoot& TPReport::GetOutlineRoot()
{
    if (!document_ || !useOutlines_ || !outlineRoot_)
        throw EPdfInvalidOperation("GetOutlineRoot --invalid operation.");
    return *outlineRoot_;
}

TPRDestination& TPReport::CreateDestination()
{
    if (!document_)
        throw EPdfInvalidOperation("CreateDestination --invalid operation.");
    TPdfDestination& destination = document_->CreateDestination();
    destination.SetWrapper(std::make_unique<TPRDestination>(destination));
    TPRDestination& wrapper = *destination.Wrapper();
    wrapper.SetTop(-10);
    wrapper.SetZoom(1);
    return wrapper;
}

void TPReport::SetOpenAction(TPRDestination& destination)
{
    if (!document_)
        throw EPdfInvalidOperation("SetOpenAction --invalid operation.");
    document_->GetRoot().OpenAction = &destination.Target();
    openAction_ = &destination;
}
