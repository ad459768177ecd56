#pragma once
// Reading the first two pages for the patient tab. A page that cannot be shown gives the
// status-bar message: the fixed text, then which file it is and what to do.
#include <QImage>
#include <QString>

namespace quillora::pages {

inline constexpr const char* kCannotOpenText = "ファイルを開くことができません。";
inline constexpr const char* kUnsupportedText = "サポートしていないファイル形式があります。";

struct PatientPage {
    QImage image;
    QString message; // empty when the image was read
    bool ok() const { return message.isEmpty(); }
};

PatientPage ReadPatientPage(const QString& file);

} // namespace quillora::pages
