#pragma once
// Whether page images are larger than the picture area of the chart page. With stretching
// off the save crops such images, so the clerk is told once after the intake.
#include <QSize>
#include <QStringList>

namespace quillora::pages {

inline constexpr const char* kCroppedNote = "ページより大きい画像は、はみ出す部分が切り取られます（縮めるには"
                                            " 設定→保存設定→「画像をストレッチする。」）";

// The picture area of a chart page of `pdfWidth` x `pdfHeight` points (one image pixel each).
QSize PictureArea(int pdfWidth, int pdfHeight);

// The first of `files` whose image is wider or taller than `area`, judged from the file
// header; empty when none is (files whose size cannot be told are passed over).
QString FirstLargerThan(const QStringList& files, const QSize& area);

} // namespace quillora::pages
