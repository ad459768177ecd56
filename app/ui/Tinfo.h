#pragma once
// The product-information window "情報": product name, version and date, maker, and the
// program's manual as a link that opens with the shell (the maker's web page without one).
#include <QDialog>

class QLabel;

namespace quillora::ui {
class MainFormPrompts;
inline constexpr const char* kMakerPage = "https://www.travex.example/quillora/";
inline constexpr const char* kVersionText = "Version 0.1.0";
inline constexpr const char* kReleaseText = "2026年12月";
} // namespace quillora::ui

class Tinfo : public QDialog {
    Q_OBJECT
public:
    Tinfo(quillora::ui::MainFormPrompts& prompts, QWidget* owner);

    QLabel* ProductLabel;
    QLabel* VersionLabel;
    QLabel* MakerLabel;
    QLabel* UrlLabel;

    void UrlLabelClick();
    static QString LinkTarget(); // the manual, or the maker's page when none is installed

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    quillora::ui::MainFormPrompts& prompts_;
};
