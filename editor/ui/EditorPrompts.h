#pragma once
// Every question the editor window asks the user goes through this interface, so that tests
// answer it without a modal dialog. nullopt means cancelled.
#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QWidget;

namespace quillora::editor {

class EditorPrompts {
public:
    virtual ~EditorPrompts() = default;
    virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& current) = 0;
    virtual std::optional<QFont> ChooseFont(QWidget* parent, const QFont& last) = 0;
    virtual std::optional<QString> ChooseCommentFileToLoad(QWidget* parent) = 0;
    virtual std::optional<QString> ChooseCommentFileToSave(QWidget* parent) = 0;
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
};

// The platform's colour, font and file dialogs and a warning box.
class DialogEditorPrompts : public EditorPrompts {
public:
    std::optional<QColor> ChooseColor(QWidget* parent, const QColor& current) override;
    std::optional<QFont> ChooseFont(QWidget* parent, const QFont& last) override;
    std::optional<QString> ChooseCommentFileToLoad(QWidget* parent) override;
    std::optional<QString> ChooseCommentFileToSave(QWidget* parent) override;
    void ShowError(QWidget* parent, const QString& text) override;
};

} // namespace quillora::editor
