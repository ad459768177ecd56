#pragma once
// One page of the chart being captured.
#include <QString>
#include <QStringList>
#include <optional>

struct APageList {
    QString FileName;                // full path of the page image, as intake recorded it
    int ImageIndex = -1;             // picture in the thumbnail list, -1 for none
    std::optional<QStringList> Note; // annotation lines; nullopt when the page has none
    QString Title;                   // bookmark title, possibly empty
};
