// The catalog and document information wrappers.
#include "pdf/PdfDoc.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfOutlines.h"

const char* const PageLayoutNames[4] = {"SinglePage", "OneColumn", "TwoColumnLeft", "TwoColumnRight"};
const char* const PageModeNames[4] = {"UseNone", "UseOutlines", "UseThumbs", "FullScreen"};
const char* const ViewerPreferenceNames[5] = {"HideToolbar", "HideMenubar", "HideWindowUI", "FitWindow",
                                              "CenterWindow"};

void TPdfInfo::PutText(std::string_view key, std::string value)
{
    Data()->Put(key, std::make_unique<TPdfText>(std::move(value)));
}

void TPdfInfo::SetCreationDate(const TPdfDateTime& value) { PutText("CreationDate", PdfDateString(value)); }

void TPdfInfo::SetModDate(const TPdfDateTime& value) { PutText("ModDate", PdfDateString(value)); }

void TPdfCatalog::SetNameKey(TPdfDictionary& dictionary, std::string_view key, const char* name)
{
    // An existing key keeps its position: only its value changes.
    if (TPdfName* existing = dictionary.LookupName(key))
        existing->SetValue(name);
    else
        dictionary.Put(key, std::make_unique<TPdfName>(name));
}

void TPdfCatalog::SetPageLayout(TPdfPageLayout layout)
{
    SetNameKey(*Data(), "PageLayout", PageLayoutNames[layout]);
}

void TPdfCatalog::SetPageMode(TPdfPageMode mode) { SetNameKey(*Data(), "PageMode", PageModeNames[mode]); }

TPdfDictionary& TPdfCatalog::ViewerPreferences()
{
    TPdfDictionary* preferences = Data()->LookupDictionary("ViewerPreferences");
    if (!preferences) {
        auto created = std::make_unique<TPdfDictionary>(Data()->ObjectMgr());
        preferences = created.get();
        Data()->Put("ViewerPreferences", std::move(created));
    }
    return *preferences;
}

void TPdfCatalog::SetNonFullScreenPageMode(TPdfPageMode mode)
{
    TPdfDictionary& preferences = ViewerPreferences();
    if (mode == pmUseOutlines || mode == pmUseThumbs)
        SetNameKey(preferences, "NonFullScreenPageMode", PageModeNames[mode]);
    else
        preferences.Remove("NonFullScreenPageMode");
}

void TPdfCatalog::SetViewerPreference(const TPdfViewerPreferences& preferences)
{
    TPdfDictionary* dictionary = Data()->LookupDictionary("ViewerPreferences");
    if (!preferences.empty())
        dictionary = &ViewerPreferences();
    if (!dictionary)
        return;
    for (int index = vpHideToolbar; index <= vpCenterWindow; ++index) {
        if (preferences.count(static_cast<TPdfViewerPreference>(index)))
            dictionary->Put(ViewerPreferenceNames[index], std::make_unique<TPdfBoolean>(true));
        else
            dictionary->Remove(ViewerPreferenceNames[index]);
    }
}

void TPdfCatalog::SetPages(TPdfDictionary& pages)
{
    if (TPdfDictionary::TypeOf(pages) == "Pages")
        Data()->Put("Pages", pages);
}

void TPdfCatalog::SaveOpenAction()
{
    if (OpenAction)
        Data()->Put("OpenAction", OpenAction->BuildArray());
    else
        Data()->Remove("OpenAction");
}
