#include "app/journal/JournalFormat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quillora::journal {
namespace {

const QString kFormatName = QStringLiteral("quillora-work-journal");

QJsonValue noteToJson(const std::optional<QStringList>& note)
{
    return note ? QJsonValue(QJsonArray::fromStringList(*note)) : QJsonValue(QJsonValue::Null);
}

// Reads one page; false when a member is missing or has another type.
bool pageFromJson(const QJsonValue& value, JournalPage& page)
{
    if (!value.isObject())
        return false;
    const QJsonObject object = value.toObject();
    const QJsonValue file = object.value(QStringLiteral("file"));
    const QJsonValue title = object.value(QStringLiteral("title"));
    const QJsonValue note = object.value(QStringLiteral("note"));
    if (!file.isString() || file.toString().isEmpty() || !title.isString())
        return false;
    page.file = file.toString();
    page.title = title.toString();
    if (note.isNull() || note.isUndefined())
        return true;
    if (!note.isArray())
        return false;
    QStringList lines;
    for (const QJsonValue line : note.toArray()) {
        if (!line.isString())
            return false;
        lines << line.toString();
    }
    page.note = lines;
    return true;
}

} // namespace

QByteArray toJournalJson(const WorkArrangement& work)
{
    QJsonArray pages;
    for (const JournalPage& page : work.pages) {
        pages.append(QJsonObject{{QStringLiteral("file"), page.file},
                                 {QStringLiteral("title"), page.title},
                                 {QStringLiteral("note"), noteToJson(page.note)}});
    }
    const QJsonObject root{{QStringLiteral("format"), kFormatName},
                           {QStringLiteral("version"), kJournalVersion},
                           {QStringLiteral("scannerFolder"), work.scannerFolder},
                           {QStringLiteral("patient"), work.patient},
                           {QStringLiteral("serial"), work.serial},
                           {QStringLiteral("pages"), pages}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<WorkArrangement> fromJournalJson(const QByteArray& bytes, QString& error)
{
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parse);
    if (parse.error != QJsonParseError::NoError) {
        error = parse.errorString();
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(QStringLiteral("format")).toString() != kFormatName) {
        error = QStringLiteral("not a work journal");
        return std::nullopt;
    }
    if (root.value(QStringLiteral("version")).toInt(-1) != kJournalVersion) {
        error = QStringLiteral("unknown journal version");
        return std::nullopt;
    }
    WorkArrangement work;
    const QJsonValue folder = root.value(QStringLiteral("scannerFolder"));
    const QJsonValue patient = root.value(QStringLiteral("patient"));
    const QJsonValue serial = root.value(QStringLiteral("serial"));
    const QJsonValue pages = root.value(QStringLiteral("pages"));
    if (!folder.isString() || !patient.isString() || !serial.isString() || !pages.isArray()) {
        error = QStringLiteral("missing or mistyped member");
        return std::nullopt;
    }
    work.scannerFolder = folder.toString();
    work.patient = patient.toString();
    work.serial = serial.toString();
    for (const QJsonValue value : pages.toArray()) {
        JournalPage page;
        if (!pageFromJson(value, page)) {
            error = QStringLiteral("page %1 is malformed").arg(work.pages.size() + 1);
            return std::nullopt;
        }
        work.pages.push_back(std::move(page));
    }
    return work;
}

} // namespace quillora::journal
