#include "app/journal/WorkJournal.h"

#include "app/journal/JournalFormat.h"
#include "platform/AtomicFile.h"

namespace quillora::journal {
namespace {

// Runs on the writer thread; returns an error text, empty on success.
QString applyToDisk(const std::filesystem::path& file, const std::optional<QByteArray>& content)
{
    std::error_code ec;
    if (!content) {
        std::filesystem::remove(file, ec);
    } else {
        // The journal names patients: its folder is the user's alone.
        if (std::filesystem::create_directories(file.parent_path(), ec))
            std::filesystem::permissions(file.parent_path(), std::filesystem::perms::owner_all, ec);
        if (!ec)
            ec = platform::ReplaceFileAtomically(
                file, std::string_view(content->constData(), static_cast<std::size_t>(content->size())));
    }
    return ec ? QString::fromStdString(file.string() + ": " + ec.message()) : QString();
}

} // namespace

WorkJournal::WorkJournal(std::filesystem::path file, Snapshot snapshot, int delayMs, QObject* parent)
    : QObject(parent), file_(std::move(file)), snapshot_(std::move(snapshot))
{
    // One writer thread keeps the writes in the order they were made.
    writer_.setMaxThreadCount(1);
    timer_.setSingleShot(true);
    timer_.setInterval(delayMs);
    connect(&timer_, &QTimer::timeout, this, &WorkJournal::writeSnapshot);
}

WorkJournal::~WorkJournal() { writer_.waitForDone(); }

void WorkJournal::changed()
{
    // Not restarted by further changes: during a long burst (typing a note) the journal is
    // still written every delay, never more often.
    if (!timer_.isActive())
        timer_.start();
}

void WorkJournal::flush()
{
    timer_.stop();
    writeSnapshot();
    writer_.waitForDone();
}

void WorkJournal::writeSnapshot()
{
    const WorkArrangement work = snapshot_();
    queue(work.pages.empty() ? std::nullopt : std::optional<QByteArray>(toJournalJson(work)));
}

void WorkJournal::queue(std::optional<QByteArray> content)
{
    if (queuedAny_ && content == queued_)
        return;
    queuedAny_ = true;
    queued_ = content;
    writer_.start([this, file = file_, content = std::move(content)] {
        const QString error = applyToDisk(file, content);
        if (error.isEmpty())
            return;
        QMetaObject::invokeMethod(
            this,
            [this, error] {
                queuedAny_ = false; // the next change writes again, even an unchanged arrangement
                emit writeFailed(error);
            },
            Qt::QueuedConnection);
    });
}

} // namespace quillora::journal
